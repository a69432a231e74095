// A fixed-column text document printed to a PDF file, over a picture that
// fills the page (an invoice over its template): the document's columns are
// kept by drawing every line in a fixed-pitch font at the same left edge.
#include "toolkit/toolkit_internal.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace tk {

namespace {

QFont pdfFont(int pointSize) {
    QFont f(mappedFace(QStringLiteral("Courier New")));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(pointSize);
    f.setBold(true);
    return f;
}

} // namespace

int printTextToPdf(const QString& pdfPath, const QString& text, const QString& pictureFile,
                   int leftMm, int topMm, int pointSize, int firstLinePointSize) {
    if (text.isEmpty()) return 2;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    QImage picture;
    if (!pictureFile.isEmpty()) picture.load(pictureFile);

    QPainter painter;
    if (!painter.begin(&printer)) return 3;
    const QRectF page = printer.paperRect(QPrinter::DevicePixel);
    const double dotsPerMm = printer.resolution() / 25.4;
    const double left = leftMm * dotsPerMm;
    const double top = topMm * dotsPerMm;
    auto startPage = [&] {
        if (!picture.isNull()) painter.drawImage(page, picture);
    };
    startPage();
    double y = top;
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n')) lines.removeLast();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QFont font =
            pdfFont(i == 0 && firstLinePointSize > 0 ? firstLinePointSize : pointSize);
        const QFontMetricsF metrics(font, &printer);
        if (y + metrics.height() > page.height() - top && y > top) {
            if (!printer.newPage()) {
                painter.end();
                return 3;
            }
            startPage();
            y = top;
        }
        painter.setFont(font);
        painter.drawText(QPointF(left, y + metrics.ascent()), lines[i]);
        y += metrics.lineSpacing();
    }
    return painter.end() ? 0 : 3;
}

} // namespace tk
