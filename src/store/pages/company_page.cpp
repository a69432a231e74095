// The company details page ("FÖRETAGSUPPGIFTER", command 1019) and its save
// (1020). At start-up this page also loads the year's record (company
// details, settings, backup target, invoice texts) that the program reads.
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

#include <QDir>

namespace shell {

namespace {

constexpr int fieldY[mv::companyLineCount] = {140, 160, 180, 200, 240, 280, 300,
                                              340, 360, 400, 420, 440, 480};
std::array<int, mv::companyLineCount> fields{};
int saveButton = 0;

void hideAll() {
    for (int f : fields)
        tk::hideControl(f);
    tk::hideControl(saveButton);
}

void create(int window) {
    for (int i = 0; i < mv::companyLineCount; ++i) {
        const int capacity = i == mv::companyLineCount - 1 ? 60 : 25;
        fields[size_t(i)] =
            tk::createField(window, 480, fieldY[i], 196, 20, QStringLiteral("L"), capacity);
        tk::setFont(fields[size_t(i)], font(Font::Field));
    }
    saveButton = tk::createButton(window, 434, 540, 100, 30, QStringLiteral("Spara"),
                                  QStringLiteral("C"), QStringLiteral("NORMAL"), 1020);
    hideAll();
}

void fill() {
    const mv::CompanyDetails& c = mv::yearRecord().company;
    for (size_t i = 0; i < fields.size(); ++i)
        tk::setText(fields[i], c.lines[i]);
}

void loadForms() {
    ProgramState& s = state();
    mv::loadYearRecord(s.paths, QDir::currentPath(), s.firstStartProgress);
    fill();
}

void paint(int window, int& pageState) {
    if (pageState <= 0) return;
    beginPage(window);
    drawToolsPanel(window);
    drawText(window, 190, 57, QStringLiteral("FÖRETAGSUPPGIFTER"), white, Font::Heading);
    helpMark(window, 780, 60);
    lightFrame(window, 220, 108, 750, 515, QStringLiteral("FÖRETAGET"));
    for (int i = 0; i < mv::companyLineCount; ++i)
        drawText(window, 300, fieldY[i] + 1, mv::companyLabels()[size_t(i)], labelColour,
                 Font::Body);
    endPage(window, pageState);
}

void open() {
    openPage(PageId::Company, 1019);
    if (barButton(1033)) tk::disableControl(barButton(1033));
    fill();
    for (int f : fields)
        tk::showControl(f);
    tk::showControl(saveButton);
    if (state().isLocked())
        tk::disableControl(saveButton);
    else
        tk::enableControl(saveButton);
    tk::setFocus(fields[0]);
}

void save() {
    ProgramState& s = state();
    if (s.isLocked()) return;
    progressBar();
    std::array<QString, mv::companyLineCount> typed;
    for (size_t i = 0; i < fields.size(); ++i)
        typed[i] = tk::text(fields[i]);
    const mv::SaveOutcome out =
        mv::saveCompanyDetails(s.paths, typed, s.firstStartProgress, showMessage);
    if (out.code == 0 && mainWindow()) tk::postCommand(mainWindow(), out.postCommand);
}

void command(int cmd) {
    if (cmd == 1019)
        open();
    else if (cmd == 1020)
        save();
}

// Tab and Enter move one field down.
void key(int cmd) {
    if (cmd != 9 && cmd != 13) return;
    for (size_t i = 0; i + 1 < fields.size(); ++i)
        tk::advanceFocus(fields[i], fields[i + 1]);
}

} // namespace

PageDefinition companyPage() {
    PageDefinition p;
    p.id = PageId::Company;
    p.name = "company";
    p.createControls = create;
    p.reset = [](int) { hideAll(); };
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.loadForms = loadForms;
    p.commands = {{1019, 1020, false}};
    return p;
}

} // namespace shell
