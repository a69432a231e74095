#include "store/clock.h"
#include "store/text_util.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>

using namespace mv;

TEST(PadAppend, RightAlignsTheValue) {
    QString line;
    padAppend(line, "Varulager", "1500.00", 68);
    EXPECT_EQ(line, "Varulager" + QString(51, ' ') + "1500.00");
    EXPECT_EQ(line.size(), 67);

    QString tooLong;
    padAppend(tooLong, QString(70, 'L'), "5.00", 68);
    EXPECT_EQ(tooLong, QString(70, 'L') + "5.00");

    QString field;
    padAppend(field, "", "-75.50", 12);
    EXPECT_EQ(field, "     -75.50");

    // Exactly filling the field leaves no blank and no overflow.
    QString exact;
    padAppend(exact, "abc", "1.00", 8);
    EXPECT_EQ(exact, "abc1.00");
}

TEST(Numbers, LocaleNeverChangesTheDecimalPoint) {
    std::setlocale(LC_ALL, "sv_SE.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    EXPECT_EQ(numberToText(1250.0, 2), "1250.00");
    EXPECT_EQ(numberToText(0.125, 8), "0.12500000");
    EXPECT_EQ(numberToText(0.5, 12), "0.50000000");
    EXPECT_EQ(numberToText(2.5, 0), "3");
    EXPECT_DOUBLE_EQ(textToReal("1250.50"), 1250.5);
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, "C");
}

TEST(Numbers, LenientReading) {
    EXPECT_EQ(textToInteger("  12abc"), 12);
    EXPECT_EQ(textToInteger("-7\n"), -7);
    EXPECT_EQ(textToInteger("abc"), 0);
    EXPECT_EQ(textToInteger(""), 0);
    EXPECT_EQ(textToInteger("3.9"), 3);
    EXPECT_DOUBLE_EQ(textToReal(" -3.5x"), -3.5);
    EXPECT_DOUBLE_EQ(textToReal("1,5"), 1.0);
    EXPECT_DOUBLE_EQ(textToReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(textToReal("-"), 0.0);
    EXPECT_DOUBLE_EQ(textToReal("1e2"), 100.0);
    EXPECT_EQ(integerToText(-42), "-42");
}

TEST(Text, CharacterClassesOfCodePage1252) {
    const QString s = QString::fromUtf8(" 7aåÅZß÷×ÿ-");
    const int expected[] = {0, 2, 3, 3, 4, 4, 4, 1, 1, 1, 1};
    for (int i = 0; i < s.size(); ++i) EXPECT_EQ(characterClass(s, i), expected[i]) << i;
    EXPECT_EQ(characterClass(s, 99), 1);
}

TEST(Text, SwedishCollationAndCase) {
    EXPECT_LT(compareText("zebra", QString::fromUtf8("åker"), 1), 0);
    EXPECT_LT(compareText(QString::fromUtf8("åker"), QString::fromUtf8("ärlig"), 1), 0);
    EXPECT_LT(compareText(QString::fromUtf8("ärlig"), QString::fromUtf8("öl"), 1), 0);
    EXPECT_EQ(compareText("abc", "ABC", 0), 0);
    EXPECT_NE(compareText("abc", "ABC", 1), 0);
    EXPECT_EQ(changeCase(QString::fromUtf8("åäö abc"), 1), QString::fromUtf8("ÅÄÖ ABC"));
    EXPECT_EQ(changeCase(QString::fromUtf8("ÅÄÖ"), 0), QString::fromUtf8("åäö"));
    EXPECT_EQ(countLineEnds("a\nb\n\n"), 3);
    EXPECT_EQ(textCopy("abcdef", 3), "abc");
    EXPECT_EQ(textCopy("abcdef", 0), "abcdef");
}

TEST(Clock, DateAndTimeKeywords) {
    // The test main fixes the clock at 2014-03-07 09:05:12, a Friday.
    EXPECT_EQ(dateTimeText("YY_MM_DD", "-"), "2014-03-07");
    EXPECT_EQ(todayText(), "2014-03-07");
    EXPECT_EQ(dateTimeText("HH_MM_SS", ":"), "09:05:12");
    EXPECT_EQ(dateTimeText("YEAR", ""), "2014");
    EXPECT_EQ(dateTimeText("MONTH", ""), "03");
    EXPECT_EQ(dateTimeText("DAY", "d"), "d07");
    EXPECT_EQ(dateTimeText("DAY_OF_WEEK", ""), "05");
    EXPECT_EQ(dateTimeText("HOUR", ""), "09");
    EXPECT_EQ(dateTimeText("MINUTE", ""), "05");
    EXPECT_EQ(dateTimeText("SECOND", ""), "12");
    EXPECT_EQ(dateTimeText("MILLISEC", ""), "00");
    EXPECT_EQ(dateTimeText("year", ""), "");

    const QDateTime keep = now();
    setFixedNow(QDateTime(QDate(2015, 12, 13), QTime(23, 59, 58)));
    EXPECT_EQ(dateTimeText("DAY_OF_WEEK", ""), "00"); // a Sunday
    EXPECT_EQ(dateTimeText("YY_MM_DD", "-"), "2015-12-13");
    setFixedNow(keep);
}
