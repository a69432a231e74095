#include "booking/pages/invoice_pick.h"

#include "booking/pages/booking_pages.h"
#include "invoicing/invoice_numbering.h"
#include "invoicing/invoice_payment.h"
#include "shell/page.h"
#include "toolkit/toolkit.h"

namespace bookingui {

namespace {

int list = 0;
int listButton = 0; // "Lista" beside the reference field
int reference = 0;
QString picked;
bool withoutVat = false;

void closeList() {
    tk::hideControl(list);
    if (reference) tk::showControl(reference);
}

} // namespace

void invoicePickCreate(int window, int x, int y, int width) {
    list = tk::createList(window, x, y, width, 250, QStringLiteral("READDROP"));
    listButton = tk::createButton(window, 225, y, 50, 20, QStringLiteral("Lista"),
                                  QStringLiteral("C"), QStringLiteral("NORMAL"), 1038);
    invoicePickHide();
}

void invoicePickHide() {
    tk::hideControl(list);
    tk::hideControl(listButton);
}

void invoicePickShow(bool enabled) {
    tk::showControl(listButton);
    enabled ? tk::enableControl(listButton) : tk::disableControl(listButton);
}

int invoicePickList() {
    return list;
}

void invoicePickOpen(int referenceField) {
    reference = referenceField;
    if (tk::isReadOnly(referenceField)) return;
    tk::clearList(list);
    for (const QString& entry : mv::invoiceList(shell::paths(), false))
        tk::setItem(list, 10000, entry);
    tk::hideControl(referenceField);
    tk::showControl(list);
    tk::setFocus(list);
    tk::dropDown(list);
}

mv::EntryField invoicePickRun(bool leavingReference) {
    const EntryControls& c = entryControls(mv::Side::Income);
    reference = c.reference;
    QString entry;
    if (tk::isVisible(list)) {
        const int i = tk::selectedIndex(list);
        if (i > 0) entry = tk::item(list, i);
        closeList();
    } else if (leavingReference) {
        entry = mv::invoiceOfReference(shell::paths(), tk::text(c.reference));
        if (entry == picked) entry.clear(); // already in the form
    }
    if (entry.isEmpty()) return mv::EntryField::None;
    const mv::InvoicePick p = mv::pickInvoice(shell::paths(), entry);
    if (!p.ok) return mv::EntryField::None;
    picked = entry;
    withoutVat = p.withoutVat;
    tk::setText(c.reference, entry);
    tk::setText(c.name, p.name);
    tk::setText(c.street, p.street);
    tk::setText(c.postcode, p.postcode);
    tk::setText(c.town, p.town);
    tk::setText(c.freeText, p.freeText);
    tk::setText(c.net, p.net);
    if (p.withoutVat) {
        tk::setItem(c.type, 0, QStringLiteral("Inkomst, Omvänd moms"));
        return mv::EntryField::Net;
    }
    tk::setText(c.rate, p.rate);
    return mv::EntryField::Rate;
}

QString pickedInvoice() {
    return picked;
}

bool pickedWithoutVat() {
    return withoutVat;
}

void invoicePickForget() {
    picked.clear();
    withoutVat = false;
    closeList();
}

std::optional<mv::Message> pickedInvoiceProblem() {
    if (picked.isEmpty()) return std::nullopt;
    mv::ChangeSet scratch(mv::Operation::Income); // only asked, never written
    return mv::addMarkPaidChanges(shell::paths(), picked, scratch);
}

} // namespace bookingui
