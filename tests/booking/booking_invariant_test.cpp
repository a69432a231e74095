// Random incomes, expenses and transfers through the engine; after each one
// the books must balance to the öre and every total file must equal the sum
// of its lines in the verification blocks.
#include "booking_fixture.h"

#include "booking/transaction_types.h"

#include <QRegularExpression>

#include <map>
#include <random>

namespace {

using mv::Amount;

Amount lastAmountOf(const QString& line) {
    return Amount::parseLenient(line.mid(line.lastIndexOf(u' ') + 1));
}

// Sums read back from the verification lists.
struct BlockSums {
    std::map<QString, Amount> types;      // type name -> sum of its type lines
    std::map<QString, Amount> vatFiles;   // file path -> sum of its VAT lines
    Amount rounding;
    std::vector<int> numbers;
};

void readList(const mv::PathTable& paths, const QString& text, bool income, BlockSums& s) {
    QString type;
    bool inAmounts = false;
    const QStringList lines = text.split(u'\n');
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("Konto              = "))) {
            type = line.mid(21);
            inAmounts = false;
            continue;
        }
        if (line == QString(60, u'-')) {
            inAmounts = !inAmounts;
            continue;
        }
        if (!inAmounts) continue;
        static const QRegularExpression vat(QStringLiteral("^Momskonto (\\d+)( Omvänd utgående)? "));
        const QRegularExpressionMatch m = vat.match(line);
        if (m.hasMatch()) {
            const int rate = m.captured(1).toInt();
            if (!m.captured(2).isEmpty())
                s.vatFiles[paths.reverseVat(rate)] -= lastAmountOf(line);
            else
                s.vatFiles[income ? paths.outputVat(rate) : paths.inputVat(rate)] += lastAmountOf(line);
        } else if (line.startsWith(QString::fromUtf8("Öresutjämning "))) {
            s.rounding += income ? lastAmountOf(line) : -lastAmountOf(line);
        } else if (!line.startsWith(QStringLiteral("Boka mot "))) {
            s.types[type] += lastAmountOf(line);
        }
    }
}

class InvariantTest : public BookingTest {
protected:
    InvariantTest() { inMemory = true; }

    void checkBooks(int expectedCount) {
        const mv::MoneyAccounts m = mv::loadMoneyAccounts(paths);
        ASSERT_EQ(m.cashTotal, mv::balanceSum(m.balances)) << "cash total against money accounts";

        Amount sides;
        for (const mv::TransactionType& t : mv::transactionTypes()) {
            const Amount total = mv::readAmountFile(paths.account(t.name));
            sides += t.side == mv::Side::Income ? total : -total;
        }
        Amount vat;
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
                ASSERT_EQ(mv::readAmountFile(p), s.vatFiles[p]) << p.toStdString();
        ASSERT_EQ(rounding, s.rounding);

        static const QRegularExpression number(QStringLiteral("^Verifikat          = (\\d+)$"),
                                               QRegularExpression::MultilineOption);
        int expected = 1;
        auto it = number.globalMatch(file(paths.dayBook));
        while (it.hasNext()) {
            ASSERT_EQ(it.next().captured(1).toInt(), expected++);
        }
        ASSERT_EQ(expected - 1, expectedCount);
        ASSERT_EQ(mv::storedCounter(paths), expectedCount);

        // The last cash-book line ends in the cash total.
        const QStringList cashLines = file(paths.cashBook).split(u'\n', Qt::SkipEmptyParts);
        if (expectedCount > 0) {
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
