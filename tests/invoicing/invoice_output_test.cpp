// The HTML invoice: the conversion rules, escaped customer text, UTF-8 with
// its declaration; the text copy for the desktop's editor.
#include "invoicing/invoice_output.h"
#include "invoicing/invoice_save.h"
#include "invoicing_fixture.h"
#include "store/text_codec.h"

namespace {

class InvoiceOutputTest : public InvoicingTest {};

const QString nbsp = QStringLiteral("&nbsp;");

TEST_F(InvoiceOutputTest, ConversionRules) {
    const QString html = mv::invoiceHtml(QString(30, u'x') + QStringLiteral("\na   b\nc d\n"));
    // The first 30 characters (the company name) become blanks; three blanks
    // in a row become two "&nbsp;" and a blank; every line starts indented.
    const QString body = html.mid(html.indexOf(QStringLiteral("<br><br>")) + 8);
    const QString indent = nbsp.repeated(5);
    EXPECT_EQ(body, indent + nbsp.repeated(29) + QStringLiteral(" <br>\n") + indent +
                        QStringLiteral("a") + nbsp.repeated(2) + QStringLiteral(" b<br>\n") +
                        indent + QStringLiteral("c d<br>\n") + indent +
                        QStringLiteral("</small></span></div></div></body></html>"));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<html><head><meta charset=\"utf-8\">")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("<IMG SRC=\"drive_info/faktura.png\"  width=\"749\" height=\"1102\">")));
}

TEST_F(InvoiceOutputTest, TheSmallPrintStartsAtThe359thUnderscore) {
    const QString doc = mv::decodeStored(golden(u("invoice_standard.kdb")));
    const QString html = mv::invoiceHtml(doc);
    // Four rules of 67 and the short rule of 31 hold 299 underscores; the
    // 359th is the 60th of the footer's rule line.
    const int footerRule = int(doc.indexOf(QString(67, u'_') + QString(40, u' ')));
    ASSERT_GT(footerRule, 0);
    EXPECT_EQ(doc.left(footerRule).count(u'_'), 299);
    EXPECT_EQ(html.count(QStringLiteral("<small>")), 1);
    EXPECT_FALSE(html.mid(html.indexOf(QStringLiteral("<br><br>"))).contains(u'_'));
    // Everything after "<small>" is the rest of the footer.
    const QString small = html.mid(html.indexOf(QStringLiteral("<small>")));
    EXPECT_TRUE(small.contains(u("Bankkonto:")));
    EXPECT_FALSE(small.contains(u("Att betala")));
    EXPECT_TRUE(html.contains(u("Att betala")));
    // The company name of line 1 is never shown; every line is indented.
    EXPECT_FALSE(html.contains(u("Snickeri&nbsp;Nord")) || html.contains(u("Snickeri Nord")));
    const QStringList lines = html.split(u'\n');
    for (int i = 2; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(nbsp.repeated(5))) << i;
}

TEST_F(InvoiceOutputTest, CustomerTextIsEscapedAndWrittenAsUtf8) {
    mv::InvoiceDraft d = standardDraft();
    d.name = u("Åsa & Bo");
    d.street = u("Box \"7\" <A>");
    ASSERT_TRUE(mv::saveInvoice(paths, d, false, {}).saved);
    ASSERT_EQ(mv::writeInvoiceHtml(paths.invoice(u("14001")), u("faktura.html")), 0);
    const QByteArray bytes = bytesOf(u("faktura.html"));
    const QString html = QString::fromUtf8(bytes);
    EXPECT_TRUE(html.contains(u("Åsa &amp; Bo")));
    EXPECT_TRUE(html.contains(u("Box &quot;7&quot; &lt;A&gt;")));
    EXPECT_FALSE(html.contains(u("<A>")));
    EXPECT_TRUE(bytes.contains("\xc3\x85sa")); // Å in UTF-8
    // A missing document gives an empty page.
    ASSERT_EQ(mv::writeInvoiceHtml(paths.invoice(u("14009")), u("faktura.html")), 0);
    EXPECT_TRUE(
        bytesOf(u("faktura.html"))
            .endsWith(
                "<br><br>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;</small></span></div></div></body></html>"));
}

TEST_F(InvoiceOutputTest, LongDocumentsAreCutAt65Lines) {
    QString doc;
    for (int i = 0; i < 80; ++i)
        doc += QStringLiteral("rad %1\n").arg(i);
    const QString html = mv::invoiceHtml(doc);
    EXPECT_EQ(html.count(QStringLiteral("<br>\n")), 65);
    EXPECT_TRUE(html.contains(QStringLiteral("rad 64")));
    EXPECT_FALSE(html.contains(QStringLiteral("rad 65")));
}

TEST_F(InvoiceOutputTest, TheTextCopyIsUtf8) {
    ASSERT_TRUE(mv::saveInvoice(paths, standardDraft(), false, {}).saved);
    ASSERT_EQ(mv::writeTextCopy(paths.invoice(u("14001")), u("kopia.txt")), 0);
    const QString copy = QString::fromUtf8(bytesOf(u("kopia.txt")));
    EXPECT_EQ(copy, mv::decodeStored(golden(u("invoice_standard.kdb"))));
    EXPECT_EQ(mv::writeTextCopy(paths.invoice(u("14009")), u("kopia.txt")), 2);
}

} // namespace
