// The customer register, the article register and the stock count: exact
// records, the questions and refusals, and names that would leave the
// register's folder.
#include "invoicing/article_register.h"
#include "invoicing/customer_register.h"
#include "invoicing/invoicing_messages.h"
#include "invoicing/stock_count.h"
#include "invoicing_fixture.h"
#include "store/message_recorder.h"

#include <QFile>

namespace {

class RegistersTest : public InvoicingTest {
  protected:
    static mv::Customer customer(const char* name, const char* street = "") {
        mv::Customer c;
        c.name = QString::fromUtf8(name);
        c.street = QString::fromUtf8(street);
        return c;
    }
};

TEST_F(RegistersTest, CustomersAreSavedAskedForAndDeleted) {
    MessageRecorder r;
    ASSERT_TRUE(mv::saveCustomer(paths, customer("Anna"), r.show()));
    ASSERT_TRUE(mv::saveCustomer(paths, customer("Bertil", "Gatan 2"), r.show()));
    ASSERT_TRUE(mv::saveCustomer(paths, customer("Cesar"), r.show()));
    EXPECT_TRUE(r.shown.empty());
    EXPECT_EQ(mv::storedText(paths.customerList), u("\nAnna\nBertil\nCesar\n"));
    // An empty street is stored as "-" (and read back as "-").
    EXPECT_EQ(mv::storedText(paths.customer(u("Anna"))), u("Anna\n-\n-\n-\n-\n-\n-\n"));
    EXPECT_EQ(mv::readCustomer(paths, u("Anna")).street, u("-"));

    // The second save of a name asks; No keeps the old record, Yes replaces it.
    EXPECT_FALSE(mv::saveCustomer(paths, customer("Anna", "Ny väg 1"), r.show()));
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].text, u("Kunden finns redan i registret!\n Skall nuvarande "
                                 "kundinnehåll\nändras till det nyinmatade?"));
    EXPECT_EQ(mv::readCustomer(paths, u("Anna")).street, u("-"));
    r.answers = {mv::answerYes};
    ASSERT_TRUE(mv::saveCustomer(paths, customer("Anna", "Ny väg 1"), r.show()));
    EXPECT_EQ(mv::readCustomer(paths, u("Anna")).street, u("Ny väg 1"));
    EXPECT_EQ(mv::storedText(paths.customerList), u("\nAnna\nBertil\nCesar\n"));

    // Deleting the second of three.
    r.shown.clear();
    r.answers = {mv::answerYes};
    ASSERT_TRUE(mv::deleteCustomer(paths, u("Bertil"), r.show()));
    EXPECT_EQ(mv::storedText(paths.customerList), u("\nAnna\nCesar\n"));
    EXPECT_FALSE(QFile::exists(paths.customer(u("Bertil"))));
    ASSERT_EQ(r.shown.size(), 2u);
    EXPECT_EQ(r.shown[1].text, u("Kund raderades!"));
    // No keeps the customer.
    r.shown.clear();
    EXPECT_FALSE(mv::deleteCustomer(paths, u("Anna"), r.show()));
    ASSERT_EQ(r.shown.size(), 2u);
    EXPECT_EQ(r.shown[1].text, u("Kund raderades ej!"));
    EXPECT_TRUE(QFile::exists(paths.customer(u("Anna"))));
}

TEST_F(RegistersTest, OlderRecordsAndTheBuyersVatNumber) {
    ASSERT_EQ(mv::writeText(paths.customer(u("Gammal")), u("Gammal\nVägen 1\n123 45\nByn\n")), 0);
    const mv::Customer c = mv::readCustomer(paths, u("Gammal"));
    EXPECT_EQ(c.town, u("Byn"));
    EXPECT_TRUE(c.phone.isEmpty());
    EXPECT_TRUE(c.vatNumber.isEmpty());
    mv::Customer n = customer("Ny");
    n.vatNumber = u("SE556000111101");
    ASSERT_TRUE(mv::saveCustomer(paths, n, {}));
    EXPECT_EQ(mv::readCustomer(paths, u("Ny")).vatNumber, u("SE556000111101"));
}

TEST_F(RegistersTest, NamesThatWouldLeaveTheFolderAreRefused) {
    MessageRecorder r;
    ASSERT_EQ(mv::writeText(paths.verCounter, u("7")), 0);
    for (const char* bad : {"../foretaget/faktura", "..\\bokforing\\_ver", ".dold", "a/b", ""}) {
        r.shown.clear();
        EXPECT_FALSE(mv::saveCustomer(paths, customer(bad), r.show())) << bad;
        ASSERT_EQ(r.shown.size(), 1u) << bad;
        r.answers = {mv::answerYes};
        EXPECT_FALSE(mv::deleteCustomer(paths, QString::fromUtf8(bad), r.show())) << bad;
    }
    EXPECT_EQ(mv::storedText(paths.verCounter), u("7"));
    EXPECT_TRUE(QFile::exists(paths.invoiceTexts));
    EXPECT_FALSE(QFile::exists(paths.customerList));
}

TEST_F(RegistersTest, ArticlesAreStoredInTheirColumns) {
    MessageRecorder r;
    EXPECT_TRUE(mv::startArticleRegister(paths, r.show()));
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].text, u("Ingen tidigare artikel är sparad.\n\nProgrammet lägger in 10st "
                                 "tomma artiklar första gången!"));
    EXPECT_FALSE(mv::startArticleRegister(paths, r.show())); // only once
    QStringList records = mv::articleRecords(mv::storedText(paths.articleRegister));
    ASSERT_EQ(records.size(), 10);
    EXPECT_EQ(records[9], u(" 00010") + QString(52, u' '));

    // Article 7: Hammare, 1.00, 99.50.
    mv::ArticleSave s = mv::saveArticle(paths, {u("7"), u("Hammare"), u("1"), u("99,5")}, r.show());
    ASSERT_TRUE(s.saved);
    EXPECT_EQ(s.line, 6);
    records = mv::articleRecords(mv::storedText(paths.articleRegister));
    EXPECT_EQ(records[6],
              u(" 00007  Hammare") + QString(24, u' ') + u("    1.00") + u("      99.50"));
    EXPECT_EQ(records[6].size(), 58);
    // 11 is appended, 12 refused.
    EXPECT_TRUE(
        mv::saveArticle(paths, {u("11"), u("Såg"), u("2"), u("123456.00")}, r.show()).saved);
    r.shown.clear();
    EXPECT_FALSE(mv::saveArticle(paths, {u("13"), u("Tång"), u("1"), u("5")}, r.show()).saved);
    EXPECT_EQ(r.shown[0].text, u("För högt artikelnummer!\n\nNy artikel får endast vara ett nummer "
                                 "högre än tidigare högsta artikeln."));
    // Values too wide for their columns are refused.
    EXPECT_FALSE(mv::saveArticle(paths, {u("3"), u("X"), u("123456"), u("1")}, r.show()).saved);
    EXPECT_FALSE(mv::saveArticle(paths, {u("3"), u("X"), u("1"), u("123456789")}, r.show()).saved);

    // The pick reads the stored columns: the nine-character price whole.
    records = mv::articleRecords(mv::storedText(paths.articleRegister));
    ASSERT_EQ(records.size(), 11);
    const mv::ArticlePick p = mv::articleOfRecord(records[10]);
    EXPECT_EQ(p.sort, u("00011  Såg"));
    EXPECT_EQ(p.quantity, u("2.00"));
    EXPECT_EQ(p.price, u("123456.00"));
}

TEST_F(RegistersTest, StockCountValuesAreRoundedToWholeKronor) {
    EXPECT_EQ(mv::stockItemValue(u("3"), u("19.90")), 60); // 59.70
    EXPECT_EQ(mv::stockItemValue(u("100"), u("19.90")), 1990);
    EXPECT_EQ(mv::stockItemValue(u("2.5"), u("0.99")), 2); // 2.475
    EXPECT_FALSE(mv::stockItemValue(u("tre"), u("19.90")).has_value());

    mv::StockCount count = mv::openStockCount(paths);
    EXPECT_TRUE(count.text.isEmpty());
    MessageRecorder r;
    ASSERT_TRUE(
        mv::addStockItem(paths, {u("Skruv"), u("3"), u("st"), u("19.90")}, count, r.show()));
    ASSERT_TRUE(mv::addStockItem(paths, {u("Plank"), u("100"), u("m"), u("1")}, count, r.show()));
    EXPECT_EQ(count.total, 160);
    const QString expected = u("VARULAGER 2014\n\nInventering påbörjad 2014-03-07\n\n"
                               " Art                   Mängd   Ink.pris    Lagervärde\n") +
                             QString(59, u'_') + u("\n") + u(" Skruv") + QString(15, u' ') +
                             u("    3st      19.90         60.00\n") + u(" Plank") +
                             QString(15, u' ') + u("  100m        1.00        100.00\n");
    EXPECT_EQ(count.text, expected);
    EXPECT_EQ(mv::storedText(mv::drive::stockScratch), expected);

    ASSERT_TRUE(mv::storeStockCount(paths, count, r.show()));
    EXPECT_EQ(mv::storedText(paths.closing(u("inventering"))), expected);
    EXPECT_EQ(mv::storedText(paths.closing(u("inventering_varde"))), u("160\n"));
    EXPECT_EQ(mv::storedText(paths.closing(u("inventering_datum"))), u("2014-03-07\n"));
    EXPECT_FALSE(QFile::exists(mv::drive::stockScratch));

    // Reopened, the count goes on from the stored total.
    mv::StockCount again = mv::openStockCount(paths);
    EXPECT_EQ(again.total, 160);
    EXPECT_EQ(again.text, expected);
    ASSERT_TRUE(mv::addStockItem(paths, {u("Lim"), u("1"), u("st"), u("9.50")}, again, r.show()));
    EXPECT_EQ(again.total, 170);
    EXPECT_TRUE(again.text.startsWith(expected));

    ASSERT_TRUE(mv::deleteStockCount(paths, r.show()));
    EXPECT_EQ(mv::storedText(paths.closing(u("inventering"))), QString());
    EXPECT_EQ(mv::openStockCount(paths).total, 0);
}

} // namespace
