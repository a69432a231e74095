// Printing a rich-text view: the printer choice, margins in millimetres,
// the selection only when there is one, and the "Printing" window with its
// stop button.
#include "toolkit/text_viewer.h"
#include "toolkit/toolkit_internal.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPointer>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

namespace tk {

using namespace detail;

namespace {

QString& printFile() {
    static QString path;
    return path;
}

// The small window shown while pages go to the printer; its button asks
// before it stops the printing.
class PrintingWindow : public QWidget {
public:
    explicit PrintingWindow(QWidget* owner) : QWidget(owner, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
        setWindowTitle(QStringLiteral("Printing"));
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);
        auto* stop = new QPushButton(QStringLiteral("Stopp"), this);
        layout->addWidget(stop);
        stopHandle_ = registerWidget(stop);
        connect(stop, &QPushButton::clicked, this, [this] {
            if (messageBox(handleOf(this), QStringLiteral("Printing"), QStringLiteral("STOP PRINTING?"),
                           QStringLiteral("QUESTION"), QStringLiteral("YES_no")) == BoxYes)
                stopped_ = true;
        });
        registerWidget(this);
        resize(180, 60);
    }
    ~PrintingWindow() override { forgetWidget(stopHandle_); }
    bool stopped() const { return stopped_; }
    int stopHandle() const { return stopHandle_; }

private:
    bool stopped_ = false;
    int stopHandle_ = 0;
};

int& activeStopButton() {
    static int handle = 0;
    return handle;
}

// What is printed: the selection when there is one, else the whole view.
std::unique_ptr<QTextDocument> printedDocument(QTextEdit* view) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(view->document()->defaultFont());
    const QTextCursor selection = view->textCursor();
    if (selection.hasSelection()) {
        QTextCursor c(doc.get());
        c.insertFragment(selection.selection());
    } else {
        doc.reset(view->document()->clone());
    }
    return doc;
}

// Lays the document out on the printer's pages and prints them, asking the
// printing window between pages whether to go on. 0 printed, 1 stopped,
// 3 the printer failed.
int printPages(QTextDocument& doc, QPrinter& printer, PrintingWindow* window) {
    QPainter painter;
    if (!painter.begin(&printer)) return 3;
    doc.documentLayout()->setPaintDevice(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    doc.setPageSize(page.size());
    const int pages = doc.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (window) {
            QApplication::processEvents();
            if (window->stopped()) {
                printer.abort();
                painter.end();
                return 1;
            }
        }
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return 3;
        }
        painter.save();
        painter.translate(0, -i * page.height());
        doc.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
    if (window) {
        QApplication::processEvents();
        if (window->stopped()) {
            printer.abort();
            painter.end();
            return 1;
        }
    }
    return painter.end() ? 0 : 3;
}

} // namespace

void setPrintToFile(const QString& pdfPath) { printFile() = pdfPath; }

QString printToFile() { return printFile(); }

namespace {

// Asks the stop button between pages. True when the user stopped.
bool stopRequested(QPrinter& printer, QPainter& painter, PrintingWindow* window) {
    if (!window) return false;
    QApplication::processEvents();
    if (!window->stopped()) return false;
    printer.abort();
    painter.end();
    return true;
}

// Prints characters [first, last) of a viewer, a page of lines at a time,
// each line in the viewer's fonts. 0 printed, 1 stopped, 3 the printer failed.
int printViewerLines(const TextViewer& viewer, qsizetype first, qsizetype last, QPrinter& printer,
                     PrintingWindow* window) {
    QPainter painter;
    if (!painter.begin(&printer)) return 3;
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const qreal height = viewer.lineHeightOn(&printer);
    const int perPage = std::max(1, int(page.height() / height));
    int line = viewer.lineOf(first);
    // A selection that ends at the start of a line does not print that line.
    int end = viewer.lineOf(last);
    if (end > line && viewer.lineStart(end) == last) --end;
    for (int pageStart = line; pageStart <= end; pageStart += perPage) {
        if (stopRequested(printer, painter, window)) return 1;
        if (pageStart > line && !printer.newPage()) {
            painter.end();
            return 3;
        }
        viewer.drawLines(painter, QRectF(0, 0, page.width(), page.height()), pageStart,
                         std::min(end + 1, pageStart + perPage));
    }
    if (stopRequested(printer, painter, window)) return 1;
    return painter.end() ? 0 : 3;
}

} // namespace

int printView(int handle, int leftMm, int topMm, int rightMm, int bottomMm, const QString& name, bool askPrinter) {
    QWidget* widget = widgetOf(handle);
    auto* view = qobject_cast<QTextEdit*>(widget);
    auto* viewer = dynamic_cast<TextViewer*>(widget);
    if (!view && !viewer) return 3;
    std::unique_ptr<QTextDocument> doc;
    qsizetype first = 0, last = 0;
    if (viewer) {
        first = viewer->selectionStart();
        last = viewer->selectionEnd();
        if (first == last) {
            first = 0;
            last = viewer->text().size();
        }
        if (QStringView(viewer->text()).mid(first, last - first).trimmed().isEmpty()) return 2;
    } else {
        doc = printedDocument(view);
        if (doc->isEmpty() || doc->toPlainText().isEmpty()) return 2;
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(name);
    const bool toFile = !printFile().isEmpty();
    if (toFile) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile());
    } else if (askPrinter) {
        QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, nullptr);
        dialog->setWindowTitle(name);
        const int answer = dialog->exec();
        if (!dialog) return 1;
        delete dialog.data();
        if (answer != QDialog::Accepted) return 1;
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        return 3;
    }
    printer.setPageMargins(QMarginsF(leftMm, topMm, rightMm, bottomMm), QPageLayout::Millimeter);

    // A window of its own, not a child of the view's window, which could go
    // away while pages are printed.
    auto window = std::make_unique<PrintingWindow>(nullptr);
    window->show();
    activeStopButton() = window->stopHandle();
    QPointer<QWidget> guard(widget);
    widget->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = viewer ? printViewerLines(*viewer, first, last, printer, window.get())
                              : printPages(*doc, printer, window.get());
    QApplication::restoreOverrideCursor();
    if (guard) guard->setEnabled(true);
    activeStopButton() = 0;
    return result;
}

int printingStopButton() { return activeStopButton(); }

} // namespace tk
