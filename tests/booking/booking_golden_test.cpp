// Whole bookings written through the engine, compared byte for byte with
// hand-computed files.
#include "booking_fixture.h"

#include "booking/verification_text.h"

using mv::Side;

namespace {
QByteArray crlf(const char* text) { return QByteArray(text).replace("\n", "\r\n"); }
} // namespace

TEST_F(BookingTest, IncomeWithVatOnFirstAccount) {
    mv::EntryForm f = form(Side::Income, "Inkomst, Arbete och Tjänst", "1200", "25");
    f.name = QStringLiteral("Kund AB");
    f.street = QStringLiteral("Storgatan 1");
    f.postcode = QStringLiteral("90325");
    f.town = QString::fromUtf8("Umeå");
    f.freeText = QStringLiteral("Konsultarbete");
    EXPECT_EQ(book(f, 0), 1);

    EXPECT_EQ(bytesOf(paths.inVerifications), golden("booking_income_list.kdb"));
    EXPECT_EQ(bytesOf(paths.dayBook), golden("booking_income_daybook.kdb"));
    EXPECT_EQ(bytesOf(paths.cashBook), golden("booking_income_cashbook.kdb"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_EQ(bytesOf(paths.dayBookDate), crlf("2014-03-07\n"));
    EXPECT_EQ(bytesOf(paths.account(QString::fromUtf8("Inkomst, Arbete och Tjänst"))), crlf("1200.00\n"));
    EXPECT_EQ(bytesOf(paths.outputVat(25)), crlf("300.00\n"));
    EXPECT_EQ(bytesOf(paths.cash), crlf("1500.00\n"));
    EXPECT_EQ(bytesOf(paths.rounding), crlf("0.00\n"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), crlf("1500.00\n"));
    EXPECT_EQ(bytesOf(paths.moneyAccountName(1)), crlf("Kontantkassa\n"));
    // The expense side is untouched.
    EXPECT_EQ(bytesOf(paths.outVerifications), QByteArray());
    // Registers: the customer first in its list, its file with four lines.
    EXPECT_EQ(bytesOf(paths.customerList), crlf("Kund AB\n"));
    EXPECT_EQ(bytesOf(paths.customer(QStringLiteral("Kund AB"))),
              QString::fromUtf8("Kund AB\r\nStorgatan 1\r\n90325\r\nUmeå\r\n").toLatin1());
    EXPECT_EQ(bytesOf(paths.incomeFreeTexts), crlf("Konsultarbete\n"));
    EXPECT_FALSE(mv::changeInProgress(paths));
    EXPECT_EQ(integritySum(), 0);
}

TEST_F(BookingTest, ReverseChargeExpenseBooksBothVatFiles) {
    mv::EntryForm f = form(Side::Expense, "Utgift, Omvänd moms", "1000", "25");
    f.eventDate = QStringLiteral("2014-03-05");
    f.reference = QStringLiteral("F-1001");
    f.name = QStringLiteral("Bygg AB");
    f.freeText = QStringLiteral("Takarbete");
    EXPECT_EQ(book(f, 2), 1);

    EXPECT_EQ(bytesOf(paths.outVerifications), golden("booking_reverse_list.kdb"));
    EXPECT_EQ(bytesOf(paths.dayBook), golden("booking_reverse_daybook.kdb"));
    EXPECT_EQ(bytesOf(paths.cashBook), golden("booking_reverse_cashbook.kdb"));
    EXPECT_EQ(bytesOf(paths.inputVat(25)), crlf("250.00\n"));
    EXPECT_EQ(bytesOf(paths.reverseVat(25)), crlf("250.00\n"));
    EXPECT_EQ(bytesOf(paths.outputVat(25)), QByteArray());
    EXPECT_EQ(bytesOf(paths.account(QString::fromUtf8("Utgift, Omvänd moms"))), crlf("1000.00\n"));
    EXPECT_EQ(bytesOf(paths.cash), crlf("-1000.00\n"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(3)), crlf("-1000.00\n"));
    EXPECT_EQ(bytesOf(paths.supplierList), crlf("Bygg AB\n"));
    EXPECT_EQ(bytesOf(paths.supplier(QStringLiteral("Bygg AB"))), crlf("Bygg AB\n\n\n\n"));
    EXPECT_EQ(bytesOf(paths.expenseFreeTexts), crlf("Takarbete\n"));
    EXPECT_EQ(bytesOf(paths.customerList), QByteArray());
}

TEST_F(BookingTest, TransferBetweenTwoAccounts) {
    ASSERT_EQ(mv::writeText(paths.cash, QStringLiteral("1000.00\n")), 0);
    ASSERT_EQ(mv::writeText(paths.moneyAccountAmount(1), QStringLiteral("1000.00\n")), 0);
    ASSERT_TRUE(mv::finishChange(paths).ok());
    mv::TransferForm t;
    for (int i = 0; i < 6; ++i) {
        t.names[size_t(i)] = mv::defaultMoneyAccountNames()[i];
        t.balances[size_t(i)] = QStringLiteral("0.00");
    }
    t.balances[0] = QStringLiteral("700");
    t.balances[1] = QStringLiteral("300,00");
    const mv::CommitOutcome c = mv::commitTransfer(paths, t);
    ASSERT_TRUE(c.ok) << c.message.text.toStdString();
    EXPECT_EQ(c.number, 1);

    EXPECT_EQ(bytesOf(paths.transferVerifications), golden("booking_transfer_list.kdb"));
    EXPECT_EQ(bytesOf(paths.dayBook), golden("booking_transfer_daybook.kdb"));
    EXPECT_EQ(bytesOf(paths.cashBook), golden("booking_transfer_cashbook.kdb"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), crlf("700.00\n"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(2)), crlf("300.00\n"));
    EXPECT_EQ(bytesOf(paths.cash), crlf("1000.00\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_EQ(bytesOf(paths.dayBookDate), crlf("2014-03-07\n"));
    EXPECT_EQ(integritySum(), 0);
}

TEST_F(BookingTest, VatFreeIncomeWithNegativeOre) {
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Momsfritt", "100", "", "-", "50")), 1);
    EXPECT_EQ(bytesOf(paths.inVerifications), golden("booking_vatfree_list.kdb"));
    EXPECT_EQ(bytesOf(paths.cashBook), golden("booking_vatfree_cashbook.kdb"));
    EXPECT_EQ(bytesOf(paths.account(QStringLiteral("Inkomst, Momsfritt"))), crlf("100.00\n"));
    EXPECT_EQ(bytesOf(paths.rounding), crlf("-0.50\n"));
    EXPECT_EQ(bytesOf(paths.cash), crlf("99.50\n"));
    // No VAT file is created for a VAT-free type.
    for (int rate : {6, 12, 25}) EXPECT_EQ(bytesOf(paths.outputVat(rate)), QByteArray());
}

TEST_F(BookingTest, SmallAndCancelledExpensesKeepTheirOwnSign) {
    EXPECT_EQ(book(form(Side::Expense, "Utgift, Momsfritt", "0,50")), 1);
    EXPECT_EQ(book(form(Side::Expense, "Utgift, Räntor (på lån, krediter mm)", "-400")), 2);
    EXPECT_EQ(bytesOf(paths.outVerifications), golden("booking_small_list.kdb"));
    EXPECT_EQ(bytesOf(paths.cashBook), golden("booking_small_cashbook.kdb"));
    EXPECT_EQ(bytesOf(paths.cash), crlf("399.50\n"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), crlf("399.50\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("2"));
}

TEST_F(BookingTest, ShortFilesGetTheirHeadAgain) {
    // A list or book of fewer than 5 characters starts afresh; one of 5 is kept.
    putBytes(paths.inVerifications, "ab\r\n");
    putBytes(paths.cashBook, "abcd\r\n");
    ASSERT_TRUE(mv::finishChange(paths).ok());
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Räntor", "10")), 1);
    EXPECT_TRUE(bytesOf(paths.inVerifications).startsWith("INKOMST VERIFIKATIONER\r\n"));
    EXPECT_TRUE(bytesOf(paths.cashBook).startsWith("abcd\r\n     1 2014-03-07 Inkomst"));
}

TEST_F(BookingTest, ExpenseTypesWithShortLabelsAndNoVatLine) {
    EXPECT_EQ(book(form(Side::Expense, "Utgift, Betalning av Inlåning, Från ägaren", "500")), 1);
    const QString list = file(paths.outVerifications);
    EXPECT_TRUE(list.contains(QString::fromUtf8("\nBetalning Ägarlån") + QString(17, u' ') +
                              QStringLiteral("500.00\n")));
    EXPECT_FALSE(list.contains(QStringLiteral("Momskonto")));
    EXPECT_EQ(amountText(paths.account(QString::fromUtf8("Utgift, Betalning av Inlåning, Från ägaren"))),
              QStringLiteral("500.00"));
}

TEST_F(BookingTest, NumbersFollowTheStoredCounterAcrossLists) {
    // Another kind of verification moved the counter since the page opened:
    // the next booking takes the stored counter + 1.
    ASSERT_EQ(mv::writeText(paths.verCounter, QStringLiteral("41")), 0);
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Räntor", "10")), 42);
    EXPECT_EQ(book(form(Side::Expense, "Utgift, Momsfritt", "5")), 43);
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("43"));
    EXPECT_TRUE(file(paths.dayBook).contains(QStringLiteral("Verifikat          = 42\n")));
    EXPECT_TRUE(file(paths.outVerifications).contains(QStringLiteral("Verifikat          = 43\n")));
}

TEST_F(BookingTest, OneCharacterAccountNameSurvives) {
    mv::Placement p = placement(0);
    p.names[0] = QStringLiteral("K");
    const mv::PrepareResult r = mv::prepareBooking(form(Side::Income, "Inkomst, Räntor", "10"), rates());
    ASSERT_TRUE(r.ok);
    ASSERT_TRUE(mv::commitBooking(paths, r.booking, p).ok);
    EXPECT_EQ(bytesOf(paths.moneyAccountName(1)), crlf("K\n"));
    EXPECT_EQ(mv::loadMoneyAccounts(paths).names[0], QStringLiteral("K"));
}

TEST_F(BookingTest, ImportedCashSpreadOverTheAccounts) {
    // The import has set the cash total; its number is 3.
    ASSERT_EQ(mv::writeText(paths.cash, QStringLiteral("25000.00\n")), 0);
    ASSERT_EQ(mv::writeText(paths.verCounter, QStringLiteral("2")), 0);
    ASSERT_TRUE(mv::finishChange(paths).ok());
    mv::TransferForm t;
    for (int i = 0; i < 6; ++i) {
        t.names[size_t(i)] = mv::defaultMoneyAccountNames()[i];
        t.balances[size_t(i)] = QStringLiteral("0");
    }
    t.balances[0] = QStringLiteral("20000");
    t.balances[1] = QStringLiteral("4000");
    const auto before = snapshot();
    EXPECT_EQ(mv::commitImportedCash(paths, t, 3, mv::Amount::fromKronor(25000)).message, mv::msg::unbalanced());
    EXPECT_EQ(snapshot(), before);

    t.balances[1] = QStringLiteral("5000");
    const mv::CommitOutcome c = mv::commitImportedCash(paths, t, 3, mv::Amount::fromKronor(25000));
    ASSERT_TRUE(c.ok) << c.message.text.toStdString();
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("3"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), crlf("20000.00\n"));
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(2)), crlf("5000.00\n"));
    EXPECT_TRUE(mv::storedText(paths.cashBook)
                    .endsWith(QStringLiteral("\n     3 2014-03-07 Bokning av importerad kassa") + QString(18, u' ') +
                              QStringLiteral("+    25000.00 =   25000.00\n")));
    EXPECT_TRUE(bytesOf(paths.dayBook).endsWith(
        crlf("------------------------------------------------------------\n\n\n")));

    mv::TransferLines lines;
    lines.names = t.names;
    lines.after[0] = mv::Amount::fromKronor(20000);
    lines.after[1] = mv::Amount::fromKronor(5000);
    EXPECT_EQ(mv::importedCashBlock(3, QStringLiteral("2014-03-07"), mv::Amount::fromKronor(25000), lines),
              QString::fromUtf8("Verifikat          = 3\n"
                                "Datum              = 2014-03-07\n"
                                "                   = \n"
                                "Transaktion        = Bokning av importerad kassa\n"
                                "                   = \n"
                                "Konton                           Belopp        Balans\n") +
                  QString(60, u'-') + QString::fromUtf8("\nBoka från importerad kassa     25000.00\n") +
                  QStringLiteral("Boka mot  Kontantkassa") + QString(24, u' ') + QStringLiteral("20000.00\n") +
                  QStringLiteral("Boka mot  PlusGiro") + QString(29, u' ') + QStringLiteral("5000.00\n") +
                  QString(60, u'-') + QStringLiteral("\n\n\n"));
}
