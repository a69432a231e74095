// The income, expense and cash pages through the real widgets: the Enter
// order of every type group, the refusals with their exact texts, a booking
// saved through the forced cash step, and a transfer.
#include "booking/booking_messages.h"
#include "booking_page_fixture.h"
#include "booking/pages/booking_pages.h"
#include "store/change_set.h"
#include "shell/page.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

using bookingui::entryControls;
using mv::Side;

class BookingPageTest : public BookingPageFixture {
protected:
    // Sent as the top bar sends them (the page's own button is disabled while it shows).
    void openIncome() {
        uitest::sendCommand(1036);
        ASSERT_GT(pageState(shell::PageId::Income), 0);
    }
    void openExpense() {
        uitest::sendCommand(1042);
        ASSERT_GT(pageState(shell::PageId::Expense), 0);
    }

    static void chooseType(Side side, const QString& type) {
        tk::setItem(entryControls(side).type, 0, type);
        ASSERT_EQ(tk::item(entryControls(side).type, 0), type);
    }

    // Names of the controls Enter visits from the event date to "Spara".
    static QStringList enterWalk(Side side) {
        const bookingui::EntryControls& c = entryControls(side);
        const std::pair<int, const char*> names[] = {
            {c.reference, "ref"}, {c.name, "name"},     {c.street, "street"}, {c.postcode, "postcode"},
            {c.town, "town"},     {c.freeText, "text"}, {c.net, "net"},       {c.rate, "rate"},
            {c.sign, "sign"},     {c.ore, "ore"},       {c.saveButton, "SAVE"}};
        QStringList walk;
        tk::setFocus(c.eventDate);
        for (int step = 0; step < 12; ++step) {
            uitest::pressKey(QStringLiteral("Enter"));
            const int f = tk::focusedControl();
            QString name = QStringLiteral("?");
            for (const auto& [h, n] : names)
                if (h == f) name = QString::fromUtf8(n);
            walk << name;
            if (name == QStringLiteral("SAVE") || name == QStringLiteral("?")) break;
            if (f == c.net && tk::text(c.net).isEmpty()) uitest::typeText(QStringLiteral("100"));
        }
        return walk;
    }

    void fillIncome(const char* net, const char* rate) {
        const bookingui::EntryControls& c = entryControls(Side::Income);
        tk::setFocus(c.net);
        uitest::typeText(QString::fromUtf8(net));
        tk::setFocus(c.rate);
        uitest::typeText(QString::fromUtf8(rate));
    }

};

TEST_F(BookingPageTest, EnterWalksEachTypeGroup) {
    // Assets to write off, so that the write-off walks on past its amount.
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_inventarievarde")), QStringLiteral("1000.00\n")), 0);
    start();
    openIncome();
    struct Walk {
        Side side;
        const char* type;
        const char* order;
    };
    const Walk walks[] = {
        {Side::Income, "Inkomst, Räntor", "ref name street postcode town text net SAVE"},
        {Side::Income, "Inlåning, Från ägaren", "ref name street postcode town text net SAVE"},
        {Side::Income, "Inkomst, Momsfritt", "ref name street postcode town text net sign ore SAVE"},
        {Side::Income, "Inkomst, Arbete och Tjänst", "ref name street postcode town text net rate sign ore SAVE"},
        {Side::Income, "Bokslut, Kundfordringar", "ref name net rate SAVE"},
        {Side::Expense, "Utgift, Uttag för egen lön", "ref text net SAVE"},
        {Side::Expense, "Utgift, Inventarier Utbokat", "ref text net SAVE"},
        {Side::Expense, "Utgift, Räntor (på lån, krediter mm)", "ref name street postcode town text net SAVE"},
        {Side::Expense, "Utgift, Momsfritt", "ref name street postcode town text net sign ore SAVE"},
        {Side::Expense, "Utgift, Omvänd moms", "ref name street postcode town text net rate sign ore SAVE"},
        {Side::Expense, "Bokslut, Leverantörsskulder", "ref name net rate SAVE"},
    };
    for (const Walk& w : walks) {
        if (w.side == Side::Income) openIncome();
        else openExpense();
        chooseType(w.side, QString::fromUtf8(w.type));
        EXPECT_EQ(enterWalk(w.side).join(u' '), QString::fromUtf8(w.order)) << w.type;
        const bookingui::EntryControls& c = entryControls(w.side);
        // Fields outside the group are read-only.
        if (QString::fromUtf8(w.order).contains(QStringLiteral("rate"))) EXPECT_FALSE(tk::isReadOnly(c.rate)) << w.type;
        else EXPECT_TRUE(tk::isReadOnly(c.rate)) << w.type;
    }
    // The number field is hidden for the closing registrations.
    EXPECT_FALSE(tk::isVisible(entryControls(Side::Expense).number));
}

TEST_F(BookingPageTest, RefusalsShowTheirMessagesAndSaveNothing) {
    start();
    openIncome();
    const bookingui::EntryControls& c = entryControls(Side::Income);
    // A typed amount with a blank is refused when the net field is left.
    tk::setFocus(c.net);
    uitest::typeText(QStringLiteral("1 000"));
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::msg::badAmount().text);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("INMATNINGSFEL"));
    EXPECT_EQ(uitest::boxes()[0].icon, QStringLiteral("EXCLAMATION"));
    EXPECT_EQ(tk::focusedControl(), c.net);
    // Above the limit.
    tk::setText(c.net, QStringLiteral("1000000.01"));
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(uitest::boxes().back().text, mv::msg::netTooLarge().text);
    // Normalised on the way: "99,9" shows "99.90", "10.555" shows "10.55".
    tk::setText(c.net, QStringLiteral("10.555"));
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(c.net), QStringLiteral("10.55"));

    auto saveWith = [&](const char* net, const char* rate, const char* date, const char* name) {
        uitest::pressCommand(1037); // "Rensa"
        tk::setText(c.net, QString::fromUtf8(net));
        tk::setText(c.rate, QString::fromUtf8(rate));
        tk::setText(c.eventDate, QString::fromUtf8(date));
        tk::setText(c.name, QString::fromUtf8(name));
        tk::showControl(c.saveButton);
        tk::enableControl(c.saveButton);
        uitest::clearBoxes();
        uitest::pressCommand(1041);
        return uitest::boxes().empty() ? mv::Message() : mv::Message{uitest::boxes()[0].title, uitest::boxes()[0].text,
                                                                       uitest::boxes()[0].icon, uitest::boxes()[0].buttons};
    };
    EXPECT_EQ(saveWith("0", "25", "2014-03-07", ""), mv::msg::zeroTotal());
    EXPECT_EQ(saveWith("-0.00", "25", "2014-03-07", ""), mv::msg::zeroTotal());
    EXPECT_EQ(saveWith("100", "24", "2014-03-07", ""), mv::msg::rateNotApproved());
    EXPECT_FALSE(tk::isVisible(c.saveButton)); // walk the form again after a wrong rate
    EXPECT_EQ(tk::focusedControl(), c.rate);
    EXPECT_EQ(saveWith("100", "25", "2014-02-30", ""), mv::msg::badDate());
    EXPECT_EQ(saveWith("100", "25", "2014-03-07", "../foretaget/faktura"), mv::msg::badName());
    EXPECT_EQ(saveWith("1.000,50", "25", "2014-03-07", ""), mv::msg::badAmount());
    // Nothing was written and no cash step waits.
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
    EXPECT_EQ(bytesOf(paths.inVerifications), QByteArray());
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    EXPECT_EQ(pageState(shell::PageId::Income), 1);
}

TEST_F(BookingPageTest, IncomeSavedThroughTheForcedCashStep) {
    start();
    openIncome();
    const bookingui::EntryControls& c = entryControls(Side::Income);
    EXPECT_EQ(tk::text(c.number), QStringLiteral("1"));
    EXPECT_EQ(tk::text(c.eventDate), QStringLiteral("2014-03-07"));
    fillIncome("1200", "25");
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(c.vat), QStringLiteral("300.00"));
    EXPECT_EQ(tk::text(c.total), QStringLiteral("1500.00"));
    tk::setFocus(c.ore);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_TRUE(tk::isVisible(c.saveButton));
    ASSERT_TRUE(uitest::pressCommand(1041));

    // The cash page waits; nothing is on disk yet and the top bar is closed.
    EXPECT_GT(pageState(shell::PageId::Transfer), 0);
    EXPECT_EQ(shell::state().cashStepWaiting, 1);
    EXPECT_FALSE(tk::isEnabled(shell::barButton(1036)));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
    const bookingui::CashControls& k = bookingui::cashControls();
    EXPECT_EQ(tk::text(k.difference), QStringLiteral("1500.00"));
    EXPECT_EQ(tk::text(k.total), QStringLiteral("1500.00"));
    EXPECT_TRUE(tk::isReadOnly(k.balances[0]));
    EXPECT_FALSE(tk::isEnabled(k.saveButton));

    ASSERT_TRUE(uitest::pressCommand(1050)); // onto "PlusGiro"
    EXPECT_EQ(tk::text(k.difference), QStringLiteral("0.00"));
    EXPECT_EQ(tk::text(k.balances[1]), QStringLiteral("1500.00"));
    ASSERT_TRUE(uitest::pressCommand(1031));

    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(2)), QByteArray("1500.00\r\n"));
    EXPECT_EQ(bytesOf(paths.cash), QByteArray("1500.00\r\n"));
    EXPECT_TRUE(mv::storedText(paths.inVerifications).contains(QStringLiteral("Boka mot PlusGiro")));
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    EXPECT_TRUE(tk::isEnabled(shell::barButton(1042)));
    EXPECT_GT(pageState(shell::PageId::Income), 0);
    EXPECT_EQ(tk::text(c.number), QStringLiteral("2"));
    EXPECT_EQ(tk::text(c.lastNumber), QStringLiteral("1"));
    // The list shows the block just saved at its end, in view.
    const QString list = tk::text(c.view);
    EXPECT_EQ(list, mv::storedText(paths.inVerifications));
    const int saved = tk::lineOfPosition(c.view, int(list.lastIndexOf(QStringLiteral("Verifikat          = 1"))));
    EXPECT_GE(saved, tk::firstVisibleLine(c.view));
    EXPECT_LT(saved, tk::firstVisibleLine(c.view) + tk::visibleLineCount(c.view));
    EXPECT_TRUE(tk::text(c.net).isEmpty());
    EXPECT_TRUE(uitest::boxes().empty());
}

TEST_F(BookingPageTest, ReverseChargeExpenseTellsAndTotalsTheNet) {
    start();
    openExpense();
    const bookingui::EntryControls& c = entryControls(Side::Expense);
    chooseType(Side::Expense, QString::fromUtf8("Utgift, Omvänd moms"));
    tk::setFocus(c.net);
    uitest::typeText(QStringLiteral("1000"));
    tk::setFocus(c.rate);
    uitest::typeText(QStringLiteral("25"));
    EXPECT_EQ(tk::text(c.vat), QStringLiteral("250.00"));
    EXPECT_EQ(tk::text(c.total), QStringLiteral("1000.00"));
    tk::setFocus(c.ore);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::msg::checkAccountExpense(true).text);
    ASSERT_TRUE(uitest::pressCommand(1044));
    ASSERT_TRUE(uitest::pressCommand(1049));
    uitest::answerNextBox(4); // the empty cash box goes below zero: saved all the same
    ASSERT_TRUE(uitest::pressCommand(1031));
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_EQ(uitest::boxes()[1].text,
              QString::fromUtf8("Kontot Kontantkassa blir negativt: -1000.00. Vill du spara ändå?"));
    EXPECT_EQ(bytesOf(paths.cash), QByteArray("-1000.00\r\n"));
    EXPECT_EQ(bytesOf(paths.reverseVat(25)), QByteArray("250.00\r\n"));
    EXPECT_GT(pageState(shell::PageId::Expense), 0);
}

TEST_F(BookingPageTest, TransferFromTheTopBar) {
    ASSERT_EQ(mv::writeText(paths.cash, QStringLiteral("1000.00\n")), 0);
    ASSERT_EQ(mv::writeText(paths.moneyAccountAmount(1), QStringLiteral("1000.00\n")), 0);
    start();
    ASSERT_TRUE(uitest::pressCommand(1030));
    const bookingui::CashControls& k = bookingui::cashControls();
    EXPECT_EQ(tk::text(k.difference), QStringLiteral("0.00"));
    tk::setFocus(k.balances[0]);
    tk::setText(k.balances[0], QStringLiteral("700,5"));
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(k.balances[0]), QStringLiteral("700.50"));
    EXPECT_EQ(tk::text(k.difference), QStringLiteral("299.50"));
    EXPECT_FALSE(tk::isEnabled(k.saveButton));
    ASSERT_TRUE(uitest::pressCommand(1050));
    EXPECT_EQ(tk::text(k.balances[1]), QStringLiteral("299.50"));
    ASSERT_TRUE(uitest::pressCommand(1031));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, QString::fromUtf8("Överföring mellan konton är bokad!"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(2)), QByteArray("299.50\r\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_TRUE(mv::storedText(paths.transferVerifications).contains(QString::fromUtf8("Överföring mellan konton")));

    // A difference below one krona is shown as it is, not as 0.00.
    tk::setText(k.balances[0], QStringLiteral("700"));
    tk::setFocus(k.balances[0]);
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(k.difference), QStringLiteral("0.50"));
    EXPECT_FALSE(tk::isEnabled(k.saveButton));

    // Renaming an account alone is saved without a verification.
    tk::setText(k.balances[0], QStringLiteral("700.50"));
    tk::setText(k.names[5], QStringLiteral("Sparkonto"));
    tk::setFocus(k.names[5]);
    uitest::clearBoxes();
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_TRUE(tk::isEnabled(k.saveButton));
    ASSERT_TRUE(uitest::pressCommand(1031));
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_EQ(bytesOf(paths.moneyAccountName(6)), QByteArray("Sparkonto\r\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
}

TEST_F(BookingPageTest, LockedYearBooksNothing) {
    putBytes(paths.lockMark, "1\r\n");
    start();
    openIncome();
    const bookingui::EntryControls& c = entryControls(Side::Income);
    EXPECT_TRUE(tk::isReadOnly(c.net));
    EXPECT_TRUE(tk::isReadOnly(c.eventDate));
    tk::setFocus(c.ore);
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_FALSE(tk::isVisible(c.saveButton));
}

TEST_F(BookingPageTest, VatAssetWriteOffFromItsPreset) {
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_moms_skillnad")), QStringLiteral("-2500.00\n")), 0);
    start();
    openIncome();
    const bookingui::EntryControls& c = entryControls(Side::Income);
    chooseType(Side::Income, QString::fromUtf8("Justering, Utbokning momstillgång"));
    EXPECT_EQ(enterWalk(Side::Income).join(u' '), QStringLiteral("ref name net SAVE"));
    EXPECT_EQ(tk::text(c.name), QString::fromUtf8("Skattekontot på Skatteverket"));
    EXPECT_EQ(tk::text(c.freeText), QStringLiteral("Utbetald moms bokas ur bokföringen"));
    EXPECT_EQ(tk::text(c.net), QStringLiteral("2500.00"));
    EXPECT_TRUE(tk::isReadOnly(c.street));
    ASSERT_TRUE(uitest::pressCommand(1041));
    // Saved at once, without a cash step.
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("fga_moms_skillnad"))), QByteArray("0.00\r\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_TRUE(mv::storedText(paths.cashBook).endsWith(QString::fromUtf8("+ Påverkar ej =\n")));
    EXPECT_EQ(tk::text(c.lastNumber), QStringLiteral("1"));
    // Nothing left: the type says so and the form opens afresh.
    uitest::clearBoxes();
    chooseType(Side::Income, QString::fromUtf8("Justering, Utbokning momstillgång"));
    tk::setFocus(c.eventDate);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, QString::fromUtf8("Det finns varken mostillgång eller momsskuld att boka ut!!"));
    EXPECT_EQ(tk::item(c.type, 0), QString::fromUtf8("Inkomst, Arbete och Tjänst"));
}

TEST_F(BookingPageTest, PayableRegisteredAndShownInTheViewer) {
    start();
    openExpense();
    const bookingui::EntryControls& c = entryControls(Side::Expense);
    chooseType(Side::Expense, QString::fromUtf8("Bokslut, Leverantörsskulder"));
    tk::setFocus(c.eventDate);
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_FALSE(tk::isVisible(c.number));
    tk::setText(c.reference, QStringLiteral("L-17"));
    tk::setText(c.name, QStringLiteral("Bygg AB"));
    tk::setText(c.net, QStringLiteral("1000"));
    tk::setText(c.rate, QStringLiteral("25"));
    tk::setFocus(c.rate);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_TRUE(uitest::pressCommand(1044));
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("Leverantorsskulder"))), QByteArray("1000.00\r\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
    EXPECT_TRUE(tk::text(c.view).contains(QString::fromUtf8("LEVERANTÖRSSKULDER (inkl. moms) 2014")));
    EXPECT_TRUE(tk::text(c.view).contains(QStringLiteral("Bygg AB               1250.00")));
    // Back to an ordinary type: the verification list again, and the number.
    chooseType(Side::Expense, QStringLiteral("Utgift, Annat"));
    tk::setFocus(c.eventDate);
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_FALSE(tk::text(c.view).contains(QStringLiteral("LEVERANT")));
    EXPECT_TRUE(tk::isVisible(c.number));
}

TEST_F(BookingPageTest, OwnSalaryPreset) {
    start();
    bookingui::openExpenseWithPreset(mv::WithdrawalPreset::OwnSalary, mv::Amount::fromKronor(15000));
    uitest::settle();
    const bookingui::EntryControls& c = entryControls(Side::Expense);
    EXPECT_GT(pageState(shell::PageId::Expense), 0);
    EXPECT_EQ(tk::item(c.type, 0), QString::fromUtf8("Utgift, Uttag för egen lön"));
    EXPECT_EQ(tk::text(c.freeText), QString::fromUtf8("Eget uttag för lön. Nollställer kontot."));
    EXPECT_EQ(tk::text(c.net), QStringLiteral("15000.00"));
    for (int f : {c.name, c.street, c.postcode, c.town, c.sign, c.ore, c.rate}) EXPECT_TRUE(tk::isReadOnly(f));
    EXPECT_EQ(tk::text(c.total), QStringLiteral("15000.00"));
}

TEST_F(BookingPageTest, SaleBeyondTheAssetValueRefusedOnEnter) {
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_inventarievarde")), QStringLiteral("1000.00\n")), 0);
    start();
    openIncome();
    const bookingui::EntryControls& c = entryControls(Side::Income);
    chooseType(Side::Income, QStringLiteral("Inkomst, Inventarier"));
    tk::setFocus(c.net);
    uitest::typeText(QStringLiteral("1000.01"));
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_EQ(uitest::boxes()[0].text, QString::fromUtf8("-0.01kr i saldot skulle det bli efter försäljning för "
                                                         "kontot!\nSaldot för kontot får ej bli minus, "
                                                         "transaktionen avbryts!\n\n"));
    EXPECT_EQ(uitest::boxes()[1].title, QString::fromUtf8("Dr. Hjälp"));
    EXPECT_EQ(tk::focusedControl(), c.net);
    // The whole remaining value may be sold.
    tk::setText(c.net, QStringLiteral("1000"));
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(uitest::boxes().size(), 2u);
    EXPECT_EQ(tk::focusedControl(), c.rate);
}

TEST_F(BookingPageTest, CustomerPickFillsTheAddress) {
    ASSERT_EQ(mv::writeText(paths.customerList, QStringLiteral("Kund AB\nAnnan Kund\n")), 0);
    ASSERT_EQ(mv::writeText(paths.customer(QStringLiteral("Annan Kund")),
                            QString::fromUtf8("Annan Kund\nStorgatan 1\n90325\nUmeå\n")),
              0);
    start();
    openIncome();
    const bookingui::EntryControls& c = entryControls(Side::Income);
    ASSERT_TRUE(uitest::pressCommand(1039));
    EXPECT_FALSE(tk::isVisible(c.name));
    ASSERT_TRUE(tk::isVisible(c.nameList));
    EXPECT_EQ(tk::itemCount(c.nameList), 2);
    ASSERT_EQ(tk::selectItem(c.nameList, QStringLiteral("Annan")), 2);
    // The pick is taken by the next Enter in the form.
    tk::setFocus(c.reference);
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_TRUE(tk::isVisible(c.name));
    EXPECT_EQ(tk::text(c.name), QStringLiteral("Annan Kund"));
    EXPECT_EQ(tk::text(c.street), QStringLiteral("Storgatan 1"));
    EXPECT_EQ(tk::text(c.postcode), QStringLiteral("90325"));
    EXPECT_EQ(tk::text(c.town), QString::fromUtf8("Umeå"));
}

} // namespace

TEST_F(BookingPageTest, IncomeListPrintsTheVerificationSavedLastOrNothingWhenAbsent) {
    start();
    const QString pdf = QDir::current().absoluteFilePath(QStringLiteral("out.pdf"));
    tk::setPrintToFile(pdf);
    for (const char* net : {"1200", "80"}) {
        openIncome();
        fillIncome(net, "25");
        const bookingui::EntryControls& c = entryControls(Side::Income);
        tk::setFocus(c.ore);
        uitest::pressKey(QStringLiteral("Enter"));
        ASSERT_TRUE(uitest::pressCommand(1041));
        ASSERT_TRUE(uitest::pressCommand(1049));
        ASSERT_TRUE(uitest::pressCommand(1031));
    }
    const bookingui::EntryControls& c = entryControls(Side::Income);
    ASSERT_EQ(tk::text(c.lastNumber), QStringLiteral("2"));
    EXPECT_TRUE(tk::isVisible(shell::printButton()));

    // "Ver.nr" holds 2: only verification 2 is printed.
    ASSERT_TRUE(uitest::pressCommand(1034));
    const QString printed = uitest::pdfText(pdf);
    EXPECT_TRUE(printed.contains(QStringLiteral("100.00"))) << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("1500.00"))) << printed.toStdString();
    EXPECT_TRUE(uitest::boxes().empty());

    // A number that is in no block prints nothing and says so.
    QFile::remove(pdf);
    tk::setText(c.lastNumber, QStringLiteral("7"));
    ASSERT_TRUE(uitest::pressCommand(1034));
    EXPECT_FALSE(QFile::exists(pdf));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("PRINTMEDDELANDE"));
    tk::setPrintToFile(QString());
}
