// The print command: every printable viewer whose condition holds, in the
// order of the print table, through the toolkit's print operation (printer
// choice, PDF included); one verification alone when the page's number field
// holds its number.
#include "reports/pages/report_pages.h"
#include "reports/verification_search.h"
#include "shell/page.h"
#include "toolkit/toolkit.h"

#include <map>

namespace {

std::map<mv::PrintSource, reports::PrintBinding>& bindings() {
    static std::map<mv::PrintSource, reports::PrintBinding> map;
    return map;
}

void show(const mv::Message& m) {
    shell::showMessage(m);
}

bool bound(mv::PrintSource source) {
    const auto it = bindings().find(source);
    return it != bindings().end() && it->second.showing && it->second.showing();
}

// The viewer a row prints and the field that may pick one verification.
reports::PrintBinding bindingFor(mv::PrintSource source) {
    using S = mv::PrintSource;
    using V = mv::ReportViewer;
    const auto own = [](V v) { return reports::PrintBinding{reports::viewer(v), 0, {}}; };
    switch (source) {
    case S::DayBook:
        return own(V::DayBook);
    case S::Ledger:
        return own(V::Ledger);
    case S::CashBook:
        return own(V::CashBook);
    case S::Balance:
        return own(V::Balance);
    case S::Result:
    case S::Vat:
        return own(V::Result);
    case S::OwnerInfo:
        return own(V::OwnerInfo);
    default:
        break;
    }
    const auto it = bindings().find(source);
    if (it != bindings().end() && it->second.showing && it->second.showing()) return it->second;
    // The closing basis shown on the reports page prints from the closing viewer.
    if (source == S::Closing) return own(V::Closing);
    return it == bindings().end() ? reports::PrintBinding{} : it->second;
}

mv::PrintConditions conditions() {
    using S = mv::PrintSource;
    mv::PrintConditions c;
    c.receivablesListShowing = bound(S::ReceivablesList);
    c.incomePageShowing = bound(S::IncomeList);
    c.payablesListShowing = bound(S::PayablesList);
    c.expensePageShowing = bound(S::ExpenseList);
    c.cashPageShowing = bound(S::CashList);
    c.invoiceDocumentShowing = bound(S::InvoiceDocument);
    c.closingPagePrinting =
        bound(S::Closing) || reports::currentReports().isSet(mv::Report::ClosingBasis);
    c.reports = reports::currentReports();
    return c;
}

void applyFormat(int view, const mv::CharFormatRun& run) {
    const int length = tk::textLength(view);
    int from = run.from;
    int to = run.to;
    if (from < 0) {
        from = std::max(0, length + from);
        to = -1;
    }
    tk::setCharacterFormat(view, from, to, run.bold ? 700 : 400, run.points);
}

// Prints one row; -1 when its verification was asked for and is not there.
int printRow(const mv::PrintRow& row, const reports::PrintBinding& b) {
    const int view = b.view;
    if (row.invoiceFormatting) {
        for (const mv::CharFormatRun& run : mv::invoicePrintFormatting())
            applyFormat(view, run);
    } else {
        tk::setStandardFont(view, 1);
        tk::setCharacterFormat(view, 0, row.boldChars, 700, 10);
    }
    tk::selectRange(view, 0, 0);
    if (row.oneVerification) {
        const int field = b.numberField ? b.numberField : shell::printField();
        const mv::PrintSelection s = mv::selectionForPrint(tk::text(view), tk::text(field));
        if (s.kind == mv::PrintSelection::NotFound) return -1;
        if (s.kind == mv::PrintSelection::Block) tk::selectRange(view, s.range.start, s.range.end);
    }
    const int result = tk::printView(view, row.leftMarginMm, row.topMarginMm, row.leftMarginMm,
                                     row.topMarginMm, QStringLiteral("PRINT"));
    if (row.invoiceFormatting) applyFormat(view, mv::invoiceScreenTitleFormatting());
    return result;
}

void collapseSelection(mv::PrintSource source) {
    const auto it = bindings().find(source);
    if (it == bindings().end() || !it->second.view) return;
    const int end = tk::textLength(it->second.view);
    tk::selectRange(it->second.view, end, end);
}

} // namespace

namespace reports {

void bindPrintSource(mv::PrintSource source, PrintBinding binding) {
    bindings()[source] = std::move(binding);
}

int printCommand() {
    int last = 0;
    for (const mv::PrintRow& row : mv::rowsToPrint(conditions())) {
        const PrintBinding b = bindingFor(row.source);
        if (!b.view) continue;
        const int result = printRow(row, b);
        if (result < 0) {
            show(mv::verificationNotFoundMessage());
            return -1;
        }
        last = result;
    }
    if (const auto message = mv::printResultMessage(last)) show(*message);
    collapseSelection(mv::PrintSource::IncomeList);
    collapseSelection(mv::PrintSource::ExpenseList);
    return last;
}

} // namespace reports
