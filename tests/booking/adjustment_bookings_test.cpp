// VAT write-offs, the fixed-asset list and the closing registrations:
// hand-computed files, refusals that leave every file as it was, and the
// files each of them may change.
#include "booking_fixture.h"

#include "booking/adjustment_bookings.h"

using mv::Side;

namespace {

QByteArray crlf(const char* text) { return QByteArray(text).replace("\n", "\r\n"); }

class SpecialTest : public BookingTest {
protected:
    mv::SpecialOutcome special(const mv::EntryForm& f) {
        const mv::PrepareResult r = mv::prepareBooking(f, rates());
        EXPECT_TRUE(r.ok) << r.message.text.toStdString();
        return mv::commitSpecialBooking(paths, r.booking);
    }
    void carried(const char* text) {
        ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_moms_skillnad")), QString::fromUtf8(text)), 0);
        ASSERT_TRUE(mv::finishChange(paths).ok());
    }
    static QStringList sorted(QStringList l) {
        l.sort();
        return l;
    }
    // The files whose bytes differ between two snapshots.
    static QStringList changed(const QMap<QString, QByteArray>& a, const QMap<QString, QByteArray>& b) {
        QStringList out;
        for (auto it = b.begin(); it != b.end(); ++it)
            if (a.value(it.key()) != it.value()) out << it.key().section(u'/', -1);
        for (auto it = a.begin(); it != a.end(); ++it)
            if (!b.contains(it.key())) out << it.key().section(u'/', -1);
        out.sort();
        return out;
    }
};

TEST_F(SpecialTest, VatAssetWrittenOffToZero) {
    carried("-2500.00\n");
    mv::EntryForm f = form(Side::Income, "Justering, Utbokning momstillgång", "");
    const mv::PresetResult preset = mv::vatWriteOffPreset(paths, f);
    ASSERT_TRUE(preset.ok);
    EXPECT_EQ(preset.form.net, QStringLiteral("2500.00"));
    const auto before = snapshot();
    const mv::SpecialOutcome o = special(preset.form);
    ASSERT_TRUE(o.ok) << o.message.text.toStdString();
    EXPECT_EQ(o.result, 12);
    EXPECT_EQ(o.number, 1);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("fga_moms_skillnad"))), crlf("0.00\n"));
    EXPECT_EQ(bytesOf(paths.inVerifications), golden("booking_vat_asset_writeoff_list.kdb"));
    EXPECT_EQ(bytesOf(paths.cashBook), golden("booking_vat_asset_writeoff_cashbook.kdb"));
    EXPECT_EQ(changed(before, snapshot()),
              sorted(QStringList{QStringLiteral("_dagbok.kdb"), QStringLiteral("_dat.kdb"), QStringLiteral("_inkfritext.kdb"),
                           QStringLiteral("_kassabok.kdb"), QStringLiteral("_kunder.kdb"), QStringLiteral("_ver.kdb"),
                           QStringLiteral("__in_verifikation.kdb"), QStringLiteral("bokslut_fga_moms_skillnad.kdb"),
                           QString::fromUtf8("konto_Justering, Utbokning momstillgång.kdb"),
                           QStringLiteral("konto_Oresutjamning.kdb"),
                           QString::fromUtf8("Skattekontot på Skatteverket.kdb")}));
    EXPECT_EQ(mv::readAmountFile(paths.cash), mv::Amount());
    EXPECT_EQ(integritySum(), 0);
}

TEST_F(SpecialTest, VatDebtWrittenOffToZero) {
    carried("1800.00\n");
    const mv::PresetResult preset =
        mv::vatWriteOffPreset(paths, form(Side::Expense, "Justering, Utbokning momsskuld", ""));
    ASSERT_TRUE(preset.ok);
    EXPECT_EQ(preset.form.freeText, QStringLiteral("Inbetald moms bokas ur bokföringen"));
    const mv::SpecialOutcome o = special(preset.form);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.result, 12);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("fga_moms_skillnad"))), crlf("0.00\n"));
    const QString list = file(paths.outVerifications);
    EXPECT_TRUE(list.contains(QString::fromUtf8("\nUtbokning momsskuld") + QString(14, u' ') +
                              QStringLiteral("1800.00\nBoka ut mot Fg.års Moms") + QString(24, u' ') +
                              QStringLiteral("1800.00\n")));
    EXPECT_TRUE(file(paths.cashBook).endsWith(QString::fromUtf8("- Påverkar ej =\n")));
}

TEST_F(SpecialTest, WrongDirectionOrTooLargeChangesNothing) {
    carried("1800.00\n");
    auto before = snapshot();
    // An asset write-off while a debt is carried.
    mv::EntryForm f = form(Side::Income, "Justering, Utbokning momstillgång", "1800");
    mv::SpecialOutcome o = special(f);
    EXPECT_FALSE(o.ok);
    EXPECT_EQ(o.message, mv::msg::writeOffIsDebt());
    // The preset says so first.
    EXPECT_EQ(mv::vatWriteOffPreset(paths, f).message.text,
              QString::fromUtf8("Det finns ingen momstillgång!\n\nDet finns 1800.00 i momsskuld att boka bort "
                                "genom:\n\n' Justering, Utbokning momsskuld ' under knappen 'Utgift'"));
    // More than the debt, or a negative amount that would raise it.
    o = special(form(Side::Expense, "Justering, Utbokning momsskuld", "1800.01"));
    EXPECT_EQ(o.message, mv::msg::writeOffTooLarge(mv::Amount::fromKronor(1800)));
    o = special(form(Side::Expense, "Justering, Utbokning momsskuld", "-10"));
    EXPECT_EQ(o.message, mv::msg::writeOffTooLarge(mv::Amount::fromKronor(1800)));
    EXPECT_EQ(snapshot(), before);

    carried("-2500.00\n");
    before = snapshot();
    o = special(form(Side::Expense, "Justering, Utbokning momsskuld", "100"));
    EXPECT_EQ(o.message, mv::msg::writeOffIsAsset());
    o = special(form(Side::Income, "Justering, Utbokning momstillgång", "2500.01"));
    EXPECT_EQ(o.message, mv::msg::writeOffTooLarge(mv::Amount::fromKronor(2500)));
    EXPECT_EQ(snapshot(), before);

    carried("0.00\n");
    EXPECT_EQ(mv::vatWriteOffPreset(paths, f).message, mv::msg::nothingToWriteOff());
    EXPECT_EQ(special(form(Side::Income, "Justering, Utbokning momstillgång", "1")).message,
              mv::msg::nothingToWriteOff());
}

TEST_F(SpecialTest, FixedAssetPurchaseSaleAndWriteOff) {
    // Purchase without a free text, a sale, a write-off.
    EXPECT_EQ(book(form(Side::Expense, "Utgift, Inventarier (med avskr)", "12000", "25")), 1);
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Inventarier", "2000", "25")), 2);
    const mv::Amount cashBefore = mv::readAmountFile(paths.cash);
    const auto before = snapshot();
    const mv::SpecialOutcome o = special(form(Side::Expense, "Utgift, Inventarier Utbokat", "3000"));
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.result, 10);
    EXPECT_EQ(o.number, 3);
    EXPECT_EQ(o.message, mv::msg::assetWriteOffBooked());
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("inventarielista_avskr"))), golden("booking_asset_list.kdb"));
    EXPECT_TRUE(bytesOf(paths.outVerifications).endsWith(golden("booking_asset_writeoff_block.kdb")));
    EXPECT_TRUE(file(paths.cashBook).endsWith(QStringLiteral("     3 2014-03-07 Utgift, Inventarier Utbokat") +
                                              QString(18, u' ') + QString::fromUtf8("- Påverkar ej =\n")));
    EXPECT_EQ(mv::readAmountFile(paths.cash), cashBefore);
    EXPECT_EQ(bytesOf(paths.account(QStringLiteral("Utgift, Inventarier Utbokat"))), crlf("3000.00\n"));
    EXPECT_EQ(changed(before, snapshot()),
              sorted(QStringList{QStringLiteral("_dagbok.kdb"), QStringLiteral("_kassabok.kdb"), QStringLiteral("_ver.kdb"),
                           QStringLiteral("__ut_verifikation.kdb"), QStringLiteral("bokslut_inventarielista_avskr.kdb"),
                           QStringLiteral("konto_Utgift, Inventarier Utbokat.kdb")}));
    EXPECT_EQ(mv::assetValue(paths), mv::Amount::fromKronor(7000));
    EXPECT_EQ(integritySum(), 0);
}

TEST_F(SpecialTest, AssetValueRefusalsSaveNothing) {
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_inventarievarde")), QStringLiteral("1000.50\n")), 0);
    ASSERT_TRUE(mv::finishChange(paths).ok());
    EXPECT_EQ(book(form(Side::Expense, "Utgift, Inventarier (med avskr)", "6000", "25")), 1);
    EXPECT_EQ(book(form(Side::Expense, "Utgift, Inventarier (med avskr)", "-500", "25")), 2);
    ASSERT_TRUE(special(form(Side::Expense, "Utgift, Inventarier Utbokat", "1500")).ok);
    // Remaining: 1000.50 + 6000 - 500 - 1500 = 5000.50, in öre.
    EXPECT_EQ(mv::assetValue(paths), mv::Amount::fromOre(500050));
    const auto before = snapshot();

    const mv::PrepareResult sale = mv::prepareBooking(form(Side::Income, "Inkomst, Inventarier", "5000.51", "25"), rates());
    ASSERT_TRUE(sale.ok);
    const mv::BooksCheck check = mv::checkAgainstBooks(paths, sale.booking);
    EXPECT_FALSE(check.ok);
    EXPECT_EQ(check.message.text, QString::fromUtf8("-0.01kr i saldot skulle det bli efter försäljning för kontot!\n"
                                                    "Saldot för kontot får ej bli minus, transaktionen avbryts!\n\n"));
    EXPECT_EQ(check.message.title, QStringLiteral("MEDDELANDE"));
    EXPECT_TRUE(check.help.text.contains(QString::fromUtf8("   = Sälj till 5000.50  kr mot konto")));
    EXPECT_EQ(check.help.title, QString::fromUtf8("Dr. Hjälp"));
    EXPECT_FALSE(mv::commitBooking(paths, sale.booking, placement(0)).ok);

    mv::SpecialOutcome o = special(form(Side::Expense, "Utgift, Inventarier Utbokat", "5000.51"));
    EXPECT_EQ(o.message, mv::msg::assetWriteOffBelowZero(mv::Amount::fromOre(-1)));
    o = special(form(Side::Expense, "Utgift, Inventarier Utbokat", "-1500.01"));
    EXPECT_EQ(o.message, mv::msg::reversalTooLarge());
    EXPECT_EQ(snapshot(), before);

    // Exactly the remaining value may be sold.
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Inventarier", "5000.50", "25")), 4);
    EXPECT_EQ(mv::assetValue(paths), mv::Amount());
    // The cancelled purchase shows its own minus, the sale a single one.
    const QString list = file(paths.closing(QStringLiteral("inventarielista_avskr")));
    EXPECT_TRUE(list.contains(QStringLiteral("   -500.00\n")));
    EXPECT_TRUE(list.contains(QStringLiteral(" -5000.50\n")));
    EXPECT_FALSE(list.contains(QStringLiteral("--")));
}

TEST_F(SpecialTest, SaleOnAnEmptyListHasNoHead) {
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_inventarievarde")), QStringLiteral("900.00\n")), 0);
    ASSERT_TRUE(mv::finishChange(paths).ok());
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Inventarier", "-100", "25")), 1);
    EXPECT_EQ(file(paths.closing(QStringLiteral("inventarielista_avskr"))),
              QString::fromUtf8("2014-03-07 Inventarie såld enligt Ver. 1") + QString(13, u' ') +
                  QStringLiteral("100.00\n"));
}

TEST_F(SpecialTest, TwoPayablesRegistered) {
    const auto before = snapshot();
    mv::EntryForm f = form(Side::Expense, "Bokslut, Leverantörsskulder", "1000", "25");
    f.reference = QStringLiteral("L-17");
    f.name = QStringLiteral("Bygg AB");
    mv::SpecialOutcome o = special(f);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.result, 11);
    EXPECT_EQ(o.number, 0);
    f.reference = QStringLiteral("L-18");
    f.name = QString::fromUtf8("Måleri AB");
    ASSERT_TRUE(special(f).ok);
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("LeverantorsskulderLista"))), golden("booking_payables_list.kdb"));
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("Leverantorsskulder"))), crlf("2000.00\n"));
    EXPECT_EQ(bytesOf(paths.closing(QStringLiteral("LeverantorsskulderMoms"))), crlf("500.00\n"));
    EXPECT_EQ(bytesOf(paths.inputVat(25)), crlf("500.00\n"));
    // Nothing else of the books: no number, no block, no totals.
    EXPECT_EQ(changed(before, snapshot()),
              sorted(QStringList{QString::fromUtf8("Bygg AB.kdb"), QString::fromUtf8("Måleri AB.kdb"),
                           QStringLiteral("_leverantorer.kdb"), QStringLiteral("bokslut_Leverantorsskulder.kdb"),
                           QStringLiteral("bokslut_LeverantorsskulderLista.kdb"),
                           QStringLiteral("bokslut_LeverantorsskulderMoms.kdb"), QStringLiteral("konto_moms_utgift_25.kdb")}));
    EXPECT_EQ(integritySum(), 0);
    // The next verification still takes number 1.
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Räntor", "1")), 1);
}

TEST_F(SpecialTest, ReceivableRegisteredWithItsHead) {
    mv::EntryForm f = form(Side::Income, "Bokslut, Kundfordringar", "800", "12");
    f.reference = QStringLiteral("14007");
    f.name = QStringLiteral("Kund AB");
    ASSERT_EQ(special(f).result, 11);
    EXPECT_EQ(file(paths.closing(QStringLiteral("KundfordringarLista"))),
              QStringLiteral("KUNDFORDRINGAR (inkl. moms) 2014\n\n"
                             "Datum            Faktura      Kund                   Belopp\n") +
                  QString(59, u'_') + QStringLiteral("\n2014-03-07         14007      Kund AB                896.00\n"));
    EXPECT_EQ(mv::readAmountFile(paths.closing(QStringLiteral("KundfordringarMoms"))), mv::Amount::fromKronor(96));
    EXPECT_EQ(mv::readAmountFile(paths.outputVat(12)), mv::Amount::fromKronor(96));
}

TEST_F(SpecialTest, CashTypesAndOthersTakeTheirOwnRoad) {
    const mv::PrepareResult r = mv::prepareBooking(form(Side::Income, "Inkomst, Annat", "10", "25"), rates());
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(mv::commitSpecialBooking(paths, r.booking).message, mv::msg::unknownType());
    const mv::PrepareResult s =
        mv::prepareBooking(form(Side::Expense, "Bokslut, Leverantörsskulder", "10", "25"), rates());
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(mv::commitBooking(paths, s.booking, placement(0)).message, mv::msg::unknownType());
}

} // namespace
