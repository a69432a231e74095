#pragma once
// The invariants of a year's books, read back from the files alone:
// - the day book numbers its verifications 1, 2, ... and the counter is the
//   last of them;
// - the cash total equals the sum of the money accounts and the running
//   total of the cash book's last line with an amount;
// - the cash total equals the opening cash plus the money booked (incomes
//   minus expenses of the types that move money, the VAT and the rounding);
// - every type total, VAT total and the rounding equal the sums of their
//   lines in the verification lists (VAT registered with a closing receivable
//   or payable counted with it), and each closing list adds up to its totals.
// auditYear returns "" when they all hold, else the first that does not.
#include "booking/cash_distribution.h"
#include "booking/transaction_types.h"
#include "reports/closing_basis.h"
#include "store/change_set.h"
#include "store/record_file.h"
#include "store/store_layout.h"
#include "support/list_sums.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <map>

namespace audit {

using mv::Amount;

inline QString amountsDiffer(const QString& what, Amount stored, Amount summed) {
    if (stored == summed) return QString();
    return QStringLiteral("%1: %2, lines %3").arg(what, stored.toText(), summed.toText());
}

// The verification numbers of the day book, in order.
inline std::vector<int> dayBookNumbers(const QString& dayBook) {
    static const QRegularExpression number(QStringLiteral("^Verifikat          = (\\d+)$"),
                                           QRegularExpression::MultilineOption);
    std::vector<int> out;
    auto it = number.globalMatch(dayBook);
    while (it.hasNext()) out.push_back(it.next().captured(1).toInt());
    return out;
}

// The cheap invariants: numbering, counter, money accounts, cash book.
inline QString auditCounterAndCash(const mv::PathTable& p) {
    const std::vector<int> numbers = dayBookNumbers(mv::storedText(p.dayBook));
    for (size_t i = 0; i < numbers.size(); ++i)
        if (numbers[i] != int(i) + 1)
            return QStringLiteral("%1: verification %2 where %3 belongs")
                .arg(p.year)
                .arg(numbers[i])
                .arg(i + 1);
    if (mv::storedCounter(p) != int(numbers.size()))
        return QStringLiteral("%1: counter %2, blocks %3").arg(p.year).arg(mv::storedCounter(p)).arg(numbers.size());
    const mv::MoneyAccounts m = mv::loadMoneyAccounts(p);
    if (const QString d = amountsDiffer(p.year + QStringLiteral(" cash total against money accounts"),
                                        m.cashTotal, mv::balanceSum(m.balances));
        !d.isEmpty())
        return d;
    // The last cash-book line with an amount ends in the cash total
    // (write-offs end in "Påverkar ej =", the completed year in its lock note).
    static const QRegularExpression endsInAmount(QStringLiteral("-?\\d+\\.\\d\\d$"));
    QStringList cashLines = mv::storedText(p.cashBook).split(u'\n', Qt::SkipEmptyParts);
    while (!cashLines.isEmpty() && !endsInAmount.match(cashLines.last()).hasMatch()) cashLines.removeLast();
    if (cashLines.size() > 4)
        return amountsDiffer(p.year + QStringLiteral(" cash book's running total"), lastAmountOf(cashLines.last()),
                             m.cashTotal);
    return QString();
}

// Sum of the amount lines of a closing list (below its dividing line).
inline Amount closingListSum(const QString& text) {
    Amount sum;
    bool below = false;
    for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (line == QString(59, u'_')) {
            below = true;
            continue;
        }
        if (below) sum += lastAmountOf(line);
    }
    return sum;
}

// Every invariant of the year.
inline QString auditYear(const mv::PathTable& p) {
    if (const QString d = auditCounterAndCash(p); !d.isEmpty()) return d;
    BlockSums s;
    readList(p, mv::storedText(p.inVerifications), true, s);
    readList(p, mv::storedText(p.outVerifications), false, s);
    Amount sides;
    for (const mv::TransactionType& t : mv::transactionTypes()) {
        const Amount total = mv::readAmountFile(p.account(t.name));
        if (const QString d = amountsDiffer(p.year + QLatin1Char(' ') + t.name, total, s.types[t.name]); !d.isEmpty()) return d;
        if (mv::movesCash(t)) sides += t.side == mv::Side::Income ? total : -total;
    }
    const Amount rounding = mv::readAmountFile(p.rounding);
    if (const QString d = amountsDiffer(p.year + QStringLiteral(" rounding"), rounding, s.rounding); !d.isEmpty())
        return d;
    // The VAT the closing registrations booked has no list line: per side,
    // the VAT files exceed their lines by the registered VAT.
    Amount registeredOut, registeredIn, vat;
    for (int rate = 1; rate <= 49; ++rate) {
        const Amount out = mv::readAmountFile(p.outputVat(rate)), in = mv::readAmountFile(p.inputVat(rate)),
                     reverse = mv::readAmountFile(p.reverseVat(rate));
        registeredOut += out - s.vatFiles[p.outputVat(rate)];
        registeredIn += in - s.vatFiles[p.inputVat(rate)];
        if (const QString d = amountsDiffer(p.reverseVat(rate), reverse, s.vatFiles[p.reverseVat(rate)]); !d.isEmpty())
            return d;
        vat += out + reverse - in;
    }
    struct Closing {
        const char* base;
        Amount registered;
    };
    for (const Closing& c : {Closing{"Kundfordringar", registeredOut}, Closing{"Leverantorsskulder", registeredIn}}) {
        const QString base = QString::fromUtf8(c.base);
        const Amount net = mv::readAmountFile(p.closing(base)), moms = mv::readAmountFile(p.closing(base + QStringLiteral("Moms")));
        if (const QString d = amountsDiffer(p.year + QLatin1Char(' ') + base + QStringLiteral(" VAT in the VAT files"), c.registered, moms);
            !d.isEmpty())
            return d;
        if (const QString d = amountsDiffer(p.year + QLatin1Char(' ') + base + QStringLiteral("Lista"), net + moms,
                                            closingListSum(mv::storedText(p.closing(base + QStringLiteral("Lista")))));
            !d.isEmpty())
            return d;
        vat += c.base[0] == 'K' ? -moms : moms;
    }
    // Money that came in without a booking: the cash of the opening balance
    // (registered or carried from the year before).
    const Amount opening =
        mv::balanceAmount(mv::readBalanceLines(p.closing(QStringLiteral("fga_ing_balans"))), 0);
    const Amount cash = mv::readAmountFile(p.cash);
    return amountsDiffer(p.year + QStringLiteral(" cash total against the opening cash and the bookings"), cash,
                         opening + sides + vat + rounding);
}

} // namespace audit
