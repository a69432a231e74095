#pragma once
// Backup and restore of the whole working directory, the stored backup target
// ("foretaget/kopiering.kdb"), and the engine side of the exit procedure.
//
// A backup is a complete copy of the working directory in the folder
// "MERVALLA_BOKFÖRINGSKOPIA" inside the chosen target folder. It is first made
// in a temporary folder beside the old backup, and the old backup is replaced
// only when the new copy is complete, so a failing disk never leaves the user
// without any backup. The automatic restore copies the backup into the folder
// beside the working directory whose name ends in "_FRÅN_SÄKERHETSKOPIA".
//
// Everything here reports through Message values (user_message.h) instead
// of showing windows, so it runs in tests as it runs
// behind the pages.
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>

#include <functional>

namespace mv {

namespace backup {

// Fixed folder names.
QString folderName();    // "MERVALLA_BOKFÖRINGSKOPIA"
QString restoreSuffix(); // "_FRÅN_SÄKERHETSKOPIA"
QString defaultTarget(); // "C:\" as stored when nothing else is

// Longest target the target field takes.
inline constexpr int targetFieldLength = 255;

// --- The stored target ---------------------------------------------------

// True on a platform whose paths begin with drive letters.
bool platformHasDriveLetters();

// The target as it is shown and used: a drive-letter target ("C:\", "D:\Kopia")
// on a platform without drive letters counts as unset and becomes `home`;
// anything else is kept as it is.
QString usableTarget(const QString& target, bool driveLetters, const QString& home);

// Stores the target as the one line of kopiering.kdb. A target longer than the
// field or with characters the stored files cannot hold is refused with
// `refusal` filled and nothing written (returns 4). Otherwise the write code.
int saveTarget(const PathTable& paths, const QString& target, Message& refusal);

// --- Folders -------------------------------------------------------------

// The backup folder of a target: the fixed name inside the target folder.
QString backupFolder(const QString& target);

// The backup folder the restores read: the folder inside the target, or,
// when only that is missing, one stored the old way with the fixed name
// glued onto the target ("D:\BackupMERVALLA_BOKFÖRINGSKOPIA"). Empty when
// neither is a folder.
QString findBackupFolder(const QString& target);

// The restore folder: the working directory's path + "_FRÅN_SÄKERHETSKOPIA".
QString restoreFolder(const QString& workingDir);

// --- Backup and restore --------------------------------------------------

struct Outcome {
    bool ok = false;
    Message message; // what to show: success or the failure with its reason
    QString folder;  // the folder written (backup or restore folder)
};

// Copies the working directory completely into the backup folder of the
// target, keeping every last-write time. An empty target, one that is not an
// existing folder, one inside the working directory, or one whose backup
// folder would hold the working directory is refused before anything is
// deleted or copied. `target` goes through usableTarget first.
Outcome makeBackup(const QString& workingDir, const QString& target);

// The question asked before either restore (`manual` picks the text).
Message restoreQuestion(bool manual);
// The message after the user said no to a restore.
Message restoreCancelled();

// Copies the backup found for the target into the restore folder beside the
// working directory (replacing an older restore folder only when the copy is
// complete). The working directory itself is never touched.
Outcome restoreAutomatically(const QString& workingDir, const QString& target);

// Checks that the manual restore has something to show: the target folder
// must exist and hold a backup. On success `folder` is the target folder to
// open beside the working directory.
Outcome prepareManualRestore(const QString& workingDir, const QString& target);

// Failure message: "Säkerhetskopieringen misslyckades!\n\n" + reason.
Message failure(const QString& reason);

// --- Exit procedure --------------------------------------------------------

// The question of the exit procedure.
Message exitQuestion();
// Asked after a backup at exit failed: end anyway (Yes) or go back (No).
// Asked when "X" is pressed while a booking waits for its cash step, or
// while other typed work is not saved.
Message unsavedBookingQuestion();
Message unsavedWorkQuestion();
Message endWithoutBackupQuestion();

// Writes "0\n" (a regular end) or "1\n" (running) into the shut-down mark.
int writeShutdownMark(const PathTable& paths, bool running);

// Deletes the update leftovers of the working directory; missing files are
// no error. Returns how many could not be deleted although they exist.
int deleteUpdateLeftovers(const QString& workingDir);

// What the exit procedure needs from the program around it.
struct ExitContext {
    PathTable paths;
    QString workingDir;
    QString target; // the backup target field's text
    bool incomePending = false;
    // Typed work that is not saved yet (an unsaved stock count): asked
    // about before the program ends.
    bool unsavedWork = false;
    // The integrity check; a result above 0 keeps the program open.
    std::function<int()> integrityCheck;
    // Shows a message and returns its result code.
    std::function<int(const Message&)> show;
    // Called before the long steps (the progress bar).
    std::function<void()> progress;
};

enum class ExitResult {
    Stay, // the program stays open
    End,  // destroy the main window and end
};

// Run after the notes were saved: the integrity check (unless an income is
// pending), the backup question, the shut-down mark "0\n", the backup when asked for, the update
// leftovers deleted. "Avbryt" changes nothing. When the backup fails the user
// is told why and asked whether to end without a backup; going back restores
// the running mark "1\n".
ExitResult runExit(const ExitContext& context);

} // namespace backup
} // namespace mv
