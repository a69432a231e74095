// Rich-text views: loading and saving code page 1252 and rich-text files,
// selections, character formats and the standard fonts.
#include "toolkit/rtf.h"
#include "toolkit/text_viewer.h"
#include "toolkit/toolkit_internal.h"

#include "store/record_file.h"
#include "store/text_codec.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace tk {

using namespace detail;

namespace {

QTextEdit* viewOf(int handle) { return qobject_cast<QTextEdit*>(widgetOf(handle)); }

bool isRtfPath(const QString& path) { return path.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive); }

// Refuses typed characters beyond the view's maximum size.
class SizeLimit : public QObject {
public:
    SizeLimit(QTextEdit* view, int max) : QObject(view), max_(max) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* view = static_cast<QTextEdit*>(object);
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.isEmpty() || !typed.at(0).isPrint()) return false;
        const int selected = int(view->textCursor().selectedText().size());
        return view->document()->characterCount() - 1 - selected + typed.size() > max_;
    }

private:
    int max_;
};

QTextCursor rangeCursor(QTextEdit* view, int first, int last) {
    QTextCursor c(view->document());
    const int end = view->document()->characterCount() - 1;
    const int a = std::clamp(first, 0, end);
    const int b = last < 0 ? end : std::clamp(last, a, end);
    c.setPosition(a);
    c.setPosition(b, QTextCursor::KeepAnchor);
    return c;
}

} // namespace

int createRichView(int parent, int x, int y, int width, int height, const QString& scroll, int maxSize) {
    QWidget* p = widgetOf(parent);
    if (!p) return 0;
    auto* view = new QTextEdit(p);
    view->setAcceptRichText(true);
    view->setLineWrapMode(scroll == u"HSCROLL" || scroll == u"VHSCROLL" ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
    const bool horizontal = scroll == u"HSCROLL" || scroll == u"VHSCROLL";
    const bool vertical = scroll != u"NOSCROLL" && scroll != u"HSCROLL";
    view->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    view->setFrameShape(QFrame::StyledPanel);
    view->setFrameShadow(QFrame::Sunken);
    if (x == 0 && y == 0 && width == 0 && height == 0) {
        view->setGeometry(p->rect());
    } else {
        view->setGeometry(x, y, width, height);
    }
    if (maxSize > 0) view->installEventFilter(new SizeLimit(view, maxSize));
    view->show();
    return registerWidget(view);
}

int createTextViewer(int parent, int x, int y, int width, int height, const QString& scroll) {
    QWidget* p = widgetOf(parent);
    if (!p) return 0;
    const bool horizontal = scroll == u"HSCROLL" || scroll == u"VHSCROLL";
    const bool vertical = scroll != u"NOSCROLL" && scroll != u"HSCROLL";
    auto* viewer = new TextViewer(p, horizontal, vertical);
    viewer->setGeometry(x == 0 && y == 0 && width == 0 && height == 0 ? p->rect()
                                                                      : QRect(x, y, width, height));
    viewer->show();
    return registerWidget(viewer);
}

int refreshFromFile(int handle, const QString& path) {
    TextViewer* viewer = viewerOf(handle);
    if (!viewer) return loadRichFile(handle, path);
    QFile f(path);
    const qint64 known = viewer->loadedSize();
    const QByteArray& tail = viewer->loadedTail();
    // Only what was added since the text was read is read and added; a file
    // that did not just grow (its old last bytes are not where they were)
    // is read again whole.
    if (known < 0 || viewer->loadedPath() != path || !f.open(QIODevice::ReadOnly) || f.size() < known ||
        !f.seek(known - tail.size()) || f.read(tail.size()) != tail)
        return loadRichFile(handle, path);
    QByteArray added = f.readAll();
    if (f.error() != QFileDevice::NoError) return loadRichFile(handle, path);
    // A CR of a CR LF cut off by the end of the file waits for its LF.
    if (added.endsWith('\r')) added.chop(1);
    viewer->appendText(mv::decodeStored(added));
    viewer->setLoaded(path, known + added.size(), tail + added);
    return int(viewer->text().size());
}

int loadRichFile(int handle, const QString& path) {
    if (TextViewer* viewer = viewerOf(handle)) {
        QByteArray bytes;
        if (readBytes(path, bytes) != 0) {
            viewer->setText(QString()); // a list that is gone shows nothing
            return -2;
        }
        viewer->setText(mv::decodeStored(bytes));
        viewer->setLoaded(path, bytes.size(), bytes);
        return bytes.isEmpty() ? -3 : int(viewer->text().size());
    }
    QTextEdit* view = viewOf(handle);
    if (!view) return -2;
    QByteArray bytes;
    if (readBytes(path, bytes) != 0) return -2;
    if (bytes.isEmpty()) {
        view->clear();
        return -3;
    }
    if (!isRtfPath(path) || !readRtf(bytes, *view->document())) view->setPlainText(mv::decodeStored(bytes));
    view->moveCursor(QTextCursor::Start);
    return view->document()->characterCount() - 1;
}

int saveRichFile(int handle, const QString& path) {
    QTextEdit* view = viewOf(handle);
    if (!view) return 2;
    if (!isRtfPath(path)) return mv::writeText(path, view->toPlainText());
    return mv::writeBytes(path, writeRtf(*view->document()));
}

void selectRange(int handle, int first, int last) {
    if (TextViewer* viewer = viewerOf(handle)) {
        const qsizetype end = viewer->text().size();
        const qsizetype a = std::clamp<qsizetype>(first, 0, end);
        viewer->select(a, last < 0 ? end : std::clamp<qsizetype>(last, a, end));
        return;
    }
    if (QTextEdit* view = viewOf(handle)) view->setTextCursor(rangeCursor(view, first, last));
}

QString selectedText(int handle) {
    if (TextViewer* viewer = viewerOf(handle)) return viewer->selectedText();
    QTextEdit* view = viewOf(handle);
    if (!view) return QString();
    QString s = view->textCursor().selectedText();
    s.replace(QChar(0x2029), u'\n');
    return s;
}

void setStandardFont(int handle, int code) {
    QTextEdit* view = viewOf(handle);
    TextViewer* viewer = viewerOf(handle);
    if (!view && !viewer) return;
    QFont f;
    switch (code) {
    case 0: case 3: f = QApplication::font(); break;
    case 1: case 4:
        f = QFont(QStringLiteral("Liberation Mono"));
        f.setStyleHint(QFont::TypeWriter);
        f.setPointSize(10);
        break;
    case 2:
        f = QFont(QStringLiteral("Liberation Sans"));
        f.setPointSize(10);
        break;
    default: f = fontOrSystem(code); break;
    }
    if (viewer) {
        viewer->setBaseFont(f);
        return;
    }
    view->setFont(f);
    view->document()->setDefaultFont(f);
}

void setCharacterFormat(int handle, int first, int last, int weight, int pointSize) {
    if (TextViewer* viewer = viewerOf(handle)) {
        viewer->setFormat(first, last, weight >= 700, pointSize);
        return;
    }
    QTextEdit* view = viewOf(handle);
    if (!view) return;
    QTextCharFormat f;
    f.setFontWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    if (pointSize > 0) f.setFontPointSize(pointSize);
    QTextCursor c = rangeCursor(view, first, last);
    c.mergeCharFormat(f);
}

namespace {

QTextCharFormat formatAt(QTextEdit* view, int position) {
    QTextCursor c(view->document());
    c.setPosition(std::clamp(position, 0, view->document()->characterCount() - 1));
    // The format of the character after the position.
    c.movePosition(QTextCursor::NextCharacter);
    return c.charFormat();
}

} // namespace

int characterWeight(int handle, int position) {
    if (TextViewer* viewer = viewerOf(handle)) return viewer->formatAt(position).bold ? 700 : 400;
    QTextEdit* view = viewOf(handle);
    if (!view) return 0;
    return formatAt(view, position).fontWeight() >= QFont::Bold ? 700 : 400;
}

int characterPointSize(int handle, int position) {
    if (TextViewer* viewer = viewerOf(handle)) {
        const int p = viewer->formatAt(position).points;
        return p > 0 ? p : viewer->baseFont().pointSize();
    }
    QTextEdit* view = viewOf(handle);
    if (!view) return 0;
    const double p = formatAt(view, position).fontPointSize();
    return qRound(p > 0 ? p : view->document()->defaultFont().pointSizeF());
}

void scrollToEnd(int handle) {
    if (TextViewer* viewer = viewerOf(handle)) {
        viewer->scrollToEnd();
        return;
    }
    QTextEdit* view = viewOf(handle);
    if (!view) return;
    view->moveCursor(QTextCursor::End);
    view->ensureCursorVisible();
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
}

} // namespace tk

namespace tk {

int firstVisibleLine(int handle) {
    if (TextViewer* viewer = viewerOf(handle)) return viewer->firstVisibleLine();
    return -1;
}

int visibleLineCount(int handle) {
    if (TextViewer* viewer = viewerOf(handle)) return viewer->visibleLineCount();
    return 0;
}

int lineOfPosition(int handle, int position) {
    if (TextViewer* viewer = viewerOf(handle)) return viewer->lineOf(position);
    return -1;
}

} // namespace tk
