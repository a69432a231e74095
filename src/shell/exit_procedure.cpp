#include "shell/exit_procedure.h"

#include "shell/integrity_seam.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/backup.h"
#include "store/pages/backup_page.h"

#include <QDir>

namespace shell {

// After the notes were saved: the integrity check, the backup question, the
// shut-down mark, the backup when asked for and the update leftovers (the
// engine's runExit); then the end, or the program stays as it was.
void exitProcedure() {
    mv::backup::ExitContext context;
    context.paths = paths();
    context.workingDir = QDir::currentPath();
    context.target = backupTargetText();
    context.incomePending = state().cashStepWaiting != 0;
    context.unsavedWork = state().unsavedWork;
    context.integrityCheck = [] { return integrityCheckSeam(); };
    context.show = showMessage;
    context.progress = [] { progressBar(); };
    if (mv::backup::runExit(context) == mv::backup::ExitResult::End) {
        endProgram();
        return;
    }
    // "Avbryt", a failed backup the user went back from, or changed books:
    // the program stays open; the footer is drawn again.
    requestRepaint();
}

} // namespace shell
