#include "store/amount.h"

#include "support/temp_dir.h"

#include <QLocale>
#include <clocale>

using namespace mv;

TEST(Amount, FormatsAsTwoDecimalsWithoutMinusZero) {
    EXPECT_EQ(Amount().toText(), "0.00");
    EXPECT_EQ((-Amount()).toText(), "0.00");
    EXPECT_EQ(Amount::fromOre(-1).toText(), "-0.01");
    EXPECT_EQ(Amount::fromOre(125000).toText(), "1250.00");
    EXPECT_EQ(Amount::fromOre(-7550).toText(), "-75.50");
    EXPECT_EQ(Amount::fromOre(5).toText(), "0.05");
    EXPECT_EQ(Amount::fromKronor(1000000).toText(), "1000000.00");
}

TEST(Amount, LenientParseOfStoredValues) {
    EXPECT_EQ(Amount::parseLenient(" 1250.00\n").ore(), 125000);
    EXPECT_EQ(Amount::parseLenient("-75.5").ore(), -7550);
    EXPECT_EQ(Amount::parseLenient("abc").ore(), 0);
    EXPECT_EQ(Amount::parseLenient("").ore(), 0);
    EXPECT_EQ(Amount::parseLenient("1,50").ore(), 100);
    EXPECT_EQ(Amount::parseLenient(".5").ore(), 50);
    EXPECT_EQ(Amount::parseLenient("12.345").ore(), 1235);
    EXPECT_EQ(Amount::parseLenient("-12.345").ore(), -1235);
    EXPECT_EQ(Amount::parseLenient("12.344999").ore(), 1234);
    EXPECT_EQ(Amount::parseLenient("7 kr").ore(), 700);
    // Leading zeros are not significant digits.
    EXPECT_EQ(Amount::parseLenient("00000000000000001234.50").ore(), 123450);
}

TEST(Amount, StrictParseRefusesAnythingButAPlainNumber) {
    EXPECT_EQ(Amount::parseStrict("1250")->ore(), 125000);
    EXPECT_EQ(Amount::parseStrict("1250,5")->ore(), 125050);
    EXPECT_EQ(Amount::parseStrict("-3.25")->ore(), -325);
    EXPECT_EQ(Amount::parseStrict(" 7 ")->ore(), 700);
    EXPECT_EQ(Amount::parseStrict(",5")->ore(), 50);
    EXPECT_EQ(Amount::parseStrict("5.")->ore(), 500);
    for (const char* bad : {"", " ", "-", ".", "1.234", "12a", "1 000", "1e3", "--1", "1.2.3",
                            "1250.00 kr", "9999999999999999"})
        EXPECT_FALSE(Amount::parseStrict(bad).has_value()) << bad;
}

TEST(Amount, PercentRoundsOnceHalfAwayFromZero) {
    EXPECT_EQ(Amount::fromOre(125000).percent(25).ore(), 31250);
    EXPECT_EQ(Amount::fromOre(333).percent(25).ore(), 83);   // 83.25 öre
    EXPECT_EQ(Amount::fromOre(2).percent(25).ore(), 1);      // 0.5 öre
    EXPECT_EQ(Amount::fromOre(-2).percent(25).ore(), -1);    // -0.5 öre
    EXPECT_EQ(Amount::fromOre(1999).percent(12).ore(), 240); // 239.88 öre
    EXPECT_EQ(Amount::fromOre(1000).mulDiv(1, 3).ore(), 333);
    EXPECT_EQ(Amount::fromOre(1000).mulDiv(2, 3).ore(), 667);
    EXPECT_EQ(Amount::fromOre(1000).mulDiv(1, 0).ore(), 0);
    // Sums are sums of rounded parts: three lines of 0.5 öre VAT each.
    Amount total;
    for (int i = 0; i < 3; ++i) total += Amount::fromOre(2).percent(25);
    EXPECT_EQ(total.toText(), "0.03");
}

TEST(Amount, SwedishDesktopLocaleChangesNothing) {
    std::setlocale(LC_ALL, "sv_SE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    EXPECT_EQ(Amount::fromOre(125000).toText(), "1250.00");
    EXPECT_EQ(Amount::parseLenient("1250.50").ore(), 125050);
    EXPECT_EQ(Amount::parseStrict("1250.50")->ore(), 125050);
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, "C");
}

using AmountFile = TempDirTest;

TEST_F(AmountFile, TotalsAreReadAddedAndWrittenWhole) {
    EXPECT_EQ(readAmountFile("missing.kdb").ore(), 0);
    ASSERT_EQ(addToAmountFile("t.kdb", Amount::fromOre(125000)), 0);
    EXPECT_EQ(bytesOf("t.kdb"), QByteArray("1250.00\r\n"));
    ASSERT_EQ(addToAmountFile("t.kdb", Amount::fromOre(-130000)), 0);
    EXPECT_EQ(bytesOf("t.kdb"), QByteArray("-50.00\r\n"));
    ASSERT_EQ(addToAmountFile("t.kdb", Amount::fromOre(5000)), 0);
    EXPECT_EQ(bytesOf("t.kdb"), QByteArray("0.00\r\n"));
    EXPECT_EQ(addToAmountFile("nodir/t.kdb", Amount::fromOre(1)), 2);

    // A total is read as its first 20 characters.
    putBytes("w.kdb", "1234567890123456.78999\r\n");
    EXPECT_EQ(readAmountFile("w.kdb").ore(), 123456789012345679);
    putBytes("w.kdb", "99999999999999999999999\r\n");
    EXPECT_EQ(readAmountFile("w.kdb").ore(), 999999999999999900);
    // A saturated amount that rounds up stays the largest one, and reads
    // back as itself.
    const Amount top = Amount::parseLenient("98888888999999999.999");
    EXPECT_EQ(top.ore(), 999999999999999999);
    EXPECT_EQ(Amount::parseLenient(top.toText()), top);
}
