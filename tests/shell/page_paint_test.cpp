// The shared drawing elements on the main window: header band, footer
// shading, frames and the progress bar.
#include "shell/page.h"
#include "shell/page_paint.h"
#include "support/ui_harness.h"

using uitest::ShellTest;

namespace {

class PagePaintTest : public ShellTest {};

TEST_F(PagePaintTest, HeaderBandFooterAndFramesOfTheWelcomePage) {
    startShell();
    EXPECT_EQ(pixel(400, 0), shell::white);              // header: white at the top
    EXPECT_EQ(pixel(400, 51), shell::rgb(50, 50, 100));  // ... dark blue at y 51
    EXPECT_EQ(pixel(760, 13), shell::rgb(50, 50, 100));  // the square behind "X"
    EXPECT_EQ(pixel(400, 588), shell::rgb(185, 185, 185)); // footer from grey
    EXPECT_EQ(pixel(400, 601), shell::white);              // ... to white
    EXPECT_EQ(pixel(1, 300), shell::rgb(50, 50, 150));     // dark frame border
    EXPECT_EQ(pixel(400, 53 + 14), shell::rgb(0, 0, 200)); // its title band
    EXPECT_EQ(pixel(11, 400), shell::rgb(50, 50, 200));    // light frame border
    EXPECT_EQ(pixel(180, 460), shell::rgb(200, 230, 255)); // light frame inside
}

TEST_F(PagePaintTest, ProgressBarIsOnTheWindowAtOnce) {
    startShell();
    shell::progressBar();
    EXPECT_EQ(pixel(400, 588), shell::rgb(200, 170, 170));
    EXPECT_EQ(pixel(400, 601), shell::rgb(200, 0, 0));
    // Left of the bar the footer shading stays (line 7 of 14: 185 + 70 * 7 / 13).
    EXPECT_EQ(pixel(2, 595), shell::rgb(222, 222, 222));
    EXPECT_NE(pixel(790, 595), pixel(400, 595));
    // A repaint keeps the bar; opening a page takes it away.
    uitest::settle();
    EXPECT_EQ(pixel(400, 601), shell::rgb(200, 0, 0));
    ASSERT_TRUE(uitest::pressCommand(1500));
    EXPECT_EQ(pixel(400, 601), shell::white);
}

} // namespace
