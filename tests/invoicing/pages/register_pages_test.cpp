// The tool pages of invoicing through the real widgets: invoice texts,
// customers, articles and the stock count.
#include "invoice_page_fixture.h"

#include "invoicing/invoicing_messages.h"
#include "store/change_set.h"

#include <QFile>

namespace {

class RegisterPagesTest : public InvoicePageFixture {
  protected:
    // The fields of a tool page in their Enter order, from the focused one.
    static std::vector<int> walk(int count) {
        std::vector<int> fields = {tk::focusedControl()};
        for (int i = 1; i < count; ++i) {
            uitest::pressKey(QStringLiteral("Enter"));
            fields.push_back(tk::focusedControl());
        }
        return fields;
    }
    static void typeAndEnter(const QString& text) {
        tk::setText(tk::focusedControl(), QString());
        uitest::typeText(text);
        uitest::pressKey(QStringLiteral("Enter"));
    }
};

TEST_F(RegisterPagesTest, InvoiceTextsAreSavedAndStartTheNextInvoice) {
    start();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1021));
    ASSERT_GT(pageState(shell::PageId::InvoiceText), 0);
    typeAndEnter(u("Betalas inom 10 dagar"));
    for (int i = 0; i < 5; ++i)
        uitest::pressKey(QStringLiteral("Enter"));
    typeAndEnter(u("Välkommen åter!"));
    uitest::sendCommand(1022);
    EXPECT_EQ(mv::storedText(paths.invoiceTexts), u("Betalas inom 10 dagar") + QString(5, u'\n') +
                                                      u("\nVälkommen åter!\n") + QString(3, u'\n'));
    startInvoice(invoiceui::cmd::standard);
    EXPECT_EQ(tk::text(form().header[0]), u("Betalas inom 10 dagar"));
}

TEST_F(RegisterPagesTest, CustomersThroughTheirPage) {
    start();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1023));
    ASSERT_GT(pageState(shell::PageId::Customers), 0);
    typeAndEnter(u("Anna"));
    uitest::pressKey(QStringLiteral("Enter")); // an empty street
    typeAndEnter(u("12345"));
    ASSERT_TRUE(uitest::pressCommand(1024));
    EXPECT_EQ(mv::storedText(paths.customer(u("Anna"))), u("Anna\n-\n12345\n-\n-\n-\n-\n"));
    EXPECT_EQ(mv::storedText(paths.customerList), u("\nAnna\n"));
    // A name that would leave the register's folder is refused.
    uitest::clearBoxes();
    uitest::typeText(u("../bokforing/_ver"));
    ASSERT_TRUE(uitest::pressCommand(1024));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, u("Mata in ny kund"));
    EXPECT_FALSE(QFile::exists(paths.bokforingDir + u("/_ver.kdb.kdb")));
    // The picker fills the fields with the record, "-" included.
    ASSERT_TRUE(uitest::pressCommand(1025));
    uitest::settle();
    const int picker = tk::focusedControl();
    ASSERT_EQ(tk::itemCount(picker), 2);
    ASSERT_EQ(tk::chooseItem(picker, 2), 0);
    uitest::settle();
    const int name = tk::focusedControl();
    EXPECT_EQ(tk::text(name), u("Anna"));
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(tk::focusedControl()), u("-"));
    // Down in the name field opens the same picker, dropped down at once.
    tk::setFocus(name);
    uitest::pressKey(QStringLiteral("Down"));
    uitest::settle();
    EXPECT_EQ(tk::focusedControl(), picker);
    EXPECT_TRUE(tk::isDroppedDown(picker));
    uitest::pressKey(QStringLiteral("Escape"));
    ASSERT_EQ(tk::chooseItem(picker, 2), 0);
    uitest::settle();
    // "Radera" asks, deletes and reports.
    tk::setFocus(name);
    uitest::clearBoxes();
    uitest::answerNextBox(4);
    ASSERT_TRUE(uitest::pressCommand(1400));
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_EQ(uitest::boxes()[1].text, u("Kund raderades!"));
    EXPECT_FALSE(QFile::exists(paths.customer(u("Anna"))));
    EXPECT_EQ(mv::storedText(paths.customerList), u("\n"));
}

TEST_F(RegisterPagesTest, ArticlesThroughTheirPage) {
    ASSERT_EQ(mv::writeText(paths.articleRegister, QString()), 0);
    start();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1202));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::imsg::articlesCreated().text);
    const std::vector<int> fields = walk(5);
    EXPECT_EQ(fields[4], fields[0]); // number, text, quantity, price, number
    typeAndEnter(u("7"));
    typeAndEnter(u("Hammare"));
    typeAndEnter(u("1"));
    uitest::typeText(u("99,5"));
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(fields[3]), u("99.50"));
    ASSERT_TRUE(uitest::pressCommand(1203));
    const QStringList records = mv::storedText(paths.articleRegister).split(u'\n');
    EXPECT_EQ(records[6], u(" 00007  Hammare") + QString(24, u' ') + u("    1.00      99.50"));
    // Number 12 in a register of ten is refused.
    uitest::clearBoxes();
    tk::setText(fields[0], u("12"));
    ASSERT_TRUE(uitest::pressCommand(1203));
    EXPECT_EQ(uitest::boxes()[0].text, mv::imsg::articleNumberTooHigh().text);
    // An existing number brings its values into the empty fields.
    tk::setText(fields[0], u("7"));
    tk::setText(fields[1], QString());
    tk::setFocus(fields[0]);
    uitest::pressKey(QStringLiteral("Enter"));
    EXPECT_EQ(tk::text(fields[1]), u("Hammare"));
    EXPECT_EQ(tk::text(fields[3]), u("99.50"));
}

TEST_F(RegisterPagesTest, TheStockCountKeepsThePageUntilSaved) {
    start();
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1029));
    ASSERT_GT(pageState(shell::PageId::StockCount), 0);
    typeAndEnter(u("Skruv"));
    typeAndEnter(u("3"));
    typeAndEnter(u("st"));
    typeAndEnter(u("19,90"));
    const int value = tk::focusedControl();
    EXPECT_EQ(tk::text(value), u("60"));
    uitest::pressKey(QStringLiteral("Enter")); // the item joins the count
    EXPECT_TRUE(tk::text(value).isEmpty());
    EXPECT_FALSE(tk::isEnabled(shell::barButton(1036)));
    EXPECT_FALSE(tk::isEnabled(shell::barButton(1019)));
    typeAndEnter(u("Plank"));
    typeAndEnter(u("100"));
    typeAndEnter(u("m"));
    typeAndEnter(u("1"));
    uitest::pressKey(QStringLiteral("Enter"));
    ASSERT_TRUE(uitest::pressCommand(1027));
    EXPECT_TRUE(tk::isEnabled(shell::barButton(1036)));
    EXPECT_EQ(mv::storedText(paths.closing(u("inventering_varde"))), u("160\n"));
    EXPECT_EQ(mv::storedText(paths.closing(u("inventering_datum"))), u("2014-03-07\n"));
    EXPECT_TRUE(mv::storedText(paths.closing(u("inventering"))).contains(u(" Plank")));
    // "Radera" after its question.
    uitest::answerNextBox(4);
    ASSERT_TRUE(uitest::pressCommand(1028));
    EXPECT_EQ(mv::storedText(paths.closing(u("inventering"))), QString());
    EXPECT_EQ(mv::storedText(paths.closing(u("inventering_varde"))), QString());
}

} // namespace
