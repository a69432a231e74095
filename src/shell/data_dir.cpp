#include "shell/data_dir.h"

#include <QDir>
#include <QFileInfo>

namespace shell {

namespace {
QString made(const QString& path) {
    if (!QDir().mkpath(path)) return QString();
    return QFileInfo(path).absoluteFilePath();
}
} // namespace

QString chooseDataDirectory(const QString& dataOption, const QString& currentDir,
                            const QString& home) {
    if (!dataOption.isEmpty()) return made(dataOption);
    if (QFileInfo(QDir(currentDir).filePath(QStringLiteral("drive_info"))).isDir())
        return QFileInfo(currentDir).absoluteFilePath();
    return made(QDir(home).filePath(QStringLiteral("MerValla")));
}

} // namespace shell
