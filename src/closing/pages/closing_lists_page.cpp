// The closing lists (tools-menu buttons "Inventarier", "Varulager",
// "Kundfordr..", "Lev.skulder", commands 1056-1059): each a title above the
// one closing viewer, which shows the year's file of that list as it stands.
// The lists only show; "Skriv ut" prints the one on show.
#include "closing/pages/closing_pages.h"
#include "invoicing/pages/invoice_pages.h"
#include "reports/pages/report_pages.h"
#include "reports/report_table.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "toolkit/toolkit.h"

#include <array>

namespace {

using shell::PageId;

struct ListPage {
    PageId page;
    int command;
    mv::Report report;
    const char* title;
    const char* name;
};

const std::array<ListPage, 4> lists = {{
    {PageId::YearEndAssets, 1056, mv::Report::AssetList, "INVENTARIER", "closing assets"},
    {PageId::YearEndStock, 1057, mv::Report::StockList, "VARULAGER", "closing stock"},
    {PageId::YearEndReceivables, 1058, mv::Report::ReceivablesList, "KUNDFORDRINGAR",
     "closing receivables"},
    {PageId::YearEndPayables, 1059, mv::Report::PayablesList, "LEVERANTÖRSSKULDER",
     "closing payables"},
}};

int view = 0;

bool anyShowing() {
    for (const ListPage& l : lists)
        if (shell::state().pageState(l.page) > 0) return true;
    return false;
}

// One viewer for the four lists, made with the first of them.
template <PageId page> void create(int window) {
    if (page != PageId::YearEndAssets) return;
    view = tk::createRichView(window, 190, 85, 598, 493, QStringLiteral("VHSCROLL"), 0);
    tk::setReadOnly(view, QStringLiteral("OFF"));
    tk::hideControl(view);
    reports::bindPrintSource(mv::PrintSource::Closing, {view, 0, anyShowing});
}

const ListPage& listOf(PageId page) {
    for (const ListPage& l : lists)
        if (l.page == page) return l;
    return lists[0];
}

template <PageId page> void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, QString::fromUtf8(listOf(page).title));
    if (shell::state().isLocked())
        shell::drawText(window, 560, 58, QStringLiteral("Året är låst."), shell::rgb(255, 200, 200),
                        shell::Font::Body);
    shell::endPage(window, state);
}

void show(const ListPage& l) {
    shell::openPage(l.page, l.command);
    const mv::ReportInfo& info = mv::reportInfo(l.report);
    // New text takes the format at the caret: behind the old bold title, or
    // a list shown after another would come out bold throughout.
    const int oldLength = tk::textLength(view);
    tk::selectRange(view, oldLength, oldLength);
    tk::setText(view, QString()); // a missing list shows an empty viewer
    tk::setStandardFont(view, 1);
    tk::loadRichFile(view, mv::reportWorkFile(shell::paths(), l.report));
    tk::setCharacterFormat(view, 0, info.boldShown, 700, 10);
    tk::selectRange(view, 0, 0);
    tk::showControl(view);
    tk::showControl(shell::printButton());
    tk::enableControl(shell::printButton());
}

void command(int cmd) {
    for (const ListPage& l : lists)
        if (l.command == cmd) show(l);
}

template <PageId page> shell::PageDefinition listPage() {
    const ListPage& l = listOf(page);
    shell::PageDefinition p;
    p.id = page;
    p.name = l.name;
    p.createControls = create<page>;
    p.reset = [](int) { tk::hideControl(view); };
    p.paint = paint<page>;
    p.command = command;
    p.commands = {{l.command, l.command, false}};
    return p;
}

} // namespace

int closingui::closingListView() {
    return view;
}

namespace shell {
PageDefinition closingAssetsPage() {
    return listPage<PageId::YearEndAssets>();
}
PageDefinition closingStockPage() {
    return listPage<PageId::YearEndStock>();
}
PageDefinition closingReceivablesPage() {
    return listPage<PageId::YearEndReceivables>();
}
PageDefinition closingPayablesPage() {
    return listPage<PageId::YearEndPayables>();
}
} // namespace shell
