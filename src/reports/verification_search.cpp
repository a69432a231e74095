#include "reports/verification_search.h"

#include "reports/report_file.h"

namespace mv {

using namespace reporting;

namespace {

// Index of the first line at or after `from` that equals `line` exactly, or -1.
qsizetype findWholeLine(const QString& text, const QString& line, qsizetype from) {
    qsizetype at = text.indexOf(line, from);
    while (at >= 0) {
        const bool startsLine = at == 0 || text[at - 1] == QLatin1Char('\n');
        const qsizetype after = at + line.size();
        const bool endsLine = after == text.size() || text[after] == QLatin1Char('\n');
        if (startsLine && endsLine) return at;
        at = text.indexOf(line, at + 1);
    }
    return -1;
}

} // namespace

std::optional<TextRange> findVerificationBlock(const QString& text, const QString& number) {
    const QString wanted = number.trimmed();
    if (wanted.isEmpty()) return std::nullopt;
    const qsizetype start =
        findWholeLine(text, QStringLiteral("Verifikat          = ") + wanted, 0);
    if (start < 0) return std::nullopt;
    const QString divider = blockDivider();
    const qsizetype first = text.indexOf(divider, start);
    if (first < 0) return std::nullopt;
    const qsizetype second = text.indexOf(divider, first + divider.size());
    if (second < 0) return std::nullopt;
    // A block that was never closed would run into the next verification.
    const qsizetype next = text.indexOf(QStringLiteral("\nVerifikat          = "), start);
    if (next >= 0 && next < second) return std::nullopt;
    return TextRange{int(start), int(second + divider.size())};
}

PrintSelection selectionForPrint(const QString& text, const QString& numberField) {
    if (numberField.trimmed().isEmpty()) return {PrintSelection::Whole, {}};
    if (const auto block = findVerificationBlock(text, numberField))
        return {PrintSelection::Block, *block};
    return {PrintSelection::NotFound, {}};
}

} // namespace mv
