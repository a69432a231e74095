#pragma once
// The invoicing subsystem owns the folder "fakturor" of a year (invoice
// documents, their numbering and paid state, the article register), the
// customer register, the invoice texts and the stock count. A saved invoice is
// not a record of fields but a finished fixed-width text document: the very
// text shown in the viewer, opened as text or HTML and read back when the
// invoice is paid.
//
// This header: the invoice as the form holds it, a draft of texts.
#include "invoicing/house_work.h"

#include <QString>

#include <array>

namespace mv {

enum class InvoiceKind { Standard, ReverseCharge, HouseWork, PaymentOrder };

inline constexpr int invoiceRowCount = 13;
inline constexpr int invoiceHeaderCount = 6;
inline constexpr int invoiceMiddleCount = 4;

struct InvoiceRow {
    QString sort, quantity, unitPrice;
};

// Every text of the invoice form as it stands; the computed amounts are not
// part of it (InvoiceFigures computes them from these texts).
struct InvoiceDraft {
    InvoiceKind kind = InvoiceKind::Standard;
    QString date, number;
    QString name, street, postcode, town, phone, mail;
    QString vatNumber; // the buyer's VAT registration number (reverse charge)
    std::array<QString, invoiceHeaderCount> header;
    std::array<InvoiceRow, invoiceRowCount> rows;
    QString deductionPercent; // house-work only
    HouseWorkDetails houseWork; // house-work only: what the claim file needs
    QString vatPercent;
    bool wholeKronor = false;
};

} // namespace mv
