// Painting: drawing into a memory bitmap, copying it to the window inside
// the paint callback, the gradient rule, colours with red in the lowest
// byte, fonts and the window picture.
#include "support/temp_dir.h"
#include "toolkit/toolkit.h"

#include <QtEndian>

namespace {

class PaintingTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        window = tk::createWindow(QStringLiteral("Måla"), 300, 100, 800, 610, QStringLiteral("EMPTYLIST"));
        ASSERT_NE(window, 0);
        background = tk::createMemoryBitmap(window, 800, 610, tk::rgb(225, 225, 255));
        surface = tk::createMemoryBitmap(window, 800, 610, 0);
    }
    void TearDown() override {
        tk::setPaintTarget(window, QStringLiteral("CLIENT"));
        tk::destroyWindow(window);
        tk::processEvents();
        TempDirTest::TearDown();
    }
    // The page pattern: background into the back buffer, draw, copy to the window.
    void paintPage() {
        tk::setPaintTarget(window, QStringLiteral("MEMORY"));
        tk::selectMemoryBitmap(surface);
        tk::copyBitmapToWindow(window, background, 0, 0, 800, 610);
        tk::fillRectangle(window, 100, 100, 110, 105, tk::rgb(200, 0, 0));
        tk::frameRectangle(window, 200, 200, 210, 210, tk::rgb(145, 185, 255));
        tk::drawLine(window, 0, 51, 400, 51, tk::rgb(50, 50, 100));
        tk::drawText(window, 300, 300, QStringLiteral("VÄLKOMMEN TILL MERVALLA!"), tk::rgb(0, 0, 128), font);
        tk::setPaintTarget(window, QStringLiteral("CLIENT"));
        tk::copyBitmapToWindow(window, surface, 0, 0, 800, 610);
        ++paints;
    }

    int window = 0;
    int background = 0;
    int surface = 0;
    int font = 0;
    int paints = 0;
};

TEST_F(PaintingTest, ColoursHoldRedInTheLowestByte) {
    EXPECT_EQ(tk::rgb(50, 50, 100), 50 | 50 << 8 | 100 << 16);
    EXPECT_EQ(tk::pixelOfBitmap(background, 0, 0), tk::rgb(225, 225, 255));
    EXPECT_EQ(tk::pixelOfBitmap(background, 800, 0), -1);
}

TEST_F(PaintingTest, PagePaintedInTheCallbackReachesTheWindow) {
    font = tk::createPixelFont(20, 10, 700, QStringLiteral("Arial"));
    tk::WindowProcedure proc;
    proc.onPaint = [this] { paintPage(); };
    tk::setWindowProcedure(window, proc);
    EXPECT_EQ(tk::invalidate(window, QStringLiteral("UNERASED")), 0);
    tk::updateNow(window);
    EXPECT_GE(paints, 1);
    EXPECT_EQ(tk::pixelOfWindow(window, 100, 100), tk::rgb(200, 0, 0));
    EXPECT_EQ(tk::pixelOfWindow(window, 109, 104), tk::rgb(200, 0, 0));
    EXPECT_EQ(tk::pixelOfWindow(window, 110, 104), tk::rgb(225, 225, 255)) << "right edge excluded";
    EXPECT_EQ(tk::pixelOfWindow(window, 200, 205), tk::rgb(145, 185, 255));
    EXPECT_EQ(tk::pixelOfWindow(window, 209, 209), tk::rgb(145, 185, 255));
    EXPECT_EQ(tk::pixelOfWindow(window, 205, 205), tk::rgb(225, 225, 255)) << "a frame, not filled";
    EXPECT_EQ(tk::pixelOfWindow(window, 0, 51), tk::rgb(50, 50, 100));
    EXPECT_EQ(tk::pixelOfWindow(window, 399, 51), tk::rgb(50, 50, 100));
    EXPECT_EQ(tk::pixelOfWindow(window, 400, 51), tk::rgb(225, 225, 255)) << "the end point is not drawn";
    bool textDrawn = false;
    for (int x = 300; x < 400 && !textDrawn; ++x) {
        for (int y = 300; y < 325 && !textDrawn; ++y) textDrawn = tk::pixelOfWindow(window, x, y) != tk::rgb(225, 225, 255);
    }
    EXPECT_TRUE(textDrawn);
    EXPECT_EQ(tk::pixelOfWindow(window, 800, 0), -1) << "the client area is 800 wide";

    // The picture of the window: a PNG of the client area, 800 x 610.
    ASSERT_EQ(tk::saveWindowPicture(window, QStringLiteral("sida.png")), 0);
    const QByteArray png = bytesOf("sida.png");
    ASSERT_GT(png.size(), 24);
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 16), 800u);
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 20), 610u);
    EXPECT_EQ(tk::saveWindowPicture(window, QStringLiteral("saknas/mapp/sida.png")), 3);
}

TEST_F(PaintingTest, DrawingOnTheWindowStaysUntilTheNextInvalidate) {
    tk::WindowProcedure proc;
    proc.onPaint = [this] { paintPage(); };
    tk::setWindowProcedure(window, proc);
    tk::invalidate(window, QStringLiteral("ERASED"));
    tk::updateNow(window);
    const int before = paints;
    // A progress bar drawn straight onto the window is shown at once,
    // without the pages being painted over it.
    tk::setPaintTarget(window, QStringLiteral("CLIENT"));
    tk::fillRectangle(window, 6, 588, 784, 602, tk::rgb(200, 0, 0));
    tk::updateNow(window);
    tk::processEvents();
    EXPECT_EQ(paints, before);
    EXPECT_EQ(tk::pixelOfWindow(window, 400, 595), tk::rgb(200, 0, 0));
    // An invalidate brings the pages back.
    tk::invalidate(window, QStringLiteral("UNERASED"));
    tk::updateNow(window);
    EXPECT_EQ(paints, before + 1);
    EXPECT_EQ(tk::pixelOfWindow(window, 400, 595), tk::rgb(225, 225, 255));
}

TEST_F(PaintingTest, GradientLinesGrowAlongTheDirectionCappedAt255) {
    tk::setPaintTarget(window, QStringLiteral("MEMORY"));
    tk::selectMemoryBitmap(surface);
    tk::drawGradient(window, 0, 53, 800, 610, tk::rgb(225, 225, 255), QStringLiteral("LEFT_TO_RIGHT"));
    EXPECT_EQ(tk::pixelOfBitmap(surface, 0, 53), tk::rgb(225, 225, 255));
    EXPECT_EQ(tk::pixelOfBitmap(surface, 0, 609), tk::rgb(225, 225, 255)) << "a column is one colour";
    EXPECT_EQ(tk::pixelOfBitmap(surface, 100, 53), tk::rgb(233, 233, 255));
    EXPECT_EQ(tk::pixelOfBitmap(surface, 799, 300), tk::rgb(255, 255, 255));
    EXPECT_EQ(tk::pixelOfBitmap(surface, 0, 52), tk::rgb(0, 0, 0)) << "outside the rectangle untouched";

    tk::drawGradient(window, 0, 0, 10, 640, tk::rgb(0, 100, 250), QStringLiteral("TOP_TO_BOTTOM"));
    EXPECT_EQ(tk::pixelOfBitmap(surface, 5, 0), tk::rgb(0, 100, 250));
    EXPECT_EQ(tk::pixelOfBitmap(surface, 5, 100), tk::rgb(10, 110, 255));

    tk::drawGradient(window, 0, 0, 64, 1, tk::rgb(0, 0, 0), QStringLiteral("RIGHT_TO_LEFT"));
    EXPECT_EQ(tk::pixelOfBitmap(surface, 63, 0), tk::rgb(0, 0, 0));
    EXPECT_EQ(tk::pixelOfBitmap(surface, 0, 0), tk::rgb(63, 63, 63));
}

TEST_F(PaintingTest, FontsMapToInstalledFacesWithTheirCellHeight) {
    EXPECT_EQ(tk::mappedFace(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(tk::mappedFace(QStringLiteral("Tahoma")), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(tk::mappedFace(QStringLiteral("New Courier")), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(tk::mappedFace(QStringLiteral("Courier New")), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(tk::mappedFace(QStringLiteral("Times")), QStringLiteral("Liberation Serif"));
    const int mono = tk::createFont(window, 12, 500, 0, QStringLiteral("Courier"));
    EXPECT_EQ(tk::textWidth(mono, QStringLiteral("iiii")), tk::textWidth(mono, QStringLiteral("MMMM")));
    const int body = tk::createPixelFont(16, 6, 400, QStringLiteral("Arial"));
    const int heading = tk::createPixelFont(20, 10, 400, QStringLiteral("Arial"));
    EXPECT_LT(tk::textWidth(body, QStringLiteral("Anteckningar")), tk::textWidth(heading, QStringLiteral("Anteckningar")));
}

TEST_F(PaintingTest, TitleShowAndUnknownHandles) {
    tk::setTitle(window, QStringLiteral("MerValla Version 140105 (BetaVersion) för år 0000"));
    EXPECT_EQ(tk::title(window), QStringLiteral("MerValla Version 140105 (BetaVersion) för år 0000"));
    EXPECT_EQ(tk::showWindow(window, QStringLiteral("HIDE")), 0);
    EXPECT_EQ(tk::showWindow(window, QStringLiteral("SHOW")), 1);
    EXPECT_EQ(tk::invalidate(9999999, QStringLiteral("ERASED")), 1);
    EXPECT_EQ(tk::createButton(9999999, 0, 0, 1, 1, QStringLiteral("x"), QString(), QString(), 1), 0);
    EXPECT_EQ(tk::text(9999999), QString());
}

} // namespace
