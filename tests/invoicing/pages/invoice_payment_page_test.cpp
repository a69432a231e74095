// An invoice of each kind saved through the form and then paid from the
// income page through the pick: the booking carries the invoice's customer,
// net and rate, and the invoice moves to its paid name. A typed OCR
// reference finds its invoice.
#include "invoice_page_fixture.h"

#include "booking/booking_messages.h"
#include "booking/pages/invoice_pick.h"
#include "invoicing/invoice_numbering.h"
#include "store/change_set.h"

#include <QFile>

namespace {

using bookingui::entryControls;

class InvoicePaymentPageTest : public InvoicePageFixture {
  protected:
    void openIncome() {
        uitest::sendCommand(1036);
        ASSERT_GT(pageState(shell::PageId::Income), 0);
    }
    // Chooses the entry in the reference list as the user does.
    void chooseInvoice(const QString& entry) {
        ASSERT_TRUE(uitest::pressCommand(1038));
        const int list = bookingui::invoicePickList();
        ASSERT_TRUE(tk::isVisible(list));
        int index = 0;
        for (int i = 1; i <= tk::itemCount(list); ++i)
            if (tk::item(list, i) == entry) index = i;
        ASSERT_GT(index, 0) << entry.toStdString();
        ASSERT_EQ(tk::chooseItem(list, index), 0);
        uitest::settle();
    }
    // Enter to "Spara", save, and place the amount on the first account.
    void book() {
        for (int i = 0; i < 4 && !tk::isVisible(entryControls(mv::Side::Income).saveButton); ++i)
            uitest::pressKey(QStringLiteral("Enter"));
        ASSERT_TRUE(uitest::pressCommand(1041));
        ASSERT_GT(pageState(shell::PageId::Transfer), 0);
        ASSERT_TRUE(uitest::pressCommand(1049));
        ASSERT_TRUE(uitest::pressCommand(1031));
        ASSERT_GT(pageState(shell::PageId::Income), 0);
    }
    QString lastBlock() const {
        const QString list = mv::storedText(paths.inVerifications);
        return list.mid(list.lastIndexOf(u("Verifikat          =")));
    }
};

TEST_F(InvoicePaymentPageTest, EachKindIsPaidThroughThePick) {
    start();
    saveInvoice(invoiceui::cmd::standard);                 // 14001: 5000.00 + 1250.00
    saveInvoice(invoiceui::cmd::reverseCharge, "Bygg AB"); // 14002: 5000.00, 0 %
    saveInvoice(invoiceui::cmd::houseWork, "Eva Ek");      // 14003 and its claim 14004_BU
    saveInvoice(invoiceui::cmd::paymentOrder);             // 14005_BU
    ASSERT_EQ(mv::invoiceList(paths, false),
              (QStringList{u("14001"), u("14002"), u("14003"), u("14004_BU"), u("14005_BU")}));
    const bookingui::EntryControls& c = entryControls(mv::Side::Income);
    struct Case {
        const char* entry;
        const char* name;
        const char* net;
        const char* rate;
        const char* type;
        const char* total;
    };
    const Case cases[] = {
        {"14001", "Kalle Anka", "5000.00", "25", "Inkomst, Arbete och Tjänst", "6250.00"},
        {"14002", "Bygg AB", "5000.00", "", "Inkomst, Omvänd moms", "5000.00"},
        {"14003", "Eva Ek", "2500.00", "25", "Inkomst, Arbete och Tjänst", "3125.00"},
        {"14004_BU", "Skatteverket", "2500.00", "25", "Inkomst, Arbete och Tjänst", "3125.00"},
        {"14005_BU", "Kalle Anka", "5000.00", "25", "Inkomst, Arbete och Tjänst", "6250.00"},
    };
    for (const Case& k : cases) {
        openIncome();
        chooseInvoice(u(k.entry));
        EXPECT_EQ(tk::text(c.reference), u(k.entry));
        EXPECT_EQ(tk::text(c.name), u(k.name));
        EXPECT_EQ(tk::text(c.net), u(k.net));
        EXPECT_EQ(tk::text(c.rate), u(k.rate));
        EXPECT_EQ(tk::item(c.type, 0), u(k.type));
        EXPECT_EQ(tk::text(c.total), u(k.total)) << k.entry;
        uitest::clearBoxes();
        book();
        // The question about the account, as for every picked invoice.
        ASSERT_FALSE(uitest::boxes().empty());
        EXPECT_EQ(uitest::boxes()[0].text,
                  mv::msg::checkAccountIncome(QString::fromUtf8(k.rate).isEmpty()).text);
        const QString block = lastBlock();
        EXPECT_TRUE(block.contains(u("Faktura/Ref        = ") + u(k.entry))) << block.toStdString();
        EXPECT_TRUE(block.contains(u(k.name))) << block.toStdString();
        EXPECT_TRUE(block.contains(u(k.total))) << block.toStdString();
        EXPECT_FALSE(QFile::exists(paths.invoice(u(k.entry)))) << k.entry;
        EXPECT_TRUE(QFile::exists(paths.invoice(mv::paidEntryName(u(k.entry))))) << k.entry;
    }
    EXPECT_TRUE(mv::invoiceList(paths, false).isEmpty());
    EXPECT_EQ(mv::invoiceList(paths, true).size(), 5);
}

TEST_F(InvoicePaymentPageTest, ATypedOcrReferenceFindsItsInvoice) {
    start();
    saveInvoice(invoiceui::cmd::standard);
    openIncome();
    const bookingui::EntryControls& c = entryControls(mv::Side::Income);
    tk::setFocus(c.reference);
    uitest::typeText(mv::ocrReference(14001));
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(c.reference), u("14001"));
    EXPECT_EQ(tk::text(c.name), u("Kalle Anka"));
    EXPECT_EQ(tk::focusedControl(), c.rate);
    // "Rensa" forgets the pick: nothing is marked paid by the next booking.
    ASSERT_TRUE(uitest::pressCommand(1037));
    EXPECT_TRUE(bookingui::pickedInvoice().isEmpty());
    tk::setFocus(c.reference);
    uitest::typeText(u("1400176")); // a wrong check digit names nothing
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_TRUE(tk::text(c.name).isEmpty());
    EXPECT_TRUE(QFile::exists(paths.invoice(u("14001"))));
}

} // namespace
