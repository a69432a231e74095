#include "store/integrity.h"

#include "store/change_journal.h"
#include "store/clock.h"
#include "store/file_digest.h"
#include "store/paths.h"
#include "store/stamping.h"
#include "store/record_file.h"
#include "store/text_util.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mv {

namespace {

const QStringList& vatFamilies() {
    static const QStringList list = {QStringLiteral("konto_moms_inkomst_"),
                                     QStringLiteral("konto_moms_omvand_"),
                                     QStringLiteral("konto_moms_utgift_")};
    return list;
}

// The closing values that are vital: all of the year's closing files but
// "inventarier" and "varulager_avskrivet".
const QStringList& vitalClosingNames() {
    static const QStringList list = [] {
        QStringList names = closingValueNames();
        names.removeAll(QStringLiteral("inventarier"));
        names.removeAll(QStringLiteral("varulager_avskrivet"));
        return names;
    }();
    return list;
}

std::vector<VitalFile> buildFixedVitalFiles() {
    std::vector<VitalFile> files;
    auto all = [&](const QString& name) { files.push_back({name, true, true, true, true}); };
    for (const char* name : {"__in_verifikation.kdb", "__ut_verifikation.kdb", "_dagbok.kdb",
                             "_dat.kdb", "_kassabok.kdb", "_ver.kdb"})
        all(QString::fromUtf8(name));
    for (const QString& name : vitalClosingNames())
        all(QStringLiteral("bokslut_") + name + QStringLiteral(".kdb"));
    const QString reverseIncome = QStringLiteral("Inkomst, Omvänd moms");
    const QString reverseExpense = QStringLiteral("Utgift, Omvänd moms");
    for (const QStringList* list : {&incomeAccounts(), &expenseAccounts()})
        for (const QString& account : *list)
            if (account != reverseIncome && account != reverseExpense)
                all(QStringLiteral("konto_") + account + QStringLiteral(".kdb"));
    for (const char* loan :
         {"Inlåning, Från bank", "Inlåning, Från ägaren", "Inlåning, Från annan"})
        all(QStringLiteral("konto_") + QString::fromUtf8(loan) + QStringLiteral("_fga_summa.kdb"));
    for (int i = 1; i <= 6; ++i)
        all(QStringLiteral("konto_fordbelopp_%1.kdb").arg(i));
    all(QStringLiteral("konto_kassa.kdb"));
    // Reverse-charge totals follow the VAT files of their rates, which are compared.
    files.push_back({QStringLiteral("konto_") + reverseIncome + QStringLiteral(".kdb"), false, true,
                     true, true});
    files.push_back({QStringLiteral("konto_") + reverseExpense + QStringLiteral(".kdb"), false,
                     true, true, true});
    // The transfer verifications are not compared, but a repair must bring
    // them back with _ver.kdb, or the two disagree.
    files.push_back({QStringLiteral("__kassa_verifikation.kdb"), false, true, true, true});
    files.push_back({QStringLiteral("konto_Oresutjamning.kdb"), false, false, true, true});
    return files;
}

QString inBokforing(const PathTable& paths, const QString& name) {
    return joinPath(paths.bokforingDir, name);
}

bool isFile(const QString& path) {
    return QFileInfo(normalizePath(path)).isFile();
}
bool isDir(const QString& path) {
    return QFileInfo(normalizePath(path)).isDir();
}


QByteArray rawBytes(const QString& path) {
    QFile f(normalizePath(path));
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

QString newCopiesDir(const PathTable& paths) {
    return inBokforing(paths, newCopiesFolderName);
}
QString oldCopiesDir(const PathTable& paths) {
    return inBokforing(paths, oldCopiesFolderName);
}

} // namespace

const std::vector<VitalFile>& fixedVitalFiles() {
    static const std::vector<VitalFile> files = buildFixedVitalFiles();
    return files;
}

QStringList vatFileNames() {
    QStringList names;
    for (const QString& family : vatFamilies())
        for (int n = 1; n <= highestVatFileRate; ++n)
            names << family + QString::number(n) + QStringLiteral(".kdb");
    return names;
}

std::vector<VitalFile> vitalFiles(const PathTable& paths) {
    std::vector<VitalFile> files = fixedVitalFiles();
    // A VAT file whose second copy exists is vital even when it is gone: a
    // deleted VAT total must be found, not silently taken as nothing.
    for (const QString& name : vatFileNames())
        if (isFile(inBokforing(paths, name)) || isFile(paths.secondCopy(name)))
            files.push_back({name, true, true, true, true});
    return files;
}

// --- Renewal -------------------------------------------------------------------

ChangeResult renewStamps(const PathTable& paths) {
    std::vector<FileStep> steps;
    StampOptions options;
    options.acceptAsItStands = true;
    if (const ChangeResult r = addStampSteps(paths, {}, steps, options); !r.ok()) return r;
    const ChangeOutcome c = applyChange(steps);
    if (!c.ok()) return {ChangeResult::WriteFailed, c.path};
    return {};
}

ChangeResult renewSecondCopies(const PathTable& paths) {
    if (recoverSecondCopies(paths) != 0) return {ChangeResult::WriteFailed, paths.fskDir};
    const std::vector<VitalFile> files = vitalFiles(paths);
    for (const VitalFile& f : files)
        if (f.copied && !isFile(inBokforing(paths, f.name)))
            return {ChangeResult::MissingFile, inBokforing(paths, f.name)};
    if (!isFile(paths.stamp)) return {ChangeResult::MissingFile, paths.stamp};

    // The new copies are built beside the old ones; only a complete folder is
    // ever swapped in.
    const QString fresh = newCopiesDir(paths);
    if (deleteTree(fresh) != 0 || createDirectory(fresh) != 0)
        return {ChangeResult::WriteFailed, fresh};
    for (const VitalFile& f : files) {
        if (!f.copied) continue;
        const QString target = joinPath(fresh, f.name);
        if (copyFile(target, inBokforing(paths, f.name), QStringLiteral("SAVE_IF_EXIST")) != 0)
            return {ChangeResult::WriteFailed, target};
    }
    const QString stampCopy = joinPath(fresh, stampFileName);
    if (copyFile(stampCopy, paths.stamp, QStringLiteral("SAVE_IF_EXIST")) != 0)
        return {ChangeResult::WriteFailed, stampCopy};
    const QString complete = joinPath(fresh, copiesCompleteFileName);
    if (writeText(complete, QStringLiteral("1\n")) != 0)
        return {ChangeResult::WriteFailed, complete};

    if (recoverSecondCopies(paths) != 0) return {ChangeResult::WriteFailed, paths.fskDir};
    return {};
}

int recoverSecondCopies(const PathTable& paths) {
    const QString current = paths.fskDir;
    const QString fresh = newCopiesDir(paths);
    const QString old = oldCopiesDir(paths);
    int failures = 0;

    if (isDir(fresh)) {
        if (isFile(joinPath(fresh, copiesCompleteFileName))) {
            // A complete new folder: finish the swap.
            if (isDir(current) && isDir(old) && deleteTree(old) != 0) return 1;
            if (isDir(current) && renamePath(current, old) != 0) return 1;
            if (renamePath(fresh, current) != 0) return 1;
        } else if (deleteTree(fresh) != 0) {
            // An incomplete one is dropped; the old copies stand.
            return 1;
        }
    }
    if (isDir(old)) {
        if (isDir(current))
            failures += deleteTree(old) != 0;
        else
            failures += renamePath(old, current) != 0;
    }
    return failures ? 1 : 0;
}

ChangeResult beginChange(const PathTable& paths) {
    const QString mark = inBokforing(paths, changeMarkFileName);
    if (writeText(mark, QStringLiteral("1\n")) != 0) return {ChangeResult::WriteFailed, mark};
    return {};
}

ChangeResult finishChange(const PathTable& paths) {
    std::vector<FileStep> steps;
    const QString mark = inBokforing(paths, changeMarkFileName);
    if (isFile(mark)) steps.push_back(FileStep::remove(mark));
    StampOptions options;
    options.acceptAsItStands = true;
    options.copyAll = true;
    if (const ChangeResult r = addStampSteps(paths, {}, steps, options); !r.ok()) return r;
    const ChangeOutcome c = applyChange(steps);
    if (!c.ok()) return {ChangeResult::WriteFailed, c.path};
    return {};
}

bool changeInProgress(const PathTable& paths) {
    return isFile(inBokforing(paths, changeMarkFileName));
}

int createMissingVitalFiles(const PathTable& paths) {
    int failures = 0;
    for (const VitalFile& f : fixedVitalFiles()) {
        const QString path = inBokforing(paths, f.name);
        if (!isFile(path)) failures += createEmpty(path) != 0;
    }
    return failures;
}

// --- Check ----------------------------------------------------------------------

QString stampText(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return QStringLiteral("Tidsstämpel är : %1-%2-%3   %4:%5:%6")
        .arg(d.year())
        .arg(d.month())
        .arg(d.day())
        .arg(t.hour())
        .arg(t.minute())
        .arg(t.second());
}

int timesDisagree(const QDateTime& file, const QDateTime& stamp) {
    const QDateTime a = file.toLocalTime();
    const QDateTime b = stamp.toLocalTime();
    if (a.date() != b.date()) return 1;
    const int d = a.time().msecsSinceStartOfDay() / 1000 - b.time().msecsSinceStartOfDay() / 1000;
    return d < -20 || d > 20 ? 1 : 0;
}

namespace {

QDateTime timeOf(const FileState& s) {
    return QDateTime::fromMSecsSinceEpoch(s.lastWriteMs);
}

// The time rule over what the file system says of the file and the stamp.
int compareStates(const QString& filePath, const FileState& file, const QString& stampPath,
                  const FileState& stamp, const ShowMessage& show) {
    if (!file.exists && !stamp.exists) return 0;
    if (!file.exists) {
        if (show) show(missingFileMessage(filePath));
        return 1;
    }
    if (!stamp.exists) {
        if (show) show(missingFileMessage(stampPath));
        return 1;
    }
    return timesDisagree(timeOf(file), timeOf(stamp));
}

// 1 when a file that agrees with the stamp no longer has the content its
// record gives (it is hashed only when its size or times differ from the
// record); stale is set when the record should be renewed.
int compareWithRecord(const QString& path, const FileState& state, const QString& name,
                      const DigestRecord& record, bool& stale) {
    const auto e = record.constFind(name);
    if (e == record.cend()) {
        stale = true;
        return 0;
    }
    if (e->matches(state)) return 0;
    std::uint64_t digest = 0;
    if (!digestOfFile(path, digest) || digest != e->digest) return 1;
    stale = true; // the same content with new times (a copied or restored folder)
    return 0;
}

// Renews the digest record of a year found unchanged: entries that stand
// are kept, missing ones are added, and one whose file has new times but the
// same content gets the new times. An entry whose file's content differs is
// kept as it is, so that the second copy can still be told sound.
void renewDigestRecord(const PathTable& paths, const DigestRecord& old) {
    DigestRecord record;
    for (const VitalFile& f : vitalFiles(paths)) {
        if (!f.copied && !f.stamped) continue;
        const QString path = inBokforing(paths, f.name);
        const FileState s = fileState(path);
        if (!s.exists) continue;
        const auto e = old.constFind(f.name);
        if (e != old.cend() && e->matches(s)) {
            record.insert(f.name, *e);
            continue;
        }
        std::uint64_t digest = 0;
        if (!digestOfFile(path, digest)) continue;
        if (e != old.cend() && digest != e->digest)
            record.insert(f.name, *e);
        else
            record.insert(f.name, {s.size, s.lastWriteMs, s.statusChangeMs, digest});
    }
    writeBytes(digestRecordPath(paths), digestRecordBytes(record));
}

} // namespace

int compareWithStamp(const QString& filePath, const QString& stampPath, const ShowMessage& show) {
    return compareStates(filePath, fileState(filePath), stampPath, fileState(stampPath), show);
}

CheckOutcome checkIntegrity(const PathTable& paths, int& abortKey, bool& shutdownCheckDone,
                            const ShowMessage& show) {
    CheckOutcome out;
    // A change a crash interrupted is taken back before anything is compared;
    // one that cannot be taken back leaves the year changed.
    if (recoverInterruptedChange() != 0) out.sum += 1;
    recoverSecondCopies(paths);
    if (!shutdownCheckDone) {
        QString mark;
        if (readWhole(paths.shutdownMark, mark) == 0 && textToInteger(mark) == 1) out.sum += 1000;
        writeText(paths.shutdownMark, QStringLiteral("1\n"));
        shutdownCheckDone = true;
    }

    // A missing stamp would be reported once per vital file; once is enough.
    bool stampReported = false;
    const ShowMessage once = [&](const Message& m) {
        if (m == missingFileMessage(paths.stamp)) {
            if (stampReported) return answerOk;
            stampReported = true;
        }
        return show ? show(m) : answerOk;
    };
    const FileState stamp = fileState(paths.stamp);
    DigestRecord record;
    bool recordStale = !readDigestRecord(digestRecordPath(paths), record);
    int found = 0;
    for (const VitalFile& f : vitalFiles(paths)) {
        if (!f.compared) continue;
        const QString path = inBokforing(paths, f.name);
        const FileState state = fileState(path);
        int r = compareStates(path, state, paths.stamp, stamp, once);
        if (r == 0 && state.exists) r = compareWithRecord(path, state, f.name, record, recordStale);
        found += r;
    }
    out.sum += found;
    // A change that never finished leaves the year between two states.
    if (changeInProgress(paths)) out.sum += 1;
    // A year found unchanged gets its digests, or new times for them.
    if (out.sum == 0 && recordStale) renewDigestRecord(paths, record);

    if (out.sum > 0 && abortKey != 27) {
        if (out.sum < 1000) {
            if (show) show(changedFilesWarning());
        } else {
            if (show) show(uncleanShutdownWarning());
            abortKey = 1;
        }
        const CheckOutcome repair = repairWithMessages(paths, show);
        out.repaired = true;
        out.repairFailures = repair.repairFailures;
        out.postCommand = repair.postCommand;
    }
    if (abortKey == 27) {
        if (show) show(checkUnlockedMessage());
        out.sum = 0;
    }
    return out;
}

bool guardAllows(const CheckOutcome& outcome, int& abortKey) {
    const bool allowed = outcome.sum == 0 && abortKey != 1;
    abortKey = 0;
    return allowed;
}

void leaveYear(const PathTable& oldPaths, bool& shutdownCheckDone) {
    if (shutdownCheckDone && isFile(oldPaths.shutdownMark))
        writeText(oldPaths.shutdownMark, QStringLiteral("0\n"));
    shutdownCheckDone = false;
}

// --- Repair ---------------------------------------------------------------------

namespace {

// The steps of a repair: the books that differ from their second copies are
// kept in the repair folder and written from the copies. A damaged copy
// stops the planning: the repair then changes nothing.
class RepairPlan {
  public:
    explicit RepairPlan(const PathTable& paths) : paths_(paths) {
        haveRecord_ = readDigestRecord(digestRecordPath(paths), record_);
        const QString base =
            joinPath(paths.bokforingDir,
                     repairFolderPrefix + now().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
        folder_ = base;
        for (int n = 2; QFileInfo::exists(folder_); ++n) folder_ = base + QStringLiteral("_%1").arg(n);
    }

    // Plans one vital file; false when its second copy is damaged.
    bool restore(const QString& name, bool removable) {
        const QString book = inBokforing(paths_, name);
        const QString copy = paths_.secondCopy(name);
        const FileState bookState = fileState(book);
        if (!fileState(copy).exists) {
            // Only a VAT file the program never wrote may be without a copy.
            if (!removable || record_.contains(name)) return !bookState.exists && removable;
            if (bookState.exists) {
                keep(book);
                steps_.push_back(FileStep::remove(book));
                restored_.push_back({name, FileStep::Remove, QByteArray()});
            }
            return true;
        }
        const QByteArray copyBytes = rawBytes(copy);
        const std::uint64_t digest = digestOf(copyBytes);
        const auto e = record_.constFind(name);
        if (haveRecord_ && e != record_.cend()) {
            if (copyBytes.size() != e->size || digest != e->digest) return false;
        } else if (copyBytes.isEmpty() && bookState.exists && bookState.size > 0) {
            return false;
        }
        known_.insert(name, digest);
        if (bookState.exists && bookState.size == copyBytes.size() && rawBytes(book) == copyBytes)
            return true;
        if (bookState.exists) keep(book);
        steps_.push_back(FileStep::write(book, copyBytes));
        restored_.push_back({name, FileStep::Write, copyBytes});
        return true;
    }

    void removeMark(const QString& path) {
        if (fileState(path).exists) steps_.push_back(FileStep::remove(path));
    }

    // Adds the new stamps and runs the repair as one change. 0 or 1.
    int run() {
        StampOptions options;
        options.mirror = false;
        options.acceptAsItStands = true;
        options.knownDigests = known_;
        if (!addStampSteps(paths_, restored_, steps_, options).ok()) return 1;
        if (!applyChange(steps_).ok()) return 1;
        return 0;
    }

    QString savedFolder() const { return kept_ ? folder_ : QString(); }

  private:
    void keep(const QString& book) {
        if (!kept_) steps_.push_back(FileStep::makeFolder(folder_));
        kept_ = true;
        steps_.push_back(FileStep::write(joinPath(folder_, QFileInfo(book).fileName()), rawBytes(book)));
    }

    const PathTable& paths_;
    DigestRecord record_;
    bool haveRecord_ = false;
    QString folder_;
    bool kept_ = false;
    std::vector<FileStep> steps_;
    std::vector<VitalChange> restored_;
    QMap<QString, std::uint64_t> known_;
};

} // namespace

RepairOutcome repairYear(const PathTable& paths) {
    RepairOutcome out;
    if (recoverInterruptedChange() != 0 || recoverSecondCopies(paths) != 0) {
        out.failures = 1;
        return out;
    }
    RepairPlan plan(paths);
    bool sound = true;
    for (const VitalFile& f : fixedVitalFiles())
        if (f.restored) sound = plan.restore(f.name, false) && sound;
    for (const QString& name : vatFileNames()) sound = plan.restore(name, true) && sound;
    if (!sound) {
        out.failures = 1;
        return out;
    }
    plan.removeMark(inBokforing(paths, changeMarkFileName));
    out.failures = plan.run();
    if (out.failures == 0) out.savedFolder = plan.savedFolder();
    pruneRepairFolders(paths);
    return out;
}

int pruneRepairFolders(const PathTable& paths) {
    QStringList folders = QDir(normalizePath(paths.bokforingDir))
                              .entryList({repairFolderPrefix + QStringLiteral("*")}, QDir::Dirs);
    folders.sort();
    int failures = 0;
    for (qsizetype i = 0; i + keptRepairFolders < folders.size(); ++i)
        failures += deleteTree(joinPath(paths.bokforingDir, folders[i])) != 0;
    return failures;
}

CheckOutcome repairWithMessages(const PathTable& paths, const ShowMessage& show) {
    CheckOutcome out;
    out.repaired = true;
    const RepairOutcome r = repairYear(paths);
    out.repairFailures = r.failures;
    if (!show) return out;
    if (r.failures == 0) {
        if (show(repairSucceededQuestion()) == answerYes) {
            show(backupChosenMessage());
            out.postCommand = 1200;
        }
    } else if (show(repairFailedQuestion()) == answerYes) {
        out.postCommand = 1200;
    }
    return out;
}

} // namespace mv
