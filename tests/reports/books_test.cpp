#include "reports_fixture.h"

#include "reports/books.h"
#include "store/record_file.h"

namespace {

class BooksTest : public ReportsTest {
  protected:
    void SetUp() override {
        ReportsTest::SetUp();
        QDir().mkpath(paths.bokforingDir);
        QDir().mkpath(next.bokforingDir);
    }
    mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
    mv::PathTable next = mv::buildPathTable(QStringLiteral("2015"));
};

const QString kDayBookHead =
    "DAGBOK  2014\n" + QString(86, '_') +
    "\nDagboken listar alla transaktioner datummässigt under året.\n\n\n\n\n";
const QString kCashBookHead =
    "KASSABOK\n" + QString(91, '_') +
    "\n Ver   Datum      Transaktionstyp                                  Belopp         Kassa\n" +
    QString(91, '_') + "\n";

TEST_F(BooksTest, HeadsStartTheBooksWithoutAnEmptyLineAbove) {
    EXPECT_EQ(mv::ensureDayBookHead(paths), 0);
    EXPECT_EQ(textOf(paths.dayBook), kDayBookHead);
    EXPECT_EQ(mv::ensureCashBookHead(paths), 0);
    EXPECT_EQ(textOf(paths.cashBook), kCashBookHead);
    EXPECT_EQ(mv::ensureShortDayBookHead(next), 0);
    EXPECT_EQ(textOf(next.dayBook), "DAGBOK\n" + QString(86, '_') + "\n\n");
    // The column line is 87 characters, "Belopp" ending in column 73.
    const QString columns = textOf(paths.cashBook).split('\n')[2];
    EXPECT_EQ(columns.size(), 87);
    EXPECT_EQ(columns.indexOf("Belopp") + 6, 73);
}

TEST_F(BooksTest, ABookOfFewerThanFiveCharactersGetsItsHeadAgain) {
    put(paths.dayBook, "abc\n"); // 4 characters
    EXPECT_TRUE(mv::bookNeedsHead(paths.dayBook));
    EXPECT_EQ(mv::ensureDayBookHead(paths), 0);
    EXPECT_EQ(textOf(paths.dayBook), kDayBookHead);

    const QString kept = kCashBookHead + "    12  2014-01-02 Something\n";
    put(paths.cashBook, kept);
    EXPECT_FALSE(mv::bookNeedsHead(paths.cashBook));
    EXPECT_EQ(mv::ensureCashBookHead(paths), 0);
    EXPECT_EQ(textOf(paths.cashBook), kept);
    put(paths.cashBook, "abcd"); // 4 characters, no line end
    EXPECT_EQ(mv::ensureCashBookHead(paths), 0);
    EXPECT_EQ(textOf(paths.cashBook), kCashBookHead);
}

TEST_F(BooksTest, OpeningBalanceImportEntry) {
    mv::OpeningBalanceEntry e;
    e.number = 1;
    e.date = "2014-03-07";
    e.cash = mv::Amount::fromKronor(50000);
    e.equipment = mv::Amount::fromKronor(20000);
    e.stock = mv::Amount::fromKronor(10000);
    e.receivables = mv::Amount::fromKronor(5000);
    e.payables = mv::Amount::fromKronor(8000);
    e.loans = mv::Amount::fromKronor(30000);
    e.equity = mv::Amount::fromKronor(47000);
    e.vatDifference = mv::Amount::fromOre(-125050);
    EXPECT_EQ(mv::appendOpeningBalanceEntry(paths, e), 0);
    expectGolden(paths.dayBook, "reports_opening_import_daybook.kdb");
}

TEST_F(BooksTest, CompletedYearEntryInTheClosedYear) {
    EXPECT_EQ(mv::appendYearCompletedEntry(paths, 57, "2014-03-07"), 0);
    expectGolden(paths.dayBook, "reports_completed_daybook.kdb");
    expectGolden(paths.cashBook, "reports_completed_cashbook.kdb");

    // Appended after what the books already hold.
    const QString before = textOf(paths.dayBook);
    EXPECT_EQ(mv::appendYearCompletedEntry(paths, 58, "2014-03-08"), 0);
    const QString after = textOf(paths.dayBook);
    ASSERT_TRUE(after.startsWith(before));
    EXPECT_TRUE(after.mid(before.size())
                    .startsWith("Verifikat          = 58\n"
                                "Bokförings Datum   = 2014-03-08\n"));
}

mv::CarriedBalancesEntry carried() {
    mv::CarriedBalancesEntry e;
    e.number = 1;
    e.date = "2014-03-07";
    e.equipment = mv::Amount::fromKronor(8400);
    e.stockValue = mv::Amount();             // no stock: no lines
    e.loanOther = mv::Amount::fromOre(-500); // not above zero: no lines
    e.loanBank = mv::Amount::fromKronor(22000);
    e.loanOwner = mv::Amount();
    e.moneyAccountNames = {"Bank", "", "Kassa", "X", "Sparkonto", ""};
    e.moneyAccountBalances = {
        mv::Amount::fromKronor(12500), mv::Amount::fromKronor(99), mv::Amount(),
        mv::Amount::fromKronor(7),     mv::Amount::fromOre(-2000), mv::Amount()};
    e.carriedCash = mv::Amount::fromKronor(12480);
    e.newCashTotal = mv::Amount::fromKronor(12980);
    return e;
}

TEST_F(BooksTest, CarriedBalancesEntryInTheNextYear) {
    EXPECT_EQ(mv::appendCarriedBalancesEntry(next, carried()), 0);
    expectGolden(next.dayBook, "reports_carried_daybook.kdb");
    expectGolden(next.cashBook, "reports_carried_cashbook.kdb");
    const QString day = textOf(next.dayBook);
    EXPECT_FALSE(day.contains("Varuvärde"));
    EXPECT_FALSE(day.contains("Lån från annan"));
    EXPECT_FALSE(day.contains("Boka från fg.år X"));
}

TEST_F(BooksTest, CarriedBalancesFollowTheBooksTheNextYearAlreadyHas) {
    const QString existingDay = "DAGBOK  2015\n" + QString(86, '_') + "\nearlier block\n";
    const QString existingCash = kCashBookHead + "     1  2015-01-03 earlier line\n";
    put(next.dayBook, existingDay);
    put(next.cashBook, existingCash);
    EXPECT_EQ(mv::appendCarriedBalancesEntry(next, carried()), 0);
    const QString day = textOf(next.dayBook);
    const QString cash = textOf(next.cashBook);
    ASSERT_TRUE(day.startsWith(existingDay));
    ASSERT_TRUE(cash.startsWith(existingCash));
    EXPECT_TRUE(day.mid(existingDay.size()).startsWith("Verifikat          = 1\n"));
    EXPECT_EQ(cash.count('\n'), existingCash.count('\n') + 1);
}

TEST_F(BooksTest, AFailedWriteStopsTheEntryAndIsReported) {
    EXPECT_EQ(mv::ensureDayBookHead(paths), 0);
    EXPECT_EQ(mv::ensureCashBookHead(paths), 0);
    // The day book can be written, the cash book cannot.
    const QString cashPath = paths.cashBook;
    mv::setWriteHook([cashPath](const QString& p) { return p != cashPath; });
    const int rc = mv::appendYearCompletedEntry(paths, 9, "2014-03-07");
    mv::setWriteHook({});
    EXPECT_NE(rc, 0);
    EXPECT_EQ(textOf(paths.cashBook), kCashBookHead);

    // A missing year folder: nothing can be created, and it is said.
    const mv::PathTable missing = mv::buildPathTable(QStringLiteral("2020"));
    EXPECT_NE(mv::appendCarriedBalancesEntry(missing, carried()), 0);
    EXPECT_NE(mv::appendOpeningBalanceEntry(missing, {}), 0);
}

} // namespace
