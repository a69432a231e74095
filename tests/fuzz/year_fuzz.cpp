// A year as typed on the create-year and select-year pages: four digits
// beginning with 2, or refused with its message; never a folder of another
// name, never anything outside the working directory.
#include "fuzz_support.h"

#include "store/years.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::enterScratch();
    static const QStringList above = QDir(QStringLiteral("..")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).left(40);
    int progress = 1;
    const mv::CreateYearOutcome out =
        mv::createYear(typed, mv::buildPathTable(QStringLiteral("0000")), false, progress, {});
    const QStringList made = QDir(QStringLiteral(".")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& name : made) {
        if (name == QLatin1String("drive_info")) continue;
        FUZZ_CHECK(mv::isYearText(name));
        FUZZ_CHECK(out.created && name == typed.trimmed());
        QDir(name).removeRecursively();
    }
    QDir(QStringLiteral("drive_info")).removeRecursively();
    FUZZ_CHECK(QDir(QStringLiteral("..")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot) == above);
    return 0;
}
