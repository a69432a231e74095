#pragma once
// What the file system says about a file (one stat, never a read) and the
// content digests of the vital files.
//
// Each year's bokforing folder holds a digest record beside the stamp: per
// vital file its size, last-write time, status-change time and a digest of
// its bytes. The check hashes a file only when one of the three differs from
// the record, so a content change whose last-write time was put back is
// still caught (the status-change time cannot be set back), while an
// unchanged year is checked without reading a single book.
//
// The digest is a 64-bit FNV-1a over the bytes on disk. It is streaming: the
// digest of a file after an append is the digest before it continued over
// the appended bytes, so an append never needs the whole file.
#include <QByteArray>
#include <QMap>
#include <QString>

#include <cstdint>

namespace mv {

struct FileState {
    bool exists = false;
    qint64 size = 0;
    qint64 lastWriteMs = 0;   // last-write time, milliseconds since the epoch (UTC)
    qint64 statusChangeMs = 0; // status-change time, the same
    bool operator==(const FileState&) const = default;
};

// One look at the file system; exists is false for a missing file or a folder.
FileState fileState(const QString& path);

inline constexpr std::uint64_t digestStart = 14695981039346656037ULL;
// The digest of bytes, continued from seed (digestStart for a whole file).
std::uint64_t digestOf(const QByteArray& bytes, std::uint64_t seed = digestStart);
// The digest of a whole file; false when it cannot be read.
bool digestOfFile(const QString& path, std::uint64_t& digest);

struct DigestEntry {
    qint64 size = 0;
    qint64 lastWriteMs = 0;
    qint64 statusChangeMs = 0;
    std::uint64_t digest = 0;
    // True while the file still stands as recorded (nothing to hash).
    bool matches(const FileState& s) const {
        return s.exists && s.size == size && s.lastWriteMs == lastWriteMs &&
               s.statusChangeMs == statusChangeMs;
    }
};

// File name (inside bokforing) to its entry.
using DigestRecord = QMap<QString, DigestEntry>;

// The record file of a year's bokforing folder.
inline const QString digestRecordFileName = QStringLiteral("__A_kontrollsummor.kdb");

// Reads a record; false when the file is missing or unreadable (record left
// empty). Malformed lines are skipped.
bool readDigestRecord(const QString& path, DigestRecord& record);
// The stored form of a record: one line per file, sorted by name.
QByteArray digestRecordBytes(const DigestRecord& record);

} // namespace mv
