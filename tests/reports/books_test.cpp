#include "reports_fixture.h"

#include "reports/books.h"
#include "store/change_set.h"
#include "store/record_file.h"

namespace {

class BooksTest : public ReportsTest {
  protected:
    void SetUp() override {
        ReportsTest::SetUp();
        QDir().mkpath(paths.bokforingDir);
        QDir().mkpath(next.bokforingDir);
    }
    // What the file will hold once the set is written, as stored bytes.
    void expectGoldenAfter(mv::ChangeSet& set, const QString& path, const char* goldenName) {
        const QString written = set.text(path);
        const QByteArray expected = golden(QString::fromUtf8(goldenName));
        EXPECT_EQ(written.toStdString(), mv::decodeStored(expected).toStdString())
            << path.toStdString() << " against " << goldenName;
        EXPECT_EQ(mv::encodeStored(written), expected) << "bytes differ from " << goldenName;
    }
    mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
    mv::PathTable next = mv::buildPathTable(QStringLiteral("2015"));
};

const QString kCashBookHead =
    "KASSABOK\n" + QString(91, '_') +
    "\n Ver   Datum      Transaktionstyp                                  Belopp         Kassa\n" +
    QString(91, '_') + "\n";

TEST_F(BooksTest, TheShortDayBookHead) {
    EXPECT_EQ(mv::shortDayBookHead(), "DAGBOK\n" + QString(86, '_') + "\n\n");
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
    mv::ChangeSet set(mv::Operation::OpeningBalance);
    mv::addOpeningBalanceEntry(paths, e, set);
    expectGoldenAfter(set, paths.dayBook, "reports_opening_import_daybook.kdb");
}

TEST_F(BooksTest, CompletedYearEntryInTheClosedYear) {
    mv::ChangeSet set(mv::Operation::OpeningBalance);
    mv::addYearCompletedEntry(paths, 57, "2014-03-07", set);
    expectGoldenAfter(set, paths.dayBook, "reports_completed_daybook.kdb");
    expectGoldenAfter(set, paths.cashBook, "reports_completed_cashbook.kdb");

    // Appended after what the books already hold, without reading them.
    const QString before = "DAGBOK  2014\n" + QString(86, '_') + "\nearlier block\n";
    put(paths.dayBook, before);
    mv::ChangeSet again(mv::Operation::OpeningBalance);
    mv::addYearCompletedEntry(paths, 58, "2014-03-08", again);
    const std::vector<mv::ChangeSet::Entry> changes = again.changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].kind, mv::ChangeSet::Entry::Append);
    EXPECT_TRUE(changes[0].appended.startsWith("Verifikat          = 58\n"
                                               "Bokförings Datum   = 2014-03-08\n"));
    EXPECT_EQ(again.text(paths.dayBook), before + changes[0].appended);
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
    mv::ChangeSet set(mv::Operation::YearCompletion);
    mv::addCarriedBalancesEntry(next, carried(), set);
    expectGoldenAfter(set, next.dayBook, "reports_carried_daybook.kdb");
    expectGoldenAfter(set, next.cashBook, "reports_carried_cashbook.kdb");
    const QString day = mv::carriedBalancesDayBookText(carried());
    EXPECT_FALSE(day.contains("Varuvärde"));
    EXPECT_FALSE(day.contains("Lån från annan"));
    EXPECT_FALSE(day.contains("Boka från fg.år X"));
}

TEST_F(BooksTest, CarriedBalancesFollowTheBooksTheNextYearAlreadyHas) {
    const QString existingDay = "DAGBOK  2015\n" + QString(86, '_') + "\nearlier block\n";
    const QString existingCash = kCashBookHead + "     1  2015-01-03 earlier line\n";
    put(next.dayBook, existingDay);
    put(next.cashBook, existingCash);
    mv::ChangeSet set(mv::Operation::YearCompletion);
    mv::addCarriedBalancesEntry(next, carried(), set);
    const QString day = set.text(next.dayBook);
    const QString cash = set.text(next.cashBook);
    ASSERT_TRUE(day.startsWith(existingDay));
    ASSERT_TRUE(cash.startsWith(existingCash));
    EXPECT_TRUE(day.mid(existingDay.size()).startsWith("Verifikat          = 1\n"));
    EXPECT_EQ(cash.count('\n'), existingCash.count('\n') + 1);
}

TEST_F(BooksTest, ABookOfFewerThanFiveCharactersGetsItsHeadAgain) {
    put(paths.dayBook, "abc\n"); // 4 characters
    put(paths.cashBook, "abcd"); // 4 characters, no line end
    mv::ChangeSet set(mv::Operation::YearCompletion);
    mv::addYearCompletedEntry(paths, 9, "2014-03-07", set);
    EXPECT_TRUE(set.text(paths.dayBook).startsWith("DAGBOK  2014\n" + QString(86, '_') + "\n"));
    EXPECT_TRUE(set.text(paths.cashBook).startsWith(kCashBookHead + "     9 2014-03-07  "));
    // A day book of five characters is kept.
    put(next.dayBook, "abcd\n");
    mv::ChangeSet kept(mv::Operation::YearCompletion);
    mv::addCarriedBalancesEntry(next, carried(), kept);
    EXPECT_TRUE(kept.text(next.dayBook).startsWith("abcd\nVerifikat          = 1\n"));
}

} // namespace
