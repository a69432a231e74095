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
        ASSERT_TRUE(QDir::setCurrent(base_));
        ASSERT_TRUE(QDir().mkpath(folder));
        if (!QFileInfo(QStringLiteral("template/2014")).isDir()) {
            ASSERT_TRUE(QDir().mkpath(QStringLiteral("template")));
            ASSERT_TRUE(QDir::setCurrent(QStringLiteral("template")));
            makeYear();
            ASSERT_EQ(book(withCustomer(form(mv::Side::Income, "Inkomst, Annat", "800", "25"),
                                        "Gammal Kund")),
                      1);
            ASSERT_TRUE(QDir::setCurrent(base_));
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

    // The start-up: the integrity check (which repairs an unfinished change)
    // and the booking's own recovery of the registers.
    void restart() {
        mv::setWriteHook({});
        int abortKey = 0;
        bool shutdownCheckDone = true;
        mv::checkIntegrity(paths, abortKey, shutdownCheckDone, [](const mv::Message&) { return mv::answerNo; });
        ASSERT_EQ(mv::recoverInterruptedBooking(paths), 0);
        ASSERT_FALSE(mv::changeInProgress(paths));
    }

    // Runs op once to completion and then again with every disk change after
    // the k-th refused, for every k, checking the state after the restart.
    template <class Op>
    void crashEverywhere(Op op) {
        base_ = QDir::currentPath();
        freshYear(QStringLiteral("reference"));
        const auto before = snapshot();
        int changes = 0;
        mv::setWriteHook([&](const QString&) { ++changes; return true; });
        ASSERT_TRUE(op());
        mv::setWriteHook({});
        const auto after = snapshot();
        ASSERT_NE(before, after);
        ASSERT_GT(changes, 10);

        int sawBefore = 0, sawAfter = 0;
        for (int k = 0; k < changes; ++k) {
            freshYear(QStringLiteral("crash%1").arg(k));
            ASSERT_EQ(snapshot(), before);
            int seen = 0;
            mv::setWriteHook([&](const QString&) { return ++seen <= k; });
            const bool reported = op();
            restart();
            const auto state = snapshot();
            // Told it is saved only when it is.
            if (reported) {
                ASSERT_EQ(state, after) << "k = " << k;
            }
            if (state == before) {
                ++sawBefore;
            } else {
                ASSERT_EQ(state, after) << "in between after change " << k;
                ++sawAfter;
            }
        }
        EXPECT_GT(sawBefore, 0);
        EXPECT_GT(sawAfter, 0);
    }

    QString base_;
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
