#pragma once
// The invoice form's rules: preparing a new invoice of a kind, clearing the
// form, checking what was typed and saving the invoice.
//
// A save is ONE change of the books: the document (both documents of a
// house-work invoice: the invoice n and its claim n + 1 on Skatteverket), the
// counter, the first-save marker and a new customer in the register are
// written together or not at all. The counter never goes down; "Ändra" right
// after a save rewrites the same number's documents with the saved kind.
#include "invoicing/invoice_document.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>

namespace mv {

// Which part of the form a refusal points at, so the page can focus it.
enum class InvoiceField { None, Date, Name, Quantity, UnitPrice, Deduction, VatPercent, Text, HouseWork };

struct PreparedInvoice {
    bool ok = false;
    Message message; // the refusal (numbering exhausted) when !ok
    InvoiceDraft draft;
};

// A new invoice of the kind: the next number, today's date, the header lines
// (the top group of the invoice texts, none for Betal.uppdrag, the house-work
// texts and prompts for Husavdrag), the fixed row texts of the kind, the
// deduction level of the settings and 0 % VAT for Omvänd moms. The customer
// and rows are empty.
PreparedInvoice prepareInvoice(const PathTable& paths, InvoiceKind kind, bool wholeKronor);

// "Rensa": the customer, every quantity and unit price, the VAT percent
// (except the fixed 0 % of Omvänd moms) and the sort texts of rows 2 to 10
// are emptied; row 1's only without house-work; rows 11 to 13's only when
// neither house-work nor reverse charge is set.
InvoiceDraft clearedDraft(const InvoiceDraft& draft);

// The checks of "Spara" that need no question: characters, numbers, date, a
// configured VAT rate, a total of at least one krona, the customer name, and
// for house-work the buyer, the work and the property (house_work.h).
struct DraftCheck {
    bool ok = false;
    Message message;
    InvoiceField field = InvoiceField::None;
    int row = -1; // the row of a refused quantity or unit price
    HouseWorkField houseWorkField = HouseWorkField::None; // field HouseWork
};
DraftCheck checkDraft(const InvoiceDraft& draft, const Settings& settings);

struct InvoiceSave {
    bool saved = false;
    QString shownEntry;  // the entry of the customer's document ("14001", "14005_BU")
    QStringList written; // the entries written
    InvoiceField field = InvoiceField::None;
    int row = -1;
    HouseWorkField houseWorkField = HouseWorkField::None;
};

// "Spara" (change: "Ändra" of the invoice saved last, whose number and kind
// the draft carries). Refusals and warnings are shown through show; nothing
// is written unless every check passed.
InvoiceSave saveInvoice(const PathTable& paths, const InvoiceDraft& draft, bool change,
                        const ShowMessage& show);

// The entries a save of the draft writes (the claim too for house-work).
QStringList documentEntries(const InvoiceDraft& draft);

} // namespace mv
