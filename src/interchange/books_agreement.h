#pragma once
// The year's verifications as the files for other programs see them: the
// day book read back, every verification as rows on BAS accounts, and the
// checks that the day book and the year's totals agree.
//
// The year-end receivables and payables write no verification: their VAT
// lies in the VAT totals only. What the VAT totals hold beyond the day
// book's VAT lines, per rate, is theirs.
#include "interchange/day_book_reader.h"
#include "interchange/sie_export.h"
#include "reports/closing_figures.h"

#include <array>
#include <map>
#include <optional>

namespace mv {

// The six money accounts: names and balances as stored.
struct MoneySlots {
    std::array<QString, 6> names;
    std::array<Amount, 6> balances;
    // The slot (1..6) of a name as a block gives it; 0 when no account has it.
    int slotOf(const QString& name) const;
};
MoneySlots loadMoneySlots(const PathTable& paths);

// The rows of one verification of the day book (none for the fixed entries
// of the opening balance, the carried balances and the completion); the
// refusal when a money account it names is not one of the six.
std::optional<Message> verificationRows(const DayBookEntry& e, const MoneySlots& money,
                                        std::vector<SieRow>& rows);

// The VAT of the day book's lines per rate.
struct DayBookVat {
    std::map<int, Amount> output, input, reverse;
};
DayBookVat dayBookVat(const std::vector<DayBookEntry>& entries);

// What the VAT totals hold beyond the day book, per rate (the year-end
// receivables' and payables' VAT), for the rates of the totals.
struct VatResidual {
    std::map<int, Amount> output, input, reverse;
};
VatResidual vatResidual(const ClosingBooks& books, const DayBookVat& day);

// The checks: every type's total, the rounding total, the VAT beyond the
// day book (the receivables' and payables' VAT exactly) and the cash total
// against the money accounts. The refusal naming the first difference.
std::optional<Message> booksDisagreement(const PathTable& paths, const ClosingBooks& books,
                                         const std::vector<DayBookEntry>& entries,
                                         const MoneySlots& money);

// "YYYY-MM-DD" as "YYYYMMDD"; "" for any other text.
QString compactDate(const QString& isoDate);

} // namespace mv
