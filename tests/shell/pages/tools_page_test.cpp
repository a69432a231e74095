// The tools page: which first-start step is boxed in red, and the plain
// hints once a year is in use.
#include "shell/page.h"
#include "shell/page_paint.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDir>

using uitest::ShellTest;

namespace {

constexpr int boxRed = shell::rgb(200, 0, 0);

class ToolsPageTest : public ShellTest {
protected:
    void openWithProgress(int progress) {
        shell::state().firstStartProgress = progress;
        ASSERT_TRUE(uitest::pressCommand(1015));
        ASSERT_EQ(pageState(shell::PageId::Tools), shell::pageDrawn);
    }
    void startOnYear2014() {
        ASSERT_TRUE(QDir().mkpath(QStringLiteral("2014/bokforing/fsk")));
        ASSERT_TRUE(QDir().mkpath(QStringLiteral("2014/kontolistor")));
        putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
        ASSERT_TRUE(stampYear(QStringLiteral("2014")));
        startShell();
    }
};

TEST_F(ToolsPageTest, StepTwoIsBoxedOnceAYearExists) {
    startShell();
    openWithProgress(2);
    EXPECT_EQ(pixel(195, 343), boxRed);
    EXPECT_NE(pixel(195, 363), boxRed);
    EXPECT_NE(pixel(195, 83), boxRed);
}

TEST_F(ToolsPageTest, StepThreeIsBoxedWithItsPointer) {
    startOnYear2014();
    openWithProgress(3);
    EXPECT_EQ(pixel(195, 83), boxRed);
    EXPECT_EQ(pixel(779, 102), boxRed);
    EXPECT_EQ(pixel(160, 93), boxRed); // the pointer from the menu button
    EXPECT_NE(pixel(195, 363), boxRed); // no first-start steps with a year
}

TEST_F(ToolsPageTest, NoBoxesOnceTheFirstStartIsDone) {
    startOnYear2014();
    openWithProgress(0);
    EXPECT_NE(pixel(195, 83), boxRed);
    EXPECT_NE(pixel(195, 363), boxRed);
    EXPECT_NE(pixel(160, 93), boxRed);
    // The tools menu is there, with the year on its closing button.
    EXPECT_TRUE(tk::isVisible(shell::barButton(1033)));
    EXPECT_EQ(tk::text(shell::barButton(1033)), QStringLiteral("SLUTFÖR ÅR 2014"));
}

} // namespace
