#include "reports_fixture.h"

#include "reports/ledger.h"
#include "store/record_file.h"

namespace {

// A ledger line as the reader sees it: the amount ends in column 69.
QString row(const QString& label, const QString& amount) {
    return label + QString(69 - label.size() - amount.size(), ' ') + amount + "\n";
}

class LedgerTest : public ReportsTest {
  protected:
    void SetUp() override {
        ReportsTest::SetUp();
        QDir().mkpath(paths.bokforingDir);
    }
    QString compose() {
        EXPECT_EQ(mv::composeLedger(paths), 0);
        return textOf(paths.ledgerReport);
    }
    void account(const char* name, const char* amount) {
        put(paths.account(QString::fromUtf8(name)), QString::fromUtf8(amount) + "\n");
    }
    mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
};

TEST_F(LedgerTest, EmptyYearListsEveryFixedRowAtZeroAndAnEmptyVatSection) {
    compose();
    expectGolden(paths.ledgerReport, "reports_ledger_empty.kdb");
}

TEST_F(LedgerTest, OutputAndInputVatAtOneRateGiveTheVatToPay) {
    put(paths.outputVat(25), "2500.00\n");
    put(paths.inputVat(25), "1000.00\n");
    const QString text = compose();
    expectGolden(paths.ledgerReport, "reports_ledger_vat.kdb");
    EXPECT_TRUE(text.contains(row("  2640 B14 Moms på utgifter med 25%", "-1000.00")));
}

TEST_F(LedgerTest, YearWithBookingsOfEveryTypeListsTheirTotals) {
    paths = mv::buildPathTable(QStringLiteral("2015"));
    QDir().mkpath(paths.bokforingDir);
    const char* names[] = {"Bank", "Kassa", "Plusgiro"};
    const char* balances[] = {"10000.00", "250.50", "-100.00"};
    for (int i = 0; i < 3; ++i) {
        put(paths.moneyAccountName(i + 1), QString::fromUtf8(names[i]) + "\n");
        put(paths.moneyAccountAmount(i + 1), QString::fromUtf8(balances[i]) + "\n");
    }
    // The stored cash total differs from the sum of the six lines (10150.50):
    // the ledger shows the stored one.
    put(paths.cash, "10000.00\n");
    account("Inkomst, Arbete och Tjänst", "20000.00");
    account("Inkomst, Varor o material", "5000.50");
    account("Inkomst, Annat", "300.00");
    account("Inkomst, Omvänd moms", "1000.00");
    account("Inkomst, Momsfritt", "200.00");
    account("Inkomst, Räntor", "12.34");
    account("Inkomst, Inventarier", "800.00");
    account("Utgift, Varor o material", "3000.00");
    account("Utgift, Arbete och Tjänst", "1500.00");
    account("Utgift, Annat", "450.25");
    account("Utgift, Omvänd moms", "2000.00");
    account("Utgift, Momsfritt", "99.99");
    account("Utgift, Räntor (på lån, krediter mm)", "150.00");
    account("Utgift, Inventarier", "4000.00");
    account("Utgift, Inventarier (med avskr)", "12000.00");
    account("Utgift, Inventarier Utbokat", "2500.00");
    account("Utgift, Uttag för egen lön", "15000.00");
    account("Utgift, Uttag för egen skatt", "5000.00");
    account("Justering, Utbokning momsskuld", "700.00");
    account("Inlåning, Från bank", "20000.00");
    account("Inlåning, Från ägaren", "3000.00");
    account("Utgift, Betalning av Inlåning, Från bank", "2000.00");
    account("Utgift, Betalning av Inlåning, Från ägaren", "500.00");
    put(paths.rounding, "-0.37\n");
    put(paths.closing("fga_moms_skillnad"), "-300.00\n");
    put(paths.loanCarried("Inlåning, Från bank"), "5000.00\n");
    put(paths.loanCarried("Inlåning, Från annan"), "1000.00\n");
    put(paths.closing("inventering_varde"), "7000.00\n");
    put(paths.closing("Kundfordringar"), "1200.00\n");
    put(paths.closing("Leverantorsskulder"), "800.00\n");
    put(paths.outputVat(25), "5000.00\n");
    put(paths.outputVat(12), "600.06\n");
    put(paths.outputVat(6), "18.00\n");
    put(paths.reverseVat(25), "500.00\n");
    put(paths.inputVat(25), "1750.00\n");
    put(paths.inputVat(12), "0.00\n"); // negated zero must print 0.00
    put(paths.inputVat(6), "3.60\n");
    const QString text = compose();
    expectGolden(paths.ledgerReport, "reports_ledger_bookings.kdb");
    EXPECT_FALSE(text.contains("-0.00"));
}

TEST_F(LedgerTest, NegatedZeroRowsNeverShowMinusZero) {
    account("Utgift, Inventarier Utbokat", "0.00");
    put(paths.inputVat(25), "-0.00\n");
    const QString text = compose();
    EXPECT_FALSE(text.contains("-0.00"));
    EXPECT_TRUE(text.contains(row("  7700 R10 Utgift, Inventarier utbokat (kasserat)", "0.00")));
    EXPECT_TRUE(text.contains(row("  2640 B14 Moms på utgifter med 25%", "0.00")));
}

TEST_F(LedgerTest, VatRowsFollowWhatTheRateFilesHold) {
    put(paths.outputVat(1), "1.00\n");
    put(paths.outputVat(49), "49.00\n");
    put(paths.outputVat(50), "50.00\n"); // beyond the rates the ledger lists
    put(paths.reverseVat(7), "\n");      // a line end counts as two: listed, 0.00
    put(paths.reverseVat(8), "");        // empty: no line
    put(paths.inputVat(9), "9");         // one character: no line
    const QString text = compose();
    const qsizetype r1 = text.indexOf("  2610 B14 Moms på inkomster med 1%");
    const qsizetype r49 = text.indexOf("  2610 B14 Moms på inkomster med 49%");
    const qsizetype rev7 = text.indexOf("  2617 B14 Moms på utgifter med 7% omvänd moms");
    ASSERT_GE(r1, 0);
    ASSERT_GT(r49, r1);
    ASSERT_GT(rev7, r49);
    EXPECT_FALSE(text.contains("med 50%"));
    EXPECT_FALSE(text.contains("med 8% omvänd"));
    EXPECT_FALSE(text.contains("2640 B14 Moms på utgifter med 9%"));
    const QString sum = row(QString(50, ' ') + "SUMMA", "50.00");
    EXPECT_EQ(text.mid(text.indexOf(QString(50, ' ') + "SUMMA", rev7), sum.size()), sum);
}

TEST_F(LedgerTest, AccountTotalsAreReadFromTheirFirstTwentyCharacters) {
    // 18 blanks and "12345": the first 20 characters read as 12.
    put(paths.account("Inkomst, Annat"), QString(18, ' ') + "12345\n");
    put(paths.account("Inkomst, Räntor"), "12.50 kr and more\nsecond line\n");
    put(paths.account("Inkomst, Momsfritt"), "77.00"); // no line end: not seen
    EXPECT_EQ(mv::readLedgerAmount(paths.account("Inkomst, Annat")).toText(), "12.00");
    EXPECT_EQ(mv::readLedgerAmount(paths.account("Inkomst, Räntor")).toText(), "12.50");
    EXPECT_EQ(mv::readLedgerAmount(paths.account("Inkomst, Momsfritt")).toText(), "0.00");
    const QString text = compose();
    EXPECT_TRUE(text.contains(row("  3000 R1  Inkomst, Annat", "12.00")));
    // The section sum is the sum of the printed lines.
    EXPECT_TRUE(text.contains(row(QString(50, ' ') + "SUMMA", "24.50")));
}

TEST_F(LedgerTest, FailedWorkFileWriteIsReportedNotShownAsComplete) {
    // The ledger is composed in memory and written once: a failed write
    // leaves no work file at all, never a part of one.
    mv::setWriteHook([](const QString&) { return false; });
    const int rc = mv::composeLedger(paths);
    mv::setWriteHook({});
    EXPECT_NE(rc, 0);
    EXPECT_FALSE(QFileInfo::exists(paths.ledgerReport));
    const int again = mv::composeLedger(paths);
    EXPECT_EQ(again, 0);
    EXPECT_TRUE(QFileInfo::exists(paths.ledgerReport));
}

} // namespace
