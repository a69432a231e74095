#include "shell/app_main.h"

#include "shell/data_dir.h"
#include "shell/main_window.h"
#include "shell/scripted_run.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace shell {

namespace {

QStringList argumentList(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

void printTitle(const QString& title) {
    std::fputs(("TITLE " + title).toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int runProgram(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argumentList(argc, argv));
    for (const QString& e : line.errors)
        std::fprintf(stderr, "MerValla: unknown or incomplete option %s\n",
                     e.toLocal8Bit().constData());
    if (!line.errors.isEmpty()) return 2;

    if (!line.offscreen) {
        const QString reason = tk::missingDisplayReason();
        if (!reason.isEmpty()) {
            std::fprintf(stderr, "%s\n", reason.toLocal8Bit().constData());
            return 1;
        }
    }
    const QString dir = chooseDataDirectory(line.dataDir, QDir::currentPath(), QDir::homePath());
    if (dir.isEmpty() || !QDir::setCurrent(dir)) {
        std::fprintf(stderr, "MerValla: cannot use the data directory %s\n",
                     (dir.isEmpty() ? line.dataDir : dir).toLocal8Bit().constData());
        return 1;
    }

    tk::Application application(argc, argv, line.offscreen);
    const bool scripted = line.offscreen || !line.steps.empty() || !line.screenshot.isEmpty();
    if (scripted) setTitleObserver(printTitle);
    startMainWindow();
    if (!scripted) return tk::runMessageLoop();

    if (runScript(line)) return 0;
    // A scripted run ends as if the program were killed: no exit procedure.
    std::fflush(stdout);
    std::_Exit(0);
}

} // namespace shell
