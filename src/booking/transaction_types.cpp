#include "booking/transaction_types.h"

namespace mv {

namespace {

TransactionType make(const char* name, Side side, bool rate, CashEffect cash, TypeGroup group,
                     SpecialKind special = SpecialKind::Ordinary, const char* label = nullptr) {
    TransactionType t;
    t.name = QString::fromUtf8(name);
    t.side = side;
    t.rateRequired = rate;
    t.cash = cash;
    t.group = group;
    t.special = special;
    t.blockLabel = label ? QString::fromUtf8(label) : t.name;
    t.reverseCharge = t.name == QStringLiteral("Utgift, Omvänd moms");
    return t;
}

std::vector<TransactionType> buildTable() {
    using C = CashEffect;
    using G = TypeGroup;
    using K = SpecialKind;
    const Side in = Side::Income;
    const Side out = Side::Expense;
    return {
        make("Inkomst, Arbete och Tjänst", in, true, C::In, G::IncomeWithVat),
        make("Inkomst, Varor o material", in, true, C::In, G::IncomeWithVat),
        make("Inkomst, Annat", in, true, C::In, G::IncomeWithVat),
        make("Inkomst, Omvänd moms", in, false, C::In, G::IncomeWithoutVat),
        make("Inkomst, Momsfritt", in, false, C::In, G::IncomeWithoutVat),
        make("Inkomst, Räntor", in, false, C::In, G::InterestAndLoans),
        make("Inkomst, Inventarier", in, true, C::In, G::IncomeWithVat, K::AssetSale),
        make("Inlåning, Från bank", in, false, C::In, G::InterestAndLoans),
        make("Inlåning, Från ägaren", in, false, C::In, G::InterestAndLoans),
        make("Inlåning, Från annan", in, false, C::In, G::InterestAndLoans),
        make("Justering, Utbokning momstillgång", in, false, C::None, G::VatAssetWriteOff,
             K::VatAssetWriteOff),
        make("Bokslut, Kundfordringar", in, true, C::None, G::ReceivablesClosing,
             K::ReceivablesClosing),
        make("Utgift, Varor o material", out, true, C::Out, G::ExpenseWithVat),
        make("Utgift, Arbete och Tjänst", out, true, C::Out, G::ExpenseWithVat),
        make("Utgift, Annat", out, true, C::Out, G::ExpenseWithVat),
        make("Utgift, Omvänd moms", out, true, C::Out, G::ExpenseWithVat),
        make("Utgift, Momsfritt", out, false, C::Out, G::ExpenseWithoutVat),
        make("Utgift, Räntor (på lån, krediter mm)", out, false, C::Out, G::InterestAndRepayments,
             K::Ordinary, "Utgift, Räntor"),
        make("Utgift, Inventarier", out, true, C::Out, G::ExpenseWithVat),
        make("Utgift, Inventarier (med avskr)", out, true, C::Out, G::ExpenseWithVat,
             K::AssetPurchase),
        make("Utgift, Inventarier Utbokat", out, false, C::None, G::Withdrawals, K::AssetWriteOff),
        make("Utgift, Uttag för egen lön", out, false, C::Out, G::Withdrawals),
        make("Utgift, Uttag för egen skatt", out, false, C::Out, G::Withdrawals),
        make("Utgift, Betalning av Inlåning, Från bank", out, false, C::Out,
             G::InterestAndRepayments, K::Ordinary, "Betalning Banklån"),
        make("Utgift, Betalning av Inlåning, Från ägaren", out, false, C::Out,
             G::InterestAndRepayments, K::Ordinary, "Betalning Ägarlån"),
        make("Utgift, Betalning av Inlåning, Från annan", out, false, C::Out,
             G::InterestAndRepayments, K::Ordinary, "Betalning Annat lån"),
        make("Justering, Utbokning momsskuld", out, false, C::None, G::VatDebtWriteOff,
             K::VatDebtWriteOff),
        make("Bokslut, Leverantörsskulder", out, true, C::None, G::PayablesClosing,
             K::PayablesClosing),
    };
}

} // namespace

const std::vector<TransactionType>& transactionTypes() {
    static const std::vector<TransactionType> table = buildTable();
    return table;
}

const TransactionType* findType(Side side, const QString& name) {
    for (const TransactionType& t : transactionTypes())
        if (t.side == side && t.name == name) return &t;
    return nullptr;
}

QString defaultTypeName(Side side) {
    return side == Side::Income ? QStringLiteral("Inkomst, Arbete och Tjänst")
                                : QStringLiteral("Utgift, Varor o material");
}

} // namespace mv
