#include "booking/cash_distribution.h"

#include "booking/booking_commit.h"
#include "booking/verification_text.h"
#include "store/clock.h"
#include "store/text_codec.h"

namespace mv {

namespace {

QString firstLine(const QString& text) {
    const qsizetype end = text.indexOf(u'\n');
    return end < 0 ? text : text.left(end);
}

} // namespace

MoneyAccounts loadMoneyAccounts(const PathTable& paths) {
    MoneyAccounts m;
    for (int i = 0; i < 6; ++i) {
        m.names[size_t(i)] = firstLine(storedText(paths.moneyAccountName(i + 1)));
        m.balances[size_t(i)] =
            Amount::parseLenient(firstLine(storedText(paths.moneyAccountAmount(i + 1))).left(20));
    }
    m.cashTotal = Amount::parseLenient(firstLine(storedText(paths.cash)).left(20));
    return m;
}

Amount balanceSum(const std::array<Amount, 6>& balances) {
    Amount sum;
    for (Amount a : balances) sum += a;
    return sum;
}

QString differenceText(Amount cashTotal, const std::array<Amount, 6>& balances) {
    return (cashTotal - balanceSum(balances)).toText();
}

MoneyAccounts pendingView(const MoneyAccounts& stored, Amount cashChange, int account) {
    MoneyAccounts v = stored;
    v.cashTotal += cashChange;
    if (account >= 0 && account < 6) v.balances[size_t(account)] += cashChange;
    return v;
}

CommitOutcome commitTransfer(const PathTable& paths, const TransferForm& form) {
    CommitOutcome out;
    TransferLines lines;
    lines.names = form.names;
    for (int i = 0; i < 6; ++i) {
        for (QChar c : form.names[size_t(i)])
            if (c.unicode() < 0x20 || !isCp1252(QString(c))) {
                out.message = msg::badCharacter(c);
                return out;
            }
        const std::optional<Amount> a = typedAmount(form.balances[size_t(i)]);
        if (!a) {
            out.message = msg::badAmount();
            return out;
        }
        if (form.names[size_t(i)].isEmpty() && !a->isZero()) {
            out.message = msg::unnamedAccount();
            return out;
        }
        lines.after[size_t(i)] = *a;
    }
    if (recoverInterruptedBooking(paths) != 0) {
        out.message = msg::writeFailed(bookingUndoPath(paths));
        return out;
    }
    const MoneyAccounts stored = loadMoneyAccounts(paths);
    lines.before = stored.balances;
    if (!(stored.cashTotal - balanceSum(lines.after)).isZero()) {
        out.message = msg::unbalanced();
        return out;
    }

    ChangeSet set;
    for (int i = 0; i < 6; ++i) {
        const QString path = paths.moneyAccountName(i + 1);
        if (stored.names[size_t(i)] != form.names[size_t(i)] || !set.text(path).endsWith(u'\n'))
            set.setText(path, form.names[size_t(i)] + QStringLiteral("\n"));
    }
    const bool moved = lines.after != lines.before;
    int number = 0;
    if (moved) {
        number = storedCounter(paths) + 1;
        const QString date = todayText();
        for (int i = 0; i < 6; ++i)
            if (lines.after[size_t(i)] != lines.before[size_t(i)])
                set.setText(paths.moneyAccountAmount(i + 1),
                            lines.after[size_t(i)].toText() + QStringLiteral("\n"));
        const QString block = transferBlock(number, date, lines);
        set.appendWithHead(paths.transferVerifications, listHead(ListKind::Cash), block);
        set.appendWithHead(paths.dayBook, dayBookHead(paths.year), block);
        set.appendWithHead(paths.cashBook, cashBookHead(),
                           transferCashBookLine(number, date, stored.cashTotal));
        set.setText(paths.verCounter, QString::number(number));
        set.setText(paths.dayBookDate, date + QStringLiteral("\n"));
    }
    if (set.changes().empty()) {
        out.ok = true;
        return out;
    }
    out = commitChangeSet(paths, set, number);
    return out;
}

} // namespace mv
