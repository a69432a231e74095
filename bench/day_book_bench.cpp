// Opens the day book of a generated year of 20,000 verifications in the
// viewer, as the "Dagbok" button does, and prints how long it took.
//
//     day_book_bench [verifications]
#include "reports/pages/report_pages.h"
#include "shell/main_window.h"
#include "shell/page.h"
#include "store/integrity.h"
#include "store/record_file.h"
#include "store/text_util.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString pad(const QString& label, const QString& value, int width) {
    QString line;
    mv::padAppend(line, label, value, width);
    return line;
}

// A day book as booking leaves it: the head, then one ordinary block per
// verification, income and expense alternating.
QString dayBook(int count) {
    const QString divider(60, QLatin1Char('-'));
    QString text =
        QStringLiteral("DAGBOK  2014\n") + QString(86, QLatin1Char('_')) +
        QStringLiteral("\nDagboken listar alla transaktioner datummässigt under året.\n\n\n\n\n");
    text.reserve(count * 720);
    for (int n = 1; n <= count; ++n) {
        const bool income = n % 2 == 1;
        const QString type = income ? QStringLiteral("Inkomst, Arbete och Tjänst")
                                    : QStringLiteral("Utgift, Varor o material");
        const QString date = QStringLiteral("2014-%1-%2")
                                 .arg(1 + (n * 12 / (count + 1)), 2, 10, QLatin1Char('0'))
                                 .arg(1 + n % 28, 2, 10, QLatin1Char('0'));
        const long long net = 10000 + (n * 7919) % 900000;
        const QString netText = mv::numberToText(net / 100.0, 2);
        const QString vatText = mv::numberToText(net / 400.0, 2);
        const QString total = mv::numberToText(net * 1.25 / 100.0, 2);
        text += QStringLiteral("Verifikat          = ") + QString::number(n) + u'\n';
        text += QStringLiteral("Bokförings Datum   = ") + date + u'\n';
        text += QStringLiteral("Händelse Datum     = ") + date + u'\n';
        text += QStringLiteral("Faktura/Ref        = ") + QString::number(14000 + n) + u'\n';
        text += QStringLiteral("Konto              = ") + type + u'\n';
        text +=
            QStringLiteral("Från               = Kund nummer ") + QString::number(n % 300) + u'\n';
        text += QStringLiteral("Gata               = Storgatan 1\n");
        text += QStringLiteral("Postnr             = 123 45\n");
        text += QStringLiteral("Ort                = Valla\n");
        text += QStringLiteral("Fritext            = -\n");
        text += QStringLiteral("Moms sats          = 25\n");
        text += QStringLiteral("                   =\n");
        text += QStringLiteral("Konton                           Belopp        Balans\n");
        text += divider + u'\n';
        text += pad(type, netText, 41) + u'\n';
        text += pad(QStringLiteral("Momskonto 25"), vatText, 41) + u'\n';
        text += QStringLiteral("Boka mot ") + pad(QStringLiteral("Bank"), total, 46) + u'\n';
        text += divider + QStringLiteral("\n\n\n");
    }
    return text;
}

} // namespace

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
    const QString book = dayBook(count);
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
