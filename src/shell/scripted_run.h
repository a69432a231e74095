#pragma once
// Scripted runs: the program driven from the command line, without a person,
// through the real widgets and the main window's event loop.
//   --command N  --click X,Y  --type TEXT
//   --key Enter|Tab|Down|Escape|Delete|Backspace|Home|End|Left|Right|Ctrl+A
//   --answer CODE  --print-to FILE.pdf  --screenshot FILE.png
#include <QString>
#include <QStringList>

#include <vector>

namespace shell {

struct ScriptStep {
    QString option; // "--command", "--click", ...
    QString value;
};

struct CommandLine {
    QString dataDir;
    bool offscreen = false;
    QString screenshot;
    std::vector<ScriptStep> steps;
    QStringList errors; // options that could not be understood
};

CommandLine parseCommandLine(const QStringList& arguments);

// Runs the steps on the started main window, printing BOX, TITLE and
// STEP-FAILED lines on standard output, and "OPEN <address>" for every web
// page, file or folder that would be opened on the desktop (nothing is
// started), then the screenshot. Returns true
// when the program ended through its own exit (the last step was 1090).
bool runScript(const CommandLine& line);

} // namespace shell
