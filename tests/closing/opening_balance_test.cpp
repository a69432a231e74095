// The opening balance: the equity as the balancing item with the VAT among
// the debts or assets, the carried files it writes, the cash placed on the
// money accounts in the same change, the number it uses, the refusals, and a
// crash at any write.
#include "completion_fixture.h"

#include "closing/opening_balance.h"
#include "reports/balance_report.h"
#include "reports/report_file.h"

namespace {

using mv::Amount;

class OpeningBalanceTest : public CompletionTest {
  protected:
    static std::array<QString, mv::openingRowCount> typed(const char* vat = "0") {
        return {"50000", "20000", "10000", "5000", "8000", "30000", "", QString::fromUtf8(vat)};
    }
    static mv::OpeningBalance balance(const char* vat = "0") {
        mv::Message refusal;
        const auto b = mv::readOpeningRows(typed(vat), refusal);
        EXPECT_TRUE(b.has_value()) << refusal.text.toStdString();
        return b.value_or(mv::OpeningBalance());
    }
    // The cash spread: 30000 on the cash box, 20000 on "Banken 1".
    static mv::TransferForm placing(const char* first = "30000", const char* fourth = "20000") {
        mv::TransferForm f;
        for (int i = 0; i < 6; ++i) {
            f.names[size_t(i)] = mv::defaultMoneyAccountNames()[i];
            f.balances[size_t(i)] = QStringLiteral("0");
        }
        f.balances[0] = QString::fromUtf8(first);
        f.balances[3] = QString::fromUtf8(fourth);
        return f;
    }
};

TEST_F(OpeningBalanceTest, EquityIsTheBalancingItem) {
    const mv::OpeningBalance b = balance();
    EXPECT_EQ(b.equity(), Amount::fromKronor(47000));
    EXPECT_EQ(b.totalAssets(), Amount::fromKronor(85000));
    EXPECT_EQ(b.totalLiabilities(), Amount::fromKronor(85000));
    EXPECT_EQ(mv::openingBalanceFileText(b),
              "50000.00\n20000.00\n10000.00\n5000.00\n8000.00\n30000.00\n47000.00\n85000.00\n"
              "85000.00\n0.00\n");
    // A VAT debt is a debt, not equity.
    const mv::OpeningBalance debt = balance("2000");
    EXPECT_EQ(debt.equity(), Amount::fromKronor(45000));
    EXPECT_EQ(mv::openingBalanceFileText(debt),
              "50000.00\n20000.00\n10000.00\n5000.00\n8000.00\n30000.00\n45000.00\n85000.00\n"
              "85000.00\n2000.00\n");
    // A VAT asset is an asset.
    const mv::OpeningBalance asset = balance("-1000.50");
    EXPECT_EQ(asset.equity(), Amount::fromOre(4800050));
    EXPECT_EQ(asset.totalAssets(), Amount::fromOre(8600050));
    EXPECT_EQ(asset.totalLiabilities(), asset.totalAssets());
}

TEST_F(OpeningBalanceTest, ARegistrationWithCashIsOneChangeWithItsPlacing) {
    const mv::OpeningBalance b = balance("2000");
    ASSERT_TRUE(mv::needsCashStep(b));
    const mv::TransferForm p = placing();
    const mv::CommitOutcome out = mv::commitOpeningBalance(paths, b, &p);
    ASSERT_TRUE(out.ok) << out.message.text.toStdString();
    EXPECT_EQ(out.number, 1);

    EXPECT_EQ(file(paths.closing("fga_ing_balans")), mv::openingBalanceFileText(b));
    EXPECT_EQ(file(paths.closing("fga_inventarievarde")), "20000.00\n");
    // The opening stock is the previous year's stock and presets this year's count.
    EXPECT_EQ(file(paths.closing("fga_inventering_varde")), "10000.00\n");
    EXPECT_EQ(file(paths.closing("inventering_varde")), "10000.00\n");
    EXPECT_EQ(file(paths.closing("fga_Kundfordringar")), "5000.00\n");
    EXPECT_EQ(file(paths.closing("fga_Leverantorsskulder")), "8000.00\n");
    EXPECT_EQ(file(paths.loanCarried("Inlåning, Från annan")), "30000.00\n");
    EXPECT_EQ(file(paths.closing("fga_moms_skillnad")), "2000.00\n");
    EXPECT_EQ(file(paths.cash), "50000.00\n");
    EXPECT_EQ(file(paths.moneyAccountAmount(1)), "30000.00\n");
    EXPECT_EQ(file(paths.moneyAccountAmount(4)), "20000.00\n");
    EXPECT_EQ(file(paths.verCounter), "1");
    expectGoldenText(file(paths.dayBook), "closing_opening_daybook.kdb");
    expectGoldenText(file(paths.cashBook), "closing_opening_cashbook.kdb");
    EXPECT_EQ(booksInconsistency(), QString());
    EXPECT_EQ(integritySum(), 0);

    // The page shows the stored values again.
    const auto shown = mv::storedOpeningRows(paths);
    EXPECT_EQ(shown[mv::RowCash], "50000.00");
    EXPECT_EQ(shown[mv::RowEquity], "45000.00");
    EXPECT_EQ(shown[mv::RowVat], "2000.00");

    // The balance report's opening column: the VAT debt and the equity.
    const QString report =
        mv::balanceReportText(figures(), mv::readBalanceLines(paths.closing("fga_ing_balans")));
    EXPECT_TRUE(
        report.contains(mv::reporting::alignedPiece("Momsskuld (skatteskulder)", "2000.00", 68)));
    EXPECT_TRUE(report.contains(mv::reporting::alignedPiece(
        "Företagets eget kapital (Minus är underskott)", "45000.00", 68)));
    // The stock never counted this year costs only its write-down, not the
    // whole opening stock.
    const mv::ClosingFigures f = figures();
    EXPECT_EQ(f.books.stockPrevious, Amount::fromKronor(10000));
    EXPECT_EQ(f.stock, Amount::fromKronor(9700));
    EXPECT_EQ(f.vatBalance, Amount::fromKronor(2000));
}

TEST_F(OpeningBalanceTest, ThePlacingMustAddUpToTheNewCashTotal) {
    const auto before = snapshot();
    const mv::TransferForm p = placing("30000", "10000");
    const mv::CommitOutcome out = mv::commitOpeningBalance(paths, balance(), &p);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, mv::msg::unbalanced());
    EXPECT_FALSE(mv::commitOpeningBalance(paths, balance(), nullptr).ok);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(OpeningBalanceTest, WithoutCashItSavesAtOnceAndStoresItsNumber) {
    std::array<QString, mv::openingRowCount> rows = typed();
    rows[mv::RowCash] = "0.00";
    mv::Message refusal;
    const auto b = mv::readOpeningRows(rows, refusal);
    ASSERT_TRUE(b);
    EXPECT_FALSE(mv::needsCashStep(*b));
    const mv::CommitOutcome out = mv::commitOpeningBalance(paths, *b, nullptr);
    ASSERT_TRUE(out.ok) << out.message.text.toStdString();
    EXPECT_EQ(file(paths.verCounter), "1");
    EXPECT_EQ(file(paths.cashBook), "");
    EXPECT_EQ(file(paths.cash), "0.00\n");
    EXPECT_TRUE(file(paths.dayBook).contains("Verifikat          = 1\n"));
    // The next verification gets the next number.
    EXPECT_EQ(book(form(mv::Side::Income, "Inkomst, Momsfritt", "100")), 2);
    EXPECT_EQ(booksInconsistency(), QString());
}

TEST_F(OpeningBalanceTest, ASecondOpeningIsRefused) {
    const mv::TransferForm p = placing();
    ASSERT_TRUE(mv::commitOpeningBalance(paths, balance(), &p).ok);
    EXPECT_EQ(mv::openingState(paths), mv::OpeningState::AlreadyRegistered);
    const mv::Message refusal = mv::openingRefusal(mv::OpeningState::AlreadyRegistered);
    EXPECT_EQ(refusal.title, "MEDDELANDE");
    EXPECT_EQ(refusal.icon, "INFORMATION");
    EXPECT_EQ(
        refusal.text,
        "Import av ingående balans är redan verkställd!\n\nOm Importen registrerats fel måste "
        "bokföringen raderas. Därefter börjar man från början.\n\nFörfarandet är till för "
        "att hindra olovlig förändring av balanskontot.\n\n");
    const auto before = snapshot();
    const mv::CommitOutcome again = mv::commitOpeningBalance(paths, balance(), &p);
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(again.message, refusal);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(OpeningBalanceTest, AYearAfterAKeptYearOrALockedYearTakesNone) {
    const mv::PathTable previous = mv::buildPathTable("2013");
    ASSERT_TRUE(QDir().mkpath(previous.bokforingDir));
    put(previous.closing("utg_balans"), QStringLiteral("100.00\n"));
    EXPECT_EQ(mv::openingState(paths), mv::OpeningState::PreviousYearKept);
    EXPECT_EQ(mv::openingRefusal(mv::OpeningState::PreviousYearKept).text,
              "Registrering av ingående balans kan inte göras då transaktioner förekommit under "
              "föregående år!\n\n");
    const mv::TransferForm p = placing();
    EXPECT_FALSE(mv::commitOpeningBalance(paths, balance(), &p).ok);
    // The year after a completed one: its opening balance is the carried one.
    EXPECT_EQ(mv::openingState(next), mv::OpeningState::Open);
    put(paths.lockMark, QStringLiteral("låst"));
    EXPECT_EQ(mv::openingState(paths), mv::OpeningState::Locked);
    EXPECT_TRUE(mv::openingRefusal(mv::OpeningState::Locked).text.isEmpty());
}

TEST_F(OpeningBalanceTest, TypedRowsArePlainNumbersAndACountMadeStays) {
    std::array<QString, mv::openingRowCount> rows = typed();
    rows[mv::RowStock] = "10 000";
    mv::Message refusal;
    EXPECT_FALSE(mv::readOpeningRows(rows, refusal));
    EXPECT_EQ(refusal, mv::msg::badAmount());
    rows[mv::RowStock] = "10000,5";
    rows[mv::RowEquity] = "not read";
    const auto b = mv::readOpeningRows(rows, refusal);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->stock, Amount::fromOre(1000050));

    put(paths.closing("inventering_varde"), QStringLiteral("7000\n"));
    restamp();
    const mv::TransferForm p = placing();
    ASSERT_TRUE(mv::commitOpeningBalance(paths, *b, &p).ok);
    EXPECT_EQ(file(paths.closing("inventering_varde")), "7000\n");
    EXPECT_EQ(file(paths.closing("fga_inventering_varde")), "10000.50\n");
}

TEST_F(OpeningBalanceTest, ANegativeCashAmountIsPlacedToo) {
    std::array<QString, mv::openingRowCount> rows = typed();
    rows[mv::RowCash] = "-1500";
    mv::Message refusal;
    const auto b = mv::readOpeningRows(rows, refusal);
    ASSERT_TRUE(b);
    EXPECT_TRUE(mv::needsCashStep(*b));
    const mv::TransferForm p = placing("0", "-1500");
    ASSERT_TRUE(mv::commitOpeningBalance(paths, *b, &p).ok);
    EXPECT_EQ(file(paths.cash), "-1500.00\n");
    EXPECT_EQ(file(paths.moneyAccountAmount(4)), "-1500.00\n");
    EXPECT_EQ(booksInconsistency(), QString());
}

TEST_F(OpeningBalanceTest, ACrashAtAnyWriteLeavesTheRegistrationWholeOrNone) {
    crashEverywhere(
        [this](const QString& folder) {
            ASSERT_TRUE(QDir::setCurrent(folder));
            makeYear();
        },
        [this] {
            const mv::TransferForm p = placing();
            return mv::commitOpeningBalance(paths, balance("2000"), &p).ok;
        },
        10);
}

} // namespace
