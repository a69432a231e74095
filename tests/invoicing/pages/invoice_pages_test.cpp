// The invoice pages through the real widgets: the form's recompute and Enter
// order, the pickers, the save of each kind and "Ändra", the refusals, the
// viewer and the outputs (text, HTML, mail, PDF, print).
#include "invoice_page_fixture.h"

#include "invoicing/invoice_numbering.h"
#include "invoicing/invoicing_messages.h"
#include "store/change_set.h"

#include <QDir>
#include <QFile>

namespace {

using invoiceui::cmd::change;
using invoiceui::cmd::houseWork;
using invoiceui::cmd::standard;

class InvoicePagesTest : public InvoicePageFixture {};

TEST_F(InvoicePagesTest, TheFormRecomputesAndWalksItsOrder) {
    start();
    startInvoice(standard);
    EXPECT_EQ(tk::text(form().number), u("14001"));
    EXPECT_EQ(tk::text(form().date), u("2014-03-07"));
    EXPECT_EQ(tk::text(form().header[0]), u("Vår referens: Anna"));
    EXPECT_EQ(tk::focusedControl(), form().name);
    // The customer block, then row 1.
    customer("Kalle Anka");
    EXPECT_EQ(tk::focusedControl(), form().phone);
    enter(form().phone, u("08-123"));
    enter(form().mail, u("k@anka.se"));
    enter(form().vatNumber, QString());
    EXPECT_EQ(tk::focusedControl(), form().rows[0].sort);
    // Quantity 2 and unit price 150, confirmed with Enter: 2.00, 150.00, 300.00.
    row(0, "Arbete", "2", "150");
    EXPECT_EQ(tk::text(form().rows[0].quantity), u("2.00"));
    EXPECT_EQ(tk::text(form().rows[0].price), u("150.00"));
    EXPECT_EQ(tk::text(form().rows[0].amount), u("300.00"));
    EXPECT_EQ(tk::focusedControl(), form().rows[0].amount);
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::focusedControl(), form().rows[1].sort);
    // A decimal comma, and an amount that is no number.
    row(1, "Skruv", "1,5", "0,33");
    EXPECT_EQ(tk::text(form().rows[1].amount), u("0.50"));
    uitest::clearBoxes();
    enter(form().rows[2].price, u("1 000"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, u("INMATNINGSFEL"));
    EXPECT_EQ(tk::focusedControl(), form().rows[2].price);
    tk::setText(form().rows[2].price, QString());
    enter(form().vatPercent, u("25"));
    EXPECT_EQ(tk::text(form().total), u("300.50"));
    EXPECT_EQ(tk::text(form().vat), u("75.13"));
    EXPECT_EQ(tk::text(form().toPay), u("375.63"));
    EXPECT_EQ(tk::focusedControl(), form().toPay);
    // "Hela kronor" rounds at once and back.
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::wholeKronor));
    EXPECT_EQ(tk::text(form().toPay), u("376.00"));
    EXPECT_EQ(tk::text(form().vat), u("75.20"));
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::wholeKronor));
    EXPECT_EQ(tk::text(form().toPay), u("375.63"));
    // "Rensa" empties the customer and the rows.
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::clear));
    EXPECT_TRUE(tk::text(form().name).isEmpty());
    EXPECT_TRUE(tk::text(form().rows[0].sort).isEmpty());
    EXPECT_EQ(tk::text(form().toPay), u("0.00"));
}

TEST_F(InvoicePagesTest, ASavedInvoiceIsShownListedAndCanBeChanged) {
    start();
    saveInvoice(standard);
    ASSERT_TRUE(QFile::exists(paths.invoice(u("14001"))));
    const QString document = mv::storedText(paths.invoice(u("14001")));
    EXPECT_EQ(tk::text(side().viewer), document);
    EXPECT_EQ(tk::characterPointSize(side().viewer, 0), 20);
    EXPECT_EQ(tk::characterWeight(side().viewer, 0), 700);
    EXPECT_EQ(tk::itemCount(side().list), 1);
    EXPECT_EQ(tk::item(side().list, 1), u("14001"));
    EXPECT_TRUE(tk::isEnabled(side().change));
    EXPECT_TRUE(tk::isEnabled(side().standard));
    EXPECT_EQ(mv::storedText(paths.customerList), u("\nKalle Anka\n"));
    // "Ändra": the same number, rewritten.
    ASSERT_TRUE(uitest::pressCommand(change));
    EXPECT_EQ(tk::text(form().number), u("14001"));
    EXPECT_FALSE(tk::isEnabled(side().standard));
    row(0, "Arbete", "12", "500");
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
    EXPECT_TRUE(mv::storedText(paths.invoice(u("14001"))).contains(u("6000.00")));
    EXPECT_EQ(mv::storedInvoiceCounter(paths), 14001);
    // Viewing an invoice from the list ends the change.
    ASSERT_EQ(tk::chooseItem(side().list, 1), 0);
    uitest::settle();
    EXPECT_FALSE(tk::isEnabled(side().change));
    EXPECT_TRUE(tk::isEnabled(side().html));
    // Another page forgets the saved invoice.
    saveInvoice(standard);
    uitest::sendCommand(1036);
    uitest::sendCommand(invoiceui::cmd::open);
    EXPECT_FALSE(tk::isEnabled(side().change));
}

TEST_F(InvoicePagesTest, AHouseWorkInvoiceWritesItsClaimAndKeepsItsKindWhenChanged) {
    start();
    startInvoice(houseWork);
    EXPECT_TRUE(tk::isReadOnly(form().rows[0].sort));
    EXPECT_EQ(tk::text(form().rows[11].sort), u("för Husarbeten till BU 14002"));
    EXPECT_EQ(tk::text(form().deduction), u("50"));
    customer("Eva Ek");
    enter(form().header[3], u("Eva Ek 19700101-1234"));
    row(0, "", "10", "500");
    EXPECT_EQ(tk::text(form().rows[11].amount), u("-2500.00"));
    enter(form().vatPercent, u("25"));
    EXPECT_EQ(tk::text(form().total), u("2500.00"));
    EXPECT_EQ(tk::text(form().toPay), u("3125.00"));
    // What Skatteverket's claim needs: the buyer's identity number is checked
    // (its last digit), a ROT job needs the property.
    EXPECT_TRUE(tk::isVisible(form().buyer));
    EXPECT_FALSE(tk::isVisible(form().articleList));
    enter(form().buyer, u("19700101-1234"));
    tk::setItem(form().workType, 0, u("ROT, Bygg"));
    enter(form().hours, u("10"));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, u("INMATNINGSFEL"));
    EXPECT_TRUE(uitest::boxes()[0].text.startsWith(u("Köparens personnummer är inte giltigt!")));
    EXPECT_EQ(tk::focusedControl(), form().buyer);
    EXPECT_TRUE(mv::invoiceList(paths, true).isEmpty());
    enter(form().buyer, u("700101-1233"));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(tk::focusedControl(), form().property);
    EXPECT_TRUE(mv::invoiceList(paths, true).isEmpty());
    enter(form().property, u("Umeå Byn 1:23"));
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
    EXPECT_EQ(mv::invoiceList(paths, true), (QStringList{u("14001"), u("14002_BU")}));
    const QString claim = mv::storedText(paths.invoice(u("14002_BU")));
    EXPECT_TRUE(
        claim.contains(u("Köparens personnummer: 19700101-1233\nArbete:                ROT, Bygg\n"
                         "Antal timmar:          10\nFastighetsbeteckning:  Umeå Byn 1:23\n")));
    EXPECT_EQ(mv::storedInvoiceCounter(paths), 14002);
    ASSERT_TRUE(uitest::pressCommand(change));
    EXPECT_TRUE(tk::isReadOnly(form().rows[0].sort)); // still house-work
    EXPECT_EQ(tk::text(form().header[3]), u("Eva Ek 19700101-1234"));
    EXPECT_EQ(tk::text(form().buyer), u("700101-1233"));
    EXPECT_EQ(tk::item(form().workType, 0), u("ROT, Bygg"));
    row(0, "", "12", "500");
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
    EXPECT_EQ(mv::storedInvoiceCounter(paths), 14002);
    EXPECT_TRUE(mv::storedText(paths.invoice(u("14002_BU"))).contains(u("-3000.00")));
    // The next invoice takes 14003.
    startInvoice(standard);
    EXPECT_EQ(tk::text(form().number), u("14003"));
}

TEST_F(InvoicePagesTest, RefusalsKeepTheFormAndWriteNothing) {
    ASSERT_EQ(mv::writeText(paths.invoiceCounter, u("14998\n")), 0);
    start();
    // House-work needs two numbers.
    uitest::sendCommand(invoiceui::cmd::open);
    ASSERT_TRUE(uitest::pressCommand(houseWork));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::imsg::noNumberForClaim().text);
    EXPECT_EQ(pageState(shell::PageId::InvoiceVariants), 0);
    startInvoice(standard);
    EXPECT_EQ(tk::text(form().number), u("14999"));
    customer("Kalle Anka");
    row(0, "Rest", "1", "0.50");
    enter(form().vatPercent, u("24"));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::imsg::rateNotConfigured().text);
    EXPECT_EQ(tk::focusedControl(), form().vatPercent);
    enter(form().vatPercent, u("25"));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
    EXPECT_EQ(uitest::boxes()[0].text, u("Ett belopp på mer än 0 måste användas!"));
    EXPECT_FALSE(QFile::exists(paths.invoice(u("14999"))));
    EXPECT_GT(pageState(shell::PageId::InvoiceVariants), 0);
    EXPECT_EQ(tk::text(form().name), u("Kalle Anka"));
    // The year's last number still takes a Standard invoice; then the end.
    row(0, "Rest", "1", "100");
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::save));
    EXPECT_TRUE(QFile::exists(paths.invoice(u("14999"))));
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(standard));
    EXPECT_EQ(uitest::boxes()[0].text, mv::imsg::numbersExhausted().text);
}

TEST_F(InvoicePagesTest, CustomerAndArticlePickers) {
    ASSERT_EQ(mv::writeText(paths.customerList, u("\nEva Ek\nKalle Anka\n")), 0);
    ASSERT_EQ(
        mv::writeText(paths.customer(u("Kalle Anka")),
                      u("Kalle Anka\nAnkgatan 13\n12345\nAnkeborg\n08-123\n-\nSE556000111101\n")),
        0);
    ASSERT_EQ(mv::writeText(paths.articleRegister,
                            u(" 00001  Hammare                           1.00      99.50\n")),
              0);
    start();
    startInvoice(standard);
    // Down in the name field opens the picker as "Hämta" does.
    tk::setFocus(form().name);
    uitest::pressKey(QStringLiteral("Down"));
    EXPECT_TRUE(tk::isVisible(form().customerList));
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::fetchCustomer));
    EXPECT_FALSE(tk::isVisible(form().name));
    ASSERT_EQ(tk::itemCount(form().customerList), 3); // the leading empty line too
    ASSERT_EQ(tk::chooseItem(form().customerList, 3), 0);
    uitest::settle();
    EXPECT_TRUE(tk::isVisible(form().name));
    EXPECT_EQ(tk::text(form().name), u("Kalle Anka"));
    EXPECT_EQ(tk::text(form().town), u("Ankeborg"));
    EXPECT_EQ(tk::text(form().mail), u("-"));
    EXPECT_EQ(tk::text(form().vatNumber), u("SE556000111101"));
    // The article goes into the row that has the focus.
    row(0, "Frakt", "1", "10");
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_EQ(tk::focusedControl(), form().rows[1].sort);
    ASSERT_EQ(tk::item(form().articleList, 1), u("   "));
    ASSERT_EQ(tk::chooseItem(form().articleList, 2), 0);
    uitest::settle();
    EXPECT_EQ(tk::text(form().rows[0].sort), u("Frakt"));
    EXPECT_EQ(tk::text(form().rows[1].sort), u("00001  Hammare"));
    EXPECT_EQ(tk::text(form().rows[1].quantity), u("1.00"));
    EXPECT_EQ(tk::text(form().rows[1].price), u("99.50"));
    EXPECT_EQ(tk::text(form().rows[1].amount), u("99.50"));
    EXPECT_EQ(tk::focusedControl(), form().rows[1].quantity);
}

TEST_F(InvoicePagesTest, OutputsOfTheChosenInvoice) {
    QStringList opened;
    tk::setExternalHook([&opened](const QString& what) {
        opened << what;
        return 0;
    });
    start();
    saveInvoice(standard, "Åsa & Bo");
    ASSERT_EQ(tk::chooseItem(side().list, 1), 0);
    uitest::settle();
    // Without the template picture "Faktura Lyx" says so and writes nothing.
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::html));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, u("FAKTURA MED MALL"));
    EXPECT_FALSE(QFile::exists(u("faktura.html")));
    // A white picture of one pixel stands in for the template.
    putBytes(u("drive_info/faktura.png"),
             QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVQI12P4//"
                                    "8/AAX+Av7czFnnAAAAAElFTkSuQmCC"));
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::html));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.last(), u("faktura.html"));
    EXPECT_TRUE(QString::fromUtf8(bytesOf(u("faktura.html"))).contains(u("Åsa &amp; Bo")));
    // "Faktura Mail": the instructions, Cancel does nothing, OK opens the page.
    uitest::clearBoxes();
    uitest::answerNextBox(6);
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::mail));
    EXPECT_EQ(uitest::boxes()[0].title, u("SKAPA FAKTURAMAIL"));
    EXPECT_EQ(opened.size(), 1);
    uitest::answerNextBox(5);
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::mail));
    EXPECT_EQ(opened.size(), 2);
    // "Faktura Text": a temporary .txt copy in UTF-8.
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::text));
    ASSERT_EQ(opened.size(), 3);
    EXPECT_TRUE(opened.last().endsWith(u(".txt")));
    EXPECT_EQ(QString::fromUtf8(bytesOf(opened.last())), mv::storedText(paths.invoice(u("14001"))));
    QFile::remove(opened.last());
    // "Spara som PDF" beside the HTML page, read back.
    uitest::clearBoxes();
    ASSERT_TRUE(uitest::pressCommand(invoiceui::cmd::pdf));
    const QString pdf = QDir::current().absoluteFilePath(u("faktura_14001.pdf"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::imsg::pdfSaved(pdf).text);
    const QString text = uitest::pdfText(pdf);
    for (const char* wanted : {"14001", "Åsa & Bo", "Arbete", "10.00", "500.00", "5000.00",
                               "1250.00", "6250.00", "OCR-nummer: 1400175"})
        EXPECT_TRUE(text.contains(u(wanted))) << wanted << "\n" << text.toStdString();
    // "Skriv ut" prints the invoice in the viewer.
    const QString printed = QDir::current().absoluteFilePath(u("print.pdf"));
    tk::setPrintToFile(printed);
    ASSERT_TRUE(uitest::pressCommand(1034));
    EXPECT_TRUE(uitest::pdfText(printed).contains(u("6250.00")));
}

} // namespace
