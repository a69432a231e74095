#pragma once
// A year's bookkeeping folder written directly, file by file, the way booking
// leaves it, so report tests need no booking code.
#include "support/temp_dir.h"

#include "store/store_layout.h"
#include "store/text_codec.h"

#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

class ReportsTest : public TempDirTest {
  protected:
    // Stored text (cp1252, CR LF) at path, folders created.
    static void put(const QString& path, const QString& text) {
        putBytes(path, mv::encodeStored(text));
    }
    // The text of a stored file.
    static QString textOf(const QString& path) { return mv::decodeStored(bytesOf(path)); }
    // Readable comparison of stored bytes with a golden file.
    static void expectGolden(const QString& path, const char* goldenName) {
        const QByteArray expected = golden(QString::fromUtf8(goldenName));
        const QByteArray actual = bytesOf(path);
        EXPECT_EQ(mv::decodeStored(actual).toStdString(), mv::decodeStored(expected).toStdString())
            << "file " << path.toStdString() << " against " << goldenName;
        EXPECT_EQ(actual, expected) << "bytes differ from " << goldenName;
    }
};
