#pragma once
// The VAT return of a period of the year: a month, a quarter or the whole
// year, with the boxes of Skatteverket's form.
//
// The figures come from the verifications of the period by their event date
// ("Händelse Datum": the payment date under the cash method). What no
// verification carries falls in a period of its own: the year-end
// receivables and payables, which lie in the VAT totals only, in the period
// holding the year's last day; the receivables and payables carried from the
// previous year, whose sale and VAT were declared then and are paid at the
// start of this year, in the period holding its first day. So the twelve
// months add up to the year, and the year equals the VAT report to the öre.
//
// Boxes: 05 the sales bases (100 / rate x the VAT, rounded once on the
// running total of the year, so the periods add up), 10-12 the output VAT at
// 25, 12 and 6 %, 24 the reverse-charge purchases ("Utgift, Omvänd moms",
// taken as a domestic purchase of services) with their VAT in 30-32, 41 the
// sales with reverse charge ("Inkomst, Omvänd moms"), 42 the VAT-exempt
// sales ("Inkomst, Momsfritt"), 48 the input VAT, 49 the VAT to pay (below
// zero: to get back).
#include "interchange/day_book_reader.h"
#include "reports/closing_figures.h"
#include "store/settings.h"
#include "store/store_layout.h"

#include <QStringList>

#include <array>
#include <map>

namespace mv {

struct VatPeriod {
    enum Kind { Year, Quarter, Month } kind = Year;
    int index = 0; // quarter 1-4, month 1-12; 0 for the year
    int firstMonth() const;
    int lastMonth() const;
    bool operator==(const VatPeriod&) const = default;
};

// The periods the page offers: the year, the four quarters, the twelve months.
std::vector<VatPeriod> vatPeriods();
// "Helår 2014", "Kvartal 1 2014", "Januari 2014".
QString periodLabel(const VatPeriod& p, const QString& year);
// The period of the upload file: the year and its last month, "201403".
QString periodCode(const VatPeriod& p, const QString& year);

struct VatReturn {
    Amount box05, box10, box11, box12, box24, box30, box31, box32, box41, box42, box48;
    // Rates of the period's VAT that the form has no box for.
    QStringList otherRates;
    Amount box49() const { return box10 + box11 + box12 + box30 + box31 + box32 - box48; }
    bool operator==(const VatReturn&) const = default;
};

// The VAT figures of one month.
struct VatMonth {
    std::map<int, Amount> output, input, reverse; // VAT per rate
    Amount reversePurchases, reverseSales, exemptSales;
};

// The year's figures by month, ready to be summed over any period.
struct VatYear {
    bool ok = false;
    Message message; // why the day book cannot be read
    QString year;
    std::array<VatMonth, 12> months;
    // Carried from the previous year (the first period): the receivables'
    // net and VAT and the box of that VAT, the payables' VAT.
    Amount carriedSales, carriedOutputVat, carriedInputVat;
    int carriedOutputRate = 25;
};

// Months from the day book's verifications and the year's totals.
VatYear vatYearOf(const std::vector<DayBookEntry>& entries, const ClosingBooks& books);
// The same, read from the year's files.
VatYear readVatYear(const PathTable& paths, const Settings& settings);

VatReturn vatReturn(const VatYear& year, const VatPeriod& period);

// The return as the page shows it: every box with its öre and its whole
// kronor as the upload file declares them.
QString vatReturnText(const VatReturn& r, const QString& label);

// Whole kronor as the form takes them: the öre left out.
std::int64_t wholeKronor(Amount a);
// Box 49 of the boxes in whole kronor, as Skatteverket sums the return.
std::int64_t wholeKronorToPay(const VatReturn& r);

} // namespace mv
