#pragma once
// The code pages of the files for other programs: code page 437 ("PC8") of
// the SIE files and ISO-8859-1 of Skatteverket's VAT upload file. Line ends
// are CR LF in every file. A character the code page cannot hold is written
// as "?".
#include <QByteArray>
#include <QString>

namespace mv {

// Text to code page 437 bytes, every '\n' as CR LF.
QByteArray encodeCp437(const QString& text);
// Code page 437 bytes to text, CR LF (and a lone CR) as '\n'.
QString decodeCp437(const QByteArray& bytes);

// Text to ISO-8859-1 bytes, every '\n' as CR LF.
QByteArray encodeLatin1(const QString& text);

// Text to UTF-8 bytes, every '\n' as CR LF.
QByteArray encodeUtf8(const QString& text);

} // namespace mv
