#pragma once
// What the income, expense and cash pages share: the booking waiting for its
// cash step, the openings that skip the guard, and (for page tests) the
// handles of their controls. Implemented in the *_page.cpp files.
#include "booking/booking_entry.h"
#include "booking/cash_distribution.h"
#include "booking/entry_rules.h"

#include <array>
#include <functional>
#include <optional>

namespace bookingui {

// The income or expense checked by "Spara" and not yet placed on a money
// account. Nothing of it is on disk.
std::optional<mv::Booking>& pendingBooking();

// An imported cash amount (the opening balance) waiting to be placed on the
// money accounts. Nothing of the import is on disk: commit writes it with the
// placing typed on the cash page, as one change.
struct PendingImport {
    int number = 0;    // the import's verification number
    mv::Amount amount; // the cash to place
    std::function<mv::CommitOutcome(const mv::TransferForm& placing)> commit;
};
std::optional<PendingImport>& pendingImport();

// Opens the cash page for the pending booking or import (no integrity check: the
// booking page that saved it was opened through the guard).
void openCashStep();
// Opens the income or expense page afresh, without the guard (after its
// cash step or a save without one).
void reopenEntryPage(mv::Side side);
// The expense page with the own-tax or own-salary preset and the amount that
// brings the withdrawal account to zero (asked for by the year-end checks).
void openExpenseWithPreset(mv::WithdrawalPreset kind, mv::Amount amount);

// The number of the verification saved last ("Ver.nr" on the entry pages);
// 0 before the first save since the program started.
int& lastBookedNumber();

// Handles of an entry page's controls.
struct EntryControls {
    int number = 0, bookingDate = 0, eventDate = 0, type = 0, reference = 0, name = 0, street = 0,
        postcode = 0, town = 0, freeText = 0, net = 0, rate = 0, vat = 0, sign = 0, ore = 0, total = 0,
        lastNumber = 0;
    int nameList = 0, textList = 0;
    int clearButton = 0, saveButton = 0, nameListButton = 0, textListButton = 0;
    int view = 0;
};
const EntryControls& entryControls(mv::Side side);

struct CashControls {
    int number = 0, date = 0, difference = 0, total = 0;
    std::array<int, 6> names{}, balances{}, moveButtons{};
    int saveButton = 0, view = 0;
};
const CashControls& cashControls();

} // namespace bookingui
