#include "interchange/books_agreement.h"

#include "interchange/interchange_messages.h"
#include "reports/ledger.h"
#include "store/change_set.h"

#include <QRegularExpression>

namespace mv {

namespace {

QString firstLineOf(const QString& path) {
    const QString text = storedText(path);
    const qsizetype end = text.indexOf(u'\n');
    return end < 0 ? text : text.left(end);
}

Amount sumOf(const std::map<int, Amount>& m) {
    Amount s;
    for (const auto& [rate, amount] : m)
        s += amount;
    return s;
}

std::map<int, Amount> mapOf(const std::vector<RateAmount>& list) {
    std::map<int, Amount> m;
    for (const RateAmount& r : list)
        m[r.rate] += r.amount;
    return m;
}

// file - day book per rate, over the rates of either.
std::map<int, Amount> difference(const std::map<int, Amount>& files,
                                 const std::map<int, Amount>& day) {
    std::map<int, Amount> d = files;
    for (const auto& [rate, amount] : day)
        d[rate] -= amount;
    for (auto it = d.begin(); it != d.end();)
        it = it->second.isZero() ? d.erase(it) : std::next(it);
    return d;
}

bool isBookingOfCash(const DayBookEntry& e) {
    return e.kind == DayBookEntry::Kind::Booking && movesCash(*e.type);
}

} // namespace

int MoneySlots::slotOf(const QString& name) const {
    const QString wanted = name.trimmed();
    for (int i = 0; i < 6; ++i)
        if (!names[size_t(i)].trimmed().isEmpty() && names[size_t(i)].trimmed() == wanted)
            return i + 1;
    return 0;
}

MoneySlots loadMoneySlots(const PathTable& paths) {
    MoneySlots m;
    for (int i = 1; i <= 6; ++i) {
        m.names[size_t(i - 1)] = firstLineOf(paths.moneyAccountName(i));
        m.balances[size_t(i - 1)] = readLedgerAmount(paths.moneyAccountAmount(i));
    }
    return m;
}

QString compactDate(const QString& isoDate) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(isoDate);
    return m.hasMatch() ? m.captured(1) + m.captured(2) + m.captured(3) : QString();
}

std::optional<Message> verificationRows(const DayBookEntry& e, const MoneySlots& money,
                                        std::vector<SieRow>& rows) {
    rows.clear();
    const auto add = [&rows](int account, Amount amount) {
        if (!amount.isZero()) rows.push_back({account, amount});
    };
    const auto moneyRow = [&](const AccountMove& move) -> std::optional<Message> {
        const int slot = money.slotOf(move.name);
        if (slot == 0) return xmsg::unknownMoneyAccount(e.number, move.name);
        add(moneyAccountNumber(slot), move.change);
        return std::nullopt;
    };
    if (e.kind == DayBookEntry::Kind::Transfer) {
        for (const AccountMove& move : e.moves)
            if (auto refusal = moneyRow(move)) return refusal;
        return std::nullopt;
    }
    if (e.kind != DayBookEntry::Kind::Booking) return std::nullopt;

    const int account = accountOfType(*e.type);
    switch (e.type->special) {
    case SpecialKind::AssetWriteOff:
        add(account, e.total);
        add(bas::fixedAssets, -e.total);
        return std::nullopt;
    case SpecialKind::VatAssetWriteOff:
        // The carried VAT asset is booked out; nothing moves in the books but
        // the carried difference, so the closing basis sees it in the equity.
        add(account, -e.total);
        add(bas::equity, e.total);
        return std::nullopt;
    case SpecialKind::VatDebtWriteOff:
        add(account, e.total);
        add(bas::equity, -e.total);
        return std::nullopt;
    default:
        break;
    }
    const bool income = e.type->side == Side::Income;
    for (const AccountMove& move : e.moves)
        if (auto refusal = moneyRow(move)) return refusal;
    add(account, income ? -e.net : e.net);
    if (income)
        add(outputVatAccount(e.rate), -e.vat);
    else
        add(inputVatAccount, e.vat);
    add(reverseVatAccount(e.rate), -e.reverseVat);
    add(bas::rounding, income ? -e.ore : e.ore);
    return std::nullopt;
}

DayBookVat dayBookVat(const std::vector<DayBookEntry>& entries) {
    DayBookVat v;
    for (const DayBookEntry& e : entries) {
        if (!isBookingOfCash(e)) continue;
        if (!e.vat.isZero()) (e.type->side == Side::Income ? v.output : v.input)[e.rate] += e.vat;
        if (!e.reverseVat.isZero()) v.reverse[e.rate] += e.reverseVat;
    }
    return v;
}

VatResidual vatResidual(const ClosingBooks& books, const DayBookVat& day) {
    return {difference(mapOf(books.outputVat), day.output),
            difference(mapOf(books.inputVat), day.input),
            difference(mapOf(books.reverseVat), day.reverse)};
}

std::optional<Message> booksDisagreement(const PathTable& paths, const ClosingBooks& books,
                                         const std::vector<DayBookEntry>& entries,
                                         const MoneySlots& money) {
    for (const TransactionType& t : transactionTypes()) {
        if (t.special == SpecialKind::ReceivablesClosing ||
            t.special == SpecialKind::PayablesClosing)
            continue;
        Amount day;
        for (const DayBookEntry& e : entries)
            if (e.kind == DayBookEntry::Kind::Booking && e.type == &t) day += e.net;
        const Amount total = readLedgerAmount(paths.account(t.name));
        if (day != total) return xmsg::typeDisagrees(t.name, day, total);
    }
    Amount rounding;
    for (const DayBookEntry& e : entries)
        if (isBookingOfCash(e)) rounding += e.type->side == Side::Income ? e.ore : -e.ore;
    if (rounding != books.rounding) return xmsg::roundingDisagrees(rounding, books.rounding);

    const VatResidual residual = vatResidual(books, dayBookVat(entries));
    if (sumOf(residual.output) != books.receivablesVat)
        return xmsg::vatDisagrees(true, sumOf(residual.output), books.receivablesVat);
    if (sumOf(residual.input) != books.payablesVat)
        return xmsg::vatDisagrees(false, sumOf(residual.input), books.payablesVat);
    if (!residual.reverse.empty()) return xmsg::reverseVatDisagrees();

    Amount placed;
    for (const Amount& b : money.balances)
        placed += b;
    if (placed != books.cash) return xmsg::cashNotPlaced(books.cash, placed);
    return std::nullopt;
}

} // namespace mv
