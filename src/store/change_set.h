#pragma once
// A booking is computed whole in memory as a set of new file contents, and
// only then written. The set knows each file's content before the booking, so
// a write that fails can be undone, and it writes every file in one atomic
// replace, so a crash leaves each file old or new.
#include "store/amount.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>

#include <vector>

namespace mv {

// The stored text of a file exactly as it stands (an unterminated last line
// included); empty when missing. existed tells which.
QString storedText(const QString& path, bool* existed = nullptr);

class ChangeSet {
public:
    // The content the file will have once the set is written.
    QString text(const QString& path);
    void setText(const QString& path, const QString& text);
    void append(const QString& path, const QString& text) { setText(path, this->text(path) + text); }
    // Removes the file when the set is written (nothing when it is missing).
    void remove(const QString& path);
    // Appends after starting the file afresh with head when it holds fewer
    // than 5 characters.
    void appendWithHead(const QString& path, const QString& head, const QString& text);

    // Total files: one amount and a line end.
    Amount amount(const QString& path);
    void addAmount(const QString& path, Amount delta);

    bool touches(const QString& path) const;
    bool empty() const { return entries_.empty(); }

    struct Entry {
        QString path;
        QString before;
        bool existed = false;
        QString after;
        bool written = false; // set by setText; a file only read is not written
        bool removed = false; // set by remove: the file goes away
    };
    // The changed files in the order they were first touched; files whose
    // new content equals the old, files only read and removals of missing
    // files are left out.
    std::vector<Entry> changes() const;

private:
    Entry& entry(const QString& path);
    std::vector<Entry> entries_;
};

struct CommitOutcome {
    bool ok = false;
    Message message;   // the refusal or failure when !ok
    int number = 0;    // the verification number written (0: none consumed)
};

// Writes the set as one change of the books: the undo record of the files a
// repair does not restore, the change-in-progress mark, every file, then the
// stamps and second copies. On a failed write the files already written are
// put back and the user gets the failed-write message naming the file; when
// even that fails the mark stays, so the next check repairs the year.
// number is recorded so that an interrupted change can be told from a
// finished one.
CommitOutcome commitChangeSet(const PathTable& paths, const ChangeSet& set, int number);

// After a crash: puts back the files a repair does not cover (registers,
// free texts, money-account names) when the booking that changed them did
// not reach the books, and removes the undo record. Call after the integrity
// check, before a booking page reads the registers. Returns 0, or 1 when the
// record could not be applied (it is then kept for the next call).
int recoverInterruptedBooking(const PathTable& paths);

// The stored verification counter (empty or missing is 0).
int storedCounter(const PathTable& paths);

// Path of the undo record.
QString bookingUndoPath(const PathTable& paths);

} // namespace mv
