#pragma once
// Inside the toolkit only: a read-only viewer for texts of any size (the
// day book of a whole year). It keeps the text as one string and where each
// line starts, and lays out and paints only the lines that are visible, so
// loading, formatting and scrolling cost the same for ten lines as for half
// a million. Character formats (bold, point size) are kept as a few runs
// over the text.
#include <QAbstractScrollArea>
#include <QFont>
#include <QString>

#include <vector>

class QPainter;

namespace tk::detail {

class TextViewer : public QAbstractScrollArea {
  public:
    TextViewer(QWidget* parent, bool horizontal, bool vertical);

    // A format over characters [first, last).
    struct Run {
        qsizetype first = 0, last = 0;
        bool bold = false;
        int points = 0;
    };

    void setText(const QString& text);
    // Adds text at the end; what is visible stays where it is.
    void appendText(const QString& text);
    const QString& text() const { return text_; }
    // The file the text came from and its size then (see loadFile).
    qint64 loadedSize() const { return loadedSize_; }
    // The last bytes read (at most 64), to tell a file that only grew.
    const QByteArray& loadedTail() const { return loadedTail_; }
    const QString& loadedPath() const { return loadedPath_; }
    void setLoaded(const QString& path, qint64 size, const QByteArray& tail) {
        loadedPath_ = path;
        loadedSize_ = size;
        loadedTail_ = tail.right(256);
    }

    void setBaseFont(const QFont& font);
    QFont baseFont() const { return base_; }
    // Bold (or normal) and the point size (0 keeps it) over [first, last);
    // last -1 runs to the end.
    void setFormat(qsizetype first, qsizetype last, bool bold, int points);
    Run formatAt(qsizetype position) const;
    // The font of a run (or of the base text).
    QFont fontOf(const Run& run) const;
    // The pieces of [first, last) that share one format, in order.
    std::vector<Run> pieces(qsizetype first, qsizetype last) const;

    // Selection from the anchor to the cursor.
    void select(qsizetype anchor, qsizetype cursor);
    qsizetype selectionStart() const { return std::min(anchor_, cursor_); }
    qsizetype selectionEnd() const { return std::max(anchor_, cursor_); }
    qsizetype cursor() const { return cursor_; }
    QString selectedText() const;

    void scrollToEnd();
    // Finds the text after the cursor (once around from the start) and
    // selects it; the position, or -1.
    qsizetype find(const QString& needle, Qt::CaseSensitivity cs);

    int lineCount() const { return int(starts_.size()); }
    int lineOf(qsizetype position) const;
    qsizetype lineStart(int line) const { return starts_[size_t(line)]; }
    // Length of a line without its line end.
    qsizetype lineLength(int line) const;
    int firstVisibleLine() const;
    int visibleLineCount() const;

    // Draws lines [first, last) at the top of rect on the painter (a page of
    // a printout); selection is not drawn.
    void drawLines(QPainter& painter, const QRectF& rect, int first, int last) const;
    // The height of a line on the painter's device.
    qreal lineHeightOn(QPaintDevice* device) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void indexLines(qsizetype from);
    void updateMetrics();
    void updateScrollBars();
    qsizetype positionAt(const QPoint& point) const;
    void moveCursor(qsizetype to, bool extend);
    void ensureVisible(qsizetype position);
    qreal drawLine(QPainter& painter, int line, qreal x, qreal baseline, bool withSelection) const;

    QString text_;
    std::vector<qsizetype> starts_{0}; // where each line begins
    qsizetype longest_ = 0;            // characters of the longest line
    std::vector<Run> runs_;            // sorted, not overlapping
    QFont base_;
    int lineHeight_ = 16;
    int ascent_ = 12;
    int charWidth_ = 8;
    qsizetype anchor_ = 0, cursor_ = 0;
    qint64 loadedSize_ = -1;
    QByteArray loadedTail_;
    QString loadedPath_;
};

// The viewer of a handle (nullptr when the handle is another control).
TextViewer* viewerOf(int handle);

} // namespace tk::detail
