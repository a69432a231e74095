#pragma once
// The one place where the shell calls the integrity check of the selected
// year (vital files against their stamp, the shut-down mark). Every guarded
// command goes through guardPasses() (page.h), which calls this.

namespace shell {

// Returns the check's sum: 0 when every vital file agrees with the stamp (or
// the check was suspended by the abort key 27); otherwise the check has shown
// its warning, repaired the year and shown the welcome page.
int integrityCheckSeam();

} // namespace shell
