// The viewer for texts of any size: it shows the file's text exactly, keeps
// bold and point sizes as runs, selects, finds, scrolls to the end, prints
// in its fonts, and adds only what a file gained since it was read.
#include "support/temp_dir.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDir>

namespace {

class TextViewerTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        window = tk::createWindow(QStringLiteral("Vy"), 0, 0, 800, 610, QStringLiteral("EMPTYLIST"));
        view = tk::createTextViewer(window, 5, 80, 783, 503, QStringLiteral("VHSCROLL"));
        ASSERT_NE(view, 0);
        tk::setStandardFont(view, 1);
    }
    void TearDown() override {
        tk::setPrintToFile(QString());
        tk::destroyWindow(window);
        tk::processEvents();
        TempDirTest::TearDown();
    }
    static QByteArray lines(int from, int to) {
        QByteArray b;
        for (int i = from; i <= to; ++i) b += "Verifikat          = " + QByteArray::number(i) + "\r\n";
        return b;
    }
    int window = 0;
    int view = 0;
};

TEST_F(TextViewerTest, ShowsTheFileExactlyWithItsRunsOfBold) {
    putBytes("bok.kdb", "DAGBOK  2014\r\n\xc5r \x80 1250.00\r\n\r\nslut\r\n");
    EXPECT_EQ(tk::loadRichFile(view, QStringLiteral("bok.kdb")), 32);
    EXPECT_EQ(tk::text(view), QStringLiteral("DAGBOK  2014\nÅr € 1250.00\n\nslut\n"));
    EXPECT_EQ(tk::textLength(view), 32);
    EXPECT_TRUE(tk::isReadOnly(view));
    tk::setCharacterFormat(view, 0, 16, 700, 10);
    EXPECT_EQ(tk::characterWeight(view, 0), 700);
    EXPECT_EQ(tk::characterWeight(view, 15), 700);
    EXPECT_EQ(tk::characterWeight(view, 16), 400);
    tk::setCharacterFormat(view, 4, 8, 400, 0); // normal again in the middle, size kept
    EXPECT_EQ(tk::characterWeight(view, 3), 700);
    EXPECT_EQ(tk::characterWeight(view, 5), 400);
    EXPECT_EQ(tk::characterWeight(view, 8), 700);
    EXPECT_EQ(tk::characterPointSize(view, 9), 10);
    tk::setCharacterFormat(view, 20, -1, 400, 8);
    EXPECT_EQ(tk::characterPointSize(view, 30), 8);
    // New text starts plain.
    tk::setText(view, QStringLiteral("ny"));
    EXPECT_EQ(tk::characterWeight(view, 0), 400);
    EXPECT_EQ(tk::loadRichFile(view, QStringLiteral("saknas.kdb")), -2);
    EXPECT_EQ(tk::text(view), QString()) << "a list that is gone shows nothing";
}

TEST_F(TextViewerTest, SelectsFindsAndScrollsToTheEnd) {
    putBytes("bok.kdb", lines(1, 5000));
    tk::loadRichFile(view, QStringLiteral("bok.kdb"));
    tk::showWindow(window, QStringLiteral("SHOW"));
    tk::processEvents();
    EXPECT_EQ(tk::firstVisibleLine(view), 0);
    const int shown = tk::visibleLineCount(view);
    EXPECT_GT(shown, 10);
    tk::scrollToEnd(view);
    // The last verification is on screen.
    const int last = tk::lineOfPosition(view, int(tk::text(view).lastIndexOf(QStringLiteral("= 5000"))));
    EXPECT_GE(last, tk::firstVisibleLine(view));
    EXPECT_LT(last, tk::firstVisibleLine(view) + shown);

    EXPECT_EQ(tk::findNext(view, QStringLiteral("= 4711\n"), true), int(tk::text(view).indexOf(QStringLiteral("= 4711\n"))));
    EXPECT_EQ(tk::selectedText(view), QStringLiteral("= 4711\n"));
    const int line = tk::lineOfPosition(view, int(tk::text(view).indexOf(QStringLiteral("= 4711\n"))));
    EXPECT_GE(line, tk::firstVisibleLine(view));
    EXPECT_LT(line, tk::firstVisibleLine(view) + shown) << "a found text is shown";
    EXPECT_EQ(tk::findNext(view, QStringLiteral("VERIFIKAT          = 1\n"), false), 0) << "around from the start";
    EXPECT_EQ(tk::findNext(view, QStringLiteral("finns inte"), false), -1);
    tk::selectRange(view, 0, 22);
    EXPECT_EQ(tk::selectedText(view), QStringLiteral("Verifikat          = 1"));
    tk::selectRange(view, 10, 5);
    EXPECT_EQ(tk::selectedText(view), QString());
}

TEST_F(TextViewerTest, AFileThatGrewIsOnlyReadFromWhereItEnded) {
    putBytes("lista.kdb", lines(1, 3));
    tk::refreshFromFile(view, QStringLiteral("lista.kdb"));
    tk::setCharacterFormat(view, 0, 9, 700, 0);
    putBytes("lista.kdb", lines(1, 4));
    EXPECT_EQ(tk::refreshFromFile(view, QStringLiteral("lista.kdb")), int(lines(1, 4).size() - 4));
    EXPECT_EQ(tk::text(view).toUtf8(), QByteArray(lines(1, 4)).replace("\r\n", "\n"));
    EXPECT_EQ(tk::characterWeight(view, 0), 700) << "what was shown stays as it was";
    // A file written anew (not only grown) is read whole.
    putBytes("lista.kdb", "INKOMST VERIFIKATIONER\r\n" + lines(7, 9));
    tk::refreshFromFile(view, QStringLiteral("lista.kdb"));
    EXPECT_EQ(tk::text(view).toUtf8(), QByteArray("INKOMST VERIFIKATIONER\r\n" + lines(7, 9)).replace("\r\n", "\n"));
    EXPECT_EQ(tk::characterWeight(view, 0), 400);
    // Another file with the same ending is another file.
    putBytes("annan.kdb", "X\r\n" + lines(7, 9));
    tk::refreshFromFile(view, QStringLiteral("annan.kdb"));
    EXPECT_TRUE(tk::text(view).startsWith(QStringLiteral("X\n")));
}

TEST_F(TextViewerTest, PrintsTheWholeTextOrTheSelectedLinesInItsFonts) {
    QString text = QStringLiteral("DAGBOK  2014\n");
    for (int i = 1; i <= 150; ++i) text += QStringLiteral("Verifikat          = %1\nBelopp %1.00\n").arg(i);
    tk::setText(view, text);
    tk::setCharacterFormat(view, 0, 12, 700, 10);
    tk::setPrintToFile(QDir::current().absoluteFilePath(QStringLiteral("allt.pdf")));
    EXPECT_EQ(tk::printView(view, 20, 20, 20, 20, QStringLiteral("Dagbok")), 0);
    // The PDF reader sets its own blanks between words: words are compared.
    const QString all = uitest::pdfText(QStringLiteral("allt.pdf")).simplified();
    EXPECT_TRUE(all.startsWith(QStringLiteral("DAGBOK 2014 Verifikat = 1 Belopp 1.00 Verifikat = 2"))) << all.left(300).toStdString();
    EXPECT_TRUE(all.contains(QStringLiteral("Verifikat = 150 Belopp 150.00")));
    const QByteArray pdf = bytesOf("allt.pdf");
    EXPECT_GT(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"), 1);
    EXPECT_TRUE(pdf.contains("Bold")) << "the title in the bold face";

    const int from = int(text.indexOf(QStringLiteral("Verifikat          = 42\n")));
    const int to = int(text.indexOf(QStringLiteral("Verifikat          = 43\n")));
    tk::selectRange(view, from, to);
    tk::setPrintToFile(QDir::current().absoluteFilePath(QStringLiteral("en.pdf")));
    EXPECT_EQ(tk::printView(view, 20, 20, 20, 20, QStringLiteral("Dagbok")), 0);
    const QString one = uitest::pdfText(QStringLiteral("en.pdf")).simplified();
    EXPECT_EQ(one, QStringLiteral("Verifikat = 42 Belopp 42.00"));
    EXPECT_FALSE(one.contains(QStringLiteral("= 43")));
    EXPECT_FALSE(one.contains(QStringLiteral("DAGBOK")));

    tk::setText(view, QStringLiteral("\n\n"));
    tk::setPrintToFile(QDir::current().absoluteFilePath(QStringLiteral("tom.pdf")));
    EXPECT_EQ(tk::printView(view, 20, 20, 20, 20, QStringLiteral("Dagbok")), 2);
}

} // namespace
