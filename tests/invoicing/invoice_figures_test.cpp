// Invoice amounts in öre: rows rounded once, VAT once on the total, to pay =
// total + VAT, the house-work deduction and claim, and the rounding to whole
// kronor for every rate and sign.
#include "invoicing/invoice_figures.h"
#include "invoicing_fixture.h"

namespace {

using mv::Amount;

Amount ore(std::int64_t v) {
    return Amount::fromOre(v);
}

mv::InvoiceDraft rows(std::initializer_list<std::pair<const char*, const char*>> lines,
                      const char* rate) {
    mv::InvoiceDraft d;
    int i = 0;
    for (const auto& [q, p] : lines)
        d.rows[size_t(i++)] = {QStringLiteral("x"), QString::fromUtf8(q), QString::fromUtf8(p)};
    d.vatPercent = QString::fromUtf8(rate);
    return d;
}

TEST(InvoiceFigures, RowsAreRoundedOnceAndTheTotalsAddUp) {
    // Three rows of 1.50 × 0.33 = 0.495 each: 0.50 printed and summed.
    const mv::InvoiceFigures f =
        mv::computeFigures(rows({{"1.50", "0.33"}, {"1.50", "0.33"}, {"1.50", "0.33"}}, "25"));
    EXPECT_EQ(f.rowText(0), QStringLiteral("0.50"));
    EXPECT_EQ(f.total, ore(150));
    EXPECT_EQ(f.vat, ore(38)); // 0.375 rounds half away from zero
    EXPECT_EQ(f.toPay, ore(188));
    EXPECT_EQ(f.rowText(5), QString()); // an empty row shows nothing

    // 100.10 at 25 %: VAT 25.025 becomes 25.03, to pay exactly total + VAT.
    const mv::InvoiceFigures g = mv::computeFigures(rows({{"1.00", "100.10"}}, "25"));
    EXPECT_EQ(g.vat, ore(2503));
    EXPECT_EQ(g.toPay, ore(12513));

    // 2 × 150.00 at 25 %: 300.00, 75.00, 375.00. A VAT percent of 12.5 counts as 12.
    const mv::InvoiceFigures h = mv::computeFigures(rows({{"2.00", "150.00"}}, "25"));
    EXPECT_EQ(h.toPay, ore(37500));
    EXPECT_EQ(mv::computeFigures(rows({{"1.00", "100.00"}}, "12.5")).vat, ore(1200));

    // A credit row: negative amounts, never "-0.00".
    const mv::InvoiceFigures credit =
        mv::computeFigures(rows({{"-1.00", "0.004"}, {"-2.00", "50.00"}}, "25"));
    EXPECT_EQ(credit.rowText(0), QString());
    EXPECT_EQ(credit.total, ore(-10000));
    EXPECT_EQ(credit.vat, ore(-2500));
}

TEST(InvoiceFigures, HouseWorkDeductionAndClaim) {
    mv::InvoiceDraft d = rows({{"10.00", "500.00"}, {"2.00", "99.99"}}, "25");
    d.kind = mv::InvoiceKind::HouseWork;
    d.deductionPercent = QStringLiteral("50");
    d.rows[11].quantity = QStringLiteral("9.00"); // row 12 is the deduction, not a product
    d.rows[11].unitPrice = QStringLiteral("9.00");
    const mv::InvoiceFigures f = mv::computeFigures(d);
    EXPECT_EQ(f.rowText(11), QStringLiteral("-2500.00"));
    EXPECT_EQ(f.total, ore(269998)); // 5000.00 + 199.98 - 2500.00
    EXPECT_EQ(f.vat, ore(67500));    // 674.995 rounds to 675.00
    EXPECT_EQ(f.claimTotal, ore(250000));
    EXPECT_EQ(f.claimVat, ore(62500));
    EXPECT_EQ(f.claimAmount, ore(312500));
    EXPECT_EQ(f.labourVat, ore(125000));
    // 30 % of 333.33 is 99.999: the deduction is rounded once.
    mv::InvoiceDraft r = rows({{"1.00", "333.33"}}, "25");
    r.kind = mv::InvoiceKind::HouseWork;
    r.deductionPercent = QStringLiteral("30");
    EXPECT_EQ(mv::computeFigures(r).deduction, ore(-10000));
}

TEST(InvoiceFigures, WholeKronorRoundingCases) {
    // 375.40 at 25 %: total 300.32 becomes 300.80, VAT 75.20, to pay 376.00.
    mv::InvoiceDraft d = rows({{"1.00", "300.32"}}, "25");
    d.wholeKronor = true;
    const mv::InvoiceFigures f = mv::computeFigures(d);
    EXPECT_EQ(f.total, ore(30080));
    EXPECT_EQ(f.vat, ore(7520));
    EXPECT_EQ(f.toPay, ore(37600));
    // Already whole: unchanged.
    EXPECT_EQ(mv::wholeKronorNet(ore(30080), 25), ore(30080));
    // 112.03 to pay at 12 % lands on 113.00, not 113.01.
    const Amount net = mv::wholeKronorNet(ore(10003), 12);
    EXPECT_EQ(mv::amountToPay(ore(10003), 12), ore(11203));
    EXPECT_EQ(mv::amountToPay(net, 12), ore(11300));
    // Negative totals go away from zero.
    EXPECT_EQ(mv::wholeKronorNet(ore(-30032), 25), ore(-30080));
    EXPECT_EQ(mv::amountToPay(mv::wholeKronorNet(ore(-10003), 12), 12), ore(-11300));
    // At 0 % the net itself is made whole.
    EXPECT_EQ(mv::wholeKronorNet(ore(10001), 0), ore(10100));
}

TEST(InvoiceFigures, EveryAmountFrom100To200LandsOnTheNextReachableKrona) {
    for (int rate : {6, 12, 25}) {
        for (std::int64_t t = 10000; t <= 20000; ++t) {
            for (int sign : {1, -1}) {
                const Amount net = ore(sign * t);
                const Amount rounded = mv::wholeKronorNet(net, rate);
                const Amount pay = mv::amountToPay(rounded, rate);
                ASSERT_EQ(pay.ore() % 100, 0) << rate << " " << net.toText().toStdString();
                // The VAT stays the net's VAT.
                ASSERT_EQ(pay - rounded, rounded.percent(rate));
                // Away from zero, and no smaller change reaches a whole krona.
                const Amount before = mv::amountToPay(net, rate);
                ASSERT_GE(sign * (pay - before).ore(), 0);
                ASSERT_GE(sign * (rounded - net).ore(), 0);
                for (Amount x = net; x != rounded; x += ore(sign))
                    ASSERT_NE(mv::amountToPay(x, rate).ore() % 100, 0);
                // Within the next reachable krona: never more than two kronor away.
                ASSERT_LT(sign * (pay - before).ore(), 200);
            }
        }
    }
}

} // namespace
