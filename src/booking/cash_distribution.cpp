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

std::vector<NegativeAccount> accountsGoingNegative(const std::array<QString, 6>& names,
                                                   const std::array<Amount, 6>& before,
                                                   const std::array<Amount, 6>& after) {
    std::vector<NegativeAccount> negative;
    for (size_t i = 0; i < 6; ++i) {
        if (after[i] < before[i] && after[i] < Amount())
            negative.push_back({int(i), names[i], after[i]});
    }
    return negative;
}

namespace {

// The typed form as amounts; the refusal when a name or an amount cannot be taken.
Message readForm(const TransferForm& form, TransferLines& lines) {
    lines.names = form.names;
    for (int i = 0; i < 6; ++i) {
        for (QChar c : form.names[size_t(i)])
            if (c.unicode() < 0x20 || !isCp1252(QString(c))) return msg::badCharacter(c);
        const std::optional<Amount> a = typedAmount(form.balances[size_t(i)]);
        if (!a) return msg::badAmount();
        if (form.names[size_t(i)].isEmpty() && !a->isZero()) return msg::unnamedAccount();
        lines.after[size_t(i)] = *a;
    }
    return Message();
}

void addNames(const PathTable& paths, const MoneyAccounts& stored, const TransferForm& form, ChangeSet& set) {
    for (int i = 0; i < 6; ++i) {
        const QString path = paths.moneyAccountName(i + 1);
        if (stored.names[size_t(i)] != form.names[size_t(i)] || !set.text(path).endsWith(u'\n'))
            set.setText(path, form.names[size_t(i)] + QStringLiteral("\n"));
    }
}

void addBalances(const PathTable& paths, const TransferLines& lines, ChangeSet& set) {
    for (int i = 0; i < 6; ++i)
        if (lines.after[size_t(i)] != lines.before[size_t(i)])
            set.setText(paths.moneyAccountAmount(i + 1), lines.after[size_t(i)].toText() + QStringLiteral("\n"));
}

} // namespace

Message addImportedCashChanges(const PathTable& paths, const TransferForm& form, int importNumber,
                               Amount imported, ChangeSet& set) {
    TransferLines lines;
    if (Message m = readForm(form, lines); !m.text.isEmpty()) return m;
    const MoneyAccounts stored = loadMoneyAccounts(paths);
    const Amount cash = set.amount(paths.cash);
    if (!(cash - balanceSum(lines.after)).isZero()) return msg::unbalanced();
    lines.before = stored.balances;
    addNames(paths, stored, form, set);
    addBalances(paths, lines, set);
    const QString date = todayText();
    set.appendWithHead(paths.dayBook, dayBookHead(paths.year), blockEnd());
    set.appendWithHead(paths.cashBook, cashBookHead(), importedCashBookLine(importNumber, date, imported, cash));
    set.setText(paths.verCounter, QString::number(importNumber));
    set.setText(paths.dayBookDate, date + QStringLiteral("\n"));
    return Message();
}

CommitOutcome commitImportedCash(const PathTable& paths, const TransferForm& form, int importNumber,
                                 Amount imported) {
    CommitOutcome out;
    if (recoverInterruptedBooking(paths) != 0) {
        out.message = msg::writeFailed(bookingUndoPath(paths));
        return out;
    }
    ChangeSet set(Operation::ImportedCash);
    if (Message m = addImportedCashChanges(paths, form, importNumber, imported, set); !m.text.isEmpty()) {
        out.message = m;
        return out;
    }
    return commitChangeSet(paths, set, importNumber);
}

CommitOutcome commitTransfer(const PathTable& paths, const TransferForm& form) {
    CommitOutcome out;
    TransferLines lines;
    if (Message m = readForm(form, lines); !m.text.isEmpty()) {
        out.message = m;
        return out;
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

    ChangeSet set(Operation::Transfer);
    addNames(paths, stored, form, set);
    const bool moved = lines.after != lines.before;
    int number = 0;
    if (moved) {
        number = storedCounter(paths) + 1;
        const QString date = todayText();
        addBalances(paths, lines, set);
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
