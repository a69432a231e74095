// What the screenshots showed wrong, checked on the painted pages: the
// reports page's panel stays inside the page area, the lines under the
// backup page's restore buttons stay inside their frame, the top bar and the
// tools menu are drawn sunken, and the hint font is as wide as the body font.
#include "booking/pages/booking_page_fixture.h"
#include "shell/page_paint.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

namespace {

class PageLayoutTest : public BookingPageFixture {};

TEST_F(PageLayoutTest, ReportsPanelEndsAboveTheFooter) {
    start();
    ASSERT_TRUE(uitest::pressCommand(1010));
    ASSERT_GT(pageState(shell::PageId::Reports), 0);
    const int panel = shell::rgb(50, 50, 150);
    EXPECT_EQ(pixel(400, 582), panel);
    for (int y : {583, 585, 587, 602, 605, 609})
        for (int x : {2, 400, 790}) EXPECT_NE(pixel(x, y), panel) << x << ", " << y;
    EXPECT_EQ(pixel(400, 588), shell::rgb(185, 185, 185)) << "the footer shading";
}

TEST_F(PageLayoutTest, BackupPageLinesStayInsideTheirFrame) {
    start();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1200));
    ASSERT_GT(pageState(shell::PageId::Backup), 0);
    const int fill = shell::rgb(200, 230, 255);
    const int border = shell::rgb(50, 50, 200);
    // The frame's bottom border is whole: no text runs into it.
    int bottom = 0;
    for (int y = 540; y > 480 && !bottom; --y)
        if (pixel(600, y) == border && pixel(600, y - 3) == fill) bottom = y - 2;
    ASSERT_GT(bottom, 0);
    for (int y = bottom; y < bottom + 3; ++y)
        for (int x = 225; x < 745; ++x) ASSERT_EQ(pixel(x, y), border) << x << ", " << y;
    // The second line's descenders ("mappen", "ligger") are drawn above it.
    bool ink = false;
    for (int y = bottom - 8; y < bottom; ++y)
        for (int x = 251; x < 450; ++x) ink = ink || pixel(x, y) != fill;
    EXPECT_TRUE(ink) << "the descenders of the second line";
    // And the first line ends above the second (no overlap of the two).
    int gapRows = 0;
    for (int y = 480; y < bottom; ++y) {
        bool empty = true;
        for (int x = 251; x < 450; ++x) empty = empty && pixel(x, y) == fill;
        gapRows += empty ? 1 : 0;
    }
    EXPECT_GE(gapRows, 1);
}

TEST_F(PageLayoutTest, TopBarAndToolsMenuAreDrawnSunken) {
    start();
    ASSERT_TRUE(uitest::pressCommand(1015));
    for (int command : {1036, 1042, 1030, 1001, 1009, 1010, 1011, 1012, 1013, 1100, 1014, 1015, 1500, 1019,
                        1021, 1023, 1060, 1202, 1200, 1080, 1055, 1016, 1033, 1032, 1029, 1056, 1057, 1058, 1059})
        EXPECT_TRUE(tk::isSunkenButton(shell::barButton(command))) << command;
    EXPECT_FALSE(tk::isSunkenButton(shell::closeButton())) << "\"X\" keeps the normal style";
    // On screen: "Inkomst" (7, 12, 50 x 30) dark above and to the left.
    QTemporaryDir dir;
    const QString png = dir.path() + QStringLiteral("/w.png");
    ASSERT_EQ(tk::saveWindowPicture(window(), png), 0);
    const QImage shot(png);
    EXPECT_LT(shot.pixelColor(30, 12).lightness() + 40, shot.pixelColor(30, 41).lightness());
    EXPECT_LT(shot.pixelColor(7, 27).lightness() + 40, shot.pixelColor(56, 27).lightness());
}

TEST_F(PageLayoutTest, HintFontIsAsWideAsTheBodyFont) {
    start();
    const QString line = QString::fromUtf8("Säkerhetskopian,  flyttas automatiskt dit orginalet ligger");
    const int body = tk::textWidth(shell::font(shell::Font::Body), line);
    const int hint = tk::textWidth(shell::font(shell::Font::Hint), line);
    ASSERT_GT(body, 0);
    EXPECT_LE(std::abs(hint - body) * 20, body) << hint << " against " << body;
}

} // namespace
