// The files for other programs and Skatteverket over generated years of 100,
// 2,000 and 20,000 verifications, in-process: the day book read back, the
// SIE 4 file built and encoded, the same file read back as an opening
// balance, the VAT year and the returns of all seventeen periods with an
// upload file, and the claim file (every verification references an invoice
// number, so each one is looked up).
//
//     interchange_bench [verifications ...]
#include "generated_year.h"
#include "interchange/day_book_reader.h"
#include "interchange/house_work_claim.h"
#include "interchange/sie_export.h"
#include "interchange/sie_import.h"
#include "interchange/vat_return.h"
#include "interchange/vat_upload.h"
#include "store/change_set.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "store/text_util.h"

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

using bench::pad;

// A year whose totals agree with its day book to the öre: incomes and
// expenses alternating at 25 %, placed on "Bank".
int writeYear(const mv::PathTable& p, int count) {
    const QString divider(60, QLatin1Char('-'));
    QString blocks;
    blocks.reserve(qsizetype(count) * 720);
    mv::Amount income, expense, outputVat, inputVat, cash;
    for (int n = 1; n <= count; ++n) {
        const bool in = n % 2 == 1;
        const QString type = in ? QStringLiteral("Inkomst, Arbete och Tjänst")
                                : QStringLiteral("Utgift, Varor o material");
        const QString date = QStringLiteral("2014-%1-%2")
                                 .arg(1 + (n * 12 / (count + 1)), 2, 10, QLatin1Char('0'))
                                 .arg(1 + n % 28, 2, 10, QLatin1Char('0'));
        // Expenses stay smaller than incomes, so the bank never goes negative.
        const mv::Amount net =
            mv::Amount::fromOre(in ? 10000 + (n * 7919LL) % 900000 : 5000 + (n * 31LL) % 5000);
        const mv::Amount vat = net.percent(25);
        (in ? income : expense) += net;
        (in ? outputVat : inputVat) += vat;
        cash += in ? net + vat : -(net + vat);
        blocks += QStringLiteral("Verifikat          = ") + QString::number(n) + u'\n';
        blocks += QStringLiteral("Bokförings Datum   = ") + date + u'\n';
        blocks += QStringLiteral("Händelse Datum     = ") + date + u'\n';
        blocks += QStringLiteral("Faktura/Ref        = ") + QString::number(14000 + n) + u'\n';
        blocks += QStringLiteral("Konto              = ") + type + u'\n';
        blocks +=
            QStringLiteral("Från               = Kund nummer ") + QString::number(n % 300) + u'\n';
        blocks += QStringLiteral(
            "Gata               = Storgatan 1\nPostnr             = 123 45\n"
            "Ort                = Valla\nFritext            = -\nMoms sats          = 25\n"
            "                   =\n");
        blocks += QStringLiteral("Konton                           Belopp        Balans\n") +
                  divider + u'\n';
        blocks += pad(type, net.toText(), 41) + u'\n';
        blocks += pad(QStringLiteral("Momskonto 25"), vat.toText(), 41) + u'\n';
        blocks += QStringLiteral("Boka mot ") +
                  pad(QStringLiteral("Bank"), (net + vat).toText(), 46) + u'\n';
        blocks += divider + QStringLiteral("\n\n\n");
    }
    int rc = 0;
    const auto write = [&rc](const QString& path, const QString& content) {
        if (rc == 0) rc = mv::writeText(path, content);
    };
    write(p.dayBook, bench::dayBook(0) + blocks);
    write(p.verCounter, QString::number(count));
    write(p.account(QStringLiteral("Inkomst, Arbete och Tjänst")), income.toText() + u'\n');
    write(p.account(QStringLiteral("Utgift, Varor o material")), expense.toText() + u'\n');
    write(p.outputVat(25), outputVat.toText() + u'\n');
    write(p.inputVat(25), inputVat.toText() + u'\n');
    write(p.cash, cash.toText() + u'\n');
    write(p.moneyAccountName(1), QStringLiteral("Bank\n"));
    write(p.moneyAccountAmount(1), cash.toText() + u'\n');
    return rc;
}

int runYear(int count) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path())) return 1;
    const mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
    for (const QString& d :
         {paths.bokforingDir, paths.foretagetDir, paths.kontolistorDir, paths.fakturorDir})
        QDir().mkpath(d);
    mv::writeText(paths.settings, mv::defaultSettingsText());
    if (writeYear(paths, count) != 0) return 1;
    mv::loadSettings(paths);
    const mv::Settings& settings = mv::yearRecord().settings;
    mv::CompanyDetails company;
    company.lines[0] = QStringLiteral("Firma");
    company.lines[12] = QStringLiteral("SE556677889901");

    std::printf("\n%d verifications (day book %lld characters)\n", count,
                static_cast<long long>(mv::characterCount(paths.dayBook)));
    const QString dayText = mv::storedText(paths.dayBook);
    qsizetype sink = 0;
    std::printf("  day book read back as verifications  %9.2f ms\n",
                timed([&] { sink += qsizetype(mv::readDayBook(dayText).entries.size()); }, 5));
    mv::SieBuild sie;
    std::printf("  SIE 4 books (read, agree, build)     %9.2f ms\n",
                timed(
                    [&] {
                        sie = mv::buildSieBooks(paths, settings, company, QStringLiteral("140105"),
                                                QStringLiteral("2014-12-31"));
                    },
                    5));
    if (!sie.ok) {
        std::printf("  refused: %s\n", qPrintable(sie.message.text));
        return 1;
    }
    QByteArray bytes;
    const double encoding = timed([&] { bytes = mv::sieFileBytes(sie.books); }, 5);
    std::printf("  SIE 4 file text in code page 437     %9.2f ms  (%lld bytes)\n", encoding,
                static_cast<long long>(bytes.size()));
    std::printf("  SIE 4 file read back (opening)       %9.2f ms\n",
                timed(
                    [&] {
                        sink += mv::readSieOpeningBalance(bytes, QStringLiteral("5566778899"),
                                                          QStringLiteral("2015"))
                                    .ok;
                    },
                    5));
    mv::VatYear year;
    std::printf("  VAT year by month                    %9.2f ms\n",
                timed([&] { year = mv::readVatYear(paths, settings); }, 5));
    std::printf("  returns of 17 periods + upload file  %9.2f ms\n",
                timed(
                    [&] {
                        for (const mv::VatPeriod& p : mv::vatPeriods())
                            sink += mv::vatUploadBytes(mv::vatReturn(year, p),
                                                       QStringLiteral("5566778899"),
                                                       mv::periodCode(p, QStringLiteral("2014")))
                                        .size();
                    },
                    5));
    std::printf("  claim file (every reference looked up) %7.2f ms\n", timed([&] {
                    sink += mv::buildClaimFile(paths, mv::HouseWorkKind::Rot,
                                               QStringLiteral("2014-01-01"),
                                               QStringLiteral("2014-12-31"))
                                .ok;
                }));
    QDir::setCurrent(QDir::tempPath());
    return sink > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(QString::fromLocal8Bit(argv[i]).toInt());
    if (counts.empty()) counts = {100, 2000, 20000};
    for (int count : counts)
        if (runYear(count) != 0) return 1;
    return 0;
}
