#pragma once

namespace shell {
// The program: command line, data directory, main window, message loop.
int runProgram(int argc, char** argv);
} // namespace shell
