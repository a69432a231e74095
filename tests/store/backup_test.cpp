#include "store/backup.h"

#include "store/integrity.h"
#include "store/years.h"

#include "store/record_file.h"
#include "store/store_layout.h"
#include "support/temp_dir.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>

using namespace mv;
using namespace mv::backup;

// Readable failure output for texts.
static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kName = QStringLiteral("MERVALLA_BOKFÖRINGSKOPIA");

struct Entry {
    QByteArray bytes;
    qint64 modified; // ms since the epoch
    bool operator==(const Entry&) const = default;
};
using Snapshot = QMap<QString, Entry>;

// Every file below folder with its bytes and last-write time.
Snapshot snapshot(const QString& folder) {
    Snapshot s;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        s.insert(root.relativeFilePath(path),
                 {f.readAll(), it.fileInfo().lastModified().toMSecsSinceEpoch()});
    }
    return s;
}

void setTime(const QString& path, const QDateTime& when) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QString absolute(const QString& relative) {
    return QDir::current().absoluteFilePath(relative);
}

struct WriteHookGuard {
    ~WriteHookGuard() { setWriteHook({}); }
};

} // namespace

class Backup : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        // A small working directory with a year, Swedish file names and
        // last-write times far from now.
        const QDateTime t0(QDate(2013, 12, 30), QTime(23, 59, 50));
        const QList<QPair<QString, QByteArray>> files = {
            {"work/drive_info/valdbokforingsar.kdb", "2014\r\n"},
            {"work/drive_info/anteckningar.txt", "Ring revisorn\r\n"},
            {"work/2014/bokforing/_dagbok.kdb", "Verifikat          = 1\r\nBelopp = 1250.00\r\n"},
            {"work/2014/bokforing/__A_avstangkontroll.kdb", "1\r\n"},
            {"work/2014/bokforing/fsk/_dagbok.kdb", "Verifikat          = 1\r\n"},
            {"work/2014/kunder/\xc3\x85sa \xc3\x96"
             "berg.kdb",
             "\xc5sa \xd6"
             "berg\r\nStorg\xe4tan 1\r\n"},
            {"work/2014/foretaget/kopiering.kdb", "C:\\\r\n"},
            {"work/2014/fakturor/Faktura_1.kdb", QByteArray("\x80 100.00\r\n")},
        };
        int i = 0;
        for (const auto& [path, bytes] : files) {
            putBytes(path, bytes);
            setTime(path, t0.addSecs(3600 * ++i));
        }
        QDir().mkpath("work/2014/leverantorer"); // an empty folder travels too
        QDir().mkpath("usb");
        work = absolute("work");
        usb = absolute("usb");
    }
    void TearDown() override {
        setWriteHook({});
        TempDirTest::TearDown();
    }

    QString work, usb;
};

TEST_F(Backup, CopyIsByteIdenticalKeepsEveryLastWriteTimeAndSaysSo) {
    const Snapshot before = snapshot(work);
    ASSERT_EQ(before.size(), 8);
    ASSERT_TRUE(before.contains(QStringLiteral("2014/kunder/Åsa Öberg.kdb")));

    const Outcome out = makeBackup(work, usb);
    ASSERT_TRUE(out.ok) << out.message.text.toStdString();
    EXPECT_EQ(out.folder, usb + "/" + kName);
    EXPECT_EQ(out.message, (Message{"SÄKERHETSKOPIERING",
                                    "SÄKERHETSKOPIERING KLAR\n\nEventuellt meddelande under "
                                    "processen beskrev om något gick fel!",
                                    "", "OK", true}));
    EXPECT_EQ(snapshot(usb + "/" + kName), before);
    EXPECT_TRUE(QFileInfo(usb + "/" + kName + "/2014/leverantorer").isDir());
    // Nothing left beside the backup, and the books themselves unchanged.
    EXPECT_EQ(QDir(usb).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{kName});
    EXPECT_EQ(snapshot(work), before);
}

TEST_F(Backup, RepairFoldersAndUnfinishedWritesAreLeftOut) {
    const Snapshot books = snapshot(work);
    putBytes("work/2014/bokforing/reparation_2014-03-07_09-05-12/_ver.kdb", "7");
    putBytes("work/2014/bokforing/_ver.kdb.hPATkc", "");
    putBytes(QStringLiteral("work/drive_info/anteckningar.txt") + temporaryMark + "Xk3p9Q", "");
    const Outcome out = makeBackup(work, usb);
    ASSERT_TRUE(out.ok) << out.message.text.toStdString();
    EXPECT_EQ(snapshot(usb + "/" + kName), books);
    EXPECT_FALSE(QFileInfo::exists(usb + "/" + kName + "/2014/bokforing/reparation_2014-03-07_09-05-12"));
}

TEST_F(Backup, SecondBackupReplacesTheFirstCompletely) {
    ASSERT_TRUE(makeBackup(work, usb).ok);
    // Between the two backups a file goes, one comes and one changes.
    ASSERT_TRUE(QFile::remove(work + "/2014/fakturor/Faktura_1.kdb"));
    putBytes(work + "/2014/fakturor/Faktura_2.kdb", "200.00\r\n");
    putBytes(work + "/2014/bokforing/_dagbok.kdb", "ny\r\n");

    ASSERT_TRUE(makeBackup(work, usb).ok);
    const Snapshot copy = snapshot(usb + "/" + kName);
    EXPECT_EQ(copy, snapshot(work));
    EXPECT_FALSE(copy.contains("2014/fakturor/Faktura_1.kdb"));
    EXPECT_EQ(QDir(usb).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{kName});
}

TEST_F(Backup, DiskFailingInTheMiddleLeavesThePreviousBackupIntact) {
    ASSERT_TRUE(makeBackup(work, usb).ok);
    const Snapshot previous = snapshot(usb + "/" + kName);
    putBytes(work + "/2014/bokforing/_dagbok.kdb", "ändrad\r\n");

    // The disk fills up when the customer file of the new copy is written.
    setWriteHook([](const QString& path) { return !path.contains(QStringLiteral("Öberg")); });
    const Outcome out = makeBackup(work, usb);
    setWriteHook({});

    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message.title, "SÄKERHETSKOPIERING");
    EXPECT_EQ(out.message.icon, "STOP");
    EXPECT_EQ(out.message.buttons, "OK");
    EXPECT_EQ(out.message.text,
              "Säkerhetskopieringen misslyckades!\n\nKopian kunde inte skrivas till\n" +
                  QDir::toNativeSeparators(usb + "/" + kName) +
                  "\n\nDisken kan vara full, skrivskyddad eller borttagen.\n\nDen tidigare "
                  "kopian finns kvar oförändrad.");
    EXPECT_EQ(snapshot(usb + "/" + kName), previous);
    EXPECT_EQ(QDir(usb).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{kName});
}

TEST_F(Backup, FailureWhileSwappingInTheNewCopyKeepsTheOldOne) {
    ASSERT_TRUE(makeBackup(work, usb).ok);
    const Snapshot previous = snapshot(usb + "/" + kName);
    putBytes(work + "/2014/bokforing/_dagbok.kdb", "ändrad\r\n");

    // First the old backup cannot be moved aside, then the new copy cannot be
    // moved into place: both times the old backup stays where it was.
    for (const QString& stop : QStringList{QStringLiteral(".old"), "/" + kName}) {
        bool refused = false;
        setWriteHook([stop, &refused](const QString& path) {
            if (refused || !path.endsWith(stop)) return true;
            refused = true;
            return false;
        });
        const Outcome out = makeBackup(work, usb);
        setWriteHook({});
        EXPECT_FALSE(out.ok) << stop.toStdString();
        EXPECT_TRUE(out.message.text.startsWith("Säkerhetskopieringen misslyckades!\n\n"));
        EXPECT_TRUE(out.message.text.endsWith("Den tidigare kopian finns kvar oförändrad."));
        EXPECT_EQ(snapshot(usb + "/" + kName), previous) << stop.toStdString();
        EXPECT_EQ(QDir(usb).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{kName});
    }
}

TEST_F(Backup, OldCopyLeftAsideByAnInterruptedRunIsNeverLost) {
    ASSERT_TRUE(makeBackup(work, usb).ok);
    const Snapshot previous = snapshot(usb + "/" + kName);
    // The program died after moving the old copy aside.
    ASSERT_TRUE(QDir().rename(usb + "/" + kName, usb + "/" + kName + ".old"));
    putBytes(work + "/2014/bokforing/_dagbok.kdb", "ändrad\r\n");

    setWriteHook([](const QString& path) { return !path.endsWith(QStringLiteral("_dagbok.kdb")); });
    const Outcome out = makeBackup(work, usb);
    setWriteHook({});
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(snapshot(usb + "/" + kName), previous);

    ASSERT_TRUE(makeBackup(work, usb).ok);
    EXPECT_EQ(snapshot(usb + "/" + kName), snapshot(work));
    EXPECT_EQ(QDir(usb).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{kName});
}

TEST_F(Backup, FirstBackupOnAFullDiskLeavesNothingBehind) {
    setWriteHook([](const QString& path) { return !path.endsWith(QStringLiteral("_dagbok.kdb")); });
    const Outcome out = makeBackup(work, usb);
    EXPECT_FALSE(out.ok);
    // No earlier backup, so no promise that one is kept.
    EXPECT_TRUE(out.message.text.endsWith("borttagen."));
    EXPECT_TRUE(QDir(usb).isEmpty());
}

TEST_F(Backup, VanishedTargetIsReportedAndNothingIsCreated) {
    ASSERT_TRUE(QDir(usb).removeRecursively()); // the USB stick is pulled out
    const Outcome out = makeBackup(work, usb);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, failure("Platsen för kopian finns inte eller kan inte nås:\n" + usb +
                                   "\n\nKontrollera att disken eller USB-minnet är anslutet."));
    EXPECT_FALSE(QFileInfo::exists(usb));
    EXPECT_FALSE(QFileInfo::exists(work + "/" + kName));
}

TEST_F(Backup, EmptyTargetOrOneInsideTheBooksIsRefusedBeforeAnyChange) {
    ASSERT_TRUE(QDir().mkpath(work + "/2014/kopior"));
    ASSERT_TRUE(QFile::link(work + "/2014", absolute("genvag")));
    const Snapshot books = snapshot(work);
    QStringList touched;
    setWriteHook([&touched](const QString& path) {
        touched << path;
        return true;
    });

    const QString empty = "Säkerhetskopieringen misslyckades!\n\nIngen plats för kopian är angiven "
                          "under 'Kopiera till'.";
    EXPECT_EQ(makeBackup(work, "").message.text, empty);
    EXPECT_EQ(makeBackup(work, "   ").message.text, empty);

    for (const QString& inside : QStringList{work, work + "/", work + "/2014/kopior",
                                             QStringLiteral("."), QStringLiteral("2014\\kopior"),
                                             absolute("genvag"), work + "/2014/../drive_info"}) {
        const Outcome out = makeBackup(work, inside);
        EXPECT_FALSE(out.ok) << inside.toStdString();
        EXPECT_EQ(out.message, failure("Platsen för kopian ligger i bokföringens egen mapp:\n" +
                                       inside + "\n\nVälj en plats utanför bokföringens mapp."))
            << inside.toStdString();
    }
    EXPECT_TRUE(touched.isEmpty()) << touched.join(' ').toStdString();
    EXPECT_EQ(snapshot(work), books);
}

TEST_F(Backup, FolderWhoseNameOnlyBeginsLikeTheBooksIsAccepted) {
    // "wor" and "work-kopior" are beside "work", not inside it.
    for (const QString& beside : {absolute("wor"), absolute("work-kopior")}) {
        ASSERT_TRUE(QDir().mkpath(beside));
        const Outcome out = makeBackup(work, beside);
        EXPECT_TRUE(out.ok) << beside.toStdString() << " " << out.message.text.toStdString();
        EXPECT_EQ(snapshot(beside + "/" + kName), snapshot(work));
    }
}

TEST_F(Backup, RestoreNeverReplacesTheFolderThatHoldsTheBackup) {
    // The target chosen is the restore folder itself: restoring into it
    // would first remove the backup it restores from.
    const QString into = absolute("work_FRÅN_SÄKERHETSKOPIA");
    ASSERT_TRUE(QDir().mkpath(into));
    ASSERT_TRUE(makeBackup(work, into).ok);
    const Snapshot saved = snapshot(into);
    const Outcome out = restoreAutomatically(work, into);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, failure("Säkerhetskopian ligger i återställningens mapp:\n" +
                                   QDir::toNativeSeparators(into + "/" + kName) +
                                   "\n\nFlytta kopian till en annan plats och försök igen."));
    EXPECT_EQ(snapshot(into), saved);
}

TEST_F(Backup, TargetWhoseBackupFolderHoldsTheBooksIsRefused) {
    // The books are kept in a folder that carries the backup's name (a copy
    // taken into use by hand): a backup beside it would delete them.
    ASSERT_TRUE(QDir().mkpath("disk"));
    ASSERT_TRUE(QDir().rename(work, absolute("disk/" + kName)));
    const QString books = absolute("disk/" + kName);
    const Snapshot before = snapshot(books);
    const Outcome out = makeBackup(books, absolute("disk"));
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message,
              failure("Bokföringens mapp ligger i kopians mapp:\n" +
                      QDir::toNativeSeparators(books) + "\n\nVälj en annan plats för kopian."));
    EXPECT_EQ(snapshot(books), before);
}

TEST_F(Backup, DriveLetterTargetMeansTheHomeFolderWithoutDriveLetters) {
    EXPECT_EQ(usableTarget("C:\\", false, "/home/kalle"), "/home/kalle");
    EXPECT_EQ(usableTarget("D:\\Backup", false, "/home/kalle"), "/home/kalle");
    EXPECT_EQ(usableTarget("e:", false, "/home/kalle"), "/home/kalle");
    EXPECT_EQ(usableTarget("d:/kopia", false, "/home/kalle"), "/home/kalle");
    EXPECT_EQ(usableTarget("C:\\", true, "C:\\Users\\kalle"), "C:\\");
    EXPECT_EQ(usableTarget("/media/usb", false, "/home/kalle"), "/media/usb");
    EXPECT_EQ(usableTarget("Cx:\\", false, "/home/kalle"), "Cx:\\");
    EXPECT_EQ(usableTarget("", false, "/home/kalle"), "");

    if (platformHasDriveLetters()) GTEST_SKIP() << "drive letters are real here";
    const QByteArray oldHome = qgetenv("HOME");
    QDir().mkpath("hem");
    qputenv("HOME", absolute("hem").toUtf8());
    const Outcome out = makeBackup(work, "C:\\");
    qputenv("HOME", oldHome);
    EXPECT_TRUE(out.ok) << out.message.text.toStdString();
    EXPECT_EQ(snapshot(absolute("hem/" + kName)), snapshot(work));
    // Nothing named after the drive appears in or beside the books.
    EXPECT_EQ(QDir(work).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"2014", "drive_info"}));
}

TEST_F(Backup, BackupFolderGoesInsideTheChosenFolder) {
    EXPECT_EQ(backupFolder("C:\\"), "C:/" + kName);
    EXPECT_EQ(backupFolder("D:\\Backup"), "D:/Backup/" + kName);
    EXPECT_EQ(backupFolder("/media/usb/"), "/media/usb/" + kName);
    EXPECT_EQ(restoreFolder("/home/kalle/MerValla"), "/home/kalle/MerValla_FRÅN_SÄKERHETSKOPIA");
    EXPECT_EQ(restoreFolder("/home/kalle/MerValla/"), "/home/kalle/MerValla_FRÅN_SÄKERHETSKOPIA");

    // A backup stored the old way, glued onto the folder name, is found by
    // the restores; one inside the folder is preferred.
    QDir().mkpath("usbMERVALLA_BOKFÖRINGSKOPIA/drive_info");
    EXPECT_EQ(findBackupFolder(usb), usb + kName);
    QDir().mkpath(usb + "/" + kName);
    EXPECT_EQ(findBackupFolder(usb), usb + "/" + kName);
    EXPECT_EQ(findBackupFolder(absolute("nowhere")), "");
    // An old backup left aside by a run that died half-way is found last.
    QDir().mkpath("stick/" + kName + ".old");
    EXPECT_EQ(findBackupFolder(absolute("stick")), absolute("stick/" + kName + ".old"));
}

TEST_F(Backup, StoredTargetIsOneLineAndRefusesWhatCannotBeStored) {
    const PathTable paths = buildPathTable("2014");
    ASSERT_TRUE(QDir::setCurrent(work));
    Message refusal;
    EXPECT_EQ(saveTarget(paths, "E:\\Säker kopia", refusal), 0);
    EXPECT_EQ(bytesOf(paths.backupPaths), QByteArray("E:\\S\xe4ker kopia\r\n"));

    EXPECT_EQ(saveTarget(paths, "/media/usb/Åke", refusal), 0);
    EXPECT_EQ(bytesOf(paths.backupPaths), QByteArray("/media/usb/\xc5ke\r\n"));

    // Too long for the field, or not writable in the stored code page.
    EXPECT_EQ(saveTarget(paths, "/" + QString(255, 'a'), refusal), 4);
    EXPECT_EQ(refusal,
              (Message{"INMATNINGSFEL", "Sökvägen är för lång, högst 255 tecken!", "STOP", "OK"}));
    EXPECT_EQ(saveTarget(paths, "/media/\u0142\u00f3d\u017a", refusal), 4);
    EXPECT_EQ(refusal.title, "INMATNINGSFEL");
    EXPECT_EQ(bytesOf(paths.backupPaths), QByteArray("/media/usb/\xc5ke\r\n"));
    EXPECT_EQ(saveTarget(paths, "/" + QString(254, 'a'), refusal), 0);
    EXPECT_EQ(bytesOf(paths.backupPaths), "/" + QByteArray(254, 'a') + "\r\n");
}

TEST_F(Backup, AutomaticRestoreFillsTheSiblingFolderAndLeavesTheBooksAlone) {
    ASSERT_TRUE(makeBackup(work, usb).ok);
    const Snapshot saved = snapshot(work);
    // Work done after the backup is what the restore takes away.
    putBytes(work + "/2014/bokforing/_dagbok.kdb", "efter kopian\r\n");
    const Snapshot books = snapshot(work);

    const Outcome out = restoreAutomatically(work, usb);
    ASSERT_TRUE(out.ok) << out.message.text.toStdString();
    const QString into = absolute("work_FRÅN_SÄKERHETSKOPIA");
    EXPECT_EQ(out.folder, into);
    EXPECT_EQ(
        out.message,
        (Message{"SÄKERHETSKOPIERING",
                 "ÅTERSTÄLLNING KLAR\n\nEventuellt meddelande under processen beskrev om något "
                 "gick fel!\n\nNu kommer MerValla att stängas och Uforskaren öppnas.\nI "
                 "Utforskaren raderas den gamla bokföringen manuellt och namnet ges till kopian.",
                 "", "OK", true}));
    EXPECT_EQ(snapshot(into), saved);
    EXPECT_EQ(snapshot(work), books);

    // A second restore replaces the first; a failing one keeps it.
    putBytes(into + "/extra.txt", "x\r\n");
    ASSERT_TRUE(restoreAutomatically(work, usb).ok);
    EXPECT_EQ(snapshot(into), saved);
    putBytes(into + "/extra.txt", "x\r\n");
    const Snapshot restored = snapshot(into);
    setWriteHook(
        [](const QString& path) { return !path.endsWith(QStringLiteral("valdbokforingsar.kdb")); });
    const Outcome failed = restoreAutomatically(work, usb);
    setWriteHook({});
    EXPECT_FALSE(failed.ok);
    EXPECT_TRUE(failed.message.text.startsWith("Säkerhetskopieringen misslyckades!\n\n"));
    EXPECT_EQ(snapshot(into), restored);
}

TEST_F(Backup, RestoreFindsAnOldStyleBackupAndReportsAMissingOne) {
    // Stored the old way: the name glued onto the target "usb".
    ASSERT_EQ(copyFolderContents(absolute("usb" + kName), work), 0);
    const Snapshot saved = snapshot(work);
    const Outcome out = restoreAutomatically(work, usb);
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(snapshot(absolute("work_FRÅN_SÄKERHETSKOPIA")), saved);

    const Outcome manual = prepareManualRestore(work, usb);
    EXPECT_TRUE(manual.ok);
    EXPECT_EQ(manual.folder, QDir::current().absolutePath());

    const Outcome none = restoreAutomatically(work, absolute("tom"));
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.message,
              failure("Ingen säkerhetskopia hittades på platsen:\n" + absolute("tom") +
                      "\n\nKontrollera att disken eller USB-minnet är anslutet."));
    EXPECT_FALSE(prepareManualRestore(work, absolute("tom")).ok);
    EXPECT_EQ(prepareManualRestore(work, "").message.text,
              "Säkerhetskopieringen misslyckades!\n\nIngen plats för kopian är angiven under "
              "'Kopiera till'.");
}

TEST_F(Backup, RestoreQuestionsAndCancelMessage) {
    const QString tail =
        "\n\nÅterställning innebär att  en  säkerhetskopia\nav all bokföring i aktuell "
        "mapp återställs av\n";
    const QString end =
        "Kopian skapas varje gång MerValla  stängs av.\nÅterställningen medför att "
        "allt inmatat måste\ngöras om som gjorts under denna uppstart.\n\n\nVill du "
        "återställa säkerhetskopian?\n";
    EXPECT_EQ(restoreQuestion(false),
              (Message{"ÅTERSTÄLLNING AV SÄKERHETSKOPIAN",
                       "Återställning av säkerhetskopian är valt!" + tail + "en kopia.\n" + end,
                       "EXCLAMATION", "yes_NO"}));
    EXPECT_EQ(restoreQuestion(true).text, "Manuell återställning av säkerhetskopian är valt!" +
                                              tail + "en kopia manuellt.\n" + end);
    EXPECT_EQ(restoreCancelled(),
              (Message{"SÄKERHETSKOPIERING", "\n\nÅterställningen avbröts!", "", "OK", true}));
}

// The exit procedure, run in the working directory of a year whose books are
// open (shut-down mark "1").
class ExitProcedure : public Backup {
  protected:
    void SetUp() override {
        Backup::SetUp();
        ASSERT_TRUE(QDir::setCurrent(work));
        for (const QString& name : drive::updateLeftovers())
            putBytes(name, "x");
        putBytes("egen.txt", "kvar\r\n");
        context.paths = buildPathTable("2014");
        context.workingDir = work;
        context.target = usb;
        context.integrityCheck = [this] {
            ++checks;
            return checkResult;
        };
        context.show = [this](const Message& m) {
            shown << m;
            // The mark as it stands while the box is up.
            marks << QString::fromLatin1(bytesOf(context.paths.shutdownMark));
            return answers.isEmpty() ? answerOk : answers.takeFirst();
        };
    }
    QStringList leftovers() const {
        QStringList there;
        for (const QString& name : drive::updateLeftovers())
            if (QFileInfo::exists(name)) there << name;
        return there;
    }

    ExitContext context;
    QList<Message> shown;
    QStringList marks;
    QList<int> answers;
    int checks = 0;
    int checkResult = 0;
};

TEST_F(ExitProcedure, CancelLeavesEverythingAndTheMarkAtOne) {
    answers = {answerCancel};
    EXPECT_EQ(runExit(context), ExitResult::Stay);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(
        shown[0],
        (Message{"SÄKERHETSKOPIERING",
                 "Vill du skapa säkerhetskopia? Rekommenderas!\nEn säkerhetskopia sparas på vald "
                 "plats och kan ersätta orginalet vid fel.\nKlicka 'Ja'\n\nVill du stänga av "
                 "utan säkerhetskopiering?\nKlicka 'Nej'\n\nVill du återgå till "
                 "programmet?\nKlicka 'Avbryt'",
                 "QUESTION", "yes_NO_cancel"}));
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(bytesOf(context.paths.shutdownMark), QByteArray("1\r\n"));
    EXPECT_EQ(leftovers(), drive::updateLeftovers());
    EXPECT_TRUE(QDir(usb).isEmpty());
}

TEST_F(ExitProcedure, NoClearsTheMarkDeletesTheLeftoversAndEnds) {
    answers = {answerNo};
    EXPECT_EQ(runExit(context), ExitResult::End);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(bytesOf(context.paths.shutdownMark), QByteArray("0\r\n"));
    EXPECT_TRUE(leftovers().isEmpty());
    EXPECT_EQ(bytesOf("egen.txt"), QByteArray("kvar\r\n"));
    EXPECT_TRUE(QDir(usb).isEmpty());
}

TEST_F(ExitProcedure, YesMakesABackupThatAlreadyHoldsTheRegularEnd) {
    answers = {answerYes};
    EXPECT_EQ(runExit(context), ExitResult::End);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1].text, "SÄKERHETSKOPIERING KLAR\n\nEventuellt meddelande under processen "
                             "beskrev om något gick fel!");
    EXPECT_EQ(marks[1], "0\r\n");
    EXPECT_EQ(bytesOf(usb + "/" + kName + "/2014/bokforing/__A_avstangkontroll.kdb"),
              QByteArray("0\r\n"));
    EXPECT_EQ(bytesOf(usb + "/" + kName + "/drive_info/anteckningar.txt"),
              bytesOf("drive_info/anteckningar.txt"));
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(ExitProcedure, FailedBackupAsksAgainAndGoingBackRestoresTheMark) {
    context.target = absolute("../borta");
    answers = {answerYes, answerOk, answerNo};
    EXPECT_EQ(runExit(context), ExitResult::Stay);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[1],
              failure("Platsen för kopian finns inte eller kan inte nås:\n" + absolute("../borta") +
                      "\n\nKontrollera att disken eller USB-minnet är anslutet."));
    EXPECT_EQ(shown[2], endWithoutBackupQuestion());
    EXPECT_EQ(shown[2].buttons, "yes_NO");
    EXPECT_EQ(bytesOf(context.paths.shutdownMark), QByteArray("1\r\n"));
    EXPECT_EQ(leftovers(), drive::updateLeftovers());

    // Ending anyway after the failure.
    shown.clear();
    answers = {answerYes, answerOk, answerYes};
    EXPECT_EQ(runExit(context), ExitResult::End);
    EXPECT_EQ(shown.size(), 3);
    EXPECT_EQ(bytesOf(context.paths.shutdownMark), QByteArray("0\r\n"));
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(ExitProcedure, ChangedBooksKeepTheProgramOpenUnlessAnIncomeIsPending) {
    checkResult = 1;
    EXPECT_EQ(runExit(context), ExitResult::Stay);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(bytesOf(context.paths.shutdownMark), QByteArray("1\r\n"));

    // A booking waiting for its cash step: the user is asked first; "Nej"
    // stays, "Ja" leaves it unsaved without the check.
    context.incomePending = true;
    checks = 0;
    answers = {answerNo};
    EXPECT_EQ(runExit(context), ExitResult::Stay);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], unsavedBookingQuestion());
    answers = {answerYes, answerNo};
    EXPECT_EQ(runExit(context), ExitResult::End);
    EXPECT_EQ(checks, 0);
    EXPECT_EQ(bytesOf(context.paths.shutdownMark), QByteArray("0\r\n"));
}

TEST_F(ExitProcedure, UnsavedTypedWorkIsAskedAboutFirst) {
    context.unsavedWork = true;
    answers = {answerNo};
    EXPECT_EQ(runExit(context), ExitResult::Stay);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], unsavedWorkQuestion());
    EXPECT_EQ(checks, 0);
    answers = {answerYes, answerNo};
    EXPECT_EQ(runExit(context), ExitResult::End);
}

TEST_F(ExitProcedure, WithoutAYearTheProgramStillEnds) {
    context.paths = buildPathTable("0000");
    answers = {answerNo};
    EXPECT_EQ(runExit(context), ExitResult::End);
    EXPECT_EQ(shown.size(), 1); // no complaint about a mark that has no year to live in
    EXPECT_FALSE(QFileInfo::exists("0000"));
}

TEST_F(ExitProcedure, RestoredCopyOpenedAsWorkingDirectoryPassesTheIntegrityCheck) {
    // A real year in a fresh working directory, checked once as at start-up
    // (the mark goes to "1"), then ended with a backup.
    ASSERT_TRUE(QDir().mkpath(absolute("../bok")));
    ASSERT_TRUE(QDir::setCurrent(absolute("../bok")));
    const QString books = QDir::currentPath();
    const auto record = [this](const Message& m) {
        shown << m;
        return answers.isEmpty() ? answerOk : answers.takeFirst();
    };
    int progress = 1;
    ASSERT_TRUE(createYear("2014", buildPathTable("0000"), false, progress, record).created);
    const PathTable paths = buildPathTable("2014");
    int abortKey = 0;
    bool markRead = false;
    ASSERT_EQ(checkIntegrity(paths, abortKey, markRead, record).sum, 0);
    ASSERT_EQ(bytesOf(paths.shutdownMark), QByteArray("1\r\n"));

    context.paths = paths;
    context.workingDir = books;
    context.integrityCheck = [&] { return checkIntegrity(paths, abortKey, markRead, record).sum; };
    context.show = record;
    shown.clear();
    answers = {answerYes, answerOk};
    ASSERT_EQ(runExit(context), ExitResult::End);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1].text.startsWith("SÄKERHETSKOPIERING KLAR")) << shown[1].text.toStdString();

    // Restored beside the books, the copy is taken into use as the working
    // directory of a new run: its first check finds nothing to repair.
    const Outcome restored = restoreAutomatically(books, usb);
    ASSERT_TRUE(restored.ok) << restored.message.text.toStdString();
    EXPECT_EQ(snapshot(restored.folder), snapshot(books));
    ASSERT_TRUE(QDir::setCurrent(restored.folder));
    shown.clear();
    int freshAbortKey = 0;
    bool freshMarkRead = false;
    const CheckOutcome check = checkIntegrity(paths, freshAbortKey, freshMarkRead, record);
    EXPECT_EQ(check.sum, 0);
    EXPECT_FALSE(check.repaired);
    EXPECT_TRUE(shown.isEmpty()) << shown.value(0).text.toStdString();
}
