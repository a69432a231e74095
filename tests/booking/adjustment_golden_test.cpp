// The bookings saved without a cash step (VAT write-offs, fixed-asset
// write-offs, closing receivables and payables) and the fixed-asset list:
// exact bytes against hand-computed files, refusals that touch no file at
// all, the year found intact by the next check, and a kill at every disk
// change leaving the books as before or as after.
#include "booking_fixture.h"

#include "booking/adjustment_bookings.h"
#include "store/integrity.h"

namespace {

using mv::Amount;
using mv::Side;

QByteArray crlf(const char* text) { return QByteArray(text).replace("\n", "\r\n"); }
QString u8(const char* s) { return QString::fromUtf8(s); }

class SpecialGoldenTest : public BookingTest {
protected:
    QString carriedPath() const { return paths.closing(QStringLiteral("fga_moms_skillnad")); }
    QString assetListPath() const { return paths.closing(QStringLiteral("inventarielista_avskr")); }

    // A value written at the start of the year, stamped like the rest.
    void startValue(const QString& path, const char* text) {
        ASSERT_EQ(mv::writeText(path, QString::fromUtf8(text)), 0);
        ASSERT_TRUE(mv::finishChange(paths).ok());
    }

    mv::Booking prepared(const mv::EntryForm& f) {
        const mv::PrepareResult r = mv::prepareBooking(f, rates());
        EXPECT_TRUE(r.ok) << r.message.text.toStdString();
        return r.booking;
    }

    mv::SpecialOutcome special(const mv::EntryForm& f) {
        return mv::commitSpecialBooking(paths, prepared(f));
    }

    // Every path the file layer is asked to change while fn runs.
    template <class Fn>
    QStringList writesDuring(Fn fn) {
        QStringList seen;
        mv::setWriteHook([&seen](const QString& p) {
            seen << p;
            return true;
        });
        fn();
        mv::setWriteHook({});
        return seen;
    }

    // The guard of the next command: no changed file, no message.
    void expectYearIntact() {
        int abortKey = 0;
        bool shutdownCheckDone = true;
        QStringList shown;
        const mv::CheckOutcome c = mv::checkIntegrity(paths, abortKey, shutdownCheckDone, [&](const mv::Message& m) {
            shown << m.text;
            return mv::answerNo;
        });
        EXPECT_EQ(c.sum, 0) << shown.join(u'|').toStdString();
        EXPECT_FALSE(c.repaired);
        EXPECT_TRUE(shown.isEmpty()) << shown.join(u'|').toStdString();
        EXPECT_FALSE(mv::changeInProgress(paths));
    }
};

TEST_F(SpecialGoldenTest, VatAssetWriteOffExactFiles) {
    startValue(carriedPath(), "-2500.00\n");
    mv::EntryForm f = form(Side::Income, "Justering, Utbokning momstillgång", "");
    const mv::PresetResult preset = mv::vatWriteOffPreset(paths, f);
    ASSERT_TRUE(preset.ok);
    EXPECT_EQ(preset.form.name, u8("Skattekontot på Skatteverket"));
    EXPECT_EQ(preset.form.freeText, u8("Utbetald moms bokas ur bokföringen"));
    EXPECT_EQ(preset.form.net, QStringLiteral("2500.00"));
    f = preset.form;
    f.reference = QStringLiteral("SKV-14");
    f.eventDate = QStringLiteral("2014-02-28");
    // Sign and öre are not part of a write-off.
    f.sign = QStringLiteral("+");
    f.ore = QStringLiteral("50");

    const mv::SpecialOutcome o = special(f);
    ASSERT_TRUE(o.ok) << o.message.text.toStdString();
    EXPECT_EQ(o.result, 12);
    EXPECT_EQ(o.number, 1);
    EXPECT_TRUE(o.message.text.isEmpty());
    EXPECT_EQ(bytesOf(carriedPath()), crlf("0.00\n"));
    EXPECT_EQ(bytesOf(paths.inVerifications), golden("adjustment_vat_asset_list.kdb"));
    EXPECT_EQ(bytesOf(paths.dayBook), golden("adjustment_vat_asset_daybook.kdb"));
    EXPECT_EQ(bytesOf(paths.cashBook), golden("adjustment_vat_asset_cashbook.kdb"));
    EXPECT_EQ(bytesOf(paths.account(u8("Justering, Utbokning momstillgång"))), crlf("2500.00\n"));
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray("1"));
    EXPECT_EQ(bytesOf(paths.dayBookDate), crlf("2014-03-07\n"));
    // No money moved, no VAT booked.
    EXPECT_EQ(mv::readAmountFile(paths.cash), Amount());
    EXPECT_EQ(mv::readAmountFile(paths.rounding), Amount());
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(mv::readAmountFile(paths.moneyAccountAmount(i)), Amount());
    EXPECT_FALSE(QFileInfo::exists(paths.outputVat(25)));
    expectYearIntact();

    // Written off whole: nothing is left to write off.
    EXPECT_EQ(mv::vatWriteOffPreset(paths, form(Side::Income, "Justering, Utbokning momstillgång", "")).message,
              mv::msg::nothingToWriteOff());
}

TEST_F(SpecialGoldenTest, VatDebtWriteOffExactFiles) {
    startValue(carriedPath(), "1800.00\n");
    const mv::PresetResult preset =
        mv::vatWriteOffPreset(paths, form(Side::Expense, "Justering, Utbokning momsskuld", ""));
    ASSERT_TRUE(preset.ok);
    EXPECT_EQ(preset.form.net, QStringLiteral("1800.00"));
    const mv::SpecialOutcome o = special(preset.form);
    ASSERT_TRUE(o.ok) << o.message.text.toStdString();
    EXPECT_EQ(o.result, 12);
    EXPECT_EQ(bytesOf(carriedPath()), crlf("0.00\n"));
    EXPECT_EQ(bytesOf(paths.outVerifications), golden("adjustment_vat_debt_list.kdb"));
    EXPECT_EQ(bytesOf(paths.dayBook), golden("adjustment_vat_debt_daybook.kdb"));
    EXPECT_EQ(bytesOf(paths.cashBook), golden("adjustment_vat_debt_cashbook.kdb"));
    EXPECT_EQ(mv::readAmountFile(paths.cash), Amount());
    expectYearIntact();
}

TEST_F(SpecialGoldenTest, PartialWriteOffsLeaveTheRestCarried) {
    startValue(carriedPath(), "-2500.00\n");
    ASSERT_TRUE(special(form(Side::Income, "Justering, Utbokning momstillgång", "1000.01")).ok);
    EXPECT_EQ(bytesOf(carriedPath()), crlf("-1499.99\n"));
    // The preset offers what is left, to the öre.
    EXPECT_EQ(mv::vatWriteOffPreset(paths, form(Side::Income, "Justering, Utbokning momstillgång", "")).form.net,
              QStringLiteral("1499.99"));
    ASSERT_TRUE(special(form(Side::Income, "Justering, Utbokning momstillgång", "1499.99")).ok);
    EXPECT_EQ(bytesOf(carriedPath()), crlf("0.00\n"));
    EXPECT_EQ(mv::readAmountFile(paths.account(u8("Justering, Utbokning momstillgång"))), Amount::fromKronor(2500));
    EXPECT_EQ(mv::storedCounter(paths), 2);

    startValue(carriedPath(), "0.30\n");
    const mv::PresetResult debt =
        mv::vatWriteOffPreset(paths, form(Side::Expense, "Justering, Utbokning momsskuld", ""));
    ASSERT_TRUE(debt.ok) << "a debt below one krona is still a debt";
    EXPECT_EQ(debt.form.net, QStringLiteral("0.30"));
    ASSERT_TRUE(special(debt.form).ok);
    EXPECT_EQ(bytesOf(carriedPath()), crlf("0.00\n"));
    EXPECT_EQ(mv::storedCounter(paths), 3);
}

// Every refusal is decided before the first write: the file layer is never
// asked to change anything and every byte of the year stays as it was.
TEST_F(SpecialGoldenTest, RefusalsWriteNothingAtAll) {
    startValue(paths.closing(QStringLiteral("fga_inventarievarde")), "1000.00\n");
    ASSERT_EQ(book(form(Side::Expense, "Utgift, Inventarier (med avskr)", "500", "25")), 1);
    ASSERT_TRUE(special(form(Side::Expense, "Utgift, Inventarier Utbokat", "200")).ok);
    // Left: 1000.00 + 500.00 - 200.00 = 1300.00; written off 200.00.

    struct Case {
        const char* carried;
        Side side;
        const char* type;
        const char* net;
        mv::Message expected;
    };
    const Case cases[] = {
        {"1800.00\n", Side::Income, "Justering, Utbokning momstillgång", "1800", mv::msg::writeOffIsDebt()},
        {"-2500.00\n", Side::Expense, "Justering, Utbokning momsskuld", "2500", mv::msg::writeOffIsAsset()},
        {"0.00\n", Side::Income, "Justering, Utbokning momstillgång", "1", mv::msg::nothingToWriteOff()},
        {"\n", Side::Expense, "Justering, Utbokning momsskuld", "1", mv::msg::nothingToWriteOff()},
        {"-2500.00\n", Side::Income, "Justering, Utbokning momstillgång", "2500.01",
         mv::msg::writeOffTooLarge(Amount::fromKronor(2500))},
        {"1800.00\n", Side::Expense, "Justering, Utbokning momsskuld", "1800.01",
         mv::msg::writeOffTooLarge(Amount::fromKronor(1800))},
        {"1800.00\n", Side::Expense, "Justering, Utbokning momsskuld", "-0.01",
         mv::msg::writeOffTooLarge(Amount::fromKronor(1800))},
        {"0.00\n", Side::Expense, "Utgift, Inventarier Utbokat", "1300.01",
         mv::msg::assetWriteOffBelowZero(Amount::fromOre(-1))},
        {"0.00\n", Side::Expense, "Utgift, Inventarier Utbokat", "-200.01", mv::msg::reversalTooLarge()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.net + " carried " + c.carried);
        startValue(carriedPath(), c.carried);
        const auto before = snapshot();
        mv::SpecialOutcome o;
        const QStringList writes = writesDuring([&] { o = special(form(c.side, c.type, c.net)); });
        EXPECT_FALSE(o.ok);
        EXPECT_EQ(o.result, 0);
        EXPECT_EQ(o.message, c.expected);
        EXPECT_TRUE(writes.isEmpty()) << writes.join(u',').toStdString();
        EXPECT_EQ(snapshot(), before);
    }

    // Exactly the remaining value may be written off, and exactly the
    // written-off total reversed.
    startValue(carriedPath(), "0.00\n");
    EXPECT_TRUE(mv::checkAgainstBooks(paths, prepared(form(Side::Expense, "Utgift, Inventarier Utbokat", "1300"))).ok);
    EXPECT_TRUE(mv::checkAgainstBooks(paths, prepared(form(Side::Expense, "Utgift, Inventarier Utbokat", "-200"))).ok);
}

TEST_F(SpecialGoldenTest, SaleAboveTheAssetValueRefusedWithBothMessages) {
    // R = P + B - W - L in öre: 10000.75 + 2000.00 - 3000.00 - 4000.00 = 5000.75.
    startValue(paths.closing(QStringLiteral("fga_inventarievarde")), "10000.75\n");
    ASSERT_EQ(book(form(Side::Expense, "Utgift, Inventarier (med avskr)", "2000", "25")), 1);
    ASSERT_TRUE(special(form(Side::Expense, "Utgift, Inventarier Utbokat", "3000")).ok);
    ASSERT_EQ(book(form(Side::Income, "Inkomst, Inventarier", "4000", "25")), 3);
    EXPECT_EQ(mv::assetValue(paths), Amount::fromOre(500075));

    const mv::Booking sale = prepared(form(Side::Income, "Inkomst, Inventarier", "5000.76", "25"));
    const mv::BooksCheck check = mv::checkAgainstBooks(paths, sale);
    ASSERT_FALSE(check.ok);
    EXPECT_EQ(check.message.title, QStringLiteral("MEDDELANDE"));
    EXPECT_EQ(check.message.icon, QStringLiteral("INFORMATION"));
    EXPECT_EQ(check.message.text, u8("-0.01kr i saldot skulle det bli efter försäljning för kontot!\n"
                                     "Saldot för kontot får ej bli minus, transaktionen avbryts!\n\n"));
    EXPECT_EQ(check.help.title, u8("Dr. Hjälp"));
    EXPECT_EQ(check.help.icon, QStringLiteral("INFORMATION"));
    EXPECT_EQ(check.help.text, u8("När det blir minus vid försäljninmg av inventarier\n"
                                  "Kan det bero på:\n\n"
                                  "   Det har sålts eller bokats ut för mycket tidigare.\n"
                                  "   Kan bero på en felräkning.\n"
                                  "   = Sälj till 5000.75  kr mot konto  'inkomst, Inventarier' och resten mot\n"
                                  "   konto 'Inkomst, annat'. Inget mer finns att boka ut!\n\n"));

    const auto before = snapshot();
    mv::CommitOutcome c;
    const QStringList writes = writesDuring([&] { c = mv::commitBooking(paths, sale, placement(0)); });
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.message, check.message);
    EXPECT_TRUE(writes.isEmpty()) << writes.join(u',').toStdString();
    EXPECT_EQ(snapshot(), before);

    // The same for a write-off, with its own pair of messages.
    const mv::BooksCheck w =
        mv::checkAgainstBooks(paths, prepared(form(Side::Expense, "Utgift, Inventarier Utbokat", "5001")));
    ASSERT_FALSE(w.ok);
    EXPECT_EQ(w.message.text, u8("-0.25kr i saldot skulle det bli efter utbokning!\n\n"
                                 "Saldot får ej bli minus, transaktionen avbryts!\n\n"));
    EXPECT_EQ(w.message.icon, QStringLiteral("STOP"));
    EXPECT_TRUE(w.help.text.startsWith(u8("När det blir minus vid utbokning av inventariesaldot\n")));
    EXPECT_TRUE(w.help.text.endsWith(u8("   = Räkna om och boka ut rätt eller boka ut mindre!\n\n\n")));

    // Exactly the remaining value may be sold.
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Inventarier", "5000.75", "25")), 4);
    EXPECT_EQ(mv::assetValue(paths), Amount());
}

TEST_F(SpecialGoldenTest, FixedAssetListExactBytes) {
    // A list file holding a single line end counts as empty: the first
    // purchase writes the head over it.
    ASSERT_EQ(mv::writeText(assetListPath(), QStringLiteral("\n")), 0);
    ASSERT_EQ(book(form(Side::Expense, "Utgift, Inventarier (med avskr)", "12000", "25")), 1);
    mv::EntryForm f = form(Side::Expense, "Utgift, Inventarier (med avskr)", "4500,50", "12");
    f.eventDate = QStringLiteral("2014-02-01");
    f.freeText = u8("Bandsåg");
    ASSERT_EQ(book(f), 2);
    f.net = QStringLiteral("-500");
    ASSERT_EQ(book(f), 3);
    ASSERT_EQ(book(form(Side::Income, "Inkomst, Inventarier", "2000", "25")), 4);
    ASSERT_EQ(book(form(Side::Income, "Inkomst, Inventarier", "-100", "25")), 5);

    const Amount cashBefore = mv::readAmountFile(paths.cash);
    const QByteArray roundingBefore = bytesOf(paths.rounding);
    const QByteArray accountsBefore = bytesOf(paths.moneyAccountAmount(1));
    mv::EntryForm w = form(Side::Expense, "Utgift, Inventarier Utbokat", "3000");
    w.reference = QStringLiteral("K-3");
    w.freeText = QStringLiteral("Skrotad svarv");
    const mv::SpecialOutcome o = special(w);
    ASSERT_TRUE(o.ok) << o.message.text.toStdString();
    EXPECT_EQ(o.result, 10);
    EXPECT_EQ(o.number, 6);
    EXPECT_EQ(o.message.title, QStringLiteral("MEDDELANDE"));
    EXPECT_EQ(o.message.text, u8("Transaktionen bokades automatiskt\nmot Inventariekontot!\n\n"));
    EXPECT_TRUE(bytesOf(paths.outVerifications).endsWith(golden("adjustment_asset_writeoff_block.kdb")));
    EXPECT_TRUE(file(paths.cashBook).endsWith(QStringLiteral("\n     6 2014-03-07 Utgift, Inventarier Utbokat") +
                                              QString(18, u' ') + u8("- Påverkar ej =\n")));
    EXPECT_EQ(mv::readAmountFile(paths.cash), cashBefore);
    EXPECT_EQ(bytesOf(paths.rounding), roundingBefore);
    EXPECT_EQ(bytesOf(paths.moneyAccountAmount(1)), accountsBefore);
    expectYearIntact();

    ASSERT_EQ(special(form(Side::Expense, "Utgift, Inventarier Utbokat", "-1000")).number, 7);
    EXPECT_EQ(bytesOf(assetListPath()), golden("adjustment_asset_list.kdb"));
    EXPECT_EQ(bytesOf(paths.account(QStringLiteral("Utgift, Inventarier Utbokat"))), crlf("2000.00\n"));
    EXPECT_EQ(mv::readAmountFile(paths.cash), cashBefore);
    // 12000.00 + 4500.50 - 500.00 - 2000.00 + 100.00 - 2000.00
    EXPECT_EQ(mv::assetValue(paths), Amount::fromOre(1210050));
}

TEST_F(SpecialGoldenTest, ClosingRegistrationsExactBytes) {
    QMap<QString, QByteArray> untouched;
    for (const QString& p : {paths.inVerifications, paths.outVerifications, paths.dayBook, paths.cashBook,
                             paths.verCounter, paths.cash, paths.rounding})
        untouched.insert(p, bytesOf(p));
    mv::EntryForm f = form(Side::Expense, "Bokslut, Leverantörsskulder", "1000", "25");
    f.reference = QStringLiteral("4711");
    f.name = QStringLiteral("Järnhandeln");
    // Sign and öre are not part of a registration.
    f.sign = QStringLiteral("-");
    f.ore = QStringLiteral("40");
    const mv::SpecialOutcome o = special(f);
    ASSERT_TRUE(o.ok) << o.message.text.toStdString();
    EXPECT_EQ(o.result, 11);
    EXPECT_EQ(o.number, 0);
    EXPECT_TRUE(o.message.text.isEmpty());
    f.reference = QStringLiteral("F-2014-0099");
    f.name = u8("Åkeri Nord AB");
    ASSERT_EQ(special(f).result, 11);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("LeverantorsskulderLista"))), golden("adjustment_payables_list.kdb"));
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("Leverantorsskulder"))), crlf("2000.00\n"));
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("LeverantorsskulderMoms"))), crlf("500.00\n"));
    EXPECT_EQ(bytesOf(paths.inputVat(25)), crlf("500.00\n"));
    EXPECT_EQ(bytesOf(paths.supplier(u8("Åkeri Nord AB"))), u8("Åkeri Nord AB\r\n\r\n\r\n\r\n").toLatin1());
    expectYearIntact();

    // Receivables: the output VAT of the rate, an empty reference, a
    // cancellation with its own minus.
    mv::EntryForm r = form(Side::Income, "Bokslut, Kundfordringar", "800", "12");
    r.reference = QStringLiteral("14007");
    r.name = QStringLiteral("Kund AB");
    ASSERT_EQ(special(r).result, 11);
    r = form(Side::Income, "Bokslut, Kundfordringar", "-100", "25");
    r.name = u8("Öster & Co");
    ASSERT_EQ(special(r).result, 11);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("KundfordringarLista"))), golden("adjustment_receivables_list.kdb"));
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("Kundfordringar"))), crlf("700.00\n"));
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("KundfordringarMoms"))), crlf("71.00\n"));
    EXPECT_EQ(bytesOf(paths.outputVat(12)), crlf("96.00\n"));
    EXPECT_EQ(bytesOf(paths.outputVat(25)), crlf("-25.00\n"));

    // Nothing of the books' verifications: the next one still takes number 1.
    for (const QString& p : {paths.inVerifications, paths.outVerifications, paths.dayBook, paths.cashBook,
                             paths.verCounter, paths.cash, paths.rounding})
        EXPECT_EQ(bytesOf(p), untouched.value(p)) << p.toStdString();
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Räntor", "1")), 1);
}

// A kill at any disk change of a special booking: after the start-up check
// and the booking's recovery the year holds the booking whole or not at all.
class SpecialCrashTest : public SpecialGoldenTest {
protected:
    SpecialCrashTest() { inMemory = true; }

    void freshYear(const QString& folder) {
        ASSERT_TRUE(QDir::setCurrent(folder));
        makeYear();
        startValue(carriedPath(), "-2500.00\n");
        startValue(paths.closing(QStringLiteral("fga_inventarievarde")), "8000.00\n");
        mv::EntryForm f = form(Side::Expense, "Utgift, Momsfritt", "100");
        f.name = QStringLiteral("Gammal AB");
        f.freeText = QStringLiteral("Gammal text");
        ASSERT_EQ(book(f), 1);
    }

    template <class Op>
    void crashEverywhere(Op op, int minChanges = 5) {
        BookingTest::crashEverywhere([this](const QString& folder) { freshYear(folder); }, op,
                                     minChanges);
    }
};

TEST_F(SpecialCrashTest, VatAssetWriteOff) {
    crashEverywhere([this] {
        mv::EntryForm f = form(Side::Income, "Justering, Utbokning momstillgång", "2500");
        f.name = QStringLiteral("Skattekontot");
        f.freeText = QStringLiteral("Utbetald moms");
        return special(f).ok;
    });
}

TEST_F(SpecialCrashTest, FixedAssetWriteOff) {
    crashEverywhere([this] {
        mv::EntryForm f = form(Side::Expense, "Utgift, Inventarier Utbokat", "3000");
        f.freeText = QStringLiteral("Skrotad svarv");
        return special(f).ok;
    });
}

TEST_F(SpecialCrashTest, PayableWithNewSupplier) {
    crashEverywhere([this] {
        mv::EntryForm f = form(Side::Expense, "Bokslut, Leverantörsskulder", "1000", "25");
        f.reference = QStringLiteral("4711");
        f.name = QStringLiteral("Ny Leverantör");
        return special(f).ok;
    });
}

// Renaming money accounts consumes no number either: the recovery must tell
// a finished renaming from a half-written one by the names themselves.
TEST_F(SpecialCrashTest, RenamingTwoMoneyAccounts) {
    crashEverywhere([this] {
        const mv::MoneyAccounts m = mv::loadMoneyAccounts(paths);
        mv::TransferForm t;
        t.names = m.names;
        t.names[4] = QStringLiteral("Kassa 2");
        t.names[5] = QStringLiteral("Sparkonto");
        for (int i = 0; i < 6; ++i) t.balances[size_t(i)] = m.balances[size_t(i)].toText();
        const mv::CommitOutcome c = mv::commitTransfer(paths, t);
        return c.ok && c.number == 0;
    }, 3); // the journal, two names, the journal removed
}

} // namespace
