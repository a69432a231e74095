// The pages of the files for other programs and Skatteverket through the
// real widgets: "SIE-FIL", the SIE import on the opening balance page, the
// VAT period and its file beside the VAT report, "ROT/RUT-FIL". Each file
// written is the engine's golden file of the small year.
#include "booking/pages/booking_page_fixture.h"
#include "closing/pages/closing_pages.h"
#include "interchange/code_pages.h"
#include "interchange/interchange_messages.h"
#include "interchange/pages/interchange_pages.h"
#include "reports/pages/report_pages.h"
#include "store/change_set.h"
#include "store/integrity.h"
#include "toolkit/toolkit_seams.h"

#include "../small_year.h"

#include <QFile>

namespace {

using shell::PageId;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

class InterchangePagesTest : public BookingPageFixture {
  protected:
    void SetUp() override {
        BookingPageFixture::SetUp();
        ASSERT_EQ(mv::createMissingVitalFiles(paths), 0);
        ASSERT_TRUE(mv::finishChange(paths).ok());
        answer = QDir::currentPath() + u("/ut.fil"); // inside the test's own folder
        tk::setDialogHook([this](const tk::DialogRequest& r) {
            requests.push_back(r);
            return answer;
        });
    }
    void TearDown() override {
        tk::setDialogHook({});
        BookingPageFixture::TearDown();
    }
    // The small year, then the shell.
    void startWithSmallYear() {
        smallyear::bookSmallYear(paths);
        start();
    }
    QByteArray written() const { return bytesOf(answer); }

    std::vector<tk::DialogRequest> requests;
    QString answer; // the path the dialog returns
};

TEST_F(InterchangePagesTest, SieFileIsSavedWhereTheUserChoosesUnderItsDefaultName) {
    startWithSmallYear();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1064)); // "SIE-FIL" on the tools menu
    ASSERT_GT(pageState(PageId::SieFile), 0);
    ASSERT_TRUE(uitest::pressCommand(1065));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, u("SAVE"));
    EXPECT_EQ(requests[0].suggested, u("5566778899_2014.se"));
    EXPECT_EQ(written(), golden(u("interchange_small_year.se")));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::xmsg::fileWritten(u("SIE-filen"), answer).text);

    // Cancelled: nothing is written, nothing is said.
    QFile::remove(answer);
    answer.clear();
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(1065));
    EXPECT_TRUE(uitest::boxes().empty());
}

TEST_F(InterchangePagesTest, WithoutTheOrganisationNumberNoFileIsOffered) {
    smallyear::bookSmallYear(paths);
    smallyear::writeCompany(paths, "");
    start();
    uitest::sendCommand(1064);
    ASSERT_TRUE(uitest::pressCommand(1065));
    EXPECT_TRUE(requests.empty());
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::xmsg::orgNumberMissing().text);
    EXPECT_FALSE(QFile::exists(answer));
    // The same beside the VAT report and on the claim page.
    ASSERT_TRUE(uitest::pressCommand(1100));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(1104));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::xmsg::orgNumberMissing().text);
    EXPECT_TRUE(requests.empty());
}

TEST_F(InterchangePagesTest, VatPeriodIsShownAndItsFileSavedBesideTheVatReport) {
    startWithSmallYear();
    ASSERT_TRUE(uitest::pressCommand(1100));
    const interchangeui::VatFileControls& c = interchangeui::vatFileControls();
    ASSERT_TRUE(tk::isVisible(c.period));
    EXPECT_EQ(tk::itemCount(c.period), 17);
    EXPECT_EQ(tk::item(c.period, 0), u("Helår 2014"));
    tk::setItem(c.period, 0, u("Februari 2014"));
    ASSERT_TRUE(uitest::pressCommand(1103));
    const QString shown = tk::text(reports::viewer(mv::reportInfo(mv::Report::Vat).viewer));
    EXPECT_TRUE(shown.startsWith(u("MOMSDEKLARATION  Februari 2014")))
        << shown.left(80).toStdString();
    EXPECT_TRUE(tk::isVisible(c.saveButton));
    EXPECT_EQ(tk::item(c.period, 0), u("Februari 2014")); // the choice stays
    ASSERT_TRUE(uitest::pressCommand(1104));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].suggested, u("5566778899_moms_201402.eskd"));
    EXPECT_EQ(written(), golden(u("interchange_vat_201402.eskd")));
    // Another page hides the period controls.
    uitest::sendCommand(1015);
    EXPECT_FALSE(tk::isVisible(c.period));
}

TEST_F(InterchangePagesTest, ClaimFileOfTheDatesAndKindChosen) {
    startWithSmallYear();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1066));
    ASSERT_GT(pageState(PageId::ClaimFile), 0);
    const interchangeui::ClaimControls& c = interchangeui::claimControls();
    EXPECT_EQ(tk::text(c.from), u("2014-01-01"));
    EXPECT_EQ(tk::text(c.to), u("2014-03-07"));
    EXPECT_EQ(tk::item(c.kind, 0), u("ROT"));
    tk::setText(c.from, u("2014-02-01"));
    tk::setText(c.to, u("2014-02-28"));
    ASSERT_TRUE(uitest::pressCommand(1068));
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_TRUE(tk::text(c.view).contains(u("Faktura 14001, betald 2014-02-25, begärt 3125 kr")));
    ASSERT_TRUE(uitest::pressCommand(1069));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].suggested, u("5566778899_ROT_2014-02-01_2014-02-28.xml"));
    EXPECT_EQ(written(), golden(u("interchange_rot_claim.xml")));

    // RUT has nothing to claim; a bad date is refused.
    QFile::remove(answer);
    uitest::clearBoxes();
    tk::setItem(c.kind, 0, u("RUT"));
    ASSERT_TRUE(uitest::pressCommand(1069));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text,
              mv::xmsg::claimNoInvoices(u("RUT"), u("2014-02-01"), u("2014-02-28")).text);
    uitest::clearBoxes();
    tk::setText(c.to, u("2014-02-31"));
    ASSERT_TRUE(uitest::pressCommand(1069));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::xmsg::claimBadDates().text);
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_FALSE(QFile::exists(answer));
}

// Another program's closing balance of 2013.
QByteArray otherProgramsFile(const char* orgNumber) {
    return mv::encodeCp437(u("#FLAGGA 0\n#PROGRAM \"Annat\" 1\n#FORMAT PC8\n#SIETYP 4\n#ORGNR ") +
                           u(orgNumber) +
                           u("\n#FNAMN \"Snickeri Nord\"\n#RAR 0 20130101 20131231\n"
                             "#UB 0 1930 12000.50\n#UB 0 1220 8000.00\n#UB 0 1510 1250.00\n"
                             "#UB 0 2440 -625.00\n#UB 0 2350 -10000.00\n#UB 0 2611 -1500.00\n"
                             "#UB 0 2010 -9125.50\n"));
}

TEST_F(InterchangePagesTest, SieImportFillsTheOpeningBalanceRowsAndWritesNothing) {
    smallyear::writeCompany(paths);
    start();
    putBytes(u("annat.se"), otherProgramsFile("556677-8899"));
    putBytes(u("fel.se"), otherProgramsFile("556000-0001"));
    const QByteArray before = bytesOf(paths.dayBook);
    const QByteArray balanceBefore = bytesOf(paths.closing(u("fga_ing_balans")));

    uitest::sendCommand(1080);
    ASSERT_GT(pageState(PageId::OpeningBalance), 0);
    const closingui::OpeningControls& c = closingui::openingControls();
    ASSERT_TRUE(tk::isVisible(c.sieButton));
    // Another company's file is refused; the rows stay empty.
    answer = QDir::currentPath() + u("/fel.se");
    ASSERT_TRUE(uitest::pressCommand(1067));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text,
              mv::xmsg::sieOtherOrgNumber(u("556000-0001"), u("556677-8899")).text);
    EXPECT_TRUE(tk::text(c.rows[mv::RowCash]).isEmpty());
    // The summary is shown; "Nej" leaves the rows.
    answer = QDir::currentPath() + u("/annat.se");
    uitest::clearBoxes();
    uitest::answerNextBox(mv::answerNo);
    ASSERT_TRUE(uitest::pressCommand(1067));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].buttons, u("YES_no"));
    EXPECT_TRUE(uitest::boxes()[0].text.contains(u("Kassa, Bank mm: 12000.50\n")));
    EXPECT_TRUE(tk::text(c.rows[mv::RowCash]).isEmpty());
    // "Ja" fills them and computes the equity; nothing is saved yet.
    uitest::answerNextBox(mv::answerYes);
    ASSERT_TRUE(uitest::pressCommand(1067));
    EXPECT_EQ(tk::text(c.rows[mv::RowCash]), u("12000.50"));
    EXPECT_EQ(tk::text(c.rows[mv::RowEquipment]), u("8000.00"));
    EXPECT_EQ(tk::text(c.rows[mv::RowReceivables]), u("1250.00"));
    EXPECT_EQ(tk::text(c.rows[mv::RowPayables]), u("625.00"));
    EXPECT_EQ(tk::text(c.rows[mv::RowLoans]), u("10000.00"));
    EXPECT_EQ(tk::text(c.rows[mv::RowVat]), u("1500.00"));
    EXPECT_EQ(tk::text(c.rows[mv::RowEquity]), u("9125.50"));
    EXPECT_EQ(bytesOf(paths.dayBook), before);
    EXPECT_EQ(bytesOf(paths.closing(u("fga_ing_balans"))), balanceBefore);
}

} // namespace
