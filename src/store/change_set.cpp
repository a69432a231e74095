#include "store/change_set.h"

#include "store/integrity.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/text_codec.h"
#include "store/text_util.h"

#include <QCryptographicHash>
#include <QFile>

namespace mv {

QString storedText(const QString& path, bool* existed) {
    QFile f(normalizePath(path));
    const bool open = f.open(QIODevice::ReadOnly);
    if (existed) *existed = open;
    if (!open) return QString();
    return decodeStored(f.readAll());
}

ChangeSet::Entry& ChangeSet::entry(const QString& path) {
    const QString p = normalizePath(path);
    for (Entry& e : entries_)
        if (e.path == p) return e;
    Entry e;
    e.path = p;
    e.before = storedText(p, &e.existed);
    e.after = e.before;
    entries_.push_back(e);
    return entries_.back();
}

QString ChangeSet::text(const QString& path) { return entry(path).after; }

void ChangeSet::setText(const QString& path, const QString& text) {
    Entry& e = entry(path);
    e.after = text;
    e.written = true;
    e.removed = false;
}

void ChangeSet::remove(const QString& path) {
    Entry& e = entry(path);
    e.after.clear();
    e.written = true;
    e.removed = true;
}

void ChangeSet::appendWithHead(const QString& path, const QString& head, const QString& text) {
    QString current = this->text(path);
    if (current.size() < 5) current = head;
    setText(path, current + text);
}

Amount ChangeSet::amount(const QString& path) {
    const QString t = text(path);
    return Amount::parseLenient(t.left(t.indexOf(u'\n') < 0 ? t.size() : t.indexOf(u'\n')).left(20));
}

void ChangeSet::addAmount(const QString& path, Amount delta) {
    setText(path, (amount(path) + delta).toText() + QStringLiteral("\n"));
}

bool ChangeSet::touches(const QString& path) const {
    const QString p = normalizePath(path);
    for (const Entry& e : entries_)
        if (e.path == p) return true;
    return false;
}

std::vector<ChangeSet::Entry> ChangeSet::changes() const {
    std::vector<Entry> out;
    for (const Entry& e : entries_)
        if (e.removed ? e.existed : e.written && (e.after != e.before || !e.existed))
            out.push_back(e);
    return out;
}

int storedCounter(const PathTable& paths) {
    return int(textToInteger(storedText(paths.verCounter)));
}

QString bookingUndoPath(const PathTable& paths) {
    return joinPath(paths.bokforingDir, QStringLiteral("_bokning_pagar.kdb"));
}

namespace {

// True when a repair of the year brings the file back (or removes it when it
// has no second copy), so the undo record need not hold it.
bool repairCovers(const PathTable& paths, const QString& path) {
    for (const QString& name : vatFileNames())
        if (normalizePath(joinPath(paths.bokforingDir, name)) == path) return true;
    for (const VitalFile& v : fixedVitalFiles())
        if (v.restored && normalizePath(joinPath(paths.bokforingDir, v.name)) == path) return true;
    return false;
}

QString contentHash(const QString& text) {
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex());
}

// The undo record: the number, then per file its path, whether it existed,
// its length in characters and its content. A change that consumes no
// number cannot be told finished by the counter; its first line also gives
// the count of witness lines that follow, one per file of the change (the
// hash of the content it gets, and its path): the change reached the books
// when every one of them holds that content.
QString undoRecord(int number, const std::vector<ChangeSet::Entry>& files,
                   const std::vector<ChangeSet::Entry>& all) {
    QString t = QString::number(number);
    if (number == 0) {
        t += u' ' + QString::number(all.size()) + u'\n';
        for (const ChangeSet::Entry& e : all) t += contentHash(e.after) + u' ' + e.path + u'\n';
    } else {
        t += u'\n';
    }
    for (const ChangeSet::Entry& e : files)
        t += e.path + u'\n' + (e.existed ? u'1' : u'0') + u'\n' + QString::number(e.before.size()) +
             u'\n' + e.before;
    return t;
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

// Puts back every file of the set that was written; 0 when all came back.
int undoWrites(const std::vector<ChangeSet::Entry>& written) {
    int failures = 0;
    for (auto it = written.rbegin(); it != written.rend(); ++it)
        if (restoreFile(it->path, it->existed, it->before) != 0) ++failures;
    return failures;
}

} // namespace

CommitOutcome commitChangeSet(const PathTable& paths, const ChangeSet& set, int number) {
    CommitOutcome out;
    if (changeInProgress(paths)) {
        // An earlier change was left unfinished: the year must be repaired
        // before anything is written on top of it.
        out.message = unfinishedChangeMessage();
        return out;
    }
    const std::vector<ChangeSet::Entry> all = set.changes();

    std::vector<ChangeSet::Entry> uncovered;
    for (const ChangeSet::Entry& e : all)
        if (!repairCovers(paths, e.path)) uncovered.push_back(e);
    const QString undoPath = bookingUndoPath(paths);
    if (!uncovered.empty() && writeText(undoPath, undoRecord(number, uncovered, all)) != 0) {
        out.message = saveFailedMessage(undoPath);
        return out;
    }

    if (const ChangeResult r = beginChange(paths); !r.ok()) {
        if (!uncovered.empty()) deleteFile(undoPath);
        out.message = r.message();
        return out;
    }

    std::vector<ChangeSet::Entry> written;
    for (const ChangeSet::Entry& e : all) {
        if ((e.removed ? deleteFile(e.path) : writeText(e.path, e.after)) != 0) {
            out.message = saveFailedMessage(e.path);
            written.push_back(e); // a failed atomic write may still have replaced nothing; undo is safe
            if (undoWrites(written) == 0 && finishChange(paths).ok() && !uncovered.empty())
                deleteFile(undoPath);
            return out;
        }
        written.push_back(e);
    }

    if (const ChangeResult r = finishChange(paths); !r.ok()) {
        // The mark stays: the next check puts the year back as it was, and
        // the undo record puts back the registers.
        out.message = r.message();
        return out;
    }
    if (!uncovered.empty()) deleteFile(undoPath);
    out.ok = true;
    out.number = number;
    return out;
}

int recoverInterruptedBooking(const PathTable& paths) {
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
