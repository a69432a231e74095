#pragma once
// One income or expense reaches the books as a whole: its block in the list
// and the day book, its cash-book line, the totals, the money account that
// received or paid it, the counter, the registers. Nothing is written before
// the money account is chosen; then everything is written as one change.
#include "booking/booking_entry.h"
#include "store/change_set.h"
#include "store/store_layout.h"

#include <array>

namespace mv {

// The cash step of a booking: the six money-account names as they stand on
// the cash page and the one account (0..5) that receives or pays the whole
// amount.
struct Placement {
    std::array<QString, 6> names;
    int account = -1;
};

// Checks the placement: the account exists and has a name, the names can be stored.
Message checkPlacement(const Placement& placement);

// Adds every change of the booking to set and returns its number (the stored
// counter + 1). The registers are included; the money-account names are
// written where they changed.
int addBookingChanges(const PathTable& paths, const Booking& b, const Placement& placement,
                      ChangeSet& set);

// Checks, computes and writes the booking. On success the outcome holds the
// number written.
CommitOutcome commitBooking(const PathTable& paths, const Booking& b, const Placement& placement);

// The customer (income) or supplier (expense) register and the free-text
// list of the side: a new name first in its list with its file of four
// lines, a new free text first in its list.
void addRegisterChanges(const PathTable& paths, const Booking& b, ChangeSet& set);

// The register rule: the entry becomes the first line of the list unless a
// line already equals it (case-insensitively); the whole earlier list is kept.
// Returns the new list text, or the old one unchanged.
QString listWithEntryFirst(const QString& list, const QString& entry);

} // namespace mv
