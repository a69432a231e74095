#include "shell/integrity_seam.h"

namespace shell {

// No integrity stamps are kept yet, so there is nothing to compare: every
// guarded command may go on.
int integrityCheckSeam() { return 0; }

} // namespace shell
