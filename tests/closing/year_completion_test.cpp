// The completion of a year: what the target year gets, what the closed year
// gets, the refusals, and the round trip of the balance report.
#include "completion_fixture.h"

#include "booking/cash_distribution.h"
#include "invoicing/invoice_numbering.h"
#include "reports/balance_report.h"

namespace {

using mv::Amount;

class YearCompletionTest : public CompletionTest {};

TEST_F(YearCompletionTest, AnEmptyNextYearGetsTheClosedYearsBalances) {
    fillClosedYear();
    const mv::CompletionOutcome out = complete();
    ASSERT_TRUE(out.ok) << out.message.text.toStdString();

    // Money: the balances and the cash total as they were.
    EXPECT_EQ(file(next.moneyAccountAmount(1)), "12500.00\n");
    EXPECT_EQ(file(next.moneyAccountAmount(3)), "480.00\n");
    EXPECT_EQ(file(next.cash), "12980.00\n");
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(file(next.moneyAccountName(i)), file(paths.moneyAccountName(i)));
    // The opening verification and the cash-book line with the carried
    // amount in both columns.
    expectGoldenText(file(next.dayBook), "closing_next_daybook.kdb");
    expectGoldenText(file(next.cashBook), "closing_next_cashbook.kdb");
    EXPECT_EQ(file(next.verCounter), "1");
    EXPECT_EQ(file(next.dayBookDate), "2014-03-07\n");

    // The balance sheet.
    EXPECT_EQ(file(next.closing("fga_ing_balans")),
              "12980.00\n21000.00\n9700.00\n5000.00\n1000.00\n22000.00\n24380.00\n48680.00\n"
              "48680.00\n1300.00\n");
    EXPECT_EQ(file(next.closing("fga_inventarievarde")), "21000.00\n");
    EXPECT_EQ(file(next.closing("fga_inventering_varde")), "9700.00\n");
    EXPECT_EQ(file(next.closing("inventering_varde")), "10000\n");
    EXPECT_EQ(file(next.closing("inventering")), "VARULAGER 2014\n\nlistan\n");
    EXPECT_EQ(file(next.closing("inventarielista_avskr")), "INVENTARIELISTA 2014\n\nrad\n");
    EXPECT_EQ(file(next.secondCopy("bokslut_inventarielista_avskr.kdb")),
              file(next.closing("inventarielista_avskr")));
    // The year's VAT difference 1500.00 and the -200.00 carried in.
    EXPECT_EQ(file(next.closing("fga_moms_skillnad")), "1300.00\n");
    EXPECT_EQ(file(next.closing("fga_Kundfordringar")), "4000.00\n");
    EXPECT_EQ(file(next.closing("fga_Kundfordringar_Moms")), "1000.00\n");
    EXPECT_EQ(file(next.closing("fga_Leverantorsskulder")), "800.00\n");
    EXPECT_EQ(file(next.closing("fga_Leverantorsskulder_Moms")), "200.00\n");
    // Loans: 20000 + 5000 - 3000.
    EXPECT_EQ(file(next.loanCarried("Inlåning, Från bank")), "22000.00\n");
    EXPECT_EQ(file(next.loanCarried("Inlåning, Från ägaren")), "0.00\n");
    EXPECT_EQ(file(next.loanCarried("Inlåning, Från annan")), "0.00\n");

    // Both years pass their check; the copies follow the books.
    EXPECT_EQ(integrityOf(paths), 0);
    EXPECT_EQ(integrityOf(next), 0);
    EXPECT_EQ(copiesDiffering(paths), QStringList());
    EXPECT_EQ(copiesDiffering(next), QStringList());
}

TEST_F(YearCompletionTest, TheClosedYearIsLockedWithItsLastVerificationAndItsDocument) {
    fillClosedYear();
    ASSERT_TRUE(complete().ok);
    EXPECT_EQ(file(paths.lockMark), "låst");
    EXPECT_EQ(mv::readLockState(paths), 0);
    EXPECT_EQ(mv::yearTitle(QStringLiteral("2014"), true),
              "MerValla för år  2014 ÅRET ÄR LÅST FÖR REDIGERING");
    EXPECT_EQ(file(paths.verCounter), "57");
    EXPECT_EQ(file(paths.dayBookDate), "2014-03-07\n");
    // The closed year's books were empty: full heads, then the entry.
    expectGoldenText(file(paths.dayBook), "reports_completed_daybook.kdb");
    expectGoldenText(file(paths.cashBook), "reports_completed_cashbook.kdb");
    // The closing basis is kept with the locked year and names the last
    // verification; running it again in the locked year gives the same text.
    const QString document = file(paths.closingBasis);
    EXPECT_TRUE(document.startsWith("BOKSLUTSUNDERLAG  2014\n\n\nVerifikat 57  2014-03-07\n"));
    EXPECT_TRUE(document.contains("KASSA OCH BANK" + QString(33, ' ') + "Ver 57.01  2014-03-07\n"));
    ASSERT_TRUE(mv::runClosingBasis(paths, settings, true).ok);
    EXPECT_EQ(file(paths.closingBasis), document);
    EXPECT_EQ(file(paths.closing("utg_balans")), file(next.closing("fga_ing_balans")));
    // Completing again is refused and changes nothing.
    const auto once = snapshotBoth();
    const mv::CompletionOutcome again = complete();
    EXPECT_FALSE(again.ok);
    EXPECT_EQ(again.message.text, "Året 2014 är redan slutfört och låst!\n\n");
    EXPECT_EQ(snapshotBoth(), once);
}

TEST_F(YearCompletionTest, BalancesAreAddedToWhatTheNextYearAlreadyHolds) {
    fillClosedYear();
    // An income of 500.00 on money account 1 of 2015.
    const mv::PathTable closed = paths;
    paths = next;
    book(form(mv::Side::Income, "Inkomst, Momsfritt", "500"), 0);
    paths = closed;
    ASSERT_EQ(file(next.moneyAccountAmount(1)), "500.00\n");
    const QString dayBefore = file(next.dayBook);
    const QString cashBefore = file(next.cashBook);

    ASSERT_TRUE(complete().ok);
    EXPECT_EQ(file(next.moneyAccountAmount(1)), "13000.00\n");
    EXPECT_EQ(file(next.cash), "13480.00\n");
    EXPECT_EQ(file(next.verCounter), "2");
    // The opening verification follows what the books hold.
    const QString day = file(next.dayBook);
    ASSERT_TRUE(day.startsWith(dayBefore));
    EXPECT_TRUE(day.mid(dayBefore.size()).startsWith("Verifikat          = 2\n"));
    EXPECT_TRUE(day.contains("Boka från fg.år Kontantkassa    13000.00 =    13000.00\n"
                             "Boka mot  ig.år Kontantkassa                  13000.00\n"));
    const QString cash = file(next.cashBook);
    ASSERT_TRUE(cash.startsWith(cashBefore));
    EXPECT_EQ(cash.mid(cashBefore.size()), "     2 2014-03-07 ÖVERFÖRT FRÅN FÖREG.ÅR till kassan" +
                                               QString(17, ' ') + "12980.00 =   13480.00\n");
    // The books of 2015 stay consistent.
    paths = next;
    EXPECT_EQ(booksInconsistency(), QString());
}

TEST_F(YearCompletionTest, UnpaidInvoicesAndClaimsAreCarriedAndTheLargerCounterKept) {
    fillClosedYear();
    EXPECT_EQ(mv::carriedInvoiceEntries(paths, next),
              (QStringList{"9000", "9001", "9003", "9004", "9005_BU"}));
    ASSERT_TRUE(complete().ok);
    for (const char* n : {"9000", "9001", "9003", "9004"})
        EXPECT_EQ(file(next.invoice(n)), QStringLiteral("FAKTURA ") + n + "\n") << n;
    EXPECT_FALSE(QFileInfo::exists(next.invoice("9002")));
    EXPECT_FALSE(QFileInfo::exists(next.invoice("9002_BETALD")));
    EXPECT_EQ(file(next.invoice("9005_BU")), "BOKFÖRINGSUPPDRAG 9005\n");
    EXPECT_EQ(file(next.invoiceCounter), "9005\n");
    // The income page of 2015 lists them.
    EXPECT_EQ(mv::invoiceList(next, false),
              (QStringList{"9000", "9001", "9003", "9004", "9005_BU"}));
}

TEST_F(YearCompletionTest, TheNextYearsInvoicesAndCounterStay) {
    fillClosedYear();
    put(next.invoice("15001"), QStringLiteral("FAKTURA 15001\n"));
    put(next.invoice("9003_BETALD"), QStringLiteral("redan betald\n"));
    put(next.invoiceCounter, QStringLiteral("15001\n"));
    ASSERT_TRUE(complete().ok);
    EXPECT_EQ(file(next.invoiceCounter), "15001\n");
    EXPECT_EQ(file(next.invoice("15001")), "FAKTURA 15001\n");
    // A number the next year already holds a document of is not carried.
    EXPECT_FALSE(QFileInfo::exists(next.invoice("9003")));
    EXPECT_EQ(file(next.invoice("9004")), "FAKTURA 9004\n");
}

TEST_F(YearCompletionTest, NothingOfAKindCarriedWritesNoLinesForIt) {
    putAmount(paths.moneyAccountAmount(2), "300.00");
    putAmount(paths.cash, "300.00");
    put(paths.moneyAccountName(4), QStringLiteral("\n"));
    restampBoth();
    ASSERT_TRUE(complete().ok);
    const QString day = file(next.dayBook);
    for (const char* absent : {"Inventarier", "Varuvärde", "Lån från", "Banken 1"})
        EXPECT_FALSE(day.contains(QString::fromUtf8(absent))) << absent;
    EXPECT_TRUE(day.contains("Boka från fg.år PlusGiro          300.00 =      300.00\n"));
    EXPECT_EQ(file(next.moneyAccountName(4)), "\n");
    EXPECT_EQ(file(next.closing("fga_ing_balans")),
              "300.00\n0.00\n0.00\n0.00\n0.00\n0.00\n300.00\n300.00\n300.00\n0.00\n");
    EXPECT_EQ(file(next.invoiceCounter), "");
}

TEST_F(YearCompletionTest, AStockCountOrAssetListTheNextYearMadeIsKept) {
    fillClosedYear();
    put(next.closing("inventering_varde"), QStringLiteral("7000\n"));
    put(next.closing("inventering"), QStringLiteral("VARULAGER 2015\n"));
    const QString head = mv::assetListHead("2015");
    put(next.closing("inventarielista_avskr"), head + "2015-01-10 Borrmaskin   900.00\n");
    restampBoth();
    ASSERT_TRUE(complete().ok);
    EXPECT_EQ(file(next.closing("inventering_varde")), "7000\n");
    EXPECT_EQ(file(next.closing("inventering")), "VARULAGER 2015\n");
    EXPECT_EQ(file(next.closing("inventarielista_avskr")),
              "INVENTARIELISTA 2014\n\nrad\n2015-01-10 Borrmaskin   900.00\n");
    // A list of fewer than 5 characters holds nothing.
    EXPECT_EQ(mv::carriedAssetList("abcd", "lista 2015\n", "2015"), "lista 2015\n");
    EXPECT_EQ(mv::carriedAssetList("lista 2014\n", "\n", "2015"), "lista 2014\n");
}

TEST_F(YearCompletionTest, TheTargetYearItselfMustExist) {
    fillClosedYear();
    // 2014 selected, only 2016 created: there is no 2015 to carry into.
    ASSERT_TRUE(QDir(next.yearDir).removeRecursively());
    const mv::PathTable later = mv::buildPathTable("2016");
    makeYearAt(later);
    const auto before = snapshotBoth();
    const mv::CompletionOutcome out = complete();
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.message.text.startsWith("Nästkommande år är ej skapat!"));
    EXPECT_EQ(mv::checkCompletionTarget(paths, next).problem, mv::TargetProblem::Missing);
    EXPECT_FALSE(QFileInfo::exists(next.yearDir));
    EXPECT_EQ(snapshotBoth(), before);
    // 2016 chosen as the following year (a broken fiscal year) is taken.
    EXPECT_TRUE(mv::checkCompletionTarget(paths, later).ok());
    ASSERT_TRUE(mv::completeYear(paths, later, settings).ok);
    EXPECT_EQ(file(later.cash), "12980.00\n");
}

TEST_F(YearCompletionTest, TargetsThatCannotTakeTheCarryAreRefused) {
    fillClosedYear();
    using P = mv::TargetProblem;
    EXPECT_EQ(mv::checkCompletionTarget(paths, paths).problem, P::NotLater);
    EXPECT_EQ(mv::checkCompletionTarget(paths, mv::buildPathTable("2013")).problem, P::NotLater);
    EXPECT_EQ(mv::checkCompletionTarget(paths, mv::buildPathTable("abcd")).problem, P::NotLater);
    put(next.closing("fga_ing_balans"), QStringLiteral("100.00\n"));
    restampBoth();
    const mv::TargetCheck opened = mv::checkCompletionTarget(paths, next);
    EXPECT_EQ(opened.problem, P::HasOpening);
    EXPECT_EQ(opened.message.text,
              "Året 2015 har redan en ingående balans!\n\nSaldona kan inte föras över en gång "
              "till.\n\n");
    put(next.closing("fga_ing_balans"), QString());
    put(next.lockMark, QStringLiteral("låst"));
    EXPECT_EQ(mv::checkCompletionTarget(paths, next).problem, P::Locked);
    EXPECT_EQ(mv::followingYear("2014"), "2015");
}

TEST_F(YearCompletionTest, AFailedWriteChangesNeitherYear) {
    fillClosedYear();
    const auto before = snapshotBoth();
    const QString cashPath = next.cash;
    mv::setWriteHook(
        [cashPath](const QString& p) { return !p.endsWith("2015/bokforing/konto_kassa.kdb"); });
    const mv::CompletionOutcome out = complete();
    mv::setWriteHook({});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, mv::saveFailedMessage(cashPath));
    startYear(paths);
    EXPECT_EQ(snapshotBoth(), before);
    EXPECT_EQ(integrityOf(paths), 0);
    EXPECT_EQ(integrityOf(next), 0);
}

TEST_F(YearCompletionTest, TheClosingColumnOfTheClosedYearIsTheOpeningColumnOfTheNext) {
    fillClosedYear();
    ASSERT_TRUE(complete().ok);
    const mv::ClosingFigures closedFigures = figures();
    const QString closedReport =
        mv::balanceReportText(closedFigures, mv::readBalanceLines(paths.closing("fga_ing_balans")));
    const QString nextReport = mv::balanceReportText(
        mv::closingFigures(next, settings), mv::readBalanceLines(next.closing("fga_ing_balans")));
    const QStringList closedLines = closedReport.split('\n');
    const QStringList nextLines = nextReport.split('\n');
    ASSERT_EQ(closedLines.size(), nextLines.size());
    int compared = 0;
    for (int i = 0; i < closedLines.size(); ++i) {
        const QString& c = closedLines[i];
        const QString& n = nextLines[i];
        if (c.size() < 85 || c.startsWith("TILLGÅNGAR") || c.startsWith('_')) continue;
        // Closing amount: columns 68..85 of the closed year; opening amount:
        // the column that ends in 67 of the next year.
        EXPECT_EQ(c.mid(67).trimmed(), n.mid(0, 67).section(' ', -1).trimmed()) << c.toStdString();
        ++compared;
    }
    EXPECT_EQ(compared, 11); // nine items with the VAT rows, two sums
}

} // namespace
