// The stock count page ("INVENTERA", tools-menu button "INVENTERING",
// command 1029): one item at a time, added to the count when Enter leaves
// "Total kostnad"; "Spara" (1027) stores the count for the year-end, "Radera"
// (1028) deletes it. While items are unsaved the other pages' buttons are
// disabled, so the count is not left half done.
#include "invoicing/invoicing_common.h"
#include "invoicing/invoicing_messages.h"
#include "invoicing/pages/invoice_pages.h"
#include "invoicing/stock_count.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "toolkit/toolkit.h"

namespace {

using shell::PageId;

int article = 0, quantity = 0, unit = 0, price = 0, value = 0, saveButton = 0, deleteButton = 0,
    view = 0;
mv::StockCount count;
bool pending = false; // items added since the count was stored

QString u(const char* s) {
    return QString::fromUtf8(s);
}

std::array<int, 8> controls() {
    return {article, quantity, unit, price, value, saveButton, deleteButton, view};
}

void hideAll() {
    for (int h : controls())
        tk::hideControl(h);
}

void create(int window) {
    auto field = [&](int x, int w, const char* align, int max) {
        const int h = tk::createField(window, x, 160, w, 20, u(align), max);
        tk::setFont(h, shell::font(shell::Font::Field));
        return h;
    };
    article = field(205, 130, "L", 14);
    quantity = field(345, 55, "R", 5);
    unit = field(410, 40, "L", 3);
    price = field(460, 90, "R", 9);
    value = field(560, 100, "R", 11);
    tk::setReadOnly(value, u("OFF"));
    saveButton = tk::createButton(window, 675, 145, 100, 24, u("Spara"), u("C"), u("NORMAL"), 1027);
    deleteButton =
        tk::createButton(window, 675, 173, 100, 24, u("Radera"), u("C"), u("NORMAL"), 1028);
    view = tk::createRichView(window, 205, 230, 570, 340, u("VHSCROLL"), 0);
    tk::setReadOnly(view, u("OFF"));
    hideAll();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, u("INVENTERA"));
    shell::lightFrame(window, 195, 108, 785, 578, u("INVENTERING"));
    invoiceui::drawLabels(window, 140,
                          {{205, "Artikel"},
                           {345, "Mängd"},
                           {410, "Sort"},
                           {460, "Ink.pris/sort"},
                           {560, "Total kostnad"}});
    shell::drawText(window, 560, 185, u("Avrundat till hela kronor"), shell::greyText,
                    shell::Font::Small);
    invoiceui::drawLabels(window, 210, {{205, "Inventeringslista"}});
    if (pending)
        shell::drawText(window, 345, 195, u("Spara inventeringen innan sidan lämnas!"),
                        shell::rgb(200, 0, 0), shell::Font::Body);
    shell::endPage(window, state);
}

void showCount() {
    tk::setText(view, count.text);
    tk::setStandardFont(view, 1);
    tk::scrollToEnd(view);
}

void setPending(bool on) {
    pending = on;
    shell::state().unsavedWork = on;
    shell::setTopBarEnabled(!on);
    shell::setToolsMenuEnabled(!on);
    shell::requestRepaint();
}

void open() {
    shell::openPage(PageId::StockCount, 1029);
    for (int h : controls())
        tk::showControl(h);
    count = mv::openStockCount(shell::paths());
    pending = false;
    showCount();
    const bool locked = shell::state().isLocked();
    for (int h : controls())
        if (h != view) locked ? tk::disableControl(h) : tk::enableControl(h);
    if (!locked) tk::setFocus(article);
}

void emptyFields() {
    for (int h : {article, quantity, unit, price, value})
        tk::setText(h, QString());
}

void addItem() {
    const mv::StockItem item{tk::text(article), tk::text(quantity), tk::text(unit),
                             tk::text(price)};
    if (!mv::addStockItem(shell::paths(), item, count, shell::showMessage)) {
        tk::setFocus(quantity);
        return;
    }
    setPending(true);
    tk::enableControl(saveButton);
    showCount();
    emptyFields();
    tk::setFocus(article);
}

void key(int cmd) {
    if ((cmd != 9 && cmd != 13) || shell::state().pageState(PageId::StockCount) <= 0) return;
    if (shell::state().isLocked()) return;
    const int focused = tk::focusedControl();
    tk::setAdvanceFlag(false);
    tk::disableControl(saveButton);
    if (focused == price) tk::setText(price, mv::normalizedAmountField(tk::text(price).trimmed()));
    const std::optional<std::int64_t> v = mv::stockItemValue(tk::text(quantity), tk::text(price));
    tk::setText(value, v && !tk::text(price).isEmpty() ? QString::number(*v) : QString());
    if (focused == value) {
        addItem();
        return;
    }
    // "Spara" waits while an item is being typed.
    bool typing = false;
    for (int h : {article, quantity, unit, price})
        typing = typing || !tk::text(h).isEmpty();
    if (!typing) tk::enableControl(saveButton);
    const std::array<int, 5> order = {article, quantity, unit, price, value};
    for (size_t i = 0; i + 1 < order.size(); ++i)
        if (focused == order[i]) tk::setFocus(order[i + 1]);
}

void store() {
    if (shell::state().isLocked()) return;
    if (!mv::storeStockCount(shell::paths(), count, shell::showMessage)) return;
    setPending(false);
    open();
}

void remove() {
    if (shell::state().isLocked()) return;
    if (shell::showMessage(mv::imsg::confirmDeleteStockCount()) != mv::answerYes) return;
    if (!mv::deleteStockCount(shell::paths(), shell::showMessage)) return;
    setPending(false);
    open();
}

void command(int cmd) {
    if (cmd == 1029)
        open();
    else if (cmd == 1027)
        store();
    else if (cmd == 1028)
        remove();
}

} // namespace

namespace shell {
PageDefinition stockCountPage() {
    PageDefinition p;
    p.id = PageId::StockCount;
    p.name = "stock count";
    p.createControls = create;
    p.reset = [](int) { hideAll(); };
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.commands = {{1027, 1029, false}};
    return p;
}
} // namespace shell
