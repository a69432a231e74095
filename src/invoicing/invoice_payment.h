#pragma once
// Reading a saved invoice document back, for booking its payment, and
// marking it paid.
//
// The reader goes by the document's lines and labels, never by fixed
// character offsets: the number after "FAKTURA:" or "BOKFÖRINGSUPPDRAG:", the
// customer block after the first rule line (a claim's first header line is
// "Från Skatteverket"), the total of the "Summa" line and the percent of the
// "Momssats" line that follow the article rows.
//
// Marking paid moves <entry>.kdb to <number>_BETALD.kdb (content unchanged);
// it is part of the change that books the payment, so the payment and the
// paid state reach the books together.
#include "store/amount.h"
#include "store/change_set.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>

#include <optional>
#include <vector>

namespace mv {

struct ReadInvoice {
    bool ok = false; // the labels were found
    bool claim = false;
    QString number, date;
    QString name, street, postcode, town;
    QString total; // the "Summa" amount as written
    QString rate;  // the "Momssats" percent as written
    QString toPay; // "Att betala" (or the claim amount)
};

// The document's fields, by its lines and labels.
ReadInvoice readInvoiceDocument(const QString& text);

// The amounts of the document's article rows in row order (0.00 for a row
// without one); empty when the document has no rows.
std::vector<Amount> readInvoiceRowAmounts(const QString& text);

// What the income page fills in when an invoice is picked.
struct InvoicePick {
    bool ok = false;
    QString entry; // the list entry, remembered until the payment is booked
    QString name, street, postcode, town, freeText;
    QString net;             // two decimals
    QString rate;            // the whole percent ("25", "0")
    bool withoutVat = false; // the rate reads 0: a reverse-charge or VAT-free invoice
};

// Reads <entry>.kdb of the year for the income page.
InvoicePick pickInvoice(const PathTable& paths, const QString& entry);

// The open invoice a typed reference names: an OCR reference of an open
// invoice or payment order, or its entry text itself; "" when none.
QString invoiceOfReference(const PathTable& paths, const QString& reference);

// Adds the move of the entry's document to its paid name to the set; the
// refusal when the entry is not an open document of the year (already paid,
// missing, or its paid name taken).
std::optional<Message> addMarkPaidChanges(const PathTable& paths, const QString& entry,
                                          ChangeSet& set);

} // namespace mv
