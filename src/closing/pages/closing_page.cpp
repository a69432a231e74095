// The closing page ("BOKSLUTFÖRANDET", tools-menu button "SLUTFÖR ÅR <year>",
// command 1033): computes the closing basis and the owner information, then
// leads through the checks of the year handling one screen at a time (broken
// fiscal year with "Välj" 1082 for the following year, the following year
// created, the stock count, the own tax and own salary withdrawals with
// "Boka ut" 1084, which opens the expense page with the preset) and offers
// "Slutför" (1083), the completion, only when they all pass. In a locked year
// the page only says so.
#include "booking/pages/booking_pages.h"
#include "closing/pages/closing_pages.h"
#include "closing/year_completion.h"
#include "closing/year_end_checks.h"
#include "invoicing/pages/invoice_pages.h"
#include "reports/closing_basis.h"
#include "reports/owner_info.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/settings.h"
#include "store/years.h"
#include "toolkit/toolkit.h"

#include <array>

namespace {

using shell::PageId;

constexpr int cmdOpen = 1033;
constexpr int cmdChoose = 1082;
constexpr int cmdComplete = 1083;
constexpr int cmdBookOut = 1084;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

int instructions = 0, yearsView = 0, yearField = 0, chooseButton = 0, completeButton = 0,
    bookOutButton = 0;

mv::YearEndRun run; // kept between the runs of the page
mv::YearEndScreen screen = mv::YearEndScreen::Locked;
mv::OwnerFigures owner; // of the last computation
mv::Amount withdrawal;  // the amount of an OwnTax / OwnSalary screen

std::array<int, 6> controls() {
    return {instructions, yearsView, yearField, chooseButton, completeButton, bookOutButton};
}

void hideAll() {
    for (int h : controls())
        tk::hideControl(h);
}

void create(int window) {
    instructions = tk::createRichView(window, 230, 130, 510, 260, u("VSCROLL"), 0);
    tk::setReadOnly(instructions, u("OFF"));
    yearsView = tk::createRichView(window, 500, 458, 70, 107, u("VSCROLL"), 0);
    tk::setReadOnly(yearsView, u("OFF"));
    yearField = tk::createField(window, 585, 488, 60, 20, u("C"), 4);
    tk::setFont(yearField, shell::font(shell::Font::Field));
    chooseButton =
        tk::createButton(window, 655, 488, 80, 20, u("Välj"), u("C"), u("NORMAL"), cmdChoose);
    completeButton =
        tk::createButton(window, 585, 530, 150, 30, u("Slutför"), u("C"), u("NORMAL"), cmdComplete);
    bookOutButton =
        tk::createButton(window, 585, 530, 150, 30, u("Boka ut"), u("C"), u("NORMAL"), cmdBookOut);
    hideAll();
}

bool choosing() {
    return run.brokenYearChosen && !shell::state().isLocked();
}

void paint(int window, int& state) {
    if (state <= 0) return;
    invoiceui::beginToolPage(window, u("BOKSLUTFÖRANDET"));
    const int l = shell::labelColour;
    const auto body = shell::Font::Body;
    shell::lightFrame(window, 220, 100, 750, 400, u("BOKSLUTSINSTRUKTIONER"));
    shell::lightFrame(window, 220, 410, 480, 575, u("BOKSLUT PÅGÅR NU FÖR ÅR:"));
    shell::drawText(window, 250, 450, shell::state().selectedYear, shell::rgb(250, 0, 0),
                    shell::Font::Big);
    shell::lightFrame(window, 490, 410, 750, 575, u("NÄSTKOMMANDE ÅR"));
    shell::drawText(window, 500, 438, u("Skapade år"), l, body);
    if (choosing()) {
        shell::drawText(window, 585, 438, u("Välj nästkommande"), l, body);
        shell::drawText(window, 585, 455, u("bokföringsår"), l, body);
    } else if (!shell::state().isLocked()) {
        shell::drawText(window, 585, 438, u("Nästkommande år"), l, body);
        shell::drawText(window, 585, 470, mv::targetYearOf(run), l, shell::Font::Heading);
    }
    if (shell::state().isLocked())
        shell::drawText(window, 585, 438, u("Året är låst."), shell::rgb(200, 0, 0), body);
    shell::endPage(window, state);
}

void showScreen(mv::YearEndScreen s, const QString& text) {
    screen = s;
    tk::setText(instructions, text);
    tk::setStandardFont(instructions, shell::font(shell::Font::Listing));
    tk::selectRange(instructions, 0, 0);
    const bool locked = shell::state().isLocked();
    const bool ready = s == mv::YearEndScreen::Ready && !locked;
    const bool bookOut =
        (s == mv::YearEndScreen::OwnTax || s == mv::YearEndScreen::OwnSalary) && !locked;
    ready ? tk::showControl(completeButton) : tk::hideControl(completeButton);
    ready ? tk::enableControl(completeButton) : tk::disableControl(completeButton);
    bookOut ? tk::showControl(bookOutButton) : tk::hideControl(bookOutButton);
    for (int h : {yearField, chooseButton})
        choosing() ? tk::showControl(h) : tk::hideControl(h);
    shell::requestRepaint();
}

QString selectedYear() {
    return shell::state().selectedYear;
}

// The checks after the choice of the following year.
void continueChecks() {
    const QString target = mv::targetYearOf(run);
    const mv::TargetCheck check =
        mv::checkCompletionTarget(shell::paths(), mv::buildPathTable(target));
    if (!check.ok()) {
        showScreen(mv::YearEndScreen::TargetRefused,
                   mv::targetRefusedText(selectedYear(), target, check));
        return;
    }
    showScreen(mv::YearEndScreen::StockCount, mv::stockCountText());
    if (shell::showMessage(mv::stockCountQuestion()) == mv::answerYes) {
        showScreen(mv::YearEndScreen::StockChosen, mv::stockChosenText(selectedYear()));
        return;
    }
    const mv::YearEndScreen w = mv::withdrawalScreen(owner, &withdrawal);
    if (w == mv::YearEndScreen::OwnTax)
        showScreen(w, mv::ownTaxText(selectedYear(), withdrawal));
    else if (w == mv::YearEndScreen::OwnSalary)
        showScreen(w, mv::ownSalaryText(selectedYear(), withdrawal));
    else
        showScreen(mv::YearEndScreen::Ready, mv::readyText(selectedYear(), target));
}

void showPage() {
    shell::openPage(PageId::YearEndClosing, cmdOpen);
    tk::setText(yearsView, mv::createdYears().join(QLatin1Char('\n')));
    for (int h : {instructions, yearsView})
        tk::showControl(h);
}

void open() {
    run = mv::runFor(run, selectedYear());
    if (shell::state().isLocked()) {
        showPage();
        showScreen(mv::YearEndScreen::Locked, mv::lockedText(selectedYear()));
        return;
    }
    // The closing basis and the owner's figures as the books stand (the
    // progress bar goes when the page opens).
    shell::progressBar();
    const mv::Settings& settings = mv::yearRecord().settings;
    const mv::ClosingRun basis = mv::runClosingBasis(shell::paths(), settings, false);
    if (!basis.ok) {
        shell::showMessage(basis.message);
        shell::showWelcomePage();
        return;
    }
    owner = mv::computeOwnerFigures(basis.figures, settings);
    mv::keepOwnerResults(owner);
    showPage();

    if (!run.brokenYearChosen) {
        showScreen(mv::YearEndScreen::BrokenYear, mv::brokenYearText());
        if (shell::showMessage(mv::brokenYearQuestion()) == mv::answerYes)
            run.brokenYearChosen = true;
    }
    if (run.brokenYearChosen && run.chosenYear.isEmpty()) {
        showScreen(mv::YearEndScreen::ChooseYear, mv::chooseYearText());
        tk::setFocus(yearField);
        return;
    }
    continueChecks();
}

// The page's buttons act only while the page shows them.
bool onShow(int button) {
    return shell::state().pageState(PageId::YearEndClosing) > 0 && tk::isVisible(button) &&
           tk::isEnabled(button);
}

void choose() {
    if (!choosing() || !onShow(chooseButton)) return;
    const QString typed = tk::text(yearField).trimmed();
    const mv::TargetCheck check =
        mv::checkCompletionTarget(shell::paths(), mv::buildPathTable(typed));
    if (!check.ok()) {
        shell::showMessage(check.message);
        return;
    }
    run.chosenYear = typed;
    continueChecks();
}

void bookOut() {
    if (shell::state().isLocked() || !onShow(bookOutButton)) return;
    if (screen == mv::YearEndScreen::OwnTax)
        bookingui::openExpenseWithPreset(mv::WithdrawalPreset::OwnTax, withdrawal);
    else if (screen == mv::YearEndScreen::OwnSalary)
        bookingui::openExpenseWithPreset(mv::WithdrawalPreset::OwnSalary, withdrawal);
}

void complete() {
    if (shell::state().isLocked() || screen != mv::YearEndScreen::Ready || !onShow(completeButton))
        return;
    shell::progressBar();
    const mv::CompletionOutcome out = mv::completeYear(
        shell::paths(), mv::buildPathTable(mv::targetYearOf(run)), mv::yearRecord().settings);
    if (!out.ok) {
        shell::showMessage(out.message);
        return;
    }
    // The lock mark is written: the title and the pages follow it.
    shell::applySelectedYear(selectedYear());
    shell::showMessage(mv::yearCompletedMessage());
    shell::showWelcomePage();
}

void command(int cmd) {
    if (cmd == cmdOpen)
        open();
    else if (cmd == cmdChoose)
        choose();
    else if (cmd == cmdComplete)
        complete();
    else if (cmd == cmdBookOut)
        bookOut();
}

void key(int cmd) {
    if ((cmd != 9 && cmd != 13) || shell::state().pageState(PageId::YearEndClosing) <= 0) return;
    if (tk::focusedControl() != yearField) return;
    tk::setAdvanceFlag(false);
    choose();
}

} // namespace

const closingui::ClosingControls& closingui::closingControls() {
    static ClosingControls c;
    c = {instructions, yearsView, yearField, chooseButton, completeButton, bookOutButton};
    return c;
}

void closingui::forgetYearEndRun() {
    run = mv::YearEndRun();
}

namespace shell {
PageDefinition closingPage() {
    PageDefinition p;
    p.id = PageId::YearEndClosing;
    p.name = "closing";
    p.createControls = create;
    p.reset = [](int) { hideAll(); };
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.commands = {{cmdOpen, cmdOpen, true}, {cmdChoose, cmdBookOut, false}};
    return p;
}
} // namespace shell
