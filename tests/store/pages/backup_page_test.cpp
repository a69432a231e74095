// The backup page and the exit procedure through the real window: the
// fields, the folder dialog, "Spara", both restores, and the end of the
// program through "X" and through the window manager's close request.
#include "shell/main_window.h"
#include "shell/page.h"
#include "store/backup.h"
#include "store/pages/backup_page.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/years.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QFileInfo>

using uitest::ShellTest;

namespace {

const QString kName = QStringLiteral("MERVALLA_BOKFÖRINGSKOPIA");

class BackupPageTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        uitest::installBoxHook();
        // A created and selected year 2014 with its stamps and second
        // copies, so the integrity check at exit finds nothing.
        int progress = 1;
        ASSERT_TRUE(mv::createYear("2014", mv::buildPathTable("0000"), false, progress,
                                   [](const mv::Message&) { return mv::answerOk; })
                        .created);
        putBytes("drive_info/valdbokforingsar.kdb", "2014\r\n");
        putBytes("senasteversion.txt", "140106\r\n");
        root = QDir::current().absolutePath();
        usb = QDir(root + "/..").absoluteFilePath(QFileInfo(root).fileName() + "_usb");
        QDir(usb).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(usb));
        tk::setExternalHook([this](const QString& what) {
            opened << what;
            return 0;
        });
    }
    void TearDown() override {
        tk::setExternalHook({});
        tk::setDialogHook({});
        mv::setWriteHook({});
        QDir(usb).removeRecursively();
        QDir(root + "_FRÅN_SÄKERHETSKOPIA").removeRecursively();
        ShellTest::TearDown();
    }
    // Starts with the stored target; start-up loads it into the field.
    void start(const QByteArray& storedTarget) {
        putBytes("2014/foretaget/kopiering.kdb", storedTarget);
        mv::resetYearRecord();
        startShell();
    }
    QByteArray mark() const { return bytesOf("2014/bokforing/__A_avstangkontroll.kdb"); }
    QStringList titles() const {
        QStringList t;
        for (const auto& b : uitest::boxes())
            t << b.title;
        return t;
    }

    QString root, usb;
    QStringList opened;
};

} // namespace

TEST_F(BackupPageTest, PageShowsTheFieldsAndADriveLetterTargetAsTheHomeFolder) {
    start("C:\\\r\n");
    ASSERT_TRUE(uitest::pressCommand(1015));
    ASSERT_TRUE(uitest::pressCommand(1200));
    EXPECT_EQ(pageState(shell::PageId::Backup), shell::pageDrawn);
    const int target = shell::backupTargetField();
    const int source = shell::backupSourceField();
    EXPECT_TRUE(tk::isVisible(target));
    EXPECT_TRUE(tk::isEnabled(target));
    EXPECT_FALSE(tk::isEnabled(source));
    EXPECT_EQ(tk::text(source), QDir::toNativeSeparators(root));
    if (!mv::backup::platformHasDriveLetters()) {
        EXPECT_EQ(tk::text(target), QDir::toNativeSeparators(QDir::homePath()));
    }
    for (int command : {1091, 1093, 1095, 1201})
        EXPECT_NE(tk::buttonWithCommand(window(), command), 0) << command;
    // The page's own menu button is disabled while it is shown.
    EXPECT_EQ(tk::buttonWithCommand(window(), 1200), 0);

    // Another page hides every control of this one.
    ASSERT_TRUE(uitest::pressCommand(1015));
    EXPECT_FALSE(tk::isVisible(target));
    EXPECT_FALSE(tk::isVisible(source));
    EXPECT_EQ(tk::buttonWithCommand(window(), 1201), 0);
}

TEST_F(BackupPageTest, TargetFieldIsDisabledInALockedYear) {
    putBytes("2014/bokforing/_status.kdb", "LAST\r\n");
    start("/media/usb\r\n");
    ASSERT_TRUE(shell::state().isLocked());
    uitest::sendCommand(1200);
    uitest::settle();
    EXPECT_EQ(tk::text(shell::backupTargetField()), "/media/usb");
    EXPECT_FALSE(tk::isEnabled(shell::backupTargetField()));
    EXPECT_FALSE(tk::isEnabled(shell::backupSourceField()));
}

TEST_F(BackupPageTest, FolderDialogFillsTheTargetAndSparaStoresIt) {
    start("/media/usb\r\n");
    uitest::sendCommand(1200);
    uitest::settle();
    QList<tk::DialogRequest> asked;
    QString answer = usb + "/Bokföring";
    tk::setDialogHook([&](const tk::DialogRequest& r) {
        asked << r;
        return answer;
    });
    ASSERT_TRUE(uitest::pressCommand(1091));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].kind, "FOLDER");
    EXPECT_EQ(asked[0].title, "Sökväg till platsen för kopian");
    EXPECT_EQ(asked[0].keyword, "FILSYSTEM");
    EXPECT_EQ(tk::text(shell::backupTargetField()), QDir::toNativeSeparators(usb + "/Bokföring"));
    // Cancelling leaves the field as it is.
    answer.clear();
    ASSERT_TRUE(uitest::pressCommand(1091));
    EXPECT_EQ(tk::text(shell::backupTargetField()), QDir::toNativeSeparators(usb + "/Bokföring"));

    ASSERT_TRUE(uitest::pressCommand(1201));
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_EQ(bytesOf("2014/foretaget/kopiering.kdb"),
              QDir::toNativeSeparators(usb + "/Bokföring").toLatin1() + "\r\n");
    EXPECT_EQ(mv::yearRecord().backupTarget, QDir::toNativeSeparators(usb + "/Bokföring"));
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageDrawn);

    // A target the stored file cannot hold is refused and nothing is written.
    uitest::sendCommand(1200);
    uitest::settle();
    tk::setText(shell::backupTargetField(), "/media/\u0142\u00f3d\u017a");
    ASSERT_TRUE(uitest::pressCommand(1201));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, "INMATNINGSFEL");
    EXPECT_EQ(bytesOf("2014/foretaget/kopiering.kdb"),
              QDir::toNativeSeparators(usb + "/Bokföring").toLatin1() + "\r\n");
    EXPECT_EQ(pageState(shell::PageId::Backup), shell::pageDrawn);
}

TEST_F(BackupPageTest, CancelAtExitKeepsTheProgramAndTheMarkAtOne) {
    start((usb + "\r\n").toLatin1());
    uitest::answerNextBox(mv::answerCancel);
    ASSERT_TRUE(uitest::pressCommand(1090));
    EXPECT_FALSE(shell::programEnded());
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, "SÄKERHETSKOPIERING");
    EXPECT_EQ(uitest::boxes()[0].text, mv::backup::exitQuestion().text);
    EXPECT_EQ(uitest::boxes()[0].icon, "QUESTION");
    EXPECT_EQ(uitest::boxes()[0].buttons, "yes_NO_cancel");
    EXPECT_NE(mark(), QByteArray("0\r\n"));
    EXPECT_TRUE(QFileInfo::exists("senasteversion.txt"));
    EXPECT_TRUE(QDir(usb).isEmpty());
    // The program goes on: a page still opens.
    ASSERT_TRUE(uitest::pressCommand(1015));
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageDrawn);
}

TEST_F(BackupPageTest, DefaultAnswerNoEndsWithTheMarkAtZero) {
    start((usb + "\r\n").toLatin1());
    ASSERT_TRUE(uitest::pressCommand(1090)); // no answer queued: "Nej", the default
    EXPECT_TRUE(shell::programEnded());
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].result, mv::answerNo);
    EXPECT_EQ(mark(), QByteArray("0\r\n"));
    EXPECT_FALSE(QFileInfo::exists("senasteversion.txt"));
    EXPECT_TRUE(QDir(usb).isEmpty());
}

TEST_F(BackupPageTest, WindowManagerCloseTakesTheSamePathAsX) {
    start((usb + "\r\n").toLatin1());
    uitest::answerNextBox(mv::answerCancel);
    ASSERT_TRUE(uitest::requestWindowClose());
    EXPECT_FALSE(shell::programEnded());
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, mv::backup::exitQuestion().text);

    uitest::clearBoxes();
    uitest::answerNextBox(mv::answerYes);
    ASSERT_TRUE(uitest::requestWindowClose());
    EXPECT_TRUE(shell::programEnded());
    EXPECT_EQ(titles(), (QStringList{"SÄKERHETSKOPIERING", "SÄKERHETSKOPIERING"}));
    EXPECT_TRUE(uitest::boxes()[1].text.startsWith("SÄKERHETSKOPIERING KLAR"));
    EXPECT_EQ(bytesOf(usb + "/" + kName + "/2014/bokforing/__A_avstangkontroll.kdb"),
              QByteArray("0\r\n"));
    EXPECT_EQ(mark(), QByteArray("0\r\n"));
}

TEST_F(BackupPageTest, FailedBackupAtExitAsksWhetherToEndWithoutOne) {
    start("/finns/inte\r\n");
    uitest::answerNextBox(mv::answerYes);
    uitest::answerNextBox(mv::answerOk);
    uitest::answerNextBox(mv::answerNo);
    ASSERT_TRUE(uitest::pressCommand(1090));
    EXPECT_FALSE(shell::programEnded());
    ASSERT_EQ(uitest::boxes().size(), 3u);
    EXPECT_EQ(uitest::boxes()[1].icon, "STOP");
    EXPECT_TRUE(uitest::boxes()[1].text.startsWith("Säkerhetskopieringen misslyckades!\n\n"));
    EXPECT_EQ(uitest::boxes()[2].text, mv::backup::endWithoutBackupQuestion().text);
    EXPECT_EQ(mark(), QByteArray("1\r\n"));
}

TEST_F(BackupPageTest, AutomaticRestoreFillsTheSiblingFolderOpensItAndEnds) {
    start((usb + "\r\n").toLatin1());
    ASSERT_TRUE(mv::backup::makeBackup(root, usb).ok);
    uitest::sendCommand(1200);
    uitest::settle();

    // "Nej" first: nothing happens but the cancel message.
    uitest::answerNextBox(mv::answerNo);
    ASSERT_TRUE(uitest::pressCommand(1093));
    EXPECT_EQ(titles(), (QStringList{"ÅTERSTÄLLNING AV SÄKERHETSKOPIAN", "SÄKERHETSKOPIERING"}));
    EXPECT_EQ(uitest::boxes()[0].buttons, "yes_NO");
    EXPECT_EQ(uitest::boxes()[1].text, "\n\nÅterställningen avbröts!");
    EXPECT_FALSE(shell::programEnded());
    EXPECT_FALSE(QFileInfo::exists(root + "_FRÅN_SÄKERHETSKOPIA"));

    uitest::clearBoxes();
    uitest::answerNextBox(mv::answerYes);
    ASSERT_TRUE(uitest::pressCommand(1093));
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_TRUE(uitest::boxes()[1].text.startsWith("ÅTERSTÄLLNING KLAR"));
    EXPECT_EQ(opened, QStringList{root + "_FRÅN_SÄKERHETSKOPIA"});
    EXPECT_TRUE(QFileInfo(root + "_FRÅN_SÄKERHETSKOPIA/2014/bokforing").isDir());
    EXPECT_TRUE(shell::programEnded());
    EXPECT_EQ(mark(), QByteArray("0\r\n"));
}

TEST_F(BackupPageTest, ManualRestoreOpensBothFoldersOrSaysThereIsNoBackup) {
    start((usb + "\r\n").toLatin1());
    uitest::sendCommand(1200);
    uitest::settle();
    // No backup there yet: the failure is shown and the program goes on.
    uitest::answerNextBox(mv::answerYes);
    ASSERT_TRUE(uitest::pressCommand(1095));
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_TRUE(uitest::boxes()[0].text.startsWith("Manuell återställning"));
    EXPECT_EQ(uitest::boxes()[1].text,
              "Säkerhetskopieringen misslyckades!\n\nIngen "
              "säkerhetskopia hittades på platsen:\n" +
                  usb + "\n\nKontrollera att disken eller USB-minnet är anslutet.");
    EXPECT_FALSE(shell::programEnded());
    EXPECT_TRUE(opened.isEmpty());

    ASSERT_TRUE(mv::backup::makeBackup(root, usb).ok);
    uitest::clearBoxes();
    uitest::answerNextBox(mv::answerYes);
    ASSERT_TRUE(uitest::pressCommand(1095));
    EXPECT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(opened, (QStringList{root, usb}));
    EXPECT_TRUE(shell::programEnded());
    EXPECT_EQ(mark(), QByteArray("0\r\n"));
}
