#include "store/text_util.h"

#include <QCollator>
#include <QLocale>

namespace mv {

QString textCopy(const QString& text, int n) { return n >= 1 ? text.left(n) : text; }

int compareText(const QString& a, const QString& b, int mode) {
    QCollator collator(QLocale(QLocale::Swedish, QLocale::Sweden));
    collator.setCaseSensitivity(mode == 0 ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return collator.compare(a, b);
}

QString changeCase(const QString& text, int mode) {
    return mode == 1 ? text.toUpper() : text.toLower();
}

int characterClass(const QString& text, int index) {
    if (index < 0 || index >= text.size()) return 1;
    const char16_t c = text.at(index).unicode();
    if (c == u' ') return 0;
    if (c >= u'0' && c <= u'9') return 2;
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return 3;
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDF && c != 0xD7)) return 4;
    return 1;
}

int countLineEnds(const QString& text) { return int(text.count(QLatin1Char('\n'))); }

QString numberToText(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 8) decimals = 8;
    return QLocale::c().toString(value, 'f', decimals);
}

QString integerToText(long long value) { return QString::number(value); }

namespace {
// Length of the longest prefix of text (from start) that reads as a number.
qsizetype numberPrefix(const QString& text, qsizetype start, bool allowFraction) {
    qsizetype i = start;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
    qsizetype digits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) ++i, ++digits;
    if (allowFraction && i < text.size() && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype fraction = 0;
        while (j < text.size() && text[j].unicode() >= u'0' && text[j].unicode() <= u'9')
            ++j, ++fraction;
        if (digits + fraction > 0) i = j, digits += fraction;
    }
    if (digits == 0) return 0;
    if (allowFraction && i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'-' || text[j] == u'+')) ++j;
        const qsizetype expStart = j;
        while (j < text.size() && text[j].unicode() >= u'0' && text[j].unicode() <= u'9') ++j;
        if (j > expStart) i = j;
    }
    return i - start;
}

qsizetype skipBlanks(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' ||
                               text[i] == u'\r'))
        ++i;
    return i;
}
} // namespace

long long textToInteger(const QString& text) {
    const qsizetype start = skipBlanks(text);
    const qsizetype n = numberPrefix(text, start, false);
    bool ok = false;
    const long long v = QLocale::c().toLongLong(text.mid(start, n), &ok);
    return ok ? v : 0;
}

double textToReal(const QString& text) {
    const qsizetype start = skipBlanks(text);
    const qsizetype n = numberPrefix(text, start, true);
    bool ok = false;
    const double v = QLocale::c().toDouble(text.mid(start, n), &ok);
    return ok ? v : 0.0;
}

QString normalizeAmountText(const QString& text) {
    QString t = text;
    const qsizetype head = std::min<qsizetype>(10, t.size());
    for (qsizetype i = 0; i < head; ++i)
        if (t[i] == u',') t[i] = u'.';
    // The point is looked for in the whole text, so that a normalised amount
    // of ten or more digits stays as it is when it is normalised again.
    const qsizetype point = t.indexOf(u'.');
    if (point < 0) return t + QStringLiteral(".00");
    QString decimals = t.mid(point + 1, 2);
    while (decimals.size() < 2) decimals += u'0';
    return t.left(point + 1) + decimals;
}

void padAppend(QString& line, const QString& label, const QString& value, int width) {
    line += label;
    const qsizetype blanks = width - (line.size() + value.size() + 1);
    if (blanks > 0) line += QString(blanks, QLatin1Char(' '));
    line += value;
}

} // namespace mv
