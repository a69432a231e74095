// One change as a unit, over one year or two: a step that fails takes every
// path back (bytes and last-write times); a crash at any disk change leaves
// a journal that the next start takes back; when even taking back fails the
// user is told the books are put right at the next start, and they are.
#include "store/change_journal.h"
#include "store/change_set.h"
#include "store/file_digest.h"
#include "store/stamping.h"
#include "year_fixture.h"

using namespace mv;

namespace {

class JournalTest : public YearTest {
  protected:
    void SetUp() override {
        YearTest::SetUp();
        putBytes("a.kdb", "first\r\n");
        putBytes("b.kdb", "second\r\n");
        setLastWriteTime("a.kdb", old);
        setLastWriteTime("b.kdb", old);
    }
    std::vector<FileStep> steps() const {
        return {FileStep::append("a.kdb", "more\r\n"), FileStep::write("b.kdb", "new\r\n"),
                FileStep::write("c.kdb", "created\r\n"), FileStep::setTime("a.kdb", later)};
    }
    void expectBefore() {
        EXPECT_EQ(bytesOf("a.kdb"), QByteArray("first\r\n"));
        EXPECT_EQ(bytesOf("b.kdb"), QByteArray("second\r\n"));
        EXPECT_FALSE(QFileInfo::exists("c.kdb"));
        EXPECT_EQ(mtime("a.kdb"), old);
        EXPECT_EQ(mtime("b.kdb"), old);
        EXPECT_FALSE(changePending());
    }
    const QDateTime old{QDate(2013, 5, 6), QTime(7, 8, 9)};
    const QDateTime later{QDate(2014, 3, 7), QTime(9, 5, 12)};
};

TEST_F(JournalTest, AllStepsOrNone) {
    ASSERT_TRUE(applyChange(steps()).ok());
    EXPECT_EQ(bytesOf("a.kdb"), QByteArray("first\r\nmore\r\n"));
    EXPECT_EQ(bytesOf("b.kdb"), QByteArray("new\r\n"));
    EXPECT_EQ(bytesOf("c.kdb"), QByteArray("created\r\n"));
    EXPECT_EQ(mtime("a.kdb"), later);
    EXPECT_FALSE(changePending());
}

TEST_F(JournalTest, AFailedStepTakesEveryPathBack) {
    setWriteHook([](const QString& path) { return !path.endsWith(QStringLiteral("c.kdb")); });
    const ChangeOutcome out = applyChange(steps());
    setWriteHook({});
    EXPECT_EQ(out.code, ChangeOutcome::Undone);
    EXPECT_EQ(out.path, QStringLiteral("c.kdb"));
    expectBefore();
}

TEST_F(JournalTest, ACrashAtAnyChangeIsTakenBackAtTheNextStart) {
    int changes = 0;
    setWriteHook([&](const QString&) { return ++changes > 0; });
    ASSERT_TRUE(applyChange(steps()).ok());
    setWriteHook({});
    for (int k = 0; k < changes; ++k) {
        SetUp();
        QFile::remove("c.kdb");
        stopAfter(k);
        const ChangeOutcome out = applyChange(steps());
        setWriteHook({});
        EXPECT_FALSE(out.ok()) << k;
        EXPECT_TRUE(out.code != ChangeOutcome::LeftPending || changePending()) << k;
        EXPECT_EQ(recoverInterruptedChange(), 0) << k;
        expectBefore();
    }
}

TEST_F(JournalTest, AJournalNamingAPlaceOutsideTheBooksIsNeverFollowed) {
    // Taking back a journal writes its old contents: one that names a file
    // above the working directory (or anywhere absolute) was not written by
    // the program and is refused, and so is a change to such a path.
    QByteArray journal = "MERVALLA ANDRING 1\nF 1 3 -1 8 3\n../x.kdb" "abc\nSLUT\n";
    putBytes(changeJournalPath(), journal);
    EXPECT_EQ(recoverInterruptedChange(), 1);
    EXPECT_FALSE(QFileInfo::exists("../x.kdb"));
    QFile::remove(changeJournalPath());
    EXPECT_EQ(applyChange({FileStep::write("/tmp/outside.kdb", "x")}).code, ChangeOutcome::NotStarted);
    EXPECT_EQ(applyChange({FileStep::write("a/../../outside.kdb", "x")}).code, ChangeOutcome::NotStarted);
    EXPECT_FALSE(changePending());
}

TEST_F(JournalTest, AnUnreadableJournalIsKeptAndStopsTheNextChange) {
    putBytes(changeJournalPath(), "not a journal");
    EXPECT_EQ(recoverInterruptedChange(), 1);
    EXPECT_EQ(applyChange(steps()).code, ChangeOutcome::NotStarted);
    EXPECT_EQ(bytesOf("b.kdb"), QByteArray("second\r\n"));
    EXPECT_TRUE(changePending());
}

// A change of the books that cannot be taken back at once (the disk gave no
// room even for that) tells the user so, and the next start does it.
class CommitTest : public YearTest {
  protected:
    void SetUp() override {
        YearTest::SetUp();
        p = makeYear(QStringLiteral("2014"));
    }
    PathTable p;
};

TEST_F(CommitTest, ATakeBackThatMustWaitSaysSoAndHappensAtTheNextStart) {
    const QByteArray dayBook = bytesOf(p.dayBook);
    ChangeSet set(Operation::Income);
    set.append(p.dayBook, QStringLiteral("Verifikat          = 1\n"));
    set.setText(p.verCounter, QStringLiteral("1"));
    stopAfter(2); // the journal and the day book are written; nothing after
    const CommitOutcome out = commitChangeSet(p, set, 1);
    setWriteHook({});
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(out.message.text.contains(QStringLiteral("Ingenting har ändrats")));
    EXPECT_TRUE(out.message.text.contains(QStringLiteral("när programmet startas nästa gång")))
        << out.message.text.toStdString();
    EXPECT_TRUE(changePending());
    EXPECT_EQ(recoverInterruptedChange(), 0);
    EXPECT_EQ(bytesOf(p.dayBook), dayBook);
    EXPECT_EQ(bytesOf(p.verCounter), QByteArray());
}

TEST_F(CommitTest, AppendsReachBookAndCopyWithoutRewritingEither) {
    ASSERT_TRUE(writeText(p.dayBook, QStringLiteral("DAGBOK\n")) == 0);
    ASSERT_TRUE(finishChange(p).ok());
    QStringList written;
    setWriteHook([&](const QString& path) {
        written << path;
        return true;
    });
    ChangeSet set(Operation::Income);
    set.append(p.dayBook, QStringLiteral("block\n"));
    ASSERT_TRUE(commitChangeSet(p, set, 0).ok);
    setWriteHook({});
    EXPECT_EQ(bytesOf(p.dayBook), QByteArray("DAGBOK\r\nblock\r\n"));
    EXPECT_EQ(bytesOf(p.secondCopy(QStringLiteral("_dagbok.kdb"))), bytesOf(p.dayBook));
    // Both were appended to (one change each), never written whole: a whole
    // write goes through a temporary file beside them.
    EXPECT_EQ(written.count(p.dayBook), 2) << "the append and its new time";
    EXPECT_EQ(written.count(p.secondCopy(QStringLiteral("_dagbok.kdb"))), 1);
    // The digest of the day book was continued over the appended bytes.
    DigestRecord record;
    ASSERT_TRUE(readDigestRecord(digestRecordPath(p), record));
    std::uint64_t digest = 0;
    ASSERT_TRUE(digestOfFile(p.dayBook, digest));
    EXPECT_EQ(record.value(QStringLiteral("_dagbok.kdb")).digest, digest);
    EXPECT_TRUE(record.value(QStringLiteral("_dagbok.kdb")).matches(fileState(p.dayBook)));
}

// One change over two accounting years (the completion of a year changes
// the closed year and the next as one unit), killed after every number of
// disk changes: after the next start both years are as before or both as
// after, each passes its check and its second copies equal its books.
class TwoYearChange : public YearTest {
  protected:
    void SetUp() override {
        YearTest::SetUp();
        a = makeYear(QStringLiteral("2014"));
        b = makeYear(QStringLiteral("2015"), a);
        ASSERT_EQ(writeText(a.dayBook, QStringLiteral("DAGBOK  2014\n")), 0);
        ASSERT_TRUE(finishChange(a).ok());
        ASSERT_TRUE(finishChange(b).ok());
        ASSERT_EQ(copyTree(QStringLiteral("saved"), a.yearDir), 0);
        ASSERT_EQ(copyTree(QStringLiteral("saved"), b.yearDir), 0);
    }
    void restore() {
        for (const PathTable* p : {&a, &b}) {
            ASSERT_EQ(deleteTree(p->yearDir), 0);
            ASSERT_EQ(copyTree(QStringLiteral("."), QStringLiteral("saved/") + p->year), 0);
        }
    }
    bool commit() {
        ChangeSet set(Operation::YearCompletion);
        set.append(a.dayBook, QStringLiteral("Årets slut\n"));
        set.setText(a.lockMark, QStringLiteral("låst"));
        set.setText(a.verCounter, QStringLiteral("7"));
        set.addAmount(b.cash, Amount::fromOre(150000));
        set.addAmount(b.moneyAccountAmount(1), Amount::fromOre(150000));
        set.setText(b.closing(QStringLiteral("fga_moms_skillnad")), QStringLiteral("250.00\n"));
        return commitChangeSet(a, set, 7).ok;
    }
    std::map<QString, QByteArray> books(const PathTable& p) {
        auto m = snapshot(p.bokforingDir, {stampFileName, digestRecordFileName,
                                           QStringLiteral("__A_avstangkontroll.kdb")});
        for (const auto& [name, bytes] : snapshot(p.fskDir, {stampFileName}))
            m[QStringLiteral("fsk/") + name] = bytes;
        return m;
    }
    PathTable a, b;
};

TEST_F(TwoYearChange, BothYearsBeforeOrBothAfter) {
    const auto beforeA = books(a), beforeB = books(b);
    int changes = 0;
    setWriteHook([&](const QString&) { return ++changes > 0; });
    ASSERT_TRUE(commit());
    setWriteHook({});
    const auto afterA = books(a), afterB = books(b);
    ASSERT_NE(beforeA, afterA);
    ASSERT_NE(beforeB, afterB);
    for (const auto& [name, bytes] : afterA) {
        if (name.startsWith(QStringLiteral("fsk/"))) {
            EXPECT_EQ(bytes, afterA.at(name.mid(4))) << name.toStdString();
        }
    }

    int sawBefore = 0, sawAfter = 0;
    for (int k = 0; k <= changes; ++k) {
        restore();
        stopAfter(k);
        const bool saved = commit();
        setWriteHook({});
        ASSERT_EQ(recoverInterruptedChange(), 0);
        for (const PathTable* p : {&a, &b}) {
            int abortKey = 0;
            bool done = true;
            MessageRecorder r;
            EXPECT_EQ(checkIntegrity(*p, abortKey, done, r.show()).sum, 0) << p->year.toStdString() << " k " << k;
        }
        const bool before = books(a) == beforeA && books(b) == beforeB;
        const bool after = books(a) == afterA && books(b) == afterB;
        ASSERT_TRUE(before || after) << "k = " << k;
        ASSERT_TRUE(!saved || after) << "reported saved, k = " << k;
        (before ? sawBefore : sawAfter)++;
    }
    EXPECT_GT(sawBefore, 0);
    EXPECT_GT(sawAfter, 0);
}

} // namespace
