#include "booking/entry_rules.h"

#include "store/clock.h"

namespace mv {

FieldRules fieldRules(const TransactionType& type) {
    using F = EntryField;
    const QList<F> full = {F::Reference, F::Name, F::Street, F::Postcode, F::Town, F::FreeText, F::Net};
    FieldRules r;
    switch (type.group) {
    case TypeGroup::InterestAndLoans:
    case TypeGroup::InterestAndRepayments:
        r.editable = r.order = full;
        break;
    case TypeGroup::IncomeWithoutVat:
    case TypeGroup::ExpenseWithoutVat:
        r.editable = r.order = full + QList<F>{F::Sign, F::Ore};
        r.takesOre = true;
        break;
    case TypeGroup::IncomeWithVat:
    case TypeGroup::ExpenseWithVat:
        r.editable = r.order = full + QList<F>{F::Rate, F::Sign, F::Ore};
        r.takesOre = true;
        break;
    case TypeGroup::ReceivablesClosing:
    case TypeGroup::PayablesClosing:
        r.editable = r.order = {F::Reference, F::Name, F::Net, F::Rate};
        r.showNumber = false;
        break;
    case TypeGroup::VatAssetWriteOff:
    case TypeGroup::VatDebtWriteOff:
        r.editable = {F::Reference, F::Name, F::Net, F::FreeText};
        r.order = {F::Reference, F::Name, F::Net};
        break;
    case TypeGroup::Withdrawals:
        r.editable = r.order = {F::Reference, F::FreeText, F::Net};
        break;
    }
    return r;
}

EntryField nextField(const FieldRules& rules, EntryField current) {
    if (current == EntryField::EventDate) return EntryField::Type;
    if (current == EntryField::Type || current == EntryField::None)
        return rules.order.isEmpty() ? EntryField::None : rules.order.first();
    const qsizetype at = rules.order.indexOf(current);
    if (at < 0 || at + 1 >= rules.order.size()) return EntryField::None;
    return rules.order[at + 1];
}

EntryForm withdrawalPreset(WithdrawalPreset kind, Amount amount) {
    EntryForm f;
    f.side = Side::Expense;
    f.eventDate = todayText();
    if (kind == WithdrawalPreset::OwnTax) {
        f.type = QString::fromUtf8("Utgift, Uttag för egen skatt");
        f.freeText = QString::fromUtf8("Eget uttag för skatt. Nollställer kontot.");
    } else {
        f.type = QString::fromUtf8("Utgift, Uttag för egen lön");
        f.freeText = QString::fromUtf8("Eget uttag för lön. Nollställer kontot.");
    }
    f.net = amount.toText();
    return f;
}

} // namespace mv
