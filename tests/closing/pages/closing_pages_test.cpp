// The year-end pages through the real window: the checks of the closing page
// one screen at a time, "Slutför" and the lock with its title, a broken
// fiscal year, the withdrawal to book out, the opening balance with its cash
// placed on the cash page, and the read-only look of a locked year.
#include "booking/pages/booking_pages.h"
#include "closing/opening_balance.h"
#include "closing/pages/closing_pages.h"
#include "closing/year_end_checks.h"
#include "shell/page.h"
#include "store/integrity.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "store/years.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDir>

namespace {

using shell::PageId;

constexpr int cmdClose = 1033, cmdChoose = 1082, cmdComplete = 1083, cmdBookOut = 1084;
constexpr int cmdOpening = 1080, cmdOpeningSave = 1081;

class ClosingPagesTest : public uitest::ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        mv::setWriteHook({});
        mv::resetYearRecord();
        closingui::forgetYearEndRun();
        bookingui::pendingImport().reset();
        putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    }
    void TearDown() override {
        bookingui::pendingImport().reset();
        shell::state().cashStepWaiting = 0;
        ShellTest::TearDown();
    }

    // A year as the program creates it, with the default settings.
    void makeYear(const QString& year) {
        const mv::PathTable p = mv::buildPathTable(year);
        for (const QString& d : {p.bokforingDir, p.fskDir, p.foretagetDir, p.fritextDir,
                                 p.kunderDir, p.leverantorerDir, p.kontolistorDir, p.fakturorDir})
            ASSERT_TRUE(QDir().mkpath(d));
        ASSERT_EQ(mv::writeText(p.settings, mv::defaultSettingsText()), 0);
        ASSERT_EQ(mv::writeText(p.company, QStringLiteral("Firma AB\n") + QString(12, u'\n')), 0);
        for (int i = 1; i <= 6; ++i)
            ASSERT_EQ(
                mv::writeText(p.moneyAccountName(i), mv::defaultMoneyAccountNames()[i - 1] + u'\n'),
                0);
        QString list = QString::fromUtf8(bytesOf(mv::drive::createdYears));
        putBytes(mv::drive::createdYears, (list + year + "\r\n").toUtf8());
    }
    void put(const QString& path, const QString& text) {
        ASSERT_EQ(mv::writeText(path, text), 0) << path.toStdString();
    }
    void start(std::initializer_list<const char*> years) {
        for (const char* y : years)
            ASSERT_TRUE(stampYear(QString::fromUtf8(y)));
        startShell();
        uitest::clearBoxes();
    }
    QStringList boxTitles() const {
        QStringList t;
        for (const auto& b : uitest::boxes())
            t << b.title;
        return t;
    }
    static QString screenText() { return tk::text(closingui::closingControls().instructions); }
    static bool shown(int h) { return tk::isVisible(h) && tk::isEnabled(h); }

    const mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
    const mv::PathTable next = mv::buildPathTable(QStringLiteral("2015"));
};

TEST_F(ClosingPagesTest, TheChecksLeadToSlutforAndTheYearIsLocked) {
    makeYear("2014");
    makeYear("2015");
    put(paths.moneyAccountAmount(1), QStringLiteral("700.00\n"));
    put(paths.cash, QStringLiteral("700.00\n"));
    start({"2014", "2015"});

    uitest::answerNextBox(mv::answerNo); // no broken fiscal year
    uitest::answerNextBox(mv::answerNo); // no stock count
    uitest::sendCommand(cmdClose);
    ASSERT_GT(pageState(PageId::YearEndClosing), 0);
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_EQ(uitest::boxes()[0].title, "TYP AV BOKFÖRINGSÅR");
    EXPECT_EQ(uitest::boxes()[0].text, "Skall brutet bokföringsår tillämpas?");
    EXPECT_EQ(uitest::boxes()[0].buttons, "YES_no");
    EXPECT_EQ(uitest::boxes()[1].title, "INVENTERING");
    EXPECT_EQ(uitest::boxes()[1].text, "Vill du inventera?");
    EXPECT_EQ(screenText(), mv::readyText("2014", "2015"));
    const closingui::ClosingControls& c = closingui::closingControls();
    EXPECT_TRUE(shown(c.completeButton));
    EXPECT_FALSE(tk::isVisible(c.chooseButton));
    EXPECT_FALSE(tk::isVisible(c.bookOutButton));

    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(cmdComplete));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::yearCompletedMessage().text);
    EXPECT_EQ(windowTitle(), "MerValla för år  2014 ÅRET ÄR LÅST FÖR REDIGERING");
    EXPECT_TRUE(shell::state().isLocked());
    EXPECT_GT(pageState(PageId::Welcome), 0);
    EXPECT_EQ(bytesOf(next.cash), "700.00\r\n");
    EXPECT_EQ(bytesOf(paths.lockMark), "l\xe5st");

    // The locked year: the page only says so; nothing can be completed again.
    uitest::clearBoxes();
    uitest::sendCommand(cmdClose);
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_EQ(screenText(), mv::lockedText("2014"));
    EXPECT_FALSE(tk::isVisible(c.completeButton));
    uitest::sendCommand(cmdComplete);
    EXPECT_EQ(bytesOf(next.cash), "700.00\r\n");
    // The opening balance page shows, disabled.
    uitest::sendCommand(cmdOpening);
    ASSERT_GT(pageState(PageId::OpeningBalance), 0);
    for (int f : closingui::openingControls().rows)
        EXPECT_FALSE(tk::isEnabled(f));
    EXPECT_FALSE(tk::isEnabled(closingui::openingControls().saveButton));
}

TEST_F(ClosingPagesTest, TheNextYearMustBeCreatedFirst) {
    makeYear("2014");
    makeYear("2016"); // 2015 is missing
    start({"2014", "2016"});
    uitest::answerNextBox(mv::answerNo);
    uitest::sendCommand(cmdClose);
    EXPECT_EQ(boxTitles(), QStringList{"TYP AV BOKFÖRINGSÅR"});
    EXPECT_TRUE(screenText().startsWith("Nästkommande år är ej skapat!"));
    EXPECT_TRUE(screenText().contains("2. Skriv 2015 och klicka på 'Skapa'."));
    EXPECT_FALSE(tk::isVisible(closingui::closingControls().completeButton));
}

TEST_F(ClosingPagesTest, ABrokenYearChoosesTheFollowingYear) {
    makeYear("2014");
    makeYear("2016");
    start({"2014", "2016"});
    uitest::answerNextBox(mv::answerYes);
    uitest::sendCommand(cmdClose);
    EXPECT_EQ(screenText(), mv::chooseYearText());
    const closingui::ClosingControls& c = closingui::closingControls();
    ASSERT_TRUE(shown(c.chooseButton));
    EXPECT_EQ(tk::text(c.yearsView), "2014\n2016");

    // A year that does not exist is refused.
    uitest::clearBoxes();
    tk::setText(c.yearField, "2015");
    ASSERT_TRUE(uitest::pressCommand(cmdChoose));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_TRUE(uitest::boxes()[0].text.startsWith("Nästkommande år är ej skapat!"));

    uitest::clearBoxes();
    tk::setText(c.yearField, "2016");
    uitest::answerNextBox(mv::answerNo);
    ASSERT_TRUE(uitest::pressCommand(cmdChoose));
    EXPECT_EQ(boxTitles(), QStringList{"INVENTERING"});
    EXPECT_EQ(screenText(), mv::readyText("2014", "2016"));

    // Opened again, the broken year stands: only the stock question.
    uitest::clearBoxes();
    uitest::answerNextBox(mv::answerYes);
    uitest::sendCommand(cmdClose);
    EXPECT_EQ(boxTitles(), QStringList{"INVENTERING"});
    EXPECT_EQ(screenText(), mv::stockChosenText("2014"));
    EXPECT_FALSE(tk::isVisible(c.completeButton));
}

TEST_F(ClosingPagesTest, TheOwnTaxIsBookedOutFromThePage) {
    makeYear("2014");
    makeYear("2015");
    put(paths.account("Inkomst, Momsfritt"), QStringLiteral("10000.00\n"));
    start({"2014", "2015"});
    uitest::answerNextBox(mv::answerNo);
    uitest::answerNextBox(mv::answerNo);
    uitest::sendCommand(cmdClose);
    EXPECT_TRUE(screenText().startsWith("BOKA UT EGEN SKATT\n\nSkatt kvar att betala för året: "));
    ASSERT_TRUE(shown(closingui::closingControls().bookOutButton));
    EXPECT_FALSE(tk::isVisible(closingui::closingControls().completeButton));
    const QString amount = screenText().section('\n', 2, 2).section(' ', -1);

    ASSERT_TRUE(uitest::pressCommand(cmdBookOut));
    ASSERT_GT(pageState(PageId::Expense), 0);
    const bookingui::EntryControls& e = bookingui::entryControls(mv::Side::Expense);
    EXPECT_EQ(tk::item(e.type, 0), "Utgift, Uttag för egen skatt");
    EXPECT_EQ(tk::text(e.net), amount);
}

TEST_F(ClosingPagesTest, TheOpeningBalanceIsRegisteredWithItsCashPlaced) {
    makeYear("2014");
    start({"2014"});
    // "Spara" of a page not on show saves nothing.
    uitest::sendCommand(cmdOpeningSave);
    EXPECT_EQ(bytesOf(paths.closing("fga_ing_balans")), "");
    EXPECT_TRUE(uitest::boxes().empty());
    uitest::sendCommand(cmdOpening);
    ASSERT_GT(pageState(PageId::OpeningBalance), 0);
    const closingui::OpeningControls& o = closingui::openingControls();
    EXPECT_EQ(tk::focusedControl(), o.rows[0]);
    EXPECT_FALSE(tk::isEnabled(o.rows[mv::RowEquity]));
    EXPECT_EQ(tk::text(o.number), "1");
    for (const char* amount : {"50000", "20000", "10000", "5000", "8000", "30000"}) {
        uitest::typeText(QString::fromUtf8(amount));
        uitest::pressKey("Enter");
    }
    EXPECT_EQ(tk::text(o.rows[0]), "50000.00");
    EXPECT_EQ(tk::text(o.rows[mv::RowEquity]), "47000.00");
    EXPECT_EQ(tk::focusedControl(), o.rows[mv::RowVat]) << "row 7 is skipped";
    uitest::typeText("2000");
    uitest::pressKey("Enter");
    EXPECT_EQ(tk::text(o.rows[mv::RowEquity]), "45000.00");

    ASSERT_TRUE(uitest::pressCommand(cmdOpeningSave));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::openingSavedMessage(true).text);
    // The cash page places the amount; nothing is written before.
    ASSERT_GT(pageState(PageId::Transfer), 0);
    EXPECT_EQ(tk::text(bookingui::cashControls().difference), "50000.00");
    EXPECT_FALSE(tk::isEnabled(shell::barButton(1036)));
    EXPECT_EQ(bytesOf(paths.closing("fga_ing_balans")), "");
    ASSERT_TRUE(uitest::pressCommand(1049)); // the whole amount on account 1
    EXPECT_EQ(tk::text(bookingui::cashControls().difference), "0.00");
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(1031));
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_GT(pageState(PageId::Welcome), 0);
    EXPECT_TRUE(tk::isEnabled(shell::barButton(1036)));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), "50000.00\r\n");
    EXPECT_EQ(bytesOf(paths.cash), "50000.00\r\n");
    EXPECT_EQ(bytesOf(paths.verCounter), "1");
    EXPECT_EQ(QString::fromUtf8(bytesOf(paths.closing("fga_ing_balans"))).section("\r\n", 6, 9),
              "45000.00\r\n85000.00\r\n85000.00\r\n2000.00");

    // A second opening shows the stored values, disabled, and says so.
    uitest::clearBoxes();
    uitest::sendCommand(cmdOpening);
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text,
              mv::openingRefusal(mv::OpeningState::AlreadyRegistered).text);
    EXPECT_EQ(tk::text(o.rows[mv::RowEquity]), "45000.00");
    for (int f : o.rows)
        EXPECT_FALSE(tk::isEnabled(f));
    EXPECT_FALSE(tk::isEnabled(o.saveButton));
}

TEST_F(ClosingPagesTest, AnOpeningBalanceWithoutCashSavesAtOnce) {
    makeYear("2014");
    start({"2014"});
    uitest::sendCommand(cmdOpening);
    for (const char* amount : {"0", "20000"}) {
        uitest::typeText(QString::fromUtf8(amount));
        uitest::pressKey("Enter");
    }
    ASSERT_TRUE(uitest::pressCommand(cmdOpeningSave));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, "Import av föregående års balans sparades!\n\n");
    EXPECT_EQ(pageState(PageId::Transfer), 0);
    EXPECT_GT(pageState(PageId::Welcome), 0);
    EXPECT_EQ(bytesOf(paths.verCounter), "1");
    EXPECT_EQ(bytesOf(paths.cashBook), "");
    EXPECT_EQ(bytesOf(paths.closing("fga_inventarievarde")), "20000.00\r\n");
}

TEST_F(ClosingPagesTest, TheClosingListsShowTheirFiles) {
    makeYear("2014");
    put(paths.closing("LeverantorsskulderLista"),
        QStringLiteral("LEVERANTÖRSSKULDER (inkl. moms) 2014\n\nrad\n"));
    start({"2014"});
    uitest::sendCommand(1059);
    ASSERT_GT(pageState(PageId::YearEndPayables), 0);
    const int view = closingui::closingListView();
    EXPECT_TRUE(tk::isVisible(view));
    EXPECT_EQ(tk::text(view), "LEVERANTÖRSSKULDER (inkl. moms) 2014\n\nrad\n");
    EXPECT_EQ(tk::characterWeight(view, 17), 700);
    EXPECT_EQ(tk::characterWeight(view, 19), 400);
    EXPECT_TRUE(tk::isEnabled(shell::printButton()));
    uitest::sendCommand(1056);
    EXPECT_EQ(pageState(PageId::YearEndPayables), 0);
    ASSERT_GT(pageState(PageId::YearEndAssets), 0);
    EXPECT_EQ(tk::text(view), "");
}

} // namespace
