#include "shell/app_main.h"

#include "toolkit/display.h"

#include <cstdio>

namespace shell {

int runProgram(int argc, char** argv) {
    (void)argc;
    (void)argv;
    const QString reason = tk::missingDisplayReason();
    if (!reason.isEmpty()) {
        std::fprintf(stderr, "%s\n", reason.toLocal8Bit().constData());
        return 1;
    }
    std::fprintf(stderr, "MerValla: the main window is not built yet.\n");
    return 1;
}

} // namespace shell
