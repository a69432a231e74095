#include "store/record_file.h"

#include "store/paths.h"
#include "store/text_codec.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace mv {

namespace {

WriteHook& writeHook() {
    static WriteHook hook;
    return hook;
}

// False when the fault-injection hook stops this change.
bool mayWrite(const QString& path) { return !writeHook() || writeHook()(path); }

constexpr int kPieceLength = 1999; // characters of one line read
constexpr int kFieldLength = 200;  // characters of one field

// Reads and decodes a whole file. 0 ok, 2 cannot open, 3 read error.
int loadFile(const QString& path, QString& text) {
    QFile f(normalizePath(path));
    if (!f.open(QIODevice::ReadOnly)) return 2;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return 3;
    text = decodeStored(bytes);
    return 0;
}

int saveAtomically(const QString& path, const QByteArray& bytes) {
    if (!mayWrite(normalizePath(path))) return 3;
    QSaveFile f(normalizePath(path));
    if (!f.open(QIODevice::WriteOnly)) return 2;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        f.commit();
        return 3;
    }
    return f.commit() ? 0 : 3;
}

QString separator(int mode) {
    switch (mode) {
    case SepBlank: return QStringLiteral(" ");
    case SepNewline: return QStringLiteral("\n");
    case SepTab1:
    case SepTab2:
    case SepTab3:
    case SepTab4:
    case SepTab5:
    case SepTab6: return QString(mode - 10, QLatin1Char('\t'));
    default: return QString();
    }
}

bool setModified(const QString& path, const QDateTime& when) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite)) return false;
    return f.setFileTime(when, QFileDevice::FileModificationTime);
}

} // namespace

int writeText(const QString& path, const QString& text) {
    return saveAtomically(path, encodeStored(text));
}

int createEmpty(const QString& path) { return writeText(path, QString()); }

int appendText(const QString& path, const QString& text, int mode) {
    if (text.isEmpty()) return 0;
    QString existing;
    const int rc = loadFile(path, existing);
    if (rc != 0) return rc;
    if (existing.size() < 2) return writeText(path, text);

    if (!mayWrite(normalizePath(path))) return 3;
    QFile f(normalizePath(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return 2;
    const QByteArray bytes = encodeStored(text + separator(mode));
    const bool ok = f.write(bytes) == bytes.size() && f.flush();
    f.close();
    return ok ? 0 : 3;
}

int readWhole(const QString& path, QString& dest) {
    QString text;
    const int rc = loadFile(path, text);
    if (rc != 0) return rc; // 2 missing, 3 a read error: dest unchanged
    dest += text.left(text.lastIndexOf(QLatin1Char('\n')) + 1);
    return 0;
}

int characterCount(const QString& path) {
    QString text;
    const int rc = loadFile(path, text);
    if (rc == 2) return -2;
    return rc == 0 ? int(text.size()) : 0;
}

int sizeMeasure(const QString& path) {
    QString text;
    const int rc = loadFile(path, text);
    if (rc == 2) return -2;
    if (rc == 3) return -3;
    qsizetype pieces = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        end = end < 0 ? text.size() : end + 1;
        pieces += (end - start + kPieceLength - 1) / kPieceLength;
        start = end;
    }
    return int(text.size() + pieces);
}

int fieldReader(const QString& text, QString& field, int pos) {
    field.clear();
    const int length = int(text.size());
    int i = pos + 1;
    if (i < 0) i = 0;
    if (i >= length) return length;
    const int lineEnd = int(text.indexOf(QLatin1Char('\n'), i));
    const int stop = lineEnd < 0 ? length : lineEnd;
    field = text.mid(i, std::min(stop - i, kFieldLength));
    if (lineEnd >= 0) return lineEnd;
    return field.isEmpty() ? length : length - 1;
}

QStringList readFields(const QString& text) {
    QStringList fields;
    QString field;
    int pos = -1;
    while (pos + 1 < text.size()) {
        pos = fieldReader(text, field, pos);
        fields << field;
    }
    return fields;
}

int setLastWriteTime(const QString& path, const QDateTime& when) {
    const QString p = normalizePath(path);
    if (!QFileInfo(p).isFile() || !mayWrite(p)) return 1;
    QFile f(p);
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) return 1;
    return f.setFileTime(when, QFileDevice::FileModificationTime) ? 0 : 1;
}

void setWriteHook(WriteHook hook) { writeHook() = std::move(hook); }

int deleteFile(const QString& path) {
    if (!mayWrite(normalizePath(path))) return 3;
    return QFile::remove(normalizePath(path)) ? 0 : 3;
}

int createDirectory(const QString& path) {
    if (!mayWrite(normalizePath(path))) return 1;
    return QDir().mkdir(normalizePath(path)) ? 0 : 1;
}

int copyFile(const QString& destination, const QString& source, const QString& keyword) {
    const QString dst = normalizePath(destination);
    const QString src = normalizePath(source);
    const bool replace = keyword == QLatin1String("SAVE_IF_EXIST");
    if (!replace && QFileInfo::exists(dst)) return 1;
    QFile in(src);
    if (!in.open(QIODevice::ReadOnly)) return 1;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) return 1;
    const QDateTime modified = QFileInfo(src).lastModified();
    in.close();
    if (saveAtomically(dst, bytes) != 0) return 1;
    return setModified(dst, modified) ? 0 : 1;
}

int copyFolderContents(const QString& destinationFolder, const QString& sourceFolder) {
    const QString src = QFileInfo(normalizePath(sourceFolder)).absoluteFilePath();
    const QString dst = normalizePath(destinationFolder);
    if (!QFileInfo(src).isDir() || !mayWrite(dst) || !QDir().mkpath(dst)) return 1;
    QDirIterator it(src, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir srcDir(src);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = joinPath(dst, srcDir.relativeFilePath(from));
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!mayWrite(to) || !QDir().mkpath(to)) return 1;
        } else if (copyFile(to, from, QStringLiteral("SAVE_IF_EXIST")) != 0) {
            return 1;
        }
    }
    return 0;
}

int copyTree(const QString& destinationFolder, const QString& sourceFolder) {
    const QString name = QFileInfo(normalizePath(sourceFolder)).fileName();
    if (name.isEmpty()) return 1;
    return copyFolderContents(joinPath(destinationFolder, name), sourceFolder);
}

int deleteTree(const QString& folder) {
    if (!mayWrite(normalizePath(folder))) return 1;
    return QDir(normalizePath(folder)).removeRecursively() ? 0 : 1;
}

int renamePath(const QString& from, const QString& to) {
    const QString src = normalizePath(from);
    const QString dst = normalizePath(to);
    if (!mayWrite(dst)) return 1;
    if (QFileInfo(dst).isFile() && QFileInfo(src).isFile()) {
        // QFile::rename refuses to replace; std::rename replaces atomically
        // on POSIX. Fall back to remove-then-rename elsewhere.
        if (std::rename(QFile::encodeName(src).constData(), QFile::encodeName(dst).constData()) == 0)
            return 0;
        if (!QFile::remove(dst)) return 1;
    }
    return QDir().rename(src, dst) ? 0 : 1;
}

} // namespace mv
