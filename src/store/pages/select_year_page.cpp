// The select-year page ("VÄLJ BOKFÖRINGSÅR", command 1055) and its
// "Aktivera" button (1018): activation of another accounting year.
#include "shell/page.h"
#include "shell/page_paint.h"
#include "shell/shell_internal.h"
#include "store/clock.h"
#include "store/record_file.h"
#include "store/store_layout.h"
#include "store/pages/year_pages.h"
#include "store/years.h"
#include "toolkit/toolkit.h"

#include <QDir>

namespace shell {

namespace {

int yearsView = 0;
int yearField = 0;
int activateButton = 0;

void create(int window) {
    yearsView = tk::createRichView(window, 430, 150, 150, 110, QStringLiteral("VSCROLL"), 0);
    tk::setReadOnly(yearsView, QStringLiteral("OFF"));
    yearField = tk::createField(window, 430, 300, 60, 20, QStringLiteral("C"), 4);
    tk::setFont(yearField, font(Font::Field));
    activateButton = tk::createButton(window, 500, 300, 80, 20, QStringLiteral("Aktivera"),
                                      QStringLiteral("C"), QStringLiteral("NORMAL"), 1018);
    for (int c : {yearsView, yearField, activateButton})
        tk::hideControl(c);
}

void reset(int) {
    for (int c : {yearsView, yearField, activateButton})
        tk::hideControl(c);
}

// The stored selected year, "0000" when the file is missing.
QString storedYear() {
    if (mv::sizeMeasure(mv::drive::selectedYear) == -2) return QStringLiteral("0000");
    QString text;
    mv::readWhole(mv::drive::selectedYear, text);
    return text.left(4);
}

void paint(int window, int& pageState) {
    paintYearPage(window, pageState, QStringLiteral("BOKFÖRINGSÅR VÄLJ"),
                  QStringLiteral("VÄLJ BOKFÖRINGSÅR"), QStringLiteral("Aktivera"), storedYear());
}

void open() {
    openPage(PageId::SelectYear, 1055);
    if (state().isLocked() && barButton(1033)) tk::disableControl(barButton(1033));
    fillCreatedYears(yearsView);
    tk::setText(yearField, QString::number(mv::now().date().year()));
    for (int c : {yearsView, yearField, activateButton})
        tk::showControl(c);
    tk::enableControl(yearField);
    tk::enableControl(activateButton);
    tk::setFocus(yearField);
}

void activate() {
    ProgramState& s = state();
    const mv::ActivateOutcome out =
        mv::activateYear(tk::text(yearField), s.paths, QDir::currentPath(), s.firstStartProgress,
                         s.shutdownCheckDone, showMessage);
    if (!out.activated) return;
    applySelectedYear(out.year);
    setWindowTitle(out.title);
    showWelcomePage();
    if (mainWindow()) tk::postCommand(mainWindow(), out.postCommand);
}

void command(int cmd) {
    if (cmd == 1055)
        open();
    else if (cmd == 1018)
        activate();
}

} // namespace

PageDefinition selectYearPage() {
    PageDefinition p;
    p.id = PageId::SelectYear;
    p.name = "select-year";
    p.createControls = create;
    p.reset = reset;
    p.paint = paint;
    p.command = command;
    p.commands = {{1018, 1018, false}, {1055, 1055, false}};
    return p;
}

} // namespace shell
