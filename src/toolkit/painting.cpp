// Painting: memory bitmaps, the paint target, texts, lines, rectangles and
// gradients, and the fonts they are drawn with.
#include "toolkit/toolkit_internal.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace tk {

using namespace detail;

namespace {

struct PaintState {
    bool memory = false;
    int bitmap = 0;
};

PaintState& paintState() {
    static PaintState s;
    return s;
}

// Where a drawing call on the window goes: the current memory bitmap, or the
// window's client picture (then `client` is set so it can be repainted).
QImage* target(int window, TkWindow** client) {
    *client = nullptr;
    if (paintState().memory) return bitmapOf(paintState().bitmap);
    TkWindow* w = windowWidget(window);
    if (!w) return nullptr;
    *client = w;
    return &w->surface();
}

void done(TkWindow* client) {
    if (client) client->scheduleRepaint();
}

} // namespace

int rgb(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

void setPaintTarget(int window, const QString& keyword) {
    (void)window;
    paintState().memory = keyword == u"MEMORY";
}

int selectMemoryBitmap(int bitmap) {
    const int previous = paintState().bitmap;
    paintState().bitmap = bitmap;
    return previous;
}

int createMemoryBitmap(int window, int width, int height, int fillColour) {
    (void)window;
    if (width <= 0 || height <= 0) return 0;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return 0;
    image.fill(colourOf(fillColour));
    return registerBitmap(image);
}

void deleteMemoryBitmap(int bitmap) {
    if (paintState().bitmap == bitmap) paintState().bitmap = 0;
    removeBitmap(bitmap);
}

void copyBitmapToWindow(int window, int bitmap, int x, int y, int width, int height) {
    const QImage* source = bitmapOf(bitmap);
    TkWindow* client = nullptr;
    QImage* dest = target(window, &client);
    if (!source || !dest || source == dest) return;
    {
        QPainter p(dest);
        p.drawImage(QPoint(x, y), *source, QRect(0, 0, width, height));
    }
    done(client);
}

void drawText(int window, int x, int y, const QString& text, int colour, int font, int background) {
    TkWindow* client = nullptr;
    QImage* dest = target(window, &client);
    if (!dest) return;
    {
        QPainter p(dest);
        const QFont f = fontOrSystem(font);
        p.setFont(f);
        const QFontMetrics fm(f, dest);
        if (background != 0) p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), colourOf(background));
        p.setPen(colourOf(colour));
        p.drawText(QPoint(x, y + fm.ascent()), text);
    }
    done(client);
}

void drawLine(int window, int x1, int y1, int x2, int y2, int colour) {
    TkWindow* client = nullptr;
    QImage* dest = target(window, &client);
    if (!dest || (x1 == x2 && y1 == y2)) return;
    {
        QPainter p(dest);
        p.setPen(QPen(colourOf(colour), 0));
        // The end point is not drawn: step one pixel back along the longer axis.
        const int dx = x2 - x1;
        const int dy = y2 - y1;
        int ex = x2;
        int ey = y2;
        if (std::abs(dx) >= std::abs(dy)) {
            ex -= dx > 0 ? 1 : -1;
            ey = y1 + (dx == 0 ? 0 : dy * (ex - x1) / dx);
        } else {
            ey -= dy > 0 ? 1 : -1;
            ex = x1 + dx * (ey - y1) / dy;
        }
        p.drawLine(x1, y1, ex, ey);
    }
    done(client);
}

void fillRectangle(int window, int left, int top, int right, int bottom, int colour) {
    TkWindow* client = nullptr;
    QImage* dest = target(window, &client);
    if (!dest || right <= left || bottom <= top) return;
    {
        QPainter p(dest);
        p.fillRect(QRect(left, top, right - left, bottom - top), colourOf(colour));
    }
    done(client);
}

void frameRectangle(int window, int left, int top, int right, int bottom, int colour) {
    TkWindow* client = nullptr;
    QImage* dest = target(window, &client);
    if (!dest || right <= left || bottom <= top) return;
    {
        QPainter p(dest);
        const QColor c = colourOf(colour);
        p.fillRect(QRect(left, top, right - left, 1), c);
        p.fillRect(QRect(left, bottom - 1, right - left, 1), c);
        p.fillRect(QRect(left, top, 1, bottom - top), c);
        p.fillRect(QRect(right - 1, top, 1, bottom - top), c);
    }
    done(client);
}

void drawGradient(int window, int left, int top, int right, int bottom, int startColour, const QString& direction) {
    TkWindow* client = nullptr;
    QImage* dest = target(window, &client);
    const int width = right - left;
    const int height = bottom - top;
    if (!dest || width <= 0 || height <= 0) return;
    const bool vertical = direction == u"TOP_TO_BOTTOM";
    const bool reverse = direction == u"RIGHT_TO_LEFT";
    const int length = vertical ? height : width;
    const int r0 = startColour & 0xFF;
    const int g0 = (startColour >> 8) & 0xFF;
    const int b0 = (startColour >> 16) & 0xFF;
    // Drawn into a picture of the rectangle's size, then copied, as one piece.
    QImage piece(width, height, QImage::Format_RGB32);
    {
        QPainter p(&piece);
        for (int i = 0; i < length; ++i) {
            const int step = i * 64 / length;
            const QColor c(std::min(255, r0 + step), std::min(255, g0 + step), std::min(255, b0 + step));
            if (vertical) {
                p.fillRect(QRect(0, i, width, 1), c);
            } else {
                p.fillRect(QRect(reverse ? width - 1 - i : i, 0, 1, height), c);
            }
        }
    }
    {
        QPainter p(dest);
        p.drawImage(QPoint(left, top), piece);
    }
    done(client);
}

int invalidate(int window, const QString& keyword) {
    (void)keyword;
    TkWindow* w = windowWidget(window);
    if (!w) return 1;
    w->invalidatePaint();
    return 0;
}

void updateNow(int window) {
    TkWindow* w = windowWidget(window);
    if (w) w->updateNow();
}

int pixelOfWindow(int window, int x, int y) {
    TkWindow* w = windowWidget(window);
    if (!w || !w->surface().valid(x, y)) return -1;
    return colourValue(QColor(w->surface().pixel(x, y)));
}

int pixelOfBitmap(int bitmap, int x, int y) {
    const QImage* b = bitmapOf(bitmap);
    if (!b || !b->valid(x, y)) return -1;
    return colourValue(QColor(b->pixel(x, y)));
}

// ---------------------------------------------------------------------------
// Fonts

QString mappedFace(const QString& face) {
    const QString f = face.trimmed().toLower();
    if (f == u"arial" || f.isEmpty() || f == u"ms sans serif") return QStringLiteral("Liberation Sans");
    if (f == u"tahoma" || f == u"verdana") return QStringLiteral("DejaVu Sans");
    if (f == u"courier" || f == u"courier new" || f == u"new courier") return QStringLiteral("Liberation Mono");
    if (f == u"times" || f == u"times new roman") return QStringLiteral("Liberation Serif");
    return face.trimmed();
}

namespace {

void applyStyle(QFont& f, int weight, int styleCode) {
    f.setWeight(QFont::Weight(std::clamp(weight <= 0 ? 400 : weight, 1, 1000)));
    const QString digits = QString::number(styleCode);
    if (styleCode > 0) {
        f.setItalic(digits.contains(u'1'));
        f.setUnderline(digits.contains(u'2'));
        f.setStrikeOut(digits.contains(u'3'));
    }
    f.setStyleStrategy(QFont::PreferAntialias);
}

} // namespace

int createFont(int window, int pointSize, int weight, int styleCode, const QString& face) {
    (void)window;
    QFont f(mappedFace(face));
    if (mappedFace(face).contains(u"Mono")) f.setStyleHint(QFont::TypeWriter);
    f.setPointSize(std::max(1, pointSize));
    applyStyle(f, weight, styleCode);
    return registerFont(f);
}

int createPixelFont(int height, int width, int weight, const QString& face) {
    QFont f(mappedFace(face));
    if (mappedFace(face).contains(u"Mono")) f.setStyleHint(QFont::TypeWriter);
    applyStyle(f, weight, 0);
    const int cell = std::max(1, std::abs(height));
    // The height is the character cell (ascent plus descent): find the pixel
    // size whose cell is that high.
    f.setPixelSize(cell);
    const int measured = QFontMetrics(f).height();
    if (measured > 0 && measured != cell) f.setPixelSize(std::max(1, cell * cell / measured));
    if (width > 0) {
        const int average = QFontMetrics(f).averageCharWidth();
        if (average > 0) f.setStretch(std::clamp(100 * width / average, 50, 200));
    }
    return registerFont(f);
}

int textWidth(int font, const QString& text) {
    return QFontMetrics(fontOrSystem(font)).horizontalAdvance(text);
}

} // namespace tk
