#pragma once
// Which fields of the income and expense pages are editable for a type, and
// the order Enter walks them; the presets that fill the form.
#include "booking/booking_entry.h"
#include "booking/transaction_types.h"

#include <QList>

namespace mv {

struct FieldRules {
    QList<EntryField> editable;   // besides the event date and the type list
    QList<EntryField> order;      // Enter order after the type list; then "Spara"
    bool showNumber = true;       // false for the closing registrations
    bool takesOre = false;        // sign and öre count for this type
};

FieldRules fieldRules(const TransactionType& type);

// The field Enter moves to after `current` (EventDate and Type lead into the
// group's order); EntryField::None means the save button.
EntryField nextField(const FieldRules& rules, EntryField current);

// The expense page's presets for the owner's withdrawals, asked for by the
// year handling with the amount that brings the account to zero.
enum class WithdrawalPreset { OwnTax, OwnSalary };
EntryForm withdrawalPreset(WithdrawalPreset kind, Amount amount);

} // namespace mv
