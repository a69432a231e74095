// The reports of the reports page that are built on the closing figures:
// balance, result, VAT, owner information and the closing basis. Each one
// runs the closing computation, whose files are written as one change of the
// books, and then composes and shows its report through the show sequence.
#include "reports/balance_report.h"
#include "reports/closing_basis.h"
#include "reports/owner_info.h"
#include "reports/pages/report_pages.h"
#include "reports/vat_report.h"
#include "shell/page.h"
#include "store/settings.h"

namespace {

constexpr int cmdBalance = 1012;
constexpr int cmdResult = 1013;
constexpr int cmdOwnerInfo = 1014;
constexpr int cmdClosingBasis = 1032;
constexpr int cmdVat = 1100;

struct Entry {
    int command;
    mv::Report report;
};

const Entry entries[] = {
    {cmdBalance, mv::Report::Balance},           {cmdResult, mv::Report::Result},
    {cmdOwnerInfo, mv::Report::OwnerInfo},       {cmdVat, mv::Report::Vat},
    {cmdClosingBasis, mv::Report::ClosingBasis},
};

// The text of a report from the figures (the closing basis is written with
// the closing files and needs none).
QString reportText(mv::Report report, const mv::PathTable& paths, const mv::ClosingFigures& f) {
    const mv::Settings& settings = mv::yearRecord().settings;
    switch (report) {
    case mv::Report::Balance:
        return mv::balanceReportText(
            f, mv::readBalanceLines(paths.closing(QStringLiteral("fga_ing_balans"))));
    case mv::Report::Result:
        return mv::resultReportText(f);
    case mv::Report::Vat:
        return mv::vatReportText(f);
    case mv::Report::OwnerInfo:
        return mv::ownerInfoText(f, settings);
    default:
        return QString();
    }
}

} // namespace

namespace reports {

const std::vector<int>& closingReportCommands() {
    static const std::vector<int> commands = [] {
        std::vector<int> list;
        for (const Entry& e : entries)
            list.push_back(e.command);
        return list;
    }();
    return commands;
}

bool showClosingReport(int command) {
    const Entry* entry = nullptr;
    for (const Entry& e : entries)
        if (e.command == command) entry = &e;
    if (!entry) return false;

    const mv::PathTable& paths = shell::paths();
    const bool document = entry->report == mv::Report::ClosingBasis;
    const mv::ClosingRun run = mv::runClosingBasis(paths, mv::yearRecord().settings, document);
    if (!run.ok) {
        shell::resetPageArea(0);
        shell::showMessage(run.message);
        shell::showWelcomePage();
        return false;
    }
    Composer compose;
    if (!document) {
        const QString text = reportText(entry->report, paths, run.figures);
        const QString workFile = mv::reportWorkFile(paths, entry->report);
        compose = [text, workFile](const mv::PathTable&) {
            return mv::writeWorkFile(workFile, text);
        };
    }
    if (!showReport(entry->report, command, compose)) return false;
    if (entry->report == mv::Report::OwnerInfo)
        mv::keepOwnerResults(mv::computeOwnerFigures(run.figures, mv::yearRecord().settings));
    return true;
}

} // namespace reports
