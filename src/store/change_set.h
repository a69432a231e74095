#pragma once
// The one way an operation changes files of the books.
//
// A change set gathers the new contents in memory: whole files (setText,
// addAmount), additions at the end of a file (append, appendWithHead: the
// file is never read for it) and removals. Nothing is written until
// commitChangeSet; a set that goes out of scope uncommitted (a refusal, an
// early return) writes nothing.
//
// commitChangeSet writes the set as one change (change_journal.h): the new
// contents, the same changes to the second copies of the vital files among
// them (an append is appended to the copy too), the new integrity stamps
// and the digest record of every year whose vital files the set touches.
// The files may belong to two accounting years; after any crash and the
// start-up recovery both are as before or both as after.
//
//     mv::ChangeSet set(mv::Operation::Income);
//     set.append(paths.dayBook, block);                 // no read of the day book
//     set.addAmount(paths.cash, total);                 // read, add, write whole
//     set.setText(paths.verCounter, QString::number(n));
//     const mv::CommitOutcome c = mv::commitChangeSet(paths, set, n);
//     if (!c.ok) show(c.message);                       // the books are as before
#include "store/amount.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>

#include <functional>
#include <vector>

namespace mv {

// Every operation that changes the books. A change set names the one it
// belongs to; the crash proof of the tests has a case for each value, so a
// new operation is added here and gets its case there.
enum class Operation {
    Income,                  // an income booking, a picked invoice marked paid with it
    Expense,                 // an expense booking
    Transfer,                // money moved between the money accounts, or renamed ones
    ImportedCash,            // the cash step that places an imported opening amount
    VatAssetWriteOff,        // the carried VAT asset written off
    VatDebtWriteOff,         // the carried VAT debt written off
    AssetWriteOff,           // a fixed asset written off
    ReceivablesRegistration, // a closing receivable registered
    PayablesRegistration,    // a closing payable registered
    CustomerSave,
    CustomerDelete,
    ArticleRegisterStart,    // the empty article register made
    ArticleSave,             // an article saved or removed
    StockCountSave,
    StockCountDelete,
    InvoiceTextsSave,
    InvoiceSave,             // an invoice (both documents of a house-work invoice)
    SettingsSave,
    CompanySave,
    ClosingBasis,            // the closing figures and their document
    YearCompletion,          // the closed year and the year it is carried into
    OpeningBalance,
};
inline constexpr int operationCount = int(Operation::OpeningBalance) + 1;

// A short English name of the operation, for test reports.
const char* operationName(Operation op);

// The stored text of a file exactly as it stands (an unterminated last line
// included); empty when missing. existed tells which.
QString storedText(const QString& path, bool* existed = nullptr);

class ChangeSet {
  public:
    explicit ChangeSet(Operation op) : operation_(op) {}
    Operation operation() const { return operation_; }

    // The content the file will have once the set is written (read once).
    QString text(const QString& path);
    void setText(const QString& path, const QString& text);
    // Adds text at the end of the file without reading it; a missing file is
    // created with the text.
    void append(const QString& path, const QString& text);
    // Appends after starting the file afresh with head when it holds fewer
    // than 5 characters.
    void appendWithHead(const QString& path, const QString& head, const QString& text);
    // Removes the file when the set is written (nothing when it is missing).
    void remove(const QString& path);

    // Total files: one amount and a line end.
    Amount amount(const QString& path);
    void addAmount(const QString& path, Amount delta);

    bool touches(const QString& path) const;
    bool empty() const { return changes().empty(); }

    struct Entry {
        enum Kind { Read, Replace, Append, Remove };
        Kind kind = Read;
        QString path;
        bool existed = false;
        qint64 oldSize = 0;   // bytes on disk when first touched
        bool loaded = false;  // before holds the file's text
        QString before;
        QString after;        // Replace: the new content
        QString appended;     // Append: the text added at the end
    };
    // The changed entries in the order they were first touched; files only
    // read, files whose new content equals the old and removals of missing
    // files are left out.
    std::vector<Entry> changes() const;

  private:
    Entry& entry(const QString& path);
    void load(Entry& e);
    Operation operation_;
    std::vector<Entry> entries_;
};

struct CommitOutcome {
    bool ok = false;
    Message message; // the refusal or failure when !ok
    int number = 0;  // the verification number written (0: none consumed)
};

// Writes the set as one change of the books (see above). On any failure the
// books, the second copies and the registers are as before and the message
// says so, naming the file; when even taking the change back fails, the
// message says the books are put right at the next start, and they are.
CommitOutcome commitChangeSet(const PathTable& paths, const ChangeSet& set, int number);

// For tests: told the operation of every set commitChangeSet is given, before
// anything is written. An empty hook (the default) is not called.
using CommitHook = std::function<void(Operation)>;
void setCommitHook(CommitHook hook);

// After a crash: takes back an unfinished change and puts back what an
// interrupted booking of an earlier version of the program left. Returns 0,
// or 1 when that failed (nothing may then be written on top of it).
int recoverInterruptedBooking(const PathTable& paths);

// The stored verification counter (empty or missing is 0).
int storedCounter(const PathTable& paths);

// Path of the undo record an earlier version of the program left during a
// booking.
QString bookingUndoPath(const PathTable& paths);

} // namespace mv
