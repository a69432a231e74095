#pragma once
// A year of generated verifications for the benchmarks: the books as booking
// leaves them (day book, verification lists, cash book and the totals), so
// that the program's commands run on them as on a real year.
#include "store/record_file.h"
#include "store/store_layout.h"
#include "store/text_util.h"

#include <QString>

namespace bench {

inline QString pad(const QString& label, const QString& value, int width) {
    QString line;
    mv::padAppend(line, label, value, width);
    return line;
}

inline bool isIncome(int n) {
    return n % 2 == 1;
}
inline long long netOre(int n) {
    return 10000 + (n * 7919LL) % 900000;
}
inline QString typeOf(int n) {
    return isIncome(n) ? QStringLiteral("Inkomst, Arbete och Tjänst")
                       : QStringLiteral("Utgift, Varor o material");
}

// One ordinary block per verification, income and expense alternating, all
// at 25 % VAT and placed on "Bank".
inline QString blocks(int count) {
    const QString divider(60, QLatin1Char('-'));
    QString text;
    text.reserve(count * 720);
    for (int n = 1; n <= count; ++n) {
        const QString type = typeOf(n);
        const QString date = QStringLiteral("2014-%1-%2")
                                 .arg(1 + (n * 12 / (count + 1)), 2, 10, QLatin1Char('0'))
                                 .arg(1 + n % 28, 2, 10, QLatin1Char('0'));
        const long long net = netOre(n);
        const QString netText = mv::numberToText(net / 100.0, 2);
        const QString vatText = mv::numberToText(net / 400.0, 2);
        const QString total = mv::numberToText(net * 1.25 / 100.0, 2);
        text += QStringLiteral("Verifikat          = ") + QString::number(n) + u'\n';
        text += QStringLiteral("Bokförings Datum   = ") + date + u'\n';
        text += QStringLiteral("Händelse Datum     = ") + date + u'\n';
        text += QStringLiteral("Faktura/Ref        = ") + QString::number(14000 + n) + u'\n';
        text += QStringLiteral("Konto              = ") + type + u'\n';
        text +=
            QStringLiteral("Från               = Kund nummer ") + QString::number(n % 300) + u'\n';
        text += QStringLiteral("Gata               = Storgatan 1\n");
        text += QStringLiteral("Postnr             = 123 45\n");
        text += QStringLiteral("Ort                = Valla\n");
        text += QStringLiteral("Fritext            = -\n");
        text += QStringLiteral("Moms sats          = 25\n");
        text += QStringLiteral("                   =\n");
        text += QStringLiteral("Konton                           Belopp        Balans\n");
        text += divider + u'\n';
        text += pad(type, netText, 41) + u'\n';
        text += pad(QStringLiteral("Momskonto 25"), vatText, 41) + u'\n';
        text += QStringLiteral("Boka mot ") + pad(QStringLiteral("Bank"), total, 46) + u'\n';
        text += divider + QStringLiteral("\n\n\n");
    }
    return text;
}

// The day book of the year: its head and the blocks.
inline QString dayBook(int count) {
    return QStringLiteral("DAGBOK  2014\n") + QString(86, QLatin1Char('_')) +
           QStringLiteral(
               "\nDagboken listar alla transaktioner datummässigt under året.\n\n\n\n\n") +
           blocks(count);
}

// Writes the whole year: books, lists, cash book and every total the
// closing reads. Returns 0 or the first failing code.
inline int writeYear(const mv::PathTable& p, int count) {
    const QString text = blocks(count);
    long long income = 0, expense = 0;
    QString cashBook = QStringLiteral("KASSABOK\n") + QString(91, u'_') + u'\n';
    for (int n = 1; n <= count; ++n) {
        const long long total = netOre(n) * 125 / 100;
        (isIncome(n) ? income : expense) += netOre(n);
        cashBook += pad(QString(), QString::number(n), 7) + QStringLiteral("  2014-03-07 ") +
                    pad(typeOf(n), isIncome(n) ? QStringLiteral("+") : QStringLiteral("-"), 47) +
                    pad(QString(), mv::numberToText(total / 100.0, 2), 13) + u'\n';
    }
    const auto amount = [](long long ore) { return mv::numberToText(ore / 100.0, 2) + u'\n'; };
    const long long cash = (income - expense) * 125 / 100;
    int rc = 0;
    const auto write = [&rc](const QString& path, const QString& content) {
        if (rc == 0) rc = mv::writeText(path, content);
    };
    write(p.dayBook, dayBook(count));
    write(p.inVerifications, QStringLiteral("INKOMST VERIFIKATIONER\n") + text);
    write(p.outVerifications, QStringLiteral("UTGIFT VERIFIKATIONER\n") + text);
    write(p.cashBook, cashBook);
    write(p.verCounter, QString::number(count));
    write(p.account(typeOf(1)), amount(income));
    write(p.account(typeOf(2)), amount(expense));
    write(p.outputVat(25), amount(income / 4));
    write(p.inputVat(25), amount(expense / 4));
    write(p.cash, amount(cash));
    write(p.moneyAccountName(1), QStringLiteral("Bank\n"));
    write(p.moneyAccountAmount(1), amount(cash));
    write(p.closing(QStringLiteral("inventering_varde")), QStringLiteral("25000\n"));
    write(p.closing(QStringLiteral("fga_inventarievarde")), QStringLiteral("40000.00\n"));
    return rc;
}

} // namespace bench
