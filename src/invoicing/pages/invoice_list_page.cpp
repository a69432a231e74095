// The invoice list page ("FAKTURA mm", command 1001): the list of saved
// invoices, the invoice viewer and the side panels shared with the form page
// ("Navigera" with the kind buttons, "Ändra" and "Tillbaka"; "Faktura Lyx"
// with the text, HTML, mail and PDF outputs; "Editera Lyx" with the template
// picture).
#include "invoicing/invoice_numbering.h"
#include "invoicing/invoice_output.h"
#include "invoicing/invoice_save.h"
#include "invoicing/invoicing_messages.h"
#include "invoicing/pages/invoice_pages.h"
#include "reports/pages/report_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/change_set.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QFileInfo>

namespace invoiceui {

namespace {

using shell::PageId;

SideControls c;
QString shown;        // the entry in the viewer ("" the empty page)
bool opening = false; // one of the invoice pages is opening itself

struct WholeKronorState {
    int settings = -1; // the settings' flag when last looked at
    bool on = false;
};
WholeKronorState& wholeKronor() {
    static WholeKronorState state;
    return state;
}
void wholeKronorForget() {
    wholeKronor() = WholeKronorState();
}

QString u(const char* s) {
    return QString::fromUtf8(s);
}

int button(int window, int x, int y, int w, const char* text, int command) {
    const int b = tk::createButton(window, x, y, w, 20, u(text), u("C"), u("SUNKEN"), command);
    tk::hideControl(b);
    return b;
}

std::array<int, 14> sideButtons() {
    return {c.standard,    c.reverseCharge, c.houseWork,      c.paymentOrder, c.notReady[0],
            c.notReady[1], c.change,        c.back,           c.text,         c.html,
            c.mail,        c.pdf,           c.redrawTemplate, c.fetchTemplate};
}

void hideAll() {
    for (int b : sideButtons())
        tk::hideControl(b);
    for (int h : {c.save, c.clear, c.fetchCustomer, c.wholeKronor, c.list, c.viewer})
        tk::hideControl(h);
}

void create(int window) {
    c.standard = button(window, 8, 83, 152, "Standard", cmd::standard);
    c.reverseCharge = button(window, 8, 105, 152, "Omvänd moms", cmd::reverseCharge);
    c.houseWork = button(window, 8, 127, 152, "Husavdrag", cmd::houseWork);
    c.paymentOrder = button(window, 8, 149, 152, "Betal.uppdrag", cmd::paymentOrder);
    c.notReady[0] = button(window, 8, 171, 152, "( Används ej )", cmd::notReady);
    c.notReady[1] = button(window, 8, 193, 152, "( Används ej )", cmd::notReady);
    c.change = button(window, 8, 222, 74, "Ändra", cmd::change);
    c.back = button(window, 86, 222, 74, "Tillbaka", cmd::back);
    c.save = button(window, 8, 283, 74, "Spara", cmd::save);
    c.clear = button(window, 86, 283, 74, "Rensa", cmd::clear);
    c.fetchCustomer = button(window, 8, 305, 152, "Hämta", cmd::fetchCustomer);
    c.wholeKronor =
        tk::createCheckBox(window, 10, 329, u("SQUARE"), u("Hela kronor"), cmd::wholeKronor);
    tk::hideControl(c.wholeKronor);
    c.text = button(window, 8, 390, 152, "Faktura Text", cmd::text);
    c.html = button(window, 8, 412, 152, "Faktura Lyx", cmd::html);
    c.mail = button(window, 8, 434, 152, "Faktura Mail", cmd::mail);
    c.pdf = button(window, 8, 456, 152, "Spara som PDF", cmd::pdf);
    c.redrawTemplate = button(window, 8, 528, 152, "Rita om Lyx", cmd::redrawTemplate);
    c.fetchTemplate = button(window, 8, 550, 152, "Hämta mall Lyx", cmd::fetchTemplate);
    c.list = tk::createList(window, 290, 86, 200, 300, u("READDROP"));
    tk::setFont(c.list, shell::font(shell::Font::Field));
    c.viewer = tk::createRichView(window, 190, 114, 596, 462, u("VHSCROLL"), 0);
    tk::setReadOnly(c.viewer, u("OFF"));
    reports::bindPrintSource(mv::PrintSource::InvoiceDocument,
                             {c.viewer, 0, [] {
                                  return shell::state().pageState(PageId::Invoice) > 0 &&
                                         !shown.isEmpty();
                              }});
    hideAll();
}

void reset(int) {
    hideAll();
    // Another page opens: the invoice saved last can no longer be changed.
    if (!opening) savedInvoice().reset();
}

// The viewer shows the document in the fixed-pitch font, the company name
// large and the footer small.
void showDocument(const QString& entry) {
    shown = entry;
    tk::setText(c.viewer, QString());
    const QString path =
        entry.isEmpty() ? shell::paths().invoiceTemplate : shell::paths().invoice(entry);
    tk::loadRichFile(c.viewer, path);
    tk::setStandardFont(c.viewer, 1);
    const int length = tk::textLength(c.viewer);
    tk::setCharacterFormat(c.viewer, 0, -1, 400, 9);
    tk::setCharacterFormat(c.viewer, 0, std::min(31, length), 700, 20);
    if (length > 204) tk::setCharacterFormat(c.viewer, length - 204, -1, 400, 8);
    tk::selectRange(c.viewer, 0, 0);
    const bool document = !entry.isEmpty();
    for (int b : {c.text, c.html, c.mail, c.pdf})
        document ? tk::enableControl(b) : tk::disableControl(b);
    document ? tk::showControl(shell::printButton()) : tk::hideControl(shell::printButton());
    if (document) tk::enableControl(shell::printButton());
}

void fillList() {
    tk::clearList(c.list);
    for (const QString& entry : mv::invoiceList(shell::paths(), true))
        tk::setItem(c.list, 10000, entry);
}

void paint(int window, int& state) {
    if (state <= 0) return;
    shell::beginPage(window);
    paintSidePanels(window, false);
    shell::darkFrame(window, 172, 53, 793, 583, u("FAKTURA mm"));
    shell::drawText(window, 330, 57, u("Skriv ut standard faktura"), shell::white,
                    shell::Font::Body);
    shell::helpMark(window, 780, 60);
    shell::fillRect(window, 175, 80, 790, 112, shell::rgb(200, 230, 255));
    shell::drawText(window, 190, 88, u("Sparade fakturor"), shell::labelColour, shell::Font::Body);
    shell::drawText(window, 500, 88, u("Välj en faktura i listan för att visa den."),
                    shell::greyText, shell::Font::Body);
    shell::endPage(window, state);
}

QString shownDocumentPath() {
    return shell::paths().invoice(shown);
}

void openAsText() {
    const QString copy = QDir::temp().filePath(u("MerValla-faktura-") + shown + u(".txt"));
    if (mv::writeTextCopy(shownDocumentPath(), copy) != 0) {
        shell::showMessage(mv::saveFailedMessage(copy));
        return;
    }
    tk::openExternal(copy);
}

void openAsHtml() {
    if (!QFileInfo::exists(mv::drive::invoicePicture)) {
        shell::showMessage(mv::imsg::templateMissing());
        return;
    }
    if (mv::writeInvoiceHtml(shownDocumentPath(), mv::drive::invoiceHtml) != 0) {
        shell::showMessage(mv::saveFailedMessage(mv::drive::invoiceHtml));
        return;
    }
    tk::openExternal(mv::drive::invoiceHtml);
}

void saveAsPdf() {
    const QString pdf = QDir::current().absoluteFilePath(u("faktura_") + shown + u(".pdf"));
    const bool picture = QFileInfo::exists(mv::drive::invoicePicture);
    const QString text = mv::invoicePrintText(mv::storedText(shownDocumentPath()), picture);
    const int rc = tk::printTextToPdf(pdf, text, picture ? mv::drive::invoicePicture : QString(),
                                      20, 15, 10, picture ? 0 : 20);
    shell::showMessage(rc == 0 ? mv::imsg::pdfSaved(pdf) : mv::imsg::pdfFailed(pdf));
}

void startInvoice(mv::InvoiceKind kind) {
    const mv::PreparedInvoice p = mv::prepareInvoice(shell::paths(), kind, wholeKronorOn());
    if (!p.ok) {
        shell::showMessage(p.message);
        return;
    }
    savedInvoice().reset();
    openFormPage(p.draft, false);
}

void view() {
    const int i = tk::selectedIndex(c.list);
    if (i <= 0) return;
    // A viewed invoice cannot be changed.
    savedInvoice().reset();
    tk::disableControl(c.change);
    tk::disableControl(c.back);
    showDocument(tk::item(c.list, i));
}

void command(int command) {
    switch (command) {
    case cmd::open:
        openListPage(QString());
        break;
    case cmd::standard:
        startInvoice(mv::InvoiceKind::Standard);
        break;
    case cmd::reverseCharge:
        startInvoice(mv::InvoiceKind::ReverseCharge);
        break;
    case cmd::houseWork:
        startInvoice(mv::InvoiceKind::HouseWork);
        break;
    case cmd::paymentOrder:
        startInvoice(mv::InvoiceKind::PaymentOrder);
        break;
    case cmd::change:
        if (savedInvoice()) openFormPage(savedInvoice()->draft, true);
        break;
    case cmd::back:
        openListPage(savedInvoice() ? savedInvoice()->entry : QString());
        break;
    case cmd::notReady:
        shell::showMessage(mv::imsg::notReady());
        break;
    case cmd::text:
        if (!shown.isEmpty()) openAsText();
        break;
    case cmd::html:
        if (!shown.isEmpty()) openAsHtml();
        break;
    case cmd::mail:
        if (!shown.isEmpty() && shell::showMessage(mv::imsg::mailInstructions()) == mv::answerOk)
            openAsHtml();
        break;
    case cmd::pdf:
        if (!shown.isEmpty()) saveAsPdf();
        break;
    case cmd::redrawTemplate:
        if (!QFileInfo::exists(mv::drive::invoicePicture))
            shell::showMessage(mv::imsg::templateMissing());
        else
            tk::openExternal(mv::drive::invoicePicture);
        break;
    default:
        break;
    }
}

// Start-up: nothing of an earlier session is kept.
void loadForms() {
    savedInvoice().reset();
    shown.clear();
    wholeKronorForget();
}

void key(int command) {
    if (command != 13 || shell::state().pageState(PageId::Invoice) <= 0) return;
    view();
}

void edited() {
    if (shell::state().pageState(PageId::Invoice) > 0 && tk::focusedControl() == c.list) view();
}

} // namespace

const SideControls& sideControls() {
    return c;
}

std::optional<SavedInvoice>& savedInvoice() {
    static std::optional<SavedInvoice> saved;
    return saved;
}

bool wholeKronorOn() {
    WholeKronorState& s = wholeKronor();
    if (mv::yearRecord().wholeKronor != s.settings) {
        s.settings = mv::yearRecord().wholeKronor;
        s.on = s.settings == 1;
    }
    return s.on;
}

void setWholeKronor(bool on) {
    wholeKronorOn();
    wholeKronor().on = on;
}

void openInvoicePage(shell::PageId page, int ownButton) {
    opening = true;
    shell::openPage(page, ownButton);
    opening = false;
}

void openListPage(const QString& entry) {
    openInvoicePage(PageId::Invoice, cmd::open);
    mv::recoverInterruptedBooking(shell::paths());
    showSidePanels(false);
    tk::showControl(c.list);
    tk::showControl(c.viewer);
    fillList();
    showDocument(entry);
    tk::setFocus(c.list);
}

void showSidePanels(bool formPage) {
    for (int b : sideButtons())
        tk::showControl(b);
    const std::array<int, 6> kinds = {c.standard,     c.reverseCharge, c.houseWork,
                                      c.paymentOrder, c.notReady[0],   c.notReady[1]};
    for (int b : kinds)
        formPage ? tk::disableControl(b) : tk::enableControl(b);
    (!formPage && savedInvoice()) ? tk::enableControl(c.change) : tk::disableControl(c.change);
    (formPage || savedInvoice()) ? tk::enableControl(c.back) : tk::disableControl(c.back);
    for (int b : {c.text, c.html, c.mail, c.pdf})
        tk::disableControl(b);
    for (int h : {c.save, c.clear, c.fetchCustomer, c.wholeKronor})
        formPage ? tk::showControl(h) : tk::hideControl(h);
    const bool locked = shell::state().isLocked();
    locked ? tk::disableControl(c.save) : tk::enableControl(c.save);
    wholeKronorOn() ? tk::check(c.wholeKronor) : tk::uncheck(c.wholeKronor);
}

void beginToolPage(int window, const QString& heading) {
    shell::beginPage(window);
    shell::drawToolsPanel(window);
    shell::drawText(window, 190, 57, heading, shell::white, shell::Font::Heading);
    shell::helpMark(window, 780, 60);
}

void drawLabels(int window, int y, std::initializer_list<Label> labels) {
    for (const Label& l : labels)
        shell::drawText(window, l.x, y, QString::fromUtf8(l.text), shell::labelColour,
                        shell::Font::Body);
}

void paintSidePanels(int window, bool formPage) {
    shell::darkFrame(window, 0, 53, 167, 250, u("Navigera"));
    if (formPage) shell::darkFrame(window, 0, 255, 167, 355, u("Skapa Faktura"));
    shell::darkFrame(window, 0, 362, 167, 490, u("Faktura Lyx"));
    shell::darkFrame(window, 0, 500, 167, 583, u("Editera Lyx"));
}

} // namespace invoiceui

namespace shell {
PageDefinition invoiceListPage() {
    PageDefinition p;
    p.id = PageId::Invoice;
    p.name = "invoices";
    p.createControls = invoiceui::create;
    p.reset = invoiceui::reset;
    p.paint = invoiceui::paint;
    p.command = invoiceui::command;
    p.key = invoiceui::key;
    p.edited = invoiceui::edited;
    p.loadForms = invoiceui::loadForms;
    p.commands = {{1001, 1001, true},
                  {1002, 1004, false},
                  {1062, 1062, false},
                  {9994, 9999, false},
                  {1300, 1300, false},
                  {1302, 1302, false}}; // 1301 opens the manual's template page (help)
    return p;
}
} // namespace shell
