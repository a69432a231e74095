#pragma once
// The record-file primitives every reader and writer of the books goes
// through. Paths may use '/' or '\' as separators. Return codes:
//   writers and read whole: 0 done, 2 cannot open, 3 read or write error;
//   character count: the count, -2 missing;  size measure: -2 missing, -3 read error.
#include <QDateTime>
#include <QString>

#include <functional>

namespace mv {

// Append separator modes.
enum AppendMode : int {
    SepNone = 0,
    SepBlank = 1,
    SepNewline = 2,
    SepTab1 = 11,
    SepTab2 = 12,
    SepTab3 = 13,
    SepTab4 = 14,
    SepTab5 = 15,
    SepTab6 = 16,
};

// Replaces the whole file with the text. Atomic and durable: written to a
// temporary file beside it, synced to the disk, and only then renamed over
// it, so a crash or a full disk leaves the old or the new content, never a
// short or empty file.
int writeText(const QString& path, const QString& text);

// The same for bytes as they go to disk; a valid lastWrite is given to the
// file before it takes the place of the old one. syncRename false leaves
// syncing the folder (which makes the rename itself durable) to the caller,
// who syncs it once after several writes.
int writeBytes(const QString& path, const QByteArray& bytes, const QDateTime& lastWrite = {},
               bool syncRename = true);

// Adds the bytes at the end of an existing file in one write and syncs it.
// A write that fails is taken back: the file keeps exactly its old length.
// 0 done, 2 missing or cannot be opened, 3 write error.
int appendBytes(const QString& path, const QByteArray& bytes);

// Shortens (or lengthens with zeros) an existing file to size bytes and
// syncs it. 0 done, 2 missing, 3 failure.
int truncateFile(const QString& path, qint64 size);

// Makes the renames inside a folder durable. 0 done, 2 cannot open, 3 failure.
int syncFolder(const QString& folder);

// The mark in the name of a temporary file of a whole-file write
// ("_ver.kdb.skrivs-Xk3p9Q"); a file so named is a leftover of a write that
// never finished once no write is running.
inline const QString temporaryMark = QStringLiteral(".skrivs-");
// True for the name of such a leftover, also of the earlier way of writing
// ("_ver.kdb.hPATkc": a stored file's name and six letters or digits).
bool isTemporaryLeftover(const QString& fileName);
int createEmpty(const QString& path);

// Appends text and the mode's separator. A file that holds fewer than two
// characters (a line end counted once) is replaced by the text alone, with no
// separator. Never creates a file. The empty text returns 0 and touches nothing.
int appendText(const QString& path, const QString& text, int mode);

// Appends every terminated line of the file to dest; an unterminated last
// line is not seen. A missing file returns 2, a read error 3; both leave
// dest unchanged.
int readWhole(const QString& path, QString& dest);

// Number of characters with line ends counted once; -2 when it cannot be opened.
int characterCount(const QString& path);

// Characters plus one for every piece of at most 1999 characters a line is
// read in; -2 missing, -3 read error.
int sizeMeasure(const QString& path);

// Copies the characters after pos up to the next '\n' into field (at most
// 200 of them) and returns the index of that '\n'. At the end of the text it
// returns the index of the last character copied (the text's length when none
// was copied). Start with pos = -1.
int fieldReader(const QString& text, QString& field, int pos);

// Convenience over fieldReader: the lines of a stored text, in order, each cut
// to 200 characters as fieldReader does.
QStringList readFields(const QString& text);

int deleteFile(const QString& path);      // 0 deleted, 3 failure (also when missing)
int createDirectory(const QString& path); // 0 created, 1 failure or already there

// Copies source to destination, keeping the source's last-write time. The
// source is read to its end first; the destination is written atomically.
// keyword "SAVE_IF_EXIST" replaces an existing destination; "NO_SAVE_IF_EXIST"
// (and any other keyword) fails when it exists. 0 copied, 1 failure.
int copyFile(const QString& destination, const QString& source, const QString& keyword);

// Copies the folder source with everything below it into the folder
// destination (creating what is missing), keeping last-write times. A file
// already there under the same name is replaced. 0 done, 1 failure.
int copyTree(const QString& destinationFolder, const QString& sourceFolder);

// Copies what lies in source (not the folder itself) into destination.
// skip, when given, leaves out an entry (and all below a folder) by its path
// relative to source.
using CopySkip = std::function<bool(const QString& relativePath, bool isFolder)>;
int copyFolderContents(const QString& destinationFolder, const QString& sourceFolder,
                       const CopySkip& skip = {});

// Deletes the folder and everything below it. 0 done (also when missing), 1 failure.
int deleteTree(const QString& folder);

// Renames a file or folder (same file system); an existing file at `to` is
// replaced. 0 done, 1 failure.
int renamePath(const QString& from, const QString& to);

// Sets the last-write time of an existing file (never creates one).
// 0 done, 1 failure (also when the file is missing).
int setLastWriteTime(const QString& path, const QDateTime& when);

// Fault injection for tests. Every operation above that changes the disk asks
// the hook first, with the path it is about to change; when the hook answers
// false the operation changes nothing and fails with its failure code, as if
// the program had died just before it. An empty hook (the default) allows all.
using WriteHook = std::function<bool(const QString& path)>;
void setWriteHook(WriteHook hook);

} // namespace mv
