// The save of the invoice form: its refusals (nothing written), the customer
// register, "Ändra" of a house-work invoice, and preparing and clearing the
// form of each kind.
#include "invoicing/customer_register.h"
#include "invoicing/invoice_numbering.h"
#include "invoicing/invoice_save.h"
#include "invoicing/invoicing_messages.h"
#include "invoicing_fixture.h"
#include "store/message_recorder.h"

#include <QFile>

namespace {

class InvoiceSaveTest : public InvoicingTest {
  protected:
    // Saves and expects a refusal with the text; nothing of the year changes.
    void expectRefused(const mv::InvoiceDraft& d, const QString& text, mv::InvoiceField field) {
        const auto before = snapshot(paths.fakturorDir);
        const auto customersBefore = snapshot(paths.kunderDir);
        MessageRecorder r;
        const mv::InvoiceSave s = mv::saveInvoice(paths, d, false, r.show());
        EXPECT_FALSE(s.saved);
        ASSERT_EQ(r.shown.size(), 1u);
        EXPECT_EQ(r.shown[0].text, text);
        EXPECT_EQ(s.field, field);
        EXPECT_EQ(snapshot(paths.fakturorDir), before);
        EXPECT_EQ(snapshot(paths.kunderDir), customersBefore);
    }
};

TEST_F(InvoiceSaveTest, RefusalsWriteNothing) {
    mv::InvoiceDraft d = standardDraft();
    for (mv::InvoiceRow& r : d.rows)
        r.quantity.clear();
    d.rows[0] = {u("Rest"), u("1.00"), u("0.50")};
    expectRefused(d, u("Ett belopp på mer än 0 måste användas!"), mv::InvoiceField::Quantity);
    d.rows[0] = {u("Rest"), u("-1.00"), u("0.99")};
    expectRefused(d, u("Ett belopp på mer än 0 måste användas!"), mv::InvoiceField::Quantity);

    d = standardDraft();
    d.vatPercent = u("24"); // not one of 25, 12, 6
    expectRefused(d, mv::imsg::rateNotConfigured().text, mv::InvoiceField::VatPercent);
    d.vatPercent = u("12.5");
    expectRefused(d, mv::imsg::rateNotConfigured().text, mv::InvoiceField::VatPercent);

    d = standardDraft();
    d.rows[2].unitPrice = u("1 000");
    expectRefused(d, mv::imsg::badAmount(u("Á pris")).text, mv::InvoiceField::UnitPrice);
    d = standardDraft();
    d.date = u("2014-02-30");
    expectRefused(d, mv::imsg::badDate().text, mv::InvoiceField::Date);

    // Customer names become file names.
    d = standardDraft();
    d.name = u("../foretaget/faktura");
    expectRefused(d, mv::imsg::customerNameUnusable(u("MEDDELANDE")).text, mv::InvoiceField::Name);
    d.name.clear();
    expectRefused(d, u("Kundnamn saknas!        "), mv::InvoiceField::Name);
    d = standardDraft();
    d.name = u("Ünïcödé ☃");
    expectRefused(d, u("Tecknet '☃' kan inte sparas!"), mv::InvoiceField::Text);
}

TEST_F(InvoiceSaveTest, ANegativeTotalIsAccepted) {
    mv::InvoiceDraft d = standardDraft();
    for (mv::InvoiceRow& r : d.rows)
        r.quantity.clear();
    d.rows[0] = {u("Kreditering"), u("-1.00"), u("100.00")};
    EXPECT_TRUE(mv::saveInvoice(paths, d, false, {}).saved);
}

TEST_F(InvoiceSaveTest, ReverseChargeAsksForTheBuyersVatNumber) {
    mv::InvoiceDraft d = reverseChargeDraft();
    d.vatNumber = u("-");
    d.vatPercent = u("25"); // the kind carries 0 % whatever the field says
    MessageRecorder r;
    EXPECT_FALSE(mv::saveInvoice(paths, d, false, r.show()).saved); // "Nej" is the default
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].buttons, u("yes_NO"));
    EXPECT_FALSE(QFile::exists(paths.invoice(u("14002"))));
    r.answers = {mv::answerYes};
    ASSERT_TRUE(mv::saveInvoice(paths, d, false, r.show()).saved);
    EXPECT_TRUE(mv::storedText(paths.invoice(u("14002"))).contains(u("Momssats   0%")));
}

TEST_F(InvoiceSaveTest, ANewCustomerIsAddedOnce) {
    ASSERT_TRUE(mv::saveInvoice(paths, standardDraft(), false, {}).saved);
    mv::InvoiceDraft d = standardDraft();
    d.number = u("14002");
    d.name = u("KALLE ANKA"); // the same customer, case ignored
    d.street = u("Annan väg 1");
    ASSERT_TRUE(mv::saveInvoice(paths, d, false, {}).saved);
    EXPECT_EQ(mv::storedText(paths.customerList), u("\nKalle Anka\n"));
    EXPECT_EQ(mv::storedText(paths.customer(u("Kalle Anka"))),
              u("Kalle Anka\nAnkgatan "
                "13\n12345\nAnkeborg\n08-123456\nkalle.anka@exempel-foretaget.se\n-\n"));
}

TEST_F(InvoiceSaveTest, AFullRegisterKeepsTheInvoiceButNotTheCustomer) {
    QString list = u("\n");
    while (mv::customerListMeasure(list) <= 50000)
        list += u("Kund nummer ") + QString::number(list.size()) + u("\n");
    ASSERT_EQ(mv::writeText(paths.customerList, list), 0);
    MessageRecorder r;
    ASSERT_TRUE(mv::saveInvoice(paths, standardDraft(), false, r.show()).saved);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].text, u("Det finns för mycket kunder lagrade!\nRensa i "
                                 "kundlistan.\nKunder sparas inte mer.\n\n"));
    EXPECT_FALSE(QFile::exists(paths.customer(u("Kalle Anka"))));
}

TEST_F(InvoiceSaveTest, ChangingAHouseWorkInvoiceKeepsItsKindAndTheCounter) {
    mv::InvoiceDraft d = houseWorkDraft();
    ASSERT_TRUE(mv::saveInvoice(paths, d, false, {}).saved);
    ASSERT_EQ(mv::storedInvoiceCounter(paths), 14004);
    // "Ändra": 12 hours instead of 10.
    d.rows[0].quantity = u("12.00");
    const mv::InvoiceSave s = mv::saveInvoice(paths, d, true, {});
    ASSERT_TRUE(s.saved);
    EXPECT_EQ(s.written, (QStringList{u("14003"), u("14004_BU")}));
    EXPECT_EQ(mv::storedInvoiceCounter(paths), 14004);
    EXPECT_TRUE(
        mv::storedText(paths.invoice(u("14003"))).contains(u("Denna faktura är reducerad")));
    EXPECT_TRUE(mv::storedText(paths.invoice(u("14004_BU"))).contains(u("-3000.00")));
    EXPECT_EQ(mv::invoiceList(paths, true), (QStringList{u("14003"), u("14004_BU")}));
    EXPECT_EQ(mv::nextInvoiceNumber(paths, mv::InvoiceKind::Standard).number, 14005);
    // A new invoice may not take a number whose documents exist.
    MessageRecorder r;
    d.number = u("14004");
    EXPECT_FALSE(mv::saveInvoice(paths, d, false, r.show()).saved);
    // Once paid, the invoice cannot be changed any more.
    ASSERT_EQ(mv::renamePath(paths.invoice(u("14003")), paths.invoice(u("14003_BETALD"))), 0);
    d.number = u("14003");
    EXPECT_FALSE(mv::saveInvoice(paths, d, true, r.show()).saved);
    EXPECT_EQ(r.shown.back().text, mv::imsg::changedInvoiceGone(u("14003")).text);
}

TEST_F(InvoiceSaveTest, PreparingEachKind) {
    ASSERT_EQ(mv::writeText(paths.invoiceCounter, u("14002\n")), 0);
    const mv::PreparedInvoice s = mv::prepareInvoice(paths, mv::InvoiceKind::Standard, true);
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.draft.number, u("14003"));
    EXPECT_EQ(s.draft.date, u("2014-03-07"));
    EXPECT_EQ(s.draft.header[1], u("Betalningsvillkor: 30 dagar netto"));
    EXPECT_EQ(s.draft.rows[10].sort, u(" "));
    EXPECT_TRUE(s.draft.wholeKronor);

    const mv::PreparedInvoice h = mv::prepareInvoice(paths, mv::InvoiceKind::HouseWork, false);
    EXPECT_EQ(h.draft.header[0], u("Information för Skatteverket!"));
    EXPECT_EQ(h.draft.header[3], u("Namn 1 med personnummer"));
    EXPECT_EQ(h.draft.rows[0].sort, u("Arbetskostnad timmar x kostnad"));
    EXPECT_EQ(h.draft.rows[11].sort, u("för Husarbeten till BU 14004"));
    EXPECT_EQ(h.draft.deductionPercent, u("50"));

    EXPECT_TRUE(
        mv::prepareInvoice(paths, mv::InvoiceKind::PaymentOrder, false).draft.header[0].isEmpty());
    EXPECT_EQ(mv::prepareInvoice(paths, mv::InvoiceKind::ReverseCharge, false).draft.vatPercent,
              u("0"));

    // "Rensa" keeps the house-work row texts and empties the rest.
    mv::InvoiceDraft d = houseWorkDraft();
    d.rows[3].sort = u("Material");
    const mv::InvoiceDraft c = mv::clearedDraft(d);
    EXPECT_TRUE(c.name.isEmpty());
    EXPECT_TRUE(c.rows[0].quantity.isEmpty());
    EXPECT_EQ(c.rows[0].sort, u("Arbetskostnad timmar x kostnad"));
    EXPECT_TRUE(c.rows[3].sort.isEmpty());
    EXPECT_EQ(c.rows[11].sort, u("för Husarbeten till BU 14004"));
    EXPECT_EQ(mv::clearedDraft(standardDraft()).rows[0].sort, QString());
}

} // namespace
