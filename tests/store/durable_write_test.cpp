// Writes that fail through the real system calls: a child process whose
// files may not grow past a small size (RLIMIT_FSIZE, with SIGXFSZ
// ignored, so a write past it fails with EFBIG as on a full disk). A failed
// whole-file write never replaces the file, a failed append leaves the file
// as long as it was, a failed copy leaves no partial target, and no
// temporary file is left behind.
#include "store/record_file.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace mv;

namespace {

// Runs body in a child process whose files may not grow past limit bytes;
// returns the child's exit code (the body's result), or -1 when it died.
int inChildWithFileLimit(rlim_t limit, const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit r{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &r) != 0) _exit(99);
        _exit(body());
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

QStringList filesHere() {
    return QDir(QStringLiteral(".")).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

using DurableWrite = TempDirTest;

TEST_F(DurableWrite, AWriteThatCannotBeCompletedLeavesTheOldFile) {
    putBytes("_ver.kdb", "41");
    putBytes("list.kdb", QByteArray(60, 'a'));
    const QString big(300, u'x');
    EXPECT_EQ(inChildWithFileLimit(100, [&] { return writeText("_ver.kdb", big); }), 3);
    EXPECT_EQ(bytesOf("_ver.kdb"), QByteArray("41"));
    EXPECT_EQ(inChildWithFileLimit(100, [&] { return writeText("new.kdb", big); }), 3);
    EXPECT_FALSE(QFileInfo::exists("new.kdb"));
    // What fits is written whole.
    EXPECT_EQ(inChildWithFileLimit(100, [&] { return writeText("_ver.kdb", QStringLiteral("42")); }), 0);
    EXPECT_EQ(bytesOf("_ver.kdb"), QByteArray("42"));
    EXPECT_EQ(filesHere(), QStringList({"_ver.kdb", "list.kdb"}));
}

TEST_F(DurableWrite, AFailedAppendIsTakenBackToTheOldLength) {
    putBytes("list.kdb", QByteArray(60, 'a') + "\r\n");
    // 62 + 50 bytes would pass the limit of 100: a part could be written,
    // but nothing of it may stay.
    EXPECT_EQ(inChildWithFileLimit(100, [] { return appendText("list.kdb", QString(50, u'b'), SepNone); }), 3);
    EXPECT_EQ(bytesOf("list.kdb"), QByteArray(60, 'a') + "\r\n");
    EXPECT_EQ(inChildWithFileLimit(100, [] { return appendBytes("list.kdb", QByteArray(50, 'b')); }), 3);
    EXPECT_EQ(bytesOf("list.kdb").size(), 62);
    EXPECT_EQ(inChildWithFileLimit(100, [] { return appendText("list.kdb", QStringLiteral("ok"), SepNewline); }), 0);
    EXPECT_EQ(bytesOf("list.kdb"), QByteArray(60, 'a') + "\r\nok\r\n");
    EXPECT_EQ(filesHere(), QStringList({"list.kdb"}));
}

TEST_F(DurableWrite, AFailedCopyLeavesNoPartialTarget) {
    putBytes("source.kdb", QByteArray(500, 's'));
    putBytes("target.kdb", "old\r\n");
    EXPECT_EQ(inChildWithFileLimit(100, [] { return copyFile("target.kdb", "source.kdb", "SAVE_IF_EXIST"); }), 1);
    EXPECT_EQ(bytesOf("target.kdb"), QByteArray("old\r\n"));
    EXPECT_EQ(inChildWithFileLimit(100, [] { return copyFile("fresh.kdb", "source.kdb", "SAVE_IF_EXIST"); }), 1);
    EXPECT_FALSE(QFileInfo::exists("fresh.kdb"));
    EXPECT_EQ(filesHere(), QStringList({"source.kdb", "target.kdb"}));
}

TEST_F(DurableWrite, TemporaryFilesAreRecognisedByTheirNames) {
    EXPECT_TRUE(isTemporaryLeftover(QStringLiteral("_ver.kdb") + temporaryMark + "Ab3dE9"));
    // The earlier way of writing left a stored file's name and six letters.
    EXPECT_TRUE(isTemporaryLeftover("_ver.kdb.hPATkc"));
    EXPECT_TRUE(isTemporaryLeftover("__in_verifikation.kdb.QyPgZe"));
    EXPECT_TRUE(isTemporaryLeftover("anteckningar.txt.JgqxAE"));
    EXPECT_FALSE(isTemporaryLeftover("_ver.kdb"));
    EXPECT_FALSE(isTemporaryLeftover("Kund AB.kdb"));
    EXPECT_FALSE(isTemporaryLeftover("_ver.kdb.abc"));
    EXPECT_FALSE(isTemporaryLeftover(QStringLiteral("_ver.kdb") + temporaryMark + "Ab3"));
    EXPECT_FALSE(isTemporaryLeftover("faktura.png"));
}
