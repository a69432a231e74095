// Rich-text views: code page 1252 files with CR LF survive a load and save
// byte for byte, rich text keeps bold and sizes, and printing a view.
#include "support/temp_dir.h"
#include "toolkit/toolkit.h"

#include <QTimer>

namespace {

class RichViewTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        savedHook = tk::messageBoxHook();
        window = tk::createWindow(QStringLiteral("Vy"), 0, 0, 600, 400, QStringLiteral("EMPTYLIST"));
        view = tk::createRichView(window, 10, 10, 500, 300, QStringLiteral("VHSCROLL"), 0);
        ASSERT_NE(view, 0);
    }
    void TearDown() override {
        tk::setPrintToFile(QString());
        tk::setMessageBoxHook(savedHook);
        tk::destroyWindow(window);
        tk::processEvents();
        TempDirTest::TearDown();
    }

    int window = 0;
    int view = 0;
    tk::MessageBoxHook savedHook;
};

const QByteArray kReport = "DAGBOK 2014\r\n"
                           "Ver 1  2014-03-07  Inkomst f\xF6rs\xE4ljning     1250.00\r\n"
                           "\r\n"
                           "\xC5r \xC4r \xD6 \x80 slut\r\n";

TEST_F(RichViewTest, PlainFileRoundTripKeepsCp1252AndCrLf) {
    putBytes("rapport.txt", kReport);
    const int count = tk::loadRichFile(view, QStringLiteral("rapport.txt"));
    // Characters with each line end counted once.
    EXPECT_EQ(count, kReport.size() - 4);
    EXPECT_TRUE(tk::text(view).startsWith(QStringLiteral("DAGBOK 2014\nVer 1  2014-03-07  Inkomst försäljning")));
    EXPECT_EQ(tk::saveRichFile(view, QStringLiteral("kopia.txt")), 0);
    EXPECT_EQ(bytesOf("kopia.txt"), kReport);
}

TEST_F(RichViewTest, MissingAndEmptyFiles) {
    tk::setText(view, QStringLiteral("kvar"));
    EXPECT_EQ(tk::loadRichFile(view, QStringLiteral("saknas.txt")), -2);
    EXPECT_EQ(tk::text(view), QStringLiteral("kvar")) << "a file that cannot be opened changes nothing";
    putBytes("tom.txt", "");
    EXPECT_EQ(tk::loadRichFile(view, QStringLiteral("tom.txt")), -3);
    EXPECT_EQ(tk::textLength(view), 0);
}

TEST_F(RichViewTest, BoldAndSizeOnARangeSurviveAnRtfRoundTrip) {
    tk::setStandardFont(view, 1);
    tk::setText(view, QStringLiteral("FAKTURA 12\nBelopp: 500.00 kr\nTack för köpet {ÅÄÖ} \\ €"));
    tk::setCharacterFormat(view, 0, 10, 700, 14);
    EXPECT_EQ(tk::characterWeight(view, 0), 700);
    EXPECT_EQ(tk::characterPointSize(view, 3), 14);
    EXPECT_EQ(tk::characterWeight(view, 11), 400);
    EXPECT_EQ(tk::characterPointSize(view, 11), 10);
    ASSERT_EQ(tk::saveRichFile(view, QStringLiteral("faktura.RTF")), 0);
    const QByteArray rtf = bytesOf("faktura.RTF");
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\'c5\\'c4\\'d6")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\{")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\'80")) << rtf.constData();

    const int other = tk::createRichView(window, 0, 0, 100, 100, QStringLiteral("VSCROLL"), 0);
    const int count = tk::loadRichFile(other, QStringLiteral("faktura.RTF"));
    EXPECT_EQ(tk::text(other), QStringLiteral("FAKTURA 12\nBelopp: 500.00 kr\nTack för köpet {ÅÄÖ} \\ €"));
    EXPECT_EQ(count, tk::textLength(other));
    EXPECT_EQ(tk::characterWeight(other, 0), 700);
    EXPECT_EQ(tk::characterPointSize(other, 9), 14);
    EXPECT_EQ(tk::characterWeight(other, 12), 400);
    EXPECT_EQ(tk::characterPointSize(other, 12), 10);
}

TEST_F(RichViewTest, RtfReaderSkipsTablesAndReadsEscapes) {
    putBytes("brev.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                         "{\\*\\generator Prov;}\\pard\\f0\\fs20 Hej {\\b fet} r\\'e4tt\\par\r\n"
                         "\\u8364?\\tab slut}");
    EXPECT_EQ(tk::loadRichFile(view, QStringLiteral("brev.rtf")), 19);
    EXPECT_EQ(tk::text(view), QStringLiteral("Hej fet rätt\n€\tslut"));
    EXPECT_EQ(tk::characterWeight(view, 4), 700);
    EXPECT_EQ(tk::characterWeight(view, 8), 400);
    // The same bytes under a .txt name are plain text.
    putBytes("brev.txt", "{\\rtf1 x}");
    tk::loadRichFile(view, QStringLiteral("brev.txt"));
    EXPECT_EQ(tk::text(view), QStringLiteral("{\\rtf1 x}"));
}

TEST_F(RichViewTest, SelectionReadOnlyAndEnable) {
    tk::setText(view, QStringLiteral("ett två tre"));
    tk::selectRange(view, 4, 7);
    EXPECT_EQ(tk::selectedText(view), QStringLiteral("två"));
    tk::selectRange(view, 0, -1);
    EXPECT_EQ(tk::selectedText(view), QStringLiteral("ett två tre"));
    tk::setReadOnly(view, QStringLiteral("OFF"));
    EXPECT_TRUE(tk::isReadOnly(view));
    tk::disableControl(view);
    EXPECT_FALSE(tk::isEnabled(view));
    tk::enableControl(view);
    EXPECT_TRUE(tk::isEnabled(view));
    tk::processEvents();
    EXPECT_EQ(tk::hasFocus(view), 0) << "enabling gives the focus";
}

TEST_F(RichViewTest, PrintingAnEmptyViewGivesTwoAndWritesNothing) {
    tk::setPrintToFile(QDir::current().absoluteFilePath(QStringLiteral("tom.pdf")));
    EXPECT_EQ(tk::printView(view, 20, 20, 20, 20, QStringLiteral("Dagbok")), 2);
    EXPECT_FALSE(QFile::exists(QStringLiteral("tom.pdf")));
}

TEST_F(RichViewTest, PrintingToPdfWritesTheViewOrOnlyItsSelection) {
    QString text;
    for (int i = 1; i <= 200; ++i) text += QStringLiteral("Rad %1 med text\n").arg(i);
    tk::setText(view, text);
    tk::setPrintToFile(QDir::current().absoluteFilePath(QStringLiteral("allt.pdf")));
    EXPECT_EQ(tk::printView(view, 20, 20, 20, 20, QStringLiteral("Dagbok")), 0);
    const QByteArray all = bytesOf("allt.pdf");
    EXPECT_TRUE(all.startsWith("%PDF"));
    EXPECT_TRUE(tk::isEnabled(view)) << "enabled again after printing";

    tk::selectRange(view, 0, 10);
    tk::setPrintToFile(QDir::current().absoluteFilePath(QStringLiteral("val.pdf")));
    EXPECT_EQ(tk::printView(view, 20, 20, 20, 20, QStringLiteral("Dagbok")), 0);
    const QByteArray part = bytesOf("val.pdf");
    EXPECT_TRUE(part.startsWith("%PDF"));
    // 200 lines fill several pages; ten characters fill one.
    EXPECT_GT(all.count("/Type /Page\n") + all.count("/Type /Page\r"), 1);
    EXPECT_EQ(part.count("/Type /Page\n") + part.count("/Type /Page\r"), 1);
}

TEST_F(RichViewTest, StopButtonAnsweredYesStopsThePrinting) {
    QString text;
    for (int i = 1; i <= 400; ++i) text += QStringLiteral("Rad %1\n").arg(i);
    tk::setText(view, text);
    std::vector<tk::BoxRecord> boxes;
    tk::setMessageBoxHook([&boxes](const tk::BoxRecord& box) {
        boxes.push_back(box);
        return 4;
    });
    tk::setPrintToFile(QDir::current().absoluteFilePath(QStringLiteral("stopp.pdf")));
    QTimer::singleShot(0, [] { tk::pressButton(tk::printingStopButton()); });
    EXPECT_EQ(tk::printView(view, 10, 10, 10, 10, QStringLiteral("Dagbok")), 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("STOP PRINTING?"));
    EXPECT_EQ(tk::printingStopButton(), 0);
}

} // namespace
