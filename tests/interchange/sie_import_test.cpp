#include "interchange/code_pages.h"
#include "interchange/interchange_messages.h"
#include "interchange/sie_import.h"

#include <gtest/gtest.h>

namespace {

using mv::Amount;

Amount kr(const char* text) {
    return Amount::parseLenient(QString::fromUtf8(text));
}

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// A closing balance of 2013 from another program: money on two bank
// accounts, machines, stock, a customer, a supplier, a bank loan, VAT owed,
// an account the registration has no row for (a prepaid rent) and the
// equity; the year's result already moved to the equity.
QString otherProgramsFile() {
    return u("#FLAGGA 0\n"
             "#PROGRAM \"Annat program\" 3.1\n"
             "#FORMAT PC8\n"
             "#GEN 20140110\n"
             "#SIETYP 4\n"
             "#ORGNR 556677-8899\n"
             "#FNAMN \"Snickeri Nord\"\n"
             "#RAR 0 20130101 20131231\n"
             "#RAR -1 20120101 20121231\n"
             "#KONTO 1930 \"Företagskonto\"\n"
             "#KONTO 1790 \"Förutbetald hyra\"\n"
             "#IB 0 1930 100.00\n"
             "#IB -1 1930 -999.00\n"
             "#UB -1 1930 999.00\n"
             "#UB 0 1930 12000.50\n"
             "#UB 0 1940 500\n"
             "#UB 0 1220 8000.00\n"
             "#UB 0 1460 2500.00\n"
             "#UB 0 1510 1250.00\n"
             "#UB 0 1790 1000.00\n"
             "#UB 0 2440 -625.00\n"
             "#UB 0 2350 -10000.00\n"
             "#UB 0 2611 -1500.00\n"
             "#UB 0 2641 300.00\n"
             "#UB 0 2010 -12425.50\n"
             "#UB 0 2013 -1000.00\n"
             "#VER A 1 20130105 \"Försäljning\"\n"
             "{\n"
             "#TRANS 1930 {} 1250.00\n"
             "#TRANS 3001 {} -1000.00\n"
             "#TRANS 2611 {\"1\" \"7\"} -250.00 20130105 \"moms\"\n"
             "}\n");
}

QByteArray bytes(const QString& text) {
    return mv::encodeCp437(text);
}

mv::SieImport read2014(const QString& text) {
    return mv::readSieOpeningBalance(bytes(text), QStringLiteral("5566778899"),
                                     QStringLiteral("2014"));
}

TEST(SieImport, ClosingBalanceOfThePreviousYearFillsTheRows) {
    const mv::SieImport in = read2014(otherProgramsFile());
    ASSERT_TRUE(in.ok) << in.message.text.toStdString();
    const mv::SieOpeningBalance& b = in.balance;
    EXPECT_EQ(b.cash, kr("12500.50"));
    EXPECT_EQ(b.equipment, kr("8000.00"));
    EXPECT_EQ(b.stock, kr("2500.00"));
    EXPECT_EQ(b.receivables, kr("1250.00"));
    EXPECT_EQ(b.payables, kr("625.00"));
    EXPECT_EQ(b.loans, kr("10000.00"));
    EXPECT_EQ(b.vatDifference, kr("1200.00")); // 1500.00 owed less 300.00 to get back
    ASSERT_EQ(b.unplaced.size(), 1u);
    EXPECT_EQ(b.unplaced[0],
              (mv::SieOpeningBalance::Unplaced{1790, u("Förutbetald hyra"), kr("1000.00")}));
    EXPECT_EQ(b.companyName, u("Snickeri Nord"));
    const QString summary = mv::openingBalanceSummary(b);
    EXPECT_TRUE(summary.contains(u("Kassa, Bank mm: 12500.50\n")));
    EXPECT_TRUE(summary.contains(u("1790 Förutbetald hyra: 1000.00\n")));
}

TEST(SieImport, OpeningBalanceOfTheYearItselfAndFilesWithoutYears) {
    // The year's own #IB, when the file is of 2014.
    QString own = otherProgramsFile();
    own.replace(u("#RAR 0 20130101 20131231\n#RAR -1 20120101 20121231\n"),
                u("#RAR 0 20140101 20141231\n"));
    own.replace(u("#UB 0 "), u("#IB 0 "));
    own.replace(u("#IB 0 1930 100.00\n"), QString());
    const mv::SieImport in = read2014(own);
    ASSERT_TRUE(in.ok) << in.message.text.toStdString();
    EXPECT_EQ(in.balance.cash, kr("12500.50"));

    // No #RAR at all: the closing balance of year 0.
    QString bare = otherProgramsFile();
    bare.replace(u("#RAR 0 20130101 20131231\n#RAR -1 20120101 20121231\n"), QString());
    EXPECT_TRUE(read2014(bare).ok);
}

TEST(SieImport, AResultNotYetMovedToTheEquityBalancesWithTheResultAccounts) {
    QString text = otherProgramsFile();
    text.replace(u("#UB 0 2013 -1000.00\n"), u("#RES 0 3001 -4000.00\n#RES 0 5010 3000.00\n"));
    const mv::SieImport in = read2014(text);
    ASSERT_TRUE(in.ok) << in.message.text.toStdString();
    EXPECT_EQ(in.balance.cash, kr("12500.50"));
}

TEST(SieImport, RefusalsNameTheProblemAndGiveNoBalance) {
    const auto refused = [](const QString& text, const mv::Message& expected, const char* what) {
        const mv::SieImport in = read2014(text);
        EXPECT_FALSE(in.ok) << what;
        EXPECT_EQ(in.message, expected) << what << ": " << in.message.text.toStdString();
        EXPECT_EQ(in.balance, mv::SieOpeningBalance()) << what;
    };
    const QString good = otherProgramsFile();
    const auto with = [&good](const char* from, const char* to) {
        return QString(good).replace(u(from), u(to));
    };

    refused(with("#SIETYP 4\n", "#SIETYP 3\n"), mv::xmsg::sieNotType4(), "type 3");
    refused(with("#SIETYP 4\n", ""), mv::xmsg::sieNotType4(), "no type");
    refused(u("Detta är ingen SIE-fil\n"), mv::xmsg::sieNotType4(), "not SIE at all");
    refused(with("#ORGNR 556677-8899\n", "#ORGNR 556677-8890\n"),
            mv::xmsg::sieOtherOrgNumber(u("556677-8890"), u("556677-8899")), "other company");
    refused(with("#ORGNR 556677-8899\n", ""), mv::xmsg::sieNoOrgNumber(), "no org.nr");
    refused(with("#ORGNR 556677-8899\n", "#ORGNR 5566-77\n"), mv::xmsg::sieNoOrgNumber(),
            "malformed org.nr");
    refused(with("#RAR 0 20130101 20131231\n", "#RAR 0 20110101 20111231\n"),
            mv::xmsg::sieWrongYear(u("2014")), "another year");
    refused(with("#UB 0 1930 12000.50\n", "#UB 0 1930 12000.00\n"),
            mv::xmsg::sieUnbalanced(kr("-0.50")), "balance off by 50 öre");
    refused(with("#TRANS 3001 {} -1000.00\n", "#TRANS 3001 {} -1000.01\n"),
            mv::xmsg::sieVerificationUnbalanced(u("A"), u("1"), kr("-0.01")), "verification off");
    refused(with("#UB 0 1220 8000.00\n", "#UB 0 1220 8000.00kr\n"),
            mv::xmsg::sieBadLine(17, u("#UB 0 1220 8000.00kr")), "amount with a unit");
    refused(with("#FNAMN \"Snickeri Nord\"\n", "#FNAMN \"Snickeri Nord\n"),
            mv::xmsg::sieBadLine(7, u("#FNAMN \"Snickeri Nord")), "unclosed quote");
    // A file cut off inside a verification is not a whole file.
    QString cut = good;
    cut.chop(QStringLiteral("}\n").size());
    refused(cut, mv::xmsg::sieBadLine(31, u("#TRANS 2611 {\"1\" \"7\"} -250.00 20130105 \"moms\"")),
            "cut short");
    // A file with no balance for the year.
    QString none = good;
    none.replace(u("#UB 0 "), u("#XX 0 "));
    refused(none, mv::xmsg::sieNoBalance(u("2014")), "no balance");
}

TEST(SieImport, AFileThatCannotBeReadIsRefused) {
    const mv::SieImport in = mv::readSieOpeningBalanceFile(
        u("/nonexistent/fil.se"), QStringLiteral("5566778899"), QStringLiteral("2014"));
    EXPECT_FALSE(in.ok);
    EXPECT_EQ(in.message, mv::xmsg::sieUnreadable(u("/nonexistent/fil.se")));
}

} // namespace
