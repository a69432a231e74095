// Help marks and welcome links: every left click on the page area is tested
// against the help areas of the pages on show and, while the welcome page is
// shown, against its links; each hit opens its page. Command 1301 opens the
// page on invoice templates.
#include "help/manual.h"
#include "help/pages/help_pages.h"
#include "reports/pages/report_pages.h"
#include "shell/page.h"
#include "toolkit/toolkit.h"

#include <QCoreApplication>

namespace {

using mv::help::Screen;
using shell::PageId;

constexpr int cmdInvoiceTemplate = 1301;

// The screen of a page that shows one thing.
std::optional<Screen> screenOfPage(PageId id) {
    switch (id) {
    case PageId::Income:
        return Screen::Income;
    case PageId::Expense:
        return Screen::Expense;
    case PageId::Transfer:
        return Screen::Transfer;
    case PageId::Invoice:
        return Screen::InvoiceEntry;
    case PageId::InvoiceVariants:
        return Screen::InvoiceStandard;
    case PageId::Company:
        return Screen::Company;
    case PageId::SelectYear:
        return Screen::SelectYear;
    case PageId::CreateYear:
        return Screen::CreateYear;
    case PageId::InvoiceText:
        return Screen::InvoiceText;
    case PageId::Customers:
        return Screen::Customers;
    case PageId::Settings:
        return Screen::Settings;
    case PageId::Articles:
        return Screen::Articles;
    case PageId::Backup:
        return Screen::Backup;
    case PageId::OpeningBalance:
        return Screen::OpeningBalance;
    case PageId::StockCount:
        return Screen::StockCount;
    case PageId::YearEndAssets:
        return Screen::AssetList;
    case PageId::YearEndStock:
        return Screen::StockList;
    case PageId::YearEndReceivables:
        return Screen::ReceivablesList;
    case PageId::YearEndPayables:
        return Screen::PayablesList;
    case PageId::YearEndClosing:
        return Screen::YearEndClosing;
    case PageId::SieFile:
        return Screen::SieFile;
    case PageId::ClaimFile:
        return Screen::ClaimFile;
    case PageId::Welcome:
    case PageId::Reports:
    case PageId::Tools:
        return std::nullopt;
    }
    return std::nullopt;
}

// The reports page: the screen of every report that is showing.
void addShownReports(mv::help::ShownScreens& shown) {
    static const std::pair<mv::Report, Screen> reports[] = {
        {mv::Report::CashBook, Screen::CashBook},
        {mv::Report::DayBook, Screen::DayBook},
        {mv::Report::Ledger, Screen::Ledger},
        {mv::Report::Balance, Screen::Balance},
        {mv::Report::Result, Screen::Result},
        {mv::Report::Vat, Screen::Vat},
        {mv::Report::OwnerInfo, Screen::OwnerInfo},
        {mv::Report::ClosingBasis, Screen::ClosingBasis},
        {mv::Report::AssetList, Screen::AssetList},
        {mv::Report::StockList, Screen::StockList},
        {mv::Report::ReceivablesList, Screen::ReceivablesList},
        {mv::Report::PayablesList, Screen::PayablesList},
    };
    const mv::CurrentReports& current = reports::currentReports();
    for (const auto& [report, screen] : reports)
        if (current.isSet(report)) shown.add(screen);
}

// The page's own answer when it has one, else the one its id gives.
std::optional<Screen> screenOf(PageId id) {
    for (const shell::PageDefinition& page : shell::pages())
        if (page.id == id && page.helpScreen) return page.helpScreen();
    return screenOfPage(id);
}

bool click(int x, int y) {
    const auto targets =
        mv::help::targetsAt(x, y, helpui::shownScreens(), shell::welcomePageShown());
    for (const mv::help::Target& t : targets)
        helpui::open(t);
    return !targets.empty();
}

void command(int cmd) {
    if (cmd == cmdInvoiceTemplate)
        helpui::open({QString::fromUtf8(mv::help::invoiceTemplatePage), true});
}

} // namespace

namespace helpui {

QString manualFolder() {
    return mv::help::manualFolder(QCoreApplication::applicationDirPath());
}

bool open(const mv::help::Target& target) {
    const mv::help::Opening o = mv::help::openingOf(target, manualFolder());
    if (o.refusal) {
        shell::showMessage(*o.refusal);
        return false;
    }
    if (tk::openExternal(o.address) == 0) return true;
    shell::showMessage(o.failure);
    return false;
}

mv::help::ShownScreens shownScreens() {
    mv::help::ShownScreens shown;
    for (int i = 0; i < shell::pageCount; ++i) {
        const auto id = static_cast<PageId>(i);
        if (shell::state().pageState(id) <= 0) continue;
        if (id == PageId::Reports) addShownReports(shown);
        if (const std::optional<Screen> s = screenOf(id)) shown.add(*s);
    }
    return shown;
}

} // namespace helpui

namespace shell {
PageDefinition helpLinksPage() {
    PageDefinition p;
    p.id = PageId::Welcome; // draws nothing: it only answers clicks and 1301
    p.name = "help links";
    p.click = click;
    p.command = command;
    p.commands = {{cmdInvoiceTemplate, cmdInvoiceTemplate, false}};
    return p;
}
} // namespace shell
