#include "shell/scripted_run.h"

#include "shell/dispatch.h"
#include "shell/main_window.h"
#include "shell/page.h"
#include "toolkit/toolkit.h"

#include <cstdio>
#include <deque>

namespace shell {

namespace {

void printLine(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

bool takesValue(const QString& option) {
    static const QStringList withValue = {
        QStringLiteral("--data"),   QStringLiteral("--command"),  QStringLiteral("--click"),
        QStringLiteral("--type"),   QStringLiteral("--key"),      QStringLiteral("--answer"),
        QStringLiteral("--print-to"), QStringLiteral("--screenshot")};
    return withValue.contains(option);
}

std::deque<int> answers;

int answerBox(const tk::BoxRecord& box) {
    int code = box.defaultCode;
    if (!answers.empty()) {
        const int queued = answers.front();
        answers.pop_front();
        if (tk::boxButtons(box.buttons).codes.contains(queued)) code = queued;
    }
    printLine(tk::boxLine(box, code));
    return code;
}

// Lets posted commands, paints and timers run.
void settle() {
    for (int i = 0; i < 3; ++i) tk::processEvents();
}

bool parsePoint(const QString& value, int& x, int& y) {
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 2) return false;
    bool okX = false, okY = false;
    x = parts[0].trimmed().toInt(&okX);
    y = parts[1].trimmed().toInt(&okY);
    return okX && okY;
}

// Presses the visible, enabled button with the command when there is one.
// A disabled button of the top bar or the tools menu (or "X") cannot be
// pressed: the step fails. Any other command without a visible button is
// sent to the window as its button would send it.
bool runCommand(int command) {
    const int window = mainWindow();
    if (!window) return false;
    const int button = tk::buttonWithCommand(window, command);
    if (button) return tk::pressButton(button) == 0;
    const int bar = barButton(command);
    if (bar && !tk::isEnabled(bar)) return false;
    tk::sendCommand(window, command);
    return true;
}

bool runStep(const ScriptStep& step) {
    const QString& o = step.option;
    bool ok = false;
    if (o == QLatin1String("--command")) {
        const int command = step.value.toInt(&ok);
        return ok && runCommand(command);
    }
    if (o == QLatin1String("--click")) {
        int x = 0, y = 0;
        return parsePoint(step.value, x, y) && tk::clickAt(mainWindow(), x, y) == 0;
    }
    if (o == QLatin1String("--type")) return tk::typeText(step.value) == 0;
    if (o == QLatin1String("--key")) {
        static const QStringList keys = {
            QStringLiteral("Enter"),     QStringLiteral("Tab"),  QStringLiteral("Down"),
            QStringLiteral("Escape"),    QStringLiteral("Delete"), QStringLiteral("Backspace"),
            QStringLiteral("Home"),      QStringLiteral("End"),  QStringLiteral("Left"),
            QStringLiteral("Right"),     QStringLiteral("Ctrl+A")};
        return keys.contains(step.value) && tk::pressKey(step.value) == 0;
    }
    if (o == QLatin1String("--answer")) {
        const int code = step.value.toInt(&ok);
        if (ok) answers.push_back(code);
        return ok;
    }
    if (o == QLatin1String("--print-to")) {
        tk::setPrintToFile(step.value);
        return !step.value.isEmpty();
    }
    return false;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--offscreen")) {
            line.offscreen = true;
            continue;
        }
        if (!takesValue(a) || i + 1 >= arguments.size()) {
            line.errors << a;
            continue;
        }
        const QString value = arguments[++i];
        if (a == QLatin1String("--data"))
            line.dataDir = value;
        else if (a == QLatin1String("--screenshot"))
            line.screenshot = value;
        else
            line.steps.push_back({a, value});
    }
    return line;
}

bool runScript(const CommandLine& line) {
    tk::setMessageBoxHook(answerBox);
    // No browser, file manager or editor is started: what would be opened
    // is printed instead.
    tk::setExternalHook([](const QString& target) {
        printLine(QStringLiteral("OPEN ") + target);
        return 0;
    });
    settle();
    for (const ScriptStep& step : line.steps) {
        if (programEnded()) break;
        if (!runStep(step)) printLine(QStringLiteral("STEP-FAILED ") + step.option + u' ' + step.value);
        settle();
    }
    if (!line.screenshot.isEmpty() && !programEnded()) {
        settle();
        if (tk::saveWindowPicture(mainWindow(), line.screenshot) != 0)
            printLine(QStringLiteral("STEP-FAILED --screenshot ") + line.screenshot);
    }
    return programEnded();
}

} // namespace shell
