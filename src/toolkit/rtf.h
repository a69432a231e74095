#pragma once
// Reading and writing the rich-text files of the views: plain paragraphs
// with bold, italic, underline and point size, characters of code page 1252
// (others as \u escapes). Pictures, tables and styles are not kept.
#include <QByteArray>

class QTextDocument;

namespace tk::detail {

// Replaces the document's content with the text of the rich-text bytes.
// False when the bytes are no rich text (they do not start with "{\rtf").
bool readRtf(const QByteArray& bytes, QTextDocument& document);

// The document as rich text, lines ending in CR LF.
QByteArray writeRtf(const QTextDocument& document);

} // namespace tk::detail
