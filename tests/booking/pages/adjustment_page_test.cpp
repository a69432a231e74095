// The bookings without a cash step, through the real income and expense
// pages: the VAT debt write-off from its preset, the fixed-asset write-off
// with its message, a sale above the asset value refused with both messages,
// a closing receivable shown in the page's viewer.
#include "booking/booking_messages.h"
#include "booking_page_fixture.h"
#include "booking/pages/booking_pages.h"
#include "store/change_set.h"
#include "booking/adjustment_bookings.h"
#include "shell/page.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDir>

namespace {

using bookingui::entryControls;
using mv::Side;

QString u8(const char* s) { return QString::fromUtf8(s); }

class SpecialPageTest : public BookingPageFixture {
protected:
    void open(Side side) {
        uitest::sendCommand(side == Side::Income ? 1036 : 1042);
        ASSERT_GT(pageState(side == Side::Income ? shell::PageId::Income : shell::PageId::Expense), 0);
    }

    static void chooseType(Side side, const char* type) {
        tk::setItem(entryControls(side).type, 0, u8(type));
        ASSERT_EQ(tk::item(entryControls(side).type, 0), u8(type));
    }

    // Enter from the event date until the focus is on "Spara" (at most n steps).
    static bool walkToSave(Side side, int n = 12) {
        const bookingui::EntryControls& c = entryControls(side);
        tk::setFocus(c.eventDate);
        for (int i = 0; i < n; ++i) {
            uitest::pressKey(QStringLiteral("Enter"));
            if (tk::focusedControl() == c.saveButton) return true;
        }
        return false;
    }

    static QStringList boxTexts() {
        QStringList out;
        for (const auto& b : uitest::boxes()) out << b.text;
        return out;
    }

};

TEST_F(SpecialPageTest, VatDebtWriteOffFromItsPreset) {
    // A carried asset: the expense page points to the income page and opens afresh.
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_moms_skillnad")), QStringLiteral("-700.00\n")), 0);
    start();
    open(Side::Expense);
    const bookingui::EntryControls& c = entryControls(Side::Expense);
    chooseType(Side::Expense, "Justering, Utbokning momsskuld");
    tk::setFocus(c.eventDate);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, u8("Dr. Hjälp"));
    EXPECT_EQ(uitest::boxes()[0].text,
              u8("Det finns ingen momsskuld!\n\nDet finns -700.00 i momstillgång att boka bort genom:\n\n"
                 "' Justering, Utbokning momstillgång ' under knappen 'Inkomst'\n\n"));
    EXPECT_EQ(tk::item(c.type, 0), u8("Utgift, Varor o material"));
    EXPECT_TRUE(tk::text(c.net).isEmpty());
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
}

TEST_F(SpecialPageTest, VatDebtWrittenOffWithoutCashStep) {
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_moms_skillnad")), QStringLiteral("1800.00\n")), 0);
    start();
    open(Side::Expense);
    const bookingui::EntryControls& c = entryControls(Side::Expense);
    chooseType(Side::Expense, "Justering, Utbokning momsskuld");
    ASSERT_TRUE(walkToSave(Side::Expense));
    EXPECT_EQ(tk::text(c.name), u8("Skattekontot på Skatteverket"));
    EXPECT_EQ(tk::text(c.freeText), u8("Inbetald moms bokas ur bokföringen"));
    EXPECT_EQ(tk::text(c.net), QStringLiteral("1800.00"));
    EXPECT_TRUE(tk::isReadOnly(c.rate));
    EXPECT_TRUE(tk::isReadOnly(c.ore));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(1044));
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("fga_moms_skillnad"))), QByteArray("0.00\r\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_TRUE(mv::storedText(paths.cashBook).endsWith(u8("- Påverkar ej =\n")));
    EXPECT_EQ(mv::readAmountFile(paths.cash), mv::Amount());
    // Opened afresh with the next number.
    EXPECT_GT(pageState(shell::PageId::Expense), 0);
    EXPECT_EQ(tk::text(c.number), QStringLiteral("2"));
    EXPECT_EQ(tk::text(c.lastNumber), QStringLiteral("1"));
    EXPECT_TRUE(tk::text(c.net).isEmpty());
}

TEST_F(SpecialPageTest, AssetWriteOffTellsItWasBookedAutomatically) {
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_inventarievarde")), QStringLiteral("5000.00\n")), 0);
    start();
    open(Side::Expense);
    const bookingui::EntryControls& c = entryControls(Side::Expense);
    chooseType(Side::Expense, "Utgift, Inventarier Utbokat");
    tk::setText(c.freeText, QStringLiteral("Skrotad svarv"));
    tk::setText(c.net, QStringLiteral("3000"));
    ASSERT_TRUE(walkToSave(Side::Expense));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(1044));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("MEDDELANDE"));
    EXPECT_EQ(uitest::boxes()[0].text, u8("Transaktionen bokades automatiskt\nmot Inventariekontot!\n\n"));
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    EXPECT_EQ(bytesOf(paths.account(QStringLiteral("Utgift, Inventarier Utbokat"))), QByteArray("3000.00\r\n"));
    EXPECT_EQ(mv::storedText(paths.closing(QStringLiteral("inventarielista_avskr"))),
              QStringLiteral("2014-03-07 Inventarie utbokad enligt Ver. 1") + QString(8, u' ') +
                  QStringLiteral("-3000.00\n"));
    EXPECT_EQ(mv::readAmountFile(paths.cash), mv::Amount());
    EXPECT_EQ(tk::text(c.number), QStringLiteral("2"));

    // More than what is left (5000.00 - 3000.00): both messages when the
    // amount is entered, and the form does not reach "Spara".
    chooseType(Side::Expense, "Utgift, Inventarier Utbokat");
    tk::setText(c.net, QStringLiteral("2000.01"));
    uitest::clearBoxes();
    EXPECT_FALSE(walkToSave(Side::Expense, 6));
    const QStringList texts = boxTexts();
    ASSERT_EQ(texts.size(), 2 * texts.count(mv::msg::assetWriteOffHelp().text));
    ASSERT_GE(texts.size(), 2);
    EXPECT_EQ(texts[0], mv::msg::assetWriteOffBelowZero(mv::Amount::fromOre(-1)).text);
    EXPECT_EQ(texts[1], mv::msg::assetWriteOffHelp().text);
    EXPECT_EQ(tk::focusedControl(), c.net);
    EXPECT_FALSE(tk::isVisible(c.saveButton));

    // The reversal of more than was written off, likewise.
    tk::setText(c.net, QStringLiteral("-3000.01"));
    uitest::clearBoxes();
    tk::setFocus(c.net);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_EQ(boxTexts(), QStringList{mv::msg::reversalTooLarge().text});

    // "Spara" checks again: an amount changed after the walk is refused there.
    tk::setText(c.net, QStringLiteral("2500"));
    tk::showControl(c.saveButton);
    tk::enableControl(c.saveButton);
    uitest::clearBoxes();
    const QByteArray list = bytesOf(paths.outVerifications);
    ASSERT_TRUE(uitest::pressCommand(1044));
    ASSERT_EQ(boxTexts(), (QStringList{mv::msg::assetWriteOffBelowZero(mv::Amount::fromKronor(-500)).text,
                                       mv::msg::assetWriteOffHelp().text}));
    EXPECT_EQ(bytesOf(paths.outVerifications), list);
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_EQ(bytesOf(paths.account(QStringLiteral("Utgift, Inventarier Utbokat"))), QByteArray("3000.00\r\n"));
}

TEST_F(SpecialPageTest, SaleAboveTheAssetValueRefusedWithBothMessages) {
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_inventarievarde")), QStringLiteral("1000.50\n")), 0);
    start();
    open(Side::Income);
    const bookingui::EntryControls& c = entryControls(Side::Income);
    chooseType(Side::Income, "Inkomst, Inventarier");
    tk::setText(c.net, QStringLiteral("1000.51"));
    tk::setText(c.rate, QStringLiteral("25"));
    // Refused when the amount is entered: the form does not reach "Spara".
    EXPECT_FALSE(walkToSave(Side::Income, 8));
    ASSERT_GE(uitest::boxes().size(), 2u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::msg::saleBelowZero(mv::Amount::fromOre(-1)).text);
    EXPECT_EQ(tk::focusedControl(), c.net);
    EXPECT_FALSE(tk::isVisible(c.saveButton));
    // "Spara" checks again.
    tk::showControl(c.saveButton);
    tk::enableControl(c.saveButton);
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(1041));
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("MEDDELANDE"));
    EXPECT_EQ(uitest::boxes()[0].text, u8("-0.01kr i saldot skulle det bli efter försäljning för kontot!\n"
                                          "Saldot för kontot får ej bli minus, transaktionen avbryts!\n\n"));
    EXPECT_EQ(uitest::boxes()[1].title, u8("Dr. Hjälp"));
    EXPECT_TRUE(uitest::boxes()[1].text.contains(u8("   = Sälj till 1000.50  kr mot konto")));
    // No cash step waits and nothing is on disk.
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
    EXPECT_EQ(bytesOf(paths.inVerifications), QByteArray());
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("inventarielista_avskr"))), QByteArray());
    EXPECT_GT(pageState(shell::PageId::Income), 0);
}

TEST_F(SpecialPageTest, ReceivableRegisteredShowsItsList) {
    start();
    open(Side::Income);
    const bookingui::EntryControls& c = entryControls(Side::Income);
    chooseType(Side::Income, "Bokslut, Kundfordringar");
    tk::setText(c.reference, QStringLiteral("14007"));
    tk::setText(c.name, QStringLiteral("Kund AB"));
    tk::setText(c.net, QStringLiteral("800"));
    tk::setText(c.rate, QStringLiteral("12"));
    ASSERT_TRUE(walkToSave(Side::Income));
    EXPECT_FALSE(tk::isVisible(c.number));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(1041));
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("Kundfordringar"))), QByteArray("800.00\r\n"));
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("KundfordringarMoms"))), QByteArray("96.00\r\n"));
    EXPECT_EQ(bytesOf(paths.outputVat(12)), QByteArray("96.00\r\n"));
    // No number consumed, no verification written.
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
    EXPECT_EQ(bytesOf(paths.inVerifications), QByteArray());
    EXPECT_TRUE(tk::text(c.view).contains(QStringLiteral("KUNDFORDRINGAR (inkl. moms) 2014")));
    EXPECT_TRUE(tk::text(c.view).contains(QStringLiteral("Kund AB                896.00")));
    EXPECT_EQ(tk::focusedControl(), c.view);
}

} // namespace
