#include "store/stamping.h"

#include "store/clock.h"
#include "store/file_digest.h"
#include "store/paths.h"
#include "store/text_codec.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace mv {

QString digestRecordPath(const PathTable& paths) {
    return joinPath(paths.bokforingDir, digestRecordFileName);
}

QDateTime renewalMoment() {
    QDateTime t = now();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    return t;
}

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(normalizePath(path));
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

std::uint64_t hashOf(const QString& path) {
    std::uint64_t d = digestStart;
    digestOfFile(path, d);
    return d;
}

// The digest a vital file will have after the change; false when the file
// was changed outside the program (its content differs from its record)
// and that may not be sealed in. A file that stands as the record says keeps
// its recorded digest without being read.
bool digestAfter(const QString& path, const FileState& state, const VitalChange* change,
                 const DigestRecord& record, const QString& name, bool acceptAsItStands,
                 std::uint64_t& digest) {
    if (change && change->kind == FileStep::Write) {
        digest = digestOf(change->bytes);
        return true;
    }
    const auto recorded = record.constFind(name);
    std::uint64_t before = 0;
    if (recorded != record.cend() && recorded->matches(state)) {
        before = recorded->digest;
    } else {
        before = hashOf(path);
        if (recorded != record.cend() && recorded->digest != before && !acceptAsItStands)
            return false;
    }
    digest = change && change->kind == FileStep::Append ? digestOf(change->bytes, before) : before;
    return true;
}

// The step that brings the second copy up to date with the book.
void addMirrorStep(const QString& book, const FileState& bookState, const QString& copy,
                   const VitalChange* change, bool copyAll, std::vector<FileStep>& steps) {
    const FileState copyState = fileState(copy);
    if (!change) {
        if (copyAll || !copyState.exists) steps.push_back(FileStep::write(copy, bytesOf(book)));
        return;
    }
    switch (change->kind) {
    case FileStep::Write: steps.push_back(FileStep::write(copy, change->bytes)); break;
    case FileStep::Append:
        // The copy takes the same bytes when it is exactly what the book was.
        if (copyState.exists && copyState.size == bookState.size)
            steps.push_back(FileStep::append(copy, change->bytes));
        else
            steps.push_back(FileStep::write(copy, bytesOf(book) + change->bytes));
        break;
    case FileStep::Remove: steps.push_back(FileStep::remove(copy)); break;
    default: break;
    }
}

} // namespace

ChangeResult addStampSteps(const PathTable& paths, const std::vector<VitalChange>& changes,
                           std::vector<FileStep>& steps, const StampOptions& options) {
    QHash<QString, const VitalChange*> byName;
    for (const VitalChange& c : changes) byName.insert(c.name, &c);
    std::vector<VitalFile> files = vitalFiles(paths);
    const QStringList vatNames = vatFileNames();
    for (const VitalChange& c : changes) {
        const bool listed = std::any_of(files.begin(), files.end(),
                                        [&](const VitalFile& f) { return f.name == c.name; });
        if (!listed && vatNames.contains(c.name)) files.push_back({c.name, true, true, true, true});
    }

    DigestRecord record;
    readDigestRecord(digestRecordPath(paths), record);
    QMap<QString, std::uint64_t> digests;
    QStringList stamped;
    std::vector<FileStep> mirrors;
    for (const VitalFile& f : files) {
        const QString path = joinPath(paths.bokforingDir, f.name);
        const FileState state = fileState(path);
        const VitalChange* change = byName.value(f.name, nullptr);
        const bool existsAfter = change ? change->kind != FileStep::Remove : state.exists;
        if (!existsAfter) {
            if (f.stamped && !change) return {ChangeResult::MissingFile, path};
            if (change && f.copied && options.mirror)
                addMirrorStep(path, state, paths.secondCopy(f.name), change, options.copyAll, mirrors);
            continue;
        }
        std::uint64_t digest = options.knownDigests.value(f.name);
        if (!options.knownDigests.contains(f.name) &&
            !digestAfter(path, state, change, record, f.name, options.acceptAsItStands, digest))
            return {ChangeResult::ChangedOutside, path};
        digests.insert(f.name, digest);
        if (f.copied && options.mirror)
            addMirrorStep(path, state, paths.secondCopy(f.name), change, options.copyAll, mirrors);
        if (f.stamped) stamped << path;
    }

    const QDateTime moment = renewalMoment();
    if (!QFileInfo(normalizePath(paths.fskDir)).isDir())
        steps.push_back(FileStep::makeFolder(paths.fskDir));
    steps.insert(steps.end(), mirrors.begin(), mirrors.end());
    for (const QString& path : stamped) steps.push_back(FileStep::setTime(path, moment));
    const QByteArray stamp = encodeStored(stampText(moment));
    steps.push_back(FileStep::write(paths.stamp, stamp, moment));
    steps.push_back(FileStep::write(paths.secondCopy(stampFileName), stamp, moment));
    FileStep digestStep = FileStep::write(digestRecordPath(paths), QByteArray());
    const QString folder = paths.bokforingDir;
    digestStep.produce = [folder, digests] {
        DigestRecord r;
        for (auto it = digests.cbegin(); it != digests.cend(); ++it) {
            const FileState s = fileState(joinPath(folder, it.key()));
            if (s.exists) r.insert(it.key(), {s.size, s.lastWriteMs, s.statusChangeMs, it.value()});
        }
        return digestRecordBytes(r);
    };
    steps.push_back(digestStep);
    return {};
}

} // namespace mv
