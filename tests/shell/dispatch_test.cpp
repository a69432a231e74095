// The command dispatch: whole-value comparison, the guarded commands and
// the Escape bypass of one integrity check.
#include "shell/dispatch.h"
#include "shell/page.h"
#include "shell/page_paint.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <set>

using uitest::ShellTest;

namespace {

int checkCalls = 0;
int checkResult = 0;

// Behaves as the integrity check towards the abort key: suspended (0) after
// Escape on the welcome page, otherwise it reports `checkResult`.
int fakeCheck() {
    ++checkCalls;
    if (shell::state().abortKey == shell::abortEscape) return 0;
    return checkResult;
}

class DispatchTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        checkCalls = 0;
        checkResult = 0;
        shell::setIntegrityCheckForTests(fakeCheck);
    }
    void TearDown() override {
        shell::setIntegrityCheckForTests(nullptr);
        ShellTest::TearDown();
    }
};

TEST(DispatchTable, GuardedCommandsAreExactlyTheBookingReportAndToolsButtons) {
    std::set<int> guarded;
    for (const shell::DispatchRow& row : shell::dispatchTable())
        for (int c = row.first; c <= row.last; ++c)
            if (row.guarded) guarded.insert(c);
    EXPECT_EQ(guarded, (std::set<int>{1001, 1009, 1010, 1011, 1012, 1013, 1014, 1015, 1030, 1036,
                                      1042, 1100}));
}

TEST(DispatchTable, RowsDoNotOverlapAndGapsMatchNothing) {
    int last = 0;
    for (const shell::DispatchRow& row : shell::dispatchTable()) {
        EXPECT_GT(row.first, last) << row.origin;
        EXPECT_LE(row.first, row.last) << row.origin;
        last = row.last;
    }
    for (int unused : {0, 1, 27, 46, 1000, 1026, 1035, 1047, 1063, 1090 + 0x10000, 1102, 1204,
                       1999, 9993, 10000})
        EXPECT_EQ(shell::findDispatchRow(unused), nullptr) << unused;
    EXPECT_NE(shell::findDispatchRow(1090), nullptr);
    EXPECT_NE(shell::findDispatchRow(9999), nullptr);
}

TEST_F(DispatchTest, ToolsButtonRunsTheCheckAndOpensTheToolsPage) {
    startShell();
    ASSERT_TRUE(uitest::pressCommand(1015));
    EXPECT_EQ(checkCalls, 1);
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageDrawn);
    EXPECT_EQ(pageState(shell::PageId::Welcome), shell::pageHidden);
    // Its own button is disabled, the tools menu is shown, the notes box hidden.
    EXPECT_FALSE(tk::isEnabled(shell::barButton(1015)));
    EXPECT_TRUE(tk::isVisible(shell::barButton(1016)));
    EXPECT_FALSE(tk::isVisible(shell::notesBox()));
    // Step 1 is boxed in red on a first start (the frame's top-left corner).
    EXPECT_EQ(pixel(195, 363), shell::rgb(200, 0, 0));
    EXPECT_NE(pixel(195, 343), shell::rgb(200, 0, 0));
}

TEST_F(DispatchTest, HighHalfSetDoesNothing) {
    startShell();
    uitest::sendCommand(1015 | 0x10000);
    uitest::sendCommand(1500 | 0x40000);
    uitest::sendCommand(1501 | 0x10000);
    EXPECT_EQ(checkCalls, 0);
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageHidden);
    EXPECT_EQ(pageState(shell::PageId::Welcome), shell::pageDrawn);
    EXPECT_TRUE(uitest::boxes().empty());
    // The same commands without the high half do act.
    uitest::sendCommand(1501);
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("PROGRAMUTVECKLING"));
    EXPECT_EQ(uitest::boxes()[0].text, QStringLiteral("Funktionen är ej klar ännu!"));
    EXPECT_EQ(uitest::boxes()[0].icon, QStringLiteral("EXCLAMATION"));
    EXPECT_EQ(uitest::boxes()[0].buttons, QStringLiteral("OK"));
}

TEST_F(DispatchTest, ChangedFilesDropTheGuardedCommand) {
    startShell();
    checkResult = 3;
    uitest::sendCommand(1015);
    EXPECT_EQ(checkCalls, 1);
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageHidden);
    EXPECT_EQ(shell::state().abortKey, shell::abortNone);
}

TEST_F(DispatchTest, UncleanShutdownDropsTheCommandAndClearsTheKey) {
    startShell();
    checkResult = 1000;
    shell::state().abortKey = shell::abortUncleanShutdown; // as the check leaves it
    uitest::sendCommand(1015);
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageHidden);
    EXPECT_EQ(shell::state().abortKey, shell::abortNone);
}

TEST_F(DispatchTest, EscapeOnTheWelcomePageLetsOneGuardedCommandPass) {
    startShell();
    checkResult = 5; // the year's files disagree with the stamp
    ASSERT_EQ(pageState(shell::PageId::Welcome), shell::pageDrawn);
    ASSERT_TRUE(uitest::pressKey(QStringLiteral("Escape")));
    EXPECT_EQ(shell::state().abortKey, shell::abortEscape);

    ASSERT_TRUE(uitest::pressCommand(1015));
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageDrawn);
    EXPECT_EQ(shell::state().abortKey, shell::abortNone);

    // The bypass is used up: the next guarded command is checked and dropped.
    ASSERT_TRUE(uitest::pressCommand(1500));
    uitest::sendCommand(1015);
    EXPECT_EQ(checkCalls, 2);
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageHidden);
}

TEST_F(DispatchTest, EscapeAwayFromTheWelcomePageDoesNotBypass) {
    startShell();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressKey(QStringLiteral("Escape")));
    EXPECT_EQ(shell::state().abortKey, shell::abortNone);
}

TEST_F(DispatchTest, StartShowsTheWelcomePageAgain) {
    startShell();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1500));
    EXPECT_EQ(pageState(shell::PageId::Welcome), shell::pageDrawn);
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageHidden);
    EXPECT_TRUE(tk::isVisible(shell::notesBox()));
    EXPECT_FALSE(tk::isVisible(shell::barButton(1016)));
    EXPECT_TRUE(tk::isEnabled(shell::barButton(1015)));
}

TEST_F(DispatchTest, UnusedButtonsSayNotReady) {
    startShell();
    uitest::sendCommand(9999);
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("PROGRAMMERING"));
    EXPECT_EQ(uitest::boxes()[0].text, QStringLiteral("########### EJ KLAR ÄNNU! ########### "));
}

} // namespace

namespace {

// The guard with the real check: a year left running by a killed program.
class GuardTest : public ShellTest {
protected:
    void startOnKilledYear() {
        ASSERT_TRUE(QDir().mkpath(QStringLiteral("2014/bokforing/fsk")));
        ASSERT_TRUE(QDir().mkpath(QStringLiteral("2014/kontolistor")));
        putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
        putBytes(QStringLiteral("2014/bokforing/__A_avstangkontroll.kdb"), "1\r\n");
        startShell();
    }
    bool sawBoxTitled(const QString& title, const QString& textStart) {
        for (const uitest::Box& b : uitest::boxes())
            if (b.title == title && b.text.startsWith(textStart)) return true;
        return false;
    }
};

TEST_F(GuardTest, UncleanShutdownIsReportedAndTheCommandDropped) {
    startOnKilledYear();
    ASSERT_TRUE(uitest::pressCommand(1015));
    EXPECT_TRUE(sawBoxTitled(
        QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> VARNING <<<<<<<<<<<<<<<<<<<<<<<<<<<"),
        QStringLiteral("Programmet stängdes inte av korrekt!")));
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageHidden);
    EXPECT_EQ(shell::state().abortKey, shell::abortNone);
}

TEST_F(GuardTest, EscapeOnTheWelcomePageUnlocksOneCheck) {
    startOnKilledYear();
    ASSERT_TRUE(uitest::pressKey(QStringLiteral("Escape")));
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_FALSE(uitest::boxes().empty());
    EXPECT_EQ(uitest::boxes().back().title, QStringLiteral("UTVECKLARKOMMANDO"));
    EXPECT_EQ(uitest::boxes().back().text, QStringLiteral("FILKONTROLL UPPLÅST"));
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageDrawn);
    EXPECT_EQ(shell::state().abortKey, shell::abortNone);
}

} // namespace

namespace {

class StampedYearTest : public ShellTest {};

TEST_F(StampedYearTest, AStampedYearPassesTheGuardAndAChangedFileDoesNot) {
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("2014/bokforing/fsk")));
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("2014/kontolistor")));
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    ASSERT_TRUE(stampYear(QStringLiteral("2014")));
    startShell();
    ASSERT_TRUE(uitest::pressCommand(1015));
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageDrawn);
    EXPECT_TRUE(uitest::boxes().empty());
    // A vital file changed outside the program: the next guarded command warns
    // and is dropped.
    {
        QFile ver(QStringLiteral("2014/bokforing/_ver.kdb"));
        ASSERT_TRUE(ver.open(QIODevice::ReadWrite));
        ASSERT_TRUE(ver.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                    QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(uitest::pressCommand(1500));
    uitest::sendCommand(1015);
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageHidden);
    ASSERT_FALSE(uitest::boxes().empty());
    EXPECT_EQ(uitest::boxes().front().title,
              QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> VARNING <<<<<<<<<<<<<<<<<<<<<<<<<<<"));
}

} // namespace
