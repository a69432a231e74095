// Opens the day book of a generated year of 20,000 verifications in the
// viewer, as the "Dagbok" button does, and prints how long it took.
//
//     day_book_bench [verifications]
#include "generated_year.h"
#include "reports/pages/report_pages.h"
#include "shell/main_window.h"
#include "shell/page.h"
#include "store/integrity.h"
#include "store/record_file.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv) {
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    tk::Application app(argc, argv, true);
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path())) return 1;
    QDir().mkpath(QStringLiteral("drive_info"));
    QDir().mkpath(QStringLiteral("2014/bokforing"));
    mv::writeText(QStringLiteral("drive_info/valdbokforingsar.kdb"), QStringLiteral("2014\n"));
    QElapsedTimer t;
    t.start();
    const QString book = bench::dayBook(count);
    if (mv::writeText(QStringLiteral("2014/bokforing/_dagbok.kdb"), book) != 0) return 1;
    const qint64 generated = t.elapsed();
    // A year that passes the integrity check of the guarded command.
    const mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
    if (mv::createMissingVitalFiles(paths) != 0 || !mv::renewStamps(paths).ok() ||
        !mv::renewSecondCopies(paths).ok())
        return 1;

    // No person answers: every box is printed and takes its default button.
    tk::setMessageBoxHook([](const tk::BoxRecord& box) {
        std::printf("%s\n", qPrintable(tk::boxLine(box, box.defaultCode)));
        return box.defaultCode;
    });
    shell::startMainWindow();
    tk::processEvents();

    t.restart();
    tk::sendCommand(shell::mainWindow(), 1010);
    const qint64 shown = t.elapsed();
    tk::processEvents(); // layout and the first paint of the viewer
    const qint64 painted = t.elapsed();

    const int view = reports::viewer(mv::ReportViewer::DayBook);
    std::printf("day book: %d verifications, %lld characters (generated in %lld ms)\n", count,
                static_cast<long long>(book.size()), static_cast<long long>(generated));
    std::printf("open in viewer (command 1010): %lld ms; shown and painted: %lld ms; viewer holds "
                "%d characters\n",
                static_cast<long long>(shown), static_cast<long long>(painted),
                tk::textLength(view));

    // The steps of the show sequence one by one, on a second viewer.
    const int probe =
        tk::createRichView(shell::mainWindow(), 5, 80, 783, 503, QStringLiteral("VHSCROLL"), 0);
    t.restart();
    tk::setStandardFont(probe, 1);
    tk::loadRichFile(probe, QStringLiteral("2014/bokforing/_dagbok.kdb"));
    const qint64 load = t.elapsed();
    tk::setCharacterFormat(probe, 0, 16, 700, 10);
    const qint64 bold = t.elapsed();
    tk::scrollToEnd(probe);
    const qint64 end = t.elapsed();
    std::printf("steps: font and load %lld ms, bold title %lld ms, scroll to end %lld ms\n",
                static_cast<long long>(load), static_cast<long long>(bold - load),
                static_cast<long long>(end - bold));
    shell::discardMainWindowForTests();
    return 0;
}
