#include "shell/exit_procedure.h"

namespace shell {

// No backup question and no shut-down mark yet: the program ends at once.
void exitProcedure() { endProgram(); }

} // namespace shell
