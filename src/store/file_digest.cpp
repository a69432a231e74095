#include "store/file_digest.h"

#include "store/paths.h"
#include "store/text_codec.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace mv {

FileState fileState(const QString& path) {
    const QFileInfo info(normalizePath(path));
    FileState s;
    if (!info.isFile()) return s;
    s.exists = true;
    s.size = info.size();
    s.lastWriteMs = info.lastModified().toMSecsSinceEpoch();
    s.statusChangeMs = info.metadataChangeTime().toMSecsSinceEpoch();
    return s;
}

std::uint64_t digestOf(const QByteArray& bytes, std::uint64_t seed) {
    std::uint64_t h = seed;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

bool digestOfFile(const QString& path, std::uint64_t& digest) {
    QFile f(normalizePath(path));
    if (!f.open(QIODevice::ReadOnly)) return false;
    std::uint64_t h = digestStart;
    while (!f.atEnd()) {
        const QByteArray piece = f.read(1 << 20);
        if (f.error() != QFileDevice::NoError) return false;
        h = digestOf(piece, h);
    }
    digest = h;
    return true;
}

bool readDigestRecord(const QString& path, DigestRecord& record) {
    record.clear();
    QFile f(normalizePath(path));
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return false;
    for (const QString& line : decodeStored(bytes).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(u'\t');
        if (parts.size() != 5) continue;
        bool ok[4] = {};
        DigestEntry e;
        e.digest = parts[0].toULongLong(&ok[0], 16);
        e.size = parts[1].toLongLong(&ok[1]);
        e.lastWriteMs = parts[2].toLongLong(&ok[2]);
        e.statusChangeMs = parts[3].toLongLong(&ok[3]);
        if (ok[0] && ok[1] && ok[2] && ok[3] && !parts[4].isEmpty()) record.insert(parts[4], e);
    }
    return true;
}

QByteArray digestRecordBytes(const DigestRecord& record) {
    QString text;
    for (auto it = record.cbegin(); it != record.cend(); ++it) {
        const DigestEntry& e = it.value();
        text += QStringLiteral("%1\t%2\t%3\t%4\t")
                    .arg(e.digest, 16, 16, QLatin1Char('0'))
                    .arg(e.size)
                    .arg(e.lastWriteMs)
                    .arg(e.statusChangeMs) +
                it.key() + u'\n';
    }
    return encodeStored(text);
}

} // namespace mv
