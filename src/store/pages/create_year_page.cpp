// The create-year page ("SKAPA BOKFÖRINGSÅR", command 1016) and its
// "Skapa" button (1017).
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/pages/year_pages.h"
#include "store/years.h"
#include "toolkit/toolkit.h"

namespace shell {

namespace {

int yearsView = 0;
int yearField = 0;
int createButton = 0;

void create(int window) {
    yearsView = tk::createRichView(window, 430, 150, 150, 110, QStringLiteral("VSCROLL"), 0);
    tk::setReadOnly(yearsView, QStringLiteral("OFF"));
    yearField = tk::createField(window, 430, 300, 60, 20, QStringLiteral("C"), 4);
    tk::setFont(yearField, font(Font::Field));
    createButton = tk::createButton(window, 500, 300, 80, 20, QStringLiteral("Skapa"),
                                    QStringLiteral("C"), QStringLiteral("NORMAL"), 1017);
    for (int c : {yearsView, yearField, createButton})
        tk::hideControl(c);
}

void reset(int) {
    for (int c : {yearsView, yearField, createButton})
        tk::hideControl(c);
}

void paint(int window, int& pageState) {
    paintYearPage(window, pageState, QStringLiteral("SKAPA BOKFÖRINGSÅR"),
                  QStringLiteral("SKAPA BOKFÖRINGSÅR"), QStringLiteral("Skapa"),
                  state().selectedYear);
}

void open() {
    openPage(PageId::CreateYear, 1016);
    fillCreatedYears(yearsView);
    tk::setText(yearField, mv::suggestedNewYear());
    for (int c : {yearsView, yearField, createButton})
        tk::showControl(c);
    if (state().isLocked()) {
        tk::disableControl(createButton);
        tk::disableControl(yearField);
    } else {
        tk::enableControl(createButton);
        tk::enableControl(yearField);
        tk::setFocus(yearField);
    }
}

void createYear() {
    ProgramState& s = state();
    if (s.isLocked()) return;
    progressBar();
    const mv::CreateYearOutcome out = mv::createYear(tk::text(yearField), s.paths, s.isLocked(),
                                                     s.firstStartProgress, showMessage);
    if (out.created) showWelcomePage();
}

void command(int cmd) {
    if (cmd == 1016)
        open();
    else if (cmd == 1017)
        createYear();
}

} // namespace

void fillCreatedYears(int view) {
    tk::setText(view, mv::createdYears().join(QLatin1Char('\n')));
}

void paintYearPage(int window, int& pageState, const QString& heading, const QString& frameTitle,
                   const QString& actionLabel, const QString& shownYear) {
    if (pageState <= 0) return;
    beginPage(window);
    drawToolsPanel(window);
    drawText(window, 190, 57, heading, white, Font::Heading);
    helpMark(window, 780, 60);
    lightFrame(window, 220, 100, 750, 400, frameTitle);
    drawText(window, 430, 130, QStringLiteral("Skapade"), labelColour, Font::Body);
    drawText(window, 430, 280, actionLabel, labelColour, Font::Body);
    lightFrame(window, 220, 430, 750, 550, QStringLiteral("AKTIVT ÅR ÄR NU"));
    drawText(window, 387, 457, shownYear, rgb(250, 0, 0), Font::Big);
    endPage(window, pageState);
}

PageDefinition createYearPage() {
    PageDefinition p;
    p.id = PageId::CreateYear;
    p.name = "create-year";
    p.createControls = create;
    p.reset = reset;
    p.paint = paint;
    p.command = command;
    p.commands = {{1016, 1017, false}};
    return p;
}

} // namespace shell
