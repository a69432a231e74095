#include "invoicing/invoice_figures.h"

#include "store/text_util.h"

namespace mv {

namespace {

constexpr int kLabourRow = 0;
constexpr int kDeductionRow = 11;

// A quantity or price as typed; a quantity counts in hundredths.
Amount lenient(const QString& text) {
    return Amount::parseLenient(text);
}

} // namespace

QString InvoiceFigures::rowText(int index) const {
    const Amount a = rowAmounts[size_t(index)];
    return a.isZero() ? QString() : a.toText();
}

std::int64_t percentHundredths(const QString& text) {
    return lenient(text).ore();
}

Amount amountToPay(Amount net, int rate) {
    return net + net.percent(rate);
}

Amount wholeKronorNet(Amount net, int rate) {
    const Amount pay = amountToPay(net, rate);
    if (pay.ore() % 100 == 0 || rate < 0) return net;
    const Amount step = Amount::fromOre(pay.ore() < 0 ? -1 : 1);
    Amount candidate = net;
    // Each öre of net adds at least one öre to the amount to pay, so a whole
    // krona is reached within (100 + rate) steps.
    for (int i = 0; i < 100 * (rate + 2); ++i) {
        candidate += step;
        if (amountToPay(candidate, rate).ore() % 100 == 0) return candidate;
    }
    return net;
}

InvoiceFigures computeFigures(const InvoiceDraft& draft) {
    InvoiceFigures f;
    const bool houseWork = draft.kind == InvoiceKind::HouseWork;
    Amount sum;
    for (int i = 0; i < invoiceRowCount; ++i) {
        const InvoiceRow& row = draft.rows[size_t(i)];
        if (houseWork && i == kDeductionRow) continue;
        const Amount quantity = lenient(row.quantity);
        const Amount amount = lenient(row.unitPrice).mulDiv(quantity.ore(), 100);
        f.rowAmounts[size_t(i)] = amount;
        sum += amount;
    }
    f.rate = int(textToInteger(draft.vatPercent));
    if (draft.kind == InvoiceKind::ReverseCharge) f.rate = 0;
    if (houseWork) {
        f.labour = f.rowAmounts[kLabourRow];
        f.deduction = -f.labour.mulDiv(percentHundredths(draft.deductionPercent), 10000);
        f.rowAmounts[kDeductionRow] = f.deduction;
        f.claimTotal = -f.deduction;
        f.claimVat = f.claimTotal.percent(f.rate);
        f.claimAmount = f.claimTotal + f.claimVat;
        f.labourVat = f.labour.percent(f.rate);
    }
    f.total = sum + f.deduction;
    f.rounded = draft.wholeKronor;
    if (f.rounded) f.total = wholeKronorNet(f.total, f.rate);
    f.vat = f.total.percent(f.rate);
    f.toPay = f.total + f.vat;
    return f;
}

} // namespace mv
