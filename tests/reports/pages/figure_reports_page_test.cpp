// "Balans", "Resultat", "Moms", "Ägarinfo" and "BOKSLUTSUNDERLAG" through the
// real window: each writes the closing files as one change, shows its report
// with its bold title, deletes its work file, leaves the year intact for the
// next guarded command and prints from its viewer.
#include "report_page_fixture.h"

#include "reports/owner_info.h"
#include "reports/pages/report_pages.h"
#include "shell/page.h"
#include "store/text_util.h"

namespace {

class FigureReportsPageTest : public ReportPageTest {
  protected:
    void SetUp() override {
        ReportPageTest::SetUp();
        putText("2014/foretaget/installningar.kdb", "25\n32\n35\n3\n30\n25\n12\n6\nx\n50\nNEJ\n");
        putText("2014/bokforing/konto_moms_inkomst_25.kdb", "2500.00\n");
        putText("2014/bokforing/konto_moms_utgift_25.kdb", "1000.00\n");
        putText("2014/bokforing/konto_kassa.kdb", "8000.00\n");
        putText("2014/bokforing/bokslut_inventering_varde.kdb", "10000\n");
    }
};

struct Case {
    int command;
    mv::Report report;
    mv::ReportViewer viewer;
    const char* title;
    int bold;
    const char* workFile;
};

TEST_F(FigureReportsPageTest, EachReportOpensFromItsButtonAndTheYearStaysIntact) {
    start();
    const Case cases[] = {
        {1012, mv::Report::Balance, mv::ReportViewer::Balance, "BALANSBOK  2014", 15,
         "_balansbok.kdb"},
        {1013, mv::Report::Result, mv::ReportViewer::Result, "RESULTATRAPPORT  2014", 18,
         "_resultatbok.kdb"},
        {1100, mv::Report::Vat, mv::ReportViewer::Result, "MOMSRAPPORT  2014", 28,
         "_resultatbok.kdb"},
        {1014, mv::Report::OwnerInfo, mv::ReportViewer::OwnerInfo, "ÄGARINFOBOKEN  2014", 19,
         "_agarinfoboken.kdb"},
        {1032, mv::Report::ClosingBasis, mv::ReportViewer::Closing, "BOKSLUTSUNDERLAG  2014", 28,
         "bokslut_underlag.kdb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        // The top-bar buttons are pressed; the tools menu is not on show.
        if (c.command != 1032)
            ASSERT_TRUE(uitest::pressCommand(c.command));
        else
            uitest::sendCommand(c.command);
        // The guard of every command found the books intact: the closing
        // files written by the one before were stamped and copied.
        EXPECT_TRUE(uitest::boxes().empty()) << uitest::boxes()[0].title.toStdString();
        const int view = reports::viewer(c.viewer);
        ASSERT_TRUE(tk::isVisible(view));
        const QString title = QString::fromUtf8(c.title);
        EXPECT_TRUE(tk::text(view).startsWith(title + "\n"));
        EXPECT_EQ(tk::characterWeight(view, c.bold - 1), 700);
        EXPECT_EQ(tk::characterWeight(view, c.bold), 400);
        EXPECT_TRUE(reports::currentReports().isSet(c.report));
        EXPECT_TRUE(tk::isEnabled(shell::printButton()));
        EXPECT_FALSE(QFile::exists("2014/bokforing/" + QString::fromUtf8(c.workFile)));
        if (c.command != 1032) {
            EXPECT_FALSE(tk::isEnabled(shell::barButton(c.command)));
        }
    }
    EXPECT_EQ(textOf("2014/bokforing/bokslut_utg_balans.kdb"),
              "8000.00\n0.00\n9700.00\n0.00\n0.00\n0.00\n16200.00\n17700.00\n17700.00\n1500.00\n");
    uitest::sendCommand(1011); // the next guarded command finds nothing to repair
    EXPECT_TRUE(uitest::boxes().empty());
    // Shown again, a report is bold over its title only.
    ASSERT_TRUE(uitest::pressCommand(1012));
    EXPECT_EQ(tk::characterWeight(reports::viewer(mv::ReportViewer::Balance), 14), 700);
    EXPECT_EQ(tk::characterWeight(reports::viewer(mv::ReportViewer::Balance), 15), 400);
}

TEST_F(FigureReportsPageTest, TheVatReportShowsTheBoxesOfTheReturn) {
    start();
    ASSERT_TRUE(uitest::pressCommand(1100));
    const QString text = tk::text(reports::viewer(mv::ReportViewer::Result));
    const auto piece = [](const char* label, const char* amount, int width) {
        QString line;
        mv::padAppend(line, QString::fromUtf8(label), QString::fromUtf8(amount), width);
        return line;
    };
    EXPECT_TRUE(text.contains(piece("  Summa inkomst för beräkning av moms", "10000.00", 55) +
                              " *Ruta 05*\n"));
    EXPECT_TRUE(text.contains(piece("  Moms med 25%", "2500.00", 56) + " *Ruta 10 - 12*\n"));
    EXPECT_TRUE(text.contains(piece("  Summa ingående moms", "1000.00", 55) + " *Summa avdrags\n"));
}

TEST_F(FigureReportsPageTest, PrintedBalanceAndClosingBasis) {
    start();
    ASSERT_TRUE(uitest::pressCommand(1012));
    uitest::sendCommand(1034);
    EXPECT_TRUE(uitest::boxes().empty());
    QString printed = printedText();
    EXPECT_TRUE(printed.contains("BALANSBOK")) << printed.left(300).toStdString();
    EXPECT_TRUE(printed.contains("SUMMA TILLGÅNGAR"));
    EXPECT_TRUE(printed.contains("17700.00"));
    QFile::remove(pdf);

    // From the tools menu, as the owner finds it.
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1032));
    uitest::sendCommand(1034);
    EXPECT_TRUE(uitest::boxes().empty());
    printed = printedText();
    EXPECT_TRUE(printed.contains("BOKSLUTSUNDERLAG")) << printed.left(300).toStdString();
    EXPECT_TRUE(printed.contains("*Till B14*"));
    EXPECT_TRUE(printed.contains("(Not 1):")); // the last page too
    EXPECT_FALSE(printed.contains("BALANSBOK"));
    QFile::remove(pdf);

    ASSERT_TRUE(uitest::pressCommand(1014));
    uitest::sendCommand(1034);
    printed = printedText();
    EXPECT_TRUE(printed.contains("ÄGARINFOBOKEN")) << printed.left(300).toStdString();
    EXPECT_TRUE(printed.contains("Summa skulder"));
    EXPECT_FALSE(printed.contains("BOKSLUTSUNDERLAG"));
}

TEST_F(FigureReportsPageTest, AFailedWriteOfTheClosingFilesShowsTheMessageAndNoReport) {
    start();
    // The first write of the closing balance fails (the disk was full for a
    // moment); the change puts back what it had written.
    int refused = 0;
    mv::setWriteHook([&refused](const QString& p) {
        return !(p.endsWith("bokforing/bokslut_utg_balans.kdb") && refused++ == 0);
    });
    ASSERT_TRUE(uitest::pressCommand(1012));
    mv::setWriteHook({});
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, "STOPP");
    EXPECT_EQ(uitest::boxes()[0].text, "Det gick inte att spara!\n\n2014/bokforing/"
                                       "bokslut_utg_balans.kdb\n\nIngenting har ändrats.");
    EXPECT_FALSE(tk::isVisible(reports::viewer(mv::ReportViewer::Balance)));
    EXPECT_FALSE(reports::currentReports().any());
    EXPECT_EQ(pageState(shell::PageId::Reports), 0);
    EXPECT_EQ(textOf("2014/bokforing/bokslut_utg_balans.kdb"), "");
    uitest::clearBoxes();
    uitest::sendCommand(1011); // nothing half-written to repair
    EXPECT_TRUE(uitest::boxes().empty())
        << uitest::boxes()[0].title.toStdString() << " " << uitest::boxes()[0].text.toStdString();
}

TEST_F(FigureReportsPageTest, AFailedWriteOfTheWorkFileShowsTheMessageAndNoReport) {
    start();
    mv::setWriteHook([](const QString& p) { return !p.endsWith("_agarinfoboken.kdb"); });
    ASSERT_TRUE(uitest::pressCommand(1014));
    mv::setWriteHook({});
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(
        uitest::boxes()[0].text,
        "Det gick inte att spara!\n\n2014/bokforing/_agarinfoboken.kdb\n\nIngenting har ändrats.");
    EXPECT_FALSE(tk::isVisible(reports::viewer(mv::ReportViewer::OwnerInfo)));
    EXPECT_FALSE(reports::currentReports().any());
}

TEST_F(FigureReportsPageTest, ALockedYearKeepsItsClosingBasisDocument) {
    putText("2014/bokforing/_status.kdb", "låst\n");
    putText("2014/bokforing/_ver.kdb", "57");
    putText("2014/bokforing/_dat.kdb", "2015-01-10\n");
    start();
    uitest::sendCommand(1032);
    EXPECT_TRUE(uitest::boxes().empty());
    const QString kept = textOf("2014/bokforing/bokslut_underlag.kdb");
    EXPECT_TRUE(kept.startsWith("BOKSLUTSUNDERLAG  2014\n\n\nVerifikat 57  2015-01-10\n"));
    EXPECT_TRUE(
        kept.contains("KASSA OCH BANK                                 Ver 57.01  2015-01-10\n"));
    EXPECT_EQ(tk::text(reports::viewer(mv::ReportViewer::Closing)), kept);
    // The other reports of a locked year still show and keep nothing else.
    ASSERT_TRUE(uitest::pressCommand(1013));
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_FALSE(QFile::exists("2014/bokforing/_resultatbok.kdb"));
    EXPECT_TRUE(QFile::exists("2014/bokforing/bokslut_underlag.kdb"));
}

TEST_F(FigureReportsPageTest, TheOwnerInformationKeepsWhatIsLeftToWithdrawAndToPay) {
    mv::forgetOwnerResults();
    putText("2014/bokforing/konto_Inkomst, Arbete och Tjänst.kdb", "100000.00\n");
    putText("2014/bokforing/konto_Utgift, Uttag för egen skatt.kdb", "20000.00\n");
    putText("2014/bokforing/bokslut_inventering_varde.kdb", ""); // no stock counted
    start();
    ASSERT_TRUE(uitest::pressCommand(1014));
    ASSERT_TRUE(mv::keptOwnerResults().known);
    // Y 100000: D 25000, E 75000 * 32 % = 24000, I 76000 * 35 % = 26600,
    // T 50600, N 49400; S = T + VAT 1500 = 52100, R = 52100 - 20000
    EXPECT_EQ(mv::keptOwnerResults().leftToWithdraw.toText(), "49400.00");
    EXPECT_EQ(mv::keptOwnerResults().taxLeft.toText(), "32100.00");
    mv::forgetOwnerResults();
}

TEST_F(FigureReportsPageTest, HeadingOfTheClosingBasisOnTheReportsPage) {
    start();
    uitest::sendCommand(1032);
    int white = 0;
    for (int y = 57; y < 77; ++y)
        for (int x = 10; x < 190; ++x) {
            const int c = pixel(x, y);
            white += ((c & 0xff) > 190 && ((c >> 8) & 0xff) > 190 && ((c >> 16) & 0xff) > 190);
        }
    EXPECT_GT(white, 40); // "BOKSLUTSUNDERLAG"
}

} // namespace
