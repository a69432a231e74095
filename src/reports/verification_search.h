#pragma once
// Finding one verification in a book or verification list, so that it alone
// can be printed.
#include <QString>

#include <optional>

namespace mv {

// A range of characters of a text: [start, end).
struct TextRange {
    int start = 0;
    int end = 0;
};

// The block of verification `number` in text: from its line
// "Verifikat          = " + number (the whole line must match, so 1 never
// finds 12) through the second dividing line of 60 hyphens after it, that
// line included. No range when the number is not there or its block is not
// closed.
std::optional<TextRange> findVerificationBlock(const QString& text, const QString& number);

// What the print command prints from a viewer: everything (the number field is
// empty), one block, or nothing because the block is missing.
struct PrintSelection {
    enum Kind { Whole, Block, NotFound } kind = Whole;
    TextRange range;
};
PrintSelection selectionForPrint(const QString& text, const QString& numberField);

} // namespace mv
