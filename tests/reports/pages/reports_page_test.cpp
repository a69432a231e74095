#include "report_page_fixture.h"

#include "reports/pages/report_pages.h"
#include "shell/page.h"

namespace {

const QString kLine = QString(60, '-');

QString block(int number, const QString& amount) {
    return "Verifikat          = " + QString::number(number) +
           "\nBokförings Datum   = 2014-03-07\nKonton                           Belopp        "
           "Balans\n" +
           kLine + "\nInkomst, Annat                          " + amount + "\nBoka mot Bank " +
           amount + "\n" + kLine + "\n\n\n";
}

class ReportsPageTest : public ReportPageTest {
  protected:
    void writeDayBook(const QString& body) {
        putText("2014/bokforing/_dagbok.kdb",
                "DAGBOK  2014\n" + QString(86, '_') +
                    "\nDagboken listar alla transaktioner datummässigt under året.\n\n\n\n\n" +
                    body);
    }
    int dayBookView() const { return reports::viewer(mv::ReportViewer::DayBook); }
};

TEST_F(ReportsPageTest, DayBookOpensAtItsEndAndStaysOnDisk) {
    writeDayBook(block(1, "100.00") + block(2, "200.00"));
    start();
    uitest::sendCommand(1010);
    EXPECT_EQ(pageState(shell::PageId::Reports) > 0, true);
    const int view = dayBookView();
    EXPECT_TRUE(tk::isVisible(view));
    EXPECT_TRUE(tk::text(view).startsWith("DAGBOK  2014\n"));
    EXPECT_EQ(tk::characterWeight(view, 0), 700);
    EXPECT_EQ(tk::characterWeight(view, 15), 700); // 16 characters bold
    EXPECT_EQ(tk::characterWeight(view, 16), 400);
    EXPECT_TRUE(QFile::exists("2014/bokforing/_dagbok.kdb"));
    EXPECT_TRUE(tk::isEnabled(shell::printButton()));
    EXPECT_TRUE(tk::isVisible(shell::printField()));
    EXPECT_FALSE(tk::isEnabled(shell::barButton(1010)));
    EXPECT_TRUE(reports::currentReports().isSet(mv::Report::DayBook));
    EXPECT_TRUE(uitest::boxes().empty());
}

TEST_F(ReportsPageTest, ALongDayBookOpensWithItsLastVerificationInView) {
    QString body;
    for (int n = 1; n <= 400; ++n) body += block(n, QStringLiteral("%1.00").arg(n));
    writeDayBook(body);
    start();
    uitest::sendCommand(1010);
    uitest::settle();
    const int view = dayBookView();
    const int last = tk::lineOfPosition(view, int(tk::text(view).lastIndexOf(QStringLiteral("= 400\n"))));
    const int first = tk::firstVisibleLine(view);
    EXPECT_GT(first, 0) << "not at the top";
    EXPECT_GE(last, first);
    EXPECT_LT(last, first + tk::visibleLineCount(view));
    EXPECT_EQ(tk::characterWeight(view, 0), 700) << "the title stays bold";
}

class ReportsPainterTest : public ReportsPageTest {
  protected:
    // How many pixels of the rectangle have the colour.
    int colourIn(int left, int top, int right, int bottom, int colour) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += pixel(x, y) == colour ? 1 : 0;
        return n;
    }
    // Pixels of white text on the dark panel (anti-aliased edges count when light).
    int whiteIn(int left, int top, int right, int bottom) const {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                const int c = pixel(x, y);
                n += ((c & 0xff) > 190 && ((c >> 8) & 0xff) > 190 && ((c >> 16) & 0xff) > 190) ? 1
                                                                                               : 0;
            }
        return n;
    }
};

TEST_F(ReportsPainterTest, HeadingOfTheReportAndTheNumberLabelOfTheDayBook) {
    writeDayBook(block(1, "100.00"));
    start();
    uitest::sendCommand(1010);
    const int panel = pixel(3, 70);
    EXPECT_NE(panel, tk::rgb(255, 255, 255));
    EXPECT_GT(whiteIn(10, 57, 120, 77), 20);                        // "DAGBOKEN"
    EXPECT_GT(whiteIn(610, 58, 650, 74), 10);                       // "Ver.nr"
    EXPECT_GT(colourIn(778, 58, 792, 76, tk::rgb(255, 255, 0)), 3); // the yellow "?"
    uitest::sendCommand(1011);
    EXPECT_EQ(pixel(3, 70), panel);
    EXPECT_GT(whiteIn(10, 57, 140, 77), 20); // "HUVUDBOKEN"
    EXPECT_EQ(whiteIn(610, 58, 650, 74), 0); // no number label on the ledger
}

TEST_F(ReportsPageTest, LedgerIsComposedShownAndItsWorkFileDeleted) {
    putText("2014/bokforing/konto_moms_inkomst_25.kdb", "2500.00\n");
    putText("2014/bokforing/konto_moms_utgift_25.kdb", "1000.00\n");
    start();
    uitest::sendCommand(1011);
    const int view = reports::viewer(mv::ReportViewer::Ledger);
    ASSERT_TRUE(tk::isVisible(view));
    const QString text = tk::text(view);
    EXPECT_TRUE(text.startsWith("HUVUDBOK  2014\n"));
    EXPECT_TRUE(text.contains("-1000.00"));
    EXPECT_FALSE(QFile::exists("2014/bokforing/_huvudbok.kdb"));
    EXPECT_FALSE(tk::isVisible(shell::printField())); // the number field is the day book's
    // Another report replaces it; its flag and viewer go.
    uitest::sendCommand(1009);
    EXPECT_FALSE(tk::isVisible(view));
    EXPECT_FALSE(reports::currentReports().isSet(mv::Report::Ledger));
    EXPECT_TRUE(reports::currentReports().isSet(mv::Report::CashBook));
}

TEST_F(ReportsPageTest, PrintedLedgerHoldsTheReportLines) {
    putText("2014/bokforing/konto_moms_inkomst_25.kdb", "2500.00\n");
    putText("2014/bokforing/konto_moms_utgift_25.kdb", "1000.00\n");
    start();
    uitest::sendCommand(1011);
    uitest::sendCommand(1034);
    EXPECT_TRUE(uitest::boxes().empty());
    const QString printed = printedText();
    EXPECT_TRUE(printed.contains("HUVUDBOK")) << printed.left(300).toStdString();
    EXPECT_TRUE(printed.contains("KASSAN")) << printed.left(300).toStdString();
    EXPECT_TRUE(printed.contains("Moms på inkomster med 25%"));
    EXPECT_TRUE(printed.contains("-1000.00"));
    EXPECT_TRUE(printed.contains("LEVERANTÖRSSKULDER")); // the last page too
}

TEST_F(ReportsPageTest, OneVerificationIsPrintedByItsNumber) {
    writeDayBook(block(1, "100.00") + block(12, "1200.00") + block(2, "200.00"));
    start();
    uitest::sendCommand(1010);
    tk::setText(shell::printField(), "12");
    uitest::sendCommand(1034);
    EXPECT_TRUE(uitest::boxes().empty());
    const QString printed = printedText();
    EXPECT_TRUE(printed.contains("Verifikat          = 12"));
    EXPECT_TRUE(printed.contains("1200.00"));
    EXPECT_FALSE(printed.contains("= 1\n"));
    EXPECT_FALSE(printed.contains("100.00\n"));
    EXPECT_FALSE(printed.contains("DAGBOK"));
    EXPECT_FALSE(printed.contains("= 2\n"));
}

TEST_F(ReportsPageTest, ANumberOnlyPresentAsTheStartOfALongerOneIsNotFound) {
    writeDayBook(block(12, "1200.00") + block(13, "1300.00"));
    start();
    uitest::sendCommand(1010);
    tk::setText(shell::printField(), "1");
    uitest::sendCommand(1034);
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, "PRINTMEDDELANDE");
    EXPECT_EQ(uitest::boxes()[0].text, "Verifikationen kunde inte hittas!\n\nUtskriften avbryts!");
    EXPECT_EQ(uitest::boxes()[0].icon, "EXCLAMATION");
    EXPECT_FALSE(QFile::exists(pdf)); // nothing printed
}

TEST_F(ReportsPageTest, AnEmptyNumberFieldPrintsTheWholeDayBook) {
    writeDayBook(block(1, "100.00") + block(2, "200.00"));
    start();
    uitest::sendCommand(1010);
    uitest::sendCommand(1034);
    const QString printed = printedText();
    EXPECT_TRUE(printed.contains("DAGBOK"));
    EXPECT_TRUE(printed.contains("Verifikat          = 1"));
    EXPECT_TRUE(printed.contains("Verifikat          = 2"));
}

TEST_F(ReportsPageTest, PrintingAnEmptyViewerSaysThereIsNothingToPrint) {
    start(); // no day book at all
    uitest::sendCommand(1010);
    EXPECT_TRUE(tk::text(dayBookView()).isEmpty());
    uitest::sendCommand(1034);
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, "PRINTMEDDELANDE");
    EXPECT_EQ(uitest::boxes()[0].text, "Finns inget att skriva ut!\n\n");
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ReportsPageTest, AFailedWorkFileWriteShowsTheMessageAndNoReport) {
    start();
    mv::setWriteHook([](const QString& p) { return !p.endsWith("_huvudbok.kdb"); });
    uitest::sendCommand(1011);
    mv::setWriteHook({});
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, "STOPP");
    EXPECT_EQ(uitest::boxes()[0].text,
              "Det gick inte att spara!\n\n2014/bokforing/_huvudbok.kdb\n\nIngenting har ändrats.");
    EXPECT_FALSE(tk::isVisible(reports::viewer(mv::ReportViewer::Ledger)));
    EXPECT_FALSE(reports::currentReports().any());
    EXPECT_EQ(pageState(shell::PageId::Reports), 0);
    // Nothing is printed afterwards either.
    uitest::sendCommand(1034);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
