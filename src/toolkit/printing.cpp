// Printing a rich-text view: the printer choice, margins in millimetres,
// the selection only when there is one, and the "Printing" window with its
// stop button.
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

int printView(int handle, int leftMm, int topMm, int rightMm, int bottomMm, const QString& name, bool askPrinter) {
    auto* view = qobject_cast<QTextEdit*>(widgetOf(handle));
    if (!view) return 3;
    std::unique_ptr<QTextDocument> doc = printedDocument(view);
    if (doc->isEmpty() || doc->toPlainText().isEmpty()) return 2;

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
    QPointer<QTextEdit> guard(view);
    view->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = printPages(*doc, printer, window.get());
    QApplication::restoreOverrideCursor();
    if (guard) guard->setEnabled(true);
    activeStopButton() = 0;
    return result;
}

int printingStopButton() { return activeStopButton(); }

} // namespace tk
