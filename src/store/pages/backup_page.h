#pragma once
// What the backup page offers the exit procedure.
#include <QString>

namespace shell {

// The backup target as the page's field holds it (filled from the loaded
// year when the page has not been shown yet).
QString backupTargetText();

// Handles of the target and source fields (0 before start-up).
int backupTargetField();
int backupSourceField();

} // namespace shell
