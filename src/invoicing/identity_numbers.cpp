#include "invoicing/identity_numbers.h"

#include "invoicing/invoice_numbering.h"

#include <QRegularExpression>

namespace mv {

namespace {

bool checkDigitHolds(const QString& tenDigits) {
    return luhnCheckDigit(tenDigits.left(9)) == tenDigits.back().unicode() - u'0';
}

// The birth date of an identity number: a coordination number has its day
// raised by 60.
QDate birthDate(int year, int month, int day) {
    if (day > 60) day -= 60;
    return QDate(year, month, day);
}

} // namespace

std::optional<QString> personalIdentityNumber(const QString& typed, const QDate& today) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{2})?(\\d{2})(\\d{2})(\\d{2})([-+]?)(\\d{4})$"));
    const QRegularExpressionMatch m = pattern.match(typed.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const QString century = m.captured(1);
    const int yy = m.captured(2).toInt();
    const int month = m.captured(3).toInt();
    const int day = m.captured(4).toInt();
    const QString ten = m.captured(2) + m.captured(3) + m.captured(4) + m.captured(6);
    if (!checkDigitHolds(ten)) return std::nullopt;

    int year = 0;
    if (!century.isEmpty()) {
        if (m.captured(5) == QStringLiteral("+")) return std::nullopt;
        year = century.toInt() * 100 + yy;
    } else {
        // The latest year ending in yy that is not after today's year; a "+"
        // puts the person a hundred years further back.
        year = today.year() - ((today.year() - yy) % 100 + 100) % 100;
        if (m.captured(5) == QStringLiteral("+")) year -= 100;
    }
    const QDate born = birthDate(year, month, day);
    if (!born.isValid() || born > today) return std::nullopt;
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')) + ten.mid(2);
}

std::optional<QString> organisationNumber(const QString& typed) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{6})-?(\\d{4})$"));
    const QRegularExpressionMatch m = pattern.match(typed.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const QString ten = m.captured(1) + m.captured(2);
    if (!checkDigitHolds(ten)) return std::nullopt;
    return ten;
}

std::optional<QString> organisationNumberOfVatNumber(const QString& vatNumber) {
    QString compact;
    for (QChar c : vatNumber)
        if (c != u' ' && c != u'-') compact += c;
    static const QRegularExpression pattern(QStringLiteral("^[Ss][Ee](\\d{10})01$"));
    const QRegularExpressionMatch m = pattern.match(compact);
    if (!m.hasMatch()) return std::nullopt;
    return organisationNumber(m.captured(1));
}

QString hyphenatedNumber(const QString& tenDigits) {
    return tenDigits.left(6) + u'-' + tenDigits.mid(6);
}

} // namespace mv
