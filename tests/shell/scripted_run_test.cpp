// Scripted runs of the program itself: the steps go through the real
// widgets, boxes and titles are printed, and the run ends as if killed unless
// the last step was the close button.
#include "shell/scripted_run.h"
#include "support/temp_dir.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtGui/QColor>
#include <QtGui/QImage>

namespace {

class ScriptedRunTest : public TempDirTest {
protected:
    struct Run {
        int exitCode = -1;
        QString out;
    };

    // Runs the program on a data folder below the test's directory.
    Run run(const QStringList& steps) {
        const QString program =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../app/mervalla");
        EXPECT_TRUE(QFileInfo::exists(program)) << "build the mervalla target first";
        QProcess p;
        p.setProgram(program);
        p.setArguments(QStringList{QStringLiteral("--data"), dataDir(), QStringLiteral("--offscreen")} +
                       steps);
        p.start();
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
    }
    QString dataDir() const { return dir_.path() + QStringLiteral("/books"); }
    QByteArray notes() const { return bytesOf(dataDir() + QStringLiteral("/drive_info/anteckningar.txt")); }
};

TEST(CommandLineTest, StepsKeepTheirOrderAndOptionsTheirValues) {
    const shell::CommandLine line = shell::parseCommandLine(
        {QStringLiteral("mervalla"), QStringLiteral("--data"), QStringLiteral("/tmp/b"),
         QStringLiteral("--offscreen"), QStringLiteral("--answer"), QStringLiteral("4"),
         QStringLiteral("--command"), QStringLiteral("1090"), QStringLiteral("--screenshot"),
         QStringLiteral("a.png"), QStringLiteral("--type"), QStringLiteral("--key")});
    EXPECT_EQ(line.dataDir, QStringLiteral("/tmp/b"));
    EXPECT_TRUE(line.offscreen);
    EXPECT_EQ(line.screenshot, QStringLiteral("a.png"));
    ASSERT_EQ(line.steps.size(), 3u);
    EXPECT_EQ(line.steps[0].option, QStringLiteral("--answer"));
    EXPECT_EQ(line.steps[1].value, QStringLiteral("1090"));
    // "--type" takes the next word as its text, whatever it looks like.
    EXPECT_EQ(line.steps[2].value, QStringLiteral("--key"));
    EXPECT_TRUE(line.errors.isEmpty());
    EXPECT_EQ(shell::parseCommandLine({QStringLiteral("mervalla"), QStringLiteral("--bogus")}).errors,
              QStringList{QStringLiteral("--bogus")});
}

TEST_F(ScriptedRunTest, TypedNotesAreSavedThroughTheCloseButton) {
    const Run r = run({QStringLiteral("--click"), QStringLiteral("300,560"), QStringLiteral("--type"),
                       QStringLiteral("Kvitton: Åhléns, Östermalm"), QStringLiteral("--command"),
                       QStringLiteral("1090")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith(
        QStringLiteral("TITLE MerValla Version 140105 (BetaVersion) för år 0000\n")))
        << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QStringLiteral("STEP-FAILED"))) << r.out.toStdString();
    EXPECT_TRUE(notes().contains(QByteArray("Kvitton: \xc5hl\xe9ns, \xd6stermalm")))
        << notes().constData();
}

TEST_F(ScriptedRunTest, WithoutTheCloseButtonTheRunEndsAsIfKilled) {
    const QString png = dir_.path() + QStringLiteral("/shot.png");
    const Run r = run({QStringLiteral("--click"), QStringLiteral("300,560"), QStringLiteral("--type"),
                       QStringLiteral("Ej sparat"), QStringLiteral("--key"), QStringLiteral("Bogus"),
                       QStringLiteral("--command"), QStringLiteral("1501"),
                       QStringLiteral("--screenshot"), png});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.contains(QStringLiteral("STEP-FAILED --key Bogus\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral(
        "BOX PROGRAMUTVECKLING | Funktionen är ej klar ännu! | EXCLAMATION | OK -> 5\n")))
        << r.out.toStdString();
    // Nothing typed was saved: only the two line ends of the start.
    EXPECT_EQ(notes(), QByteArray("\r\n\r\n"));
    QFile shot(png);
    ASSERT_TRUE(shot.open(QIODevice::ReadOnly));
    EXPECT_EQ(shot.read(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(ScriptedRunTest, QueuedAnswerGoesToTheNextBox) {
    // Without an answer the box takes its default (OK, 5); with one queued
    // the next box gets it, and an answer the box cannot give falls back to
    // the default.
    const Run r = run({QStringLiteral("--command"), QStringLiteral("1501"), QStringLiteral("--answer"),
                       QStringLiteral("4"), QStringLiteral("--command"), QStringLiteral("1501"),
                       QStringLiteral("--answer"), QStringLiteral("x"), QStringLiteral("--command"),
                       QStringLiteral("9999")});
    const QString okBox =
        QStringLiteral("BOX PROGRAMUTVECKLING | Funktionen är ej klar ännu! | EXCLAMATION | OK -> 5\n");
    EXPECT_EQ(r.out.count(okBox), 2) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("STEP-FAILED --answer x\n"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral(
        "BOX PROGRAMMERING | ########### EJ KLAR ÄNNU! ###########  |  | OK -> 5\n")))
        << r.out.toStdString();
}

TEST_F(ScriptedRunTest, CancelledExitQuestionKeepsTheProgramOpen) {
    const Run r = run({QStringLiteral("--answer"), QStringLiteral("6"), QStringLiteral("--command"),
                       QStringLiteral("1090"), QStringLiteral("--command"), QStringLiteral("1501")});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList boxes = r.out.split(u'\n').filter(QStringLiteral("BOX "));
    ASSERT_EQ(boxes.size(), 2) << r.out.toStdString();
    EXPECT_TRUE(boxes[0].endsWith(QStringLiteral(" -> 6"))) << r.out.toStdString();
    // Still running: the next step's box was shown.
    EXPECT_TRUE(boxes[1].startsWith(QStringLiteral("BOX PROGRAMUTVECKLING"))) << r.out.toStdString();
}

TEST_F(ScriptedRunTest, EditingKeysChangeAFilledField) {
    // The year field holds the suggested year: select all and type 2014;
    // then 2015 is suggested, and the keys make 2017 of it.
    QStringList steps;
    auto key = [&steps](const char* k) { steps << QStringLiteral("--key") << QString::fromUtf8(k); };
    auto step = [&steps](const char* option, const char* value) {
        steps << QString::fromUtf8(option) << QString::fromUtf8(value);
    };
    step("--command", "1015");
    step("--command", "1016");
    key("Ctrl+A");
    step("--type", "2014");
    step("--command", "1017");
    step("--command", "1015");
    step("--command", "1016");
    for (const char* k : {"End", "Left", "Backspace", "Right", "Backspace", "Home", "Delete"}) key(k);
    step("--type", "2");
    key("End");
    step("--type", "17");
    step("--command", "1017");
    const Run r = run(steps);
    EXPECT_FALSE(r.out.contains(QStringLiteral("STEP-FAILED"))) << r.out.toStdString();
    EXPECT_TRUE(QFileInfo(dataDir() + QStringLiteral("/2014")).isDir()) << r.out.toStdString();
    EXPECT_TRUE(QFileInfo(dataDir() + QStringLiteral("/2017")).isDir()) << r.out.toStdString();
    EXPECT_FALSE(QFileInfo(dataDir() + QStringLiteral("/2015")).exists());
}

TEST_F(ScriptedRunTest, ToolsPageFromTheCommandLineBoxesStepOne) {
    const QString png = dir_.path() + QStringLiteral("/tools.png");
    // The second press finds "Verktyg" disabled while its page is shown.
    const Run r = run({QStringLiteral("--command"), QStringLiteral("1015"), QStringLiteral("--command"),
                       QStringLiteral("1015"), QStringLiteral("--screenshot"), png});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.count(QStringLiteral("STEP-FAILED")), 1) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("STEP-FAILED --command 1015\n"))) << r.out.toStdString();
    const QImage shot(png);
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.width(), 800);
    EXPECT_EQ(shot.height(), 610);
    // The red frame around step 1, none around step 2.
    EXPECT_EQ(shot.pixelColor(195, 363), QColor(200, 0, 0));
    EXPECT_NE(shot.pixelColor(195, 343), QColor(200, 0, 0));
}

} // namespace
