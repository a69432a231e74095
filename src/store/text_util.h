#pragma once
// Text and number helpers shared by every record and report writer.
#include <QString>

namespace mv {

// The whole text, or its first n characters when n >= 1.
QString textCopy(const QString& text, int n = 0);

// Swedish collation (å, ä, ö after z). mode 0 case-insensitive, 1 case-sensitive.
// Negative, 0 or positive.
int compareText(const QString& a, const QString& b, int mode);

// mode 0 lower case, 1 upper case (code page 1252 letters included).
QString changeCase(const QString& text, int mode);

// Class of the character at index: 0 blank, 2 digit, 3 lower-case letter,
// 4 upper-case letter, 1 anything else (also an index outside the text).
int characterClass(const QString& text, int index);

int countLineEnds(const QString& text);

// "%.Nf" for N decimals 0..8 (more than 8 gives 8), locale-independent.
QString numberToText(double value, int decimals);
QString integerToText(long long value);

// Lenient reading: leading blanks skipped, reading stops at the first
// character that cannot continue the number, nothing readable gives 0.
long long textToInteger(const QString& text);
double textToReal(const QString& text);

// The amount normalisation of the pages' amount fields: "," becomes "."
// among the first 10 characters, exactly two decimals (extra decimals cut,
// no rounding), a missing point gets ".00" (an empty text becomes ".00").
QString normalizeAmountText(const QString& text);

// Appends label, then blanks, then value so that the value ends in column
// width - 1 (counted from 1); no blanks when the line is already too long.
void padAppend(QString& line, const QString& label, const QString& value, int width);

} // namespace mv
