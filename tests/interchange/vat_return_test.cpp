#include "interchange_fixture.h"

#include "interchange/vat_return.h"
#include "interchange/vat_upload.h"
#include "reports/closing_basis.h"

#include <random>

namespace {

using mv::Amount;
using mv::VatPeriod;

Amount kr(const char* text) {
    return Amount::parseLenient(QString::fromUtf8(text));
}

QString latin1(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

class VatReturnTest : public InterchangeTest {
  protected:
    mv::VatYear vatYear() const { return mv::readVatYear(paths, mv::yearRecord().settings); }
};

// Every box of the return, so that sums over periods compare box by box.
std::vector<Amount> boxesOf(const mv::VatReturn& r) {
    return {r.box05, r.box10, r.box11, r.box12, r.box24, r.box30,
            r.box31, r.box32, r.box41, r.box42, r.box48, r.box49()};
}

std::vector<Amount> sumOfPeriods(const mv::VatYear& y, VatPeriod::Kind kind, int count) {
    std::vector<Amount> sum(12);
    for (int i = 1; i <= count; ++i) {
        const std::vector<Amount> boxes = boxesOf(mv::vatReturn(y, {kind, i}));
        for (size_t b = 0; b < sum.size(); ++b)
            sum[b] += boxes[b];
    }
    return sum;
}

// The year's return is the VAT report's figures: box 05 the sales bases,
// 10-12 and 30-32 the VAT per rate, 24 the reverse-charge cost, 48 the
// input VAT, 49 the year's VAT to pay.
void expectYearIsTheVatReport(const mv::VatReturn& r, const mv::ClosingFigures& f) {
    EXPECT_EQ(r.box05, f.salesBase);
    EXPECT_EQ(r.box10 + r.box11 + r.box12, f.outputVatSum);
    EXPECT_EQ(r.box30 + r.box31 + r.box32, f.reverseVatSum);
    EXPECT_EQ(r.box48, f.inputVatSum);
    EXPECT_EQ(r.box24, f.books.costReverse);
    EXPECT_EQ(r.box41, f.books.incomeReverse);
    EXPECT_EQ(r.box42, f.books.incomeVatFree);
    EXPECT_EQ(r.box49(), f.vatDifference);
}

TEST_F(VatReturnTest, SmallYearFebruaryAndTheYearAreTheGoldenUploadFiles) {
    smallyear::bookSmallYear(paths);
    const mv::VatYear y = vatYear();
    ASSERT_TRUE(y.ok) << y.message.text.toStdString();

    const mv::VatReturn feb = mv::vatReturn(y, {VatPeriod::Month, 2});
    EXPECT_EQ(feb.box05, kr("2900.00")); // 3900.00 through February less January's 1000.00
    EXPECT_EQ(feb.box10, kr("725.00"));
    EXPECT_EQ(feb.box24, kr("1000.00"));
    EXPECT_EQ(feb.box30, kr("250.00"));
    EXPECT_EQ(feb.box42, kr("300.00"));
    EXPECT_EQ(feb.box48, kr("250.00"));
    EXPECT_EQ(feb.box49(), kr("725.00"));
    EXPECT_EQ(mv::periodCode({VatPeriod::Month, 2}, y.year), QStringLiteral("201402"));
    expectGoldenBytes(
        mv::vatUploadBytes(feb, QStringLiteral("5566778899"), QStringLiteral("201402")),
        "interchange_vat_201402.eskd", latin1);

    const mv::VatReturn year = mv::vatReturn(y, {VatPeriod::Year, 0});
    EXPECT_EQ(year.box05, kr("5100.33")); // 4700.00 at 25 % and 400.33 at 12 %
    EXPECT_EQ(year.box11, kr("48.04"));
    EXPECT_EQ(year.box49(), kr("673.04"));
    EXPECT_EQ(mv::wholeKronorToPay(year), 673);
    EXPECT_EQ(mv::periodCode({VatPeriod::Year, 0}, y.year), QStringLiteral("201412"));
    expectGoldenBytes(
        mv::vatUploadBytes(year, QStringLiteral("5566778899"), QStringLiteral("201412")),
        "interchange_vat_201412.eskd", latin1);
    EXPECT_EQ(mv::vatUploadFileName(QStringLiteral("5566778899"), QStringLiteral("201412")),
              QStringLiteral("5566778899_moms_201412.eskd"));

    const mv::ClosingRun run = mv::runClosingBasis(paths, mv::yearRecord().settings, false);
    ASSERT_TRUE(run.ok);
    expectYearIsTheVatReport(year, run.figures);
    // The year-end receivable's VAT falls in December, not in March.
    EXPECT_EQ(mv::vatReturn(y, {VatPeriod::Month, 12}).box10, kr("200.00"));
    EXPECT_TRUE(mv::vatReturn(y, {VatPeriod::Quarter, 2}).box10.isZero());
}

TEST(VatPeriods, LabelsCodesAndMonthsOfEveryPeriod) {
    const std::vector<VatPeriod> periods = mv::vatPeriods();
    ASSERT_EQ(periods.size(), 17u);
    EXPECT_EQ(mv::periodLabel(periods[0], QStringLiteral("2014")), QString::fromUtf8("Helår 2014"));
    EXPECT_EQ(mv::periodLabel(periods[2], QStringLiteral("2014")),
              QStringLiteral("Kvartal 2 2014"));
    EXPECT_EQ(periods[2].firstMonth(), 4);
    EXPECT_EQ(periods[2].lastMonth(), 6);
    EXPECT_EQ(mv::periodCode(periods[2], QStringLiteral("2014")), QStringLiteral("201406"));
    EXPECT_EQ(mv::periodLabel(periods[16], QStringLiteral("2014")),
              QStringLiteral("December 2014"));
    EXPECT_EQ(mv::periodCode(periods[5], QStringLiteral("2014")), QStringLiteral("201401"));
}

TEST(VatUpload, WholeKronorLeaveTheOreOutAndBox49IsSummedFromThem) {
    mv::VatReturn r;
    r.box10 = kr("100.99");
    r.box11 = kr("10.99");
    r.box48 = kr("300.50");
    EXPECT_EQ(mv::wholeKronor(kr("-12.99")), -12);
    EXPECT_EQ(mv::wholeKronorToPay(r), 100 + 10 - 300);
    const QString text =
        mv::vatUploadText(r, QStringLiteral("5566778899"), QStringLiteral("201403"));
    EXPECT_TRUE(text.contains(QStringLiteral("<MomsBetala>-190</MomsBetala>")));
    EXPECT_FALSE(text.contains(QStringLiteral("MomsUtgLag"))); // zero boxes are left out
    r.otherRates = {QStringLiteral("8")};
    ASSERT_TRUE(mv::vatUploadRefusal(r).has_value());
}

// Random years: a few dozen bookings of every VAT treatment at random event
// dates, a year-end receivable and payable. The twelve months and the four
// quarters add up to the year box by box, and the year is the VAT report.
TEST_F(VatReturnTest, RandomYearsMonthsAndQuartersAddUpToTheYearAndTheYearIsTheVatReport) {
    using mv::Side;
    struct Kind {
        Side side;
        const char* type;
        bool rate;
    };
    const Kind kinds[] = {
        {Side::Income, "Inkomst, Arbete och Tjänst", true},
        {Side::Income, "Inkomst, Varor o material", true},
        {Side::Income, "Inkomst, Omvänd moms", false},
        {Side::Income, "Inkomst, Momsfritt", false},
        {Side::Expense, "Utgift, Varor o material", true},
        {Side::Expense, "Utgift, Omvänd moms", true},
        {Side::Expense, "Utgift, Annat", true},
        {Side::Expense, "Utgift, Momsfritt", false},
    };
    const char* const rates[] = {"25", "12", "6"};
    for (unsigned seed = 1; seed <= 4; ++seed) {
        resetYear();
        smallyear::writeCompany(paths);
        std::mt19937 random(seed);
        const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
        std::vector<QByteArray> texts; // the Entry fields point into these
        for (int i = 0; i < 30; ++i) {
            const Kind& k = kinds[pick(8)];
            texts.push_back(QStringLiteral("2014-%1-%2")
                                .arg(1 + pick(12), 2, 10, QLatin1Char('0'))
                                .arg(1 + pick(28), 2, 10, QLatin1Char('0'))
                                .toUtf8());
            const char* date = texts.back().constData();
            // Expenses stay small, so the money accounts never go negative.
            const int kronor = k.side == Side::Income ? 1000 + pick(5000) : 1 + pick(200);
            texts.push_back(QByteArray::number(kronor) + '.' + QByteArray::number(10 + pick(90)));
            const char* net = texts.back().constData();
            smallyear::book(
                paths, {k.side, date, k.type, net, k.rate ? rates[pick(3)] : "", "", "", pick(2)});
            if (HasFatalFailure()) return;
        }
        smallyear::bookSpecial(paths, {Side::Income, "2014-12-31", "Bokslut, Kundfordringar",
                                       "812.34", "12", "", "Kund AB", 0, "77"});
        smallyear::bookSpecial(paths, {Side::Expense, "2014-12-31", "Bokslut, Leverantörsskulder",
                                       "99.99", "25", "", "Lev AB", 0, "78"});
        if (HasFatalFailure()) return;

        const mv::VatYear y = vatYear();
        ASSERT_TRUE(y.ok) << y.message.text.toStdString();
        const std::vector<Amount> year = boxesOf(mv::vatReturn(y, {VatPeriod::Year, 0}));
        EXPECT_EQ(sumOfPeriods(y, VatPeriod::Month, 12), year) << "seed " << seed;
        EXPECT_EQ(sumOfPeriods(y, VatPeriod::Quarter, 4), year) << "seed " << seed;
        const mv::ClosingRun run = mv::runClosingBasis(paths, mv::yearRecord().settings, false);
        ASSERT_TRUE(run.ok);
        expectYearIsTheVatReport(mv::vatReturn(y, {VatPeriod::Year, 0}), run.figures);
    }
}

} // namespace
