#pragma once
// Names a user types that become part of a file name (customers, suppliers,
// invoices) are checked here before any file is touched.
#include <QString>

namespace mv {

// True when the name is safe as one file name on every platform: not empty,
// no '/', '\', control characters, characters Windows forbids (: * ? " < > |),
// no leading dot, no "..", no trailing blank or dot, only characters code
// page 1252 can hold, and short enough that the file name made of it (with
// an ending such as "_BETALD.kdb") fits what file systems allow (255 bytes).
bool isSafeFileName(const QString& name);

// The longest name in bytes of the platform's file names (UTF-8 on Linux).
inline constexpr int longestFileNameBytes = 200;

} // namespace mv
