#pragma once
// Harness for tests that need the window: the recorded message boxes with
// their scripted answers, input through the real widgets, and a fixture that
// starts the whole shell in a fresh empty data directory.
#include "shell/program_state.h"
#include "support/temp_dir.h"

#include <QString>

#include <vector>

namespace uitest {

struct Box {
    QString title;
    QString text;
    QString icon;
    QString buttons;
    int result = 0; // the code the box returned
};

// Every message box shown since the start of the current test, in order.
const std::vector<Box>& boxes();
void clearBoxes();
// Queues the answer for the next box; a box with no queued answer (or one
// whose buttons cannot give the code) takes its default button.
void answerNextBox(int code);
// Installs the recording hook (done by the test main).
void installBoxHook();

// Lets posted commands, paints and timers run.
void settle();

// Input through the widgets of the main window.
// Presses the visible, enabled button with the command; false when none.
bool pressCommand(int command);
// Sends the command to the main window as a button would (no button needed).
void sendCommand(int command);
// Types into the control with the focus, one key per character (å ä ö too).
bool typeText(const QString& text);
// "Enter", "Tab", "Down", "Escape", "Delete", ...
bool pressKey(const QString& name);
bool clickAt(int x, int y);
// A close request from the window manager for the main window (its close
// box, the task bar), delivered through the platform as a real one is.
bool requestWindowClose();

// The text of a PDF file as pdftotext -layout reads it ("" when missing).
QString pdfText(const QString& pdf);

// A test in a fresh empty data directory with the clock at
// 2014-03-07 09:05:12; startShell() runs the start-up sequence there and
// shows the welcome page. The window is discarded after the test.
class ShellTest : public TempDirTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void startShell();
    // Makes the year's books pass the integrity check that guarded commands
    // run: every vital file present (created empty when missing), stamped
    // and copied into the second copies. Call after writing the test's files
    // (within 20 seconds of them) and before startShell(). True when done.
    bool stampYear(const QString& year);
    int window() const;
    QString windowTitle() const;
    int pageState(shell::PageId id) const;
    // Colour of a pixel of the window's picture (red in the lowest byte).
    int pixel(int x, int y) const;
};

} // namespace uitest
