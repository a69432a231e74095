#pragma once
// One change of files as a unit: after any crash, full disk or failed write,
// either every step of it is on disk or none is.
//
// Before the first step, a journal in drive_info records for every path the
// change will touch how to take it back: its old bytes (for a file written
// whole or removed), its old length (for a file only appended to: the undo is
// a truncate), its last-write time, and whether it existed. The journal
// itself is written atomically and synced, then the steps run, each checked;
// the change is complete when the journal is removed. A failed step takes
// every path back at once; a crash leaves the journal, and the next start
// (recoverInterruptedChange) takes the paths back before anything reads them.
// The steps may lie in any folders below the working directory, so one
// change can span two accounting years.
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace mv {

struct FileStep {
    enum Kind {
        Write,      // replace the whole file with bytes (created when missing)
        Append,     // add bytes at the end of an existing file
        Remove,     // remove the file (nothing when missing)
        SetTime,    // give an existing file the last-write time
        MakeFolder, // create a folder (nothing when it is there)
    };
    Kind kind = Write;
    QString path;
    QByteArray bytes;
    QDateTime lastWrite; // SetTime; for Write optional (the written file's time)
    // Write only: the bytes are made when the step is reached, after every
    // step before it (a record of the files' times needs those times).
    std::function<QByteArray()> produce;

    static FileStep write(const QString& path, const QByteArray& bytes, const QDateTime& time = {});
    static FileStep append(const QString& path, const QByteArray& bytes);
    static FileStep remove(const QString& path);
    static FileStep setTime(const QString& path, const QDateTime& time);
    static FileStep makeFolder(const QString& path);
};

struct ChangeOutcome {
    enum Code {
        Done = 0,
        NotStarted,  // nothing changed: an earlier change could not be taken
                     // back, or the journal could not be written
        Undone,      // a step failed; every path is back as it was
        LeftPending, // a step failed and taking back failed too: the journal
                     // stays and the next start takes the paths back
    };
    Code code = Done;
    QString path; // the file whose write failed
    bool ok() const { return code == Done; }
};

// Runs the steps as one change.
ChangeOutcome applyChange(const std::vector<FileStep>& steps);

// The journal of a change that did not finish.
QString changeJournalPath();
bool changePending();

// Takes back the change of a journal left by a crash and removes the
// journal. 0 when there was none or it was taken back; 1 when taking back
// failed (the journal stays for the next try).
int recoverInterruptedChange();

} // namespace mv
