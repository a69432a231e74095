#include "interchange/vat_return.h"

#include "interchange/books_agreement.h"
#include "interchange/interchange_messages.h"
#include "reports/report_file.h"
#include "store/change_set.h"

#include <QDate>

#include <cstdlib>

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

const char* const monthNames[12] = {"Januari",   "Februari", "Mars",     "April",
                                    "Maj",       "Juni",     "Juli",     "Augusti",
                                    "September", "Oktober",  "November", "December"};

// The month (0-11) a verification falls in: its event date's, the first for
// a date before the year and the last for a date after it.
std::optional<int> monthIndex(const QString& date, int year) {
    const QDate d = QDate::fromString(date, Qt::ISODate);
    if (!d.isValid()) return std::nullopt;
    if (d.year() < year) return 0;
    if (d.year() > year) return 11;
    return d.month() - 1;
}

// The rate of 25, 12 and 6 % nearest to vat / net.
int nearestRate(Amount net, Amount vat) {
    if (net.isZero()) return 25;
    int best = 25;
    std::int64_t bestDistance = -1;
    for (int rate : {25, 12, 6}) {
        const std::int64_t distance = std::llabs((net.percent(rate) - vat).ore());
        if (bestDistance < 0 || distance < bestDistance) {
            best = rate;
            bestDistance = distance;
        }
    }
    return best;
}

Amount rateSum(const std::array<VatMonth, 12>& months, int first, int last,
               std::map<int, Amount> VatMonth::*kind, int rate) {
    Amount s;
    for (int m = first; m <= last; ++m) {
        const auto& byRate = months[size_t(m - 1)].*kind;
        const auto it = byRate.find(rate);
        if (it != byRate.end()) s += it->second;
    }
    return s;
}

Amount monthSum(const std::array<VatMonth, 12>& months, int first, int last,
                Amount VatMonth::*field) {
    Amount s;
    for (int m = first; m <= last; ++m)
        s += months[size_t(m - 1)].*field;
    return s;
}

// Every rate that has VAT of the kind in any month.
std::vector<int> ratesOf(const std::array<VatMonth, 12>& months,
                         std::map<int, Amount> VatMonth::*kind) {
    std::map<int, bool> rates;
    for (const VatMonth& m : months)
        for (const auto& [rate, amount] : m.*kind)
            rates[rate] = true;
    std::vector<int> list;
    for (const auto& [rate, present] : rates)
        list.push_back(rate);
    return list;
}

} // namespace

int VatPeriod::firstMonth() const {
    return kind == Year ? 1 : kind == Quarter ? 3 * index - 2 : index;
}

int VatPeriod::lastMonth() const {
    return kind == Year ? 12 : kind == Quarter ? 3 * index : index;
}

std::vector<VatPeriod> vatPeriods() {
    std::vector<VatPeriod> list = {{VatPeriod::Year, 0}};
    for (int q = 1; q <= 4; ++q)
        list.push_back({VatPeriod::Quarter, q});
    for (int m = 1; m <= 12; ++m)
        list.push_back({VatPeriod::Month, m});
    return list;
}

QString periodLabel(const VatPeriod& p, const QString& year) {
    switch (p.kind) {
    case VatPeriod::Year:
        return u("Helår ") + year;
    case VatPeriod::Quarter:
        return u("Kvartal ") + QString::number(p.index) + u' ' + year;
    case VatPeriod::Month:
        return u(monthNames[p.index - 1]) + u' ' + year;
    }
    return QString();
}

QString periodCode(const VatPeriod& p, const QString& year) {
    return year + QStringLiteral("%1").arg(p.lastMonth(), 2, 10, QLatin1Char('0'));
}

VatYear vatYearOf(const std::vector<DayBookEntry>& entries, const ClosingBooks& books) {
    VatYear y;
    y.year = books.year;
    const int yearNumber = books.year.toInt();
    for (const DayBookEntry& e : entries) {
        if (e.kind != DayBookEntry::Kind::Booking || !movesCash(*e.type)) continue;
        const std::optional<int> m = monthIndex(e.eventDate, yearNumber);
        if (!m) {
            y.message =
                xmsg::dayBookLineUnreadable(e.number, u("Händelse Datum     = ") + e.eventDate);
            return y;
        }
        VatMonth& month = y.months[size_t(*m)];
        const bool income = e.type->side == Side::Income;
        if (!e.vat.isZero()) (income ? month.output : month.input)[e.rate] += e.vat;
        if (!e.reverseVat.isZero()) month.reverse[e.rate] += e.reverseVat;
        if (e.type->reverseCharge) month.reversePurchases += e.net;
        if (e.type->name == u("Inkomst, Omvänd moms")) month.reverseSales += e.net;
        if (e.type->name == u("Inkomst, Momsfritt")) month.exemptSales += e.net;
    }

    // What the totals hold beyond the verifications: the year's end.
    VatMonth& last = y.months[11];
    const VatResidual residual = vatResidual(books, dayBookVat(entries));
    for (const auto& [rate, amount] : residual.output)
        last.output[rate] += amount;
    for (const auto& [rate, amount] : residual.input)
        last.input[rate] += amount;
    for (const auto& [rate, amount] : residual.reverse)
        last.reverse[rate] += amount;
    last.reversePurchases +=
        books.costReverse - monthSum(y.months, 1, 12, &VatMonth::reversePurchases);
    last.reverseSales += books.incomeReverse - monthSum(y.months, 1, 12, &VatMonth::reverseSales);
    last.exemptSales += books.incomeVatFree - monthSum(y.months, 1, 12, &VatMonth::exemptSales);

    y.carriedSales = books.receivablesPrevious;
    y.carriedOutputVat = books.receivablesPreviousVat;
    y.carriedOutputRate = nearestRate(books.receivablesPrevious, books.receivablesPreviousVat);
    y.carriedInputVat = books.payablesPreviousVat;
    y.ok = true;
    return y;
}

VatYear readVatYear(const PathTable& paths, const Settings& settings) {
    const DayBookRead day = readDayBook(storedText(paths.dayBook));
    if (!day.ok) {
        VatYear y;
        y.year = paths.year;
        y.message = day.message;
        return y;
    }
    return vatYearOf(day.entries, readClosingBooks(paths, settings));
}

VatReturn vatReturn(const VatYear& y, const VatPeriod& period) {
    VatReturn r;
    const int a = period.firstMonth();
    const int b = period.lastMonth();
    const bool first = a == 1;
    QStringList others;

    for (int rate : ratesOf(y.months, &VatMonth::output)) {
        const Amount vat = rateSum(y.months, a, b, &VatMonth::output, rate);
        // The base on the running total of the year, so that the periods
        // add up to the year's base.
        if (rate > 0) {
            const Amount before = rateSum(y.months, 1, a - 1, &VatMonth::output, rate);
            const Amount through = before + rateSum(y.months, a, b, &VatMonth::output, rate);
            r.box05 += through.mulDiv(100, rate) - before.mulDiv(100, rate);
        }
        if (rate == 25)
            r.box10 += vat;
        else if (rate == 12)
            r.box11 += vat;
        else if (rate == 6)
            r.box12 += vat;
        else if (!vat.isZero())
            others << QString::number(rate);
    }
    if (first) {
        r.box05 -= y.carriedSales;
        Amount& carriedBox = y.carriedOutputRate == 12  ? r.box11
                             : y.carriedOutputRate == 6 ? r.box12
                                                        : r.box10;
        carriedBox -= y.carriedOutputVat;
    }

    for (int rate : ratesOf(y.months, &VatMonth::reverse)) {
        const Amount vat = rateSum(y.months, a, b, &VatMonth::reverse, rate);
        if (rate == 25)
            r.box30 += vat;
        else if (rate == 12)
            r.box31 += vat;
        else if (rate == 6)
            r.box32 += vat;
        else if (!vat.isZero() && !others.contains(QString::number(rate)))
            others << QString::number(rate);
    }
    for (int rate : ratesOf(y.months, &VatMonth::input))
        r.box48 += rateSum(y.months, a, b, &VatMonth::input, rate);
    if (first) r.box48 -= y.carriedInputVat;

    r.box24 = monthSum(y.months, a, b, &VatMonth::reversePurchases);
    r.box41 = monthSum(y.months, a, b, &VatMonth::reverseSales);
    r.box42 = monthSum(y.months, a, b, &VatMonth::exemptSales);
    r.otherRates = others;
    return r;
}

std::int64_t wholeKronor(Amount a) {
    return a.ore() / 100; // toward zero: the öre are left out
}

std::int64_t wholeKronorToPay(const VatReturn& r) {
    return wholeKronor(r.box10) + wholeKronor(r.box11) + wholeKronor(r.box12) +
           wholeKronor(r.box30) + wholeKronor(r.box31) + wholeKronor(r.box32) -
           wholeKronor(r.box48);
}

QString vatReturnText(const VatReturn& r, const QString& label) {
    using reporting::alignedPiece;
    ReportText out;
    out.line(u("MOMSDEKLARATION  ") + label);
    out.line(reporting::repeatedChar(u'_', 86));
    out.emptyLines(2);
    out.line(u("Ruta                                                   Belopp     Hela kronor"));
    out.line(reporting::repeatedChar(u'-', 78));
    const auto box = [&out](const char* number, const char* text, Amount a) {
        out.line(alignedPiece(alignedPiece(u(number) + u("  ") + u(text), a.toText(), 64),
                              QString::number(wholeKronor(a)), 79));
    };
    box("05", "Momspliktig försäljning", r.box05);
    box("10", "Utgående moms 25 %", r.box10);
    box("11", "Utgående moms 12 %", r.box11);
    box("12", "Utgående moms 6 %", r.box12);
    box("24", "Övriga inköp av tjänster (omvänd moms)", r.box24);
    box("30", "Utgående moms 25 % på inköp", r.box30);
    box("31", "Utgående moms 12 % på inköp", r.box31);
    box("32", "Utgående moms 6 % på inköp", r.box32);
    box("41", "Försäljning när köparen är skyldig att betala", r.box41);
    box("42", "Övrig försäljning, momsfri", r.box42);
    box("48", "Ingående moms att dra av", r.box48);
    out.line(reporting::repeatedChar(u'-', 78));
    out.line(alignedPiece(
        alignedPiece(u("49  Moms att betala eller få tillbaka"), r.box49().toText(), 64),
        QString::number(wholeKronorToPay(r)), 79));
    out.emptyLines(2);
    out.line(u("Beloppen kommer från periodens verifikationer efter händelsedatum. Årets"));
    out.line(u("kundfordringar och leverantörsskulder ligger i perioden med årets sista dag,"));
    out.line(u("föregående års i perioden med årets första dag."));
    out.line(u("Inköp med omvänd moms ('Utgift, Omvänd moms') redovisas som inköp av tjänster"));
    out.line(u("i Sverige: ruta 24 och 30-32."));
    out.line(u("Momsfilen tar hela kronor; ören tas inte med, och ruta 49 räknas av rutorna"));
    out.line(u("i hela kronor."));
    if (!r.otherRates.isEmpty())
        out.line(u("Moms med ") + r.otherRates.join(u(", ")) +
                 u(" procent har ingen ruta i deklarationen och kan inte skickas i filen."));
    return out.text();
}

} // namespace mv
