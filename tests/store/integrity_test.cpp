#include "store/clock.h"
#include "store/file_digest.h"
#include "year_fixture.h"

#include <algorithm>

using namespace mv;

namespace {

const QDateTime stampMoment(QDate(2014, 3, 7), QTime(9, 5, 12));

int countIf(bool VitalFile::*flag) {
    return int(std::count_if(fixedVitalFiles().begin(), fixedVitalFiles().end(),
                             [flag](const VitalFile& f) { return f.*flag; }));
}

const VitalFile* findVital(const QString& name) {
    for (const VitalFile& f : fixedVitalFiles())
        if (f.name == name) return &f;
    return nullptr;
}

} // namespace

TEST(IntegrityTable, CoversTheFixedFilesAndVatRatesUpTo49) {
    EXPECT_EQ(countIf(&VitalFile::compared), 63);
    EXPECT_EQ(countIf(&VitalFile::stamped), 66); // and the stamp itself
    EXPECT_EQ(countIf(&VitalFile::copied), 67);
    EXPECT_EQ(countIf(&VitalFile::restored), 67); // and the stamp itself

    const VitalFile* kassa = findVital(QStringLiteral("__kassa_verifikation.kdb"));
    ASSERT_TRUE(kassa);
    EXPECT_FALSE(kassa->compared);
    EXPECT_TRUE(kassa->copied && kassa->restored);
    const VitalFile* rounding = findVital(QStringLiteral("konto_Oresutjamning.kdb"));
    ASSERT_TRUE(rounding);
    EXPECT_FALSE(rounding->compared || rounding->stamped);
    EXPECT_TRUE(findVital(QStringLiteral("konto_Inlåning, Från ägaren_fga_summa.kdb")));
    EXPECT_TRUE(findVital(QStringLiteral("bokslut_varulager_varde_eft_avskr.kdb")));
    EXPECT_FALSE(findVital(QStringLiteral("bokslut_inventarier.kdb")));
    EXPECT_FALSE(findVital(QStringLiteral("konto_Inkomst, Omvänd moms.kdb"))->compared);

    const QStringList vat = vatFileNames();
    EXPECT_EQ(vat.size(), 147);
    EXPECT_TRUE(vat.contains(QStringLiteral("konto_moms_inkomst_49.kdb")));
    EXPECT_TRUE(vat.contains(QStringLiteral("konto_moms_omvand_30.kdb")));
    EXPECT_FALSE(vat.contains(QStringLiteral("konto_moms_utgift_50.kdb")));
}

TEST(IntegrityTimes, TwentySecondsOnTheSameLocalDate) {
    const QDateTime stamp(QDate(2014, 3, 7), QTime(12, 0, 0));
    EXPECT_EQ(timesDisagree(stamp.addSecs(20), stamp), 0);
    EXPECT_EQ(timesDisagree(stamp.addSecs(-20), stamp), 0);
    EXPECT_EQ(timesDisagree(stamp.addSecs(21), stamp), 1);
    EXPECT_EQ(timesDisagree(stamp.addSecs(-21), stamp), 1);
    // Across midnight 15 seconds apart still counts as a change.
    EXPECT_EQ(timesDisagree(QDateTime(QDate(2014, 3, 7), QTime(23, 59, 50)),
                            QDateTime(QDate(2014, 3, 8), QTime(0, 0, 5))),
              1);
    EXPECT_EQ(stampText(QDateTime(QDate(2014, 3, 7), QTime(9, 5, 12))),
              QStringLiteral("Tidsstämpel är : 2014-3-7   9:5:12"));
    EXPECT_EQ(stampText(QDateTime(QDate(2014, 12, 24), QTime(23, 59, 0))),
              QStringLiteral("Tidsstämpel är : 2014-12-24   23:59:0"));
}

class IntegrityTest : public YearTest {
  protected:
    void SetUp() override {
        YearTest::SetUp();
        p = makeYear(QStringLiteral("2014"));
        // The first check of this run sets the shut-down mark.
        MessageRecorder r;
        const CheckOutcome first = checkIntegrity(p, abortKey, checked, r.show());
        ASSERT_EQ(first.sum, 0);
        ASSERT_TRUE(r.shown.empty());
    }
    CheckOutcome check(MessageRecorder& r) {
        return checkIntegrity(p, abortKey, checked, r.show());
    }

    PathTable p;
    int abortKey = 0;
    bool checked = false;
};

TEST_F(IntegrityTest, NewYearIsStampedCopiedAndMarkedRunning) {
    EXPECT_EQ(bytesOf(p.stamp), QByteArray("Tidsst\xe4mpel \xe4r : 2014-3-7   9:5:12"));
    EXPECT_EQ(mtime(p.stamp), stampMoment);
    EXPECT_EQ(mtime(p.verCounter), stampMoment);
    EXPECT_EQ(bytesOf(p.secondCopy(stampFileName)), bytesOf(p.stamp));
    for (const VitalFile& f : fixedVitalFiles()) {
        EXPECT_TRUE(QFileInfo::exists(bok(p, f.name))) << f.name.toStdString();
        EXPECT_TRUE(QFileInfo::exists(p.secondCopy(f.name))) << f.name.toStdString();
    }
    EXPECT_EQ(bytesOf(p.shutdownMark), QByteArray("1\r\n"));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(QFileInfo::exists(bok(p, newCopiesFolderName)));
    EXPECT_FALSE(QFileInfo::exists(bok(p, oldCopiesFolderName)));
    EXPECT_FALSE(changeInProgress(p));
}

TEST_F(IntegrityTest, TouchedFileIsWarnedRepairedAndTheCommandDropped) {
    const QByteArray counter = bytesOf(p.verCounter);
    setLastWriteTime(p.verCounter, stampMoment.addSecs(20));
    MessageRecorder quiet;
    EXPECT_EQ(check(quiet).sum, 0) << "20 seconds are within the rule";

    putBytes(p.verCounter, "7");
    setLastWriteTime(p.verCounter, stampMoment.addSecs(21));
    MessageRecorder r;
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 1);
    EXPECT_TRUE(out.repaired);
    EXPECT_EQ(out.repairFailures, 0);
    EXPECT_EQ(out.postCommand, 0);
    ASSERT_EQ(r.shown.size(), 2u);
    EXPECT_EQ(r.shown[0], changedFilesWarning());
    EXPECT_EQ(r.shown[0].title,
              QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> VARNING <<<<<<<<<<<<<<<<<<<<<<<<<<<"));
    EXPECT_TRUE(r.shown[0].text.startsWith(QStringLiteral(
        "En eller flera vitala filer har ändrats utanför bokföringsprogrammet!\nDet")));
    EXPECT_TRUE(r.shown[0].text.endsWith(
        QStringLiteral("välja säkerhetskopian som ersätter de skadade filerna.\n\n")));
    EXPECT_EQ(r.shown[0].icon, QStringLiteral("STOP"));
    EXPECT_EQ(r.shown[1].title,
              QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> REPARATION <<<<<<<<<<<<<<<<<<<<<<<<<<<"));
    EXPECT_EQ(r.shown[1].buttons, QStringLiteral("yes_NO"));
    EXPECT_TRUE(r.shown[1].text.startsWith(QStringLiteral(
        "\n\n                                    Reparationen ser ut att ha lyckats!\n\n")));
    EXPECT_EQ(abortKey, 0);
    EXPECT_FALSE(guardAllows(out, abortKey));

    // The second copy is back, the replaced file kept aside, the year passes.
    EXPECT_EQ(bytesOf(p.verCounter), counter);
    const QString aside = bok(p, repairFolderPrefix + QStringLiteral("2014-03-07_09-05-12"));
    EXPECT_EQ(bytesOf(aside + QStringLiteral("/_ver.kdb")), QByteArray("7"));
    EXPECT_EQ(QDir(aside).entryList(QDir::Files).size(), 1) << "unchanged files are not moved";
    MessageRecorder after;
    const CheckOutcome next = check(after);
    EXPECT_EQ(next.sum, 0);
    EXPECT_TRUE(after.shown.empty());
    EXPECT_TRUE(guardAllows(next, abortKey));
}

TEST_F(IntegrityTest, RepairAnsweredYesLeadsToTheBackupPage) {
    putBytes(p.dayBook, "tampered\r\n");
    MessageRecorder r;
    r.answers = {answerOk, answerYes, answerOk};
    const CheckOutcome out = check(r);
    ASSERT_EQ(r.shown.size(), 3u);
    EXPECT_EQ(r.shown[2], backupChosenMessage());
    EXPECT_EQ(r.shown[2].text,
              QStringLiteral("\n\nÅterställning med säkerhetskopia har valts!\n\n\nDu "
                             "skickas nu till sidan för återställning!"));
    EXPECT_EQ(r.shown[2].title, QStringLiteral("SÄKERHETSKOPIA"));
    EXPECT_EQ(out.postCommand, 1200);
}

TEST_F(IntegrityTest, DeletedVerCounterIsReportedMissingAndRestored) {
    const QByteArray before = bytesOf(p.verCounter);
    QFile::remove(p.verCounter);
    MessageRecorder r;
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 1);
    ASSERT_GE(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].title, QStringLiteral("MEDDELANDE"));
    EXPECT_EQ(r.shown[0].text, QStringLiteral("Filen 2014/bokforing/_ver.kdb Saknas"));
    EXPECT_EQ(r.shown[0].icon, QStringLiteral("STOP"));
    EXPECT_EQ(r.shown[1], changedFilesWarning());
    EXPECT_TRUE(QFileInfo::exists(p.verCounter));
    EXPECT_EQ(bytesOf(p.verCounter), before);
}

TEST_F(IntegrityTest, DeletedTransferVerificationsAreUnseenButRestored) {
    putBytes(p.transferVerifications, "Verifikation 1\r\n");
    ASSERT_TRUE(finishChange(p).ok());
    QFile::remove(p.transferVerifications);
    MessageRecorder r;
    EXPECT_EQ(check(r).sum, 0);
    EXPECT_TRUE(r.shown.empty());
    const RepairOutcome out = repairYear(p);
    EXPECT_EQ(out.failures, 0);
    EXPECT_EQ(bytesOf(p.transferVerifications), QByteArray("Verifikation 1\r\n"));
}

TEST_F(IntegrityTest, UncleanShutDownIsReportedOnceAndDropsTheCommand) {
    // A new run of the program: the mark still says running.
    checked = false;
    MessageRecorder r;
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 1000);
    ASSERT_EQ(r.shown.size(), 2u);
    EXPECT_EQ(r.shown[0], uncleanShutdownWarning());
    EXPECT_TRUE(
        r.shown[0].text.startsWith(QStringLiteral("Programmet stängdes inte av korrekt!\n\n\n")));
    EXPECT_EQ(abortKey, 1);
    EXPECT_FALSE(guardAllows(out, abortKey));
    EXPECT_EQ(abortKey, 0);

    MessageRecorder again;
    const CheckOutcome next = check(again);
    EXPECT_EQ(next.sum, 0);
    EXPECT_TRUE(again.shown.empty());
    EXPECT_TRUE(guardAllows(next, abortKey));
}

TEST_F(IntegrityTest, CleanShutDownMarkGivesNoReport) {
    putBytes(p.shutdownMark, "0\r\n");
    checked = false;
    MessageRecorder r;
    EXPECT_EQ(check(r).sum, 0);
    EXPECT_EQ(bytesOf(p.shutdownMark), QByteArray("1\r\n"));
}

TEST_F(IntegrityTest, AbortKeyUnlocksOneCheck) {
    putBytes(p.dayBook, "tampered\r\n");
    abortKey = 27;
    MessageRecorder r;
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 0);
    EXPECT_FALSE(out.repaired);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_TRUE(r.shown[0].plain);
    EXPECT_EQ(r.shown[0].title, QStringLiteral("UTVECKLARKOMMANDO"));
    EXPECT_EQ(r.shown[0].text, QStringLiteral("FILKONTROLL UPPLÅST"));
    EXPECT_TRUE(guardAllows(out, abortKey));
    EXPECT_EQ(abortKey, 0);
    EXPECT_EQ(bytesOf(p.dayBook), QByteArray("tampered\r\n"));

    MessageRecorder next;
    EXPECT_EQ(check(next).sum, 1);
    EXPECT_EQ(bytesOf(p.dayBook), bytesOf(p.secondCopy(QStringLiteral("_dagbok.kdb"))));
}

TEST_F(IntegrityTest, HighVatRatesAreProtectedAndStrayOnesRemoved) {
    putBytes(p.outputVat(49), "12.50\r\n");
    ASSERT_TRUE(finishChange(p).ok());
    EXPECT_EQ(bytesOf(p.secondCopy(QStringLiteral("konto_moms_inkomst_49.kdb"))),
              QByteArray("12.50\r\n"));
    putBytes(p.outputVat(49), "99.00\r\n");
    putBytes(p.inputVat(30), "5.00\r\n"); // never booked by the program
    MessageRecorder r;
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 2);
    EXPECT_EQ(out.repairFailures, 0);
    EXPECT_EQ(bytesOf(p.outputVat(49)), QByteArray("12.50\r\n"));
    EXPECT_FALSE(QFileInfo::exists(p.inputVat(30)));
    const QString aside = bok(p, repairFolderPrefix + QStringLiteral("2014-03-07_09-05-12"));
    EXPECT_EQ(bytesOf(aside + QStringLiteral("/konto_moms_utgift_30.kdb")), QByteArray("5.00\r\n"));
    EXPECT_EQ(bytesOf(aside + QStringLiteral("/konto_moms_inkomst_49.kdb")),
              QByteArray("99.00\r\n"));
}

TEST_F(IntegrityTest, DeletedVatFileIsFoundAndRestored) {
    putBytes(p.inputVat(12), "36.00\r\n");
    ASSERT_TRUE(finishChange(p).ok());
    QFile::remove(p.inputVat(12));
    MessageRecorder r;
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 1);
    ASSERT_GE(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0],
              missingFileMessage(QStringLiteral("2014/bokforing/konto_moms_utgift_12.kdb")));
    EXPECT_EQ(bytesOf(p.inputVat(12)), QByteArray("36.00\r\n"));
    EXPECT_EQ(renewStamps(p).code, ChangeResult::Ok);
}

TEST_F(IntegrityTest, RenewalNeverRecreatesAMissingFile) {
    const QByteArray copy = bytesOf(p.secondCopy(QStringLiteral("_ver.kdb")));
    const QDateTime stampTime = mtime(p.stamp);
    QFile::remove(p.verCounter);

    const ChangeResult stamps = renewStamps(p);
    EXPECT_EQ(stamps.code, ChangeResult::MissingFile);
    EXPECT_EQ(stamps.path, QStringLiteral("2014/bokforing/_ver.kdb"));
    EXPECT_EQ(stamps.message(), missingFileMessage(QStringLiteral("2014/bokforing/_ver.kdb")));
    const ChangeResult copies = renewSecondCopies(p);
    EXPECT_EQ(copies.code, ChangeResult::MissingFile);
    const ChangeResult finish = finishChange(p);
    EXPECT_FALSE(finish.ok());

    EXPECT_FALSE(QFileInfo::exists(p.verCounter));
    EXPECT_TRUE(QFileInfo::exists(p.secondCopy(QStringLiteral("_ver.kdb"))));
    EXPECT_EQ(bytesOf(p.secondCopy(QStringLiteral("_ver.kdb"))), copy);
    EXPECT_EQ(mtime(p.stamp), stampTime);
}

TEST_F(IntegrityTest, FailedRepairOffersTheBackup) {
    QFile::remove(p.secondCopy(QStringLiteral("_ver.kdb")));
    putBytes(p.verCounter, "3");
    MessageRecorder r;
    r.answers = {answerOk, answerYes};
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.repairFailures, 1);
    ASSERT_EQ(r.shown.size(), 2u);
    EXPECT_EQ(r.shown[1].title,
              QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> REPARATION <<<<<<<<<<<<<<<<<<<<<<<<<<<"));
    EXPECT_EQ(r.shown[1].text,
              QStringLiteral(
                  "Reparationen misslyckades!\n\nBokföringen måste bytas mot en säkerhetskopia.\n"
                  "Klicka på knappen  'Ja'  för att gå till platsen för återställning av en "
                  "säkerhetskopia."));
    EXPECT_EQ(r.shown[1].icon, QStringLiteral("STOP"));
    EXPECT_EQ(r.shown[1].buttons, QStringLiteral("yes_NO"));
    EXPECT_EQ(out.postCommand, 1200);
    // Nothing was changed: the file without a copy is left as it was, and
    // the next check finds it again.
    EXPECT_EQ(bytesOf(p.verCounter), QByteArray("3"));
    MessageRecorder again;
    again.answers = {answerOk, answerNo};
    EXPECT_GT(check(again).sum, 0);
}

TEST_F(IntegrityTest, UnfinishedChangeIsRepairedToTheStateBefore) {
    const QByteArray before = bytesOf(p.dayBook);
    ASSERT_TRUE(beginChange(p).ok());
    putBytes(p.dayBook, "half a booking\r\n");
    // Even with times that happen to agree, the mark tells (and the digest).
    setLastWriteTime(p.dayBook, stampMoment);
    MessageRecorder r;
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 2);
    EXPECT_TRUE(out.repaired);
    EXPECT_EQ(bytesOf(p.dayBook), before);
    EXPECT_FALSE(changeInProgress(p));
    MessageRecorder next;
    EXPECT_EQ(check(next).sum, 0);
}

TEST_F(IntegrityTest, LeavingAYearClearsItsMarkAndTheNextYearIsChecked) {
    const PathTable next = makeYear(QStringLiteral("2015"));
    putBytes(next.shutdownMark, "1\r\n"); // 2015 was not shut down cleanly last time
    leaveYear(p, checked);
    EXPECT_FALSE(checked);
    EXPECT_EQ(bytesOf(p.shutdownMark), QByteArray("0\r\n"));
    MessageRecorder r;
    const CheckOutcome out = checkIntegrity(next, abortKey, checked, r.show());
    EXPECT_EQ(out.sum, 1000);
    EXPECT_EQ(bytesOf(next.shutdownMark), QByteArray("1\r\n"));
    EXPECT_TRUE(checked);
}

TEST_F(IntegrityTest, HalfDoneSwapIsFinishedOrUndone) {
    // An incomplete new folder is dropped; the copies stand.
    const QByteArray copy = bytesOf(p.secondCopy(QStringLiteral("_ver.kdb")));
    putBytes(bok(p, newCopiesFolderName + QStringLiteral("/_ver.kdb")), "new");
    EXPECT_EQ(recoverSecondCopies(p), 0);
    EXPECT_FALSE(QFileInfo::exists(bok(p, newCopiesFolderName)));
    EXPECT_EQ(bytesOf(p.secondCopy(QStringLiteral("_ver.kdb"))), copy);

    // A complete new folder with the old one already moved aside is swapped in.
    ASSERT_TRUE(QDir().rename(p.fskDir, bok(p, oldCopiesFolderName)));
    putBytes(bok(p, newCopiesFolderName + QStringLiteral("/_ver.kdb")), "new");
    putBytes(bok(p, newCopiesFolderName + QStringLiteral("/") + copiesCompleteFileName), "1\r\n");
    EXPECT_EQ(recoverSecondCopies(p), 0);
    EXPECT_EQ(bytesOf(p.secondCopy(QStringLiteral("_ver.kdb"))), QByteArray("new"));
    EXPECT_FALSE(QFileInfo::exists(bok(p, newCopiesFolderName)));
    EXPECT_FALSE(QFileInfo::exists(bok(p, oldCopiesFolderName)));
}

// A booking from state A to state B, killed after every possible number of
// disk changes of finishChange (or of the repair that follows), must end,
// after the next start's check, in exactly A or exactly B, and pass the check
// after that.
class KillDuringRenewal : public IntegrityTest {
  protected:
    std::map<QString, QByteArray> books() {
        return snapshot(p.bokforingDir, {stampFileName, changeMarkFileName, digestRecordFileName,
                                         QStringLiteral("__A_avstangkontroll.kdb")});
    }
    void book() {
        ASSERT_TRUE(beginChange(p).ok());
        putBytes(p.verCounter, "2");
        putBytes(p.dayBook, "booking 1\r\nbooking 2\r\n");
        putBytes(p.outputVat(25), "250.00\r\n");
        putBytes(p.account(QStringLiteral("Inkomst, Annat")), "1000.00\r\n");
    }
    void restartAndCheck(const std::map<QString, QByteArray>& a,
                         const std::map<QString, QByteArray>& b, int k) {
        setWriteHook({});
        checked = false;
        MessageRecorder r;
        const CheckOutcome out = check(r);
        const auto now = books();
        EXPECT_TRUE(now == a || now == b) << "kill after " << k << " changes";
        MessageRecorder next;
        EXPECT_EQ(check(next).sum, 0) << "kill after " << k << " changes";
        EXPECT_FALSE(changeInProgress(p));
        EXPECT_FALSE(QFileInfo::exists(bok(p, newCopiesFolderName)));
        EXPECT_FALSE(QFileInfo::exists(bok(p, oldCopiesFolderName)));
        (void)out;
    }
};

TEST_F(KillDuringRenewal, EveryKillPointLeavesOneConsistentState) {
    putBytes(p.verCounter, "1");
    putBytes(p.dayBook, "booking 1\r\n");
    ASSERT_TRUE(finishChange(p).ok());
    const auto stateA = books();
    const QString saved = QStringLiteral("saved");
    ASSERT_EQ(copyFolderContents(saved, p.bokforingDir), 0);

    // The state after the booking, for comparison.
    book();
    ASSERT_TRUE(finishChange(p).ok());
    const auto stateB = books();
    ASSERT_NE(stateA, stateB);

    bool sawA = false;
    bool sawB = false;
    for (int k = 0;; ++k) {
        ASSERT_EQ(deleteTree(p.bokforingDir), 0);
        ASSERT_EQ(copyFolderContents(p.bokforingDir, saved), 0);
        book();
        stopAfter(k);
        const bool finished = finishChange(p).ok();
        restartAndCheck(stateA, stateB, k);
        (books() == stateA ? sawA : sawB) = true;
        if (finished) break;
        ASSERT_LT(k, 400);
    }
    EXPECT_TRUE(sawA);
    EXPECT_TRUE(sawB);
}

TEST_F(KillDuringRenewal, KilledRepairIsCompletedByTheNextCheck) {
    putBytes(p.verCounter, "1");
    ASSERT_TRUE(finishChange(p).ok());
    const auto stateA = books();
    const QString saved = QStringLiteral("saved");
    ASSERT_EQ(copyFolderContents(saved, p.bokforingDir), 0);

    for (int k = 0; k < 200; k += 3) {
        ASSERT_EQ(deleteTree(p.bokforingDir), 0);
        ASSERT_EQ(copyFolderContents(p.bokforingDir, saved), 0);
        putBytes(p.verCounter, "9");
        putBytes(p.cash, "77.00\r\n");
        stopAfter(k);
        repairYear(p);
        restartAndCheck(stateA, stateA, k);
    }
}

// --- Changes that keep the file's time ------------------------------------------

TEST_F(IntegrityTest, ContentChangedWithItsTimePutBackIsFound) {
    putBytes(p.cash, "0.00\r\n");
    putBytes(p.inVerifications, "INKOMST VERIFIKATIONER\r\nblock 1\r\nblock 2\r\n");
    ASSERT_TRUE(finishChange(p).ok());
    const QByteArray list = bytesOf(p.inVerifications);
    const QDateTime cashTime = mtime(p.cash);
    const QDateTime listTime = mtime(p.inVerifications);
    MessageRecorder quiet;
    ASSERT_EQ(check(quiet).sum, 0);

    // The cash total set to 999999.00 and the last block removed from the
    // list, each with its last-write time put back.
    putBytes(p.cash, "999999.00\r\n");
    setLastWriteTime(p.cash, cashTime);
    putBytes(p.inVerifications, "INKOMST VERIFIKATIONER\r\nblock 1\r\n");
    setLastWriteTime(p.inVerifications, listTime);
    MessageRecorder r;
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 2);
    ASSERT_FALSE(r.shown.empty());
    EXPECT_EQ(r.shown[0], changedFilesWarning());
    EXPECT_EQ(out.repairFailures, 0);
    EXPECT_EQ(bytesOf(p.cash), QByteArray("0.00\r\n"));
    EXPECT_EQ(bytesOf(p.inVerifications), list);
    MessageRecorder after;
    EXPECT_EQ(check(after).sum, 0);
}

TEST_F(IntegrityTest, BookAndCopyChangedTogetherAreFoundAndNeverRestored) {
    putBytes(p.cash, "100.00\r\n");
    ASSERT_TRUE(finishChange(p).ok());
    const QDateTime cashTime = mtime(p.cash);
    MessageRecorder quiet;
    ASSERT_EQ(check(quiet).sum, 0);
    for (const QString& path : {p.cash, p.secondCopy(QStringLiteral("konto_kassa.kdb"))}) {
        putBytes(path, "999999.00\r\n");
        setLastWriteTime(path, cashTime);
    }
    const auto books = snapshot(p.bokforingDir);
    const auto copies = snapshot(p.fskDir);
    MessageRecorder r;
    r.answers = {answerOk, answerNo};
    const CheckOutcome out = check(r);
    EXPECT_EQ(out.sum, 1);
    EXPECT_EQ(out.repairFailures, 1) << "the copy does not match the digest record";
    ASSERT_EQ(r.shown.size(), 2u);
    EXPECT_EQ(r.shown[1], repairFailedQuestion());
    // Nothing was changed, nothing moved aside.
    EXPECT_EQ(snapshot(p.bokforingDir), books);
    EXPECT_EQ(snapshot(p.fskDir), copies);
    EXPECT_TRUE(QDir(p.bokforingDir).entryList({repairFolderPrefix + "*"}, QDir::Dirs).isEmpty());
}

TEST_F(IntegrityTest, AYearWithoutDigestsGetsThemAtItsFirstUnchangedCheck) {
    // A year of an earlier version, a locked one: stamps and copies, no digests.
    putBytes(p.lockMark, "låst");
    QFile::remove(bok(p, digestRecordFileName));
    MessageRecorder r;
    EXPECT_EQ(check(r).sum, 0);
    DigestRecord record;
    ASSERT_TRUE(readDigestRecord(bok(p, digestRecordFileName), record));
    EXPECT_TRUE(record.contains(QStringLiteral("_dagbok.kdb")));
    EXPECT_TRUE(record.value(QStringLiteral("konto_kassa.kdb")).matches(fileState(p.cash)));
    // From then on a change with the time kept is found.
    const QDateTime t = mtime(p.verCounter);
    putBytes(p.verCounter, "5");
    setLastWriteTime(p.verCounter, t);
    MessageRecorder again;
    EXPECT_EQ(check(again).sum, 1);
}

TEST_F(IntegrityTest, CopiedFolderWithNewStatusTimesIsNotTakenForAChange) {
    // Copying the books (a restored backup) gives every file a new status
    // time: the content is hashed once, found unchanged and the record renewed.
    ASSERT_EQ(copyTree(QStringLiteral("copy"), p.yearDir), 0);
    ASSERT_EQ(deleteTree(p.yearDir), 0);
    ASSERT_EQ(renamePath(QStringLiteral("copy/2014"), p.yearDir), 0);
    MessageRecorder r;
    EXPECT_EQ(check(r).sum, 0);
    EXPECT_TRUE(r.shown.empty());
    DigestRecord record;
    ASSERT_TRUE(readDigestRecord(bok(p, digestRecordFileName), record));
    EXPECT_TRUE(record.value(QStringLiteral("_ver.kdb")).matches(fileState(p.verCounter)));
}

TEST_F(IntegrityTest, AFailedRepairChangesNothing) {
    // A changed file and no second copies at all: the repair must not move
    // the VAT totals aside (they would read 0 from then on) nor anything else.
    putBytes(p.outputVat(25), "250.00\r\n");
    ASSERT_TRUE(finishChange(p).ok());
    putBytes(p.cash, "5.00\r\n");
    ASSERT_EQ(deleteTree(p.fskDir), 0);
    const auto books = snapshot(p.bokforingDir);
    MessageRecorder r;
    r.answers = {answerOk, answerNo};
    const CheckOutcome out = check(r);
    EXPECT_GT(out.repairFailures, 0);
    EXPECT_EQ(snapshot(p.bokforingDir), books);
    EXPECT_EQ(bytesOf(p.outputVat(25)), QByteArray("250.00\r\n"));
    EXPECT_TRUE(QDir(p.bokforingDir).entryList({repairFolderPrefix + "*"}, QDir::Dirs).isEmpty());
}

TEST_F(IntegrityTest, AnEmptyCopyWhereTheBookIsNotIsNeverRestored) {
    // Without a digest record the size tells: an empty copy of a book that is
    // not empty is damaged (a write that never reached the disk).
    putBytes(p.verCounter, "2");
    ASSERT_TRUE(finishChange(p).ok());
    QFile::remove(bok(p, digestRecordFileName));
    putBytes(p.secondCopy(QStringLiteral("_ver.kdb")), "");
    const RepairOutcome out = repairYear(p);
    EXPECT_EQ(out.failures, 1);
    EXPECT_EQ(bytesOf(p.verCounter), QByteArray("2"));
}

TEST_F(IntegrityTest, OnlyTheLastFiveRepairFoldersAreKept) {
    for (int i = 0; i < 8; ++i) {
        const QDateTime t = QDateTime(QDate(2014, 3, 7), QTime(9, 5, 12)).addSecs(60 * i);
        setFixedNow(t);
        putBytes(p.verCounter, QByteArray::number(100 + i));
        ASSERT_EQ(repairYear(p).failures, 0) << i;
    }
    QStringList folders = QDir(p.bokforingDir).entryList({repairFolderPrefix + "*"}, QDir::Dirs);
    folders.sort();
    EXPECT_EQ(folders, QStringList({repairFolderPrefix + "2014-03-07_09-08-12",
                                    repairFolderPrefix + "2014-03-07_09-09-12",
                                    repairFolderPrefix + "2014-03-07_09-10-12",
                                    repairFolderPrefix + "2014-03-07_09-11-12",
                                    repairFolderPrefix + "2014-03-07_09-12-12"}));
    setFixedNow(QDateTime(QDate(2014, 3, 7), QTime(9, 5, 12)));
}
