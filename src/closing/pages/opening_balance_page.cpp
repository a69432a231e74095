// The opening balance page ("REGISTRERA INGÅENDE BALANS", tools-menu button
// "REG INGÅENDE BALANS", command 1080; "Spara" 1081): the balances with which
// the previous year closed, registered once. Row 7, the equity, is computed.
// A cash amount is then placed on the money accounts on the cash page, whose
// save writes the whole registration.
#include "booking/booking_entry.h"
#include "booking/pages/booking_pages.h"
#include "closing/opening_balance.h"
#include "closing/pages/closing_pages.h"
#include "invoicing/pages/invoice_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "toolkit/toolkit.h"

#include <array>

namespace {

using shell::PageId;

constexpr int cmdOpen = 1080;
constexpr int cmdSave = 1081;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

struct RowText {
    const char* label;
    const char* reference;
    int y;
};

// The rows in page order, with the BAS reference shown beside each.
const std::array<RowText, mv::openingRowCount> rows = {{
    {"Kassa, Bank mm (Företagets kontanta medel)", "B9  ( BAS 1910 till 1970 )", 130},
    {"Inventarier, verktyg mm (end. avskrivbara inv)", "B4  ( BAS 1220 )", 160},
    {"Varulager", "B6  ( BAS 1400 )", 190},
    {"Kundfordringar", "B7  ( BAS 1500 )", 220},
    {"Leverantörsskulder", "B15 ( BAS 2440 )", 295},
    {"Företagets inlåning  (Bank, Ägaren, Annat)", "B13 ( BAS 2330 till 2390 )", 325},
    {"Företagets eget kapital (Minus är underskott) ", "B10 ( BAS 2010 ) Ifylls auto", 355},
    {"Momsskillnad", "Ruta 110 minus Ruta 109", 430},
}};

constexpr int fieldX = 480;

std::array<int, mv::openingRowCount> fields{};
int numberField = 0;
int saveButton = 0;
int sieButton = 0; // "Läs SIE-fil": the import fills the rows (src/interchange/pages)
constexpr int cmdReadSie = 1067;

void hideAll() {
    for (int f : fields)
        tk::hideControl(f);
    tk::hideControl(numberField);
    tk::hideControl(saveButton);
    tk::hideControl(sieButton);
}

void create(int window) {
    for (size_t i = 0; i < fields.size(); ++i) {
        fields[i] = tk::createField(window, fieldX, rows[i].y, 100, 20, u("R"), 14);
        tk::setFont(fields[i], shell::font(shell::Font::Field));
    }
    numberField = tk::createField(window, 300, 488, 80, 20, u("R"), 0);
    tk::setFont(numberField, shell::font(shell::Font::Field));
    tk::setReadOnly(numberField, u("OFF"));
    saveButton =
        tk::createButton(window, 480, 483, 100, 30, u("Spara"), u("C"), u("NORMAL"), cmdSave);
    sieButton = tk::createButton(window, 600, 483, 100, 30, u("Läs SIE-fil"), u("C"), u("NORMAL"),
                                 cmdReadSie);
    hideAll();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, u("REGISTRERA INGÅENDE BALANS"));
    shell::lightFrame(window, 195, 95, 785, 255, u("INGÅENDE FÖREGÅENDE ÅRS TILLGÅNGAR"));
    shell::lightFrame(window, 195, 265, 785, 390, u("INGÅENDE FÖREGÅENDE ÅRS SKULDER"));
    shell::lightFrame(window, 195, 400, 785, 465, u("INGÅENDE FÖREGÅENDE ÅRS MOMSSKILLNAD"));
    for (const RowText& r : rows) {
        shell::drawText(window, 205, r.y + 1, u(r.label), shell::labelColour, shell::Font::Body);
        shell::drawText(window, fieldX + 110, r.y + 1, u(r.reference), shell::greyText,
                        shell::Font::Body);
    }
    shell::drawText(window, 205, 489, u("Verifikation"), shell::labelColour, shell::Font::Body);
    if (shell::state().isLocked())
        shell::drawText(window, 205, 530, u("Året är låst."), shell::rgb(200, 0, 0),
                        shell::Font::Body);
    shell::endPage(window, state);
}

void setEditable(bool on) {
    for (size_t i = 0; i < fields.size(); ++i)
        on&& i != mv::RowEquity ? tk::enableControl(fields[i]) : tk::disableControl(fields[i]);
    on ? tk::enableControl(saveButton) : tk::disableControl(saveButton);
    on ? tk::enableControl(sieButton) : tk::disableControl(sieButton);
}

std::array<QString, mv::openingRowCount> typedRows() {
    std::array<QString, mv::openingRowCount> t;
    for (size_t i = 0; i < fields.size(); ++i)
        t[i] = tk::text(fields[i]);
    return t;
}

// Each row as typed, normalised where it is a plain number; row 7 from them.
void recalculate() {
    for (int f : fields)
        if (mv::isTypedAmount(tk::text(f))) tk::setText(f, mv::normalizeAmountText(tk::text(f)));
    mv::Message refusal;
    const std::optional<mv::OpeningBalance> b = mv::readOpeningRows(typedRows(), refusal);
    tk::setText(fields[mv::RowEquity], b ? b->equity().toText() : QString());
}

void open() {
    shell::openPage(PageId::OpeningBalance, cmdOpen);
    const mv::PathTable& paths = shell::paths();
    const std::array<QString, mv::openingRowCount> stored = mv::storedOpeningRows(paths);
    for (size_t i = 0; i < fields.size(); ++i) {
        tk::setText(fields[i], stored[i]);
        tk::showControl(fields[i]);
    }
    tk::setText(numberField, QString::number(mv::openingNumber(paths)));
    tk::showControl(numberField);
    tk::showControl(saveButton);
    tk::showControl(sieButton);
    const mv::OpeningState state = mv::openingState(paths);
    setEditable(state == mv::OpeningState::Open);
    if (state == mv::OpeningState::Open) tk::setFocus(fields[0]);
    const mv::Message refusal = mv::openingRefusal(state);
    if (!refusal.text.isEmpty()) shell::showMessage(refusal);
}

void save() {
    // Only what the page shows, enabled, is saved.
    if (shell::state().pageState(PageId::OpeningBalance) <= 0 || !tk::isEnabled(saveButton)) return;
    const mv::PathTable paths = shell::paths();
    if (mv::openingState(paths) != mv::OpeningState::Open) return;
    recalculate();
    mv::Message refusal;
    const std::optional<mv::OpeningBalance> b = mv::readOpeningRows(typedRows(), refusal);
    if (!b) {
        shell::showMessage(refusal);
        return;
    }
    shell::progressBar();
    if (mv::needsCashStep(*b)) {
        const mv::OpeningBalance balance = *b;
        bookingui::pendingImport() = bookingui::PendingImport{
            mv::openingNumber(paths), b->cash, [paths, balance](const mv::TransferForm& placing) {
                return mv::commitOpeningBalance(paths, balance, &placing);
            }};
        setEditable(false);
        shell::showMessage(mv::openingSavedMessage(true));
        bookingui::openCashStep();
        return;
    }
    const mv::CommitOutcome out = mv::commitOpeningBalance(paths, *b, nullptr);
    if (!out.ok) {
        shell::showMessage(out.message);
        return;
    }
    setEditable(false);
    shell::showMessage(mv::openingSavedMessage(false));
    shell::showWelcomePage();
}

void key(int cmd) {
    if ((cmd != 9 && cmd != 13) || shell::state().pageState(PageId::OpeningBalance) <= 0) return;
    if (!tk::isEnabled(saveButton)) return;
    const int focused = tk::focusedControl();
    recalculate();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (focused != fields[i]) continue;
        tk::setAdvanceFlag(false);
        size_t next = (i + 1) % fields.size();
        if (next == size_t(mv::RowEquity)) ++next;
        tk::setFocus(fields[next]);
        break;
    }
}

void command(int cmd) {
    if (cmd == cmdOpen)
        open();
    else if (cmd == cmdSave)
        save();
}

} // namespace

const closingui::OpeningControls& closingui::openingControls() {
    static OpeningControls c;
    c = {fields, numberField, saveButton, sieButton};
    return c;
}

void closingui::recalculateOpeningRows() {
    recalculate();
}

namespace shell {
PageDefinition openingBalancePage() {
    PageDefinition p;
    p.id = PageId::OpeningBalance;
    p.name = "opening balance";
    p.createControls = create;
    p.reset = [](int) { hideAll(); };
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.commands = {{cmdOpen, cmdOpen, true}, {cmdSave, cmdSave, false}};
    return p;
}
} // namespace shell
