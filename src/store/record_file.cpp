#include "store/record_file.h"

#include "store/paths.h"
#include "store/text_codec.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

// A name for the temporary file beside path: the file's own name, a fixed
// mark and six random letters. Leftovers of an interrupted write carry the
// mark and are removed at the next start.
QString temporaryNameFor(const QString& path) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString name = path + temporaryMark;
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return name;
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// Flushes what was written through the open file to the disk itself.
bool syncHandle(QFile& f) {
#if defined(Q_OS_WIN)
    return _commit(f.handle()) == 0;
#elif defined(Q_OS_LINUX)
    return ::fdatasync(f.handle()) == 0; // the data and the size, not the times
#else
    return ::fsync(f.handle()) == 0;
#endif
}

// Writes every byte to the open file; false on any short or failed write.
bool writeAll(QFile& f, const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

// The whole-file write every writer goes through: the bytes go into a new
// temporary file beside the target, are written to the last byte, given
// their last-write time when one is asked for, synced to the disk and only
// then renamed over the target. A failure at any step removes the temporary
// file and leaves the target exactly as it was.
int saveAtomically(const QString& path, const QByteArray& bytes, const QDateTime& lastWrite = {},
                   bool syncRename = true) {
    const QString target = normalizePath(path);
    if (!mayWrite(target)) return 3;
    QFile f;
    bool opened = false;
    for (int attempt = 0; attempt < 8 && !opened; ++attempt) {
        f.setFileName(temporaryNameFor(target));
        opened = f.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
    }
    if (!opened) return 2;
    const QString temporary = f.fileName();
    bool ok = writeAll(f, bytes);
    if (ok && lastWrite.isValid()) ok = f.setFileTime(lastWrite, QFileDevice::FileModificationTime);
    ok = ok && syncHandle(f);
    f.close();
    ok = ok && f.error() == QFileDevice::NoError;
    std::error_code ec;
    if (ok) std::filesystem::rename(fsPath(temporary), fsPath(target), ec);
    if (!ok || ec) {
        QFile::remove(temporary);
        return 3;
    }
    if (syncRename) syncFolder(QFileInfo(target).path());
    return 0;
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


} // namespace

int writeText(const QString& path, const QString& text) {
    return saveAtomically(path, encodeStored(text));
}

int createEmpty(const QString& path) { return writeText(path, QString()); }

int appendText(const QString& path, const QString& text, int mode) {
    if (text.isEmpty()) return 0;
    const QFileInfo info(normalizePath(path));
    if (!info.isFile()) return 2;
    // Only a file of at most two bytes can hold fewer than two characters
    // (a CR LF is one); only such a one is read.
    if (info.size() <= 2) {
        QString existing;
        const int rc = loadFile(path, existing);
        if (rc != 0) return rc;
        if (existing.size() < 2) return writeText(path, text);
    }
    return appendBytes(path, encodeStored(text + separator(mode)));
}

int appendBytes(const QString& path, const QByteArray& bytes) {
    const QString target = normalizePath(path);
    if (bytes.isEmpty()) return 0;
    if (!mayWrite(target)) return 3;
    QFile f(target);
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) return 2;
    const qint64 oldSize = f.size();
    if (f.seek(oldSize) && writeAll(f, bytes) && syncHandle(f)) return 0;
    // A failed append is taken back to the last byte that was there.
    f.resize(oldSize);
    syncHandle(f);
    return 3;
}

int writeBytes(const QString& path, const QByteArray& bytes, const QDateTime& lastWrite,
               bool syncRename) {
    return saveAtomically(path, bytes, lastWrite, syncRename);
}

int truncateFile(const QString& path, qint64 size) {
    const QString target = normalizePath(path);
    if (!mayWrite(target)) return 3;
    QFile f(target);
    if (!f.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered)) return 2;
    return f.resize(size) && syncHandle(f) ? 0 : 3;
}

int syncFolder(const QString& folder) {
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
    return 0; // renames are written through on this platform
#else
    const QByteArray name = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return 2;
    const int rc = ::fsync(fd);
    ::close(fd);
    return rc == 0 ? 0 : 3;
#endif
}

bool isTemporaryLeftover(const QString& fileName) {
    const qsizetype mark = fileName.lastIndexOf(temporaryMark);
    if (mark > 0 && fileName.size() == mark + temporaryMark.size() + 6) return true;
    // The temporary files of the earlier way of writing: a stored file's
    // own name followed by a dot and six letters or digits.
    static const QRegularExpression earlier(
        QStringLiteral("^.+\\.(kdb|txt|html|rtf)\\.[A-Za-z0-9]{6}$"));
    return earlier.match(fileName).hasMatch();
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
    // A copy is only made of a file read to its end.
    if (in.error() != QFileDevice::NoError || bytes.size() != in.size()) return 1;
    const QDateTime modified = QFileInfo(src).lastModified();
    in.close();
    return saveAtomically(dst, bytes, modified) == 0 ? 0 : 1;
}

int copyFolderContents(const QString& destinationFolder, const QString& sourceFolder,
                       const CopySkip& skip) {
    const QString src = QFileInfo(normalizePath(sourceFolder)).absoluteFilePath();
    const QString dst = normalizePath(destinationFolder);
    if (!QFileInfo(src).isDir() || !mayWrite(dst) || !QDir().mkpath(dst)) return 1;
    QDirIterator it(src, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir srcDir(src);
    QStringList skipped; // folders left out, with a '/' at the end
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = srcDir.relativeFilePath(from);
        const QFileInfo info = it.fileInfo();
        if (std::any_of(skipped.cbegin(), skipped.cend(),
                        [&](const QString& folder) { return relative.startsWith(folder); }))
            continue;
        if (skip && skip(relative, info.isDir())) {
            if (info.isDir()) skipped << relative + u'/';
            continue;
        }
        const QString to = joinPath(dst, relative);
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
