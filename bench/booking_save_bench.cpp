// The save of one booking as the year grows: from "Spara" on the cash page to
// the books, stamps and second copies written (the engine's part), and the
// bytes it writes, for generated years of 100, 2,000 and 20,000
// verifications. Also the integrity check a guarded command runs first.
//
//     booking_save_bench [folder]     (default: a temporary folder on the disk)
//
// Bytes are those handed to the kernel's write calls (/proc/self/io, wchar).
// The wall time of a save is mostly the disk's syncs and varies with what else
// the disk does; the processor time beside it is the work that could grow with
// the year.
#include "booking/booking_commit.h"
#include "booking/booking_entry.h"
#include "generated_year.h"
#include "store/clock.h"
#include "store/integrity.h"
#include "store/settings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace {

qint64 bytesWrittenSoFar() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("wchar:")) return line.mid(6).trimmed().toLongLong();
    return -1;
}

double processorMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

template <class T> T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

mv::Booking income(int n) {
    mv::EntryForm f;
    f.side = mv::Side::Income;
    f.eventDate = QStringLiteral("2014-06-10");
    f.type = QStringLiteral("Inkomst, Arbete och Tjänst");
    f.net = QString::number(1000 + n);
    f.rate = QStringLiteral("25");
    f.name = QStringLiteral("Kund nummer 7"); // a customer already in the register
    f.freeText = QStringLiteral("Konsultarbete");
    const mv::PrepareResult r = mv::prepareBooking(
        f, {QStringLiteral("25"), QStringLiteral("12"), QStringLiteral("6"), QStringLiteral("x")});
    return r.booking;
}

struct Figures {
    double saveMs = 0, saveCpuMs = 0, checkMs = 0;
    qint64 bytes = 0;
};

Figures measure(const QString& folder, int count) {
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    const mv::PathTable p = mv::buildPathTable(QStringLiteral("2014"));
    for (const QString& d : {p.bokforingDir, p.fskDir, p.kunderDir, p.fritextDir, p.foretagetDir})
        QDir().mkpath(d);
    Figures out;
    if (bench::writeYear(p, count) != 0) return out;
    mv::writeText(p.customerList, QStringLiteral("Kund nummer 7\n"));
    mv::writeText(p.incomeFreeTexts, QStringLiteral("Konsultarbete\n"));
    for (int i = 2; i <= 6; ++i)
        mv::writeText(p.moneyAccountName(i), QStringLiteral("Konto %1\n").arg(i));
    if (mv::createMissingVitalFiles(p) != 0 || !mv::finishChange(p).ok()) return out;

    mv::Placement place;
    place.names = {QStringLiteral("Bank"), QStringLiteral("Konto 2"), QStringLiteral("Konto 3"),
                   QStringLiteral("Konto 4"), QStringLiteral("Konto 5"), QStringLiteral("Konto 6")};
    place.account = 0;
    std::vector<double> saves, saveCpu, checks;
    std::vector<qint64> bytes;
    QElapsedTimer t;
    for (int run = 0; run < 9; ++run) {
        int abortKey = 0;
        bool done = true;
        t.start();
        mv::checkIntegrity(p, abortKey, done, {});
        checks.push_back(t.nsecsElapsed() / 1e6);
        const mv::Booking b = income(run);
        const qint64 before = bytesWrittenSoFar();
        const double cpuBefore = processorMs();
        t.start();
        const mv::CommitOutcome c = mv::commitBooking(p, b, place);
        saves.push_back(t.nsecsElapsed() / 1e6);
        saveCpu.push_back(processorMs() - cpuBefore);
        bytes.push_back(bytesWrittenSoFar() - before);
        if (!c.ok) std::printf("  save failed: %s\n", qPrintable(c.message.text));
    }
    out.saveMs = median(saves);
    out.saveCpuMs = median(saveCpu);
    out.checkMs = median(checks);
    out.bytes = median(bytes);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/mervalla-bench-XXXXXX"));
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    mv::setFixedNow(QDateTime(QDate(2014, 6, 10), QTime(10, 0, 0)));
    std::printf("%-14s %14s %14s %18s %14s\n", "verifications", "save (median)", "processor",
                "bytes per booking", "check");
    const std::vector<int> sizes = {100, 2000, 20000};
    std::vector<Figures> all;
    for (int n : sizes) {
        const Figures f = measure(base + QStringLiteral("/year%1").arg(n), n);
        all.push_back(f);
        std::printf("%-14d %11.1f ms %11.1f ms %18lld %11.2f ms\n", n, f.saveMs, f.saveCpuMs,
                    static_cast<long long>(f.bytes), f.checkMs);
    }
    std::printf("save at 20,000 / save at 100: %.2f (processor %.2f); bytes at 20,000 / bytes at "
                "100: %.2f\n",
                all[2].saveMs / all[0].saveMs, all[2].saveCpuMs / all[0].saveCpuMs,
                double(all[2].bytes) / double(all[0].bytes));
    return 0;
}
