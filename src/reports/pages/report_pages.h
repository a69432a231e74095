#pragma once
// The reports page and the print command, for the pages of the program (UI
// level: implemented in reports_page.cpp and report_print_page.cpp).
//
// - The reports page shows one report at a time in its viewer, under the
//   report's heading: showReport() runs the show sequence for any report of
//   the report table, composing it first when a composer is given.
// - The "Skriv ut" button (command 1034) prints every viewer whose condition
//   holds, in the order of the print table. The reports page's own rows are
//   decided by the current-report flags; a page that shows another printable
//   viewer (income, expense and cash lists, the receivables and payables
//   lists, the invoice, the closing pages) binds it with bindPrintSource().
#include "reports/report_table.h"
#include "store/store_layout.h"

#include <functional>
#include <vector>

namespace reports {

// Handle of a report viewer of the reports page (0 before start-up).
int viewer(mv::ReportViewer which);

// Composes the report's work file; 0, or the failing code of a write.
using Composer = std::function<int(const mv::PathTable& paths)>;

// The show sequence: the page area is reset, the top-bar button `navButton`
// disabled, the report composed (when `compose` is given), loaded into its
// viewer in the fixed-pitch font with its bold title, the caret put at the
// top (the day book: at its end), the work file deleted where the table says
// so, the print button enabled and the report's flag set. A failed write of
// the work file shows the failed-write message and nothing else: no partial
// report is shown or printable. Returns true when the report is showing.
// The integrity check is the guard of the command that calls this.
bool showReport(mv::Report report, int navButton, const Composer& compose = {});

// Called at the end of every show sequence with the report now showing: a
// page of a later layer shows its own controls beside a report (the VAT
// period and its file beside the VAT report). One hook; set once at start-up.
void setReportShownHook(std::function<void(mv::Report)> hook);

// The reports built on the closing figures: "Balans" (1012), "Resultat"
// (1013), "Ägarinfo" (1014), "Moms" (1100) and "BOKSLUTSUNDERLAG" (1032).
// Each computes the figures and writes the closing files as one change of
// the books (stamps and second copies renewed), then shows its report; a
// failed write shows its message and no report. Returns true when shown.
bool showClosingReport(int command);
// Their commands, all guarded: the closing files are only written over books
// that passed the integrity check.
const std::vector<int>& closingReportCommands();

// The report that is showing on the reports page, if any.
const mv::CurrentReports& currentReports();

// A viewer of another page for the print command.
struct PrintBinding {
    int view = 0;        // the rich-text view to print
    int numberField = 0; // rows that print one verification: its field (0: the print field)
    std::function<bool()> showing; // the row's condition
};
void bindPrintSource(mv::PrintSource source, PrintBinding binding);

// The print command ("Skriv ut"): prints what is showing, shows the result
// message. Returns the result of the last print (0 printed, 1 stopped, 2
// nothing to print, 3 printer error), or -1 when a verification asked for
// was not found and nothing was printed.
int printCommand();

} // namespace reports
