// Start-up of the shell: the selected year from drive_info, the title with
// the lock state, the files the start-up creates, and the welcome page.
#include "shell/page.h"
#include "shell/page_paint.h"
#include "store/record_file.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QFileInfo>

using uitest::ShellTest;

namespace {

class StartupTest : public ShellTest {
protected:
    void makeYearFolders(const QString& year) {
        for (const char* sub : {"bokforing/fsk", "fakturor", "foretaget", "fritext", "kontolistor",
                                "kunder", "leverantorer"})
            ASSERT_TRUE(QDir().mkpath(year + u'/' + QString::fromLatin1(sub)));
    }
};

TEST_F(StartupTest, FirstStartInAnEmptyDirectory) {
    startShell();
    const shell::ProgramState& s = shell::state();
    EXPECT_TRUE(QFileInfo(QStringLiteral("drive_info")).isDir());
    EXPECT_EQ(s.selectedYear, QStringLiteral("0000"));
    EXPECT_EQ(s.firstStartProgress, 1);
    EXPECT_EQ(windowTitle(), QStringLiteral("MerValla Version 140105 (BetaVersion) för år 0000"));
    EXPECT_EQ(s.windowTitle, windowTitle());
    // The notes file is created and grows by two line ends.
    EXPECT_EQ(bytesOf(QStringLiteral("drive_info/anteckningar.txt")), QByteArray("\r\n\r\n"));
    // Nothing was written at the root of the file system or for a year.
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("0000/kontolistor")));
    EXPECT_EQ(s.paths.verCounter.left(4), QStringLiteral("0000"));
    // The welcome page is drawn, nothing else is requested, no box shown.
    EXPECT_EQ(pageState(shell::PageId::Welcome), shell::pageDrawn);
    EXPECT_EQ(pageState(shell::PageId::Tools), shell::pageHidden);
    EXPECT_TRUE(uitest::boxes().empty());
    // The welcome page is on the window: the first-start box's pale inside.
    EXPECT_EQ(pixel(76, 225), shell::rgb(200, 255, 255));
}

TEST_F(StartupTest, YearLineSelectsTheYearAndWritesItsAccountLists) {
    makeYearFolders(QStringLiteral("2014"));
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    startShell();
    const shell::ProgramState& s = shell::state();
    EXPECT_EQ(s.selectedYear, QStringLiteral("2014"));
    EXPECT_EQ(s.firstStartProgress, 0);
    EXPECT_FALSE(s.isLocked());
    EXPECT_EQ(windowTitle(), QStringLiteral("MerValla Version 140105 (BetaVersion) för år 2014"));
    EXPECT_EQ(s.paths.rounding.left(5), QStringLiteral("2014/"));
    EXPECT_EQ(bytesOf(s.paths.rounding), QByteArray("0.00\r\n"));
    EXPECT_EQ(bytesOf(s.paths.incomeAccountList), golden("konton_lista_Mervalla_Inkomst_1.kdb"));
    // No first-start box: the year frame's inside shows at the box's place.
    EXPECT_EQ(pixel(76, 225), shell::rgb(200, 230, 255));
}

TEST_F(StartupTest, LongerYearLineIsCutAfterFourCharacters) {
    makeYearFolders(QStringLiteral("2014"));
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "20145\r\n");
    startShell();
    EXPECT_EQ(shell::state().selectedYear, QStringLiteral("2014"));
    EXPECT_EQ(shell::state().firstStartProgress, 0);
    EXPECT_EQ(windowTitle(), QStringLiteral("MerValla Version 140105 (BetaVersion) för år 2014"));
}

// The year without a line end reads as empty; it must not give paths at the
// root of the disk but a first start.
TEST_F(StartupTest, UnterminatedYearStartsAsAFirstStart) {
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014");
    startShell();
    const shell::ProgramState& s = shell::state();
    EXPECT_EQ(s.selectedYear, QStringLiteral("0000"));
    EXPECT_EQ(s.firstStartProgress, 1);
    EXPECT_FALSE(s.paths.verCounter.startsWith(u'/'));
    EXPECT_FALSE(s.paths.lockMark.startsWith(u'/'));
    EXPECT_EQ(windowTitle(), QStringLiteral("MerValla Version 140105 (BetaVersion) för år 0000"));
    // The year file itself is left as it was.
    EXPECT_EQ(bytesOf(QStringLiteral("drive_info/valdbokforingsar.kdb")), QByteArray("2014"));
}

TEST_F(StartupTest, YearFileWithoutAYearStartsAsAFirstStart) {
    for (const QByteArray& content : {QByteArray("\r\n"), QByteArray("abcd\r\n"),
                                      QByteArray("1999\r\n"), QByteArray("20a4\r\n")}) {
        putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), content);
        const shell::StartYear start = shell::readStartYear();
        EXPECT_EQ(start.year, QStringLiteral("0000")) << content.constData();
        EXPECT_EQ(start.firstStartProgress, 1) << content.constData();
    }
}

TEST_F(StartupTest, LockedYearShowsTheLockedTitleAndMark) {
    makeYearFolders(QStringLiteral("2014"));
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    putBytes(QStringLiteral("2014/bokforing/_status.kdb"), "");
    startShell();
    EXPECT_TRUE(shell::state().isLocked());
    EXPECT_EQ(windowTitle(), QStringLiteral("MerValla för år  2014 ÅRET ÄR LÅST FÖR REDIGERING"));
}

TEST_F(StartupTest, ApplyingAnotherYearRebuildsTitleLockAndMenuLabel) {
    makeYearFolders(QStringLiteral("2014"));
    makeYearFolders(QStringLiteral("2015"));
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    putBytes(QStringLiteral("2014/bokforing/_status.kdb"), "");
    startShell();
    shell::applySelectedYear(QStringLiteral("2015"));
    EXPECT_FALSE(shell::state().isLocked());
    EXPECT_EQ(shell::state().paths.verCounter.left(5), QStringLiteral("2015/"));
    EXPECT_EQ(windowTitle(), QStringLiteral("MerValla Version 140105 (BetaVersion) för år 2015"));
    EXPECT_EQ(tk::text(shell::barButton(1033)), QStringLiteral("SLUTFÖR ÅR 2015"));
}

TEST_F(StartupTest, ExistingNotesKeepALeadingEmptyLine) {
    // The general append would replace a file whose first line is shorter
    // than two characters; the notes must keep every line.
    putBytes(QStringLiteral("drive_info/anteckningar.txt"), "\r\nRing banken");
    startShell();
    EXPECT_EQ(bytesOf(QStringLiteral("drive_info/anteckningar.txt")),
              QByteArray("\r\nRing banken\r\n\r\n"));
    EXPECT_EQ(tk::text(shell::notesBox()), QStringLiteral("\nRing banken\n\n"));
}

} // namespace
