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
// Every entry is composed as text and added to a change set (change_set.h),
// so that it reaches the books together with the rest of its operation; a
// book that is missing or holds fewer than 5 characters gets its head first.
#include "store/amount.h"
#include "store/change_set.h"
#include "store/store_layout.h"

#include <QString>

#include <array>

namespace mv {

// "DAGBOK", 86 underscores, one empty line: the head of a day book begun by
// the opening-balance import or by the first entry of a year carried from
// the previous one. Booking begins a book with the full heads
// (booking/verification_text.h).
QString shortDayBookHead();

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

// The import verification as the day book shows it, and added to the day
// book (the short head first when the day book needs one).
QString openingBalanceEntryText(const OpeningBalanceEntry& entry);
void addOpeningBalanceEntry(const PathTable& paths, const OpeningBalanceEntry& entry,
                            ChangeSet& set);

// The last verification of a completed year: the block in the day book and the
// line in the cash book of that year (each book gets its head first when it
// needs one).
QString yearCompletedDayBookText(long long number, const QString& date);
QString yearCompletedCashBookLine(long long number, const QString& date);
void addYearCompletedEntry(const PathTable& closedYear, long long number, const QString& date,
                           ChangeSet& set);

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

// The carried-balances verification of the next year's day book and its line
// of the next year's cash book, and both added to those books (short day-book
// head and cash-book head first when needed). Items of 0.00 or less and money
// accounts whose name has fewer than two characters get no lines.
QString carriedBalancesDayBookText(const CarriedBalancesEntry& entry);
QString carriedBalancesCashBookLine(const CarriedBalancesEntry& entry);
void addCarriedBalancesEntry(const PathTable& nextYear, const CarriedBalancesEntry& entry,
                             ChangeSet& set);

} // namespace mv
