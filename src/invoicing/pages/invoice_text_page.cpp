// The invoice texts page ("FAKTURAVERKTYG", tools-menu button "FAKTURATEXT",
// command 1021) and its "Spara" (1022): the six header lines every new
// invoice starts with and the four middle-group lines of the documents.
#include "invoicing/invoice_texts.h"
#include "invoicing/pages/invoice_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

namespace {

using shell::PageId;

std::array<int, mv::invoiceTextCount> fields{};
int saveButton = 0;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

int fieldY(int i) {
    return i < 6 ? 170 + 25 * i : 350 + 25 * (i - 6);
}

void hideAll() {
    for (int f : fields)
        tk::hideControl(f);
    tk::hideControl(saveButton);
}

void create(int window) {
    for (int i = 0; i < mv::invoiceTextCount; ++i) {
        const int width = i < 6 ? mv::invoiceHeaderTextWidth : mv::invoiceMiddleTextWidth;
        fields[size_t(i)] =
            tk::createField(window, 300, fieldY(i), i < 6 ? 330 : 430, 20, u("L"), width);
        tk::setFont(fields[size_t(i)], shell::font(shell::Font::Field));
    }
    saveButton = tk::createButton(window, 434, 540, 100, 30, u("Spara"), u("C"), u("NORMAL"), 1022);
    hideAll();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, u("FAKTURAVERKTYG"));
    shell::lightFrame(window, 220, 108, 750, 515, u("FAKTURATEXT"));
    shell::drawText(window, 240, 145, u("Översta gruppen"), shell::labelColour,
                    shell::Font::Heading);
    shell::drawText(window, 240, 325, u("Mellersta gruppen"), shell::labelColour,
                    shell::Font::Heading);
    for (int i = 0; i < mv::invoiceTextCount; ++i)
        shell::drawText(window, 240, fieldY(i) + 1,
                        u("Rad ") + QString::number(i < 6 ? i + 1 : i - 5), shell::labelColour,
                        shell::Font::Body);
    shell::drawText(window, 240, 460,
                    u("Översta gruppen står till vänster om kunden på varje ny faktura,"),
                    shell::greyText, shell::Font::Body);
    shell::drawText(window, 240, 478,
                    u("mellersta gruppen under kunden (inte på fakturor med husavdrag)."),
                    shell::greyText, shell::Font::Body);
    shell::endPage(window, state);
}

void open() {
    shell::openPage(PageId::InvoiceText, 1021);
    const bool locked = shell::state().isLocked();
    for (size_t i = 0; i < fields.size(); ++i) {
        tk::setText(fields[i], mv::yearRecord().invoiceTexts[i]);
        tk::showControl(fields[i]);
        locked ? tk::disableControl(fields[i]) : tk::enableControl(fields[i]);
    }
    tk::showControl(saveButton);
    locked ? tk::disableControl(saveButton) : tk::enableControl(saveButton);
    if (!locked) tk::setFocus(fields[0]);
}

void save() {
    if (shell::state().isLocked()) return;
    std::array<QString, mv::invoiceTextCount> texts;
    for (size_t i = 0; i < fields.size(); ++i)
        texts[i] = tk::text(fields[i]);
    shell::progressBar();
    if (!mv::saveInvoiceTexts(shell::paths(), texts, shell::showMessage)) return;
    if (shell::mainWindow()) tk::postCommand(shell::mainWindow(), 1015);
}

void command(int cmd) {
    if (cmd == 1021)
        open();
    else if (cmd == 1022)
        save();
}

void key(int cmd) {
    if ((cmd != 9 && cmd != 13) || shell::state().pageState(PageId::InvoiceText) <= 0) return;
    for (size_t i = 0; i + 1 < fields.size(); ++i)
        tk::advanceFocus(fields[i], fields[i + 1]);
    tk::advanceFocus(fields.back(), saveButton);
}

} // namespace

namespace shell {
PageDefinition invoiceTextPage() {
    PageDefinition p;
    p.id = PageId::InvoiceText;
    p.name = "invoice texts";
    p.createControls = create;
    p.reset = [](int) { hideAll(); };
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.commands = {{1021, 1022, false}};
    return p;
}
} // namespace shell
