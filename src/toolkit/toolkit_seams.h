#pragma once
// The toolkit's seams for tests and scripted runs: hooks that answer message
// boxes and dialogs without a person, printing to a PDF file, and input sent
// through the real widgets (clicks, typing, keys), plus rendering a window to
// a picture and closing whatever modal window is left open.
#include <QString>
#include <QStringList>

#include <functional>

namespace tk {

// ---------------------------------------------------------------------------
// Message boxes

struct BoxRecord {
    QString title;
    QString text;    // as given, line breaks as '\n'
    QString icon;    // the icon keyword as given ("" for none)
    QString buttons; // the button keyword as given ("OK" for the simple message)
    int defaultCode = 5; // the result of the default button
};
// When set, every message box (and simple message) calls the hook instead of
// showing a window; the hook returns the result code. A code the box cannot
// give (not one of its buttons) is taken as the default button. An empty
// hook (the default) shows real boxes.
using MessageBoxHook = std::function<int(const BoxRecord& box)>;
void setMessageBoxHook(MessageBoxHook hook);
// The hook in place (to put it back after a test that replaced it).
MessageBoxHook messageBoxHook();
// The line a scripted run prints for a box answered with `code`:
// "BOX <title> | <text, line breaks as \n> | <icon> | <buttons> -> <code>".
QString boxLine(const BoxRecord& box, int code);

// ---------------------------------------------------------------------------
// Dialogs

struct DialogRequest {
    QString kind;    // "FOLDER", "OPEN" or "SAVE"
    QString title;
    QString keyword; // folder keyword, or the file result keyword
    QStringList filters;
};
// When set, the folder and file dialogs ask the hook instead of showing a
// window; it returns the chosen path ('/' separators), or "" for cancel.
using DialogHook = std::function<QString(const DialogRequest& request)>;
void setDialogHook(DialogHook hook);

// When set, openExternal calls the hook (result: 0 done, 1 failed) instead of
// the desktop.
using ExternalHook = std::function<int(const QString& urlOrPath)>;
void setExternalHook(ExternalHook hook);

// ---------------------------------------------------------------------------
// Printing

// A non-empty path makes printView print to that PDF file without asking for
// a printer; "" returns to the normal way.
void setPrintToFile(const QString& pdfPath);
QString printToFile();
// The stop button of the "Printing" window while a view is being printed
// (0 otherwise), so a test can press it between pages.
int printingStopButton();

// ---------------------------------------------------------------------------
// Input through the real widgets (what a user would do)

// A left press and release at the client point of the window, received by
// the control lying there (or by the window itself). 0 done, 1 unknown
// window or point outside the client area.
int clickAt(int window, int x, int y);
// Types the text into the control with the keyboard focus, one key event per
// character with the character's text (å ä ö included), so the keyboard
// model applies ('\n' is sent as Enter, '\t' as Tab). 0 done, 1 no control of
// ours has the focus.
int typeText(const QString& text);
// Sends a key to the control with the focus, or to the active window when no
// control has it: "Enter", "Tab", "Down", "Up", "Escape", "Delete",
// "Backspace", "Left", "Right", "Home", "End", "Ctrl+A" (select all),
// "Ctrl+V" (paste). 0 done, 1 nowhere to send it, 2 unknown key name.
int pressKey(const QString& keyName);

// Chooses item `index` (counted from 1) of a visible, enabled drop-down list
// as the user does with the mouse: the window hears of the choice. 0 done,
// 1 not such a list or no such item.
int chooseItem(int list, int index);

// A close request for the window, as the window manager's close box sends
// it (the window's onCloseRequest decides). 0 done, 1 unknown window.
int requestClose(int window);

// ---------------------------------------------------------------------------
// Pictures and modal windows

// Renders the window's client area with every visible control, and an open
// drop-down list over it, to a PNG.
// 0 done, 1 unknown window, 3 write error.
int saveWindowPicture(int window, const QString& pngPath);
// Closes every modal window that is open (as the close box would): the
// watchdog of the tests. Result: how many were closed.
int closeModalWindows();
// Whether a modal window (message box, dialog) is open.
bool modalWindowOpen();

} // namespace tk
