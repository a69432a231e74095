#pragma once
// The opening balance ("REGISTRERA INGÅENDE BALANS") of a business that
// starts its books here in mid-life: registered once, for a year whose
// previous year was not kept in this program, into the same carried files
// the completion of a year writes (year_completion.h).
//
// Six balance-sheet amounts and the VAT still owed are typed; the equity is
// the balancing item: total assets (cash, fixed assets, stock, receivables
// and a VAT asset) less the debts (payables, loans and a VAT debt). The
// opening balance file holds ten lines like the closing balance it stands
// for. The cash amount is added to the cash total and placed on the money
// accounts on the cash page; the import, the placing and the verification
// reach the books as ONE change.
#include "booking/cash_distribution.h"
#include "store/amount.h"
#include "store/change_set.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>

#include <array>
#include <optional>

namespace mv {

// The rows of the page, in order; row 7 (equity) is computed.
enum OpeningRow : int {
    RowCash = 0,
    RowEquipment,
    RowStock,
    RowReceivables,
    RowPayables,
    RowLoans,
    RowEquity,
    RowVat,
};
inline constexpr int openingRowCount = 8;

struct OpeningBalance {
    Amount cash;          // "Kassa, Bank mm"
    Amount equipment;     // fixed assets
    Amount stock;         // "Varulager"
    Amount receivables;   // "Kundfordringar"
    Amount payables;      // "Leverantörsskulder"
    Amount loans;         // the business's borrowing
    Amount vatDifference; // above zero a VAT debt, below zero a VAT asset

    Amount vatDebt() const { return vatDifference > Amount() ? vatDifference : Amount(); }
    Amount vatAsset() const { return vatDifference < Amount() ? -vatDifference : Amount(); }
    Amount totalAssets() const { return cash + equipment + stock + receivables + vatAsset(); }
    Amount equity() const { return totalAssets() - payables - loans - vatDebt(); }
    Amount totalLiabilities() const { return payables + loans + vatDebt() + equity(); }
};

// bokslut_fga_ing_balans.kdb: rows 1 to 7, the sum of the assets, the sum of
// debts and equity, the VAT still owed; each with two decimals.
QString openingBalanceFileText(const OpeningBalance& b);

// Whether the year can take an opening balance.
enum class OpeningState {
    Open,
    Locked,            // the year is locked: the page only shows
    PreviousYearKept,  // the previous year has a closing balance
    AlreadyRegistered, // this year has an opening balance (registered or carried)
};
OpeningState openingState(const PathTable& paths);
// The message of a refusal (empty for Open and Locked).
Message openingRefusal(OpeningState state);

// What the page shows: rows 1 to 7 from the stored opening balance (each line
// up to 20 characters), row 8 from the carried VAT difference.
std::array<QString, openingRowCount> storedOpeningRows(const PathTable& paths);

// The typed rows (row 7 is not read). Nothing, with the refusal, when a row
// is not a plain number.
std::optional<OpeningBalance> readOpeningRows(const std::array<QString, openingRowCount>& typed,
                                              Message& refusal);

// The verification number of the registration: the counter + 1.
int openingNumber(const PathTable& paths);

// The cash amount is placed on the money accounts first (the cash page).
inline bool needsCashStep(const OpeningBalance& b) {
    return !b.cash.isZero();
}

// Adds every change of the registration but the placing of the cash: the
// opening balance and carried files, the stock count preset (when the year
// has none of its own), the cash total, the day-book verification, the
// counter and the date.
void addOpeningBalanceChanges(const PathTable& paths, const OpeningBalance& b, int number,
                              ChangeSet& set);

// Checks and writes the registration as one change, with the placing of the
// cash typed on the cash page (required when needsCashStep; its balances must
// add up to the new cash total).
CommitOutcome commitOpeningBalance(const PathTable& paths, const OpeningBalance& b,
                                   const TransferForm* placing);

// "Import av föregående års balans sparades!", with the note on the cash page
// when the cash is placed next.
Message openingSavedMessage(bool cashStep);

} // namespace mv
