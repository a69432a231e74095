// The pick lists of the entry pages: "Lista" beside the name (customers on
// the income page, suppliers on the expense page) and beside the free text
// open their list in place of the field, dropped down at once; a choice is
// taken as soon as it is made, or by the next Enter.
#include "booking/pages/entry_form_page.h"

#include "shell/page.h"
#include "store/change_set.h"
#include "store/store_layout.h"
#include "toolkit/toolkit.h"

namespace bookingui {

namespace {

// The counterparty's address from its register file: the second, third and
// fourth lines.
void fillAddress(const EntryControls& c, const QString& path) {
    const QStringList lines = mv::storedText(path).split(u'\n');
    tk::setText(c.street, lines.value(1));
    tk::setText(c.postcode, lines.value(2));
    tk::setText(c.town, lines.value(3));
}

// A chosen customer goes into an empty name field only (a typed name is
// never overwritten); a chosen supplier replaces the name.
bool takeName(const EntrySetup& s, const EntryControls& c) {
    const int i = tk::selectedIndex(c.nameList);
    const bool income = s.side == mv::Side::Income;
    if (i <= 0 || (income && !tk::text(c.name).isEmpty())) return false;
    const QString name = tk::item(c.nameList, i);
    tk::setText(c.name, name);
    fillAddress(c, income ? shell::paths().customer(name) : shell::paths().supplier(name));
    return true;
}

} // namespace

int entryRunPicks(const EntrySetup& s) {
    const EntryControls& c = entryControls(s.side);
    int taken = 0;
    if (tk::isVisible(c.nameList)) {
        if (takeName(s, c)) taken = c.name;
        tk::hideControl(c.nameList);
        tk::showControl(c.name);
    }
    if (tk::isVisible(c.textList)) {
        const int i = tk::selectedIndex(c.textList);
        if (i > 0) {
            tk::setText(c.freeText, tk::item(c.textList, i));
            taken = c.freeText;
        }
        tk::hideControl(c.textList);
        tk::showControl(c.freeText);
    }
    return taken;
}

bool entryPickChosen(const EntrySetup& s) {
    const EntryControls& c = entryControls(s.side);
    return (tk::isVisible(c.nameList) && tk::selectedIndex(c.nameList) > 0) ||
           (tk::isVisible(c.textList) && tk::selectedIndex(c.textList) > 0);
}

void entryOpenList(const EntrySetup& s, bool names) {
    const EntryControls& c = entryControls(s.side);
    const int list = names ? c.nameList : c.textList;
    const int field = names ? c.name : c.freeText;
    if (shell::state().isLocked() || tk::isReadOnly(field)) return;
    tk::clearList(list);
    const mv::PathTable& p = shell::paths();
    const bool income = s.side == mv::Side::Income;
    const QString path = names ? (income ? p.customerList : p.supplierList)
                               : (income ? p.incomeFreeTexts : p.expenseFreeTexts);
    tk::fillListFromFile(list, -1, path);
    tk::hideControl(field);
    tk::showControl(list);
    tk::setFocus(list);
    tk::dropDown(list);
}

int entryListCommandOf(const EntrySetup& s, int control) {
    const EntryControls& c = entryControls(s.side);
    if (!control) return 0;
    if (control == c.name) return s.nameListCommand;
    if (control == c.freeText) return s.textListCommand;
    return 0;
}

} // namespace bookingui
