// The article register page ("ARTIKELREGISTER", command 1202) and its
// "Spara" (1203): the number, text, quantity and price of one article, and
// the register in a read-only list.
#include "invoicing/article_register.h"
#include "invoicing/invoicing_common.h"
#include "invoicing/pages/invoice_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/change_set.h"
#include "toolkit/toolkit.h"

namespace {

using shell::PageId;

int number = 0, text = 0, quantity = 0, price = 0, saveButton = 0, view = 0;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

void hideAll() {
    for (int h : {number, text, quantity, price, saveButton, view})
        tk::hideControl(h);
}

void create(int window) {
    auto field = [&](int x, int w, const char* align, int max) {
        const int h = tk::createField(window, x, 160, w, 20, u(align), max);
        tk::setFont(h, shell::font(shell::Font::Field));
        return h;
    };
    number = field(205, 60, "NR", 5);
    text = field(275, 240, "L", 30);
    quantity = field(525, 70, "R", 6);
    price = field(605, 90, "R", 9);
    saveButton = tk::createButton(window, 705, 158, 70, 24, u("Spara"), u("C"), u("NORMAL"), 1203);
    view = tk::createRichView(window, 205, 218, 570, 352, u("VHSCROLL"), 0);
    tk::setReadOnly(view, u("OFF"));
    hideAll();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, u("ARTIKELREGISTER"));
    shell::lightFrame(window, 195, 108, 785, 578, u("ARTIKELREGISTER REDIGERA"));
    invoiceui::drawLabels(window, 140,
                          {{205, "Artikel"}, {275, "Sort"}, {525, "Antal"}, {605, "Pris"}});
    invoiceui::drawLabels(window, 197, {{205, "Artikellista"}});
    shell::endPage(window, state);
}

void loadView(int line) {
    tk::setText(view, QString());
    tk::loadRichFile(view, shell::paths().articleRegister);
    tk::setStandardFont(view, 1);
    if (line < 0) return;
    const int start = line * (mv::articleRecordLength + 1);
    tk::selectRange(view, start, start + mv::articleRecordLength);
}

void open() {
    shell::openPage(PageId::Articles, 1202);
    mv::recoverInterruptedBooking(shell::paths());
    for (int h : {number, text, quantity, price, saveButton, view})
        tk::showControl(h);
    const bool locked = shell::state().isLocked();
    if (!locked) mv::startArticleRegister(shell::paths(), shell::showMessage);
    for (int h : {number, text, quantity, price, saveButton})
        locked ? tk::disableControl(h) : tk::enableControl(h);
    loadView(-1);
    if (!locked) tk::setFocus(number);
}

void save() {
    if (shell::state().isLocked()) return;
    const mv::ArticleForm form{tk::text(number), tk::text(text), tk::text(quantity),
                               tk::text(price)};
    const mv::ArticleSave s = mv::saveArticle(shell::paths(), form, shell::showMessage);
    if (!s.saved) return;
    loadView(s.line);
    for (int h : {number, text, quantity, price})
        tk::setText(h, QString());
    tk::setFocus(number);
}

// An existing article's values come into the empty fields when its number is left.
void fillExisting() {
    if (!tk::text(text).isEmpty()) return;
    const int wanted = tk::text(number).toInt();
    for (const QString& record :
         mv::articleRecords(mv::storedText(shell::paths().articleRegister))) {
        if (record.mid(1, 5).toInt() != wanted) continue;
        tk::setText(text, record.mid(8, mv::articleTextWidth).trimmed());
        tk::setText(quantity, record.mid(39, mv::articleQuantityWidth).trimmed());
        tk::setText(price, record.mid(47).trimmed());
    }
}

void key(int cmd) {
    if ((cmd != 9 && cmd != 13) || shell::state().pageState(PageId::Articles) <= 0) return;
    const int focused = tk::focusedControl();
    if (focused == number) fillExisting();
    if (focused == quantity || focused == price)
        tk::setText(focused, mv::normalizedAmountField(tk::text(focused).trimmed()));
    tk::advanceFocus(number, text);
    tk::advanceFocus(text, quantity);
    tk::advanceFocus(quantity, price);
    tk::advanceFocus(price, number);
}

void command(int cmd) {
    if (cmd == 1202)
        open();
    else if (cmd == 1203)
        save();
}

} // namespace

namespace shell {
PageDefinition articlePage() {
    PageDefinition p;
    p.id = PageId::Articles;
    p.name = "articles";
    p.createControls = create;
    p.reset = [](int) { hideAll(); };
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.commands = {{1202, 1203, false}};
    return p;
}
} // namespace shell
