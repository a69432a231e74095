// The reports page: the report viewers, the show sequence of every report,
// the day book, cash book and general ledger commands, and the painter that
// draws the heading of the report on show.
#include "reports/ledger.h"
#include "reports/pages/report_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/integrity.h"
#include "store/record_file.h"
#include "toolkit/toolkit.h"

#include <array>
#include <optional>

namespace {

constexpr int cmdCashBook = 1009;
constexpr int cmdDayBook = 1010;
constexpr int cmdLedger = 1011;
constexpr int cmdPrint = 1034;
constexpr int cmdDayBookButton = 1048;
constexpr int cmdDayBookAndStamps = 1094;

// The viewer fills the page below the heading line.
constexpr int viewerLeft = 5;
constexpr int viewerTop = 80;
constexpr int viewerWidth = 783;
constexpr int viewerHeight = 503;

constexpr int pageColour = shell::rgb(50, 50, 150);
constexpr int yellow = shell::rgb(255, 255, 0);

std::array<int, mv::reportViewerCount> viewers{};
mv::CurrentReports current;
std::optional<mv::Report> showing;

void show(const mv::Message& m) {
    shell::showMessage(m);
}

void create(int window) {
    for (int& view : viewers) {
        view = tk::createTextViewer(window, viewerLeft, viewerTop, viewerWidth, viewerHeight,
                                    QStringLiteral("VHSCROLL"));
        tk::hideControl(view);
    }
}

void reset(int /*mode*/) {
    for (int view : viewers)
        tk::hideControl(view);
    current.clear();
    showing.reset();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    shell::beginPage(window);
    shell::fillRect(window, 0, 53, 793, 583, pageColour); // the page area, above the footer
    if (showing) {
        const mv::ReportInfo& info = mv::reportInfo(*showing);
        shell::drawText(window, 10, 57, QString::fromUtf8(info.heading), shell::white,
                        shell::Font::Heading);
        if (*showing == mv::Report::DayBook)
            shell::drawText(window, 610, 58, QStringLiteral("Ver.nr"), shell::white,
                            shell::Font::Body);
    }
    shell::drawText(window, 780, 60, QStringLiteral("?"), yellow, shell::Font::HelpMark);
    shell::endPage(window, state);
}

void showDayBook(int navButton) {
    reports::showReport(mv::Report::DayBook, navButton);
}

void command(int cmd) {
    switch (cmd) {
    case cmdCashBook:
        reports::showReport(mv::Report::CashBook, cmdCashBook);
        break;
    case cmdDayBook:
    case cmdDayBookButton:
        showDayBook(cmdDayBook);
        break;
    case cmdDayBookAndStamps: {
        showDayBook(cmdDayBook);
        const mv::ChangeResult r = mv::renewStamps(shell::paths());
        if (!r.ok()) show(r.message());
        break;
    }
    case cmdLedger:
        reports::showReport(mv::Report::Ledger, cmdLedger, mv::composeLedger);
        break;
    case cmdPrint:
        reports::printCommand();
        break;
    default:
        reports::showClosingReport(cmd);
        break;
    }
}

} // namespace

namespace reports {

int viewer(mv::ReportViewer which) {
    return viewers[static_cast<size_t>(which)];
}

const mv::CurrentReports& currentReports() {
    return current;
}

bool showReport(mv::Report report, int navButton, const Composer& compose) {
    const mv::ReportInfo& info = mv::reportInfo(report);
    const mv::PathTable& paths = shell::paths();
    const QString workFile = mv::reportWorkFile(paths, report);

    shell::openPage(shell::PageId::Reports, navButton);
    if (compose) {
        if (compose(paths) != 0) {
            // Never show or print a report whose file was not wholly written.
            if (!info.keepWorkFile) mv::deleteFile(workFile);
            show(mv::saveFailedMessage(workFile));
            shell::showWelcomePage();
            return false;
        }
    }
    tk::showControl(shell::printButton());
    tk::enableControl(shell::printButton());

    const int view = viewer(info.viewer);
    // New text takes the format at the caret: put it behind the old bold
    // title, or a report shown again (or the other report of a shared
    // viewer) would come out bold throughout.
    const int oldLength = tk::textLength(view);
    tk::selectRange(view, oldLength, oldLength);
    tk::setText(view, QString()); // a file that cannot be read leaves the viewer empty
    // The font before the text: a long book is laid out once, not twice.
    tk::setStandardFont(view, 1);
    tk::loadRichFile(view, workFile);
    tk::setCharacterFormat(view, 0, info.boldShown, 700, 10);
    if (info.caretAtEnd)
        tk::scrollToEnd(view);
    else
        tk::selectRange(view, 0, 0);
    tk::showControl(view);
    if (!mv::keepsWorkFile(report, shell::state().isLocked())) mv::deleteFile(workFile);

    if (report == mv::Report::DayBook) tk::showControl(shell::printField());
    current.set(report);
    showing = report;
    shell::requestRepaint();
    return true;
}

} // namespace reports

namespace shell {
PageDefinition reportsPage() {
    PageDefinition p;
    p.id = PageId::Reports;
    p.name = "reports";
    p.createControls = create;
    p.reset = reset;
    p.paint = paint;
    p.command = command;
    p.commands = {{cmdCashBook, cmdCashBook, true},
                  {cmdDayBook, cmdLedger, true},
                  {cmdPrint, cmdPrint, false},
                  {cmdDayBookButton, cmdDayBookButton, true},
                  {cmdDayBookAndStamps, cmdDayBookAndStamps, true}};
    for (int cmd : reports::closingReportCommands())
        p.commands.push_back({cmd, cmd, true});
    return p;
}
} // namespace shell
