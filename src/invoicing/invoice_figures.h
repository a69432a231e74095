#pragma once
// The amounts of an invoice, in whole öre: every row quantity × unit price
// rounded once, the house-work deduction rounded once, the VAT rounded once on
// the total, the amount to pay exactly total + VAT, and the rounding to whole
// kronor that keeps the VAT consistent with the net.
#include "invoicing/invoice_draft.h"
#include "store/amount.h"

#include <QString>

#include <array>

namespace mv {

struct InvoiceFigures {
    // Row i's amount (row 12 of a house-work invoice: the deduction).
    std::array<Amount, invoiceRowCount> rowAmounts{};
    Amount labour;        // row 1 of a house-work invoice
    Amount deduction;     // -(labour × deduction percent), 0 without house-work
    Amount total;         // sum of the rows (the deduction included), rounded when asked
    Amount vat;           // total × rate
    Amount toPay;         // total + VAT
    int rate = 0;         // the whole VAT percent the VAT is computed at
    bool rounded = false; // whole-kronor rounding is on for this invoice

    // The claim of a house-work invoice: the deducted part and its VAT.
    Amount claimTotal, claimVat, claimAmount;
    // House-work: the VAT on the whole labour price.
    Amount labourVat;

    // What the row's amount field shows: "" when the amount is 0.
    QString rowText(int index) const;
};

// The figures of the draft. Unreadable numbers count as 0 here (the save
// refuses them); the VAT percent counts by its whole part.
InvoiceFigures computeFigures(const InvoiceDraft& draft);

// net + net × rate (the VAT rounded once): the amount to pay of a net.
Amount amountToPay(Amount net, int rate);

// The smallest change of the net, away from zero, that makes the amount to
// pay a whole krona; the net itself when it already is one. Some whole kronor
// cannot be reached at some rates (6 %: no net pays exactly 1.00 kr more than
// the one before), and then the next reachable one is taken.
Amount wholeKronorNet(Amount net, int rate);

// A percentage typed with up to two decimals, in hundredths ("50" 5000,
// "12.5" 1250), read leniently (unreadable is 0).
std::int64_t percentHundredths(const QString& text);

} // namespace mv
