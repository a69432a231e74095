#pragma once
// Toolkit controls and common dialogs: push buttons, single-line fields,
// drop-down lists, check boxes, rich-text views, printing a view, the folder,
// file and find dialogs, and opening documents and web pages outside the
// program. Every control is a child of a window made by createWindow() and
// is created visible at its pixel position; the generic operations below
// work on any control.
#include <QString>
#include <QStringList>

namespace tk {

// ---------------------------------------------------------------------------
// Any control

void showControl(int control);
void hideControl(int control);
void enableControl(int control);
// Disabling a rich-text view also greys its background; enabling it restores
// the background and gives it the focus.
void disableControl(int control);
void moveControl(int control, int x, int y, int width, int height);
bool isVisible(int control); // shown and not hidden by its window
bool isEnabled(int control);
void setFont(int control, int font);
// Text of a button, check box, field, rich-text view (plain text) or the
// field part of a drop-down list.
void setText(int control, const QString& text);
QString text(int control);
int textLength(int control);
// Field or rich-text view: "OFF" makes it read-only, "ON" editable. A
// read-only single-line field is drawn in the window's colour instead of
// white, so that it looks read-only.
void setReadOnly(int control, const QString& keyword);
bool isReadOnly(int control);
// Whether the control is a push button drawn in a sunken style.
bool isSunkenButton(int control);
// The command identifier of a button or check box (0 for other controls).
int commandOf(int control);
// The visible, enabled button or check box of the window with the command
// identifier (0 when none): how tests and scripted runs press a button.
int buttonWithCommand(int window, int command);
// Presses a button or check box as a click would (its command is sent).
// 0 done, 1 not a visible, enabled button.
int pressButton(int control);
// The window a control belongs to.
int windowOf(int control);

// ---------------------------------------------------------------------------
// Push buttons

// Alignment "C" (default), "L", "R", "T", "B", "LB", "LT", "RB", "RT"; style
// "NORMAL", "SHADOW", "SUNKEN", "SUNKEN_SHADOW", "BAR", "BAR_SHADOW", "EDGE",
// "EDGE_SHADOW". The text wraps over several lines when it does not fit.
// "SUNKEN", "SUNKEN_SHADOW", "EDGE" and "EDGE_SHADOW" draw a flat face in a
// sunken edge; the others the platform's raised push button.
// Pressing it sends `command` to the window's onCommand.
int createButton(int parent, int x, int y, int width, int height, const QString& text,
                 const QString& alignment, const QString& style, int command);

// ---------------------------------------------------------------------------
// Single-line text fields

// Alignment "L" (default), "C", "R"; "NL", "NC", "NR" the same accepting
// digits only. At most maxChars characters can be typed (0: no limit); the
// program may set longer texts, which are kept whole. The field follows the
// keyboard model of toolkit_window.h and is a tab stop.
int createField(int parent, int x, int y, int width, int height, const QString& alignment, int maxChars);
// Border keywords "FLAT", "SMAL_SUNKEN", "SUNKEN" (default), "MAX_SUNKEN",
// "DOUBLE_EDGE", "BAR", "EDGE": FLAT draws no frame, every other one a frame.
void setFieldBorder(int field, const QString& keyword);
// Replaces the text by the content of the code page 1252 file up to its first
// line end (a single-line field holds one line). 0 done, 2 the file cannot be
// opened, 3 read error, 4 larger than 65535 bytes; the text is kept on failure.
int loadFieldFile(int field, const QString& path);
// Writes the text (code page 1252, no line end added) atomically.
// 0 done, 2 cannot open, 3 write error.
int saveFieldFile(int field, const QString& path);

// ---------------------------------------------------------------------------
// Drop-down lists
//
// Items are counted from 1; index 0 always means the field part (the current
// choice, or the typed text of an editable list).

// Kinds "READDROP" (choose only; the default), "WRITEDROP" (editable field),
// "READDROPSORT", "WRITEDROPSORT" (items kept in Swedish order, å ä ö after z,
// case ignored), "SIMPLE", "SIMPLESORT" (editable; shown as a drop-down list).
// height is the height of the open list; the closed list is one field high.
int createList(int parent, int x, int y, int width, int height, const QString& kind);
// Index 0 sets the field part: an editable list shows the text, a
// choose-only list selects the first item equal to it (or shows the text
// with no item chosen). Index n >= 1 inserts the text as item n (after the
// last when n is beyond it); a sorted list puts it in its sorted place.
// Result: the index it got (0 for the field part), -1 on an unknown list.
int setItem(int list, int index, const QString& text);
// Index 0: the field part; n >= 1: item n ("" when there is none).
QString item(int list, int index);
int itemCount(int list);
// Reads the whole code page 1252 file (however long: a register is never
// cut short). Index -1 inserts
// every line in order as an item, without its line end (an empty line gives
// an empty item; an unterminated last line counts); index 0 puts the whole
// text into the field part; n >= 1 inserts the whole text as item n.
// 0 done, 2 cannot open, 3 read error.
int fillListFromFile(int list, int index, const QString& path);
void clearList(int list);
// Chooses the first item that begins with the text (case ignored). Result:
// its index, 0 when no item begins with it (the choice is then unchanged).
int selectItem(int list, const QString& prefix);
// The index of the current choice, 0 when none.
int selectedIndex(int list);
// Opens the list of a shown, enabled drop-down list (as its arrow does), so
// that a choice takes one click or key; and whether it is open.
void dropDown(int list);
bool isDroppedDown(int list);

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

// Kind "SQUARE" (check box, the default) or "ROUND" (radio button); both check
// themselves when clicked and send `command`. The size follows the text.
int createCheckBox(int parent, int x, int y, const QString& kind, const QString& text, int command);
void check(int box);
void uncheck(int box);
bool isChecked(int box);

// ---------------------------------------------------------------------------
// Rich-text views

// Scroll keywords "NOSCROLL", "HSCROLL", "VSCROLL", "VHSCROLL" (default
// "VSCROLL"). maxSize limits typed text (0: none). With position and size all
// 0 the view fills the parent's client area.
int createRichView(int parent, int x, int y, int width, int height, const QString& scroll, int maxSize);
// A read-only viewer for texts of any size (the reports, the verification
// lists): it lays out only the lines that are visible, so a text of half a
// million lines opens, scrolls and prints as fast as a short one. Every
// operation of the rich-text views below that reads, selects, formats
// (bold and point size), finds, prints or scrolls works on it too.
int createTextViewer(int parent, int x, int y, int width, int height, const QString& scroll);
// Brings a viewer up to date with its file after the file grew: only the
// added bytes are read and shown at the end, the rest stays as it is laid
// out. A file that did not just grow (or a rich-text view) is loaded whole.
// Result as loadRichFile.
int refreshFromFile(int view, const QString& path);
// For checks: the first line shown, how many lines fit, and the line of a
// position (-1, 0, -1 for other controls).
int firstVisibleLine(int view);
int visibleLineCount(int view);
int lineOfPosition(int view, int position);
// A path ending in ".rtf" (any case) is read as rich text, any other as a
// plain code page 1252 text with CR LF or LF line ends. Result: -2 the file
// cannot be opened, -3 nothing was read (the view is then empty), else the
// number of characters (a line end counts one).
int loadRichFile(int view, const QString& path);
// The same choice of format; plain text is written as code page 1252 with CR
// LF line ends, atomically. 0 done, 2 cannot open, 3 write error.
int saveRichFile(int view, const QString& path);
// Selects characters first to last (last excluded; -1 to the end).
void selectRange(int view, int first, int last);
// The selected text ("" when nothing is selected).
QString selectedText(int view);
// 0 system font, 1 fixed-pitch font (Liberation Mono), 2 variable-pitch font,
// 3 user-interface font, 4 fixed-pitch font; any other value is a font handle.
void setStandardFont(int view, int code);
// Sets bold (weight >= 700) or normal, and the point size (0 keeps it), on
// characters first to last (last excluded; -1 to the end).
void setCharacterFormat(int view, int first, int last, int weight, int pointSize);
// Character format at a position, for checks: weight 400/700 and point size.
int characterWeight(int view, int position);
int characterPointSize(int view, int position);
void scrollToEnd(int view);

// Prints the view: its selection when it has one, else everything, with the
// margins in millimetres, as the document `name`. When askPrinter is true
// the user chooses the printer (Qt's print dialog, which offers a PDF file);
// else the default printer is used. While printing, a small "Printing"
// window with a stop button ("STOP PRINTING?", answered Yes stops) is shown,
// the view is disabled and the wait cursor shown.
// 0 printed, 1 stopped (or the printer choice cancelled), 2 the view (or the
// selection) is empty, 3 the printer failed.
int printView(int view, int leftMm, int topMm, int rightMm, int bottomMm, const QString& name,
              bool askPrinter = true);

// Prints a fixed-column text (lines ending in '\n') to an A4 PDF file, each
// line at the same left edge in a bold fixed-pitch font of pointSize (the
// first line in firstLinePointSize when above 0), the margins in
// millimetres, over the picture (scaled to fill each page) when pictureFile
// names one that can be read. 0 printed, 2 the text is empty, 3 the file
// could not be written.
int printTextToPdf(const QString& pdfPath, const QString& text, const QString& pictureFile, int leftMm,
                   int topMm, int pointSize, int firstLinePointSize = 0);

// ---------------------------------------------------------------------------
// Common dialogs (the dialog hook of toolkit_seams.h is asked first)

// Keywords "FILSYSTEM" (default), "FILFOLDERS", "PRINTERS", "NONETWORK",
// "ANCESTOR". 0 chosen (the path, with '/' separators, is in `result`),
// 1 cancelled.
int browseForFolder(int owner, const QString& title, QString& result, const QString& keyword);
// Filters "NONE_FILTER" ("Alla filer (*.*)"), "TXT_FILTER" ("Text filer
// (*.txt)" then all files), "ALL_FILTER", "C_DEV_FILTER", "OWN_FILTER"
// (ownFilter, Qt's "Name (*.a *.b);;..." form). The chosen file's name
// ("FILENAME") or full path ("PATH", the default) becomes the text of
// `target` (a control) or the title of `target` (a window) and is put into
// `result`. 0 chosen, 1 cancelled. The open dialog needs an existing file.
int openFileDialog(int target, const QString& title, const QString& resultKeyword,
                   const QString& filterKeyword, const QString& ownFilter, QString& result);
int saveFileDialog(int target, const QString& title, const QString& resultKeyword,
                   const QString& filterKeyword, const QString& ownFilter, QString& result);
// The filter list a keyword gives, as Qt filter strings.
QStringList fileFilters(const QString& filterKeyword, const QString& ownFilter);
// A modeless find dialog ("Sök") over the owner that finds text in the rich
// view (the next match after the cursor is selected). Result: its handle.
int openFindDialog(int owner, int view);
// Finds the next match of the text after the cursor of the view and selects
// it; wraps to the start once. Result: the position found, -1 when none.
int findNext(int view, const QString& text, bool matchCase);

// ---------------------------------------------------------------------------
// Outside the program

// Opens a web address, or a file or folder with the desktop's program for it
// (the external-open hook of toolkit_seams.h is asked first). 0 done, 1 failed.
int openExternal(const QString& urlOrPath);

} // namespace tk
