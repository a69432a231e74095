#pragma once
// The form both entry pages share (income and expense are twins): controls,
// painting, Enter order, live total, the pick lists and "Spara". The two
// page files hold only what differs.
#include "booking/pages/booking_pages.h"
#include "shell/page.h"

namespace bookingui {

struct EntrySetup {
    mv::Side side;
    shell::PageId id;
    int openCommand, clearCommand, saveCommand, nameListCommand, textListCommand;
    const char* heading;        // "INKOMST" / "UTGIFT"
    const char* listTitle;      // "INKOMSTVERIFIKATIONER" / "UTGIFTVERIFIKATIONER"
    const char* bookingDateLabel;
    const char* referenceLabel;
    const char* nameLabel;
    const char* netLabel;
    const char* rateLabel; // "%" / "Moms" (the expense page's one label for rate and VAT)
    const char* vatLabel;  // "Moms" / ""
};

void entryCreate(const EntrySetup& setup, int window);
void entryReset(const EntrySetup& setup);
void entryPaint(const EntrySetup& setup, int window, int& state);
void entryOpen(const EntrySetup& setup);
void entryCommand(const EntrySetup& setup, int command);
void entryKey(const EntrySetup& setup, int command);
void entryEdited(const EntrySetup& setup);
// Fills the form with a preset (type, free text, net) and makes the
// counterparty, rate, sign and öre read-only.
void entryApplyPreset(const EntrySetup& setup, const mv::EntryForm& preset);

// The pick lists (entry_pick_lists.cpp). "Lista" (or Down in the field):
// the list in place of the name or free-text field, dropped down.
void entryOpenList(const EntrySetup& setup, bool names);
// Whether a shown pick list has a choice waiting.
bool entryPickChosen(const EntrySetup& setup);
// Takes the choices of the shown pick lists and closes them: a customer
// only into an empty name field, a supplier or free text always. Result:
// the field that took a choice (0 none).
int entryRunPicks(const EntrySetup& setup);
// The command of the "Lista" button beside the field (0 when it has none).
int entryListCommandOf(const EntrySetup& setup, int control);

const EntrySetup& incomeSetup();
const EntrySetup& expenseSetup();

} // namespace bookingui
