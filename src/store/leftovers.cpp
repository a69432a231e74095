#include "store/leftovers.h"

#include "store/integrity.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/store_layout.h"
#include "store/years.h"

#include <QDir>
#include <QDirIterator>

namespace mv {

namespace {

void removeTemporaries(const QString& folder, bool below, LeftoverCount& count) {
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    below ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!isTemporaryLeftover(it.fileName())) continue;
        if (deleteFile(path) == 0)
            ++count.temporaryFiles;
        else
            ++count.failures;
    }
}

} // namespace

LeftoverCount cleanLeftovers() {
    LeftoverCount count;
    removeTemporaries(QStringLiteral("."), false, count);
    if (QDir(drive::dir).exists()) {
        removeTemporaries(drive::dir, false, count);
        // A year whose creation never finished; the year itself was never made.
        for (const QString& name :
             QDir(drive::dir).entryList({QStringLiteral("skapas_*")}, QDir::Dirs)) {
            if (deleteTree(joinPath(drive::dir, name)) == 0)
                ++count.stagingFolders;
            else
                ++count.failures;
        }
    }
    // A year moved into place whole whose listing never happened is listed.
    count.failures += listUnlistedYears();
    for (const QString& name : QDir(QStringLiteral(".")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!isYearText(name)) continue;
        removeTemporaries(name, true, count);
        const PathTable paths = buildPathTable(name);
        const int before = int(QDir(paths.bokforingDir)
                                   .entryList({repairFolderPrefix + QStringLiteral("*")}, QDir::Dirs)
                                   .size());
        count.failures += pruneRepairFolders(paths);
        const int after = int(QDir(paths.bokforingDir)
                                  .entryList({repairFolderPrefix + QStringLiteral("*")}, QDir::Dirs)
                                  .size());
        count.repairFolders += before - after;
    }
    return count;
}

} // namespace mv
