#pragma once
// The six money accounts over which the cash total is spread: what the cash
// page shows, the amount waiting to be placed, and transfers between them
// (a verification of its own, "Överföring mellan konton").
#include "booking/booking_entry.h"
#include "store/change_set.h"
#include "store/amount.h"
#include "store/store_layout.h"

#include <array>
#include <vector>

namespace mv {

struct MoneyAccounts {
    std::array<QString, 6> names;     // up to the first line end
    std::array<Amount, 6> balances;
    Amount cashTotal;                 // konto_kassa.kdb
};

MoneyAccounts loadMoneyAccounts(const PathTable& paths);

// The sum of the six balances.
Amount balanceSum(const std::array<Amount, 6>& balances);

// The difference field: cash total - sum of balances, "%.2f". Only an exact
// zero reads "0.00"; -0.50 stays "-0.50".
QString differenceText(Amount cashTotal, const std::array<Amount, 6>& balances);

// What the cash page shows while a booking waits for its cash step: the cash
// total and balances as they will be once the amount is placed on `account`
// (-1: not yet placed, so the difference is the whole amount).
MoneyAccounts pendingView(const MoneyAccounts& stored, Amount cashChange, int account);

// The money accounts a booking or a transfer takes below zero: every account
// whose balance goes down and ends below zero, in account order (an account
// that was below zero already and goes up is not named). A negative cash
// box is almost always a booking error, a bank account may be overdrawn:
// the user is asked, the save is not refused.
struct NegativeAccount {
    int account = 0; // 0..5
    QString name;
    Amount balance;  // after the save
};
std::vector<NegativeAccount> accountsGoingNegative(const std::array<QString, 6>& names,
                                                   const std::array<Amount, 6>& before,
                                                   const std::array<Amount, 6>& after);

// The transfer form: names and balances as typed.
struct TransferForm {
    std::array<QString, 6> names;
    std::array<QString, 6> balances;
};

// Checks and writes a transfer: every balance a plain number, no amount on an
// account without a name, the balances adding up to the cash total. When a
// balance changed, the cash block goes to the cash list and the day book,
// the cash-book line is written and a number is consumed; when only names
// changed they are saved and no number is used (outcome.number 0).
CommitOutcome commitTransfer(const PathTable& paths, const TransferForm& form);

// Imported cash (the opening-balance import hands its cash amount over):
// the typed balances must add up to the cash total the import set. Adds the
// names and balances, the day book's closing dividing line, the cash-book
// line "Bokning av importerad kassa" and the import's own number as the
// counter. Returns the refusal, or an empty message when the changes were
// added. The import may put these into its own change set, so that import
// and distribution reach the books together.
Message addImportedCashChanges(const PathTable& paths, const TransferForm& form, int importNumber,
                               Amount imported, ChangeSet& set);

// The same as one change of its own.
CommitOutcome commitImportedCash(const PathTable& paths, const TransferForm& form, int importNumber,
                                 Amount imported);

} // namespace mv
