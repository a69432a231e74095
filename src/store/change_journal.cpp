#include "store/change_journal.h"

#include "store/file_digest.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/store_layout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace mv {

FileStep FileStep::write(const QString& path, const QByteArray& bytes, const QDateTime& time) {
    FileStep s;
    s.kind = Write;
    s.path = normalizePath(path);
    s.bytes = bytes;
    s.lastWrite = time;
    return s;
}
FileStep FileStep::append(const QString& path, const QByteArray& bytes) {
    FileStep s;
    s.kind = Append;
    s.path = normalizePath(path);
    s.bytes = bytes;
    return s;
}
FileStep FileStep::remove(const QString& path) {
    FileStep s;
    s.kind = Remove;
    s.path = normalizePath(path);
    return s;
}
FileStep FileStep::setTime(const QString& path, const QDateTime& time) {
    FileStep s;
    s.kind = SetTime;
    s.path = normalizePath(path);
    s.lastWrite = time;
    return s;
}
FileStep FileStep::makeFolder(const QString& path) {
    FileStep s;
    s.kind = MakeFolder;
    s.path = normalizePath(path);
    return s;
}

QString changeJournalPath() {
    return joinPath(drive::dir, QStringLiteral("andring_pagar.kdb"));
}

bool changePending() {
    return QFileInfo(normalizePath(changeJournalPath())).isFile();
}

namespace {

const QByteArray journalHead = "MERVALLA ANDRING 1\n";
const QByteArray journalEnd = "SLUT\n";

// How one path is taken back.
struct Undo {
    enum Kind : char {
        Whole = 'F',    // its old bytes are written back (or it is removed when it was missing)
        Truncate = 'T', // only appended to: cut back to the old length
        Time = 'S',     // only its last-write time changed
        Folder = 'D',   // a folder the change may create
    };
    Kind kind = Time;
    QString path;
    bool existed = false;
    qint64 oldSize = 0;
    qint64 lastWriteMs = -1;
    QByteArray old;
};

Undo::Kind undoKindOf(FileStep::Kind k) {
    switch (k) {
    case FileStep::Write:
    case FileStep::Remove: return Undo::Whole;
    case FileStep::Append: return Undo::Truncate;
    case FileStep::SetTime: return Undo::Time;
    case FileStep::MakeFolder: return Undo::Folder;
    }
    return Undo::Whole;
}

// Whole beats Truncate beats Time: a path written whole and appended to
// needs its old bytes.
int strength(Undo::Kind k) {
    return k == Undo::Whole ? 3 : k == Undo::Truncate ? 2 : k == Undo::Time ? 1 : 0;
}

bool readBytes(const QString& path, QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    bytes = f.readAll();
    return f.error() == QFileDevice::NoError;
}

// The undo of every path, in the order the steps first touch them, with
// each path's state as it stands now. False when an old content cannot be
// read (the change must not start without it).
bool planUndo(const std::vector<FileStep>& steps, std::vector<Undo>& undos, QString& unreadable) {
    QHash<QString, size_t> index;
    for (const FileStep& s : steps) {
        const Undo::Kind k = undoKindOf(s.kind);
        auto it = index.find(s.path);
        if (it == index.end()) {
            index.insert(s.path, undos.size());
            Undo u;
            u.kind = k;
            u.path = s.path;
            undos.push_back(u);
        } else if (strength(k) > strength(undos[*it].kind)) {
            undos[*it].kind = k;
        }
    }
    for (Undo& u : undos) {
        if (u.kind == Undo::Folder) {
            u.existed = QFileInfo(u.path).isDir();
            continue;
        }
        const FileState st = fileState(u.path);
        u.existed = st.exists;
        u.oldSize = st.size;
        u.lastWriteMs = st.exists ? st.lastWriteMs : -1;
        if (u.kind == Undo::Whole && u.existed && !readBytes(u.path, u.old)) {
            unreadable = u.path;
            return false;
        }
    }
    return true;
}

QByteArray journalBytes(const std::vector<Undo>& undos) {
    QByteArray out = journalHead;
    for (const Undo& u : undos) {
        const QByteArray path = u.path.toUtf8();
        out += char(u.kind);
        out += ' ' + QByteArray::number(u.existed ? 1 : 0) + ' ' + QByteArray::number(u.oldSize) +
               ' ' + QByteArray::number(u.lastWriteMs) + ' ' + QByteArray::number(path.size()) +
               ' ' + QByteArray::number(u.old.size()) + '\n';
        out += path;
        out += u.old;
        out += '\n';
    }
    out += journalEnd;
    return out;
}

// A path of the books: relative, below the working directory.
bool isPathInside(const QString& path) {
    if (path.isEmpty() || path.startsWith(u'/') || path.contains(u'\\') || path.contains(u':'))
        return false;
    for (const QString& part : path.split(u'/'))
        if (part == QLatin1String("..")) return false;
    return true;
}

bool parseJournal(const QByteArray& bytes, std::vector<Undo>& undos) {
    if (!bytes.startsWith(journalHead) || !bytes.endsWith(journalEnd)) return false;
    qsizetype pos = journalHead.size();
    const qsizetype end = bytes.size() - journalEnd.size();
    while (pos < end) {
        const qsizetype lineEnd = bytes.indexOf('\n', pos);
        if (lineEnd < 0) return false;
        const QList<QByteArray> f = bytes.mid(pos, lineEnd - pos).split(' ');
        if (f.size() != 6 || f[0].size() != 1) return false;
        Undo u;
        const char k = f[0][0];
        if (k != Undo::Whole && k != Undo::Truncate && k != Undo::Time && k != Undo::Folder)
            return false;
        u.kind = Undo::Kind(k);
        bool ok[5] = {};
        u.existed = f[1].toInt(&ok[0]) == 1;
        u.oldSize = f[2].toLongLong(&ok[1]);
        u.lastWriteMs = f[3].toLongLong(&ok[2]);
        const qsizetype pathLength = f[4].toLongLong(&ok[3]);
        const qsizetype oldLength = f[5].toLongLong(&ok[4]);
        if (!(ok[0] && ok[1] && ok[2] && ok[3] && ok[4]) || pathLength < 0 || oldLength < 0)
            return false;
        pos = lineEnd + 1;
        if (pos + pathLength + oldLength + 1 > end + 1) return false;
        u.path = QString::fromUtf8(bytes.mid(pos, pathLength));
        // Only paths below the working directory: a journal that names any
        // other place was not written by this program.
        if (!isPathInside(u.path)) return false;
        u.old = bytes.mid(pos + pathLength, oldLength);
        pos += pathLength + oldLength;
        if (bytes.at(pos) != '\n') return false;
        ++pos;
        undos.push_back(u);
    }
    return pos == end;
}

QDateTime timeOf(qint64 ms) {
    return QDateTime::fromMSecsSinceEpoch(ms);
}

// Gives a file back its recorded last-write time when it has another one.
bool restoreTime(const Undo& u) {
    const FileState now = fileState(u.path);
    if (!now.exists || u.lastWriteMs < 0 || now.lastWriteMs == u.lastWriteMs) return true;
    return setLastWriteTime(u.path, timeOf(u.lastWriteMs)) == 0;
}

// Takes one path back; nothing is written where it already stands as it was.
bool takeBack(const Undo& u) {
    switch (u.kind) {
    case Undo::Whole: {
        const FileState now = fileState(u.path);
        if (!u.existed) return !now.exists || deleteFile(u.path) == 0;
        QByteArray current;
        if (now.exists && now.size == u.old.size() && readBytes(u.path, current) && current == u.old)
            return restoreTime(u);
        return writeBytes(u.path, u.old, timeOf(u.lastWriteMs)) == 0;
    }
    case Undo::Truncate: {
        const FileState now = fileState(u.path);
        if (!now.exists) return !u.existed;
        if (now.size > u.oldSize && truncateFile(u.path, u.oldSize) != 0) return false;
        return restoreTime(u);
    }
    case Undo::Time: return restoreTime(u);
    case Undo::Folder:
        if (u.existed || !QFileInfo(u.path).isDir()) return true;
        return deleteTree(u.path) == 0;
    }
    return false;
}

QString parentOf(const QString& path) {
    const QString parent = QFileInfo(path).path();
    return parent.isEmpty() ? QStringLiteral(".") : parent;
}

// Takes every path back, the last touched first, then removes the journal.
bool takeAllBack(const std::vector<Undo>& undos) {
    bool ok = true;
    QSet<QString> folders;
    for (auto it = undos.rbegin(); it != undos.rend(); ++it) {
        ok = takeBack(*it) && ok;
        folders.insert(parentOf(it->path));
    }
    for (const QString& folder : folders) syncFolder(folder);
    if (!ok) return false;
    if (deleteFile(changeJournalPath()) != 0) return false;
    syncFolder(drive::dir);
    return true;
}

bool runStep(const FileStep& s) {
    switch (s.kind) {
    case FileStep::Write:
        return writeBytes(s.path, s.produce ? s.produce() : s.bytes, s.lastWrite, false) == 0;
    case FileStep::Append: return appendBytes(s.path, s.bytes) == 0;
    case FileStep::Remove: return !fileState(s.path).exists || deleteFile(s.path) == 0;
    case FileStep::SetTime: return setLastWriteTime(s.path, s.lastWrite) == 0;
    case FileStep::MakeFolder: return QFileInfo(s.path).isDir() || createDirectory(s.path) == 0;
    }
    return false;
}

} // namespace

int recoverInterruptedChange() {
    if (!changePending()) return 0;
    QByteArray bytes;
    std::vector<Undo> undos;
    if (!readBytes(normalizePath(changeJournalPath()), bytes) || !parseJournal(bytes, undos)) return 1;
    return takeAllBack(undos) ? 0 : 1;
}

ChangeOutcome applyChange(const std::vector<FileStep>& steps) {
    ChangeOutcome out;
    if (recoverInterruptedChange() != 0) {
        out.code = ChangeOutcome::NotStarted;
        out.path = changeJournalPath();
        return out;
    }
    if (steps.empty()) return out;
    for (const FileStep& s : steps) {
        if (!isPathInside(s.path)) {
            out.code = ChangeOutcome::NotStarted;
            out.path = s.path;
            return out;
        }
    }
    std::vector<Undo> undos;
    if (!planUndo(steps, undos, out.path)) {
        out.code = ChangeOutcome::NotStarted;
        return out;
    }
    if (!QFileInfo(drive::dir).isDir()) createDirectory(drive::dir);
    if (writeBytes(changeJournalPath(), journalBytes(undos)) != 0) {
        out.code = ChangeOutcome::NotStarted;
        out.path = changeJournalPath();
        return out;
    }

    QSet<QString> folders;
    for (const FileStep& s : steps) {
        if (!runStep(s)) {
            out.path = s.path;
            out.code = takeAllBack(undos) ? ChangeOutcome::Undone : ChangeOutcome::LeftPending;
            return out;
        }
        folders.insert(parentOf(s.path));
    }
    for (const QString& folder : folders) syncFolder(folder);
    // Removing the journal is the moment the change is made. When even that
    // fails, the change is taken back so that what the user is told holds.
    if (deleteFile(changeJournalPath()) != 0) {
        out.path = changeJournalPath();
        out.code = takeAllBack(undos) ? ChangeOutcome::Undone : ChangeOutcome::LeftPending;
        return out;
    }
    syncFolder(drive::dir);
    return out;
}

} // namespace mv
