// The house-work claim file page ("ROT/RUT-FIL", tools-menu button "ROT/RUT", command 1066):
// two payment dates and the kind, ROT or RUT; "Visa" (1068) lists the
// invoices the file would claim and those left out, "Skapa fil" (1069)
// writes Skatteverket's claim file where the user chooses.
#include "interchange/interchange_messages.h"
#include "interchange/pages/interchange_pages.h"
#include "invoicing/pages/invoice_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/clock.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

namespace {

using shell::PageId;

constexpr int cmdOpen = 1066;
constexpr int cmdShow = 1068;
constexpr int cmdSave = 1069;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

interchangeui::ClaimControls c;

std::vector<int> controls() {
    return {c.from, c.to, c.kind, c.showButton, c.saveButton, c.view};
}

void create(int window) {
    c.from = tk::createField(window, 330, 125, 90, 20, u("R"), 10);
    c.to = tk::createField(window, 330, 155, 90, 20, u("R"), 10);
    for (int f : {c.from, c.to})
        tk::setFont(f, shell::font(shell::Font::Field));
    c.kind = tk::createList(window, 330, 185, 90, 100, u("READDROP"));
    tk::setFont(c.kind, shell::font(shell::Font::Field));
    c.showButton =
        tk::createButton(window, 480, 123, 120, 26, u("Visa"), u("C"), u("NORMAL"), cmdShow);
    c.saveButton =
        tk::createButton(window, 480, 155, 120, 26, u("Skapa fil"), u("C"), u("NORMAL"), cmdSave);
    c.view = tk::createRichView(window, 205, 265, 570, 305, u("VHSCROLL"), 0);
    tk::setReadOnly(c.view, u("ON"));
    for (int h : controls())
        tk::hideControl(h);
}

void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, u("ROT/RUT-FIL"));
    shell::lightFrame(window, 195, 95, 785, 252, u("BEGÄRAN OM UTBETALNING TILL SKATTEVERKET"));
    shell::drawText(window, 205, 126, u("Betalda från"), shell::labelColour, shell::Font::Body);
    shell::drawText(window, 205, 156, u("Betalda till och med"), shell::labelColour,
                    shell::Font::Body);
    shell::drawText(window, 205, 186, u("ROT eller RUT"), shell::labelColour, shell::Font::Body);
    shell::drawText(window, 205, 215,
                    u("Husavdragsfakturor som köparen betalat mellan datumen. ROT och RUT"),
                    shell::greyText, shell::Font::Body);
    shell::drawText(window, 205, 231, u("kan inte blandas i en fil."), shell::greyText,
                    shell::Font::Body);
    shell::endPage(window, state);
}

// The kind chosen; nothing when none is.
std::optional<mv::HouseWorkKind> kind() {
    const QString k = tk::item(c.kind, 0);
    if (k == u("ROT")) return mv::HouseWorkKind::Rot;
    if (k == u("RUT")) return mv::HouseWorkKind::Rut;
    return std::nullopt;
}

void open() {
    shell::openPage(PageId::ClaimFile, cmdOpen);
    const QString year = shell::paths().year;
    if (tk::text(c.from).isEmpty()) tk::setText(c.from, year + u("-01-01"));
    if (tk::text(c.to).isEmpty()) tk::setText(c.to, std::min(mv::todayText(), year + u("-12-31")));
    tk::clearList(c.kind);
    tk::setItem(c.kind, 1, u("ROT"));
    tk::setItem(c.kind, 2, u("RUT"));
    tk::setItem(c.kind, 0, u("ROT"));
    tk::setText(c.view, QString());
    for (int h : controls())
        tk::showControl(h);
    tk::setFocus(c.from);
}

// The offer of the dates and kind on the page; its summary in the view.
std::optional<mv::FileOffer> offer() {
    const std::optional<mv::HouseWorkKind> k = kind();
    if (!k) {
        shell::showMessage(mv::xmsg::claimNoKind());
        return std::nullopt;
    }
    QString summary;
    shell::progressBar();
    const mv::FileOffer o =
        mv::claimFileOffer(shell::paths(), mv::yearRecord().company, *k, tk::text(c.from).trimmed(),
                           tk::text(c.to).trimmed(), summary);
    tk::setText(c.view, summary);
    tk::setStandardFont(c.view, 1);
    return o;
}

void command(int cmd) {
    if (cmd == cmdOpen) {
        open();
        return;
    }
    if (shell::state().pageState(PageId::ClaimFile) <= 0) return;
    const std::optional<mv::FileOffer> o = offer();
    if (!o) return;
    if (cmd == cmdShow) {
        if (!o->ok) shell::showMessage(o->message);
    } else if (cmd == cmdSave) {
        interchangeui::saveOfferedFile(*o, u("Spara fil med begäran"),
                                       u("XML-filer (*.xml);;Alla filer (*.*)"));
    }
}

void key(int cmd) {
    if ((cmd != 9 && cmd != 13) || shell::state().pageState(PageId::ClaimFile) <= 0) return;
    const int focused = tk::focusedControl();
    if (focused != c.from && focused != c.to) return;
    tk::setAdvanceFlag(false);
    tk::setFocus(focused == c.from ? c.to : c.from);
}

} // namespace

const interchangeui::ClaimControls& interchangeui::claimControls() {
    return c;
}

namespace shell {
PageDefinition claimFilePage() {
    PageDefinition p;
    p.id = PageId::ClaimFile;
    p.name = "claim file";
    p.createControls = create;
    p.reset = [](int) {
        for (int h : controls())
            tk::hideControl(h);
    };
    p.paint = paint;
    p.command = command;
    p.key = key;
    // Each reads the books: the integrity check runs first.
    p.commands = {{cmdOpen, cmdOpen, true}, {cmdShow, cmdSave, true}};
    return p;
}
} // namespace shell
