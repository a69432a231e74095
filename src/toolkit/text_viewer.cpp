#include "toolkit/text_viewer.h"

#include "toolkit/toolkit_internal.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace tk::detail {

namespace {
constexpr int kMargin = 4;
} // namespace

TextViewer* viewerOf(int handle) {
    return dynamic_cast<TextViewer*>(widgetOf(handle));
}

TextViewer::TextViewer(QWidget* parent, bool horizontal, bool vertical) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    base_ = font();
    updateMetrics();
}

// --- Text and lines ---------------------------------------------------------------

void TextViewer::indexLines(qsizetype from) {
    qsizetype pos = from;
    for (;;) {
        const qsizetype end = text_.indexOf(u'\n', pos);
        if (end < 0) {
            longest_ = std::max(longest_, text_.size() - pos);
            break;
        }
        longest_ = std::max(longest_, end - pos);
        starts_.push_back(end + 1);
        pos = end + 1;
    }
}

void TextViewer::setText(const QString& text) {
    text_ = text;
    starts_.assign(1, 0);
    longest_ = 0;
    indexLines(0);
    runs_.clear();
    anchor_ = cursor_ = 0;
    loadedSize_ = -1;
    loadedTail_.clear();
    loadedPath_.clear();
    updateMetrics();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void TextViewer::appendText(const QString& text) {
    if (text.isEmpty()) return;
    const qsizetype lastLine = starts_.back();
    text_ += text;
    indexLines(lastLine);
    updateScrollBars();
    viewport()->update();
}

int TextViewer::lineOf(qsizetype position) const {
    const auto it = std::upper_bound(starts_.begin(), starts_.end(), position);
    return int(std::max<std::ptrdiff_t>(0, (it - starts_.begin()) - 1));
}

qsizetype TextViewer::lineLength(int line) const {
    const qsizetype start = starts_[size_t(line)];
    const qsizetype next = size_t(line + 1) < starts_.size() ? starts_[size_t(line + 1)] - 1 : text_.size();
    return std::max<qsizetype>(0, next - start);
}

// --- Formats ----------------------------------------------------------------------

void TextViewer::setBaseFont(const QFont& font) {
    base_ = font;
    QAbstractScrollArea::setFont(font);
    updateMetrics();
    viewport()->update();
}

TextViewer::Run TextViewer::formatAt(qsizetype position) const {
    for (const Run& r : runs_)
        if (position >= r.first && position < r.last) return r;
    return {position, position + 1, false, 0};
}

QFont TextViewer::fontOf(const Run& run) const {
    QFont f = base_;
    f.setBold(run.bold);
    if (run.points > 0) f.setPointSize(run.points);
    return f;
}

void TextViewer::setFormat(qsizetype first, qsizetype last, bool bold, int points) {
    const qsizetype a = std::clamp<qsizetype>(first, 0, text_.size());
    const qsizetype b = last < 0 ? text_.size() : std::clamp<qsizetype>(last, a, text_.size());
    if (a >= b) return;
    // The range takes its new weight; its point size only where one is given.
    std::vector<Run> out;
    for (const Run& r : runs_) {
        if (r.last <= a || r.first >= b) {
            out.push_back(r);
            continue;
        }
        if (r.first < a) out.push_back({r.first, a, r.bold, r.points});
        if (r.last > b) out.push_back({b, r.last, r.bold, r.points});
    }
    for (const Run& p : pieces(a, b)) out.push_back({p.first, p.last, bold, points > 0 ? points : p.points});
    std::sort(out.begin(), out.end(), [](const Run& x, const Run& y) { return x.first < y.first; });
    // Plain runs are the base text; neighbours alike become one.
    runs_.clear();
    for (const Run& r : out) {
        if (!r.bold && (r.points == 0 || r.points == base_.pointSize())) continue;
        if (!runs_.empty() && runs_.back().last == r.first && runs_.back().bold == r.bold &&
            runs_.back().points == r.points)
            runs_.back().last = r.last;
        else
            runs_.push_back(r);
    }
    updateMetrics();
    viewport()->update();
}

std::vector<TextViewer::Run> TextViewer::pieces(qsizetype first, qsizetype last) const {
    std::vector<Run> out;
    qsizetype at = first;
    for (const Run& r : runs_) {
        if (r.last <= at) continue;
        if (r.first >= last) break;
        if (r.first > at) out.push_back({at, r.first, false, 0});
        const qsizetype end = std::min(r.last, last);
        out.push_back({std::max(r.first, at), end, r.bold, r.points});
        at = end;
    }
    if (at < last) out.push_back({at, last, false, 0});
    return out;
}

void TextViewer::updateMetrics() {
    QFontMetrics fm(base_);
    lineHeight_ = fm.lineSpacing();
    ascent_ = fm.ascent();
    charWidth_ = std::max(1, fm.horizontalAdvance(QLatin1Char('M')));
    for (const Run& r : runs_) {
        QFontMetrics rm(fontOf(r));
        lineHeight_ = std::max(lineHeight_, rm.lineSpacing());
        ascent_ = std::max(ascent_, rm.ascent());
    }
    updateScrollBars();
}

void TextViewer::updateScrollBars() {
    const int visible = visibleLineCount();
    verticalScrollBar()->setPageStep(std::max(1, visible));
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setRange(0, std::max(0, lineCount() - visible));
    const int content = int(std::min<qsizetype>(longest_ * charWidth_ + 2 * kMargin, 1 << 24));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(charWidth_);
    horizontalScrollBar()->setRange(0, std::max(0, content - viewport()->width()));
}

int TextViewer::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

int TextViewer::visibleLineCount() const {
    return std::max(1, viewport()->height() / std::max(1, lineHeight_));
}

// --- Selection, finding, scrolling ------------------------------------------------

void TextViewer::select(qsizetype anchor, qsizetype cursor) {
    anchor_ = std::clamp<qsizetype>(anchor, 0, text_.size());
    cursor_ = std::clamp<qsizetype>(cursor, 0, text_.size());
    // The end of the selection in view, and its start when both fit.
    ensureVisible(cursor_);
    ensureVisible(selectionStart());
    viewport()->update();
}

QString TextViewer::selectedText() const {
    return text_.mid(selectionStart(), selectionEnd() - selectionStart());
}

void TextViewer::scrollToEnd() {
    anchor_ = cursor_ = text_.size();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

qsizetype TextViewer::find(const QString& needle, Qt::CaseSensitivity cs) {
    if (needle.isEmpty()) return -1;
    qsizetype at = text_.indexOf(needle, selectionEnd(), cs);
    if (at < 0) at = text_.indexOf(needle, 0, cs);
    if (at < 0) return -1;
    select(at, at + needle.size());
    return at;
}

void TextViewer::ensureVisible(qsizetype position) {
    const int line = lineOf(position);
    const int first = firstVisibleLine();
    const int visible = visibleLineCount();
    if (line < first)
        verticalScrollBar()->setValue(line);
    else if (line >= first + visible)
        verticalScrollBar()->setValue(line - visible + 1);
}

// --- Painting ---------------------------------------------------------------------

qreal TextViewer::lineHeightOn(QPaintDevice* device) const {
    qreal h = QFontMetricsF(base_, device).lineSpacing();
    for (const Run& r : runs_) h = std::max(h, QFontMetricsF(fontOf(r), device).lineSpacing());
    return h;
}

qreal TextViewer::drawLine(QPainter& painter, int line, qreal x, qreal baseline, bool withSelection) const {
    const qsizetype start = starts_[size_t(line)];
    const qsizetype end = start + lineLength(line);
    const qsizetype selA = withSelection ? std::clamp(selectionStart(), start, end) : end;
    const qsizetype selB = withSelection ? std::clamp(selectionEnd(), start, end) : end;
    for (const Run& piece : pieces(start, end)) {
        const QFont f = fontOf(piece);
        painter.setFont(f);
        const QFontMetricsF fm(f, painter.device());
        // A piece is cut where the selection begins and ends.
        const qsizetype cuts[] = {piece.first, std::clamp(selA, piece.first, piece.last),
                                  std::clamp(selB, piece.first, piece.last), piece.last};
        for (int i = 0; i < 3; ++i) {
            if (cuts[i] >= cuts[i + 1]) continue;
            const QString part = text_.mid(cuts[i], cuts[i + 1] - cuts[i]);
            const qreal width = fm.horizontalAdvance(part);
            const bool selected = withSelection && i == 1;
            if (selected) {
                painter.fillRect(QRectF(x, baseline - fm.ascent(), width, fm.height()),
                                 palette().brush(QPalette::Highlight));
                painter.setPen(palette().color(QPalette::HighlightedText));
            } else {
                painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
            }
            painter.drawText(QPointF(x, baseline), part);
            x += width;
        }
    }
    return x;
}

void TextViewer::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().color(isEnabled() ? QPalette::Base : QPalette::Window));
    const int first = firstVisibleLine();
    const int last = std::min(lineCount(), first + visibleLineCount() + 1);
    const qreal x = kMargin - horizontalScrollBar()->value();
    for (int line = first; line < last; ++line)
        drawLine(p, line, x, (line - first) * lineHeight_ + ascent_ + 1, true);
}

void TextViewer::drawLines(QPainter& painter, const QRectF& rect, int first, int last) const {
    const qreal height = lineHeightOn(painter.device());
    qreal ascent = QFontMetricsF(base_, painter.device()).ascent();
    for (const Run& r : runs_) ascent = std::max(ascent, QFontMetricsF(fontOf(r), painter.device()).ascent());
    for (int line = first; line < last; ++line)
        drawLine(painter, line, rect.left(), rect.top() + (line - first) * height + ascent, false);
}

void TextViewer::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TextViewer::scrollContentsBy(int, int) {
    viewport()->update();
}

// --- Mouse and keys ---------------------------------------------------------------

qsizetype TextViewer::positionAt(const QPoint& point) const {
    const int line = std::clamp(firstVisibleLine() + point.y() / std::max(1, lineHeight_), 0, lineCount() - 1);
    const qsizetype start = starts_[size_t(line)];
    const qsizetype end = start + lineLength(line);
    qreal x = kMargin - horizontalScrollBar()->value();
    for (const Run& piece : pieces(start, end)) {
        const QFontMetricsF fm(fontOf(piece));
        for (qsizetype i = piece.first; i < piece.last; ++i) {
            const qreal w = fm.horizontalAdvance(text_.at(i));
            if (point.x() < x + w / 2) return i;
            x += w;
        }
    }
    return end;
}

void TextViewer::moveCursor(qsizetype to, bool extend) {
    cursor_ = std::clamp<qsizetype>(to, 0, text_.size());
    if (!extend) anchor_ = cursor_;
    ensureVisible(cursor_);
    viewport()->update();
}

void TextViewer::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    moveCursor(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void TextViewer::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) moveCursor(positionAt(event->position().toPoint()), true);
}

void TextViewer::mouseDoubleClickEvent(QMouseEvent* event) {
    // A word: the run of characters between blanks around the point.
    const qsizetype at = positionAt(event->position().toPoint());
    qsizetype a = at, b = at;
    while (a > 0 && !text_.at(a - 1).isSpace()) --a;
    while (b < text_.size() && !text_.at(b).isSpace()) ++b;
    select(a, b);
}

void TextViewer::keyPressEvent(QKeyEvent* event) {
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int line = lineOf(cursor_);
    const qsizetype column = cursor_ - starts_[size_t(line)];
    auto toLine = [&](int l) {
        l = std::clamp(l, 0, lineCount() - 1);
        return starts_[size_t(l)] + std::min(column, lineLength(l));
    };
    if (event->matches(QKeySequence::SelectAll)) {
        select(0, text_.size());
    } else if (event->matches(QKeySequence::Copy)) {
        if (selectionEnd() > selectionStart()) QGuiApplication::clipboard()->setText(selectedText());
    } else {
        switch (event->key()) {
        case Qt::Key_Left: moveCursor(cursor_ - 1, extend); break;
        case Qt::Key_Right: moveCursor(cursor_ + 1, extend); break;
        case Qt::Key_Up: moveCursor(toLine(line - 1), extend); break;
        case Qt::Key_Down: moveCursor(toLine(line + 1), extend); break;
        case Qt::Key_PageUp: moveCursor(toLine(line - visibleLineCount()), extend); break;
        case Qt::Key_PageDown: moveCursor(toLine(line + visibleLineCount()), extend); break;
        case Qt::Key_Home:
            moveCursor(control ? 0 : starts_[size_t(line)], extend);
            break;
        case Qt::Key_End:
            moveCursor(control ? text_.size() : starts_[size_t(line)] + lineLength(line), extend);
            break;
        default: QAbstractScrollArea::keyPressEvent(event); return;
        }
    }
    event->accept();
}

} // namespace tk::detail
