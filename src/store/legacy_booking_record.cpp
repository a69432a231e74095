#include "store/change_set.h"

#include "store/integrity.h"
#include "store/paths.h"
#include "store/record_file.h"

#include <QCryptographicHash>

// The undo record an earlier version of the program wrote beside a booking
// (bokforing/_bokning_pagar.kdb): the files a repair does not cover, as they
// were before the booking. A booking of this version is one journaled change
// and writes no such record; one left by a crash of the earlier version is
// still applied once.

namespace mv {

namespace {

QString contentHash(const QString& text) {
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
}

struct UndoFile {
    QString path;
    bool existed;
    QString text;
};

struct Witness {
    QString hash, path;
};

bool parseUndoRecord(const QString& t, int& number, std::vector<Witness>& witnesses,
                     std::vector<UndoFile>& files) {
    qsizetype pos = 0;
    auto line = [&](QString& out) {
        const qsizetype end = t.indexOf(u'\n', pos);
        if (end < 0) return false;
        out = t.mid(pos, end - pos);
        pos = end + 1;
        return true;
    };
    QString field;
    if (!line(field)) return false;
    bool ok = false;
    number = field.section(u' ', 0, 0).toInt(&ok);
    if (!ok) return false;
    if (field.contains(u' ')) {
        const int count = field.section(u' ', 1).toInt(&ok);
        if (!ok || count < 0) return false;
        for (int i = 0; i < count; ++i) {
            QString w;
            if (!line(w) || w.indexOf(u' ') < 0) return false;
            witnesses.push_back({w.left(w.indexOf(u' ')), w.mid(w.indexOf(u' ') + 1)});
        }
    }
    while (pos < t.size()) {
        UndoFile f;
        QString existed, length;
        if (!line(f.path) || !line(existed) || !line(length)) return false;
        const qsizetype n = length.toLongLong(&ok);
        if (!ok || n < 0 || pos + n > t.size()) return false;
        f.existed = existed == QStringLiteral("1");
        f.text = t.mid(pos, n);
        pos += n;
        files.push_back(f);
    }
    return true;
}

int restoreFile(const QString& path, bool existed, const QString& text) {
    if (existed) return writeText(path, text);
    bool there = false;
    storedText(path, &there);
    return there ? deleteFile(path) : 0;
}

} // namespace

QString bookingUndoPath(const PathTable& paths) {
    return joinPath(paths.bokforingDir, QStringLiteral("_bokning_pagar.kdb"));
}

// Applies such a record when its booking did not reach the books, and
// removes it. 0 done or none there; 1 when it could not be applied.
int recoverEarlierBookingRecord(const PathTable& paths) {
    const QString undoPath = bookingUndoPath(paths);
    bool there = false;
    const QString record = storedText(undoPath, &there);
    if (!there) return 0;
    int number = 0;
    std::vector<Witness> witnesses;
    std::vector<UndoFile> files;
    if (!parseUndoRecord(record, number, witnesses, files)) return deleteFile(undoPath) == 0 ? 0 : 1;
    bool finished = !changeInProgress(paths) && storedCounter(paths) >= number;
    for (const Witness& w : witnesses)
        if (finished && contentHash(storedText(w.path)) != w.hash) finished = false;
    if (!finished) {
        for (const UndoFile& f : files)
            if (restoreFile(f.path, f.existed, f.text) != 0) return 1;
    }
    return deleteFile(undoPath) == 0 ? 0 : 1;
}

} // namespace mv
