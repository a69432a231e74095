#include "store/file_names.h"

#include "store/text_codec.h"

#include <QFile>

namespace mv {

bool isSafeFileName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) ||
        name.contains(QStringLiteral("..")))
        return false;
    if (name.endsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char('.'))) return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
        if (QStringLiteral("/\\:*?\"<>|").contains(c)) return false;
    }
    if (QFile::encodeName(name).size() > longestFileNameBytes) return false;
    return isCp1252(name);
}

} // namespace mv
