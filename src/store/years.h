#pragma once
// Accounting years: creating a year (its folders, initial files and the
// carry-over of registers and settings from the selected year), activating a
// year, the lock mark and the window title.
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>
#include <QStringList>

namespace mv {

// The created years, in creation order ("drive_info/SkapadeAr.kdb").
QStringList createdYears();
// The year to prefill on the create-year page: the last created year plus
// one, or the current calendar year when none can be read.
QString suggestedNewYear();

// Initial file contents of a new year.
QString initialCompanyText(); // 12 empty lines
QString initialBackupText();  // "C:\" and a line end
QString initialInvoiceText(); // 10 empty lines

struct CreateYearOutcome {
    // 0 done (or refused without a message: locked year; or an existing
    // year / a folder that could not be made, with its message);
    // 1 not in the 2000s; 2 not four digits.
    int code = 0;
    bool created = false; // the page goes to the welcome page
};

// Creates the year typed on the create-year page. selected: the path table
// of the selected year (carry-over source when a year is selected).
// selectedLocked: the selected year is locked (nothing happens). On creation
// firstStartProgress 1 becomes 2. The selected year's own files, stamps and
// second copies are not touched. The year is built, stamped and copied in
// drive_info/skapas_<year> and moved into place whole, then added to the
// created years: a crash leaves either no year or the whole year.
CreateYearOutcome createYear(const QString& typedYear, const PathTable& selected,
                             bool selectedLocked, int& firstStartProgress, const ShowMessage& show);

// After a crash between moving a new year into place and listing it: every
// year folder of the working directory that was made whole (it holds its
// first money account) but is missing from the created years is added to
// them, and the newest such year becomes the last created year, as its
// creation would have left them. Returns the number of lists that could not
// be written.
int listUnlistedYears();

// Copies the registers and settings of `from` into `to`, each file whole,
// byte for byte. Company details and invoice texts, settings and backup
// target when their source exists; the customer and supplier lists and every
// file they name (a missing one gives an empty copy; a name that cannot be a
// file name is skipped); the free texts and the article register. Returns the
// number of copies that failed.
int carryOver(const PathTable& from, const PathTable& to);

// Window title of a year.
QString yearTitle(const QString& year, bool locked);
// Label of the year-end menu button.
QString closingButtonLabel(const QString& year);

// Lock state of a year: the readWhole code of its lock mark (0 = locked).
int readLockState(const PathTable& paths);

struct ActivateOutcome {
    bool activated = false;
    QString year;
    int yearLocked = 2;   // readWhole code of the lock mark
    QString title;        // yearTitle(year, locked)
    QString closingLabel; // "SLUTFÖR ÅR " + year
    int postCommand = 0;  // 1015 (tools page) after an activation
};

// Activates the year typed on the select-year page: refuses a text that is
// not a year or a year without konto_fordkonto_1.kdb ("Året du försöker
// aktivera finns inte!"); writes drive_info/valdbokforingsar.kdb (a failed
// write is reported and nothing changes); clears the previous year's
// shut-down mark (leaveYear); loads the year's record (settings.h); shows
// "FÖRSTA START" when firstStartProgress is 1 and sets it to 3. The caller
// then rebuilds the program state (path table, title, lock, menu label),
// resets the page area, shows the welcome page and posts postCommand.
ActivateOutcome activateYear(const QString& typedYear, const PathTable& previous,
                             const QString& workingDir, int& firstStartProgress,
                             bool& shutdownCheckDone, const ShowMessage& show);

// Message texts (exact).
Message yearNotFourDigitsMessage();
Message yearNotThisCenturyMessage();
Message yearExistsMessage();
Message yearNotCreatedMessage(const QString& reason);
Message yearCreatedMessage();
Message yearMissingMessage();
Message firstStartMessage();

} // namespace mv
