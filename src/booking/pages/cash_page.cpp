// The cash page ("KASSAN", command 1030; "Spara" 1031; the move buttons
// 1049-1054): the six money accounts, placing a just-checked income or
// expense on one of them (the cash step that writes the booking), placing
// the cash of an opening balance over them (the step that writes the
// import), and transfers between the accounts.
#include "booking/booking_commit.h"
#include "booking/pages/booking_pages.h"
#include "booking/cash_distribution.h"
#include "store/change_set.h"
#include "reports/pages/report_pages.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/clock.h"
#include "toolkit/toolkit.h"

namespace bookingui {

std::optional<mv::Booking>& pendingBooking() {
    static std::optional<mv::Booking> booking;
    return booking;
}

std::optional<PendingImport>& pendingImport() {
    static std::optional<PendingImport> import;
    return import;
}

namespace {

constexpr int cmdOpen = 1030;
constexpr int cmdSave = 1031;
constexpr int cmdFirstMove = 1049;

CashControls c;
mv::MoneyAccounts opened;   // as stored when the page opened
int placedOn = -1;          // the account chosen for the pending booking

QString u(const char* s) { return QString::fromUtf8(s); }

bool distributing() { return pendingBooking().has_value(); }
// The imported cash is spread like a transfer: typed balances or the move
// buttons, saved once they add up to the new cash total.
bool importing() { return !distributing() && pendingImport().has_value(); }

int rowY(int i) { return 225 + 32 * i; }

void hideAll() {
    for (int h : {c.number, c.date, c.difference, c.total, c.saveButton, c.view}) tk::hideControl(h);
    for (int i = 0; i < 6; ++i)
        for (int h : {c.names[size_t(i)], c.balances[size_t(i)], c.moveButtons[size_t(i)]}) tk::hideControl(h);
}

void create(int window) {
    auto field = [&](int x, int y, int w, const char* align, int max) {
        const int f = tk::createField(window, x, y, w, 20, u(align), max);
        tk::setFont(f, shell::font(shell::Font::Field));
        return f;
    };
    c.number = field(130, 88, 80, "R", 0);
    c.date = field(300, 88, 85, "L", 0);
    c.difference = field(230, 130, 100, "R", 0);
    c.total = field(230, 160, 100, "R", 0);
    for (int i = 0; i < 6; ++i) {
        c.names[size_t(i)] = field(20, rowY(i), 200, "L", 40);
        c.balances[size_t(i)] = field(230, rowY(i), 100, "R", 12);
        c.moveButtons[size_t(i)] = tk::createButton(window, 338, rowY(i), 47, 20, u("<<"), u("C"),
                                                    u("NORMAL"), cmdFirstMove + i);
    }
    c.saveButton = tk::createButton(window, 295, 540, 90, 30, u("Spara"), u("C"), u("NORMAL"), cmdSave);
    c.view = tk::createTextViewer(window, 405, 84, 383, 494, u("VHSCROLL"));
    for (int f : {c.number, c.date, c.difference, c.total}) tk::setReadOnly(f, u("OFF"));
    tk::setReadOnly(c.view, u("OFF"));
    // The transfer list joins the print table; the print field beside
    // "Skriv ut" may pick one verification.
    reports::bindPrintSource(mv::PrintSource::CashList,
                             {c.view, shell::printField(), [] {
                                  return shell::state().pageState(shell::PageId::Transfer) > 0;
                              }});
    hideAll();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    shell::beginPage(window);
    shell::darkFrame(window, 5, 53, 395, 583, u("KASSAN"));
    shell::darkFrame(window, 400, 53, 793, 583, u("KASSAVERIFIKATIONER"), shell::Font::Body);
    shell::helpMark(window, 280, 60);
    shell::drawText(window, 610, 58, u("Ver.nr"), shell::white, shell::Font::Body);
    shell::fillRect(window, 8, 80, 392, 580, shell::rgb(200, 230, 255));
    const int l = shell::labelColour;
    const auto body = shell::Font::Body;
    if (tk::isVisible(c.number)) shell::drawText(window, 15, 89, u("Verifikation"), l, body);
    shell::drawText(window, 255, 89, u("Datum"), l, body);
    shell::drawText(window, 15, 131, u("Balans"), l, body);
    shell::drawText(window, 15, 161, u("Summa"), l, body);
    shell::drawText(window, 20, 203, u("Konton"), l, body);
    shell::drawText(window, 250, 203, u("Tillgång"), l, body);
    if (importing())
        shell::drawText(window, 15, 440, u("Fördela den importerade kassan på kontona."),
                        shell::rgb(200, 0, 0), body);
    if (distributing()) {
        const bool income = pendingBooking()->side == mv::Side::Income;
        shell::drawText(window, 15, 440,
                        income ? u("Tryck på knappen vid kontot som tog emot beloppet.")
                               : u("Tryck på knappen vid kontot som beloppet betalades från."),
                        shell::rgb(200, 0, 0), body);
    }
    shell::endPage(window, state);
}

std::array<QString, 6> nameTexts() {
    std::array<QString, 6> n;
    for (size_t i = 0; i < 6; ++i) n[i] = tk::text(c.names[i]);
    return n;
}

// The typed balances; nothing when one is not a plain number.
std::optional<std::array<mv::Amount, 6>> typedBalances() {
    std::array<mv::Amount, 6> b{};
    for (size_t i = 0; i < 6; ++i) {
        const std::optional<mv::Amount> a = mv::typedAmount(tk::text(c.balances[i]));
        if (!a) return std::nullopt;
        b[i] = *a;
    }
    return b;
}

mv::Amount shownTotal() {
    if (importing()) return opened.cashTotal + pendingImport()->amount;
    return distributing() ? opened.cashTotal + pendingBooking()->cashChange() : opened.cashTotal;
}

void showBalances(const std::array<mv::Amount, 6>& balances) {
    for (size_t i = 0; i < 6; ++i) tk::setText(c.balances[i], balances[i].toText());
    tk::setText(c.difference, mv::differenceText(shownTotal(), balances));
}

void setMoveButtons(bool enabled) {
    for (int b : c.moveButtons) enabled ? tk::enableControl(b) : tk::disableControl(b);
}

void loadView() {
    tk::setStandardFont(c.view, shell::font(shell::Font::SmallListing));
    tk::refreshFromFile(c.view, shell::paths().transferVerifications);
    tk::scrollToEnd(c.view);
}

void open() {
    const bool waiting = distributing() || importing();
    shell::state().cashStepWaiting = waiting ? 1 : 0;
    shell::openPage(shell::PageId::Transfer, waiting ? 0 : cmdOpen);
    mv::recoverInterruptedBooking(shell::paths());
    opened = mv::loadMoneyAccounts(shell::paths());
    placedOn = -1;
    for (int h : {c.date, c.difference, c.total, c.saveButton, c.view, shell::printButton(),
                  shell::printField()})
        tk::showControl(h);
    tk::enableControl(shell::printButton());
    tk::setText(shell::printField(), QString());
    tk::hideControl(c.number);
    tk::setText(c.number, QString::number(mv::storedCounter(shell::paths()) + 1));
    tk::setText(c.date, mv::todayText());
    tk::setText(c.total, shownTotal().toText());
    const bool locked = shell::state().isLocked();
    for (size_t i = 0; i < 6; ++i) {
        tk::showControl(c.names[i]);
        tk::showControl(c.balances[i]);
        tk::showControl(c.moveButtons[i]);
        tk::setText(c.names[i], opened.names[i]);
        tk::setReadOnly(c.names[i], locked ? u("OFF") : u("ON"));
        // While a booking waits, the amount is placed with the buttons only.
        tk::setReadOnly(c.balances[i], (locked || distributing()) ? u("OFF") : u("ON"));
    }
    showBalances(opened.balances);
    setMoveButtons(distributing() || importing());
    if (importing()) {
        tk::setText(c.number, QString::number(pendingImport()->number));
        tk::showControl(c.number);
    }
    tk::disableControl(c.saveButton);
    loadView();
    if (distributing()) tk::setFocus(c.moveButtons[0]);
    else if (!locked) tk::setFocus(c.balances[0]);
}

// Enter or Tab: normalise the balances and show the difference.
void recalculate() {
    if (distributing()) return;
    for (size_t i = 0; i < 6; ++i) {
        if (tk::text(c.names[i]).isEmpty()) {
            tk::setText(c.balances[i], u("0.00"));
            tk::disableControl(c.balances[i]);
            continue;
        }
        tk::enableControl(c.balances[i]);
        const QString typed = tk::text(c.balances[i]);
        if (mv::isTypedAmount(typed)) tk::setText(c.balances[i], mv::normalizeAmountText(typed));
    }
    const auto balances = typedBalances();
    if (!balances) {
        shell::showMessage(mv::msg::badAmount());
        tk::disableControl(c.saveButton);
        return;
    }
    tk::setText(c.difference, mv::differenceText(shownTotal(), *balances));
    const bool moved = *balances != opened.balances;
    moved || importing() ? tk::showControl(c.number) : tk::hideControl(c.number);
    // Balanced typed amounts (or renamed accounts) may be saved at once.
    const bool balanced = (shownTotal() - mv::balanceSum(*balances)).isZero();
    balanced && !shell::state().isLocked() ? tk::enableControl(c.saveButton) : tk::disableControl(c.saveButton);
    setMoveButtons(!balanced);
    shell::requestRepaint();
}

void move(int account) {
    if (shell::state().isLocked()) return;
    if (distributing()) {
        if (tk::text(c.names[size_t(account)]).isEmpty()) {
            shell::showMessage(mv::msg::noReceivingAccount());
            return;
        }
        placedOn = account;
        showBalances(mv::pendingView(opened, pendingBooking()->cashChange(), account).balances);
        tk::enableControl(c.saveButton);
        tk::setFocus(c.saveButton);
        return;
    }
    auto balances = typedBalances();
    if (!balances) {
        shell::showMessage(mv::msg::badAmount());
        return;
    }
    (*balances)[size_t(account)] += shownTotal() - mv::balanceSum(*balances);
    showBalances(*balances);
    if (*balances != opened.balances) tk::showControl(c.number);
    setMoveButtons(false);
    tk::enableControl(c.saveButton);
    shell::requestRepaint();
}

// Asks about every money account the save takes below zero; false when the
// user answers "Nej" (the default) to one of them.
bool negativeAccountsAccepted(const std::array<mv::Amount, 6>& after) {
    for (const mv::NegativeAccount& n : mv::accountsGoingNegative(nameTexts(), opened.balances, after))
        if (shell::showMessage(mv::msg::accountGoesNegative(n.name, n.balance)) != tk::BoxYes)
            return false;
    return true;
}

// The balances the save would store (nothing when a typed one is unreadable:
// the transfer's own check refuses it).
std::optional<std::array<mv::Amount, 6>> balancesAfterSave() {
    if (distributing())
        return mv::pendingView(opened, pendingBooking()->cashChange(), placedOn).balances;
    return typedBalances();
}

void save() {
    if (shell::state().isLocked()) return;
    const QString difference = tk::text(c.difference);
    if (!mv::Amount::parseLenient(difference).isZero()) {
        shell::showMessage(mv::msg::unbalanced());
        return;
    }
    if (const auto after = balancesAfterSave(); after && !negativeAccountsAccepted(*after)) return;
    shell::progressBar();
    if (distributing()) {
        mv::Placement p;
        p.names = nameTexts();
        p.account = placedOn;
        const mv::Side side = pendingBooking()->side;
        const mv::CommitOutcome out = mv::commitBooking(shell::paths(), *pendingBooking(), p);
        if (!out.ok) {
            shell::showMessage(out.message);
            return;
        }
        pendingBooking().reset();
        shell::state().cashStepWaiting = 0;
        shell::setTopBarEnabled(true);
        lastBookedNumber() = out.number;
        reopenEntryPage(side);
        return;
    }
    mv::TransferForm form;
    form.names = nameTexts();
    for (size_t i = 0; i < 6; ++i) form.balances[i] = tk::text(c.balances[i]);
    if (importing()) {
        const mv::CommitOutcome out = pendingImport()->commit(form);
        if (!out.ok) {
            shell::showMessage(out.message);
            return;
        }
        pendingImport().reset();
        shell::state().cashStepWaiting = 0;
        shell::setTopBarEnabled(true);
        shell::showWelcomePage();
        return;
    }
    const mv::CommitOutcome out = mv::commitTransfer(shell::paths(), form);
    if (!out.ok) {
        shell::showMessage(out.message);
        return;
    }
    open();
    if (out.number) shell::showMessage(mv::msg::transferBooked());
}

void command(int cmd) {
    if (cmd == cmdOpen) open();
    else if (cmd == cmdSave) save();
    else if (cmd >= cmdFirstMove && cmd < cmdFirstMove + 6) move(cmd - cmdFirstMove);
}

void key(int cmd) {
    if (cmd != 9 && cmd != 13) return;
    if (shell::state().pageState(shell::PageId::Transfer) <= 0) return;
    const int focused = tk::focusedControl();
    for (size_t i = 0; i < 6; ++i) {
        if (focused == c.names[i]) {
            tk::setAdvanceFlag(false);
            tk::setFocus(distributing() ? c.moveButtons[i] : c.balances[i]);
        } else if (focused == c.balances[i]) {
            tk::setAdvanceFlag(false);
            tk::setFocus(i + 1 < 6 ? c.names[i + 1] : c.names[0]);
        }
    }
    recalculate();
}

} // namespace

const CashControls& cashControls() { return c; }

void openCashStep() { open(); }

int& lastBookedNumber() {
    static int n = 0;
    return n;
}

} // namespace bookingui

namespace shell {
PageDefinition cashPage() {
    PageDefinition p;
    p.id = PageId::Transfer;
    p.name = "cash";
    p.createControls = bookingui::create;
    p.reset = [](int) { bookingui::hideAll(); };
    p.paint = bookingui::paint;
    p.command = bookingui::command;
    p.key = bookingui::key;
    p.commands = {{1030, 1030, true}, {1031, 1031, false}, {1049, 1054, false}};
    return p;
}
} // namespace shell
