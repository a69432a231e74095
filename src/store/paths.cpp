#include "store/paths.h"

#include <QStringList>

namespace mv {

namespace {
// File names the program spells in more than one case. On a case-sensitive
// file system each must still be one file.
const char* const kCanonicalNames[] = {
    "SistSkapadeAret.kdb",
};
} // namespace

QString normalizePath(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (p.contains(QStringLiteral("//"))) p.replace(QStringLiteral("//"), QStringLiteral("/"));
    const int slash = p.lastIndexOf(QLatin1Char('/'));
    const QString last = p.mid(slash + 1);
    for (const char* name : kCanonicalNames) {
        const QString canonical = QString::fromLatin1(name);
        if (last.compare(canonical, Qt::CaseInsensitive) == 0) {
            p = p.left(slash + 1) + canonical;
            break;
        }
    }
    return p;
}

QString joinPath(const QString& a, const QString& b) {
    if (a.isEmpty()) return normalizePath(b);
    if (b.isEmpty()) return normalizePath(a);
    return normalizePath(a + QLatin1Char('/') + b);
}

QString joinPath(const QString& a, const QString& b, const QString& c) {
    return joinPath(joinPath(a, b), c);
}

} // namespace mv
