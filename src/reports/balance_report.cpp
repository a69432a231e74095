#include "reports/balance_report.h"

#include "reports/report_file.h"

#include <vector>

namespace mv {

using namespace reporting;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// An opening amount as the report shows it: empty when the file has no such
// line, else the amount read from it.
QString openingText(const QString& stored) {
    return stored.isEmpty() ? QString() : Amount::parseLenient(stored).toText();
}

// The VAT line of the opening balance split as the two rows show it.
QString openingVat(const QString& stored, bool asset) {
    if (stored.isEmpty()) return QString();
    const Amount v = Amount::parseLenient(stored);
    if (asset) return (v < Amount() ? -v : Amount()).toText();
    return (v > Amount() ? v : Amount()).toText();
}

// Label, opening amount ending in column 67, closing amount in column 85.
QString balanceRow(const char* label, const QString& opening, Amount closing) {
    return alignedPiece(u(label), opening, 68) + alignedPiece(QString(), closing.toText(), 19);
}

struct ResultRow {
    const char* label;
    Amount amount; // signed as written
};

// Rows, the hyphen line and the sum line of one result section. Returns the sum.
Amount resultSection(ReportText& out, const std::vector<ResultRow>& rows) {
    Amount sum;
    for (const ResultRow& r : rows) {
        sum += r.amount;
        out.amountLine(u(r.label), r.amount.toText(), 60);
    }
    out.line(QString(46, u' ') + repeatedChar(QLatin1Char('-'), 14));
    return sum;
}

// Label with the amount in both columns (ending in columns 59 and 85).
QString bothColumns(const char* label, Amount amount) {
    return alignedPiece(u(label), amount.toText(), 60) +
           alignedPiece(QString(), amount.toText(), 27);
}

} // namespace

QString balanceReportText(const ClosingFigures& f,
                          const std::array<QString, balanceLineCount>& opening) {
    const auto open = [&opening](int line) { return openingText(opening[size_t(line)]); };
    const QString vatLine = opening[size_t(balanceLineCount - 1)];
    ReportText out;
    out.line(u("BALANSBOK  ") + f.books.year);
    out.line(repeatedChar(QLatin1Char('_'), 86));
    out.emptyLines(3);
    out.line(
        u("TILLGÅNGAR________________________________________________ INGÅENDE          UTGÅENDE"));
    out.emptyLines(1);
    const auto item = [&out](const char* label, const QString& opening, Amount closing) {
        out.line(balanceRow(label, opening, closing));
        out.emptyLines(2);
    };
    item("Kassa, Bank mm (Företagets kontanta medel)", open(0), f.books.cash);
    item("Inventarier, verktyg mm (end. avskrivbara inv)", open(1), f.fixedAssets);
    item("Varulager", open(2), f.stock);
    item("Kundfordringar", open(3), f.receivables);
    item("Momsfordran (övriga fordringar)", openingVat(vatLine, true), f.vatAsset());
    out.emptyLines(2);
    out.line(u("SKULDER___________________________________________________"));
    out.emptyLines(1);
    item("Leverantörsskulder", open(4), f.payables);
    item("Företagets inlåning  (Bank, Ägaren, Annat)", open(5), f.borrowing);
    item("Momsskuld (skatteskulder)", openingVat(vatLine, false), f.vatDebt());
    out.line(balanceRow("Företagets eget kapital (Minus är underskott)", open(6), f.equity));
    out.emptyLines(1);
    out.line(repeatedChar(QLatin1Char('_'), 85));
    out.line(balanceRow("                  SUMMA TILLGÅNGAR", open(7), f.totalAssets));
    out.line(balanceRow("                  SUMMA SKULDER", open(8), f.totalLiabilities));
    out.emptyLines(2);
    return out.text();
}

QString resultReportText(const ClosingFigures& f) {
    const ClosingBooks& b = f.books;
    ReportText out;
    out.line(u("RESULTATRAPPORT  ") + b.year);
    out.line(repeatedChar(QLatin1Char('_'), 86));
    out.emptyLines(3);

    out.line(u("INTÄKTER____________________________________________________ "));
    out.emptyLines(1);
    const Amount income =
        resultSection(out, {
                               {" Arbete och Tjänst", b.incomeWork},
                               {" Varor och Material", b.incomeGoods},
                               {" Intäkter Annat", b.incomeOther},
                               {" Intäkter Omvänd moms", b.incomeReverse},
                               {" Kundfordringar Årets", b.receivablesNet},
                               {" Kundfordringar Föregående års", -b.receivablesPrevious},
                               {" Intäkter Momsfritt", f.vatFreeIncome},
                               {" Intäkter Räntor", b.incomeInterest},
                           });
    out.line(bothColumns("SUMMA INTÄKTER", income));
    out.emptyLines(2);

    out.line(u("KOSTNADER___________________________________________________"));
    out.emptyLines(1);
    const Amount costs = resultSection(
        out, {
                 {" Varor och Material", b.costGoods},
                 {" Arbete och Tjänst", b.costWork},
                 {" Kostnad Arbete, Tjänster, Varor. Omvänd moms", b.costReverse},
                 {" Varulager Föregående års", b.stockPrevious},
                 {" Varulager Årets (- från fg.års)", -f.stock},
                 {" Leverantörsskulder Årets", b.payablesNet},
                 {" Leverantörsskulder Föregående års (- fr.årets)", -b.payablesPrevious},
                 {" Inventarier Avskrivning direkt", b.assetsDirect},
                 {" Kostnad Annat", b.costOther},
                 {" Kostnad Momsfritt", b.costVatFree},
                 {" Kostnad Räntor", b.costInterest},
             });
    out.line(bothColumns("SUMMA KOSTNADER", -costs));
    out.emptyLines(2);

    out.line(u("AVSKRIVNING_________________________________________________"));
    out.emptyLines(1);
    out.line(bothColumns(" Avskrivning Inventarier", -f.depreciation));
    out.line(bothColumns(" Nedskrivning Inventarier (kasserat)", -b.assetsWrittenOff));
    out.emptyLines(1);
    out.line(repeatedChar(QLatin1Char('_'), 85));
    out.amountLine(u("ÅRETS RESULTAT"), f.result.toText(), 86);
    return out.text();
}

} // namespace mv
