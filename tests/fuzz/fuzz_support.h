#pragma once
// Shared by the fuzz targets: the input as stored text, the input cut into
// fields, a scratch working directory, and a check that stops the run with
// a finding when an invariant does not hold.
#include "store/text_codec.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline QByteArray bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input read as a stored file is read: code page 1252, CR LF.
inline QString text(const std::uint8_t* data, std::size_t size) {
    return mv::decodeStored(bytes(data, size));
}

// The input as typed fields: its lines (at least n of them).
inline QStringList fields(const std::uint8_t* data, std::size_t size, int n) {
    QStringList f = text(data, size).split(u'\n');
    while (f.size() < n) f << QString();
    return f;
}

// A working directory of the run's own, inside a folder of its own (so
// that ".." holds nothing but it); the target changes into it.
inline void enterScratch() {
    static QTemporaryDir dir;
    static const bool entered = dir.isValid() && QDir(dir.path()).mkpath(QStringLiteral("work")) &&
                                QDir::setCurrent(dir.path() + QStringLiteral("/work"));
    if (!entered) std::abort();
}

#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (0)

} // namespace fuzz
