// One income booked on a disk that really runs out: through the real
// system calls, not the fault-injection hook. Either the booking is complete,
// or the books, their second copies and the registers are byte for byte as
// before and the user got the failed-write message; after the next start's
// recovery and check the books are consistent. Nothing confirmed is lost.
//
// Two ways of running out: a child process whose files may not grow past a
// limit (RLIMIT_FSIZE), swept over limits around the size of the day book;
// and, where the test may mount (as root), a small memory file system
// filled to 0-64 KiB free in steps of 4 KiB.
#include "booking_fixture.h"

#include "store/leftovers.h"

#include <QDirIterator>

#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What a booking attempt left.
// RefusedPending: refused, and taking the change back had to wait for the
// next start (there was no room even for that).
enum Outcome { Complete = 0, Refused = 1, Lost = 2, RefusedPending = 3 };

struct Sweep {
    int levels = 0, complete = 0, refused = 0, pending = 0, lost = 0;
    void print(const char* what) const {
        std::cout << what << ": levels " << levels << ", bookings complete " << complete
                  << ", refused " << refused << " (of which put right at the next start "
                  << pending << "), lost " << lost << std::endl;
    }
};

class FullDiskTest : public BookingTest {
  protected:
    FullDiskTest() { inMemory = true; }

    // Every file of the year and of drive_info, second copies included; the
    // stamp, the digest record and the shut-down mark (times, not books)
    // left out.
    static QMap<QString, QByteArray> everything() {
        QMap<QString, QByteArray> m;
        for (const QString& root : {QStringLiteral("2014"), QStringLiteral("drive_info")}) {
            QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString p = it.next();
                if (p.endsWith(QStringLiteral("__A_tidsstampel.kdb")) ||
                    p.endsWith(QStringLiteral("__A_kontrollsummor.kdb")) ||
                    p.endsWith(QStringLiteral("__A_avstangkontroll.kdb")))
                    continue;
                m.insert(p, bytesOf(p));
            }
        }
        return m;
    }

    mv::EntryForm income() const {
        mv::EntryForm f = form(mv::Side::Income, "Inkomst, Varor o material", "1200", "25");
        f.name = QStringLiteral("Ny Kund");
        f.street = QStringLiteral("Gatan 1");
        f.freeText = QStringLiteral("Försäljning");
        return f;
    }

    // Books the income; Complete, Refused (with the failed-write message) or
    // Lost (anything else: a refusal without the message).
    Outcome bookIncome() {
        const mv::PrepareResult r = mv::prepareBooking(income(), rates());
        if (!r.ok) return Lost;
        const mv::CommitOutcome c = mv::commitBooking(paths, r.booking, placement(2));
        if (c.ok) return Complete;
        if (!c.message.text.startsWith(QStringLiteral("Det gick inte att spara!"))) return Lost;
        return c.message.text.contains(QStringLiteral("nästa gång")) ? RefusedPending : Refused;
    }

    // Judges one attempt against the books before and after a complete
    // booking, then starts again as a user would and checks the books.
    void judge(Outcome o, const QMap<QString, QByteArray>& before,
               const QMap<QString, QByteArray>& after, Sweep& s, const QString& level) {
        ++s.levels;
        const auto now = everything();
        if (o == Complete && now == after) {
            ++s.complete;
        } else if (o == Refused && now == before) {
            ++s.refused;
        } else if (o == RefusedPending) {
            ++s.refused;
            ++s.pending;
        } else {
            ++s.lost;
            ADD_FAILURE() << "at " << level.toStdString() << " outcome " << o
                          << (now == before ? " (books as before)" : now == after ? " (books as after)" : " (books between)");
        }
        restartAfterCrash();
        EXPECT_EQ(booksInconsistency(), QString()) << level.toStdString();
        EXPECT_EQ(integritySum(), 0) << level.toStdString();
        const auto restarted = everything();
        if (o == Complete)
            EXPECT_TRUE(restarted == after) << level.toStdString();
        else
            EXPECT_TRUE(restarted == before) << level.toStdString();
    }

    // A year with one booking, copied with its times into the folder.
    void freshYear(const QString& template_, const QString& folder) {
        ASSERT_EQ(mv::deleteTree(folder + QStringLiteral("/2014")), 0);
        ASSERT_EQ(mv::deleteTree(folder + QStringLiteral("/drive_info")), 0);
        ASSERT_EQ(mv::copyTree(folder, template_ + QStringLiteral("/2014")), 0);
        ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("drive_info")));
        ASSERT_TRUE(QDir::setCurrent(folder));
    }

    // The template year and the books after a complete booking on it.
    void prepare(QMap<QString, QByteArray>& before, QMap<QString, QByteArray>& after) {
        base_ = QDir::currentPath();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral("template")));
        ASSERT_TRUE(QDir::setCurrent(QStringLiteral("template")));
        makeYear();
        ASSERT_EQ(book(form(mv::Side::Income, "Inkomst, Annat", "800", "25")), 1);
        template_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(base_));
        ASSERT_TRUE(QDir().mkpath(QStringLiteral("reference")));
        freshYear(template_, base_ + QStringLiteral("/reference"));
        before = everything();
        ASSERT_EQ(bookIncome(), Complete);
        after = everything();
        ASSERT_TRUE(QDir::setCurrent(base_));
    }

    QString base_, template_;
};

TEST_F(FullDiskTest, FilesThatMayNotGrowLeaveEachBookingWholeOrUndone) {
    QMap<QString, QByteArray> before, after;
    prepare(before, after);
    // The limits lie around the size of the largest file a booking writes
    // or grows.
    qint64 largest = 0;
    QDirIterator files(template_, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) largest = std::max(largest, QFileInfo(files.next()).size());
    ASSERT_TRUE(QDir().mkpath(QStringLiteral("run")));
    const QString run = base_ + QStringLiteral("/run");
    Sweep s;
    for (qint64 extra = -200; extra <= 12000; extra += 400) {
        freshYear(template_, run);
        const rlim_t limit = rlim_t(largest + extra);
        const pid_t pid = fork();
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit r{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &r) != 0) _exit(99);
            _exit(bookIncome());
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        const Outcome o = Outcome(WEXITSTATUS(status));
        judge(o, before, after, s, QStringLiteral("file limit %1 bytes").arg(limit));
        ASSERT_TRUE(QDir::setCurrent(base_));
    }
    s.print("File-size limit sweep");
    EXPECT_GT(s.complete, 0);
    EXPECT_GT(s.refused, 0);
    EXPECT_EQ(s.lost, 0);
}

TEST_F(FullDiskTest, AFullMemoryFileSystemLeavesEachBookingWholeOrUndone) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    QMap<QString, QByteArray> before, after;
    prepare(before, after);
    const QString mountPoint = base_ + QStringLiteral("/small");
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    const QByteArray point = QFile::encodeName(mountPoint);
    if (mount("tmpfs", point.constData(), "tmpfs", 0, "size=2m") != 0)
        GTEST_SKIP() << "this machine does not let the test mount a file system";
    Sweep s;
    for (int freeKiB = 0; freeKiB <= 64; freeKiB += 4) {
        freshYear(template_, mountPoint);
        // Fill the file system until freeKiB is left.
        struct statvfs v {};
        ASSERT_EQ(statvfs(point.constData(), &v), 0);
        const qint64 available = qint64(v.f_bavail) * qint64(v.f_frsize);
        const qint64 fill = available - qint64(freeKiB) * 1024;
        const int fd = ::open("filler", O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        if (fill > 0) {
            ASSERT_EQ(posix_fallocate(fd, 0, fill), 0);
        }
        ::close(fd);
        const Outcome o = bookIncome();
        ::unlink("filler");
        judge(o, before, after, s, QStringLiteral("%1 KiB free").arg(freeKiB));
        ASSERT_TRUE(QDir::setCurrent(base_));
    }
    umount(point.constData());
    s.print("Full-disk sweep");
    EXPECT_GT(s.complete, 0);
    EXPECT_GT(s.refused, 0);
    EXPECT_EQ(s.lost, 0);
}

} // namespace
