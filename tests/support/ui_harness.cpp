#include "support/ui_harness.h"

#include "shell/main_window.h"
#include "shell/page.h"
#include "store/integrity.h"
#include "store/store_layout.h"
#include "toolkit/toolkit.h"

#include <QFile>
#include <QProcess>
#include <QtGui/QGuiApplication>
#include <QtGui/QWindow>

#include <deque>

namespace uitest {

namespace {
std::vector<Box> recorded;
std::deque<int> queued;
} // namespace

const std::vector<Box>& boxes() { return recorded; }

void clearBoxes() {
    recorded.clear();
    queued.clear();
}

void answerNextBox(int code) { queued.push_back(code); }

void installBoxHook() {
    tk::setMessageBoxHook([](const tk::BoxRecord& box) {
        int code = box.defaultCode;
        if (!queued.empty()) {
            const int wanted = queued.front();
            queued.pop_front();
            if (tk::boxButtons(box.buttons).codes.contains(wanted)) code = wanted;
        }
        recorded.push_back({box.title, box.text, box.icon, box.buttons, code});
        return code;
    });
}

QString pdfText(const QString& pdf) {
    if (!QFile::exists(pdf)) return QString();
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return QStringLiteral("pdftotext did not run");
    return QString::fromUtf8(p.readAllStandardOutput());
}

void settle() {
    for (int i = 0; i < 3; ++i) tk::processEvents();
}

bool pressCommand(int command) {
    const int button = tk::buttonWithCommand(shell::mainWindow(), command);
    if (!button) return false;
    const bool ok = tk::pressButton(button) == 0;
    settle();
    return ok;
}

void sendCommand(int command) {
    tk::sendCommand(shell::mainWindow(), command);
    settle();
}

bool typeText(const QString& text) {
    const bool ok = tk::typeText(text) == 0;
    settle();
    return ok;
}

bool pressKey(const QString& name) {
    const bool ok = tk::pressKey(name) == 0;
    settle();
    return ok;
}

bool clickAt(int x, int y) {
    const bool ok = tk::clickAt(shell::mainWindow(), x, y) == 0;
    settle();
    return ok;
}

bool requestWindowClose() {
    const QString wanted = tk::title(shell::mainWindow());
    for (QWindow* w : QGuiApplication::topLevelWindows()) {
        if (w->isVisible() && w->title() == wanted) {
            w->close();
            settle();
            return true;
        }
    }
    return false;
}

void ShellTest::SetUp() {
    TempDirTest::SetUp();
    installBoxHook(); // other tests may have put their own in place
    clearBoxes();
}

void ShellTest::TearDown() {
    shell::discardMainWindowForTests();
    settle();
    clearBoxes();
    TempDirTest::TearDown();
}

void ShellTest::startShell() {
    shell::startMainWindow();
    settle();
}

bool ShellTest::stampYear(const QString& year) {
    const mv::PathTable paths = mv::buildPathTable(year);
    if (mv::createMissingVitalFiles(paths) != 0) return false;
    return mv::finishChange(paths).ok();
}

int ShellTest::window() const { return shell::mainWindow(); }
QString ShellTest::windowTitle() const { return tk::title(shell::mainWindow()); }
int ShellTest::pageState(shell::PageId id) const { return shell::state().pageState(id); }
int ShellTest::pixel(int x, int y) const { return tk::pixelOfWindow(shell::mainWindow(), x, y); }

} // namespace uitest
