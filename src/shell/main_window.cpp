#include "shell/main_window.h"

#include "shell/dispatch.h"
#include "shell/exit_procedure.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "shell/shell_internal.h"
#include "store/change_journal.h"
#include "store/clock.h"
#include "store/integrity.h"
#include "store/leftovers.h"
#include "store/record_file.h"
#include "store/store_layout.h"
#include "toolkit/toolkit.h"

#include <algorithm>

namespace shell {

namespace {

int window = 0;
bool ended = false;
std::function<void(const QString&)> titleObserver;

// Pages in painter order (stable, so pages sharing a slot keep registry order).
std::vector<const PageDefinition*> paintOrder() {
    std::vector<const PageDefinition*> order;
    for (const PageDefinition& p : pages())
        order.push_back(&p);
    std::stable_sort(order.begin(), order.end(),
                     [](auto* a, auto* b) { return pageIndex(a->id) < pageIndex(b->id); });
    return order;
}

void paintAll() {
    for (const PageDefinition* page : paintOrder()) {
        if (!page->paint) continue;
        if (page->id == PageId::Welcome && !welcomePageShown()) continue;
        page->paint(window, state().pageState(page->id));
    }
}

void keyDown(int key) {
    if (key == abortEscape && state().pageState(PageId::Welcome) == pageDrawn)
        state().abortKey = abortEscape;
}

// Every click handler sees every click on the page area (links are not
// exclusive, and the help mark of "any page" has no page condition); each
// handler tests the page states it needs.
void leftButtonDown(int x, int y) {
    for (const PageDefinition& page : pages())
        if (page.click) page.click(x, y);
}

void fieldEdited(int) {
    for (const PageDefinition& page : pages())
        if (page.edited && state().pageState(page.id) > 0) page.edited();
}

// A close request from the window manager takes the way of the "X" button;
// while that button is disabled (a booking waits for its cash step) it is
// refused, as the button itself would be.
void closeRequested() {
    const int x = closeButton();
    if (x && !tk::isEnabled(x)) return;
    dispatch(1090);
}

void readLockState() {
    QString ignored;
    state().yearLocked = mv::readWhole(state().paths.lockMark, ignored);
}

QString titleFor(const ProgramState& s) {
    return s.isLocked() ? lockedTitle(s.selectedYear) : unlockedTitle(s.version, s.selectedYear);
}

void startUp() {
    ProgramState& s = state();
    s.version = QStringLiteral("140105");
    createSurfaces(window);
    tk::centreWindow(window);
    mv::createDirectory(mv::drive::dir); // an existing folder is no error
    // Before anything reads the books: a change a crash interrupted is taken
    // back, then what interrupted writes left behind is removed.
    if (mv::recoverInterruptedChange() == 0) mv::cleanLeftovers();
    const StartYear start = readStartYear();
    s.selectedYear = start.year;
    if (start.firstStartProgress) s.firstStartProgress = start.firstStartProgress;
    s.paths = mv::buildPathTable(s.selectedYear);
    if (mv::isYearText(s.selectedYear)) mv::recoverSecondCopies(s.paths); // an interrupted swap
    readLockState();
    setWindowTitle(titleFor(s));
    createFonts(window);
    createBars(window);
    for (const PageDefinition& page : pages())
        if (page.createControls) page.createControls(window);
    createNotesBox(window);
    resetPageArea(0);
    tk::showControl(notesBox());
    for (const PageDefinition& page : pages())
        if (page.loadForms) page.loadForms();
    s.pageState(PageId::Welcome) = pageRequested;
    tk::hideControl(printButton());
    mv::writeAccountLists(s.selectedYear);
    mv::ensureRoundingAccount(s.paths);
}

} // namespace

int mainWindow() {
    return window;
}

// The welcome page draws when drawn already, or when requested while no
// other page is.
bool welcomePageShown() {
    const ProgramState& s = state();
    const int own = s.pageState(PageId::Welcome);
    if (own == pageDrawn) return true;
    if (own != pageRequested) return false;
    for (int i = 0; i < pageCount; ++i)
        if (i != pageIndex(PageId::Welcome) && s.pageStates[static_cast<size_t>(i)] != 0)
            return false;
    return true;
}

void setWindowTitle(const QString& text) {
    state().windowTitle = text;
    if (window) tk::setTitle(window, text);
    if (titleObserver) titleObserver(text);
}

void setTitleObserver(std::function<void(const QString&)> observer) {
    titleObserver = std::move(observer);
}

void applySelectedYear(const QString& year) {
    ProgramState& s = state();
    s.selectedYear = year;
    s.paths = mv::buildPathTable(year);
    readLockState();
    setWindowTitle(titleFor(s));
    refreshClosingButtonLabel();
}

void requestRepaint() {
    if (window) tk::invalidate(window, QStringLiteral("UNERASED"));
}

void dispatchCommand(int command) {
    dispatch(command);
}

namespace {

// The program's icon, built into the program in every size drawn.
QStringList iconFiles() {
    QStringList files;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        files << QStringLiteral(":/mervalla/mervalla-%1.png").arg(size);
    return files;
}

} // namespace

int startMainWindow() {
    ended = false;
    tk::setDesktopEntryName(QStringLiteral("mervalla"));
    window = tk::createWindow(QString(), 300, 100, 800, 610, QStringLiteral("EMPTYLIST"));
    tk::setWindowIcon(window, iconFiles());
    tk::WindowProcedure procedure;
    procedure.onCommand = [](int command) { dispatch(command); };
    procedure.onPaint = [] { paintAll(); };
    procedure.onCloseRequest = [] { closeRequested(); };
    procedure.onKeyDown = [](int key) { keyDown(key); };
    procedure.onLeftButtonDown = [](int x, int y) { leftButtonDown(x, y); };
    procedure.onFieldEdited = [](int control) { fieldEdited(control); };
    tk::setWindowProcedure(window, procedure);
    startUp();
    requestRepaint();
    return window;
}

void endProgram() {
    if (ended) return;
    ended = true;
    if (window) tk::destroyWindow(window);
    window = 0;
    forgetBars();
    forgetNotesBox();
    forgetSurfacesAndFonts();
    tk::quitMessageLoop(0);
}

bool programEnded() {
    return ended;
}

void discardMainWindowForTests() {
    if (window) tk::destroyWindow(window);
    window = 0;
    forgetBars();
    forgetNotesBox();
    forgetSurfacesAndFonts();
    state() = ProgramState();
    ended = false;
}

} // namespace shell
