#pragma once
// How a page plugs into the shell.
//
// A page is one file (`<name>_page.cpp`) that defines a function returning
// its PageDefinition, plus ONE line in src/shell/page_registry.cpp:
//
//     MERVALLA_PAGE(incomePage)
//
// where the page file holds, in namespace shell,
//
//     PageDefinition incomePage() { PageDefinition p; p.id = PageId::Income; ...; return p; }
//
// The shell then
//   - calls createControls once at start-up, in registry order, before the
//     notes box; every control is created hidden (or hidden right after);
//   - calls reset(mode) from "reset page area" (before any page opens, on
//     "Start", after year activation): hide every control, clear the page's
//     own flags. The shell sets the page state to 0 itself;
//   - calls paint(window, state) on every repaint in the fixed painter order
//     (PageId order); the painter does nothing unless state > 0 and follows
//     the painting protocol (beginPage ... endPage in page_paint.h);
//   - routes the commands the page claims to command(cmd), running the
//     integrity check first for a guarded route (the guard may drop it);
//   - passes the field keys 9 (Tab), 13 (Enter) and 40 (Down) to key(cmd) of
//     every page whose state is above 0;
//   - passes typing in any field (live recalculation) to edited() of every
//     page whose state is above 0;
//   - calls loadForms() once at start-up after all controls exist;
//   - passes every left click on the page area (not on a control) to
//     click(x, y) of every page that has one, shown or not: links and help
//     marks test the page states they need (the return value is not used);
//   - asks helpScreen() of a page on show which screen its "?" mark stands
//     for, when the page shows more than one thing (the invoice kinds);
//     without it the page's id decides (src/help/pages/help_links_page.cpp).
// Every member may be left empty. A page opens itself in its command handler
// with openPage() and then shows and fills its controls.
#include "help/help_links.h"
#include "shell/program_state.h"
#include "store/user_message.h"

#include <QString>

#include <optional>
#include <vector>

namespace shell {

// A run of command identifiers (first..last inclusive) that a page handles.
// guarded: the integrity check runs first and may drop the command. A command
// that is guarded in the shell's dispatch table is guarded whatever the route
// says.
struct CommandRoute {
    int first = 0;
    int last = 0;
    bool guarded = false;
};

struct PageDefinition {
    PageId id = PageId::Welcome;
    const char* name = "";

    void (*createControls)(int mainWindow) = nullptr;
    void (*reset)(int mode) = nullptr;
    void (*paint)(int mainWindow, int& state) = nullptr;
    void (*command)(int command) = nullptr;
    void (*key)(int command) = nullptr;
    void (*edited)() = nullptr;
    bool (*click)(int x, int y) = nullptr;
    // Start-up step "load the stored forms": fill the page's form from the
    // selected year's files (company details, settings, backup paths, invoice
    // texts). Called once, after every page's controls exist.
    void (*loadForms)() = nullptr;
    // The screen whose manual page the page's "?" mark opens right now, or
    // none; asked only while the page's state is above 0.
    std::optional<mv::help::Screen> (*helpScreen)() = nullptr;

    std::vector<CommandRoute> commands;
};

// The registered pages, in registry order (built once).
const std::vector<PageDefinition>& pages();

// Registry plumbing used by MERVALLA_PAGE; not for direct use.
using PageFactory = PageDefinition (*)();
bool registerPageFactory(PageFactory factory);

// --- Services the shell offers to pages -----------------------------------

// Handle of the main window (0 before it exists, e.g. in engine tests).
int mainWindow();

// Pages opened from the tools menu (VERKTYG and every page after it in the
// painter order): opening one shows the tools menu beside it.
inline constexpr bool isToolPage(PageId id) { return pageIndex(id) >= pageIndex(PageId::Tools); }

// The common start of a page command: reset the page area (mode 0), hide the
// print button, enable the top bar and tools menu (unless a cash step waits),
// disable the button whose command is `ownButton` (0: none), set the page
// state to 3 and ask for a repaint. The caller then shows and fills its
// controls.
void openPage(PageId id, int ownButton);

// Reset page area (mode 0, or 1 to keep the saved-invoice controls): hides
// every page's controls and the notes box, shows the print button, enables the
// bars (top bar stays disabled while a cash step waits), deletes
// "faktura.html" and sets every page state to 0.
void resetPageArea(int mode);

// Shows the welcome page (as "Start" does): reset, every state 0, the welcome
// page requested, the notes box shown.
void showWelcomePage();

// Whether the welcome page is on show: drawn, or requested while no other
// page is (the welcome painter's own rule).
bool welcomePageShown();

// Asks for a repaint of the whole window (painters run on the next paint).
void requestRepaint();

// Handles of the fixed shell controls.
int printButton();      // "Skriv ut", command 1034
int printField();       // the 5-character field beside it
int closeButton();      // "X", command 1090
int notesBox();         // the notes view on the welcome page
// Handle of the top-bar or tools-menu button with that command (0 if none).
int barButton(int command);

// Enables or disables every top-bar button (and "X"); a page that starts a
// cash step disables them and sets state().cashStepWaiting.
void setTopBarEnabled(bool enabled);
// Enables or disables every tools-menu button.
void setToolsMenuEnabled(bool enabled);
// Sets the label of the "SLUTFÖR ÅR <year>" tools-menu button from the
// selected year (done by applySelectedYear as well).
void refreshClosingButtonLabel();

// Runs the integrity check as a guarded command does. Returns true when the
// command may go on (nothing found, or bypassed once by Escape on the welcome
// page); false when it must be dropped. Resets the abort key either way.
bool guardPasses();

// Sends a command to the main window's dispatch now (as a button would).
void dispatchCommand(int command);

// Shows an engine message as a modal box over the main window and returns
// the button code (a plain message: OK, no icon, result 5).
int showMessage(const mv::Message& message);

} // namespace shell

// One registry line per page; see src/shell/page_registry.cpp.
#define MERVALLA_PAGE(factory)                                                                     \
    namespace shell {                                                                              \
    PageDefinition factory();                                                                      \
    }                                                                                              \
    [[maybe_unused]] static const bool mervallaPageRegistered_##factory = shell::registerPageFactory(&shell::factory);
