#pragma once
// The table of reports (work file, bold title lengths, whether the work file
// is kept), the current-report flags, and the print table with its messages.
#include "reports/report_file.h"
#include "store/store_layout.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace mv {

enum class Report : int {
    CashBook = 0,
    DayBook,
    Ledger,
    Balance,
    Result,
    Vat,
    OwnerInfo,
    ClosingBasis,
    AssetList,
    StockList,
    ReceivablesList,
    PayablesList,
};
inline constexpr int reportCount = 12;

// One read-only viewer per report kind; the result and VAT reports share one,
// the closing basis and the four closing lists share one.
enum class ReportViewer : int {
    CashBook = 0,
    DayBook,
    Ledger,
    Balance,
    Result,
    OwnerInfo,
    Closing,
};
inline constexpr int reportViewerCount = 7;

struct ReportInfo {
    Report report;
    ReportViewer viewer;
    int boldShown;   // leading characters set bold when shown
    int boldPrinted; // leading characters set bold when printed
    bool keepWorkFile;
    bool caretAtEnd;     // the day book opens scrolled to its end
    const char* heading; // heading on the reports page ("" when not shown there)
};

const ReportInfo& reportInfo(Report report);
// True when the work file stays after showing: the kept files of the table,
// and the closing basis of a locked year.
bool keepsWorkFile(Report report, bool yearLocked);
// The work file of the report in the year.
QString reportWorkFile(const PathTable& paths, Report report);

// The current-report flags: which report is showing. Cleared when the page
// area is reset; the print command prints every report whose flag is set.
class CurrentReports {
  public:
    void clear() { flags_.fill(false); }
    void set(Report r) { flags_[static_cast<size_t>(r)] = true; }
    bool isSet(Report r) const { return flags_[static_cast<size_t>(r)]; }
    bool any() const;

  private:
    std::array<bool, reportCount> flags_{};
};

// What can be printed by the "Skriv ut" command, in the order of the print
// table.
enum class PrintSource : int {
    ReceivablesList = 0, // receivables-list viewer of the income page
    IncomeList,          // income verification list
    PayablesList,        // payables-list viewer of the expense page
    ExpenseList,         // expense verification list
    CashList,            // cash verification list
    InvoiceDocument,     // invoice viewer
    DayBook,
    Ledger,
    CashBook,
    Balance,
    Result,
    Vat,
    OwnerInfo,
    Closing, // closing viewer of the three closing pages that print
};

struct PrintRow {
    int order; // 1..14 (14 stands for the three closing pages)
    PrintSource source;
    int boldChars; // 0 for the invoice, which has its own formatting
    int leftMarginMm;
    int topMarginMm;
    bool oneVerification; // the page's verification number may pick one block
    bool invoiceFormatting;
};

// The whole print table, in order.
const std::vector<PrintRow>& printTable();

// What is showing when "Skriv ut" is pressed.
struct PrintConditions {
    bool receivablesListShowing = false;
    bool incomePageShowing = false;
    bool payablesListShowing = false;
    bool expensePageShowing = false;
    bool cashPageShowing = false; // or a cash booking has just been shown
    bool invoiceDocumentShowing = false;
    bool closingPagePrinting = false; // a closing page that prints is showing
    CurrentReports reports;
};

// The rows whose condition holds, in table order.
std::vector<PrintRow> rowsToPrint(const PrintConditions& conditions);

// Print results of the toolkit: 0 printed, 1 stopped by the user, 2 nothing
// to print, 3 printer error.
std::optional<Message> printResultMessage(int result);
// The one verification asked for is not in the text: nothing is printed.
Message verificationNotFoundMessage();

// Character formatting of an invoice document for printing (row 6), then the
// one run set back for the screen.
struct CharFormatRun {
    int from; // first character; negative counts from the end of the text
    int to;   // one past the last; 0 with a negative from: to the end
    bool bold;
    int points;
};
const std::vector<CharFormatRun>& invoicePrintFormatting();
CharFormatRun invoiceScreenTitleFormatting();

} // namespace mv
