#pragma once
// The file boundary: stored files are code page 1252 with CR LF line ends,
// memory holds QString with a line end as one '\n'.
#include <QByteArray>
#include <QString>

namespace mv {

// Bytes of a stored file to text: code page 1252 decoded, every CR LF made '\n'.
QString decodeStored(const QByteArray& bytes);

// Text to the bytes of a stored file: every '\n' becomes CR LF. A character
// code page 1252 cannot hold is written as '?' (input refuses such characters
// before they get this far).
QByteArray encodeStored(const QString& text);

// True when every character of the text has a code page 1252 byte.
bool isCp1252(const QString& text);

} // namespace mv
