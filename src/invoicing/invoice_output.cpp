#include "invoicing/invoice_output.h"

#include "store/paths.h"
#include "store/record_file.h"


namespace mv {

namespace {

constexpr int kSmallUnderscore = 359;
constexpr int kMaxLines = 65;
constexpr int kMaxBody = 19000;
const QString kIndent = QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;");

QString head() {
    return QStringLiteral(
        "<html><head><meta charset=\"utf-8\"><meta id=\"_moz_html_fragment\"> <style "
        "type=\"text/css\">.image {position:relative; top:0px; left:0px;} .image "
        ".text{position:absolute; top: 0px; left:0px;}</style></head><body><div "
        "class=\"image\"><IMG SRC=\"drive_info/faktura.png\"  width=\"749\" height=\"1102\"><div "
        "class=\"text\"><span style=\"font-family: Courier,monospace; font-weight: bold;\">");
}

QString converted(QChar c, bool blankFollows) {
    switch (c.unicode()) {
    case u' ':
        return blankFollows ? QStringLiteral("&nbsp;") : QStringLiteral(" ");
    case u'&':
        return QStringLiteral("&amp;");
    case u'<':
        return QStringLiteral("&lt;");
    case u'>':
        return QStringLiteral("&gt;");
    case u'"':
        return QStringLiteral("&quot;");
    default:
        return QString(c);
    }
}

// Files for the desktop's programs are UTF-8, written as durably as the books.
int writeUtf8(const QString& path, const QString& text) {
    return writeBytes(path, text.toUtf8()) == 0 ? 0 : 3;
}

} // namespace

QString invoiceHtml(const QString& document) {
    QString doc = document;
    for (int i = 0; i < std::min<int>(30, int(doc.size())); ++i)
        if (doc[i] != u'\n') doc[i] = u' ';
    QString body = kIndent;
    int underscores = 0;
    int lines = 0;
    for (qsizetype i = 0; i < doc.size() && lines < kMaxLines; ++i) {
        const QChar c = doc[i];
        QString piece;
        if (c == u'\n') {
            piece = QStringLiteral("<br>\n") + kIndent;
            ++lines;
        } else if (c == u'_') {
            piece =
                ++underscores == kSmallUnderscore ? QStringLiteral("<small>") : QStringLiteral(" ");
        } else {
            piece = converted(c, c == u' ' && i + 1 < doc.size() && doc[i + 1] == u' ');
        }
        if (body.size() + piece.size() > kMaxBody) break;
        body += piece;
    }
    return head() + u'\n' + QStringLiteral("<br><br>") + body +
           QStringLiteral("</small></span></div></div></body></html>");
}

int writeInvoiceHtml(const QString& documentPath, const QString& htmlPath) {
    QString document;
    const int rc = readWhole(documentPath, document);
    if (rc == 3) return 2;
    // A missing document gives an empty page.
    return writeUtf8(htmlPath, invoiceHtml(rc == 0 ? document : QString()));
}

int writeTextCopy(const QString& documentPath, const QString& copyPath) {
    QString document;
    if (readWhole(documentPath, document) != 0) return 2;
#ifdef Q_OS_WIN
    document.replace(u'\n', QStringLiteral("\r\n"));
#endif
    return writeUtf8(copyPath, document);
}

QString invoicePrintText(const QString& document, bool overTemplate) {
    if (!overTemplate) return document;
    QString doc = document;
    const qsizetype end = doc.indexOf(u'\n');
    for (qsizetype i = 0; i < (end < 0 ? doc.size() : end); ++i)
        doc[i] = u' ';
    return doc;
}

} // namespace mv
