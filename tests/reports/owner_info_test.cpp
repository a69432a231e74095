// The owner's estimate from the year's result, rounded once per figure.
#include "reports_fixture.h"

#include "reports/owner_info.h"
#include "store/text_util.h"

namespace {

using mv::Amount;

Amount kr(const char* text) {
    return Amount::parseLenient(QString::fromUtf8(text));
}

mv::Settings percentages(const char* a, const char* e, const char* t) {
    mv::Settings s;
    s.fields[0] = a;
    s.fields[1] = e;
    s.fields[2] = t;
    return s;
}

// A closing whose result is exactly `result` (all of it work income).
mv::ClosingFigures closing(const char* result) {
    mv::ClosingBooks b;
    b.year = "2014";
    b.incomeWork = kr(result);
    return mv::computeClosingFigures(b);
}

QString line(const char* label, const char* amount, int width = 71) {
    QString l;
    mv::padAppend(l, QString::fromUtf8(label), QString::fromUtf8(amount), width);
    return l + "\n";
}

TEST(OwnerInfoTest, HundredThousandAtTwentyFiveTwentyEightNinetySevenAndThirty) {
    const mv::Settings s = percentages("25", "28.97", "30");
    const mv::OwnerFigures o = mv::computeOwnerFigures(closing("100000"), s);
    EXPECT_EQ(o.deduction.toText(), "25000.00");
    EXPECT_EQ(o.contribution.toText(), "21727.50");
    EXPECT_EQ(o.incomeTax.toText(), "23481.75");
    EXPECT_EQ(o.tax.toText(), "45209.25");
    EXPECT_EQ(o.netPay.toText(), "54790.75");
    // Without salary withdrawals all of the net pay is left to withdraw.
    EXPECT_EQ(o.leftToWithdraw, o.netPay);
    const QString text = mv::ownerInfoText(closing("100000"), s);
    EXPECT_TRUE(text.contains(line("* Schablonavdrag för egenavgift (25%)", "25000.00")));
    EXPECT_TRUE(
        text.contains(line("* Egenavgiften (28.97%) efter schablonavdrag blir", "21727.50")));
    EXPECT_TRUE(
        text.contains(line("* Inkomstskatten (30%) av resultatet minus egenavgift", "23481.75")));
    EXPECT_TRUE(text.contains(line("Skatt på resultatet (egenavgift+inkomstskatt)", "45209.25")));
    EXPECT_TRUE(text.contains(line("* Disponibel nettolön under året", "54790.75")));
}

TEST(OwnerInfoTest, ALossGivesNoDeductionNoTaxAndTheLossAsNetPay) {
    const mv::OwnerFigures o =
        mv::computeOwnerFigures(closing("-12345.67"), percentages("25", "32", "35"));
    EXPECT_EQ(o.deduction.toText(), "0.00");
    EXPECT_EQ(o.contribution.toText(), "0.00");
    EXPECT_EQ(o.incomeTax.toText(), "0.00");
    EXPECT_EQ(o.netPay.toText(), "-12345.67");
    EXPECT_FALSE(
        mv::ownerInfoText(closing("-12345.67"), percentages("25", "32", "35")).contains("-0.00"));
}

TEST(OwnerInfoTest, WithdrawalsAndVatGiveWhatIsLeftToWithdrawAndToPay) {
    mv::ClosingBooks b;
    b.year = "2014";
    b.incomeWork = kr("1000.01");
    b.ownerSalary = kr("300");
    b.ownerTax = kr("800");
    b.outputVat = {{25, kr("250")}};
    b.vatCarried = kr("-75"); // shown as stored, not in the VAT of the year
    b.loansTaken[mv::LoanBank] = kr("1000");
    const mv::ClosingFigures f = mv::computeClosingFigures(b);
    const mv::Settings s = percentages("25", "32", "35");
    const mv::OwnerFigures o = mv::computeOwnerFigures(f, s);
    // Y 1000.01: D 250.0025 -> 250.00; E 750.01 * 32 % = 240.0032 -> 240.00;
    // I 760.01 * 35 % = 266.0035 -> 266.00; T 506.00; N 494.01
    EXPECT_EQ(o.tax.toText(), "506.00");
    EXPECT_EQ(o.netPay.toText(), "494.01");
    EXPECT_EQ(o.leftToWithdraw.toText(), "194.01");
    EXPECT_EQ(o.vat.toText(), "250.00");
    EXPECT_EQ(o.taxTotal.toText(), "756.00");
    EXPECT_EQ(o.taxLeft.toText(), "-44.00");
    const QString text = mv::ownerInfoText(f, s);
    EXPECT_TRUE(text.contains(line("* Uttag för egen lön under året", "-300.00")));
    EXPECT_TRUE(
        text.contains(line("                       * Uttag för egen skatt", "800.00") + "\n"));
    QString left;
    mv::padAppend(left, QString::fromUtf8("Summa skatt kvar att betala (- är att återfå)       "),
                  "-44.00", 71);
    EXPECT_TRUE(text.contains(left + QString(7, '\n') + "_MOMS"));
    EXPECT_TRUE(text.contains(line("* Föregående års ej utbokad momsskillnad", "-75.00") + "\n"));
    EXPECT_TRUE(text.contains(line("* Summa skuld till bank", "1000.00", 72)));
    QString loans;
    mv::padAppend(loans, "Summa skulder", "1000.00", 72);
    EXPECT_TRUE(text.endsWith(loans + QString(5, '\n')));
}

TEST(OwnerInfoTest, TheLastBookShownKeepsItsResultsForOtherPages) {
    mv::forgetOwnerResults();
    EXPECT_FALSE(mv::keptOwnerResults().known);
    const mv::OwnerFigures o =
        mv::computeOwnerFigures(closing("100000"), percentages("25", "28.97", "30"));
    mv::keepOwnerResults(o);
    EXPECT_TRUE(mv::keptOwnerResults().known);
    EXPECT_EQ(mv::keptOwnerResults().leftToWithdraw.toText(), "54790.75");
    EXPECT_EQ(mv::keptOwnerResults().taxLeft.toText(), "45209.25");
    mv::forgetOwnerResults();
}

} // namespace
