// The closing figures from their rules, and the lines of the closing basis,
// VAT report and result report that show them.
#include "reports_fixture.h"

#include "reports/balance_report.h"
#include "reports/closing_basis.h"
#include "reports/closing_figures.h"
#include "reports/ledger.h"
#include "reports/vat_report.h"
#include "store/text_util.h"

namespace {

using mv::Amount;

Amount kr(const char* text) {
    return Amount::parseLenient(QString::fromUtf8(text));
}

// label + blanks + value, the value ending in column width - 1 of the piece.
QString piece(const QString& label, const QString& value, int width) {
    QString line;
    mv::padAppend(line, label, value, width);
    return line;
}

// A line as the closing basis writes it: label, amount ending in column 53.
QString cb(const char* label, const char* amount, int width = 54) {
    QString line;
    mv::padAppend(line, QString::fromUtf8(label), QString::fromUtf8(amount), width);
    return line + "\n";
}

class ClosingFiguresTest : public ::testing::Test {
  protected:
    mv::ClosingBooks books;
    void SetUp() override {
        books.year = "2014";
        books.stockWriteDownHundredths = 300;
        books.depreciationHundredths = 3000;
    }
    mv::ClosingFigures f() const { return mv::computeClosingFigures(books); }
    QString document() const { return mv::closingBasisText(f()); }
};

TEST_F(ClosingFiguresTest, StockCountedTenThousandAtThreePercent) {
    books.stockCounted = kr("10000");
    const mv::ClosingFigures c = f();
    EXPECT_EQ(c.stockWriteDown.toText(), "300.00");
    EXPECT_EQ(c.stock.toText(), "9700.00");
    const QString text = document();
    EXPECT_TRUE(text.contains(cb("Summa inventerat", "10000.00")));
    EXPECT_TRUE(text.contains(cb("Schablonavskrivning 3%", "-300.00")));
    EXPECT_TRUE(text.contains(cb("Summa varulagervärde", "9700.00")));
    EXPECT_FALSE(text.contains("10000.00.00"));
}

TEST_F(ClosingFiguresTest, FixedAssetsCarriedAndBoughtAtThirtyPercent) {
    books.assetsCarried = kr("20000");
    books.assetsBought = kr("10000");
    const mv::ClosingFigures c = f();
    EXPECT_EQ(c.assetsRemaining.toText(), "30000.00");
    EXPECT_EQ(c.depreciation.toText(), "9000.00");
    EXPECT_EQ(c.fixedAssets.toText(), "21000.00");
    const QString text = document();
    EXPECT_TRUE(text.contains(cb("Kvarvarande inventarier                 =", "30000.00")));
    EXPECT_TRUE(text.contains(cb("Avskrivning under året (30%)", "-9000.00")));
    EXPECT_TRUE(text.contains(cb("Invent.värde eft.nedskr.försälj.o avskr.=", "21000.00")));
}

TEST_F(ClosingFiguresTest, SaleLargerThanTheValueLeavesNothingToDepreciate) {
    books.assetsCarried = kr("5000");
    books.assetsSold = kr("8000");
    const mv::ClosingFigures c = f();
    EXPECT_EQ(c.assetsRemaining.toText(), "0.00");
    EXPECT_EQ(c.depreciation.toText(), "0.00");
    const QString text = document();
    EXPECT_TRUE(text.contains(cb("Kvarvarande inventarier                 =", "0.00")));
    EXPECT_TRUE(text.contains(cb("Avskrivning under året (30%)", "0.00")));
    EXPECT_FALSE(text.contains("-0.00"));
}

TEST_F(ClosingFiguresTest, DerivedFiguresAreRoundedOnceAndAddUp) {
    // 1000.05 at 30 %: 300.015 rounds to 300.02, leaving 700.03.
    books.assetsCarried = kr("1000.05");
    EXPECT_EQ(f().depreciation.toText(), "300.02");
    EXPECT_EQ(f().fixedAssets.toText(), "700.03");
    // 333.33 at 3 %: 9.9999 rounds to 10.00, leaving 323.33.
    books.stockCounted = kr("333.33");
    EXPECT_EQ(f().stockWriteDown.toText(), "10.00");
    EXPECT_EQ(f().stock.toText(), "323.33");
    // Half an öre rounds away from zero, on both sides of it.
    books.depreciationHundredths = 5000;
    books.assetsCarried = kr("0.05");
    EXPECT_EQ(f().depreciation.toText(), "0.03");
    books.stockWriteDownHundredths = 1250; // 12.5 %
    books.stockCounted = kr("0.20");
    EXPECT_EQ(f().stockWriteDown.toText(), "0.03");
    EXPECT_TRUE(document().contains(cb("Schablonavskrivning 12.5%", "-0.03")));
}

TEST_F(ClosingFiguresTest, VatBasesAndTheBoxesOfTheReturn) {
    books.outputVat = {{12, kr("120")}, {25, kr("250")}};
    books.reverseVat = {{25, kr("500")}};
    books.inputVat = {{12, kr("60")}, {25, kr("100")}};
    books.costReverse = kr("2000");
    const mv::ClosingFigures c = f();
    EXPECT_EQ(c.outputBases.at(1).amount.toText(), "1000.00");
    // Box 05 is the sum of the sales bases; the reverse-charge purchases go
    // to box 24 and do not reduce it.
    EXPECT_EQ(c.outputBaseTotal.toText(), "2000.00");
    const QString report = mv::vatReportText(c);
    QString base;
    mv::padAppend(base, "  Moms med 25%", "1000.00", 55);
    EXPECT_TRUE(report.contains(base + "\n"));
    QString box05, box24;
    mv::padAppend(box05, "  Summa inkomst för beräkning av moms", "2000.00", 55);
    mv::padAppend(box24, "  Omvänd utgift för beräkning av moms", "2000.00", 55);
    EXPECT_TRUE(report.contains(box05 + " *Ruta 05*\n" + box24 + " *Ruta 24*\n"));
    // 12 % before 25 % in every section.
    for (const QString& text : {report, mv::closingBasisText(c)}) {
        qsizetype at = 0;
        int pairs = 0;
        while ((at = text.indexOf("Moms med 12%", at)) >= 0) {
            const qsizetype next25 = text.indexOf("Moms med 25%", at);
            ASSERT_GT(next25, at);
            at = next25;
            ++pairs;
        }
        EXPECT_GE(pairs, 4);
    }
    EXPECT_EQ(c.vatDifference.toText(), "710.00"); // 120 + 250 + 500 - 60 - 100
}

TEST_F(ClosingFiguresTest, VatDebtIsADebtAndEquityIsComputedWithoutIt) {
    books.cash = kr("10000");
    books.outputVat = {{25, kr("2500")}};
    books.inputVat = {{25, kr("1000")}};
    books.vatCarried = kr("300"); // a carried debt not yet booked out
    mv::ClosingFigures c = f();
    EXPECT_EQ(c.vatBalance.toText(), "1800.00");
    EXPECT_EQ(c.vatDebt().toText(), "1800.00");
    EXPECT_EQ(c.totalAssets.toText(), "10000.00");
    EXPECT_EQ(c.equity.toText(), "8200.00");
    EXPECT_EQ(c.totalLiabilities, c.totalAssets);
    QString text = document();
    EXPECT_TRUE(text.contains("  " +
                              cb("Summa momsskuld (minus är momsfordran)", "1800.00").chopped(1) +
                              " *Till B14*\n"));
    EXPECT_FALSE(text.contains("*Till B8*"));

    // A VAT asset is an asset (other receivables), in the total assets.
    books.vatCarried = kr("-2000");
    c = f();
    EXPECT_EQ(c.vatAsset().toText(), "500.00");
    EXPECT_EQ(c.totalAssets.toText(), "10500.00");
    EXPECT_EQ(c.equity.toText(), "10500.00");
    text = document();
    EXPECT_TRUE(text.contains("  " + cb(" Momsfordran (övriga fordringar)", "500.00").chopped(1) +
                              " *Till B8*\n"));
    EXPECT_FALSE(text.contains("*Till B14*"));
    EXPECT_TRUE(mv::closingBalanceText(c).endsWith("\n10500.00\n10500.00\n-500.00\n"));
}

TEST_F(ClosingFiguresTest, ScrappedFixedAssetsAreACostOfTheYear) {
    books.assetsCarried = kr("10000");
    books.assetsWrittenOff = kr("2000");
    books.incomeWork = kr("50000");
    const mv::ClosingFigures c = f();
    EXPECT_EQ(c.depreciation.toText(), "2400.00"); // 30 % of 8000
    EXPECT_EQ(c.depreciationAndWriteOff.toText(), "-4400.00");
    EXPECT_EQ(c.result.toText(), "45600.00");
    const QString result = mv::resultReportText(c);
    const QString row =
        piece(" Nedskrivning Inventarier (kasserat)", "-2000.00", 60) + piece("", "-2000.00", 27);
    EXPECT_TRUE(result.contains(row + "\n"));
    QString total;
    mv::padAppend(total, QString::fromUtf8("ÅRETS RESULTAT"), "45600.00", 86);
    EXPECT_TRUE(result.endsWith(total + "\n"));
    EXPECT_TRUE(document().contains(
        "  " + cb("Avskrivningar och nedskrivningar", "-4400.00").chopped(1) + " *Till R10*\n"));
}

TEST_F(ClosingFiguresTest, CarriedVatReducesTheSumsOnALineOfItsOwn) {
    books.outputVat = {{25, kr("2500")}};
    books.inputVat = {{25, kr("1000")}};
    books.receivablesPreviousVat = kr("400");
    books.payablesPreviousVat = kr("150");
    const mv::ClosingFigures c = f();
    EXPECT_EQ(c.outputVatSum.toText(), "2100.00");
    EXPECT_EQ(c.inputVatSum.toText(), "850.00");
    EXPECT_EQ(c.vatDifference.toText(), "1250.00");
    // The per-rate lines and the bases stay as booked.
    EXPECT_EQ(c.outputBaseTotal.toText(), "10000.00");
    const QString text = document();
    EXPECT_TRUE(text.contains(cb(" Moms fg.års kundfordringar, redov. fg.år", "-400.00")));
    EXPECT_TRUE(text.contains(cb(" Moms fg.års lev.skulder, redov. fg.år", "-150.00")));
    EXPECT_TRUE(text.contains(cb("Momsskillnad", "1250.00")));
    const QString report = mv::vatReportText(c);
    QString out, in;
    mv::padAppend(out, "  Moms fg.års kundfordringar, redov. fg.år", "-400.00", 56);
    mv::padAppend(in, "  Moms fg.års lev.skulder, redov. fg.år", "-150.00", 56);
    EXPECT_TRUE(report.contains(out + "\n"));
    EXPECT_TRUE(report.contains(in + "\n"));

    // Without carried VAT there is no such line anywhere.
    books.receivablesPreviousVat = Amount();
    books.payablesPreviousVat = Amount();
    EXPECT_FALSE(document().contains("fg.års kundfordringar"));
    EXPECT_FALSE(mv::vatReportText(f()).contains("fg.års lev.skulder"));
}

TEST_F(ClosingFiguresTest, LockedYearHeadingsNameTheLastVerification) {
    books.locked = true;
    books.verificationNumber = "57";
    books.verificationDate = "2015-01-10";
    const QString text = document();
    EXPECT_TRUE(text.startsWith("BOKSLUTSUNDERLAG  2014\n\n\nVerifikat 57  2015-01-10\n\n\n"));
    EXPECT_TRUE(text.contains(QString("KASSA OCH BANK").leftJustified(47) +
                              "Ver 57.01  2015-01-10\n" + QString(68, '-') + "\n"));
    EXPECT_TRUE(text.contains(QString::fromUtf8("ÅRETS RESULTAT").leftJustified(47) +
                              "Ver 57.17  2015-01-10\n"));
    books.locked = false;
    EXPECT_TRUE(document().startsWith("BOKSLUTSUNDERLAG  2014\n\n\n\n\nBokslutsunderlaget"));
    EXPECT_TRUE(document().contains(QString("KASSA OCH BANK").leftJustified(47) + "\n"));
}

TEST_F(ClosingFiguresTest, PercentagesPrintAsTheSettingsHoldThem) {
    EXPECT_EQ(mv::percentText(300), "3");
    EXPECT_EQ(mv::percentText(2897), "28.97");
    EXPECT_EQ(mv::percentText(250), "2.5");
    EXPECT_EQ(mv::percentText(0), "0");
}

class ClosingFilesTest : public ReportsTest {
  protected:
    void SetUp() override {
        ReportsTest::SetUp();
        QDir().mkpath(paths.bokforingDir);
    }
    mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
};

TEST_F(ClosingFilesTest, StoredValuesAreReadAsAmounts) {
    mv::Settings s;
    s.fields[3] = "3";
    s.fields[4] = "30";
    put(paths.closing("inventering_varde"), "10000.00\n"); // as an import stores it
    put(paths.moneyAccountName(1), "Bank\n");
    put(paths.moneyAccountName(2), "K\n"); // one character: not an account
    put(paths.moneyAccountAmount(1), "");  // emptied: 0.00
    put(paths.closing("Kundfordringar"), "");
    put(paths.outputVat(25), "250.00\n");
    put(paths.outputVat(50), "50.00\n"); // beyond the rates
    put(paths.inputVat(6), "\n");        // a line end: the rate takes part, 0.00
    const mv::ClosingFigures c = mv::closingFigures(paths, s);
    ASSERT_EQ(c.books.moneyAccounts.size(), 1u);
    EXPECT_EQ(c.books.moneyAccounts[0].name, "Bank");
    EXPECT_EQ(c.books.moneyAccounts[0].amount.toText(), "0.00");
    EXPECT_EQ(c.stock.toText(), "9700.00");
    ASSERT_EQ(c.books.outputVat.size(), 1u);
    EXPECT_EQ(c.books.outputVat[0].rate, 25);
    ASSERT_EQ(c.books.inputVat.size(), 1u);
    EXPECT_EQ(c.books.inputVat[0].rate, 6);
    const QString text = mv::closingBasisText(c);
    EXPECT_TRUE(text.contains(cb(" Bank", "0.00")));
    EXPECT_TRUE(text.contains(cb(" Summa Kundfordringar netto", "0.00") + "\n"));
    EXPECT_FALSE(text.contains(".00.00"));
    EXPECT_FALSE(text.contains("med 50%"));
    // A deleted count reads as nothing counted, printed with two decimals.
    put(paths.closing("inventering_varde"), "");
    EXPECT_TRUE(mv::closingBasisText(mv::closingFigures(paths, s))
                    .contains(cb("Summa inventerat", "0.00")));
}

TEST_F(ClosingFilesTest, BalanceFilesOfNineLinesOweNoVat) {
    put(paths.closing("utg_balans"), "1.00\n2.00\n3.00\n4.00\n5.00\n6.00\n7.00\n8.00\n9.00\n");
    const auto nine = mv::readBalanceLines(paths.closing("utg_balans"));
    EXPECT_EQ(nine[8], "9.00");
    EXPECT_EQ(nine[9], "");
    EXPECT_EQ(mv::balanceAmount(nine, 9).toText(), "0.00");
    put(paths.closing("utg_balans"), "1\n2\n3\n4\n5\n6\n7\n8\n9\n-250.50\n");
    EXPECT_EQ(mv::balanceAmount(mv::readBalanceLines(paths.closing("utg_balans")), 9).toText(),
              "-250.50");
    // Missing: every line empty.
    for (const QString& line : mv::readBalanceLines(paths.closing("fga_ing_balans")))
        EXPECT_TRUE(line.isEmpty());
}

TEST_F(ClosingFilesTest, BalanceReportShowsTheOpeningFileBesideTheClosingFigures) {
    mv::ClosingBooks b;
    b.year = "2014";
    b.cash = kr("1500");
    b.vatCarried = kr("-200");
    const mv::ClosingFigures c = mv::computeClosingFigures(b);
    put(paths.closing("fga_ing_balans"), "1000.00\n\n\n\n\n\n1000.00\n1000.00\n1000.00\n-200.00\n");
    const QString text =
        mv::balanceReportText(c, mv::readBalanceLines(paths.closing("fga_ing_balans")));
    const QString cash = piece("Kassa, Bank mm (Företagets kontanta medel)", "1000.00", 68) +
                         piece("", "1500.00", 19);
    const QString vatAsset =
        piece("Momsfordran (övriga fordringar)", "200.00", 68) + piece("", "200.00", 19);
    const QString vatDebt = piece("Momsskuld (skatteskulder)", "0.00", 68) + piece("", "0.00", 19);
    const QString empty = piece("Varulager", "", 68) + piece("", "0.00", 19);
    EXPECT_TRUE(text.contains(cash + "\n\n\n"));
    EXPECT_TRUE(text.contains(vatAsset + "\n"));
    EXPECT_TRUE(text.contains(vatDebt + "\n"));
    EXPECT_TRUE(text.contains(empty + "\n")); // an empty opening line stays empty
    EXPECT_EQ(empty.size(), 85);
}

} // namespace
