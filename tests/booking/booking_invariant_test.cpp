// Random incomes, expenses and transfers through the engine; after each one
// the books must balance to the öre and every total file must equal the sum
// of its lines in the verification blocks.
#include "booking_fixture.h"

#include "booking/adjustment_bookings.h"
#include "booking/transaction_types.h"
#include "support/list_sums.h"

#include <QRegularExpression>

#include <map>
#include <random>

namespace {

using mv::Amount;

using audit::BlockSums;
using audit::lastAmountOf;
using audit::readList;

class InvariantTest : public BookingTest {
protected:
    InvariantTest() { inMemory = true; }

    // VAT booked by the closing registrations, per VAT file, and their nets.
    std::map<QString, Amount> registeredVat;
    Amount registeredNet[2];

    void checkBooks(int expectedCount) {
        const mv::MoneyAccounts m = mv::loadMoneyAccounts(paths);
        ASSERT_EQ(m.cashTotal, mv::balanceSum(m.balances)) << "cash total against money accounts";

        // The write-off and closing types move no money: their type files
        // stay out of the sum, and the VAT of the closings is taken back out.
        Amount sides;
        for (const mv::TransactionType& t : mv::transactionTypes()) {
            if (!mv::movesCash(t)) continue;
            const Amount total = mv::readAmountFile(paths.account(t.name));
            sides += t.side == mv::Side::Income ? total : -total;
        }
        Amount vat = mv::readAmountFile(paths.closing(QStringLiteral("LeverantorsskulderMoms"))) -
                     mv::readAmountFile(paths.closing(QStringLiteral("KundfordringarMoms")));
        for (int rate = 1; rate <= 49; ++rate)
            vat += mv::readAmountFile(paths.outputVat(rate)) + mv::readAmountFile(paths.reverseVat(rate)) -
                   mv::readAmountFile(paths.inputVat(rate));
        const Amount rounding = mv::readAmountFile(paths.rounding);
        ASSERT_EQ(m.cashTotal, sides + vat + rounding) << "cash total against the accounts";

        BlockSums s;
        readList(paths, file(paths.inVerifications), true, s);
        readList(paths, file(paths.outVerifications), false, s);
        for (const mv::TransactionType& t : mv::transactionTypes())
            ASSERT_EQ(mv::readAmountFile(paths.account(t.name)), s.types[t.name]) << t.name.toStdString();
        for (int rate = 1; rate <= 49; ++rate)
            for (const QString& p : {paths.outputVat(rate), paths.inputVat(rate), paths.reverseVat(rate)})
                ASSERT_EQ(mv::readAmountFile(p), s.vatFiles[p] + registeredVat[p]) << p.toStdString();
        ASSERT_EQ(rounding, s.rounding);
        ASSERT_EQ(mv::readAmountFile(paths.closing(QStringLiteral("Kundfordringar"))), registeredNet[0]);
        ASSERT_EQ(mv::readAmountFile(paths.closing(QStringLiteral("Leverantorsskulder"))), registeredNet[1]);

        static const QRegularExpression number(QStringLiteral("^Verifikat          = (\\d+)$"),
                                               QRegularExpression::MultilineOption);
        int expected = 1;
        auto it = number.globalMatch(file(paths.dayBook));
        while (it.hasNext()) {
            ASSERT_EQ(it.next().captured(1).toInt(), expected++);
        }
        ASSERT_EQ(expected - 1, expectedCount);
        ASSERT_EQ(mv::storedCounter(paths), expectedCount);

        // The last cash-book line with an amount ends in the cash total
        // (write-offs end in "Påverkar ej =").
        QStringList cashLines = file(paths.cashBook).split(u'\n', Qt::SkipEmptyParts);
        while (!cashLines.isEmpty() && cashLines.last().endsWith(u'=')) cashLines.removeLast();
        if (cashLines.size() > 4) {
            ASSERT_EQ(lastAmountOf(cashLines.last()), m.cashTotal);
        }
    }
};

TEST_F(InvariantTest, RandomBookingsKeepTheBooksBalanced) {
    std::vector<const mv::TransactionType*> cashTypes;
    for (const mv::TransactionType& t : mv::transactionTypes())
        if (mv::movesCash(t)) cashTypes.push_back(&t);
    ASSERT_EQ(cashTypes.size(), 23u);

    std::mt19937 rng(20140307);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    const char* rateTexts[] = {"25", "12", "6"};
    int count = 0;
    for (int step = 0; step < 240; ++step) {
        if (pick(6) == 0) {
            // A transfer: move part of one balance to another account.
            const mv::MoneyAccounts m = mv::loadMoneyAccounts(paths);
            mv::TransferForm t;
            t.names = m.names;
            std::array<Amount, 6> after = m.balances;
            const int from = pick(6), to = pick(6);
            const Amount moved = Amount::fromOre(pick(100000) - 20000);
            after[size_t(from)] -= moved;
            after[size_t(to)] += moved;
            for (int i = 0; i < 6; ++i) t.balances[size_t(i)] = after[size_t(i)].toText();
            const mv::CommitOutcome c = mv::commitTransfer(paths, t);
            ASSERT_TRUE(c.ok) << c.message.text.toStdString();
            if (c.number) ++count;
        } else {
            const mv::TransactionType* type = cashTypes[size_t(pick(int(cashTypes.size())))];
            // Mostly ordinary amounts, some cancellations, some below one krona.
            std::int64_t ore = pick(5) == 0 ? -pick(3000000) : pick(10) == 0 ? pick(100) : pick(12000000);
            mv::EntryForm f = form(type->side, "", "");
            f.type = type->name;
            f.net = Amount::fromOre(ore).toText();
            if (pick(2)) f.net.replace(u'.', u',');
            if (type->rateRequired) f.rate = QString::fromUtf8(rateTexts[pick(3)]);
            if (pick(3) == 0) {
                f.ore = QString::number(pick(100));
                f.sign = pick(2) ? QStringLiteral("-") : QStringLiteral("+");
            }
            const mv::PrepareResult r = mv::prepareBooking(f, rates());
            if (!r.ok) {
                ASSERT_EQ(r.message, mv::msg::zeroTotal()) << f.net.toStdString();
                continue;
            }
            ASSERT_EQ(r.booking.vat, r.booking.net.percent(r.booking.rate < 0 ? 0 : r.booking.rate));
            const mv::CommitOutcome c = mv::commitBooking(paths, r.booking, placement(pick(6)));
            ASSERT_TRUE(c.ok) << c.message.text.toStdString();
            ASSERT_EQ(c.number, ++count);
        }
        checkBooks(count);
    }
    EXPECT_GT(count, 150);
}

} // namespace

namespace {

// Files of the year by their names, for the "changed exactly" check.
QStringList changedNames(const QMap<QString, QByteArray>& a, const QMap<QString, QByteArray>& b) {
    QStringList out;
    for (auto it = b.begin(); it != b.end(); ++it)
        if (!a.contains(it.key()) || a.value(it.key()) != it.value()) out << it.key().section(u'/', -1);
    for (auto it = a.begin(); it != a.end(); ++it)
        if (!b.contains(it.key())) out << it.key().section(u'/', -1);
    return out;
}

TEST_F(InvariantTest, SpecialTypesChangeOnlyTheirFiles) {
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_moms_skillnad")), QStringLiteral("-30000.00\n")), 0);
    ASSERT_EQ(mv::writeText(paths.closing(QStringLiteral("fga_inventarievarde")), QStringLiteral("50000.00\n")), 0);
    ASSERT_TRUE(mv::finishChange(paths).ok());

    std::vector<const mv::TransactionType*> types;
    for (const mv::TransactionType& t : mv::transactionTypes()) types.push_back(&t);
    std::mt19937 rng(7);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    const char* rateTexts[] = {"25", "12", "6"};
    int count = 0;
    for (int step = 0; step < 120; ++step) {
        const mv::TransactionType* type = types[size_t(pick(int(types.size())))];
        mv::EntryForm f = form(type->side, "", "");
        f.type = type->name;
        f.net = Amount::fromOre(pick(10) == 0 ? -pick(100000) : 1 + pick(800000)).toText();
        if (type->rateRequired) f.rate = QString::fromUtf8(rateTexts[pick(3)]);
        if (pick(2)) f.name = QStringLiteral("Namn %1").arg(pick(5));
        if (pick(2)) f.freeText = QStringLiteral("Text %1").arg(pick(5));
        const mv::PrepareResult r = mv::prepareBooking(f, rates());
        ASSERT_TRUE(r.ok) << r.message.text.toStdString();
        const auto before = snapshot();
        if (mv::movesCash(*type)) {
            const mv::CommitOutcome c = mv::commitBooking(paths, r.booking, placement(pick(6)));
            if (c.ok) {
                ASSERT_EQ(c.number, ++count);
            } else {
                // Only a sale beyond the asset value may be refused.
                ASSERT_EQ(type->special, mv::SpecialKind::AssetSale);
                ASSERT_EQ(snapshot(), before);
            }
            checkBooks(count);
            continue;
        }
        const mv::BooksCheck allowed = mv::checkAgainstBooks(paths, r.booking);
        const mv::SpecialOutcome o = mv::commitSpecialBooking(paths, r.booking);
        ASSERT_EQ(o.ok, allowed.ok);
        const QStringList changed = changedNames(before, snapshot());
        if (!o.ok) {
            ASSERT_EQ(o.message, allowed.message);
            ASSERT_TRUE(changed.isEmpty()) << changed.join(u',').toStdString();
            continue;
        }
        const bool income = type->side == mv::Side::Income;
        QStringList required, optional = {QStringLiteral("_dat.kdb"), QStringLiteral("konto_Oresutjamning.kdb"),
                                          QStringLiteral("_kunder.kdb"), QStringLiteral("_leverantorer.kdb"),
                                          QStringLiteral("_inkfritext.kdb"), QStringLiteral("_utgfritext.kdb"),
                                          r.booking.name + QStringLiteral(".kdb")};
        const QStringList texts = {income ? QStringLiteral("__in_verifikation.kdb") : QStringLiteral("__ut_verifikation.kdb"),
                                   QStringLiteral("_dagbok.kdb"), QStringLiteral("_kassabok.kdb"), QStringLiteral("_ver.kdb")};
        switch (type->special) {
        case mv::SpecialKind::VatAssetWriteOff:
        case mv::SpecialKind::VatDebtWriteOff:
            ASSERT_EQ(o.result, 12);
            required = texts + QStringList{QStringLiteral("bokslut_fga_moms_skillnad.kdb"),
                                           QStringLiteral("konto_") + type->name + QStringLiteral(".kdb")};
            ++count;
            break;
        case mv::SpecialKind::AssetWriteOff:
            ASSERT_EQ(o.result, 10);
            required = texts + QStringList{QStringLiteral("bokslut_inventarielista_avskr.kdb"),
                                           QStringLiteral("konto_Utgift, Inventarier Utbokat.kdb")};
            ++count;
            break;
        default: {
            ASSERT_EQ(o.result, 11);
            const QString base = income ? QStringLiteral("Kundfordringar") : QStringLiteral("Leverantorsskulder");
            required = {QStringLiteral("bokslut_") + base + QStringLiteral("Lista.kdb"),
                        QStringLiteral("bokslut_") + base + QStringLiteral(".kdb")};
            optional << QStringLiteral("bokslut_") + base + QStringLiteral("Moms.kdb");
            const QString vatFile = income ? paths.outputVat(r.booking.rate) : paths.inputVat(r.booking.rate);
            optional << vatFile.section(u'/', -1);
            registeredVat[vatFile] += r.booking.vat;
            registeredNet[income ? 0 : 1] += r.booking.net;
            break;
        }
        }
        ASSERT_EQ(o.number, o.result == 11 ? 0 : count);
        for (const QString& name : required) ASSERT_TRUE(changed.contains(name)) << name.toStdString();
        for (const QString& name : changed)
            ASSERT_TRUE(required.contains(name) || optional.contains(name)) << name.toStdString();
        checkBooks(count);
    }
    EXPECT_GT(count, 60);
}

} // namespace
