// The checks of "Spara": typed amounts, characters, names, dates, limits,
// the zero total and the VAT rate; the live VAT and total; the failed write.
#include "booking_fixture.h"

using mv::Side;

namespace {

mv::PrepareResult prepare(const mv::EntryForm& f) {
    return mv::prepareBooking(f, {QStringLiteral("25"), QStringLiteral("12"), QStringLiteral("6"),
                                  QStringLiteral("x")});
}

} // namespace

TEST(TypedAmount, PlainNumbersOnly) {
    for (const char* good : {"1000", "1000.5", "1000,50", "-400", "0.5", ",5", "10.555", "7."})
        EXPECT_TRUE(mv::isTypedAmount(QString::fromUtf8(good))) << good;
    for (const char* bad : {"1 000", "1.000,50", "12a", "--5", "+5", "", "-", ".", "1.2.3", " 5", "5 "})
        EXPECT_FALSE(mv::isTypedAmount(QString::fromUtf8(bad))) << bad;
}

TEST(TypedAmount, NormalisationCutsAndCompletes) {
    EXPECT_EQ(mv::normalizeAmountText(QStringLiteral("99,9")), QStringLiteral("99.90"));
    EXPECT_EQ(mv::normalizeAmountText(QStringLiteral("10.555")), QStringLiteral("10.55"));
    EXPECT_EQ(mv::normalizeAmountText(QStringLiteral("7")), QStringLiteral("7.00"));
    EXPECT_EQ(mv::normalizeAmountText(QString()), QStringLiteral(".00"));
    // Normalising twice changes nothing, also for ten digits and more.
    for (const char* t : {"9999999999", "12345678901,5", "1000000.01", "-0,5", "7"}) {
        const QString once = mv::normalizeAmountText(QString::fromUtf8(t));
        EXPECT_EQ(mv::normalizeAmountText(once), once) << t;
    }
    EXPECT_EQ(mv::typedAmount(QStringLiteral("9999999999.00")), mv::Amount::fromKronor(9999999999LL));
    EXPECT_EQ(mv::typedAmount(QStringLiteral("10.559")), mv::Amount::fromOre(1055));
    EXPECT_EQ(mv::typedAmount(QStringLiteral("-0,5")), mv::Amount::fromOre(-50));
    EXPECT_FALSE(mv::typedAmount(QStringLiteral("1 000")).has_value());
}

TEST(LiveFigures, RoundedVatIsWhatTheTotalAdds) {
    // 1.02 at 25 % is 0.255: rounded once to 0.26, and the total adds 0.26.
    mv::LiveFigures f = mv::liveFigures(Side::Income, QString::fromUtf8("Inkomst, Arbete och Tjänst"),
                                        QStringLiteral("1.02"), QStringLiteral("25"), QString(), QString());
    EXPECT_EQ(f.vat, QStringLiteral("0.26"));
    EXPECT_EQ(f.total, QStringLiteral("1.28"));
    // Halves round away from zero, also below zero.
    f = mv::liveFigures(Side::Income, QStringLiteral("Inkomst, Annat"), QStringLiteral("-0.10"),
                        QStringLiteral("25"), QString(), QString());
    EXPECT_EQ(f.vat, QStringLiteral("-0.03"));
    // Öre without a sign gets "+"; with "-" the total is lower.
    f = mv::liveFigures(Side::Income, QString::fromUtf8("Inkomst, Arbete och Tjänst"), QStringLiteral("1200"),
                        QStringLiteral("25"), QString(), QStringLiteral("50"));
    EXPECT_EQ(f.sign, QStringLiteral("+"));
    EXPECT_EQ(f.total, QStringLiteral("1500.50"));
    f = mv::liveFigures(Side::Income, QString::fromUtf8("Inkomst, Arbete och Tjänst"), QStringLiteral("1200"),
                        QStringLiteral("25"), QStringLiteral("-"), QStringLiteral("50"));
    EXPECT_EQ(f.total, QStringLiteral("1499.50"));
    // Reverse charge: the total is the net (± öre) while the VAT still shows.
    f = mv::liveFigures(Side::Expense, QString::fromUtf8("Utgift, Omvänd moms"), QStringLiteral("1000"),
                        QStringLiteral("25"), QStringLiteral("-"), QStringLiteral("10"));
    EXPECT_EQ(f.vat, QStringLiteral("250.00"));
    EXPECT_EQ(f.total, QStringLiteral("999.90"));
    // A type without a rate ignores a rate text.
    f = mv::liveFigures(Side::Income, QStringLiteral("Inkomst, Momsfritt"), QStringLiteral("100"),
                        QStringLiteral("25"), QString(), QString());
    EXPECT_EQ(f.vat, QStringLiteral("0.00"));
    EXPECT_EQ(f.total, QStringLiteral("100.00"));
}

TEST(PrepareBooking, RefusalsWithTheirExactMessages) {
    auto base = [] {
        mv::EntryForm f;
        f.side = Side::Income;
        f.eventDate = QStringLiteral("2014-03-07");
        f.type = QString::fromUtf8("Inkomst, Arbete och Tjänst");
        f.net = QStringLiteral("100");
        f.rate = QStringLiteral("25");
        return f;
    };
    struct Case {
        const char* what;
        std::function<void(mv::EntryForm&)> change;
        mv::Message message;
        mv::EntryField field;
    };
    const Case cases[] = {
        {"blanks in the amount", [](mv::EntryForm& f) { f.net = QStringLiteral("1 000"); }, mv::msg::badAmount(), mv::EntryField::Net},
        {"two separators", [](mv::EntryForm& f) { f.net = QStringLiteral("1.000,50"); }, mv::msg::badAmount(), mv::EntryField::Net},
        {"letters in öre", [](mv::EntryForm& f) { f.ore = QStringLiteral("5x"); }, mv::msg::badAmount(), mv::EntryField::Ore},
        {"odd sign", [](mv::EntryForm& f) { f.sign = QStringLiteral("*"); f.ore = QStringLiteral("5"); }, mv::msg::badAmount(), mv::EntryField::Sign},
        {"negative zero", [](mv::EntryForm& f) { f.net = QStringLiteral("-0.00"); }, mv::msg::zeroTotal(), mv::EntryField::Net},
        {"empty net", [](mv::EntryForm& f) { f.net.clear(); }, mv::msg::zeroTotal(), mv::EntryField::Net},
        {"öre cancel the net", [](mv::EntryForm& f) { f.type = QStringLiteral("Inkomst, Momsfritt"); f.net = QStringLiteral("0.50"); f.sign = QStringLiteral("-"); f.ore = QStringLiteral("50"); }, mv::msg::zeroTotal(), mv::EntryField::Net},
        {"above the limit", [](mv::EntryForm& f) { f.net = QStringLiteral("1000000.01"); }, mv::msg::netTooLarge(), mv::EntryField::Net},
        {"below minus the limit", [](mv::EntryForm& f) { f.net = QStringLiteral("-1000000.01"); }, mv::msg::netTooLarge(), mv::EntryField::Net},
        {"rate not configured", [](mv::EntryForm& f) { f.rate = QStringLiteral("24"); }, mv::msg::rateNotApproved(), mv::EntryField::Rate},
        {"empty rate", [](mv::EntryForm& f) { f.rate.clear(); }, mv::msg::rateNotApproved(), mv::EntryField::Rate},
        {"the unused slot", [](mv::EntryForm& f) { f.rate = QStringLiteral("x"); }, mv::msg::rateNotApproved(), mv::EntryField::Rate},
        {"rate with a blank", [](mv::EntryForm& f) { f.rate = QStringLiteral("25 "); }, mv::msg::rateNotApproved(), mv::EntryField::Rate},
        {"no such day", [](mv::EntryForm& f) { f.eventDate = QStringLiteral("2014-02-30"); }, mv::msg::badDate(), mv::EntryField::EventDate},
        {"date form", [](mv::EntryForm& f) { f.eventDate = QStringLiteral("2014-3-7"); }, mv::msg::badDate(), mv::EntryField::EventDate},
        {"empty date", [](mv::EntryForm& f) { f.eventDate.clear(); }, mv::msg::badDate(), mv::EntryField::EventDate},
        {"path in the name", [](mv::EntryForm& f) { f.name = QStringLiteral("../foretaget/faktura"); }, mv::msg::badName(), mv::EntryField::Name},
        {"backslash in the name", [](mv::EntryForm& f) { f.name = QStringLiteral("a\\b"); }, mv::msg::badName(), mv::EntryField::Name},
        {"leading dot", [](mv::EntryForm& f) { f.name = QStringLiteral(".kund"); }, mv::msg::badName(), mv::EntryField::Name},
        {"untypable character", [](mv::EntryForm& f) { f.freeText = QString::fromUtf8("Pris 5 ₹"); }, mv::msg::badCharacter(QChar(0x20b9)), mv::EntryField::FreeText},
        {"line end in a text", [](mv::EntryForm& f) { f.street = QStringLiteral("a\nb"); }, mv::msg::badCharacter(u'\n'), mv::EntryField::Street},
        {"unknown type", [](mv::EntryForm& f) { f.type = QStringLiteral("Utgift, Annat"); }, mv::msg::unknownType(), mv::EntryField::Type},
    };
    for (const Case& c : cases) {
        mv::EntryForm f = base();
        c.change(f);
        const mv::PrepareResult r = prepare(f);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.message, c.message) << c.what;
        EXPECT_EQ(r.field, c.field) << c.what;
    }
    // The exact texts of the new refusals.
    EXPECT_EQ(mv::msg::badAmount().text,
              QStringLiteral("Felaktigt belopp!\n\nSkriv beloppet med siffror, till exempel 1250.50"));
    EXPECT_EQ(mv::msg::badAmount().title, QStringLiteral("INMATNINGSFEL"));
    EXPECT_EQ(mv::msg::badAmount().icon, QStringLiteral("EXCLAMATION"));
    EXPECT_EQ(mv::msg::badCharacter(QChar(0x20b9)).text, QString::fromUtf8("Tecknet '₹' kan inte sparas!"));
    EXPECT_EQ(mv::msg::zeroTotal().text, QString::fromUtf8("\n\nDet går ej att spara med  '0.00'  som summa."));
    EXPECT_EQ(mv::msg::zeroTotal().title, QStringLiteral("STOPP"));
    EXPECT_EQ(mv::msg::rateNotApproved().title, QStringLiteral("INTRODUKTION"));
}

TEST(PrepareBooking, AcceptedEdges) {
    mv::EntryForm f;
    f.side = Side::Income;
    f.eventDate = QStringLiteral("2012-02-29");
    f.type = QString::fromUtf8("Inkomst, Arbete och Tjänst");
    f.net = QStringLiteral("1000000,00");
    f.rate = QStringLiteral("25");
    mv::PrepareResult r = prepare(f);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.booking.total, mv::Amount::fromKronor(1250000));
    // Extra decimals are cut, not rounded.
    f.net = QStringLiteral("10.559");
    r = prepare(f);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.booking.net, mv::Amount::fromOre(1055));
    // A VAT-free type saves with an empty rate and ignores a typed one.
    f.type = QStringLiteral("Inlåning, Från bank");
    f.rate = QStringLiteral("24");
    r = prepare(f);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.booking.rateText.isEmpty());
    EXPECT_TRUE(r.booking.vat.isZero());
    // A configured rate of 0 books no VAT; the "x" slot is never a rate.
    f.type = QStringLiteral("Inkomst, Annat");
    f.rate = QStringLiteral("0");
    r = mv::prepareBooking(f, {QStringLiteral("25"), QStringLiteral("0"), QStringLiteral("6"), QStringLiteral("x")});
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.booking.vat.isZero());
    EXPECT_EQ(mv::approvedRates({QStringLiteral("25"), QStringLiteral("x"), QStringLiteral("50"), QStringLiteral("")}),
              QStringList{QStringLiteral("25")});
    // The own sign of öre on the expense side.
    f.side = Side::Expense;
    f.type = QStringLiteral("Utgift, Momsfritt");
    f.net = QStringLiteral("10");
    f.sign = QStringLiteral("-");
    f.ore = QStringLiteral("5");
    r = prepare(f);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.booking.ore, mv::Amount::fromOre(-5));
    EXPECT_EQ(r.booking.total, mv::Amount::fromOre(995));
    EXPECT_EQ(r.booking.cashChange(), mv::Amount::fromOre(-995));
}

TEST_F(BookingTest, FailedWriteLeavesTheStoreAsItWas) {
    ASSERT_EQ(book(form(Side::Income, "Inkomst, Räntor", "10")), 1);
    const auto before = snapshot();
    const mv::PrepareResult r = prepare(form(Side::Income, "Inkomst, Annat", "100", "25"));
    ASSERT_TRUE(r.ok);
    // The cash total cannot be written this once.
    bool failedOnce = false;
    mv::setWriteHook([&](const QString& p) {
        if (!failedOnce && p == paths.cash) {
            failedOnce = true;
            return false;
        }
        return true;
    });
    const mv::CommitOutcome c = mv::commitBooking(paths, r.booking, placement(0));
    mv::setWriteHook({});
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.message, mv::saveFailedMessage(paths.cash));
    EXPECT_EQ(c.message.text, QString::fromUtf8("Det gick inte att spara!\n\n") + paths.cash +
                                  QString::fromUtf8("\n\nIngenting har ändrats."));
    EXPECT_EQ(c.message.title, QStringLiteral("STOPP"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(mv::changeInProgress(paths));
    // The year is intact for the next guarded command.
    int abortKey = 0;
    bool done = true;
    EXPECT_EQ(mv::checkIntegrity(paths, abortKey, done, [](const mv::Message&) { return mv::answerNo; }).sum, 0);
    // And the next booking takes number 2.
    EXPECT_EQ(book(form(Side::Income, "Inkomst, Annat", "100", "25")), 2);
}

TEST_F(BookingTest, PlacementNeedsANamedAccount) {
    const mv::PrepareResult r = prepare(form(Side::Income, "Inkomst, Annat", "100", "25"));
    ASSERT_TRUE(r.ok);
    mv::Placement p = placement(4);
    p.names[4].clear();
    const auto before = snapshot();
    EXPECT_EQ(mv::commitBooking(paths, r.booking, p).message, mv::msg::noReceivingAccount());
    p = placement(-1);
    EXPECT_EQ(mv::commitBooking(paths, r.booking, p).message, mv::msg::noReceivingAccount());
    p = placement(0);
    p.names[2] = QString::fromUtf8("Bank ₹");
    EXPECT_EQ(mv::commitBooking(paths, r.booking, p).message, mv::msg::badCharacter(QChar(0x20b9)));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(BookingTest, RegistersKeepEveryEntry) {
    // A long customer list is kept whole; a name already there (any case) is
    // not added again and its file is not rewritten.
    QString list;
    for (int i = 0; i < 800; ++i) list += QStringLiteral("Kund nummer %1\n").arg(i);
    ASSERT_EQ(mv::writeText(paths.customerList, list), 0);
    ASSERT_EQ(mv::writeText(paths.customer(QStringLiteral("Kund nummer 5")), QStringLiteral("Kund nummer 5\nA\nB\nC\n")), 0);
    mv::EntryForm f = form(Side::Income, "Inkomst, Annat", "100", "25");
    f.name = QStringLiteral("KUND NUMMER 5");
    f.street = QStringLiteral("Annan gata");
    ASSERT_EQ(book(f), 1);
    EXPECT_EQ(file(paths.customerList), list);
    EXPECT_EQ(file(paths.customer(QStringLiteral("Kund nummer 5"))), QStringLiteral("Kund nummer 5\nA\nB\nC\n"));
    f.name = QStringLiteral("Ny kund");
    ASSERT_EQ(book(f), 2);
    EXPECT_EQ(file(paths.customerList), QStringLiteral("Ny kund\n") + list);
}

TEST(MoneyAccounts, DifferenceShowsEveryNonZeroValue) {
    std::array<mv::Amount, 6> balances{};
    balances[0] = mv::Amount::fromOre(1050);
    EXPECT_EQ(mv::differenceText(mv::Amount::fromOre(1000), balances), QStringLiteral("-0.50"));
    EXPECT_EQ(mv::differenceText(mv::Amount::fromOre(1050), balances), QStringLiteral("0.00"));
    EXPECT_EQ(mv::differenceText(mv::Amount::fromOre(1149), balances), QStringLiteral("0.99"));
    EXPECT_EQ(mv::differenceText(mv::Amount::fromOre(951), balances), QStringLiteral("-0.99"));
}

TEST(MoneyAccounts, AccountsGoingBelowZeroAreNamedWithTheirBalance) {
    const std::array<QString, 6> names = {QStringLiteral("Kontantkassa"), QStringLiteral("PlusGiro"),
                                          QStringLiteral("BankGiro"),     QStringLiteral("Banken 1"),
                                          QStringLiteral("Banken 2"),     QStringLiteral("Banken 3")};
    auto ore = [](std::array<qint64, 6> values) {
        std::array<mv::Amount, 6> a{};
        for (size_t i = 0; i < 6; ++i) a[i] = mv::Amount::fromOre(values[i]);
        return a;
    };
    const auto before = ore({10000, 0, -5000, -5000, 2000, 0});
    // Down to exactly zero, down but above zero, unchanged: nothing to ask.
    EXPECT_TRUE(mv::accountsGoingNegative(names, before, ore({0, 0, -5000, -5000, 1, 0})).empty());
    // Below zero by one öre: named, with the balance after the save.
    auto n = mv::accountsGoingNegative(names, before, ore({-1, 0, -5000, -5000, 2000, 0}));
    ASSERT_EQ(n.size(), 1u);
    EXPECT_EQ(n[0].account, 0);
    EXPECT_EQ(n[0].name, QStringLiteral("Kontantkassa"));
    EXPECT_EQ(n[0].balance.toText(), QStringLiteral("-0.01"));
    // Overdrawn already: paying in is no question, taking out more is.
    EXPECT_TRUE(mv::accountsGoingNegative(names, before, ore({10000, 0, -100, -5000, 2000, 0})).empty());
    n = mv::accountsGoingNegative(names, before, ore({10000, -250, -5000, -6000, 2000, 0}));
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(n[0].name, QStringLiteral("PlusGiro"));
    EXPECT_EQ(n[0].balance.toText(), QStringLiteral("-2.50"));
    EXPECT_EQ(n[1].name, QStringLiteral("Banken 1"));
    EXPECT_EQ(n[1].balance.toText(), QStringLiteral("-60.00"));
    // The question itself: Ja/Nej with Nej the default.
    const mv::Message m = mv::msg::accountGoesNegative(QStringLiteral("Kontantkassa"), mv::Amount::fromOre(-100000));
    EXPECT_EQ(m.title, QStringLiteral("MEDDELANDE"));
    EXPECT_EQ(m.text, QString::fromUtf8("Kontot Kontantkassa blir negativt: -1000.00. Vill du spara ändå?"));
    EXPECT_EQ(m.buttons, QStringLiteral("yes_NO"));
}

TEST_F(BookingTest, TransferRefusals) {
    ASSERT_EQ(mv::writeText(paths.cash, QStringLiteral("1000.00\n")), 0);
    ASSERT_EQ(mv::writeText(paths.moneyAccountAmount(1), QStringLiteral("1000.00\n")), 0);
    const auto before = snapshot();
    mv::TransferForm t;
    for (int i = 0; i < 6; ++i) {
        t.names[size_t(i)] = mv::defaultMoneyAccountNames()[i];
        t.balances[size_t(i)] = QStringLiteral("0");
    }
    t.balances[0] = QStringLiteral("999.50");
    EXPECT_EQ(mv::commitTransfer(paths, t).message, mv::msg::unbalanced());
    t.balances[0] = QStringLiteral("1 000");
    EXPECT_EQ(mv::commitTransfer(paths, t).message, mv::msg::badAmount());
    t.balances[0] = QStringLiteral("900");
    t.balances[4] = QStringLiteral("100");
    t.names[4].clear();
    EXPECT_EQ(mv::commitTransfer(paths, t).message, mv::msg::unnamedAccount());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(mv::msg::unbalanced().text,
              QString::fromUtf8("Kontona balanserar inte!\n\nI översta rutan måste det stå '0.00'\n\n"));

    // Renaming alone is no verification: no number, no block.
    t.balances[0] = QStringLiteral("1000");
    t.balances[4] = QStringLiteral("0");
    t.names[4] = QStringLiteral("Sparkonto");
    const mv::CommitOutcome c = mv::commitTransfer(paths, t);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.number, 0);
    EXPECT_EQ(bytesOf(paths.moneyAccountName(5)), QByteArray("Sparkonto\r\n"));
    EXPECT_EQ(bytesOf(paths.transferVerifications), QByteArray());
    EXPECT_EQ(bytesOf(paths.verCounter), QByteArray());
}

TEST_F(BookingTest, ChangeSetWritesOnlyWhatChanged) {
    mv::ChangeSet set(mv::Operation::Income);
    // Reading a missing file does not create it.
    EXPECT_EQ(set.amount(paths.closing(QStringLiteral("utg_balans_saknas"))), mv::Amount());
    EXPECT_TRUE(set.text(QStringLiteral("2014/bokforing/saknas.kdb")).isEmpty());
    // Setting the same content is no change; a new empty file is one.
    set.setText(paths.moneyAccountName(1), QStringLiteral("Kontantkassa\n"));
    set.setText(QStringLiteral("2014/bokforing/ny.kdb"), QString());
    set.addAmount(paths.cash, mv::Amount::fromOre(5));
    set.addAmount(paths.cash, mv::Amount::fromOre(-5));
    const std::vector<mv::ChangeSet::Entry> changes = set.changes();
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].path, QStringLiteral("2014/bokforing/ny.kdb"));
    EXPECT_EQ(changes[1].path, paths.cash); // was empty, becomes "0.00"
    EXPECT_EQ(changes[1].after, QStringLiteral("0.00\n"));
    // The append rule of the heads: fewer than 5 characters start afresh.
    set.setText(paths.dayBook, QStringLiteral("abcd"));
    set.appendWithHead(paths.dayBook, QStringLiteral("HEAD\n"), QStringLiteral("x\n"));
    EXPECT_EQ(set.text(paths.dayBook), QStringLiteral("HEAD\nx\n"));
    set.appendWithHead(paths.dayBook, QStringLiteral("HEAD\n"), QStringLiteral("y\n"));
    EXPECT_EQ(set.text(paths.dayBook), QStringLiteral("HEAD\nx\ny\n"));
}
