// How long a user waits for the viewers and the check of a guarded command,
// for generated years of 100, 2,000 and 20,000 verifications:
//   in-process: the check alone; the day book (command 1010) from the
//   command to the painted page, scrolled to its end; the general ledger's
//   composition and command 1011; opening the income page (1036);
//   whole process: the program started on the year with one command and
//   ended, wall time and peak memory (the day book and the ledger).
//
//     viewer_bench [path of the mervalla program]
#include "generated_year.h"
#include "reports/ledger.h"
#include "reports/pages/report_pages.h"
#include "shell/main_window.h"
#include "shell/page.h"
#include "store/integrity.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double timed(const std::function<void()>& step, int repeat) {
    std::vector<double> runs;
    for (int i = 0; i < repeat; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        runs.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(runs);
}

bool makeYear(const QString& folder, int count) {
    QDir().mkpath(folder);
    if (!QDir::setCurrent(folder)) return false;
    QDir().mkpath(QStringLiteral("drive_info"));
    const mv::PathTable p = mv::buildPathTable(QStringLiteral("2014"));
    for (const QString& d : {p.bokforingDir, p.fskDir, p.foretagetDir, p.kontolistorDir, p.kunderDir,
                             p.leverantorerDir, p.fritextDir, p.fakturorDir})
        QDir().mkpath(d);
    mv::writeText(mv::drive::selectedYear, QStringLiteral("2014\n"));
    mv::writeText(p.settings, mv::defaultSettingsText());
    mv::writeText(p.company, QStringLiteral("Firma AB\n") + QString(12, u'\n'));
    return bench::writeYear(p, count) == 0 && mv::createMissingVitalFiles(p) == 0 &&
           mv::finishChange(p).ok();
}

// One run of the program as a user starts it: the command, then the end.
// Wall milliseconds and the peak memory in MB. The run goes through GNU
// time, a small process: a child forked from this large one would count
// this one's memory as its own.
std::pair<double, double> wholeProcess(const QString& program, const QString& data, int command) {
    // The run before ended as if killed: its shut-down mark is put back, or
    // this run would report an unclean end and drop the command.
    mv::writeText(data + QStringLiteral("/2014/bokforing/__A_avstangkontroll.kdb"), QStringLiteral("0\n"));
    QProcess p;
    p.setProgram(QStringLiteral("/usr/bin/time"));
    p.setArguments({QStringLiteral("-f"), QStringLiteral("MERVALLA-TIME %e %M"), program,
                    QStringLiteral("--data"), data, QStringLiteral("--offscreen"),
                    QStringLiteral("--command"), QString::number(command)});
    p.start();
    p.waitForFinished(60000);
    for (const QByteArray& line : p.readAllStandardError().split('\n')) {
        if (!line.startsWith("MERVALLA-TIME ")) continue;
        const QList<QByteArray> f = line.split(' ');
        return {f.value(1).toDouble() * 1000.0, f.value(2).toDouble() / 1024.0};
    }
    return {-1, -1};
}

} // namespace

int main(int argc, char** argv) {
    tk::Application app(argc, argv, true);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QCoreApplication::applicationDirPath() + QStringLiteral("/../app/mervalla");
    QTemporaryDir base;
    base.setAutoRemove(qEnvironmentVariableIsEmpty("MERVALLA_BENCH_KEEP")); // keep the years to look at
    tk::setMessageBoxHook([](const tk::BoxRecord& box) { return box.defaultCode; });
    std::printf("%-14s %9s %12s %11s %11s %11s %14s %14s\n", "verifications", "check", "day book",
                "in view", "ledger", "1011", "income page", "");
    std::vector<QString> folders;
    for (int count : {100, 2000, 20000}) {
        const QString folder = base.path() + QStringLiteral("/year%1").arg(count);
        if (!makeYear(folder, count)) return 1;
        folders.push_back(folder);
        const mv::PathTable p = mv::buildPathTable(QStringLiteral("2014"));
        mv::loadSettings(p);
        shell::startMainWindow();
        tk::processEvents();
        const double check = timed([&] {
            int abortKey = 0;
            bool done = true;
            mv::checkIntegrity(p, abortKey, done, {});
        }, 9);
        const int window = shell::mainWindow();
        const double dayBook = timed([&] {
            tk::sendCommand(window, 1010);
            tk::processEvents();
        }, 5);
        const int view = reports::viewer(mv::ReportViewer::DayBook);
        const int last = tk::lineOfPosition(view, int(tk::text(view).lastIndexOf(QStringLiteral("Verifikat"))));
        const bool inView = last >= tk::firstVisibleLine(view) &&
                            last < tk::firstVisibleLine(view) + tk::visibleLineCount(view);
        const double ledger = timed([&] { mv::composeLedger(p); }, 9);
        const double ledgerCommand = timed([&] {
            tk::sendCommand(window, 1011);
            tk::processEvents();
        }, 5);
        const double income = timed([&] {
            tk::sendCommand(window, 1015); // away, so that the page opens anew
            tk::processEvents();
            tk::sendCommand(window, 1036);
            tk::processEvents();
        }, 5);
        shell::discardMainWindowForTests();
        std::printf("%-14d %6.2f ms %9.1f ms %11s %8.2f ms %8.1f ms %11.1f ms\n", count, check, dayBook,
                    inView ? "last shown" : "NOT SHOWN", ledger, ledgerCommand, income);
    }
    if (QFileInfo(program).isExecutable() && QFileInfo(QStringLiteral("/usr/bin/time")).isExecutable()) {
        std::printf("\nwhole process (%s):\n", qPrintable(QFileInfo(program).canonicalFilePath()));
        std::printf("%-14s %26s %26s\n", "verifications", "day book (1010)", "general ledger (1011)");
        const int counts[] = {100, 2000, 20000};
        for (size_t i = 0; i < folders.size(); ++i) {
            std::vector<double> dayWall, dayMem, ledgerWall;
            for (int r = 0; r < 5; ++r) {
                const auto d = wholeProcess(program, folders[i], 1010);
                dayWall.push_back(d.first);
                dayMem.push_back(d.second);
                ledgerWall.push_back(wholeProcess(program, folders[i], 1011).first);
            }
            std::printf("%-14d %12.0f ms %8.0f MB %21.0f ms\n", counts[i], median(dayWall),
                        *std::max_element(dayMem.begin(), dayMem.end()), median(ledgerWall));
        }
    } else {
        std::printf("\n(no program at %s or no /usr/bin/time: whole-process figures left out)\n",
                    qPrintable(program));
    }
    return 0;
}
