// The documents of the four kinds against golden files written by hand from
// the layout, and the layout's rules for the customer and contact columns.
#include "invoicing/invoice_document.h"
#include "invoicing/invoice_figures.h"
#include "invoicing/invoice_save.h"
#include "invoicing_fixture.h"
#include "store/text_codec.h"

namespace {

class InvoiceDocumentTest : public InvoicingTest {
  protected:
    static mv::DocumentSources sources() {
        mv::DocumentSources s;
        s.company = mv::yearRecord().company;
        s.middle = {u("Tack för beställningen!"), u("Välkommen åter"), QString(), QString()};
        return s;
    }
    static QString document(mv::DocumentRole role, const mv::InvoiceDraft& d) {
        return mv::composeDocument(role, d, mv::computeFigures(d), sources());
    }
    static QString goldenText(const char* name) {
        return mv::decodeStored(golden(QString::fromUtf8(name)));
    }
};

TEST_F(InvoiceDocumentTest, EachKindMatchesItsGoldenDocument) {
    EXPECT_EQ(document(mv::DocumentRole::Invoice, standardDraft()),
              goldenText("invoice_standard.kdb"));
    EXPECT_EQ(document(mv::DocumentRole::Invoice, reverseChargeDraft()),
              goldenText("invoice_reverse_charge.kdb"));
    EXPECT_EQ(document(mv::DocumentRole::Invoice, houseWorkDraft()),
              goldenText("invoice_house_work.kdb"));
    EXPECT_EQ(document(mv::DocumentRole::Claim, houseWorkDraft()),
              goldenText("invoice_house_work_claim.kdb"));
    EXPECT_EQ(document(mv::DocumentRole::PaymentOrder, paymentOrderDraft()),
              goldenText("invoice_payment_order.kdb"));
}

TEST_F(InvoiceDocumentTest, SavedDocumentsAreTheGoldenBytes) {
    // Through the save: code page 1252 and CR LF on disk, the claim beside it.
    mv::InvoiceDraft hw = houseWorkDraft();
    ASSERT_TRUE(mv::saveInvoice(paths, standardDraft(), false, {}).saved);
    ASSERT_TRUE(mv::saveInvoice(paths, reverseChargeDraft(), false, {}).saved);
    ASSERT_TRUE(mv::saveInvoice(paths, hw, false, {}).saved);
    ASSERT_TRUE(mv::saveInvoice(paths, paymentOrderDraft(), false, {}).saved);
    EXPECT_EQ(bytesOf(paths.invoice(u("14001"))), golden(u("invoice_standard.kdb")));
    EXPECT_EQ(bytesOf(paths.invoice(u("14002"))), golden(u("invoice_reverse_charge.kdb")));
    EXPECT_EQ(bytesOf(paths.invoice(u("14003"))), golden(u("invoice_house_work.kdb")));
    EXPECT_EQ(bytesOf(paths.invoice(u("14004_BU"))), golden(u("invoice_house_work_claim.kdb")));
    EXPECT_EQ(bytesOf(paths.invoice(u("14005_BU"))), golden(u("invoice_payment_order.kdb")));
    EXPECT_EQ(bytesOf(paths.invoiceCounter), QByteArray("14005\r\n"));
    EXPECT_EQ(bytesOf(paths.invoicesCreated), QByteArray("F\xf6rsta sparat"));
}

TEST_F(InvoiceDocumentTest, CustomerColumnAndLongContactTexts) {
    mv::InvoiceDraft d = standardDraft();
    d.header[1] = QString(45, u'h');
    d.header[2] = QString(50, u'k'); // longer than its column: written whole
    d.phone = QString(25, u'7');
    const QStringList lines = document(mv::DocumentRole::Invoice, d).split(u'\n');
    EXPECT_EQ(lines[6].indexOf(u("Kalle Anka")), 45); // column 46
    EXPECT_EQ(lines[7].indexOf(u("Ankgatan 13")), 50);
    EXPECT_EQ(lines[11], QString(35, u' ') + u("Tel:  ") + QString(25, u'7'));
    // An empty company value is written as ten blanks in the footer.
    mv::DocumentSources s = sources();
    s.company.lines[7].clear();
    const QString t = mv::composeDocument(mv::DocumentRole::Invoice, d, mv::computeFigures(d), s);
    EXPECT_TRUE(t.contains(u("Hemsida:      ") + QString(10, u' ') + u("\n")));
}

} // namespace
