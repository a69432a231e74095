#pragma once
// The main window: its creation with the start-up sequence, its window
// procedure (paint, commands, keys, clicks, close requests) and its end.
#include <QString>

#include <functional>

namespace shell {

// Creates the main window and runs the start-up sequence in the current
// directory (the data directory). Returns the window handle.
int startMainWindow();

// True once endProgram() has run (the window is gone, the loop told to end).
bool programEnded();

// Called with every window title the program sets (scripted runs print it).
void setTitleObserver(std::function<void(const QString&)> observer);

// Tests: destroys the window if it is still there and puts the program state
// back to what a fresh process has, so the next test starts the shell anew.
void discardMainWindowForTests();

} // namespace shell
