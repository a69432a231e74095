#pragma once
// Names a user types that become part of a file name (customers, suppliers,
// invoices) are checked here before any file is touched.
#include <QString>

namespace mv {

// True when the name is safe as one file name on every platform: not empty,
// no '/', '\', control characters, characters Windows forbids (: * ? " < > |),
// no leading dot, no "..", no trailing blank or dot, and only characters code
// page 1252 can hold.
bool isSafeFileName(const QString& name);

} // namespace mv
