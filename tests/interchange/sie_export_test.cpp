#include "interchange_fixture.h"

#include "interchange/bas_accounts.h"
#include "interchange/code_pages.h"
#include "interchange/interchange_messages.h"
#include "interchange/sie_import.h"
#include "reports/ledger.h"
#include "store/text_codec.h"

#include <QRegularExpression>

namespace {

using mv::Amount;

Amount kr(const char* text) {
    return Amount::parseLenient(QString::fromUtf8(text));
}

class SieExportTest : public InterchangeTest {
  protected:
    void SetUp() override {
        InterchangeTest::SetUp();
        smallyear::bookSmallYear(paths);
    }

    // The general ledger's lines as label -> amount.
    std::map<QString, Amount> ledgerLines() {
        EXPECT_EQ(mv::composeLedger(paths), 0);
        std::map<QString, Amount> lines;
        static const QRegularExpression line(
            QStringLiteral("^(  \\d{4} .*\\S)\\s+(-?\\d+\\.\\d{2})$"));
        for (const QString& l : mv::storedText(paths.ledgerReport).split(u'\n')) {
            const QRegularExpressionMatch m = line.match(l);
            if (m.hasMatch()) lines[m.captured(1)] += Amount::parseLenient(m.captured(2));
        }
        return lines;
    }
};

TEST_F(SieExportTest, SmallYearIsTheGoldenFileInCodePage437) {
    const mv::SieBuild b = exportYear();
    ASSERT_TRUE(b.ok) << b.message.text.toStdString();
    expectGoldenBytes(mv::sieFileBytes(b.books), "interchange_small_year.se", mv::decodeCp437);
    EXPECT_EQ(mv::sieFileName(b.books.company.orgNumber, b.books.year),
              QStringLiteral("5566778899_2014.se"));
}

TEST_F(SieExportTest, EveryVerificationBalancesAndEveryBalanceRunsFromOpeningToTheClosingFigures) {
    const mv::SieBuild b = exportYear();
    ASSERT_TRUE(b.ok);
    for (const mv::SieVerification& v : b.books.verifications) {
        Amount sum;
        for (const mv::SieRow& r : v.rows)
            sum += r.amount;
        EXPECT_TRUE(sum.isZero()) << v.series.toStdString() << v.number;
        EXPECT_FALSE(v.rows.empty());
    }
    const auto moved = rowSums(b.books);
    std::map<int, Amount> closing;
    Amount results;
    for (const mv::SieAccount& a : b.books.accounts) {
        if (mv::isBalanceAccount(a.kind)) {
            EXPECT_EQ(a.opening + (moved.count(a.number) ? moved.at(a.number) : Amount()),
                      a.closing)
                << a.number;
            closing[a.number] = a.closing;
        } else {
            EXPECT_EQ(a.result, moved.at(a.number)) << a.number;
            if (a.number != mv::bas::resultTransfer) results += a.result;
        }
    }
    const mv::ClosingFigures f = figures();
    EXPECT_EQ(-results, f.result);
    EXPECT_EQ(closing[1910] + closing[1920] + closing[1922], f.books.cash);
    EXPECT_EQ(closing[1220], f.fixedAssets);
    EXPECT_EQ(closing[1400], f.stock);
    EXPECT_EQ(closing[1500], f.receivables);
    EXPECT_EQ(-(closing[2611] + closing[2617] + closing[2621] + closing[2640]), f.vatBalance);
    EXPECT_EQ(-(closing[2010] + closing[2019]), f.equity);
}

// Every ledger row's figure is the rows of the verifications on its account:
// the type accounts over the year's verifications (series A), the VAT
// accounts, whose totals hold the year-end receivables' VAT too, over all.
TEST_F(SieExportTest, RowsPerAccountAreTheGeneralLedgersFigures) {
    const mv::SieBuild b = exportYear();
    ASSERT_TRUE(b.ok);
    const auto a = rowSums(b.books, QStringLiteral("A"));
    const auto all = rowSums(b.books);
    auto ledger = ledgerLines();
    const auto at = [](const std::map<int, Amount>& m, int k) {
        return m.count(k) ? m.at(k) : Amount();
    };
    const auto row = [&ledger](const char* label) { return ledger[QString::fromUtf8(label)]; };

    EXPECT_EQ(-at(a, 3000), row("  3000 R1  Inkomst, Arbete och Tjänst") +
                                row("  3000 R1  Inkomst, Varor och material") +
                                row("  3000 R1  Inkomst, Annat"));
    EXPECT_EQ(-at(a, 3100), row("  3100 R2  Inkomst, Momsfritt"));
    EXPECT_EQ(-at(a, 3740), row("  3740 R2  Öresutjämning"));
    EXPECT_EQ(at(a, 4000), row("  4000 R5  Utgift, Varor och material"));
    EXPECT_EQ(at(a, 4641), row("  4641 R5  Utgift, Omvänd moms"));
    EXPECT_EQ(at(a, 1220), row("  1220 B4  Utgift, Inventarier (avskriv. 30% per år)"));
    EXPECT_EQ(at(a, 2010), row("  2010 B10 Utgift, Uttag för egen lön") +
                               row("  2010 B10 Utgift, Uttag för egen skatt"));
    EXPECT_EQ(-at(all, 2611), row("  2610 B14 Moms på inkomster med 25%"));
    EXPECT_EQ(-at(all, 2621), row("  2610 B14 Moms på inkomster med 12%"));
    EXPECT_EQ(-at(all, 2617), row("  2617 B14 Moms på utgifter med 25% omvänd moms"));
    EXPECT_EQ(-at(all, 2640),
              row("  2640 B14 Moms på utgifter med 25%")); // the ledger shows it negated
    EXPECT_EQ(at(all, 1910) + at(all, 1920) + at(all, 1921) + at(all, 1922) + at(all, 1923) +
                  at(all, 1924),
              kr("1673.84"));
    // The hand-computed figures behind the golden file, once more.
    EXPECT_EQ(row("  2610 B14 Moms på inkomster med 25%"), kr("1175.00"));
    EXPECT_EQ(row("  3000 R1  Inkomst, Arbete och Tjänst"), kr("3900.00"));
}

TEST_F(SieExportTest, RoundTripTheClosingBalanceIsTheNextYearsOpening) {
    const mv::SieBuild b = exportYear();
    ASSERT_TRUE(b.ok);
    const mv::SieImport in = mv::readSieOpeningBalance(
        mv::sieFileBytes(b.books), QStringLiteral("5566778899"), QStringLiteral("2015"));
    ASSERT_TRUE(in.ok) << in.message.text.toStdString();
    const mv::ClosingFigures f = figures();
    EXPECT_EQ(in.balance.cash, f.books.cash);
    EXPECT_EQ(in.balance.equipment, f.fixedAssets);
    EXPECT_EQ(in.balance.stock, f.stock);
    EXPECT_EQ(in.balance.receivables, f.receivables);
    EXPECT_EQ(in.balance.payables, f.payables);
    EXPECT_EQ(in.balance.loans, f.borrowing);
    EXPECT_EQ(in.balance.vatDifference, f.vatBalance);
    EXPECT_TRUE(in.balance.unplaced.empty());
    EXPECT_EQ(in.balance.companyName, QStringLiteral("Snickeri Nord"));
}

TEST_F(SieExportTest, WithoutAValidVatRegistrationNumberNoFileIsMade) {
    for (const char* bad :
         {"", "SE556677889801", "556677889901", "SE55667788990", "SE5566778899"}) {
        smallyear::writeCompany(paths, bad);
        const mv::SieBuild b = exportYear();
        EXPECT_FALSE(b.ok) << bad;
        EXPECT_EQ(b.message, mv::xmsg::orgNumberMissing()) << bad;
    }
    smallyear::writeCompany(paths, "se 556677-8899 01");
    EXPECT_TRUE(exportYear().ok);
}

TEST_F(SieExportTest, BooksThatDisagreeWithTheirDayBookAreRefused) {
    const auto refusedWith = [this](const mv::Message& expected) {
        const mv::SieBuild b = exportYear();
        EXPECT_FALSE(b.ok);
        EXPECT_EQ(b.message, expected);
        EXPECT_TRUE(b.message.text.endsWith(QString::fromUtf8("Ingen fil har skrivits.")));
    };
    ASSERT_EQ(mv::writeText(paths.account(QStringLiteral("Inkomst, Momsfritt")),
                            QStringLiteral("350.00\n")),
              0);
    refusedWith(
        mv::xmsg::typeDisagrees(QStringLiteral("Inkomst, Momsfritt"), kr("300"), kr("350")));
    ASSERT_EQ(mv::writeText(paths.account(QStringLiteral("Inkomst, Momsfritt")),
                            QStringLiteral("300.00\n")),
              0);

    ASSERT_EQ(mv::writeText(paths.outputVat(12), QStringLiteral("50.00\n")), 0);
    refusedWith(mv::xmsg::vatDisagrees(true, kr("201.96"), kr("200")));
    ASSERT_EQ(mv::writeText(paths.outputVat(12), QStringLiteral("48.04\n")), 0);

    ASSERT_EQ(mv::writeText(paths.moneyAccountAmount(6), QStringLiteral("10.00\n")), 0);
    refusedWith(mv::xmsg::cashNotPlaced(kr("1673.84"), kr("1683.84")));
    ASSERT_EQ(mv::writeText(paths.moneyAccountAmount(6), QStringLiteral("0.00\n")), 0);

    ASSERT_EQ(mv::writeText(paths.moneyAccountName(2), QStringLiteral("Postgiro\n")), 0);
    refusedWith(mv::xmsg::unknownMoneyAccount(1, QStringLiteral("PlusGiro")));
    ASSERT_EQ(mv::writeText(paths.moneyAccountName(2), QStringLiteral("PlusGiro\n")), 0);

    QString day = mv::storedText(paths.dayBook);
    QString placed;
    for (const QString& line : day.split(u'\n'))
        if (line.startsWith(QStringLiteral("Boka mot PlusGiro")) &&
            line.endsWith(QStringLiteral(" 448.84")))
            placed = line;
    ASSERT_FALSE(placed.isEmpty());
    QString changed = placed;
    changed.replace(QStringLiteral("448.84"), QStringLiteral("448.85"));
    ASSERT_EQ(mv::writeText(paths.dayBook, QString(day).replace(placed, changed)), 0);
    refusedWith(mv::xmsg::dayBookBlockUnbalanced(2));
    ASSERT_EQ(mv::writeText(paths.dayBook, QString(day).replace(placed, QString())), 0);
    refusedWith(mv::xmsg::dayBookBlockIncomplete(2));
    ASSERT_EQ(mv::writeText(paths.dayBook, day), 0);
    EXPECT_TRUE(exportYear().ok);
}

TEST(SieText, QuotesAndCharactersOutsideCodePage437) {
    mv::SieBooks b;
    b.year = QStringLiteral("2014");
    b.company = {QStringLiteral("5566778899"), QString::fromUtf8("Eks \"Bygg\" €"), {}, {}, {}, {}};
    b.generated = QStringLiteral("20140307");
    const QByteArray bytes = mv::sieFileBytes(b);
    EXPECT_TRUE(bytes.contains("#FNAMN \"Eks \\\"Bygg\\\" ?\"\r\n"));
    EXPECT_EQ(mv::encodeCp437(QString::fromUtf8("åäöÅÄÖé\n")),
              QByteArray("\x86\x84\x94\x8f\x8e\x99\x82\r\n"));
    EXPECT_EQ(mv::decodeCp437(QByteArray("\x86\x84\x94\r\n\x8f")), QString::fromUtf8("åäö\nÅ"));
}

TEST(BasTable, EveryTypeHasAnAccountOfTheTableAndEveryAccountAnSruCodeOrNone) {
    for (const mv::TransactionType& t : mv::transactionTypes()) {
        const int account = mv::accountOfType(t);
        EXPECT_NE(mv::findBasAccount(account), nullptr) << t.name.toStdString();
    }
    EXPECT_EQ(mv::typeAccounts().size(), 28u);
    EXPECT_EQ(mv::sruCodeOfBox(QStringLiteral("B4")), 7212);
    EXPECT_EQ(mv::sruCodeOfBox(QStringLiteral("B9")), 7280);
    EXPECT_EQ(mv::sruCodeOfBox(QStringLiteral("R1")), 7400);
    for (const mv::BasAccount& a : mv::basAccounts())
        if (a.number != mv::bas::resultTransfer) {
            EXPECT_NE(mv::sruCodeOfBox(QString::fromUtf8(a.box)), 0) << a.number;
        }
    // Where the closing basis decides against the ledger, the row says so.
    for (const mv::TypeAccount& t : mv::typeAccounts())
        if (t.account == 5410 || t.account == 6990) {
            EXPECT_STRNE(t.note, "");
        }
}

} // namespace
