#pragma once
// Integrity of the selected year's vital files.
//
// After every change the program makes to the books, all vital files get the
// same last-write time as the stamp file (renewStamps) and are then copied,
// with those times, into bokforing/fsk (renewSecondCopies). A guarded command
// first runs checkIntegrity: a vital file whose time disagrees with the stamp
// (other local date, or more than 20 seconds apart), a missing one, an
// unfinished change or an unclean shut-down makes it repair the year from the
// second copies.
//
// A booking brackets its writes:
//
//     if (auto r = mv::beginChange(paths); !r.ok()) { show(r.message()); return; }
//     ... write the booking's files ...
//     if (auto r = mv::finishChange(paths); !r.ok()) show(r.message());
//
// beginChange leaves a change-in-progress mark in the year's bokforing folder
// before anything is written; finishChange renews the stamps, then the second
// copies (built in a new folder and swapped in, so the copies are always one
// consistent moment), then removes the mark. A booking that fails half-way
// must NOT call finishChange: the mark stays and the next check puts the year
// back to the state before the booking. A process killed at any point leaves
// either the state before or the state after the change once the next check
// has repaired it.
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace mv {

// --- The vital files ---------------------------------------------------------

struct VitalFile {
    QString name;  // file name inside the year's bokforing folder
    bool compared; // compared with the stamp by the check
    bool stamped;  // given the stamp's time when stamping
    bool copied;   // copied into the second copies
    bool restored; // restored from the second copies by a repair
};

// The fixed vital files (the numbered VAT files not included).
const std::vector<VitalFile>& fixedVitalFiles();

// Numbered VAT files cover the rates 1 .. highestVatFileRate of the three
// families (konto_moms_inkomst_, konto_moms_omvand_, konto_moms_utgift_);
// each one is vital (compared, stamped, copied, restored) while it exists.
inline constexpr int highestVatFileRate = 49;
QStringList vatFileNames(); // every possible name, families in that order

// The vital files of the year as they stand: the fixed ones and the numbered
// VAT files that exist or have a second copy.
std::vector<VitalFile> vitalFiles(const PathTable& paths);

// Files of the protocol inside bokforing.
inline const QString stampFileName = QStringLiteral("__A_tidsstampel.kdb");
inline const QString changeMarkFileName = QStringLiteral("__A_andring_pagar.kdb");
// Folders the renewal of second copies uses beside fsk while it swaps.
inline const QString newCopiesFolderName = QStringLiteral("fsk_ny");
inline const QString oldCopiesFolderName = QStringLiteral("fsk_gammal");
// Written last into a new copies folder: the folder is complete.
inline const QString copiesCompleteFileName = QStringLiteral("__A_kopior_klara.kdb");
// Repairs move what they replace or remove into bokforing/<prefix><date time>.
inline const QString repairFolderPrefix = QStringLiteral("reparation_");

// --- Renewal and the change bracket -------------------------------------------

// Result of a renewal or of the change bracket.
struct ChangeResult {
    enum Code : int {
        Ok = 0,
        MissingFile = 1,    // a vital file is missing: nothing was renewed
        ChangedOutside = 2, // a vital file no longer matches its digest record
        WriteFailed = 3,    // a write failed; `path` names the file
    };
    int code = Ok;
    QString path; // the file concerned when code != Ok

    bool ok() const { return code == Ok; }
    // The message to show: "Filen <path> Saknas" for a missing file, the
    // changed-files warning for a file changed outside the program, the
    // program's failed-write message otherwise.
    Message message() const;
};

// Seals the year as it stands, as one change: every stamped vital file and
// the stamp get the same last-write time (now), the stamp its text, the
// second copy of the stamp and any missing second copy are written, and the
// digest record is renewed. A missing vital file is never created: the
// result is MissingFile and nothing is changed.
ChangeResult renewStamps(const PathTable& paths);

// Copies every copied vital file and the stamp, with their last-write times,
// into a new folder, marks it complete and swaps it in for fsk. A missing
// vital file is reported (MissingFile) and the second copies stay as they were.
ChangeResult renewSecondCopies(const PathTable& paths);

// Writes the change-in-progress mark. Call before a change writes its first
// file by hand (the change set of change_set.h needs no mark).
ChangeResult beginChange(const PathTable& paths);
// Seals the year as it stands, as one change: renewStamps, every second
// copy written anew from its book, the mark removed. On failure nothing of
// it is done and the mark stays, so the next check repairs the year.
ChangeResult finishChange(const PathTable& paths);

// True while the change-in-progress mark exists.
bool changeInProgress(const PathTable& paths);

// Finishes or undoes a swap of the second copies that a crash interrupted.
// Runs first in checkIntegrity and repairYear; the shell also calls it at
// start-up. Returns 0, or 1 when a folder could not be moved or deleted.
int recoverSecondCopies(const PathTable& paths);

// Creates every missing fixed vital file empty. Only the creation of a new
// year uses it, before its first stamps and copies.
int createMissingVitalFiles(const PathTable& paths);

// --- Check --------------------------------------------------------------------

// The stamp text for a moment: "Tidsstämpel är : 2014-3-7   9:5:12".
QString stampText(const QDateTime& when);

// 0 when the two local times agree (same date, times of day at most 20 s
// apart), 1 otherwise.
int timesDisagree(const QDateTime& file, const QDateTime& stamp);

// Compares one file's last-write time with the stamp's (the file system is
// asked, the files are not read): 0 agree or both missing; 1 changed or
// missing (a missing one also shows "Filen <path> Saknas").
int compareWithStamp(const QString& filePath, const QString& stampPath, const ShowMessage& show);

struct CheckOutcome {
    int sum = 0;           // +1 per changed or missing file (and for an unfinished
                           // change), +1000 after an unclean shut-down; 0 when
                           // bypassed by the abort key
    bool repaired = false; // a repair ran: rebuild the path table, reset the
                           // page area and show the welcome page
    int repairFailures = 0;
    int postCommand = 0; // 1200 when the user chose to restore a backup
};

// The check run before every guarded command and before the exit procedure.
// shutdownCheckDone: false until this process has read and set the selected
// year's shut-down mark (leaveYear resets it). abortKey: 27 suspends this one
// check (the result is 0, "FILKONTROLL UPPLÅST" is shown); set to 1 when an
// unclean shut-down was reported.
CheckOutcome checkIntegrity(const PathTable& paths, int& abortKey, bool& shutdownCheckDone,
                            const ShowMessage& show);

// The rule of a guarded command: true when it may run (the check found
// nothing or was bypassed). The abort key is reset either way.
bool guardAllows(const CheckOutcome& outcome, int& abortKey);

// Called when another year is activated: the old year's shut-down mark goes
// back to "0" (this process ran it cleanly) and the flag is cleared, so the
// next check reads and sets the new year's mark.
void leaveYear(const PathTable& oldPaths, bool& shutdownCheckDone);

// --- Repair -------------------------------------------------------------------

struct RepairOutcome {
    int failures = 0;
    QString savedFolder; // where replaced or removed files were moved ("" none)
};

// Brings every restored vital file back to its second copy; a numbered VAT
// file without a second copy (one the program never wrote) is removed.
// Every file replaced by different content or removed is first kept in a
// dated folder under bokforing (the last five such folders are kept), so
// nothing is destroyed; then the year is stamped anew. The second copies
// are checked first: a missing copy, or one that does not match the digest
// record (or, in a year without one, is empty where the book is not), is
// damaged, and the repair then changes nothing and fails. The repair is one
// change: it is done whole or not at all.
RepairOutcome repairYear(const PathTable& paths);

// How many repair folders are kept.
inline constexpr int keptRepairFolders = 5;
// Removes all but the newest keptRepairFolders repair folders of the year.
int pruneRepairFolders(const PathTable& paths);

// The repair with its messages: on success the question of the REPARATION
// box (on "Ja": the SÄKERHETSKOPIA message and postCommand 1200); on failure
// "Reparationen misslyckades!..." (on "Ja": postCommand 1200).
CheckOutcome repairWithMessages(const PathTable& paths, const ShowMessage& show);

// Message texts (exact).
Message missingFileMessage(const QString& path);
Message changedFilesWarning();
Message uncleanShutdownWarning();
Message repairSucceededQuestion();
Message repairFailedQuestion();
Message backupChosenMessage();
Message checkUnlockedMessage();

} // namespace mv
