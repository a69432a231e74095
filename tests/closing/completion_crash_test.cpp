// The completion is one change of the books over two years: killed at any
// write, the next start of either year leaves both years as before or both
// as after, each passing its check with its second copies equal to its books.
#include "completion_fixture.h"

namespace {

class CompletionCrashTest : public CompletionTest {
  protected:
    // Both years as fillClosedYear leaves them, made once and copied (the
    // copies keep the files' times, so each passes its check as made).
    void fresh(const QString& folder) {
        ASSERT_TRUE(QDir::setCurrent(base_));
        if (!QFileInfo::exists(QStringLiteral("pristine"))) {
            ASSERT_TRUE(QDir().mkpath(QStringLiteral("pristine")));
            ASSERT_TRUE(QDir::setCurrent(QStringLiteral("pristine")));
            makeBoth();
            fillClosedYear();
            ASSERT_TRUE(QDir::setCurrent(base_));
        }
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_EQ(mv::copyFolderContents(folder, QStringLiteral("pristine")), 0);
        ASSERT_TRUE(QDir::setCurrent(folder));
    }
    QString base_;
};

TEST_F(CompletionCrashTest, AKillAtEveryWriteThenAStartOfEitherYearLeavesBothConsistent) {
    base_ = QDir::currentPath();
    fresh(QStringLiteral("reference"));
    const auto before = snapshotBoth();
    int changes = 0;
    mv::setWriteHook([&](const QString&) {
        ++changes;
        return true;
    });
    ASSERT_TRUE(complete().ok);
    mv::setWriteHook({});
    const auto after = snapshotBoth();
    ASSERT_NE(before, after);
    ASSERT_GT(changes, 40);

    int sawBefore = 0, sawAfter = 0;
    for (int k = 0; k <= changes; ++k) {
        fresh(QStringLiteral("crash%1").arg(k));
        ASSERT_EQ(snapshotBoth(), before);
        int seen = 0;
        mv::setWriteHook([&](const QString&) { return ++seen <= k; });
        const bool reported = complete().ok;
        // The program is started again on one of the two years.
        const mv::PathTable started = k % 2 == 0 ? paths : next;
        startYear(started);
        const auto state = snapshotBoth();
        if (reported) {
            ASSERT_EQ(state, after) << "reported done, k = " << k;
        }
        if (state == before) {
            ++sawBefore;
        } else {
            ASSERT_EQ(state, after) << "between the two years' states after write " << k;
            ++sawAfter;
        }
        for (const mv::PathTable& year : {paths, next}) {
            ASSERT_EQ(integrityOf(year), 0) << year.year.toStdString() << ", k = " << k;
            ASSERT_EQ(copiesDiffering(year), QStringList())
                << year.year.toStdString() << ", k = " << k;
        }
        ASSERT_EQ(leftovers(), QStringList()) << "k = " << k;
        // A completion not done can be done now, once: the money is never
        // carried twice (tried at every eighth write, to keep the test short).
        if (k % 8 == 0) {
            if (state == before) {
                ASSERT_TRUE(complete().ok) << "k = " << k;
                ASSERT_EQ(snapshotBoth(), after) << "k = " << k;
            }
            EXPECT_FALSE(complete().ok) << "k = " << k;
        }
    }
    EXPECT_GT(sawBefore, 0);
    EXPECT_GT(sawAfter, 0);
}

} // namespace
