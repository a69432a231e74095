// The decisions of the year-end checks: the kept choice of a broken fiscal
// year, the following year, and which withdrawal stops the closing.
#include "closing/year_end_checks.h"

#include <gtest/gtest.h>

namespace {

using mv::Amount;
using mv::YearEndScreen;

TEST(YearEndChecks, TheBrokenYearChoiceIsKeptForItsYearOnly) {
    mv::YearEndRun kept;
    kept.year = "2014";
    kept.brokenYearChosen = true;
    kept.chosenYear = "2016";
    EXPECT_EQ(mv::targetYearOf(mv::runFor(kept, "2014")), "2016");
    const mv::YearEndRun other = mv::runFor(kept, "2015");
    EXPECT_EQ(other.year, "2015");
    EXPECT_FALSE(other.brokenYearChosen);
    EXPECT_EQ(mv::targetYearOf(other), "2016") << "the next calendar year";
    // A broken year whose following year is not chosen yet has none.
    kept.chosenYear.clear();
    EXPECT_EQ(mv::targetYearOf(kept), "");
}

TEST(YearEndChecks, TheTaxThenTheSalaryAboveNinetyNineOreStopTheClosing) {
    mv::OwnerFigures o;
    Amount amount;
    o.taxLeft = Amount::fromOre(99);
    o.leftToWithdraw = Amount::fromOre(99);
    EXPECT_EQ(mv::withdrawalScreen(o, &amount), YearEndScreen::Ready);
    o.leftToWithdraw = Amount::fromOre(100);
    EXPECT_EQ(mv::withdrawalScreen(o, &amount), YearEndScreen::OwnSalary);
    EXPECT_EQ(amount, Amount::fromOre(100));
    o.taxLeft = Amount::fromOre(123456);
    EXPECT_EQ(mv::withdrawalScreen(o, &amount), YearEndScreen::OwnTax);
    EXPECT_EQ(amount, Amount::fromOre(123456));
    // Tax to get back is nothing to book out.
    o.taxLeft = Amount::fromOre(-500000);
    o.leftToWithdraw = Amount();
    EXPECT_EQ(mv::withdrawalScreen(o, &amount), YearEndScreen::Ready);
}

TEST(YearEndChecks, TheScreensNameTheYearsAndTheAmount) {
    EXPECT_TRUE(mv::ownTaxText("2014", Amount::fromOre(123456))
                    .startsWith("BOKA UT EGEN SKATT\n\nSkatt kvar att betala för året: 1234.56\n"));
    EXPECT_TRUE(mv::ownTaxText("2014", Amount()).contains("'Utgift, Uttag för egen skatt'"));
    EXPECT_TRUE(mv::ownSalaryText("2014", Amount::fromKronor(15000))
                    .startsWith("BOKA UT EGEN LÖN\n\nKvar att ta ut som egen lön: 15000.00\n"));
    EXPECT_TRUE(mv::ownSalaryText("2014", Amount())
                    .contains("6. Klicka på 'Verktyg' och 'SLUTFÖR ÅR 2014' igen."));
    EXPECT_TRUE(mv::readyText("2014", "2016").contains("Nästkommande år 2016 är skapat."));
    EXPECT_TRUE(mv::brokenYearText().contains("Från December år 2010 till året ut 2011"));
    EXPECT_TRUE(mv::brokenYearText().contains("Från April 2010 till April 2011"));
    mv::TargetCheck missing{mv::TargetProblem::Missing,
                            {"MEDDELANDE", "Nästkommande år är ej skapat!\n\n", "", ""}};
    EXPECT_TRUE(mv::targetRefusedText("2014", "2015", missing)
                    .contains("2. Skriv 2015 och klicka på 'Skapa'."));
    mv::TargetCheck locked{mv::TargetProblem::Locked,
                           {"MEDDELANDE", "Året 2015 är låst!\n\n", "", ""}};
    EXPECT_EQ(mv::targetRefusedText("2014", "2015", locked), "Året 2015 är låst!\n");
    const mv::Message q = mv::brokenYearQuestion();
    EXPECT_EQ(q.title, "TYP AV BOKFÖRINGSÅR");
    EXPECT_EQ(q.buttons, "YES_no");
    EXPECT_EQ(mv::stockCountQuestion().text, "Vill du inventera?");
}

} // namespace
