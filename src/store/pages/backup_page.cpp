// The backup page ("KOPIERING", command 1200): the backup target and source
// fields, the folder dialog ("Sökväg", 1091), "Spara" (1201) and the two
// restores (1093 automatic, 1095 manual).
#include "store/pages/backup_page.h"

#include "shell/exit_procedure.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/backup.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

#include <QDir>

namespace shell {

namespace {

int targetField = 0;
int sourceField = 0;
int browseButton = 0;
int manualButton = 0;
int automaticButton = 0;
int saveButton = 0;
// The stored target last put into the field; a new value in the loaded
// record (start-up, year activation, a save) replaces what the field shows.
QString shownStoredTarget;
bool fieldsFilled = false;

QString workingDir() {
    return QDir::currentPath();
}

int show(const mv::Message& m) {
    return showMessage(m);
}

// Fills the fields from the loaded record when it holds a target the field
// has not shown yet, so typing on the page survives leaving it.
void fillFields() {
    tk::setText(sourceField, QDir::toNativeSeparators(workingDir()));
    const QString stored = mv::yearRecord().backupTarget;
    if (fieldsFilled && stored == shownStoredTarget) return;
    fieldsFilled = true;
    shownStoredTarget = stored;
    tk::setText(targetField, mv::backup::usableTarget(stored, mv::backup::platformHasDriveLetters(),
                                                      QDir::homePath()));
}

QString target() {
    fillFields();
    return tk::text(targetField);
}

void create(int window) {
    fieldsFilled = false;
    shownStoredTarget.clear();
    targetField = tk::createField(window, 250, 295, 420, 20, QStringLiteral("L"),
                                  mv::backup::targetFieldLength);
    sourceField = tk::createField(window, 250, 350, 473, 20, QStringLiteral("L"), 0);
    browseButton = tk::createButton(window, 673, 295, 50, 20, QStringLiteral("Sökväg"),
                                    QStringLiteral("C"), QStringLiteral("NORMAL"), 1091);
    manualButton = tk::createButton(window, 250, 450, 195, 20,
                                    QStringLiteral("Återställ, med kopia, manuellt"),
                                    QStringLiteral("C"), QStringLiteral("NORMAL"), 1095);
    automaticButton = tk::createButton(window, 530, 450, 195, 20,
                                       QStringLiteral("Återställ, med kopia, automatiskt"),
                                       QStringLiteral("C"), QStringLiteral("NORMAL"), 1093);
    saveButton = tk::createButton(window, 434, 540, 100, 30, QStringLiteral("Spara"),
                                  QStringLiteral("C"), QStringLiteral("NORMAL"), 1201);
    for (int c :
         {targetField, sourceField, browseButton, manualButton, automaticButton, saveButton})
        tk::hideControl(c);
    tk::disableControl(sourceField);
}

void reset(int) {
    for (int c :
         {targetField, sourceField, browseButton, manualButton, automaticButton, saveButton})
        tk::hideControl(c);
}

void paint(int window, int& pageState) {
    if (pageState <= 0) return;
    beginPage(window);
    drawToolsPanel(window);
    drawText(window, 190, 57, QStringLiteral("KOPIERING"), white, Font::Heading);
    helpMark(window, 780, 60);
    // The frame reaches below the two lines under the restore buttons.
    lightFrame(window, 220, 108, 750, 512, QStringLiteral("SÄKERHETSKOPIERING"));
    const char* const lines[] = {
        "Välj en plats som kopian skall kopieras till, i listen under 'Kopiera till'. Det kan vara",
        "en hårddisk,  USB-minne osv.   Men destinationsplatsen måste alltid stämma  med",
        "det som står i fältet under 'Kopiera till' och destinationen måste vara tillgänglig vid",
        "kopieringstillfället. Samma sak vid det omvända, dvs återställningen.  Vid all åter-",
        "ställning måste sista momentet göras för hand,  dvs radera och  ersätta  orginalet",
        "med kopian. Observera att orginalet kan få nytt namn utan problem.",
    };
    int y = 150;
    for (const char* line : lines) {
        drawText(window, 251, y, QString::fromUtf8(line), labelColour, Font::Hint);
        y += 15;
    }
    drawText(window, 251, 245,
             QStringLiteral("Kopian får alltid namnet  'MERVALLA_BOKFÖRINGSKOPIA'  automatiskt."),
             labelColour, Font::Hint);
    drawText(window, 251, 277, QStringLiteral("Kopiera till:"), labelColour, Font::Body);
    drawText(window, 251, 332, QStringLiteral("Kopiera från:"), labelColour, Font::Body);
    drawText(window, 251, 472, QStringLiteral("Fönster öppnas så  att  MerValla-"), labelColour,
             Font::Hint);
    drawText(window, 251, 488, QStringLiteral("mappen kan bytas mot kopian"), labelColour,
             Font::Hint);
    drawText(window, 531, 472, QStringLiteral("Säkerhetskopian,  flyttas automat-"), labelColour,
             Font::Hint);
    drawText(window, 531, 488, QStringLiteral("iskt dit orginalet ligger"), labelColour,
             Font::Hint);
    endPage(window, pageState);
}

void openBackupPage() {
    openPage(PageId::Backup, 1200);
    fillFields();
    for (int c :
         {targetField, sourceField, browseButton, manualButton, automaticButton, saveButton})
        tk::showControl(c);
    tk::disableControl(sourceField);
    if (state().isLocked()) {
        tk::disableControl(targetField);
        tk::disableControl(browseButton);
    } else {
        tk::enableControl(targetField);
        tk::enableControl(browseButton);
    }
}

void chooseFolder() {
    QString chosen;
    if (tk::browseForFolder(mainWindow(), QStringLiteral("Sökväg till platsen för kopian"), chosen,
                            QStringLiteral("FILSYSTEM")) == 0)
        tk::setText(targetField, QDir::toNativeSeparators(chosen));
}

void saveTarget() {
    const QString typed = tk::text(targetField);
    mv::Message refusal;
    const int rc = mv::backup::saveTarget(paths(), typed, refusal);
    if (rc == 4) {
        show(refusal);
        return;
    }
    if (rc != 0) {
        show(mv::saveFailedMessage(paths().backupPaths));
        return;
    }
    mv::recordBackupTarget(typed);
    shownStoredTarget = typed;
    dispatchCommand(1015);
}

// Opens a folder in the desktop's file manager; when that is not possible the
// user is told where it is, since the last step is done by hand there.
void openFolder(const QString& folder) {
    if (tk::openExternal(folder) == 0) return;
    show({QStringLiteral("SÄKERHETSKOPIERING"),
          QStringLiteral("Mappen kunde inte öppnas automatiskt:\n") +
              QDir::toNativeSeparators(folder) + QStringLiteral("\n\nÖppna den i filhanteraren."),
          QStringLiteral("INFORMATION"), QStringLiteral("OK")});
}

// The end after a confirmed restore: a regular end for the next start.
void endAfterRestore() {
    mv::backup::writeShutdownMark(paths(), false);
    endProgram();
}

void restore(bool manual) {
    if (show(mv::backup::restoreQuestion(manual)) != mv::answerYes) {
        show(mv::backup::restoreCancelled());
        return;
    }
    if (manual) {
        const mv::backup::Outcome found = mv::backup::prepareManualRestore(workingDir(), target());
        if (!found.ok) {
            show(found.message);
            return;
        }
        openFolder(workingDir());
        openFolder(found.folder);
        endAfterRestore();
        return;
    }
    progressBar();
    const mv::backup::Outcome out = mv::backup::restoreAutomatically(workingDir(), target());
    show(out.message);
    if (!out.ok) return;
    openFolder(out.folder);
    endAfterRestore();
}

void command(int cmd) {
    switch (cmd) {
    case 1200:
        openBackupPage();
        break;
    case 1091:
        chooseFolder();
        break;
    case 1201:
        saveTarget();
        break;
    case 1093:
        restore(false);
        break;
    case 1095:
        restore(true);
        break;
    default:
        break;
    }
}

// Start-up: the stored target of the selected year into the record and the
// fields (year activation reloads the record, and the fields follow it).
void loadForms() {
    mv::loadBackupTarget(paths(), workingDir());
    fillFields();
}

} // namespace

PageDefinition backupPage() {
    PageDefinition p;
    p.id = PageId::Backup;
    p.name = "backup";
    p.createControls = create;
    p.reset = reset;
    p.paint = paint;
    p.command = command;
    p.loadForms = loadForms;
    p.commands = {
        {1091, 1091, false}, {1093, 1093, false}, {1095, 1095, false}, {1200, 1201, false}};
    return p;
}

QString backupTargetText() {
    return target();
}

int backupTargetField() {
    return targetField;
}
int backupSourceField() {
    return sourceField;
}

} // namespace shell
