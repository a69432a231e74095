#pragma once
// The year 2014 of the entry-page tests, with invoice texts, and helpers to
// fill the invoice form through its fields.
#include "booking/pages/booking_page_fixture.h"
#include "invoicing/pages/invoice_pages.h"

class InvoicePageFixture : public BookingPageFixture {
  protected:
    void SetUp() override {
        BookingPageFixture::SetUp();
        ASSERT_EQ(
            mv::writeText(paths.invoiceTexts, QStringLiteral("Vår referens: Anna\n\n\n\n\n\n"
                                                             "Tack för beställningen!\n\n\n\n")),
            0);
    }
    void TearDown() override {
        tk::setExternalHook({});
        tk::setPrintToFile(QString());
        BookingPageFixture::TearDown();
    }

    static QString u(const char* s) { return QString::fromUtf8(s); }
    static const invoiceui::FormControls& form() { return invoiceui::formControls(); }
    static const invoiceui::SideControls& side() { return invoiceui::sideControls(); }

    // Types into the field and leaves it with Enter (the form recomputes).
    static void enter(int field, const QString& text) {
        tk::setFocus(field);
        tk::setText(field, QString());
        uitest::typeText(text);
        uitest::pressKey(QStringLiteral("Enter"));
    }
    static void row(int i, const char* sort, const char* quantity, const char* price) {
        const invoiceui::RowControls& r = form().rows[size_t(i)];
        if (!tk::isReadOnly(r.sort)) enter(r.sort, u(sort));
        enter(r.quantity, u(quantity));
        enter(r.price, u(price));
    }
    static void customer(const char* name) {
        enter(form().name, u(name));
        enter(form().street, u("Storgatan 1"));
        enter(form().postcode, u("90325"));
        enter(form().town, u("Umeå"));
    }
    // Opens the invoice pages and starts an invoice with the kind button.
    void startInvoice(int kindCommand) {
        uitest::sendCommand(invoiceui::cmd::open);
        ASSERT_GT(pageState(shell::PageId::Invoice), 0);
        ASSERT_TRUE(uitest::pressCommand(kindCommand));
        ASSERT_GT(pageState(shell::PageId::InvoiceVariants), 0);
    }
    // A Standard (or other) invoice of 10 × 500.00 at 25 % saved through the form.
    void saveInvoice(int kindCommand, const char* name = "Kalle Anka") {
        startInvoice(kindCommand);
        customer(name);
        if (kindCommand == invoiceui::cmd::reverseCharge)
            enter(form().vatNumber, u("SE556000111101"));
        row(0, "Arbete", "10", "500");
        if (kindCommand == invoiceui::cmd::houseWork) {
            enter(form().buyer, u("19700101-1233"));
            tk::setItem(form().workType, 0, u("ROT, Bygg"));
            enter(form().hours, u("10"));
            enter(form().property, u("Umeå Byn 1:23"));
        }
        if (!tk::isReadOnly(form().vatPercent)) enter(form().vatPercent, u("25"));
        ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
        ASSERT_GT(pageState(shell::PageId::Invoice), 0);
    }
};
