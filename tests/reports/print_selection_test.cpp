#include "reports_fixture.h"

#include "reports/report_file.h"
#include "reports/report_table.h"
#include "reports/verification_search.h"
#include "store/record_file.h"

namespace {

const QString kLine = QString(60, '-');

// An ordinary verification block as booking writes it.
QString block(const QString& number, const QString& amount) {
    return "Verifikat          = " + number + "\nBokförings Datum   = 2014-03-07\n" +
           "Konton                           Belopp        Balans\n" + kLine + "\n" +
           "Inkomst, Annat                          " + amount + "\n" + kLine + "\n\n\n";
}

QString dayBook() {
    return "DAGBOK  2014\n" + QString(86, '_') + "\n\n" + block("1", "100.00") +
           block("12", "1200.00") + block("2", "200.00");
}

QString selected(const QString& text, const mv::TextRange& r) {
    return text.mid(r.start, r.end - r.start);
}

TEST(VerificationSearch, FindsTheWholeBlockOfTheNumber) {
    const QString text = dayBook();
    const auto found = mv::findVerificationBlock(text, "12");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(selected(text, *found), block("12", "1200.00").chopped(3));
    // The last block of the text, field text with blanks around it.
    const auto last = mv::findVerificationBlock(text, " 2 ");
    ASSERT_TRUE(last.has_value());
    EXPECT_EQ(selected(text, *last), block("2", "200.00").chopped(3));
}

TEST(VerificationSearch, ANumberIsNeverFoundAsThePrefixOfALongerOne) {
    const QString text = "DAGBOK  2014\n\n" + block("12", "1200.00") + block("123", "5.00");
    EXPECT_FALSE(mv::findVerificationBlock(text, "1").has_value());
    const auto found = mv::findVerificationBlock(text, "12");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(selected(text, *found), block("12", "1200.00").chopped(3));
    // Not found either as the tail of a longer line.
    EXPECT_FALSE(mv::findVerificationBlock("XVerifikat          = 7\n" + kLine + "\n" + kLine, "7")
                     .has_value());
}

TEST(VerificationSearch, AnOpenBlockIsNotPrintedTogetherWithTheNextOne) {
    // Block 5 still waits for its cash step: no closing line of its own.
    const QString open = "Verifikat          = 5\nKonton\n" + kLine + "\nInkomst, Annat 1.00\n";
    const QString text = open + block("6", "6.00");
    EXPECT_FALSE(mv::findVerificationBlock(text, "5").has_value());
    EXPECT_TRUE(mv::findVerificationBlock(text, "6").has_value());
    EXPECT_FALSE(mv::findVerificationBlock(open, "5").has_value());
}

TEST(VerificationSearch, TheFieldDecidesWholeBlockOrNothing) {
    const QString text = dayBook();
    EXPECT_EQ(mv::selectionForPrint(text, "").kind, mv::PrintSelection::Whole);
    EXPECT_EQ(mv::selectionForPrint(text, "   ").kind, mv::PrintSelection::Whole);
    EXPECT_EQ(mv::selectionForPrint(text, "12").kind, mv::PrintSelection::Block);
    EXPECT_EQ(mv::selectionForPrint(text, "99").kind, mv::PrintSelection::NotFound);
    EXPECT_EQ(mv::selectionForPrint(QString(), "1").kind, mv::PrintSelection::NotFound);
}

TEST(PrintTable, RowsKeepTheirOrderMarginsAndBoldLengths) {
    const auto& table = mv::printTable();
    ASSERT_EQ(table.size(), 14u);
    for (size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].order, int(i) + 1);
    using S = mv::PrintSource;
    const auto& day = table[6];
    EXPECT_EQ(day.source, S::DayBook);
    EXPECT_EQ(day.boldChars, 8);
    EXPECT_TRUE(day.oneVerification);
    EXPECT_EQ(table[8].source, S::CashBook);
    EXPECT_EQ(table[8].leftMarginMm, 0);
    EXPECT_EQ(table[5].source, S::InvoiceDocument);
    EXPECT_EQ(table[5].leftMarginMm, 20);
    EXPECT_TRUE(table[5].invoiceFormatting);
    int verificationRows = 0;
    for (const auto& r : table)
        verificationRows += r.oneVerification ? 1 : 0;
    EXPECT_EQ(verificationRows, 4); // income, expense and cash lists, day book
}

TEST(PrintTable, ListsOfTheEntryPagesTakePrecedenceOverTheirVerificationLists) {
    mv::PrintConditions c;
    c.incomePageShowing = true;
    c.receivablesListShowing = true;
    auto rows = mv::rowsToPrint(c);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].source, mv::PrintSource::ReceivablesList);
    EXPECT_EQ(rows[0].boldChars, 14);

    c = {};
    c.expensePageShowing = true;
    rows = mv::rowsToPrint(c);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].source, mv::PrintSource::ExpenseList);
    EXPECT_EQ(rows[0].boldChars, 22);

    c = {};
    c.reports.set(mv::Report::Vat);
    c.reports.set(mv::Report::DayBook);
    rows = mv::rowsToPrint(c);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].source, mv::PrintSource::DayBook);
    EXPECT_EQ(rows[1].source, mv::PrintSource::Vat);
    c.reports.clear();
    EXPECT_FALSE(c.reports.any());
    EXPECT_TRUE(mv::rowsToPrint(c).empty());
}

TEST(ReportTable, WorkFilesBoldLengthsAndWhichAreKept) {
    const mv::PathTable p = mv::buildPathTable("2014");
    EXPECT_EQ(mv::reportWorkFile(p, mv::Report::DayBook), "2014/bokforing/_dagbok.kdb");
    EXPECT_EQ(mv::reportWorkFile(p, mv::Report::Ledger), "2014/bokforing/_huvudbok.kdb");
    EXPECT_EQ(mv::reportWorkFile(p, mv::Report::Vat), mv::reportWorkFile(p, mv::Report::Result));
    EXPECT_EQ(mv::reportWorkFile(p, mv::Report::PayablesList),
              "2014/bokforing/bokslut_LeverantorsskulderLista.kdb");
    const auto& day = mv::reportInfo(mv::Report::DayBook);
    EXPECT_EQ(day.boldShown, 16);
    EXPECT_EQ(day.boldPrinted, 8);
    EXPECT_TRUE(day.keepWorkFile);
    EXPECT_TRUE(day.caretAtEnd);
    EXPECT_FALSE(mv::reportInfo(mv::Report::Ledger).keepWorkFile);
    EXPECT_TRUE(mv::reportInfo(mv::Report::CashBook).keepWorkFile);
    EXPECT_FALSE(mv::reportInfo(mv::Report::CashBook).caretAtEnd);
    EXPECT_EQ(mv::reportInfo(mv::Report::Vat).viewer, mv::reportInfo(mv::Report::Result).viewer);
    EXPECT_EQ(mv::reportInfo(mv::Report::Vat).boldShown, 28);
    for (int r = 0; r < mv::reportCount; ++r)
        EXPECT_EQ(int(mv::reportInfo(mv::Report(r)).report), r);
}

TEST(PrintMessages, ResultsOfThePrintOperation) {
    EXPECT_FALSE(mv::printResultMessage(0).has_value());
    const auto empty = mv::printResultMessage(2);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->title, "PRINTMEDDELANDE");
    EXPECT_EQ(empty->text, "Finns inget att skriva ut!\n\n");
    EXPECT_EQ(empty->icon, "EXCLAMATION");
    EXPECT_EQ(empty->buttons, "OK");
    EXPECT_EQ(mv::printResultMessage(1)->text, "Utskrift stoppad av användare!\n\n");
    EXPECT_EQ(mv::printResultMessage(3)->text, "Ett skrivarfel har uppstått!\n\n");
    EXPECT_EQ(mv::verificationNotFoundMessage().text,
              "Verifikationen kunde inte hittas!\n\nUtskriften avbryts!");
    const auto failed = mv::saveFailedMessage("2014/bokforing/_huvudbok.kdb");
    EXPECT_EQ(failed.title, "STOPP");
    EXPECT_EQ(failed.text,
              "Det gick inte att spara!\n\n2014/bokforing/_huvudbok.kdb\n\nIngenting har ändrats.");
}

class ReportFileTest : public ReportsTest {};

TEST_F(ReportFileTest, FirstPieceReplacesTheCreatedLineBreak) {
    QDir().mkpath("2014/bokforing");
    mv::ReportFile f("2014/bokforing/_balansbok.kdb");
    ASSERT_TRUE(f.create());
    f.put("BALANSBOK  ", 0);
    f.put("2014", 2);
    f.put("a", 1);
    f.put("b", 2);
    f.emptyLines(2);
    f.amountLine("Summa", "12.50", 20);
    EXPECT_TRUE(f.ok());
    // A piece of code 2 first loses its line break; a whole line never does.
    mv::ReportFile g("2014/bokforing/_resultatbok.kdb");
    ASSERT_TRUE(g.create());
    g.put("RESULTAT", 2);
    g.put("2014", 2);
    EXPECT_EQ(bytesOf("2014/bokforing/_resultatbok.kdb"), QByteArray("RESULTAT2014\r\n"));
    ASSERT_TRUE(g.create());
    g.line("RESULTAT");
    g.line("2014");
    EXPECT_EQ(bytesOf("2014/bokforing/_resultatbok.kdb"), QByteArray("RESULTAT\r\n2014\r\n"));
    EXPECT_EQ(bytesOf("2014/bokforing/_balansbok.kdb"),
              QByteArray("BALANSBOK  2014\r\na b\r\n\r\n\r\nSumma         12.50\r\n"));
}

TEST_F(ReportFileTest, NothingIsWrittenAfterTheFirstFailure) {
    QDir().mkpath("2014/bokforing");
    const QString path = "2014/bokforing/_balansbok.kdb";
    mv::ReportFile f(path);
    ASSERT_TRUE(f.create());
    f.line("first");
    int calls = 0;
    mv::setWriteHook([&calls](const QString&) { return ++calls > 1; }); // fails once
    f.line("second");
    f.line("third");
    mv::setWriteHook({});
    EXPECT_FALSE(f.ok());
    EXPECT_EQ(f.result(), 3);
    EXPECT_EQ(bytesOf(path), QByteArray("first\r\n"));
    EXPECT_EQ(f.failure().title, "STOPP");

    mv::ReportFile nowhere("2099/bokforing/_huvudbok.kdb");
    EXPECT_FALSE(nowhere.create());
    nowhere.line("x");
    EXPECT_NE(nowhere.result(), 0);
}

} // namespace
