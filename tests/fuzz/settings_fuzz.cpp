// The settings and the company details as stored (loaded into the one
// record) and as typed (validated before a save).
#include "fuzz_support.h"

#include "store/settings.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::enterScratch();
    const mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
    QDir().mkpath(paths.foretagetDir);
    for (const QString& path : {paths.settings, paths.company, paths.invoiceTexts, paths.backupPaths}) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(fuzz::bytes(data, size));
    }
    mv::resetYearRecord();
    int progress = 0;
    mv::loadYearRecord(paths, QDir::currentPath(), progress);
    const mv::Settings& s = mv::yearRecord().settings;
    for (int rate : s.vatRates()) FUZZ_CHECK(s.isVatRate(rate));
    for (int n = 1; n <= 5; ++n) (void)s.percentHundredths(n);

    const QStringList f = fuzz::fields(data, size, mv::settingsFieldCount);
    std::array<QString, mv::settingsFieldCount> typed;
    for (int i = 0; i < mv::settingsFieldCount; ++i) typed[size_t(i)] = f[i];
    (void)mv::validateSettings(typed);
    std::array<QString, mv::companyLineCount> company;
    for (int i = 0; i < mv::companyLineCount; ++i) company[size_t(i)] = f.value(i);
    (void)mv::validateCompanyDetails(company);
    for (int n = 1; n <= 10; ++n) (void)mv::normalizedSetting(n, f[0]);
    (void)mv::wholeKronorAnswer(f[0]);
    return 0;
}
