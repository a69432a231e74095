#pragma once
// Toolkit core: the application object and message loop, windows and their
// window procedure, painting into memory bitmaps, fonts, message boxes, and
// focus with the keyboard model of the text fields. See toolkit.h for the
// conventions (handles, keywords, colours, rectangles).
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace tk {

// ---------------------------------------------------------------------------
// Application and message loop

// The one GUI application of the process. Create it first, before any other
// toolkit call, and keep it alive until the end; it chooses the offscreen
// platform when `offscreen` is true (QT_QPA_PLATFORM must then not be set
// differently by the caller). The application does not quit when its last
// window closes: the program ends only through quitMessageLoop().
class Application {
public:
    Application(int& argc, char** argv, bool offscreen = false);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Runs the message loop until quitMessageLoop(); returns its code.
int runMessageLoop();
// Ends the message loop with the code (the loop returns once control is back in it).
void quitMessageLoop(int code);
// Handles every pending event (posted commands, paints, timers) and returns.
void processEvents();

// ---------------------------------------------------------------------------
// Windows

// The window procedure of a top-level window: what the window tells the
// program. Every member may be empty.
struct WindowProcedure {
    // WM_COMMAND: a push button or check box was pressed (its command identifier,
    // called at once), or a key was pressed in a text field (the key code as a
    // command, posted: it arrives from the message loop after the key event).
    std::function<void(int command)> onCommand;
    // WM_PAINT: the window is being repainted. Draw the pages here (into memory
    // bitmaps, copied to the window); whatever was copied to the window is shown
    // when the callback returns. Calls to invalidate() made inside it are ignored.
    std::function<void()> onPaint;
    // The window manager asked to close the window (its close box, the window
    // bar, Alt+F4). The toolkit never closes the window itself: it ignores the
    // request and posts this callback; only destroyWindow() takes it away.
    std::function<void()> onCloseRequest;
    // WM_KEYDOWN: a key pressed while the window itself (no child control) has
    // the keyboard focus, as a virtual-key code (27 Escape, 13 Enter, ...).
    std::function<void(int key)> onKeyDown;
    // WM_LBUTTONDOWN: a left click on the window's own client area (not on a
    // child control), in client coordinates.
    std::function<void(int x, int y)> onLeftButtonDown;
    // Live recalculation: the user changed the text of a single-line field or
    // of the editable part of a drop-down list (typing, Backspace, paste), or
    // chose an item of a drop-down list (mouse or keys). Not called when the
    // program sets the text or the choice.
    std::function<void(int control)> onFieldEdited;
};

// Creates a top-level window with the title at x, y whose CLIENT area is
// width x height (the caption comes on top, as the frame adds it), with the
// style keyword (below); shows it. Result: the handle, 0 on failure. The
// client size is fixed: the user cannot resize the window.
// Style keywords: "NOLIST" (no caption), "TOOLWIN", "TOOLWIN_CLO",
// "TOOLWIN_NOCLO", "EMPTYLIST" (caption only, no system menu or boxes; the
// default), "CLO", "NOCLO", "QUE_CLO", "QUE_NOCLO", "MIN_MAX_CLO",
// "MIN_MAX_NOCLO", "MIN_NOMAX_CLO", "MIN_NOMAX_NOCLO", "NOMIN_MAX_CLO",
// "NOMIN_MAX_NOCLO". Window managers may still show a close box; a close
// request then goes to WindowProcedure::onCloseRequest.
// The main window of the program: createWindow("", 300, 100, 800, 610, "EMPTYLIST").
int createWindow(const QString& title, int x, int y, int width, int height, const QString& style);
void setWindowProcedure(int window, WindowProcedure procedure);
// Applies a style keyword of createWindow to an existing window.
void changeStyle(int window, const QString& style);
// Frame keywords: "TRANSPARENT", "FLAT", "FLAT_BORDER", "SUNKEN", "NORMAL",
// "NORMAL_SUNKEN". Only the look changes.
void setBorder(int window, const QString& keyword);
// Show keywords: "HIDE", "MAXI", "MINI", "RESTORE", "SHOW", "DEFAULT",
// "ACTIVMAXI", "ACTIVMINI", "INACTMINI", "INACTIV", "INACTRESENT", "NORMAL"
// (unknown: "SHOW"). Result 1 when the window was hidden before, else 0.
int showWindow(int window, const QString& keyword);
void setTitle(int window, const QString& text);
QString title(int window);
// The window's icon (caption, task bar, window switcher) from image files
// of several sizes (PNG; ":/" resource paths too). 0 done, 1 unknown window,
// 2 none of the files could be read (the icon stays as it was).
int setWindowIcon(int window, const QStringList& imageFiles);
// The pixel sizes the window's icon holds (empty when it has none).
QList<int> windowIconSizes(int window);
// The name of the program's desktop entry ("mervalla" for mervalla.desktop),
// by which desktops match its windows to the entry's name and icon.
void setDesktopEntryName(const QString& name);
// Moves the window to the centre of the screen it is on.
void centreWindow(int window);
// Destroys the window and every control on it; their handles become unknown.
void destroyWindow(int window);

// The WM_COMMAND path by hand: delivers the command to the window's
// onCommand at once (sendCommand) or from the message loop (postCommand).
void sendCommand(int window, int command);
void postCommand(int window, int command);

// ---------------------------------------------------------------------------
// Painting
//
// Every window keeps its client picture; drawing with the paint target
// "CLIENT" or "WINDOW" (the same here: frames belong to the window manager)
// draws into that picture, which is shown without calling the paint
// callback; "MEMORY" draws into the current memory bitmap. The paint
// callback runs after invalidate() and whenever the platform needs the
// picture (the window is exposed, or rendered by saveWindowPicture). Page drawing: setPaintTarget(w, "MEMORY"),
// selectMemoryBitmap(backBuffer), copyBitmapToWindow(w, background, 0, 0, 800, 610),
// draw, setPaintTarget(w, "CLIENT"), copyBitmapToWindow(w, backBuffer, 0, 0, 800, 610).

int rgb(int red, int green, int blue);

// "CLIENT" (the default), "WINDOW" or "MEMORY"; program-wide.
void setPaintTarget(int window, const QString& keyword);
// Makes the bitmap current for "MEMORY" drawing; returns the previous one (0 none).
int selectMemoryBitmap(int bitmap);
// A width x height bitmap filled with the colour. Result: its handle, 0 on failure.
int createMemoryBitmap(int window, int width, int height, int fillColour);
void deleteMemoryBitmap(int bitmap);
// Copies the bitmap's top-left width x height to x, y of the paint target
// (the window's client picture, or the current memory bitmap).
void copyBitmapToWindow(int window, int bitmap, int x, int y, int width, int height);
// One line of text whose top-left corner is at x, y. font 0 is the system
// font; background 0 draws transparently, any other colour fills the text's
// cell first.
void drawText(int window, int x, int y, const QString& text, int colour, int font = 0, int background = 0);
// A one-pixel line from x1, y1 to x2, y2, the end point excluded.
void drawLine(int window, int x1, int y1, int x2, int y2, int colour);
void fillRectangle(int window, int left, int top, int right, int bottom, int colour);
// A one-pixel frame just inside the rectangle.
void frameRectangle(int window, int left, int top, int right, int bottom, int colour);
// The rectangle as one-pixel lines across the direction ("LEFT_TO_RIGHT" the
// default, "RIGHT_TO_LEFT", "TOP_TO_BOTTOM"); line i has red, green and blue
// of the start colour plus i, each capped at 255.
void drawGradient(int window, int left, int top, int right, int bottom, int startColour, const QString& direction);
// Marks the whole window for repainting ("ERASED" or "UNERASED": the same
// here). Result 0, 1 on an unknown window.
int invalidate(int window, const QString& keyword);
// Brings the window up to date now: a pending invalidate() is painted at once
// (the paint callback runs); otherwise what was drawn on the window is shown
// as it is (the progress bar of long operations).
void updateNow(int window);
// The colour of a pixel of the window's client picture (after the last paint),
// or of a memory bitmap; -1 outside. For tests and checks.
int pixelOfWindow(int window, int x, int y);
int pixelOfBitmap(int bitmap, int x, int y);

// ---------------------------------------------------------------------------
// Fonts
//
// Faces are mapped to installed ones with the same metrics: "Arial" ->
// Liberation Sans, "Tahoma" -> DejaVu Sans, "Courier", "Courier New", "New
// Courier" -> Liberation Mono, "Times", "Times New Roman" -> Liberation Serif.

// A font of the point size (at the screen's resolution) and weight (400
// normal, 700 bold; any 1-1000); style code digits 1 italic, 2 underline,
// 3 strike-out (0 none, 12, 13, 23, 123). Result: its handle.
int createFont(int window, int pointSize, int weight, int styleCode, const QString& face);
// A font given as a cell height and average character width in pixels, as
// the start-up fonts are (16 x 6 body, 20 x 10 heading, ...). width 0 keeps
// the face's own proportions.
int createPixelFont(int height, int width, int weight, const QString& face);
// The installed family a face name maps to.
QString mappedFace(const QString& face);
// Width in pixels of the text in the font (0 = system font).
int textWidth(int font, const QString& text);

// ---------------------------------------------------------------------------
// Message boxes
//
// Icon keywords: "EXCLAMATION", "INFORMATION", "QUESTION", "STOP"; anything
// else, no icon. Button keywords: the button words joined by "_", the word in
// upper case is the default button, "help" adds "Hjälp" (which answers
// nothing): "OK", "OK_help", "ok_HELP", "OK_cancel", "ok_CANCEL",
// "OK_cancel_help", "ok_CANCEL_help", "ok_cancel_HELP", "RETRY_cancel",
// "retry_CANCEL", "RETRY_cancel_help", "retry_CANCEL_help",
// "retry_cancel_HELP", "YES_no", "yes_NO", "YES_no_help", "yes_NO_help",
// "yes_no_HELP", "YES_no_cancel", "yes_NO_cancel", "yes_no_CANCEL",
// "YES_no_cancel_help", "yes_NO_cancel_help", "yes_no_CANCEL_help",
// "yes_no_cancel_HELP", "CANCEL_retry_ignore", "cancel_RETRY_ignore",
// "cancel_retry_IGNORE" and the same with "_help"/"_HELP". Anything else:
// an OK box. Button texts: "OK", "Ja", "Nej", "Avbryt", "Försök igen",
// "Ignorera", "Hjälp" (Abort of the abort-retry-ignore set shows "Avbryt").

enum BoxResult : int {
    BoxNo = 1,
    BoxIgnore = 2,
    BoxRetry = 3,
    BoxYes = 4,
    BoxOk = 5,
    BoxCancel = 6, // Cancel or Abort, also a closed box that has Cancel/Abort
};

// The buttons a keyword gives, in order, as result codes (a Help button
// as 0), with their texts and the index of the default button.
struct BoxButtons {
    QList<int> codes;
    QStringList texts;
    int defaultIndex = 0;
};
BoxButtons boxButtons(const QString& buttonKeyword);
// The result of the default button of the keyword ("yes_NO" -> 1).
int defaultBoxResult(const QString& buttonKeyword);

// A modal box over the owner (0 = the active window). Result: the code of
// the button pressed (table above). A closed box counts as Cancel (6) when it
// has Cancel or Abort, as OK (5) when it is an OK box, else as its default
// button. The message-box hook (toolkit_seams.h) is asked first.
int messageBox(int owner, const QString& title, const QString& text, const QString& icon,
               const QString& buttons);
// The text with an OK button and no icon; flag "D" empties the caller's text
// afterwards. Result 0. Goes through the hook as icon "" and buttons "OK".
int simpleMessage(int owner, const QString& title, QString& text, const QString& flag = QString());

// ---------------------------------------------------------------------------
// Focus and the keyboard model of text fields
//
// In a single-line field (drop-down lists keep the platform's keys):
// - every key-down whose virtual-key code is below 256, except End (35),
//   Home (36), Left (37) and Right (39), is posted to the field's window as a
//   command whose identifier is the key code (Tab 9, Enter 13, Escape 27,
//   Down 40, Delete 46, letters 65-90, digits 48-57, ...);
// - Tab and Enter also set the advance flag and do nothing else in the field;
// - the field edits as on any desktop: typed characters arrive (letters,
//   digits, å ä ö, punctuation), Backspace deletes the character before the
//   cursor and Delete the one after it (each still posted, as 8 and 46),
//   Home, End, Left and Right move (with Shift they select), Ctrl+A selects
//   all, copy, cut, undo and redo work;
// - what goes in is checked: a character that code page 1252 cannot hold,
//   a control character, a non-digit in a digit field or one beyond the
//   typed-length limit is refused, and a paste (keys, context menu, middle
//   button), a drop or input-method text is checked the same way (its
//   first line, the characters that could be typed, cut to the room left);
// - Up, Down, Page Up/Down, Escape and the function keys do nothing inside
//   the field.

void setFocus(int control);
// 0 when the control has the keyboard focus, 1 otherwise.
int hasFocus(int control);
// The control with the keyboard focus (0 when none of ours); the open list
// of a drop-down list counts as the drop-down list.
int focusedControl();
bool advanceFlag();
void setAdvanceFlag(bool on);
// When the advance flag is set and `from` has the focus: gives `to` the focus
// and clears the flag. Called for consecutive pairs, one Enter moves one step.
void advanceFocus(int from, int to);

} // namespace tk
