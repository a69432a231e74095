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

namespace {

// The watchdog's clock: how long a modal window has been open. It starts
// again with every test, so boxes of earlier tests do not add up.
QElapsedTimer& modalSince() {
    static QElapsedTimer t;
    return t;
}

class WatchdogReset : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { modalSince().invalidate(); }
};

} // namespace

int main(int argc, char** argv) {
    const bool offscreen = !qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    tk::Application app(argc, argv, offscreen);
    mv::setFixedNow(QDateTime(QDate(2014, 3, 7), QTime(9, 5, 12)));
    uitest::installBoxHook();

    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (!tk::modalWindowOpen()) {
            modalSince().invalidate();
            return;
        }
        if (!modalSince().isValid()) modalSince().start();
        if (modalSince().elapsed() >= 3000) {
            tk::closeModalWindows();
            modalSince().invalidate();
        }
    });
    watchdog.start(100);

    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new WatchdogReset);
    return RUN_ALL_TESTS();
}
