// What a click opens: the help areas of the pages on show, the general area
// on every page, and the welcome page's links only while it is shown.
#include "help/help_links.h"

#include <gtest/gtest.h>

namespace {

using mv::help::Screen;
using mv::help::ShownScreens;
using mv::help::Target;
using Targets = std::vector<Target>;

Target manual(const char* page) {
    return {QString::fromUtf8(page), true};
}

ShownScreens everyScreen() {
    ShownScreens all;
    for (int i = 0; i < mv::help::screenCount; ++i)
        all.add(static_cast<Screen>(i));
    return all;
}

TEST(HelpAreaTest, AClickStrictlyInsideOpensExactlyItsPageAndTheEdgesNothing) {
    int checked = 0;
    for (const mv::help::HelpArea& h : mv::help::helpAreas()) {
        if (!h.screen) continue;
        const ShownScreens shown{*h.screen};
        const mv::help::Area& a = h.area;
        const Targets page{manual(h.page)};
        SCOPED_TRACE(h.page);
        EXPECT_EQ(mv::help::targetsAt(a.left + 1, a.top + 1, shown, false), page);
        EXPECT_EQ(mv::help::targetsAt(a.left + a.width - 1, a.top + a.height - 1, shown, false),
                  page);
        EXPECT_EQ(mv::help::targetsAt(a.left + 5, a.top + 5, shown, false), page);
        EXPECT_TRUE(mv::help::targetsAt(a.left, a.top + 5, shown, false).empty());
        EXPECT_TRUE(mv::help::targetsAt(a.left + a.width, a.top + 5, shown, false).empty());
        EXPECT_TRUE(mv::help::targetsAt(a.left + 5, a.top, shown, false).empty());
        EXPECT_TRUE(mv::help::targetsAt(a.left + 5, a.top + a.height, shown, false).empty());
        // Its page is not shown: nothing, whatever else is.
        EXPECT_TRUE(mv::help::targetsAt(a.left + 5, a.top + 5, ShownScreens{}, true).empty());
        ++checked;
    }
    EXPECT_EQ(checked, mv::help::screenCount); // every screen has its mark
}

TEST(HelpAreaTest, MarksOfTheBookingPagesAndOfTheOthers) {
    EXPECT_EQ(mv::help::targetsAt(285, 65, {Screen::Income}, false),
              Targets{manual("inkomst.htm")});
    EXPECT_EQ(mv::help::targetsAt(285, 65, {Screen::Expense}, false),
              Targets{manual("utgift.htm")});
    EXPECT_EQ(mv::help::targetsAt(285, 65, {Screen::Transfer}, false),
              Targets{manual("kassa.htm")});
    EXPECT_EQ(mv::help::targetsAt(785, 65, {Screen::Vat}, false), Targets{manual("rapporter_momsfil.htm")});
    EXPECT_EQ(mv::help::targetsAt(785, 65, {Screen::InvoiceReverseCharge}, false),
              Targets{manual("faktura_skapa.htm#Skapa_en_faktura_Omvänd_moms")});
    // The receivables list and the invoice text are active while shown.
    EXPECT_EQ(mv::help::targetsAt(785, 65, {Screen::ReceivablesList}, false),
              Targets{manual("verktyg_kundfordringar.htm")});
    EXPECT_EQ(mv::help::targetsAt(785, 65, {Screen::InvoiceText}, false),
              Targets{manual("verktyg_fakturaverktyg.htm")});
    // The year-end closing page has its mark at 780 like the others.
    EXPECT_EQ(mv::help::targetsAt(785, 65, {Screen::YearEndClosing}, false),
              Targets{manual("verktyg_slutfor_ar_0000.htm")});
    EXPECT_TRUE(mv::help::targetsAt(4785, 65, {Screen::YearEndClosing}, false).empty());
}

TEST(HelpAreaTest, TheGeneralPageOpensOnEveryPage) {
    const Targets general{manual("behorighet.htm")};
    EXPECT_EQ(mv::help::targetsAt(259, 111, ShownScreens{}, true), general);
    EXPECT_EQ(mv::help::targetsAt(259, 111, ShownScreens{}, false), general);
    for (int i = 0; i < mv::help::screenCount; ++i)
        EXPECT_EQ(mv::help::targetsAt(259, 111, {static_cast<Screen>(i)}, false), general) << i;
    EXPECT_EQ(mv::help::targetsAt(259, 111, everyScreen(), true), general);
    EXPECT_TRUE(mv::help::targetsAt(258, 111, everyScreen(), true).empty());
    EXPECT_TRUE(mv::help::targetsAt(259, 110, everyScreen(), true).empty());
}

TEST(WelcomeLinkTest, EachLinkOpensItsAddressOnlyWhileTheWelcomePageIsShown) {
    for (const mv::help::WelcomeLink& l : mv::help::welcomeLinks()) {
        SCOPED_TRACE(l.label);
        const mv::help::Area& a = l.area;
        const Targets target{Target{QString::fromUtf8(l.address), l.inManual}};
        EXPECT_EQ(mv::help::targetsAt(a.left + 1, a.top + 1, {}, true), target);
        EXPECT_EQ(mv::help::targetsAt(a.left + a.width - 1, a.top + a.height - 1, {}, true),
                  target);
        EXPECT_TRUE(mv::help::targetsAt(a.left, a.top + 10, {}, true).empty());
        EXPECT_TRUE(mv::help::targetsAt(a.left + 10, a.top, {}, true).empty());
        // Another page is shown, even if the welcome page is half covered.
        EXPECT_TRUE(mv::help::targetsAt(a.left + 10, a.top + 10, everyScreen(), false).empty());
    }
}

TEST(WelcomeLinkTest, OutsideSitesArePublicAddressesAndTheProgramsOwnPagesAreInTheManual) {
    int outside = 0;
    for (const mv::help::WelcomeLink& l : mv::help::welcomeLinks()) {
        const QString address = QString::fromUtf8(l.address);
        if (l.inManual) {
            EXPECT_TRUE(address.endsWith(QStringLiteral(".htm"))) << l.label;
        } else {
            EXPECT_TRUE(address.startsWith(QStringLiteral("https://"))) << l.label;
            ++outside;
        }
    }
    EXPECT_EQ(outside, 8);
    EXPECT_EQ(mv::help::targetsAt(30, 365, {}, true),
              (Targets{{QStringLiteral("https://www.bfn.se/"), false}}));
    EXPECT_EQ(mv::help::targetsAt(600, 350, {}, true),
              (Targets{{QStringLiteral("https://www.skatteverket.se/"), false}}));
    EXPECT_EQ(mv::help::targetsAt(600, 230, {}, true), Targets{manual("index.htm")});
    EXPECT_EQ(mv::help::targetsAt(600, 185, {}, true), Targets{manual("om_programmet.htm")});
    EXPECT_EQ(mv::help::targetsAt(600, 275, {}, true), Targets{manual("hjalp.htm")});
    EXPECT_EQ(mv::help::targetsAt(45, 90, {}, true), Targets{manual("uppdatering.htm")});
}

TEST(WelcomeLinkTest, TheGeneralAreaAndTheLinksNeverOverlap) {
    // A click on the welcome page opens one thing: no link lies over another
    // or over the general area.
    std::vector<mv::help::Area> areas{mv::help::helpAreas().front().area};
    for (const mv::help::WelcomeLink& l : mv::help::welcomeLinks())
        areas.push_back(l.area);
    for (size_t i = 0; i < areas.size(); ++i)
        for (size_t j = i + 1; j < areas.size(); ++j) {
            const auto& a = areas[i];
            const auto& b = areas[j];
            const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                               a.top + a.height <= b.top || b.top + b.height <= a.top;
            EXPECT_TRUE(apart) << i << " and " << j;
        }
}

TEST(ManualPagesTest, EveryPageOpenedIsListedOnceWithoutItsAnchor) {
    const std::vector<QString> pages = mv::help::manualPagesOpened();
    for (const QString& p : pages)
        EXPECT_FALSE(p.contains(u'#')) << p.toStdString();
    EXPECT_EQ(std::count(pages.begin(), pages.end(), QStringLiteral("faktura_skapa.htm")), 1);
    EXPECT_EQ(std::count(pages.begin(), pages.end(), QStringLiteral("fakturamall.htm")), 1);
    // 29 pages of the help areas, 4 of the welcome page, the template page.
    EXPECT_EQ(pages.size(), 34u);
}

} // namespace
