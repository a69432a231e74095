// Reading saved documents back for the income page: by lines and labels,
// for every kind (also with a "%" and "Summa" in an article row), the pick,
// a typed OCR reference, and the move to the paid name.
#include "invoicing/invoice_numbering.h"
#include "invoicing/invoice_payment.h"
#include "invoicing/invoice_save.h"
#include "invoicing_fixture.h"
#include "store/text_codec.h"

#include <QFile>

namespace {

class InvoicePaymentTest : public InvoicingTest {
  protected:
    static mv::ReadInvoice readGolden(const char* name) {
        return mv::readInvoiceDocument(mv::decodeStored(golden(QString::fromUtf8(name))));
    }
};

TEST_F(InvoicePaymentTest, EveryKindIsReadByItsLabels) {
    const mv::ReadInvoice s = readGolden("invoice_standard.kdb");
    ASSERT_TRUE(s.ok);
    EXPECT_FALSE(s.claim);
    EXPECT_EQ(s.number, u("14001"));
    EXPECT_EQ(s.date, u("2014-03-07"));
    EXPECT_EQ(s.name, u("Kalle Anka"));
    EXPECT_EQ(s.street, u("Ankgatan 13"));
    EXPECT_EQ(s.postcode, u("12345"));
    EXPECT_EQ(s.town, u("Ankeborg"));
    EXPECT_EQ(s.total, u("301.50"));
    EXPECT_EQ(s.rate, u("25"));
    EXPECT_EQ(s.toPay, u("376.88"));

    const mv::ReadInvoice r = readGolden("invoice_reverse_charge.kdb");
    EXPECT_EQ(r.total, u("4000.00"));
    EXPECT_EQ(r.rate, u("0"));
    EXPECT_EQ(r.name, u("Bygg AB"));

    const mv::ReadInvoice h = readGolden("invoice_house_work.kdb");
    EXPECT_EQ(h.total, u("2500.00"));
    EXPECT_EQ(h.toPay, u("3125.00"));

    const mv::ReadInvoice c = readGolden("invoice_house_work_claim.kdb");
    EXPECT_TRUE(c.claim);
    EXPECT_EQ(c.number, u("14004"));
    EXPECT_EQ(c.total, u("2500.00"));
    EXPECT_EQ(c.toPay, u("3125.00"));

    const mv::ReadInvoice b = readGolden("invoice_payment_order.kdb");
    EXPECT_EQ(b.number, u("14005"));
    EXPECT_EQ(b.name, u("Kalle Anka"));
    EXPECT_EQ(b.total, u("1000.80"));
}

TEST_F(InvoicePaymentTest, ArticleRowsCannotMisleadTheReader) {
    mv::InvoiceDraft d = standardDraft();
    d.rows[0].sort = u("Summa 99.00 rabatt 10%");
    d.rows[1].sort = u("Momssats 12% Moms 1.00");
    ASSERT_TRUE(mv::saveInvoice(paths, d, false, {}).saved);
    const mv::ReadInvoice r = mv::readInvoiceDocument(mv::storedText(paths.invoice(u("14001"))));
    EXPECT_EQ(r.total, u("301.50"));
    EXPECT_EQ(r.rate, u("25"));
}

TEST_F(InvoicePaymentTest, PickFillsTheIncomeForm) {
    ASSERT_TRUE(mv::saveInvoice(paths, standardDraft(), false, {}).saved);
    ASSERT_TRUE(mv::saveInvoice(paths, reverseChargeDraft(), false, {}).saved);
    ASSERT_TRUE(mv::saveInvoice(paths, houseWorkDraft(), false, {}).saved);

    const mv::InvoicePick s = mv::pickInvoice(paths, u("14001"));
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.name, u("Kalle Anka"));
    EXPECT_EQ(s.town, u("Ankeborg"));
    EXPECT_EQ(s.net, u("301.50"));
    EXPECT_EQ(s.rate, u("25"));
    EXPECT_FALSE(s.withoutVat);
    EXPECT_EQ(s.freeText, u("Faktura utskickad 2014-03-07"));

    const mv::InvoicePick r = mv::pickInvoice(paths, u("14002"));
    EXPECT_EQ(r.net, u("4000.00"));
    EXPECT_TRUE(r.withoutVat);

    const mv::InvoicePick c = mv::pickInvoice(paths, u("14004_BU"));
    EXPECT_EQ(c.name, u("Skatteverket"));
    EXPECT_EQ(c.freeText, u("Utbetalt från Skatteverket "));
    EXPECT_EQ(c.net, u("2500.00"));
    EXPECT_EQ(c.rate, u("25"));

    EXPECT_FALSE(mv::pickInvoice(paths, u("../foretaget/faktura")).ok);
    EXPECT_FALSE(mv::pickInvoice(paths, u("14009")).ok);
}

TEST_F(InvoicePaymentTest, ATypedReferenceFindsItsOpenInvoice) {
    ASSERT_TRUE(mv::saveInvoice(paths, standardDraft(), false, {}).saved);
    ASSERT_TRUE(mv::saveInvoice(paths, houseWorkDraft(), false, {}).saved);
    EXPECT_EQ(mv::invoiceOfReference(paths, mv::ocrReference(14001)), u("14001"));
    EXPECT_EQ(mv::invoiceOfReference(paths, mv::ocrReference(14004)), u("14004_BU"));
    EXPECT_EQ(mv::invoiceOfReference(paths, u(" 14003 ")), u("14003"));
    EXPECT_EQ(mv::invoiceOfReference(paths, u("1400176")), QString()); // wrong check digit
    EXPECT_EQ(mv::invoiceOfReference(paths, mv::ocrReference(14002)), QString()); // no such invoice
    // A document's own OCR line carries the reference.
    EXPECT_TRUE(mv::storedText(paths.invoice(u("14001"))).contains(u("OCR-nummer: 1400175\n")));
}

TEST_F(InvoicePaymentTest, MarkingPaidMovesTheDocumentOnce) {
    ASSERT_TRUE(mv::saveInvoice(paths, houseWorkDraft(), false, {}).saved);
    const QByteArray claim = bytesOf(paths.invoice(u("14004_BU")));
    mv::ChangeSet set(mv::Operation::Income);
    ASSERT_FALSE(mv::addMarkPaidChanges(paths, u("14004_BU"), set).has_value());
    ASSERT_TRUE(mv::commitChangeSet(paths, set, 0).ok);
    EXPECT_FALSE(QFile::exists(paths.invoice(u("14004_BU"))));
    EXPECT_EQ(bytesOf(paths.invoice(u("14004_BETALD"))), claim);
    EXPECT_EQ(mv::invoiceList(paths, false), (QStringList{u("14003")}));
    EXPECT_EQ(mv::invoiceList(paths, true), (QStringList{u("14003"), u("14004_BETALD")}));
    // The same claim cannot be paid twice, nor a paid or unknown entry.
    mv::ChangeSet again(mv::Operation::Income);
    EXPECT_TRUE(mv::addMarkPaidChanges(paths, u("14004_BU"), again).has_value());
    EXPECT_TRUE(mv::addMarkPaidChanges(paths, u("14004_BETALD"), again).has_value());
    EXPECT_TRUE(mv::addMarkPaidChanges(paths, u("../x"), again).has_value());
    EXPECT_TRUE(again.empty());
}

} // namespace
