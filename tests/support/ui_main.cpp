// Test main for the window toolkit, the shell and the pages: a GUI
// application on the offscreen platform (unless QT_QPA_PLATFORM says
// otherwise), the clock fixed at 2014-03-07 09:05:12, and a watchdog that
// closes any modal window left open for more than three seconds, so a test
// that shows an unexpected box fails instead of hanging.
// Every message box goes to the recording hook of the harness, which
// answers from the queued answers (or the default button).
#include "store/clock.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const bool offscreen = !qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    tk::Application app(argc, argv, offscreen);
    mv::setFixedNow(QDateTime(QDate(2014, 3, 7), QTime(9, 5, 12)));
    uitest::installBoxHook();

    QElapsedTimer modalSince;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&modalSince] {
        if (!tk::modalWindowOpen()) {
            modalSince.invalidate();
            return;
        }
        if (!modalSince.isValid()) modalSince.start();
        if (modalSince.elapsed() >= 3000) {
            tk::closeModalWindows();
            modalSince.invalidate();
        }
    });
    watchdog.start(100);

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
