#pragma once
// The end of the program through the "X" button (command 1090), after the
// notes have been saved.

namespace shell {

// The exit procedure: runs after the notes box has been saved. It ends the
// program by calling endProgram() when it decides to end.
void exitProcedure();

// Destroys the main window and ends the message loop with code 0.
void endProgram();

} // namespace shell
