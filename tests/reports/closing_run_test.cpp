// The closing basis writes its document and files as one change of the books:
// the year stays intact for the next guarded command, a failed write changes
// nothing, and a crash at any point leaves the files before or after.
#include "closing_fixture.h"

#include <QFile>

namespace {

class ClosingRunTest : public ClosingTest {
  protected:
    void someBooks() {
        putClosing("inventering_varde", "10000");
        putClosing("fga_inventarievarde", "5000.00");
        putAmount(paths.outputVat(25), "2500.00");
        putAmount(paths.inputVat(25), "1000.00");
        restamp();
    }
};

TEST_F(ClosingRunTest, FilesAndDocumentAreOneChangeAndTheYearStaysIntact) {
    someBooks();
    auto before = snapshot();
    const mv::ClosingRun run = mv::runClosingBasis(paths, settings, true);
    ASSERT_TRUE(run.ok) << run.message.text.toStdString();
    EXPECT_EQ(integritySum(), 0); // stamps and second copies renewed with the change
    EXPECT_FALSE(mv::changeInProgress(paths));
    EXPECT_EQ(file(paths.closing("varulager_varde_eft_avskr")), "9700.00\n");
    EXPECT_EQ(file(paths.closing("inventarier_varde_eft_avskr")), "3500.00\n");
    EXPECT_TRUE(file(paths.closingBasis).startsWith("BOKSLUTSUNDERLAG  2014\n"));
    // The second copies hold what was written.
    EXPECT_EQ(file(paths.secondCopy("bokslut_utg_balans.kdb")), file(paths.closing("utg_balans")));
    // Only the three closing files and the document changed.
    auto after = snapshot();
    for (const QString& name :
         {QStringLiteral("varulager_varde_eft_avskr"),
          QStringLiteral("inventarier_varde_eft_avskr"), QStringLiteral("utg_balans")}) {
        EXPECT_EQ(before.take(paths.closing(name)), "") << name.toStdString();
        after.remove(paths.closing(name));
    }
    after.remove(paths.closingBasis);
    EXPECT_EQ(after, before);
    // The run does the same again without a change of the books.
    const auto once = snapshot();
    ASSERT_TRUE(mv::runClosingBasis(paths, settings, true).ok);
    EXPECT_EQ(snapshot(), once);
    EXPECT_EQ(integritySum(), 0);
}

TEST_F(ClosingRunTest, AFailedWriteIsReportedAndChangesNothing) {
    someBooks();
    const auto before = snapshot();
    mv::setWriteHook([](const QString& path) { return !path.endsWith("bokslut_utg_balans.kdb"); });
    const mv::ClosingRun run = mv::runClosingBasis(paths, settings, true);
    mv::setWriteHook({});
    EXPECT_FALSE(run.ok);
    EXPECT_EQ(run.message, mv::saveFailedMessage(paths.closing("utg_balans")));
    restartAfterCrash();
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(integritySum(), 0);
}

TEST_F(ClosingRunTest, ACrashAtAnyWriteLeavesTheBooksBeforeOrAfter) {
    crashEverywhere(
        [this](const QString& folder) {
            ASSERT_TRUE(QDir::setCurrent(folder));
            makeYear();
            someBooks();
        },
        [this] { return mv::runClosingBasis(paths, settings, true).ok; }, 4);
}

} // namespace
