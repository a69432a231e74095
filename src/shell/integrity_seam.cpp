#include "shell/integrity_seam.h"

#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/integrity.h"
#include "toolkit/toolkit.h"

namespace shell {

int integrityCheckSeam() {
    ProgramState& s = state();
    progressBar();
    const mv::CheckOutcome outcome =
        mv::checkIntegrity(s.paths, s.abortKey, s.shutdownCheckDone, showMessage);
    if (outcome.repaired) {
        // The year was put back from its second copies: start again from the
        // welcome page with a fresh path table.
        s.paths = mv::buildPathTable(s.selectedYear);
        showWelcomePage();
    }
    if (outcome.postCommand && mainWindow()) tk::postCommand(mainWindow(), outcome.postCommand);
    return outcome.sum;
}

} // namespace shell
