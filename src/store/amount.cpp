#include "store/amount.h"

#include "store/record_file.h"

#include <QRegularExpression>

#include <algorithm>

namespace mv {

namespace {
constexpr int kMaxWholeDigits = 16; // 10^16 kronor in öre still leaves room to add
constexpr std::int64_t kMaxWhole = 9999999999999999;

// Digits of text from i on, as an integer; stops at the first non-digit.
// count is the number of digits read. More than maxDigits significant digits
// (leading zeros do not count) saturate at maxDigits nines instead of overflowing.
std::int64_t digitsValue(const QString& text, qsizetype& i, int maxDigits, int& count) {
    std::int64_t v = 0;
    count = 0;
    int significant = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        const int digit = text[i].unicode() - u'0';
        if (significant > 0 || digit != 0) ++significant;
        if (significant <= maxDigits) v = v * 10 + digit;
        else v = kMaxWhole;
        ++count;
        ++i;
    }
    return v;
}
} // namespace

Amount Amount::parseLenient(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    int wholeCount = 0;
    const std::int64_t whole = digitsValue(text, i, kMaxWholeDigits, wholeCount);
    std::int64_t thousandths = 0;
    int fractionCount = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        const qsizetype start = i;
        digitsValue(text, i, 0, fractionCount);
        for (int k = 0; k < 3; ++k) {
            const qsizetype at = start + k;
            const int digit = (k < fractionCount) ? text[at].unicode() - u'0' : 0;
            thousandths = thousandths * 10 + digit;
        }
    }
    if (wholeCount + fractionCount == 0) return Amount();
    std::int64_t ore = whole * 100 + thousandths / 10;
    if (thousandths % 10 >= 5) ++ore;
    // Rounding never carries a saturated amount past the largest one, so
    // that the largest amount reads back as itself.
    ore = std::min(ore, kMaxWhole * 100 + 99);
    return Amount(negative ? -ore : ore);
}

std::optional<Amount> Amount::parseStrict(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(-?)(\\d{0,15})(?:[.,](\\d{0,2}))?\\s*$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QString whole = m.captured(2);
    QString fraction = m.captured(3);
    if (whole.isEmpty() && fraction.isEmpty()) return std::nullopt;
    while (fraction.size() < 2) fraction += QLatin1Char('0');
    const std::int64_t ore = whole.toLongLong() * 100 + fraction.toLongLong();
    return Amount(m.captured(1).isEmpty() ? ore : -ore);
}

QString Amount::toText() const {
    const std::int64_t magnitude = ore_ < 0 ? -ore_ : ore_;
    QString s = QString::number(magnitude / 100) + QLatin1Char('.') +
                QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
    return ore_ < 0 ? QLatin1Char('-') + s : s;
}

Amount Amount::mulDiv(std::int64_t numerator, std::int64_t denominator) const {
    if (denominator == 0) return Amount();
    // Work on magnitudes; a = q * den + r keeps every product small:
    // a * num / den = q * num + r * num / den with r < den.
    const bool negative = ((ore_ < 0) != (numerator < 0)) != (denominator < 0);
    const std::int64_t a = ore_ < 0 ? -ore_ : ore_;
    const std::int64_t num = numerator < 0 ? -numerator : numerator;
    const std::int64_t den = denominator < 0 ? -denominator : denominator;
    const std::int64_t q = a / den;
    const std::int64_t r = a % den;
    std::int64_t result = q * num + (r * num) / den;
    if (((r * num) % den) * 2 >= den) ++result;
    return Amount(negative ? -result : result);
}

Amount readAmountFile(const QString& path) {
    QString text;
    if (readWhole(path, text) != 0) return Amount();
    return Amount::parseLenient(text.left(20)); // a total is read as its first 20 characters
}

int writeAmountFile(const QString& path, Amount value) {
    return writeText(path, value.toText() + QLatin1Char('\n'));
}

int addToAmountFile(const QString& path, Amount delta) {
    return writeAmountFile(path, readAmountFile(path) + delta);
}

} // namespace mv
