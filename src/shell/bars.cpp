// The two button bars (top bar and tools menu), the fixed buttons, and the
// page-area operations built on them: reset page area, opening a page, the
// welcome page.
#include "shell/page.h"
#include "shell/page_paint.h"
#include "shell/shell_internal.h"
#include "store/record_file.h"
#include "store/store_layout.h"
#include "toolkit/toolkit.h"

#include <vector>

namespace shell {

namespace {

struct BarButton {
    const char* label;
    int x, y, width, height, command;
};

// The top bar: height 30 at y 12, label centred, sunken.
const BarButton topBar[] = {
    {"Inkomst", 7, 12, 50, 30, 1036},    {"Utgift", 57, 12, 50, 30, 1042},
    {"Kassa", 107, 12, 50, 30, 1030},    {"Faktura", 174, 12, 50, 30, 1001},
    {"Kassabok", 240, 12, 60, 30, 1009}, {"Dagbok", 300, 12, 60, 30, 1010},
    {"Huvudbok", 360, 12, 60, 30, 1011}, {"Balans", 436, 12, 50, 30, 1012},
    {"Resultat", 486, 12, 50, 30, 1013}, {"Moms", 536, 12, 50, 30, 1100},
    {"Ägarinfo", 603, 12, 50, 30, 1014}, {"Verktyg", 653, 12, 50, 30, 1015},
    {"Start", 712, 12, 35, 30, 1500},
};

// The tools menu: x 10, width 150 unless stated, height 20, label left.
const BarButton toolsMenu[] = {
    {"FÖRETAGSUPPGIFTER", 10, 85, 150, 20, 1019},
    {"FAKTURATEXT", 10, 105, 150, 20, 1021},
    {"KUNDER ORDNA", 10, 125, 150, 20, 1023},
    {"INSTÄLLNINGAR", 10, 145, 150, 20, 1060},
    {"ARTIKELREGISTER", 10, 165, 150, 20, 1202},
    {"KOPIERING", 10, 197, 150, 20, 1200},
    {"REG INGÅENDE BALANS", 10, 262, 150, 20, 1080},
    {"SIE-FIL", 10, 282, 70, 20, 1064},
    {"ROT/RUT", 90, 282, 70, 20, 1066},
    {"VÄLJ BOKFÖRINGSÅR", 10, 345, 150, 20, 1055},
    {"SKAPA BOKFÖRINGSÅR", 10, 365, 150, 20, 1016},
    {"SLUTFÖR ÅR ", 10, 430, 150, 20, 1033}, // + the selected year
    {"BOKSLUTSUNDERLAG", 10, 450, 150, 20, 1032},
    {"INVENTERING", 10, 470, 150, 20, 1029},
    {"Inventarier", 10, 535, 70, 20, 1056},
    {"Varulager", 90, 535, 70, 20, 1057},
    {"Kundfordr..", 10, 560, 70, 20, 1058},
    {"Lev.skulder", 90, 560, 70, 20, 1059},
};

struct Handle {
    int command;
    int handle;
};

std::vector<Handle> topHandles;
std::vector<Handle> menuHandles;
int closeHandle = 0;
int printHandle = 0;
int printFieldHandle = 0;
int donateHandle = 0;

} // namespace

void createBars(int window) {
    topHandles.clear();
    menuHandles.clear();
    for (const BarButton& b : topBar)
        topHandles.push_back(
            {b.command,
             tk::createButton(window, b.x, b.y, b.width, b.height, QString::fromUtf8(b.label),
                              QStringLiteral("C"), QStringLiteral("SUNKEN"), b.command)});
    closeHandle = tk::createButton(window, 757, 14, 25, 25, QStringLiteral("X"),
                                   QStringLiteral("C"), QStringLiteral("NORMAL"), 1090);
    donateHandle = tk::createButton(window, 344, 105, 100, 30, QStringLiteral("Donera numera"),
                                    QStringLiteral("C"), QStringLiteral("SUNKEN"), 1501);
    tk::hideControl(donateHandle);
    printHandle = tk::createButton(window, 720, 55, 50, 20, QStringLiteral("Skriv ut"),
                                   QStringLiteral("C"), QStringLiteral("SUNKEN"), 1034);
    tk::disableControl(printHandle);
    tk::hideControl(printHandle);
    printFieldHandle = tk::createField(window, 655, 55, 50, 20, QStringLiteral("C"), 5);
    tk::setFont(printFieldHandle, font(Font::Field));
    tk::hideControl(printFieldHandle);
    for (const BarButton& b : toolsMenu) {
        const int h =
            tk::createButton(window, b.x, b.y, b.width, b.height, QString::fromUtf8(b.label),
                             QStringLiteral("L"), QStringLiteral("SUNKEN"), b.command);
        tk::hideControl(h);
        menuHandles.push_back({b.command, h});
    }
    refreshClosingButtonLabel();
}

void forgetBars() {
    topHandles.clear();
    menuHandles.clear();
    closeHandle = printHandle = printFieldHandle = donateHandle = 0;
}

int printButton() {
    return printHandle;
}
int printField() {
    return printFieldHandle;
}
int closeButton() {
    return closeHandle;
}
int donateButton() {
    return donateHandle;
}

int barButton(int command) {
    for (const Handle& h : topHandles)
        if (h.command == command) return h.handle;
    for (const Handle& h : menuHandles)
        if (h.command == command) return h.handle;
    if (command == 1090) return closeHandle;
    return 0;
}

void setTopBarEnabled(bool enabled) {
    for (const Handle& h : topHandles)
        enabled ? tk::enableControl(h.handle) : tk::disableControl(h.handle);
    // "X" stays usable: the user can always leave (an unsaved booking is
    // asked about first, and the books are never between two states).
    tk::enableControl(closeHandle);
}

void setToolsMenuEnabled(bool enabled) {
    for (const Handle& h : menuHandles)
        enabled ? tk::enableControl(h.handle) : tk::disableControl(h.handle);
}

void showToolsMenu(bool shown) {
    for (const Handle& h : menuHandles)
        shown ? tk::showControl(h.handle) : tk::hideControl(h.handle);
}

void refreshClosingButtonLabel() {
    const int h = barButton(1033);
    if (h) tk::setText(h, QStringLiteral("SLUTFÖR ÅR ") + state().selectedYear);
}

void resetPageArea(int mode) {
    for (const PageDefinition& page : pages())
        if (page.reset) page.reset(mode);
    tk::hideControl(notesBox());
    tk::hideControl(donateHandle);
    showToolsMenu(false);
    tk::showControl(printHandle);
    setToolsMenuEnabled(true);
    setTopBarEnabled(state().cashStepWaiting == 0);
    mv::deleteFile(mv::drive::invoiceHtml); // missing is no error here
    state().pageStates.fill(pageHidden);
    clearProgressBar();
}

void openPage(PageId id, int ownButton) {
    resetPageArea(0);
    tk::hideControl(printHandle);
    tk::hideControl(printFieldHandle);
    for (const Handle& h : topHandles)
        tk::showControl(h.handle);
    if (isToolPage(id)) showToolsMenu(true);
    if (ownButton) {
        const int h = barButton(ownButton);
        if (h) tk::disableControl(h);
    }
    state().pageState(id) = pageRequested;
    requestRepaint();
}

void showWelcomePage() {
    resetPageArea(0);
    tk::hideControl(printHandle);
    tk::hideControl(printFieldHandle);
    state().pageState(PageId::Welcome) = pageRequested;
    tk::showControl(notesBox());
    requestRepaint();
}

} // namespace shell
