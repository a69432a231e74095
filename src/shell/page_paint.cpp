#include "shell/page_paint.h"

#include "shell/page.h"
#include "shell/shell_internal.h"
#include "toolkit/toolkit.h"

#include <array>

namespace shell {

namespace {

constexpr int width = 800;
constexpr int height = 610;

int background = 0;
int surface = 0;
std::array<int, fontCount> fonts{};

struct Tint {
    int r, g, b;
};

// The colour a fraction `step / steps` of the way from `from` to `to`.
int blend(Tint from, Tint to, int step, int steps) {
    if (steps <= 0) return rgb(to.r, to.g, to.b);
    auto mix = [&](int a, int z) { return a + (z - a) * step / steps; };
    return rgb(mix(from.r, to.r), mix(from.g, to.g), mix(from.b, to.b));
}

// One-pixel horizontal lines top..top+count-1 from `from` to `to`.
void tintBand(int window, int left, int right, int top, int count, Tint from, Tint to) {
    for (int i = 0; i < count; ++i)
        tk::drawLine(window, left, top + i, right, top + i, blend(from, to, i, count - 1));
}

} // namespace

void createSurfaces(int window) {
    // The background: header rows white, then from y 53 downwards a slow
    // vertical run of horizontal lines from (225, 225, 255) towards white.
    background = tk::createMemoryBitmap(window, width, height, rgb(255, 255, 255));
    surface = tk::createMemoryBitmap(window, width, height, rgb(255, 255, 255));
    tk::setPaintTarget(window, QStringLiteral("MEMORY"));
    const int previous = tk::selectMemoryBitmap(background);
    for (int y = 53; y < height; ++y) {
        const int step = (y - 53) / 19; // one tint step every 19 lines
        tk::drawLine(window, 0, y, width, y, rgb(225 + step, 225 + step, 255));
    }
    tk::selectMemoryBitmap(previous);
    tk::setPaintTarget(window, QStringLiteral("CLIENT"));
}

void createFonts(int window) {
    const QString arial = QStringLiteral("Arial");
    const QString tahoma = QStringLiteral("Tahoma");
    auto put = [](Font f, int handle) { fonts[static_cast<size_t>(f)] = handle; };
    put(Font::Body, tk::createPixelFont(16, 6, 400, arial));
    put(Font::Heading, tk::createPixelFont(20, 10, 400, arial));
    put(Font::SecondHeading, tk::createPixelFont(18, 10, 400, tahoma));
    put(Font::Big, tk::createPixelFont(80, 40, 400, tahoma));
    put(Font::Small, tk::createPixelFont(10, 6, 400, arial));
    put(Font::HelpMark, tk::createPixelFont(10, 6, 700, tahoma));
    put(Font::Field, tk::createFont(window, 10, 400, 0, arial));
    put(Font::SmallField, tk::createFont(window, 8, 400, 0, arial));
    put(Font::Listing, tk::createFont(window, 12, 500, 0, QStringLiteral("New Courier")));
    put(Font::SmallListing, tk::createFont(window, 8, 500, 0, QStringLiteral("Courier")));
    // The hint's 16 x 6 in the body's face: the face that stands in for
    // Tahoma is drawn wider than the body's at the same size, and hints
    // sit beside body texts and inside the same frames.
    put(Font::Hint, tk::createPixelFont(16, 6, 400, arial));
}

int backgroundBitmap() { return background; }
int surfaceBitmap() { return surface; }

void forgetSurfacesAndFonts() {
    if (background) tk::deleteMemoryBitmap(background);
    if (surface) tk::deleteMemoryBitmap(surface);
    background = surface = 0;
    fonts.fill(0);
}

int font(Font which) { return fonts[static_cast<size_t>(which)]; }

void drawHeaderBand(int window) {
    // White at the top, pale blue tints down to y 45, then darkening to
    // (50, 50, 100) at y 51.
    tintBand(window, 0, width, 0, 46, {255, 255, 255}, {195, 210, 245});
    tintBand(window, 0, width, 46, 6, {150, 160, 215}, {50, 50, 100});
    tk::fillRectangle(window, 755, 12, 755 + 28, 12 + 28, rgb(50, 50, 100));
}

void drawFooterShading(int window) {
    tintBand(window, 0, width, 588, 14, {185, 185, 185}, {255, 255, 255});
}

namespace {
// The bar stays in the footer until the page area is reset, so a repaint
// during the long operation keeps showing it.
bool progressShown = false;

void drawProgressLines(int window) {
    for (int i = 0; i < 14; ++i) {
        const int left = 6 + i % 3;
        const int right = 700 + 84 + i % 3;
        tk::drawLine(window, left, 588 + i, right, 588 + i,
                     blend({200, 170, 170}, {200, 0, 0}, i, 13));
    }
}
} // namespace

void beginPage(int window) {
    tk::setPaintTarget(window, QStringLiteral("MEMORY"));
    tk::selectMemoryBitmap(surface);
    tk::copyBitmapToWindow(window, background, 0, 0, width, height);
    drawHeaderBand(window);
}

void endPage(int window, int& state) {
    drawFooterShading(window);
    if (progressShown) drawProgressLines(window);
    tk::setPaintTarget(window, QStringLiteral("CLIENT"));
    tk::copyBitmapToWindow(window, surface, 0, 0, width, height);
    state = pageDrawn;
}

void darkFrame(int window, int left, int top, int right, int bottom, const QString& title,
               Font titleFont, int titleColour) {
    const int border = rgb(50, 50, 150);
    tk::fillRectangle(window, left, top, left + 3, bottom, border);
    tk::fillRectangle(window, right - 3, top, right, bottom, border);
    tk::fillRectangle(window, left, bottom - 3, right, bottom, border);
    tintBand(window, left, right, top, 14, {150, 150, 200}, {0, 0, 200});
    tintBand(window, left, right, top + 14, 13, {0, 0, 200}, {50, 50, 200});
    if (!title.isEmpty()) drawText(window, left + 4, top + 4, title, titleColour, titleFont);
}

void lightFrame(int window, int left, int top, int right, int bottom, const QString& title,
                Font titleFont, int titleColour) {
    const int border = rgb(50, 50, 200);
    tk::fillRectangle(window, left, top, right, bottom, rgb(200, 230, 255));
    tk::fillRectangle(window, left, top, left + 3, bottom, border);
    tk::fillRectangle(window, right - 3, top, right, bottom, border);
    tk::fillRectangle(window, left, bottom - 3, right, bottom, border);
    tintBand(window, left, right, top, 22, {150, 150, 250}, {0, 0, 250});
    if (!title.isEmpty()) drawText(window, left + 4, top + 2, title, titleColour, titleFont);
}

void drawToolsPanel(int window) {
    darkFrame(window, 183, 53, 793, 583, QString());
    darkFrame(window, 0, 53, 167, 223, QStringLiteral("Inställningar"));
    darkFrame(window, 0, 230, 167, 306, QStringLiteral("Import Bokföring"));
    darkFrame(window, 0, 313, 167, 391, QStringLiteral("Bokföringsår"));
    darkFrame(window, 0, 398, 167, 496, QStringLiteral("Bokslut"));
    darkFrame(window, 0, 503, 167, 583, QStringLiteral("Listor"));
}

void helpMark(int window, int x, int y) {
    drawText(window, x, y, QStringLiteral("?"), white, Font::HelpMark);
}


void progressBar() {
    const int window = mainWindow();
    if (!window) return;
    progressShown = true;
    tk::setPaintTarget(window, QStringLiteral("CLIENT"));
    drawProgressLines(window);
    tk::updateNow(window);
}

void clearProgressBar() { progressShown = false; }

void drawText(int window, int x, int y, const QString& text, int colour, Font f, int background) {
    tk::drawText(window, x, y, text, colour, font(f), background);
}

void drawLine(int window, int x1, int y1, int x2, int y2, int colour) {
    tk::drawLine(window, x1, y1, x2, y2, colour);
}

void fillRect(int window, int left, int top, int right, int bottom, int colour) {
    tk::fillRectangle(window, left, top, right, bottom, colour);
}

void frameRect(int window, int left, int top, int right, int bottom, int colour) {
    tk::frameRectangle(window, left, top, right, bottom, colour);
}

} // namespace shell
