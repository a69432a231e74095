// The settings page ("INSTÄLLNINGAR", command 1060) and its save (1061). The
// fields are only an editor: they are filled from the loaded record when the
// page opens, and only a save that passes every check changes the record.
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

namespace shell {

namespace {

std::array<int, mv::settingsFieldCount> fields{};
int saveButton = 0;

int fieldY(int i) {
    return 150 + 30 * i;
}

void hideAll() {
    for (int f : fields)
        tk::hideControl(f);
    tk::hideControl(saveButton);
}

void create(int window) {
    for (int i = 0; i < mv::settingsFieldCount; ++i) {
        const int capacity = i == mv::settingsFieldCount - 1 ? 3 : 20;
        fields[size_t(i)] =
            tk::createField(window, 550, fieldY(i), 87, 20, QStringLiteral("R"), capacity);
        tk::setFont(fields[size_t(i)], font(Font::Field));
    }
    saveButton = tk::createButton(window, 434, 540, 100, 30, QStringLiteral("Spara"),
                                  QStringLiteral("C"), QStringLiteral("NORMAL"), 1061);
    hideAll();
}

void fill() {
    const mv::Settings& s = mv::yearRecord().settings;
    for (size_t i = 0; i < fields.size(); ++i)
        tk::setText(fields[i], s.fields[i]);
}

void paint(int window, int& pageState) {
    if (pageState <= 0) return;
    beginPage(window);
    drawToolsPanel(window);
    drawText(window, 190, 57, QStringLiteral("INSTÄLLNINGAR"), white, Font::Heading);
    helpMark(window, 780, 60);
    lightFrame(window, 220, 108, 750, 500, QStringLiteral("BOKFÖRINGSINSTÄLLNINGAR"));
    for (int i = 0; i < mv::settingsFieldCount; ++i)
        drawText(window, 280, fieldY(i), mv::settingsLabels()[size_t(i)], labelColour, Font::Body);
    endPage(window, pageState);
}

void open() {
    openPage(PageId::Settings, 1060);
    fill();
    for (int f : fields)
        tk::showControl(f);
    tk::showControl(saveButton);
    const bool locked = state().isLocked();
    for (int f : fields)
        locked ? tk::disableControl(f) : tk::enableControl(f);
    // A locked year's settings are not changed either.
    locked ? tk::disableControl(saveButton) : tk::enableControl(saveButton);
    if (!locked) tk::setFocus(fields[0]);
}

void save() {
    if (state().isLocked()) return;
    progressBar();
    std::array<QString, mv::settingsFieldCount> typed;
    for (size_t i = 0; i < fields.size(); ++i)
        typed[i] = tk::text(fields[i]);
    const mv::SaveOutcome out = mv::saveSettings(state().paths, typed, showMessage);
    if (out.code != 0) return; // refused or not written: the form stays as typed
    fill();
    if (mainWindow()) tk::postCommand(mainWindow(), out.postCommand);
}

void command(int cmd) {
    if (cmd == 1060)
        open();
    else if (cmd == 1061)
        save();
}

void key(int cmd) {
    if (cmd != 9 && cmd != 13) return;
    for (size_t i = 0; i + 1 < fields.size(); ++i)
        tk::advanceFocus(fields[i], fields[i + 1]);
}

} // namespace

PageDefinition settingsPage() {
    PageDefinition p;
    p.id = PageId::Settings;
    p.name = "settings";
    p.createControls = create;
    p.reset = [](int) { hideAll(); };
    p.paint = paint;
    p.command = command;
    p.key = key;
    p.commands = {{1060, 1061, false}};
    return p;
}

} // namespace shell
