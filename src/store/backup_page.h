#pragma once
// What the backup page offers the exit procedure.
#include "store/user_message.h"

#include <QString>

namespace shell {

// The backup target as the page's field holds it (filled from the loaded
// year when the page has not been shown yet).
QString backupTargetText();

// Handles of the target and source fields (0 before start-up).
int backupTargetField();
int backupSourceField();

// Shows a message as a message box (a plain one for Message::plain) and
// returns the button code.
int showBackupMessage(const mv::Message& message);

} // namespace shell
