#pragma once
// A fresh accounting year 2014 in the test's working directory, with every
// vital file, stamps and second copies, six named money accounts and the
// settings' VAT rates 25, 12, 6 and "x".
#include "booking/booking_commit.h"
#include "booking/booking_entry.h"
#include "booking/cash_distribution.h"
#include "store/change_journal.h"
#include "store/integrity.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/store_layout.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QDirIterator>
#include <QMap>

#include <memory>
#include <ostream>

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace mv {
inline void PrintTo(const Amount& a, std::ostream* os) { *os << a.toText().toStdString(); }
} // namespace mv

class BookingTest : public TempDirTest {
protected:
    // Tests that book hundreds of times work in memory-backed storage when
    // the machine has it: every booking renews the stamps and second copies,
    // and each of those writes is flushed to disk.
    bool inMemory = false;

    void SetUp() override {
        TempDirTest::SetUp();
        if (inMemory && QFileInfo(QStringLiteral("/dev/shm")).isWritable()) {
            memoryDir_ = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/mervalla-XXXXXX"));
            ASSERT_TRUE(memoryDir_->isValid());
            ASSERT_TRUE(QDir::setCurrent(memoryDir_->path()));
        }
        makeYear();
    }

    // The year 2014 in the current directory.
    void makeYear() {
        paths = mv::buildPathTable(QStringLiteral("2014"));
        for (const QString& d : {paths.bokforingDir, paths.fskDir, paths.fakturorDir,
                                 paths.foretagetDir, paths.fritextDir, paths.kontolistorDir,
                                 paths.kunderDir, paths.leverantorerDir})
            ASSERT_TRUE(QDir().mkpath(d));
        for (int i = 1; i <= 6; ++i)
            ASSERT_EQ(mv::writeText(paths.moneyAccountName(i),
                                    mv::defaultMoneyAccountNames()[i - 1] + QStringLiteral("\n")),
                      0);
        ASSERT_EQ(mv::createMissingVitalFiles(paths), 0);
        ASSERT_TRUE(mv::renewStamps(paths).ok());
        ASSERT_TRUE(mv::renewSecondCopies(paths).ok());
    }
    void TearDown() override {
        mv::setWriteHook({});
        TempDirTest::TearDown();
    }

    static QStringList rates() {
        return {QStringLiteral("25"), QStringLiteral("12"), QStringLiteral("6"), QStringLiteral("x")};
    }

    static mv::EntryForm form(mv::Side side, const char* type, const char* net,
                              const char* rate = "", const char* sign = "", const char* ore = "") {
        mv::EntryForm f;
        f.side = side;
        f.eventDate = QStringLiteral("2014-03-07");
        f.type = QString::fromUtf8(type);
        f.net = QString::fromUtf8(net);
        f.rate = QString::fromUtf8(rate);
        f.sign = QString::fromUtf8(sign);
        f.ore = QString::fromUtf8(ore);
        return f;
    }

    mv::Placement placement(int account) const {
        mv::Placement p;
        for (int i = 0; i < 6; ++i) p.names[size_t(i)] = mv::defaultMoneyAccountNames()[i];
        p.account = account;
        return p;
    }

    // Prepares and places a booking; fails the test when either step refuses.
    int book(const mv::EntryForm& f, int account = 0) {
        const mv::PrepareResult r = mv::prepareBooking(f, rates());
        EXPECT_TRUE(r.ok) << r.message.text.toStdString();
        if (!r.ok) return 0;
        const mv::CommitOutcome c = mv::commitBooking(paths, r.booking, placement(account));
        EXPECT_TRUE(c.ok) << c.message.text.toStdString();
        return c.number;
    }

    // The integrity check a guarded command runs: 0 when the year is intact.
    int integritySum() const {
        int abortKey = 0;
        bool shutdownCheckDone = true;
        return mv::checkIntegrity(paths, abortKey, shutdownCheckDone, [](const mv::Message&) { return mv::answerNo; })
            .sum;
    }

    QString file(const QString& path) const { return mv::storedText(path); }
    QString amountText(const QString& path) const {
        return mv::readAmountFile(path).toText();
    }

    // Every file of the year (the second copies and repair folders, the
    // stamp, the digest record and the shut-down mark left out), path to bytes.
    QMap<QString, QByteArray> snapshot() const {
        QMap<QString, QByteArray> m;
        QDirIterator it(paths.yearDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            if (p.contains(QStringLiteral("/fsk")) || p.contains(QStringLiteral("/reparation_")) ||
                p.endsWith(QStringLiteral("__A_tidsstampel.kdb")) ||
                p.endsWith(QStringLiteral("__A_kontrollsummor.kdb")) ||
                p.endsWith(QStringLiteral("__A_avstangkontroll.kdb")))
                continue;
            m.insert(p, bytesOf(p));
        }
        return m;
    }

    // The start-up after a crash: the integrity check (which repairs an
    // unfinished change) and the booking's own recovery of the registers.
    void restartAfterCrash() {
        mv::setWriteHook({});
        int abortKey = 0;
        bool shutdownCheckDone = true;
        mv::checkIntegrity(paths, abortKey, shutdownCheckDone, [](const mv::Message&) { return mv::answerNo; });
        ASSERT_EQ(mv::recoverInterruptedBooking(paths), 0);
        ASSERT_FALSE(mv::changeInProgress(paths));
    }

    // Runs op once to completion in a year made by freshYear(folder), then
    // again in a new such year with every disk change after the k-th refused,
    // for every k. After the restart the year must hold the books as before
    // op or as after it, never in between, and "saved" only when it is.
    template <class Fresh, class Op>
    void crashEverywhere(Fresh freshYear, Op op, int minChanges) {
        crashBase_ = QDir::currentPath();
        auto fresh = [&](const QString& folder) {
            ASSERT_TRUE(QDir::setCurrent(crashBase_));
            ASSERT_TRUE(QDir().mkpath(folder));
            freshYear(folder);
        };
        fresh(QStringLiteral("reference"));
        const auto before = snapshot();
        int changes = 0;
        mv::setWriteHook([&](const QString&) {
            ++changes;
            return true;
        });
        ASSERT_TRUE(op());
        mv::setWriteHook({});
        const auto after = snapshot();
        ASSERT_NE(before, after);
        ASSERT_GT(changes, minChanges);

        // k = changes lets every change through: the one way to the state after.
        int sawBefore = 0, sawAfter = 0;
        for (int k = 0; k <= changes; ++k) {
            fresh(QStringLiteral("crash%1").arg(k));
            ASSERT_EQ(snapshot(), before);
            int seen = 0;
            mv::setWriteHook([&](const QString&) { return ++seen <= k; });
            const bool reported = op();
            restartAfterCrash();
            const auto state = snapshot();
            ASSERT_EQ(integritySum(), 0) << "the year passes its check, k = " << k;
            ASSERT_EQ(copiesDifferingFromBooks(), QStringList()) << "k = " << k;
            ASSERT_EQ(leftovers(), QStringList()) << "k = " << k;
            if (reported) {
                ASSERT_EQ(state, after) << "reported saved, k = " << k;
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

    // The invariants of the books: the counter equals the number of
    // verification blocks in the day book, the cash total equals the sum of
    // the money accounts and the running total of the cash book's last line.
    // Empty when they hold, else what does not.
    QString booksInconsistency() const {
        const QString dayBook = file(paths.dayBook);
        const int blocks = int(dayBook.count(QStringLiteral("\nVerifikat          = "))) +
                           (dayBook.startsWith(QStringLiteral("Verifikat          = ")) ? 1 : 0);
        const int counter = mv::storedCounter(paths);
        if (counter != blocks)
            return QStringLiteral("counter %1, blocks %2").arg(counter).arg(blocks);
        const mv::Amount cash = mv::readAmountFile(paths.cash);
        mv::Amount accounts;
        for (int i = 1; i <= 6; ++i) accounts += mv::readAmountFile(paths.moneyAccountAmount(i));
        if (cash != accounts)
            return QStringLiteral("cash %1, accounts %2").arg(cash.toText(), accounts.toText());
        QStringList lines = file(paths.cashBook).split(u'\n', Qt::SkipEmptyParts);
        while (!lines.isEmpty() && !lines.last().contains(QStringLiteral(" = "))) lines.removeLast();
        if (!lines.isEmpty()) {
            const QString last = lines.last();
            const mv::Amount running = mv::Amount::parseLenient(last.mid(last.lastIndexOf(u' ') + 1));
            if (running != cash)
                return QStringLiteral("cash %1, cash book %2").arg(cash.toText(), running.toText());
        }
        return QString();
    }

    // The vital files whose second copy differs from the book.
    QStringList copiesDifferingFromBooks() const {
        QStringList out;
        for (const mv::VitalFile& f : mv::vitalFiles(paths))
            if (f.copied && bytesOf(mv::joinPath(paths.bokforingDir, f.name)) != bytesOf(paths.secondCopy(f.name)))
                out << f.name;
        return out;
    }

    // Temporary files and unfinished changes left anywhere below the folder.
    static QStringList leftovers() {
        QStringList out;
        if (QFileInfo::exists(mv::changeJournalPath())) out << mv::changeJournalPath();
        QDirIterator it(QStringLiteral("."), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            if (mv::isTemporaryLeftover(it.fileName())) out << p;
        }
        return out;
    }

    QString crashBase_;
    mv::PathTable paths;
    std::unique_ptr<QTemporaryDir> memoryDir_;
};
