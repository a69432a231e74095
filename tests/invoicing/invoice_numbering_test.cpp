// Invoice numbers of a year, the refusals at its end, the list of saved
// invoices with paid and payment-order entries, and the OCR reference.
#include "invoicing/invoice_numbering.h"
#include "invoicing/invoice_save.h"
#include "invoicing_fixture.h"
#include "store/message_recorder.h"

namespace {

class InvoiceNumberingTest : public InvoicingTest {
  protected:
    int next(mv::InvoiceKind kind = mv::InvoiceKind::Standard) {
        const mv::NextNumber n = mv::nextInvoiceNumber(paths, kind);
        return n.ok ? n.number : 0;
    }
    bool save(mv::InvoiceDraft d, mv::InvoiceKind kind) {
        const mv::NextNumber n = mv::nextInvoiceNumber(paths, kind);
        if (!n.ok) return false;
        d.number = QString::number(n.number);
        if (kind == mv::InvoiceKind::HouseWork)
            d.rows[11].sort = mv::deductionClaimRowText(n.number + 1);
        return mv::saveInvoice(paths, d, false, {}).saved;
    }
    void setCounter(const char* text) {
        ASSERT_EQ(mv::writeText(paths.invoiceCounter, QString::fromUtf8(text)), 0);
    }
};

TEST_F(InvoiceNumberingTest, FirstNumbersOfAYear) {
    EXPECT_EQ(mv::firstInvoiceNumber(u("2014")), 14001);
    EXPECT_EQ(mv::firstInvoiceNumber(u("2009")), 9001);
    EXPECT_EQ(mv::lastInvoiceNumber(u("2014")), 14999);
    // A new year without "_skapat.kdb" or counter starts at 14001, then 14002;
    // a house-work invoice takes 14003 and 14004_BU and the next one is 14005.
    EXPECT_EQ(next(), 14001);
    ASSERT_TRUE(save(standardDraft(), mv::InvoiceKind::Standard));
    EXPECT_EQ(next(), 14002);
    ASSERT_TRUE(save(standardDraft(), mv::InvoiceKind::Standard));
    ASSERT_TRUE(save(houseWorkDraft(), mv::InvoiceKind::HouseWork));
    EXPECT_TRUE(QFile::exists(paths.invoice(u("14003"))));
    EXPECT_TRUE(QFile::exists(paths.invoice(u("14004_BU"))));
    EXPECT_EQ(mv::storedInvoiceCounter(paths), 14004);
    EXPECT_EQ(next(), 14005);
}

TEST_F(InvoiceNumberingTest, TheEndOfTheYearsNumbers) {
    setCounter("14999\n");
    const mv::NextNumber n = mv::nextInvoiceNumber(paths, mv::InvoiceKind::Standard);
    ASSERT_FALSE(n.ok);
    EXPECT_EQ(n.message.text,
              u("Fakturanummreringen har uppnått maxnivån 999\nResten av året måste "
                "fakturorna skrivas för hand!\n"));
    EXPECT_EQ(n.message.title, u("MEDDELANDE"));
    EXPECT_EQ(n.message.icon, u("EXCLAMATION"));
    // At 14998 a house-work invoice would spill its claim into 15000.
    setCounter("14998\n");
    EXPECT_FALSE(mv::nextInvoiceNumber(paths, mv::InvoiceKind::HouseWork).ok);
    EXPECT_EQ(next(mv::InvoiceKind::Standard), 14999);
    // A draft numbered past the year is refused at the save as well.
    mv::InvoiceDraft d = houseWorkDraft();
    d.number = u("14999");
    MessageRecorder r;
    EXPECT_FALSE(mv::saveInvoice(paths, d, false, r.show()).saved);
    EXPECT_FALSE(QFile::exists(paths.invoice(u("14999"))));
    d = standardDraft();
    d.number = u("15000");
    EXPECT_FALSE(mv::saveInvoice(paths, d, false, r.show()).saved);
    d.number = u("14999");
    EXPECT_TRUE(mv::saveInvoice(paths, d, false, r.show()).saved);
}

TEST_F(InvoiceNumberingTest, ALostCounterNeverReusesANumber) {
    ASSERT_TRUE(save(standardDraft(), mv::InvoiceKind::Standard));
    ASSERT_TRUE(save(standardDraft(), mv::InvoiceKind::Standard));
    setCounter("");
    EXPECT_EQ(next(), 14003);
    setCounter("garbage\n");
    EXPECT_EQ(next(), 14003);
}

TEST_F(InvoiceNumberingTest, TheListShowsOpenPaidAndPaymentOrderEntries) {
    setCounter("14006\n");
    putBytes(paths.invoice(u("14001")), "x\r\n");
    putBytes(paths.invoice(u("14002_BETALD")), "x\r\n");
    putBytes(paths.invoice(u("14004_BU")), "x\r\n");
    putBytes(paths.invoice(u("14005_BU")), "");   // empty: does not count
    putBytes(paths.invoice(u("14007")), "x\r\n"); // above the counter
    EXPECT_EQ(mv::invoiceList(paths, true),
              (QStringList{u("14001"), u("14002_BETALD"), u("14004_BU")}));
    EXPECT_EQ(mv::invoiceList(paths, false), (QStringList{u("14001"), u("14004_BU")}));
}

TEST_F(InvoiceNumberingTest, TheListShowsInvoicesCarriedFromEarlierYears) {
    setCounter("14001\n");
    putBytes(paths.invoice(u("13005")), "x\r\n");
    putBytes(paths.invoice(u("9002_BU")), "x\r\n");
    putBytes(paths.invoice(u("14001")), "x\r\n");
    putBytes(paths.invoice(u("8999")), "x\r\n"); // below 9000: not scanned
    EXPECT_EQ(mv::invoiceList(paths, false), (QStringList{u("9002_BU"), u("13005"), u("14001")}));
}

TEST_F(InvoiceNumberingTest, PaidNamesKeepTheNumber) {
    EXPECT_EQ(mv::paidEntryName(u("14001")), u("14001_BETALD"));
    EXPECT_EQ(mv::paidEntryName(u("14004_BU")), u("14004_BETALD"));
    EXPECT_EQ(mv::paidEntryName(u("9001_BU")), u("9001_BETALD"));
}

TEST(InvoiceOcr, LengthAndLuhnDigits) {
    // 14001: length 7 gives "140017"; Luhn over it (7×2=14→5, 1, 0, 0, 4×2=8, 1) is 15: check 5.
    EXPECT_EQ(mv::ocrReference(14001), QStringLiteral("1400175"));
    // 14004: "140047": 7×2→5, 4, 0, 0, 8, 1 = 18: check 2.
    EXPECT_EQ(mv::ocrReference(14004), QStringLiteral("1400472"));
    // 9001: length 6 gives "90016": 6×2=12→3, 1, 0, 0, 9×2=18→9 = 13: check 7.
    EXPECT_EQ(mv::ocrReference(9001), QStringLiteral("900167"));
    EXPECT_TRUE(mv::isOcrReference(QStringLiteral("1400175")));
    EXPECT_FALSE(mv::isOcrReference(QStringLiteral("1400176"))); // check digit
    EXPECT_FALSE(mv::isOcrReference(QStringLiteral("1400185"))); // length digit
    EXPECT_FALSE(mv::isOcrReference(QStringLiteral("14001")));
    EXPECT_EQ(mv::invoiceNumberOfOcr(QStringLiteral("1400175")), 14001);
    EXPECT_EQ(mv::luhnCheckDigit(QStringLiteral("7992739871")), 3); // the textbook example
}

} // namespace
