#pragma once
// The day book (_dagbok.kdb) and the cash book (_kassabok.kdb): their heads
// and the fixed entries that the opening-balance import and the completion of
// a year write into them. Booking appends the ordinary blocks and lines; the
// viewer only loads the files.
//
// Every block starts with the line "Verifikat          = " + number and holds
// two dividing lines of 60 hyphens, the second ending the block, so that one
// verification can be found and printed (verification_search.h).
//
// Every function returns 0 or the first failing code of the file primitives
// (2 cannot open, 3 read or write error); after a failure nothing more is
// written.
#include "store/amount.h"
#include "store/store_layout.h"

#include <QString>

#include <array>

namespace mv {

// A book that is missing or holds fewer than 5 characters gets its head again.
bool bookNeedsHead(const QString& path);

// "DAGBOK  " + year, 86 underscores, the explaining line, four empty lines.
int writeDayBookHead(const QString& path, const QString& year);
// "DAGBOK", 86 underscores, one empty line (opening-balance import and the
// first entry of a year carried from the previous one).
int writeShortDayBookHead(const QString& path);
// "KASSABOK", 91 underscores, the column line, 91 underscores.
int writeCashBookHead(const QString& path);

// The heads only when the book needs one (see bookNeedsHead); 0 otherwise.
int ensureDayBookHead(const PathTable& paths);
int ensureShortDayBookHead(const PathTable& paths);
int ensureCashBookHead(const PathTable& paths);

// The balances registered once when earlier books are taken over.
struct OpeningBalanceEntry {
    long long number = 0;
    QString date;         // YYYY-MM-DD
    Amount cash;          // "Kassa, Bank mm"
    Amount equipment;     // "Inventarier"
    Amount stock;         // "Varulager"
    Amount receivables;   // "Kundfordringar"
    Amount payables;      // "Leverant.skulder"
    Amount loans;         // "Företag. inlåning"
    Amount equity;        // "Företag. eget kap."
    Amount vatDifference; // "Momsskillnad"
};

// Appends the import verification to the day book (the short head first when
// the day book needs one).
int appendOpeningBalanceEntry(const PathTable& paths, const OpeningBalanceEntry& entry);

// The last verification of a completed year: the block in the day book and the
// line in the cash book of that year (each book gets its head first when it
// needs one).
int appendYearCompletedEntry(const PathTable& closedYear, long long number, const QString& date);

// The first verification of the year that follows a completed one: what was
// carried over.
struct CarriedBalancesEntry {
    long long number = 0;
    QString date;      // YYYY-MM-DD
    Amount equipment;  // "Inventarier"
    Amount stockValue; // "Varuvärde"
    Amount loanOther;  // "Lån från annan"
    Amount loanBank;   // "Lån från bank"
    Amount loanOwner;  // "Lån från ägaren"
    std::array<QString, 6> moneyAccountNames;
    std::array<Amount, 6> moneyAccountBalances; // the summed balances
    Amount carriedCash;                         // the closed year's cash total
    Amount newCashTotal;                        // the next year's cash total after adding it
};

// Appends the carried-balances verification to the next year's day book and
// its line to the next year's cash book (short day-book head and cash-book
// head first when needed). Items of 0.00 or less and money accounts whose name
// has fewer than two characters get no lines.
int appendCarriedBalancesEntry(const PathTable& nextYear, const CarriedBalancesEntry& entry);

} // namespace mv
