// Composes every report built on the closing figures for generated years of
// 100, 2,000 and 20,000 verifications, in-process, and prints the timings:
// the computation and each report's text alone, the closing change (files,
// stamps and second copies), and each command as the buttons run it
// (integrity check, closing change, work file, viewer).
//
//     closing_reports_bench [verifications ...]
#include "generated_year.h"
#include "reports/balance_report.h"
#include "reports/closing_basis.h"
#include "reports/ledger.h"
#include "reports/owner_info.h"
#include "reports/pages/report_pages.h"
#include "reports/vat_report.h"
#include "shell/main_window.h"
#include "shell/page.h"
#include "store/integrity.h"
#include "store/settings.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

double timed(const std::function<void()>& step, int repeat = 1) {
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < repeat; ++i)
        step();
    return double(t.nsecsElapsed()) / 1e6 / repeat;
}

int runYear(int count) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path())) return 1;
    QDir().mkpath(QStringLiteral("drive_info"));
    const mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
    for (const QString& d : {paths.bokforingDir, paths.foretagetDir, paths.kontolistorDir})
        QDir().mkpath(d);
    mv::writeText(mv::drive::selectedYear, QStringLiteral("2014\n"));
    mv::writeText(paths.settings, mv::defaultSettingsText());
    if (bench::writeYear(paths, count) != 0 || mv::createMissingVitalFiles(paths) != 0 ||
        !mv::renewStamps(paths).ok() || !mv::renewSecondCopies(paths).ok())
        return 1;
    mv::loadSettings(paths);
    const mv::Settings& settings = mv::yearRecord().settings;

    std::printf("\n%d verifications (day book %lld characters)\n", count,
                static_cast<long long>(mv::characterCount(paths.dayBook)));
    mv::ClosingFigures f;
    const int repeat = 20;
    std::printf("  closing figures (read and compute)  %8.3f ms\n",
                timed([&] { f = mv::closingFigures(paths, settings); }, repeat));
    const auto opening = mv::readBalanceLines(paths.closing(QStringLiteral("fga_ing_balans")));
    qsizetype sink = 0;
    std::printf("  closing basis text                  %8.3f ms\n",
                timed([&] { sink += mv::closingBasisText(f).size(); }, repeat));
    std::printf("  balance report text                 %8.3f ms\n",
                timed([&] { sink += mv::balanceReportText(f, opening).size(); }, repeat));
    std::printf("  result report text                  %8.3f ms\n",
                timed([&] { sink += mv::resultReportText(f).size(); }, repeat));
    std::printf("  VAT report text                     %8.3f ms\n",
                timed([&] { sink += mv::vatReportText(f).size(); }, repeat));
    std::printf("  owner information text              %8.3f ms\n",
                timed([&] { sink += mv::ownerInfoText(f, settings).size(); }, repeat));
    std::printf("  general ledger (work file)          %8.3f ms\n",
                timed([&] { sink += mv::composeLedger(paths); }, repeat));
    std::printf("  closing change (files, stamps, second copies) %8.3f ms\n",
                timed([&] { sink += mv::runClosingBasis(paths, settings, true).ok; }, 5));

    // Where the time of a command goes besides the reports themselves.
    std::printf("  integrity check of a guarded command  %8.1f ms\n", timed([&] {
                    int abortKey = 0;
                    bool done = true;
                    mv::checkIntegrity(paths, abortKey, done, [](const mv::Message&) { return 5; });
                }));
    std::printf("  renew stamps                          %8.1f ms\n",
                timed([&] { mv::renewStamps(paths); }));
    std::printf("  renew second copies                   %8.1f ms\n",
                timed([&] { mv::renewSecondCopies(paths); }));

    shell::startMainWindow();
    tk::processEvents();
    const struct {
        int command;
        const char* name;
    } commands[] = {{1012, "Balans"},   {1013, "Resultat"},         {1100, "Moms"},
                    {1014, "Ägarinfo"}, {1032, "BOKSLUTSUNDERLAG"}, {1011, "Huvudbok"}};
    for (const auto& c : commands) {
        const double ms = timed([&] {
            tk::sendCommand(shell::mainWindow(), c.command);
            tk::processEvents();
        });
        std::printf("  command %d %-18s shown in %8.1f ms\n", c.command, c.name, ms);
    }
    shell::discardMainWindowForTests();
    QDir::setCurrent(QDir::tempPath());
    return sink > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    tk::Application app(argc, argv, true);
    tk::setMessageBoxHook([](const tk::BoxRecord& box) {
        std::printf("%s\n", qPrintable(tk::boxLine(box, box.defaultCode)));
        return box.defaultCode;
    });
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(QString::fromLocal8Bit(argv[i]).toInt());
    if (counts.empty()) counts = {100, 2000, 20000};
    for (int count : counts)
        if (runYear(count) != 0) return 1;
    return 0;
}
