#include "reports/report_table.h"

namespace mv {

namespace {

const std::array<ReportInfo, reportCount>& reportTable() {
    static const std::array<ReportInfo, reportCount> table = {{
        {Report::CashBook, ReportViewer::CashBook, 8, 8, true, false, "KASSABOKEN"},
        {Report::DayBook, ReportViewer::DayBook, 16, 8, true, true, "DAGBOKEN"},
        {Report::Ledger, ReportViewer::Ledger, 16, 8, false, false, "HUVUDBOKEN"},
        {Report::Balance, ReportViewer::Balance, 15, 9, false, false, "BALANSRAPPORT"},
        {Report::Result, ReportViewer::Result, 18, 11, false, false, "RESULTATRAPPORT"},
        {Report::Vat, ReportViewer::Result, 28, 11, false, false, "MOMSRAPPORT"},
        {Report::OwnerInfo, ReportViewer::OwnerInfo, 19, 13, false, false, "ÄGARINFOBOKEN"},
        {Report::ClosingBasis, ReportViewer::Closing, 28, 16, false, false, "BOKSLUTSUNDERLAG"},
        {Report::AssetList, ReportViewer::Closing, 20, 16, true, false, ""},
        {Report::StockList, ReportViewer::Closing, 9, 16, true, false, ""},
        {Report::ReceivablesList, ReportViewer::Closing, 14, 16, true, false, ""},
        {Report::PayablesList, ReportViewer::Closing, 18, 16, true, false, ""},
    }};
    return table;
}

bool rowApplies(const PrintRow& row, const PrintConditions& c) {
    const CurrentReports& r = c.reports;
    switch (row.source) {
    case PrintSource::ReceivablesList:
        return c.receivablesListShowing;
    case PrintSource::IncomeList:
        return c.incomePageShowing && !c.receivablesListShowing;
    case PrintSource::PayablesList:
        return c.payablesListShowing;
    case PrintSource::ExpenseList:
        return c.expensePageShowing && !c.payablesListShowing;
    case PrintSource::CashList:
        return c.cashPageShowing;
    case PrintSource::InvoiceDocument:
        return c.invoiceDocumentShowing;
    case PrintSource::DayBook:
        return r.isSet(Report::DayBook);
    case PrintSource::Ledger:
        return r.isSet(Report::Ledger);
    case PrintSource::CashBook:
        return r.isSet(Report::CashBook);
    case PrintSource::Balance:
        return r.isSet(Report::Balance);
    case PrintSource::Result:
        return r.isSet(Report::Result);
    case PrintSource::Vat:
        return r.isSet(Report::Vat);
    case PrintSource::OwnerInfo:
        return r.isSet(Report::OwnerInfo);
    case PrintSource::Closing:
        return c.closingPagePrinting;
    }
    return false;
}

Message printMessage(const char* text) {
    return {QStringLiteral("PRINTMEDDELANDE"), QString::fromUtf8(text) + QStringLiteral("\n\n"),
            QStringLiteral("EXCLAMATION"), QStringLiteral("OK")};
}

} // namespace

const ReportInfo& reportInfo(Report report) {
    return reportTable()[static_cast<size_t>(report)];
}

bool keepsWorkFile(Report report, bool yearLocked) {
    // The closing basis of a completed year is the document the owner files
    // with it; in an open year it is out of date with the next booking.
    return reportInfo(report).keepWorkFile || (report == Report::ClosingBasis && yearLocked);
}

QString reportWorkFile(const PathTable& p, Report report) {
    switch (report) {
    case Report::CashBook:
        return p.cashBook;
    case Report::DayBook:
        return p.dayBook;
    case Report::Ledger:
        return p.ledgerReport;
    case Report::Balance:
        return p.balanceReport;
    case Report::Result:
        return p.resultReport;
    case Report::Vat:
        return p.resultReport;
    case Report::OwnerInfo:
        return p.ownerInfoReport;
    case Report::ClosingBasis:
        return p.closingBasis;
    case Report::AssetList:
        return p.closing(QStringLiteral("inventarielista_avskr"));
    case Report::StockList:
        return p.closing(QStringLiteral("inventering"));
    case Report::ReceivablesList:
        return p.closing(QStringLiteral("KundfordringarLista"));
    case Report::PayablesList:
        return p.closing(QStringLiteral("LeverantorsskulderLista"));
    }
    return QString();
}

bool CurrentReports::any() const {
    for (bool f : flags_)
        if (f) return true;
    return false;
}

const std::vector<PrintRow>& printTable() {
    static const std::vector<PrintRow> table = {
        {1, PrintSource::ReceivablesList, 14, 10, 10, false, false},
        {2, PrintSource::IncomeList, 22, 10, 10, true, false},
        {3, PrintSource::PayablesList, 18, 10, 10, false, false},
        {4, PrintSource::ExpenseList, 22, 10, 10, true, false},
        {5, PrintSource::CashList, 22, 10, 10, true, false},
        {6, PrintSource::InvoiceDocument, 0, 20, 10, false, true},
        {7, PrintSource::DayBook, 8, 10, 10, true, false},
        {8, PrintSource::Ledger, 8, 10, 10, false, false},
        {9, PrintSource::CashBook, 8, 0, 10, false, false},
        {10, PrintSource::Balance, 9, 10, 10, false, false},
        {11, PrintSource::Result, 11, 10, 10, false, false},
        {12, PrintSource::Vat, 11, 10, 10, false, false},
        {13, PrintSource::OwnerInfo, 13, 10, 10, false, false},
        {14, PrintSource::Closing, 16, 10, 10, false, false},
    };
    return table;
}

std::vector<PrintRow> rowsToPrint(const PrintConditions& conditions) {
    std::vector<PrintRow> rows;
    for (const PrintRow& row : printTable())
        if (rowApplies(row, conditions)) rows.push_back(row);
    return rows;
}

std::optional<Message> printResultMessage(int result) {
    switch (result) {
    case 1:
        return printMessage("Utskrift stoppad av användare!");
    case 2:
        return printMessage("Finns inget att skriva ut!");
    case 3:
        return printMessage("Ett skrivarfel har uppstått!");
    default:
        return std::nullopt;
    }
}

Message verificationNotFoundMessage() {
    return {QStringLiteral("PRINTMEDDELANDE"),
            QStringLiteral("Verifikationen kunde inte hittas!\n\nUtskriften avbryts!"),
            QStringLiteral("EXCLAMATION"), QStringLiteral("OK")};
}

const std::vector<CharFormatRun>& invoicePrintFormatting() {
    static const std::vector<CharFormatRun> runs = {
        {0, 5000, false, 12}, {0, 31, true, 30}, {31, 4000, true, 12}, {-204, 0, false, 10}};
    return runs;
}

CharFormatRun invoiceScreenTitleFormatting() {
    return {0, 31, true, 20};
}

} // namespace mv
