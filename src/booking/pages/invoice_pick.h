#pragma once
// The invoice pick of the income page: "Lista" beside the reference (1038)
// opens the list of the year's open invoices in place of the reference
// field; a chosen invoice, or a typed reference that names one (its OCR
// reference or its entry), fills the form from the document. The picked
// invoice is remembered until the form is emptied, and its cash step marks
// it paid.
#include "booking/booking_entry.h"

#include <QString>

#include <optional>

namespace bookingui {

// The list (at x, y over the reference field) and its "Lista" button.
void invoicePickCreate(int window, int x, int y, int width);
void invoicePickHide();
// The button, when the income page opens (disabled in a locked year).
void invoicePickShow(bool enabled);
// "Lista" (1038): the list in place of the reference field, with the focus.
void invoicePickOpen(int referenceField);
// The list's handle (a focus there counts as the reference field).
int invoicePickList();

// The Enter handler's pick: a choice in the open list, or (when Enter leaves
// the reference field) a typed reference naming an open invoice. Fills the
// income form and returns the field to focus (the rate, or the net when the
// invoice carries no VAT and the type became "Inkomst, Omvänd moms"); None
// when nothing was picked.
mv::EntryField invoicePickRun(bool leavingReference);

// The invoice picked since the form was emptied ("" none), and whether it
// carries no VAT.
QString pickedInvoice();
bool pickedWithoutVat();
void invoicePickForget();

// The refusal when the picked invoice can no longer be marked paid.
std::optional<mv::Message> pickedInvoiceProblem();

} // namespace bookingui
