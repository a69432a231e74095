// The entry pages as a user meets them: fields edited with the desktop's
// keys, Down and "Lista" opening the pick lists dropped down, a choice taken
// at once (a customer only into an empty name), the locked year's read-only
// form, the labels, and the question before a money account goes below zero.
#include "booking_page_fixture.h"

#include "booking/booking_messages.h"
#include "booking/pages/booking_pages.h"
#include "shell/page_paint.h"
#include "store/change_set.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QImage>

namespace {

using bookingui::entryControls;
using mv::Side;

QString u(const char* s) { return QString::fromUtf8(s); }

class EntryFieldsTest : public BookingPageFixture {
protected:
    void open(Side side) {
        uitest::sendCommand(side == Side::Income ? 1036 : 1042);
        ASSERT_GT(pageState(side == Side::Income ? shell::PageId::Income : shell::PageId::Expense), 0);
        uitest::clearBoxes();
    }
    static void focusOn(int control) {
        tk::setFocus(control);
        uitest::settle();
        ASSERT_EQ(tk::focusedControl(), control);
    }
    // Whether the painted page has anything but the form's fill in the rectangle.
    bool inkIn(int left, int top, int right, int bottom) const {
        const int fill = shell::rgb(200, 230, 255);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (pixel(x, y) != fill) return true;
        return false;
    }
    // The window as the user sees it, child controls included.
    QImage seen() const {
        const QString png = shots.path() + QStringLiteral("/seen.png");
        EXPECT_EQ(tk::saveWindowPicture(window(), png), 0);
        return QImage(png);
    }
    void bookExpenseOnCashBox(const char* net) {
        open(Side::Expense);
        const bookingui::EntryControls& c = entryControls(Side::Expense);
        tk::setItem(c.type, 0, QStringLiteral("Utgift, Annat"));
        focusOn(c.net);
        uitest::typeText(u(net));
        focusOn(c.rate);
        uitest::typeText(QStringLiteral("25"));
        focusOn(c.ore);
        uitest::pressKey(QStringLiteral("Enter")); // "Är rätt Konto valt?"
        ASSERT_TRUE(uitest::pressCommand(1044));
        ASSERT_TRUE(uitest::pressCommand(1049)); // onto "Kontantkassa"
        uitest::clearBoxes();
    }

    QTemporaryDir shots;
};

TEST_F(EntryFieldsTest, FieldsEditWithTheDesktopKeys) {
    start();
    open(Side::Income);
    const bookingui::EntryControls& c = entryControls(Side::Income);
    ASSERT_EQ(tk::focusedControl(), c.eventDate);
    ASSERT_EQ(tk::text(c.eventDate), QStringLiteral("2014-03-07"));
    uitest::pressKey(QStringLiteral("End"));
    uitest::pressKey(QStringLiteral("Backspace"));
    uitest::pressKey(QStringLiteral("Backspace"));
    uitest::typeText(QStringLiteral("10"));
    EXPECT_EQ(tk::text(c.eventDate), QStringLiteral("2014-03-10"));
    uitest::pressKey(QStringLiteral("Home"));
    uitest::pressKey(QStringLiteral("Delete"));
    uitest::pressKey(QStringLiteral("Delete"));
    uitest::typeText(QStringLiteral("19"));
    EXPECT_EQ(tk::text(c.eventDate), QStringLiteral("1914-03-10"));
    uitest::pressKey(QStringLiteral("Ctrl+A"));
    uitest::typeText(QStringLiteral("2014-02-28"));
    EXPECT_EQ(tk::text(c.eventDate), QStringLiteral("2014-02-28"));
    EXPECT_TRUE(uitest::boxes().empty()) << "Delete and Backspace are no commands of the page";

    // The net takes "1000000.01" whole, and Enter refuses it as too large.
    focusOn(c.net);
    uitest::typeText(QStringLiteral("1000000.01"));
    EXPECT_EQ(tk::text(c.net), QStringLiteral("1000000.01"));
    uitest::typeText(QStringLiteral("9"));
    EXPECT_EQ(tk::text(c.net), QStringLiteral("1000000.01")) << "ten characters at most";
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("INMATNINGSFEL"));
    EXPECT_EQ(uitest::boxes()[0].text, mv::msg::netTooLarge().text);
    EXPECT_EQ(tk::focusedControl(), c.net);
    // One öre less is taken, and Enter moves on to the rate.
    uitest::pressKey(QStringLiteral("End"));
    uitest::pressKey(QStringLiteral("Backspace"));
    uitest::typeText(QStringLiteral("0"));
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(tk::text(c.net), QStringLiteral("1000000.00"));
    EXPECT_EQ(tk::focusedControl(), c.rate);
}

TEST_F(EntryFieldsTest, DownInTheNameOrFreeTextFieldOpensItsListDroppedDown) {
    ASSERT_EQ(mv::writeText(paths.customerList, QStringLiteral("Kund AB\n")), 0);
    ASSERT_EQ(mv::writeText(paths.supplierList, QStringLiteral("Bygg AB\n")), 0);
    ASSERT_EQ(mv::writeText(paths.incomeFreeTexts, QStringLiteral("Konsultarvode\n")), 0);
    ASSERT_EQ(mv::writeText(paths.expenseFreeTexts, QStringLiteral("Kontorsmaterial\n")), 0);
    start();
    for (Side side : {Side::Income, Side::Expense}) {
        SCOPED_TRACE(side == Side::Income ? "income" : "expense");
        open(side);
        const bookingui::EntryControls& c = entryControls(side);
        for (auto [field, list] : {std::pair{c.name, c.nameList}, std::pair{c.freeText, c.textList}}) {
            focusOn(field);
            uitest::pressKey(QStringLiteral("Down"));
            EXPECT_FALSE(tk::isVisible(field));
            ASSERT_TRUE(tk::isVisible(list));
            EXPECT_TRUE(tk::isDroppedDown(list)) << "open at once, no second click";
            EXPECT_EQ(tk::itemCount(list), 1);
            EXPECT_EQ(tk::focusedControl(), list);
            // Escape closes the open list; Enter in the form puts the field back.
            uitest::pressKey(QStringLiteral("Escape"));
            EXPECT_FALSE(tk::isDroppedDown(list));
            focusOn(c.street);
            uitest::pressKey(QStringLiteral("Enter"));
            EXPECT_TRUE(tk::isVisible(field));
            EXPECT_FALSE(tk::isVisible(list));
        }
        // Down elsewhere opens nothing.
        focusOn(c.street);
        uitest::pressKey(QStringLiteral("Down"));
        EXPECT_FALSE(tk::isVisible(c.nameList));
        EXPECT_FALSE(tk::isVisible(c.textList));
        EXPECT_EQ(tk::focusedControl(), c.street);
        // The button opens the same list, dropped down as well.
        ASSERT_TRUE(uitest::pressCommand(side == Side::Income ? 1039 : 1046));
        EXPECT_TRUE(tk::isDroppedDown(c.nameList));
        ASSERT_TRUE(uitest::pressCommand(side == Side::Income ? 1040 : 1043));
        EXPECT_TRUE(tk::isDroppedDown(c.textList));
    }
}

TEST_F(EntryFieldsTest, AChoiceIsTakenAtOnceAndACustomerOnlyIntoAnEmptyName) {
    ASSERT_EQ(mv::writeText(paths.customerList, QStringLiteral("Kund AB\nAnnan Kund\n")), 0);
    ASSERT_EQ(mv::writeText(paths.customer(QStringLiteral("Annan Kund")), u("Annan Kund\nStorgatan 1\n90325\nUmeå\n")),
              0);
    ASSERT_EQ(mv::writeText(paths.supplierList, QStringLiteral("Bygg AB\n")), 0);
    ASSERT_EQ(mv::writeText(paths.supplier(QStringLiteral("Bygg AB")), u("Bygg AB\nVägen 2\n11122\nStockholm\n")),
              0);
    ASSERT_EQ(mv::writeText(paths.incomeFreeTexts, QStringLiteral("Konsultarvode\n")), 0);
    start();
    open(Side::Income);
    const bookingui::EntryControls& c = entryControls(Side::Income);
    ASSERT_TRUE(uitest::pressCommand(1039));
    ASSERT_EQ(tk::chooseItem(c.nameList, 2), 0);
    uitest::settle();
    EXPECT_FALSE(tk::isVisible(c.nameList)) << "no Enter needed";
    EXPECT_EQ(tk::text(c.name), QStringLiteral("Annan Kund"));
    EXPECT_EQ(tk::text(c.street), QStringLiteral("Storgatan 1"));
    EXPECT_EQ(tk::text(c.town), u("Umeå"));
    EXPECT_EQ(tk::focusedControl(), c.name);

    // A typed name stays: the choice does not overwrite it or its address.
    tk::setText(c.name, u("Egen Kund"));
    tk::setText(c.street, QStringLiteral("Ringvägen 9"));
    ASSERT_TRUE(uitest::pressCommand(1039));
    ASSERT_EQ(tk::chooseItem(c.nameList, 2), 0);
    uitest::settle();
    EXPECT_FALSE(tk::isVisible(c.nameList));
    EXPECT_TRUE(tk::isVisible(c.name));
    EXPECT_EQ(tk::text(c.name), u("Egen Kund"));
    EXPECT_EQ(tk::text(c.street), QStringLiteral("Ringvägen 9"));
    // The same through Enter in the form.
    ASSERT_TRUE(uitest::pressCommand(1039));
    ASSERT_EQ(tk::selectItem(c.nameList, QStringLiteral("Kund")), 1);
    focusOn(c.reference);
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(c.name), u("Egen Kund"));
    // A free text is always taken.
    tk::setText(c.freeText, QStringLiteral("Skrivet"));
    ASSERT_TRUE(uitest::pressCommand(1040));
    ASSERT_EQ(tk::chooseItem(c.textList, 1), 0);
    uitest::settle();
    EXPECT_EQ(tk::text(c.freeText), QStringLiteral("Konsultarvode"));
    EXPECT_EQ(tk::focusedControl(), c.freeText);

    // A supplier replaces a typed name.
    open(Side::Expense);
    const bookingui::EntryControls& e = entryControls(Side::Expense);
    tk::setText(e.name, QStringLiteral("Skrivet namn"));
    ASSERT_TRUE(uitest::pressCommand(1046));
    ASSERT_EQ(tk::chooseItem(e.nameList, 1), 0);
    uitest::settle();
    EXPECT_EQ(tk::text(e.name), QStringLiteral("Bygg AB"));
    EXPECT_EQ(tk::text(e.postcode), QStringLiteral("11122"));
}

TEST_F(EntryFieldsTest, LockedYearShowsAReadOnlyFormWithItsButtonsDisabled) {
    ASSERT_EQ(mv::writeText(paths.customerList, QStringLiteral("Kund AB\n")), 0);
    putBytes(paths.lockMark, "1\r\n");
    start();
    for (Side side : {Side::Income, Side::Expense}) {
        SCOPED_TRACE(side == Side::Income ? "income" : "expense");
        open(side);
        const bookingui::EntryControls& c = entryControls(side);
        for (int f : {c.number, c.bookingDate, c.eventDate, c.reference, c.name, c.street, c.postcode, c.town,
                      c.freeText, c.net, c.rate, c.vat, c.sign, c.ore, c.total})
            EXPECT_TRUE(tk::isReadOnly(f)) << f;
        EXPECT_FALSE(tk::isEnabled(c.type));
        for (int b : {c.clearButton, c.saveButton, c.nameListButton, c.textListButton}) EXPECT_FALSE(tk::isEnabled(b));
        EXPECT_EQ(tk::buttonWithCommand(window(), side == Side::Income ? 1037 : 1045), 0) << "Rensa";
        if (side == Side::Income) {
            EXPECT_EQ(tk::buttonWithCommand(window(), 1038), 0) << "the invoice list";
        }
        // The fields show it: no white field background.
        const QImage picture = seen();
        EXPECT_NE(picture.pixelColor(320, 198), QColor(Qt::white)) << "name";
        EXPECT_NE(picture.pixelColor(300, 340), QColor(Qt::white)) << "net";
        // Down in the name opens nothing.
        focusOn(c.name);
        uitest::pressKey(QStringLiteral("Down"));
        EXPECT_FALSE(tk::isVisible(c.nameList));
    }
    // An open year: the same fields white again, the buttons back.
    shell::state().yearLocked = 2;
    open(Side::Income);
    const bookingui::EntryControls& c = entryControls(Side::Income);
    EXPECT_TRUE(tk::isEnabled(c.clearButton));
    EXPECT_TRUE(tk::isEnabled(c.nameListButton));
    EXPECT_EQ(seen().pixelColor(320, 198), QColor(Qt::white));
    EXPECT_NE(seen().pixelColor(300, 442), QColor(Qt::white)) << "the total never takes typing";
}

TEST_F(EntryFieldsTest, RateAndOreLabelsOfBothPages) {
    start();
    open(Side::Income);
    EXPECT_TRUE(inkIn(196, 357, 212, 370)) << "income: '%' before the rate";
    EXPECT_TRUE(inkIn(255, 357, 298, 370)) << "income: 'Moms' before the VAT";
    EXPECT_TRUE(inkIn(15, 399, 40, 412)) << "'Öre' under 'Öresutjämning'";
    EXPECT_FALSE(inkIn(240, 399, 284, 414)) << "nothing between the sign and the öre";
    open(Side::Expense);
    EXPECT_TRUE(inkIn(170, 357, 212, 370)) << "expense: 'Moms' labels the rate";
    EXPECT_FALSE(inkIn(255, 357, 298, 370)) << "and stands there once";
    EXPECT_TRUE(inkIn(15, 399, 40, 412));
}

TEST_F(EntryFieldsTest, CashStepAsksBeforeAMoneyAccountGoesBelowZero) {
    start();
    bookExpenseOnCashBox("1000");
    // "Nej" (the default): nothing is saved and the step still waits.
    ASSERT_TRUE(uitest::pressCommand(1031));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    const uitest::Box& box = uitest::boxes()[0];
    EXPECT_EQ(box.title, QStringLiteral("MEDDELANDE"));
    EXPECT_EQ(box.text, u("Kontot Kontantkassa blir negativt: -1250.00. Vill du spara ändå?"));
    EXPECT_EQ(box.buttons, QStringLiteral("yes_NO"));
    EXPECT_EQ(box.result, 1);
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
    EXPECT_EQ(bytesOf(paths.cash), QByteArray());
    EXPECT_EQ(shell::state().cashStepWaiting, 1);
    EXPECT_GT(pageState(shell::PageId::Transfer), 0);
    // "Ja": saved on the account chosen.
    uitest::clearBoxes();
    uitest::answerNextBox(4);
    ASSERT_TRUE(uitest::pressCommand(1031));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), QByteArray("-1250.00\r\n"));
    EXPECT_EQ(shell::state().cashStepWaiting, 0);
    // An income onto the overdrawn account asks nothing.
    uitest::clearBoxes();
    open(Side::Income);
    const bookingui::EntryControls& c = entryControls(Side::Income);
    focusOn(c.net);
    uitest::typeText(QStringLiteral("100"));
    focusOn(c.rate);
    uitest::typeText(QStringLiteral("25"));
    focusOn(c.ore);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_TRUE(uitest::pressCommand(1041));
    ASSERT_TRUE(uitest::pressCommand(1049));
    ASSERT_TRUE(uitest::pressCommand(1031));
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), QByteArray("-1125.00\r\n"));
}

TEST_F(EntryFieldsTest, TransferAsksBeforeAMoneyAccountGoesBelowZero) {
    ASSERT_EQ(mv::writeText(paths.cash, QStringLiteral("1000.00\n")), 0);
    ASSERT_EQ(mv::writeText(paths.moneyAccountAmount(1), QStringLiteral("1000.00\n")), 0);
    start();
    ASSERT_TRUE(uitest::pressCommand(1030));
    const bookingui::CashControls& k = bookingui::cashControls();
    tk::setText(k.balances[0], QStringLiteral("-200"));
    tk::setText(k.balances[1], QStringLiteral("1200"));
    focusOn(k.balances[1]);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_TRUE(tk::isEnabled(k.saveButton));
    ASSERT_TRUE(uitest::pressCommand(1031));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, u("Kontot Kontantkassa blir negativt: -200.00. Vill du spara ändå?"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), QByteArray("1000.00\r\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
    uitest::clearBoxes();
    uitest::answerNextBox(4);
    ASSERT_TRUE(uitest::pressCommand(1031));
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_EQ(uitest::boxes()[1].text, u("Överföring mellan konton är bokad!"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), QByteArray("-200.00\r\n"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(2)), QByteArray("1200.00\r\n"));
    // A transfer that leaves every account at zero or above asks nothing.
    uitest::clearBoxes();
    tk::setText(k.balances[0], QStringLiteral("0"));
    tk::setText(k.balances[1], QStringLiteral("1000"));
    focusOn(k.balances[1]);
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_TRUE(uitest::pressCommand(1031));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, u("Överföring mellan konton är bokad!"));
}

} // namespace
