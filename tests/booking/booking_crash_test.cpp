// A booking interrupted at any disk change: after the start-up check and its
// repair, the year holds the books as they were before the booking or as
// they are after it, never anything in between.
#include "booking_fixture.h"

#include "store/integrity.h"

namespace {

class CrashTest : public BookingTest {
protected:
    CrashTest() { inMemory = true; }

    // Makes a fresh year in its own folder below the test's directory and
    // changes into it; one earlier booking gives the books some content.
    // The first year is built by booking; later ones are copies of it with
    // the files' times kept, so that the integrity check finds them intact.
    void freshYear(const QString& folder) {
        if (!QFileInfo(QStringLiteral("template/2014")).isDir()) {
            ASSERT_TRUE(QDir().mkpath(QStringLiteral("template")));
            ASSERT_TRUE(QDir::setCurrent(QStringLiteral("template")));
            makeYear();
            ASSERT_EQ(book(withCustomer(form(mv::Side::Income, "Inkomst, Annat", "800", "25"),
                                        "Gammal Kund")),
                      1);
            ASSERT_TRUE(QDir::setCurrent(crashBase_));
        }
        ASSERT_EQ(mv::copyTree(folder, QStringLiteral("template/2014")), 0);
        ASSERT_TRUE(QDir::setCurrent(folder));
    }

    static mv::EntryForm withCustomer(mv::EntryForm f, const char* name) {
        f.name = QString::fromUtf8(name);
        f.street = QStringLiteral("Gatan 2");
        f.freeText = QStringLiteral("Ny text");
        return f;
    }

    // Every kill point of op, in years made by freshYear.
    template <class Op>
    void crashEverywhere(Op op) {
        BookingTest::crashEverywhere([this](const QString& folder) { freshYear(folder); }, op, 10);
    }
};

TEST_F(CrashTest, IncomeWithNewCustomerAndNewVatRate) {
    crashEverywhere([this] {
        const mv::PrepareResult r = mv::prepareBooking(
            withCustomer(form(mv::Side::Income, "Inkomst, Varor o material", "1200", "12"), "Ny Kund"),
            rates());
        if (!r.ok) return false;
        mv::Placement p = placement(1);
        p.names[1] = QStringLiteral("Plusgirot");
        return mv::commitBooking(paths, r.booking, p).ok;
    });
}

TEST_F(CrashTest, ReverseChargeExpense) {
    crashEverywhere([this] {
        const mv::PrepareResult r = mv::prepareBooking(
            withCustomer(form(mv::Side::Expense, "Utgift, Omvänd moms", "1000", "25"), "Bygg AB"),
            rates());
        return r.ok && mv::commitBooking(paths, r.booking, placement(3)).ok;
    });
}

TEST_F(CrashTest, Transfer) {
    crashEverywhere([this] {
        mv::TransferForm t;
        const mv::MoneyAccounts m = mv::loadMoneyAccounts(paths);
        t.names = m.names;
        t.names[5] = QStringLiteral("Sparkonto");
        for (int i = 0; i < 6; ++i) t.balances[size_t(i)] = m.balances[size_t(i)].toText();
        t.balances[0] = QStringLiteral("500");
        t.balances[5] = QStringLiteral("500");
        return mv::commitTransfer(paths, t).ok;
    });
}

} // namespace
