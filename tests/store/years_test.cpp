#include "year_fixture.h"

#include <QFile>

using namespace mv;

namespace {
const PathTable none = buildPathTable(QStringLiteral("0000"));
}

class YearsTest : public YearTest {
  protected:
    CreateYearOutcome create(const QString& year, const PathTable& from = none,
                             bool locked = false) {
        return createYear(year, from, locked, progress, r.show());
    }
    MessageRecorder r;
    int progress = 1;
};

TEST_F(YearsTest, RefusesTextsThatAreNotYearsOfThisCentury) {
    CreateYearOutcome out = create(QStringLiteral("201"));
    EXPECT_EQ(out.code, 2);
    out = create(QStringLiteral("1999"));
    EXPECT_EQ(out.code, 1);
    out = create(QStringLiteral("2abc"));
    EXPECT_EQ(out.code, 2);
    out = create(QStringLiteral("20 4"));
    EXPECT_EQ(out.code, 2);
    ASSERT_EQ(r.shown.size(), 4u);
    EXPECT_EQ(r.shown[0], (Message{QStringLiteral("MEDDELANDE"),
                                   QStringLiteral("Året måste bestå av 4 siffror!\n\n"),
                                   QStringLiteral("STOP"), QStringLiteral("OK")}));
    EXPECT_EQ(r.shown[1], (Message{QStringLiteral("MEDDELANDE"),
                                   QStringLiteral("Årtalet måsta vara på 2000-talet!\n\n"),
                                   QStringLiteral("STOP"), QStringLiteral("OK")}));
    EXPECT_EQ(r.shown[2], r.shown[0]);
    EXPECT_EQ(r.shown[3], r.shown[0]);
    EXPECT_TRUE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty())
        << "a refusal leaves nothing behind";
    EXPECT_EQ(progress, 1);
}

TEST_F(YearsTest, FirstYearGetsItsInitialFilesAndDefaultSettings) {
    const CreateYearOutcome out = create(QStringLiteral("2014"));
    EXPECT_EQ(out.code, 0);
    EXPECT_TRUE(out.created);
    EXPECT_EQ(progress, 2);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0], (Message{QStringLiteral("MEDDELANDE"),
                                   QStringLiteral("\n\nNytt bokföringsår är skapat!\n\n"),
                                   QStringLiteral("INFORMATION"), QStringLiteral("OK")}));

    const PathTable p = buildPathTable(QStringLiteral("2014"));
    EXPECT_EQ(bytesOf(p.settings),
              QByteArray("25\r\n32\r\n35\r\n3\r\n30\r\n25\r\n12\r\n6\r\nx\r\n50\r\nNEJ\r\n"));
    EXPECT_EQ(bytesOf(p.company), QByteArray("\r\n").repeated(12));
    EXPECT_EQ(bytesOf(p.backupPaths), QByteArray("C:\\\r\n"));
    EXPECT_EQ(bytesOf(p.invoiceTexts), QByteArray("\r\n").repeated(10));
    EXPECT_TRUE(QFileInfo(p.closing(QStringLiteral("inventarielista_avskr"))).exists());
    EXPECT_EQ(bytesOf(p.moneyAccountName(1)), QByteArray("Kontantkassa\r\n"));
    EXPECT_EQ(bytesOf(p.moneyAccountName(6)), QByteArray("Banken 3\r\n"));
    EXPECT_EQ(bytesOf(p.incomeAccountList),
              golden(QStringLiteral("konton_lista_Mervalla_Inkomst_1.kdb")));
    EXPECT_EQ(bytesOf(drive::createdYears), QByteArray("2014\r\n"));
    EXPECT_EQ(bytesOf(drive::lastCreatedYear), QByteArray("2014\r\n"));
    for (const QString& dir :
         {p.fskDir, p.fakturorDir, p.fritextDir, p.kunderDir, p.leverantorerDir})
        EXPECT_TRUE(QFileInfo(dir).isDir()) << dir.toStdString();

    // The defaults load as NEJ: no rounding to whole kronor preselected.
    int loadProgress = 0;
    loadYearRecord(p, QStringLiteral("/work"), loadProgress);
    EXPECT_EQ(yearRecord().settings.field(setting::wholeKronor), QStringLiteral("NEJ"));
    EXPECT_EQ(yearRecord().wholeKronor, 0);
    EXPECT_EQ(yearRecord().settings.vatRates(), (QList<int>{25, 12, 6}));
    EXPECT_EQ(loadProgress, 1) << "empty company name";

    // Stamped and copied: the new year passes its first check.
    int abortKey = 0;
    bool checked = false;
    MessageRecorder c;
    EXPECT_EQ(checkIntegrity(p, abortKey, checked, c.show()).sum, 0);
    EXPECT_TRUE(c.shown.empty());

    EXPECT_EQ(suggestedNewYear(), QStringLiteral("2015"));
    EXPECT_EQ(createdYears(), QStringList{QStringLiteral("2014")});
}

TEST_F(YearsTest, SuggestsTheCalendarYearWithoutCreatedYears) {
    EXPECT_EQ(suggestedNewYear(), QStringLiteral("2014")); // the clock stands in 2014
}

TEST_F(YearsTest, ExistingYearIsOnlyReported) {
    create(QStringLiteral("2014"));
    const QByteArray years = bytesOf(drive::createdYears);
    r.shown.clear();
    progress = 1;
    const CreateYearOutcome out = create(QStringLiteral("2014"));
    EXPECT_EQ(out.code, 0);
    EXPECT_FALSE(out.created);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].text, QStringLiteral("Bokföringsåret finns redan!\n\n"));
    EXPECT_EQ(r.shown[0].title, QStringLiteral("MEDDELANDE"));
    EXPECT_EQ(r.shown[0].icon, QStringLiteral("STOP"));
    EXPECT_EQ(bytesOf(drive::createdYears), years);
    EXPECT_EQ(progress, 1);
}

TEST_F(YearsTest, FolderThatCannotBeMadeIsReportedWithTheReason) {
    // A dangling link: no year folder exists, yet none can be made there.
    ASSERT_TRUE(QFile::link(QStringLiteral("nowhere/at/all"), QStringLiteral("2016")));
    const CreateYearOutcome out = create(QStringLiteral("2016"));
    EXPECT_FALSE(out.created);
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_TRUE(
        r.shown[0].text.startsWith(QStringLiteral("Bokföringsåret kunde inte skapas!\n\n")));
    EXPECT_GT(r.shown[0].text.size(),
              QStringLiteral("Bokföringsåret kunde inte skapas!\n\n").size());
    EXPECT_EQ(r.shown[0].title, QStringLiteral("MEDDELANDE"));
    EXPECT_FALSE(QFileInfo::exists(drive::createdYears));
}

TEST_F(YearsTest, LockedSelectedYearCreatesNothing) {
    const PathTable p = makeYear(QStringLiteral("2014"));
    const CreateYearOutcome out = create(QStringLiteral("2015"), p, true);
    EXPECT_EQ(out.code, 0);
    EXPECT_FALSE(out.created);
    EXPECT_TRUE(r.shown.empty());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("2015")));
}

TEST_F(YearsTest, LaterYearCarriesRegistersAndSettingsByteForByte) {
    const PathTable y14 = makeYear(QStringLiteral("2014"));
    const QByteArray settings =
        "28.97\r\n31.42\r\n30\r\n5\r\n20\r\n25\r\n12\r\n6\r\n15\r\n30\r\nJA\r\n";
    putBytes(y14.settings, settings);
    putBytes(y14.company, "Bågen AB\r\nÅgatan 1\r\n12345\r\nUmeå\r\n");
    putBytes(y14.backupPaths, "/media/usb/\r\n");
    // Names with å, ä, ö; the list's last line without a line end.
    putBytes(y14.customerList, "\xc5sa \xd6"
                               "berg\r\nB\xe4"
                               "ckens Bygg\r\nSaknad Kund");
    putBytes(y14.customer(QStringLiteral("Åsa Öberg")), "\xc5sa \xd6"
                                                        "berg\r\nStorgatan 1\r\nNo line end");
    const QByteArray big = QByteArray(450000, 'x') + "\r\n";
    putBytes(y14.customer(QStringLiteral("Bäckens Bygg")), big);
    putBytes(y14.supplierList, "Leverant\xf6r 1\r\n../../utanf\xf6r\r\n");
    putBytes(y14.supplier(QStringLiteral("Leverantör 1")), "L1\r\n");
    putBytes(y14.incomeFreeTexts, "fritext\r\n");
    putBytes(y14.articleRegister, "Artikel\r\n10.00");
    // Stamps and second copies of the selected year before the creation.
    const QDateTime stampTime = mtime(y14.stamp);
    const auto copies = snapshot(y14.fskDir);

    const CreateYearOutcome out = create(QStringLiteral("2015"), y14);
    ASSERT_TRUE(out.created);
    const PathTable y15 = buildPathTable(QStringLiteral("2015"));
    EXPECT_EQ(bytesOf(y15.settings), settings);
    EXPECT_EQ(bytesOf(y15.company), bytesOf(y14.company));
    EXPECT_EQ(bytesOf(y15.backupPaths), QByteArray("/media/usb/\r\n"));
    EXPECT_EQ(bytesOf(y15.customerList), bytesOf(y14.customerList));
    EXPECT_EQ(bytesOf(y15.customer(QStringLiteral("Åsa Öberg"))),
              QByteArray("\xc5sa \xd6"
                         "berg\r\nStorgatan 1\r\nNo line end"));
    EXPECT_EQ(bytesOf(y15.customer(QStringLiteral("Bäckens Bygg"))), big);
    EXPECT_TRUE(QFileInfo(y15.customer(QStringLiteral("Saknad Kund"))).isFile());
    EXPECT_EQ(bytesOf(y15.customer(QStringLiteral("Saknad Kund"))), QByteArray());
    EXPECT_EQ(bytesOf(y15.supplier(QStringLiteral("Leverantör 1"))), QByteArray("L1\r\n"));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("utanför.kdb")));
    EXPECT_EQ(bytesOf(y15.incomeFreeTexts), QByteArray("fritext\r\n"));
    EXPECT_EQ(bytesOf(y15.articleRegister), QByteArray("Artikel\r\n10.00"));
    EXPECT_EQ(bytesOf(drive::createdYears), QByteArray("2014\r\n2015\r\n"));

    // The selected year is not re-stamped: a tampered file stays detectable.
    EXPECT_EQ(mtime(y14.stamp), stampTime);
    EXPECT_EQ(snapshot(y14.fskDir), copies);
}

TEST_F(YearsTest, CreationDoesNotBlessTamperedFilesOfTheSelectedYear) {
    const PathTable y14 = makeYear(QStringLiteral("2014"));
    putBytes(y14.verCounter, "999");
    create(QStringLiteral("2015"), y14);
    EXPECT_NE(bytesOf(y14.secondCopy(QStringLiteral("_ver.kdb"))), QByteArray("999"));
    int abortKey = 0;
    bool checked = false;
    MessageRecorder c;
    const CheckOutcome out = checkIntegrity(y14, abortKey, checked, c.show());
    EXPECT_EQ(out.sum, 1);
    EXPECT_NE(bytesOf(y14.verCounter), QByteArray("999"));
}

TEST_F(YearsTest, CreatedYearsListWithoutFinalLineEndStaysOneYearPerLine) {
    putBytes(drive::createdYears, "2012\r\n2013");
    create(QStringLiteral("2014"));
    EXPECT_EQ(bytesOf(drive::createdYears), QByteArray("2012\r\n2013\r\n2014\r\n"));
    EXPECT_EQ(createdYears(), (QStringList{QStringLiteral("2012"), QStringLiteral("2013"),
                                           QStringLiteral("2014")}));
}

class ActivateTest : public YearsTest {
  protected:
    ActivateOutcome activate(const QString& year, const PathTable& previous = none) {
        return activateYear(year, previous, QStringLiteral("/arbete"), progress, checked, r.show());
    }
    bool checked = false;
};

TEST_F(ActivateTest, MissingOrMalformedYearIsRefused) {
    putBytes(drive::selectedYear, "2014\r\n");
    putBytes(QStringLiteral("2abc/bokforing/konto_fordkonto_1.kdb"), "Kontantkassa\r\n");
    for (const QString& year : {QStringLiteral("2013"), QStringLiteral("2abc"), QString()}) {
        const ActivateOutcome out = activate(year);
        EXPECT_FALSE(out.activated) << year.toStdString();
        EXPECT_EQ(out.postCommand, 0);
    }
    ASSERT_EQ(r.shown.size(), 3u);
    for (const Message& m : r.shown)
        EXPECT_EQ(m, (Message{QStringLiteral("VARNING"),
                              QStringLiteral("Året du försöker aktivera finns inte!"),
                              QStringLiteral("EXCLAMATION"), QStringLiteral("OK")}));
    EXPECT_EQ(bytesOf(drive::selectedYear), QByteArray("2014\r\n"));
}

TEST_F(ActivateTest, FirstActivationAsksForStepThree) {
    const PathTable p = makeYear(QStringLiteral("2014"));
    progress = 1;
    const ActivateOutcome out = activate(QStringLiteral("2014"));
    EXPECT_TRUE(out.activated);
    EXPECT_EQ(out.title, QStringLiteral("MerValla för år  2014"));
    EXPECT_EQ(out.closingLabel, QStringLiteral("SLUTFÖR ÅR 2014"));
    EXPECT_EQ(out.postCommand, 1015);
    EXPECT_NE(out.yearLocked, 0);
    EXPECT_EQ(bytesOf(drive::selectedYear), QByteArray("2014\r\n"));
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_TRUE(r.shown[0].plain);
    EXPECT_EQ(r.shown[0].title, QStringLiteral("FÖRSTA START"));
    EXPECT_EQ(r.shown[0].text,
              QStringLiteral("Nu kan du börja bokföra om så önskas!\n\nFör att allt skall "
                             "fungera korrekt, genomför också steg 3!"));
    EXPECT_EQ(progress, 3);
    EXPECT_EQ(yearRecord().backupSource, QStringLiteral("/arbete"));
    EXPECT_EQ(yearRecord().backupTarget, QStringLiteral("C:\\"));
    (void)p;
}

TEST_F(ActivateTest, LockedYearHasTheLockTitleAndCompanyKeepsProgressDone) {
    const PathTable p = makeYear(QStringLiteral("2014"));
    putBytes(p.lockMark, "l\xe5st");
    putBytes(p.company, "Firma AB\r\n");
    progress = 0;
    const ActivateOutcome out = activate(QStringLiteral("2014"));
    EXPECT_EQ(out.yearLocked, 0);
    EXPECT_EQ(out.title, QStringLiteral("MerValla för år  2014 ÅRET ÄR LÅST FÖR REDIGERING"));
    EXPECT_TRUE(r.shown.empty());
    EXPECT_EQ(progress, 0);
    EXPECT_EQ(yearRecord().company.name(), QStringLiteral("Firma AB"));
}

TEST_F(ActivateTest, SwitchingYearsMovesTheShutDownMark) {
    const PathTable y14 = makeYear(QStringLiteral("2014"));
    const PathTable y15 = makeYear(QStringLiteral("2015"));
    int abortKey = 0;
    MessageRecorder c;
    checkIntegrity(y14, abortKey, checked, c.show());
    ASSERT_EQ(bytesOf(y14.shutdownMark), QByteArray("1\r\n"));
    ASSERT_TRUE(activate(QStringLiteral("2015"), y14).activated);
    EXPECT_EQ(bytesOf(y14.shutdownMark), QByteArray("0\r\n"));
    EXPECT_FALSE(checked);
    checkIntegrity(y15, abortKey, checked, c.show());
    EXPECT_EQ(bytesOf(y15.shutdownMark), QByteArray("1\r\n"));
}

TEST_F(YearsTest, KilledCreationLeavesNoHalfYearAndCanBeRepeated) {
    const PathTable y14 = makeYear(QStringLiteral("2014"));
    putBytes(y14.customerList, "Kund\r\n");
    putBytes(y14.customer(QStringLiteral("Kund")), "Kund\r\n");
    for (int k = 0;; k += 7) {
        ASSERT_EQ(deleteTree(QStringLiteral("2015")), 0);
        putBytes(drive::createdYears, "2014\r\n");
        stopAfter(k);
        const bool completed = create(QStringLiteral("2015"), y14).created;
        setWriteHook({});
        if (!completed) {
            // Either nothing under the year's name, or the whole year.
            r.shown.clear();
            const bool existed = QFileInfo::exists(QStringLiteral("2015"));
            EXPECT_EQ(create(QStringLiteral("2015"), y14).created, !existed) << "kill at " << k;
            if (existed) {
                EXPECT_EQ(r.shown.front(), yearExistsMessage());
            }
        }
        const PathTable y15 = buildPathTable(QStringLiteral("2015"));
        int abortKey = 0;
        bool checked = true;
        MessageRecorder c;
        EXPECT_EQ(checkIntegrity(y15, abortKey, checked, c.show()).sum, 0) << "kill at " << k;
        EXPECT_EQ(bytesOf(y15.customer(QStringLiteral("Kund"))), QByteArray("Kund\r\n"));
        EXPECT_EQ(bytesOf(y15.settings), bytesOf(y14.settings));
        if (completed) break;
        ASSERT_LT(k, 1000);
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("drive_info/skapas_2015")));
}

TEST_F(YearsTest, YearThatCannotBeListedOrSealedIsNotCreated) {
    putBytes(drive::createdYears, "2014\r\n");
    putBytes(drive::lastCreatedYear, "2014\r\n");
    // The year list refuses the new year: the folder is taken back.
    setWriteHook([](const QString& path) { return !path.endsWith(QStringLiteral("SkapadeAr.kdb")); });
    EXPECT_FALSE(create(QStringLiteral("2015")).created);
    setWriteHook({});
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("2015")));
    EXPECT_EQ(bytesOf(drive::createdYears), QByteArray("2014\r\n"));
    EXPECT_EQ(bytesOf(drive::lastCreatedYear), QByteArray("2014\r\n"));
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_EQ(r.shown[0].text, QStringLiteral("Bokföringsåret kunde inte skapas!\n\nFilen ") +
                                   drive::createdYears + QStringLiteral(" kunde inte skrivas."));

    // The first stamps cannot be written: nothing of the year is left.
    r.shown.clear();
    setWriteHook([](const QString& path) { return !path.contains(QStringLiteral("__A_tidsstampel")); });
    EXPECT_FALSE(create(QStringLiteral("2015")).created);
    setWriteHook({});
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("2015")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("drive_info/skapas_2015")));
    ASSERT_EQ(r.shown.size(), 1u);
    EXPECT_TRUE(r.shown[0].text.startsWith(QStringLiteral("Bokföringsåret kunde inte skapas!\n\nFilen ")));

    // Nothing stands in the way of the next try.
    r.shown.clear();
    EXPECT_TRUE(create(QStringLiteral("2015")).created);
    EXPECT_EQ(bytesOf(drive::createdYears), QByteArray("2014\r\n2015\r\n"));
}
