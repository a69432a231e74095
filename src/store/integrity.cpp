#include "store/integrity.h"

#include "store/clock.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/text_util.h"

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

QDateTime lastWrite(const QString& path) {
    return QFileInfo(normalizePath(path)).lastModified().toLocalTime();
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

// The moment of a renewal: now, to the whole second (file systems differ in
// what they keep below that).
QDateTime renewalMoment() {
    QDateTime t = now();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    return t;
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
    const std::vector<VitalFile> files = vitalFiles(paths);
    // A missing vital file is reported before anything changes: stamping must
    // never make a lost file look like a valid empty one.
    for (const VitalFile& f : files)
        if (f.stamped && !isFile(inBokforing(paths, f.name)))
            return {ChangeResult::MissingFile, inBokforing(paths, f.name)};

    const QDateTime moment = renewalMoment();
    for (const VitalFile& f : files) {
        if (!f.stamped) continue;
        const QString path = inBokforing(paths, f.name);
        if (setLastWriteTime(path, moment) != 0) return {ChangeResult::WriteFailed, path};
    }
    if (writeText(paths.stamp, stampText(moment)) != 0 ||
        setLastWriteTime(paths.stamp, moment) != 0)
        return {ChangeResult::WriteFailed, paths.stamp};
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
    ChangeResult r = renewStamps(paths);
    if (!r.ok()) return r;
    r = renewSecondCopies(paths);
    if (!r.ok()) return r;
    const QString mark = inBokforing(paths, changeMarkFileName);
    if (isFile(mark) && deleteFile(mark) != 0) return {ChangeResult::WriteFailed, mark};
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

int compareWithStamp(const QString& filePath, const QString& stampPath, const ShowMessage& show) {
    const bool haveFile = sizeMeasure(filePath) != -2;
    const bool haveStamp = sizeMeasure(stampPath) != -2;
    if (!haveFile && !haveStamp) return 0;
    if (!haveFile) {
        if (show) show(missingFileMessage(filePath));
        return 1;
    }
    if (!haveStamp) {
        if (show) show(missingFileMessage(stampPath));
        return 1;
    }
    return timesDisagree(lastWrite(filePath), lastWrite(stampPath));
}

CheckOutcome checkIntegrity(const PathTable& paths, int& abortKey, bool& shutdownCheckDone,
                            const ShowMessage& show) {
    recoverSecondCopies(paths);
    CheckOutcome out;
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
    for (const VitalFile& f : vitalFiles(paths))
        if (f.compared) out.sum += compareWithStamp(inBokforing(paths, f.name), paths.stamp, once);
    // A change that never finished leaves the year between two states.
    if (changeInProgress(paths)) out.sum += 1;

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

class Repairer {
  public:
    explicit Repairer(const PathTable& paths) : paths_(paths) {}

    // Makes `vital` equal to `copy`; without a copy, removes `vital` when
    // removable (a numbered VAT file) and fails otherwise.
    void restore(const QString& vital, const QString& copy, bool removable) {
        if (isFile(copy)) {
            if (isFile(vital) && rawBytes(vital) != rawBytes(copy) && !moveAside(vital)) return;
            if (copyFile(vital, copy, QStringLiteral("SAVE_IF_EXIST")) != 0) ++out_.failures;
        } else if (!removable) {
            ++out_.failures;
        } else if (isFile(vital)) {
            moveAside(vital);
        }
    }

    RepairOutcome outcome() const { return out_; }

  private:
    bool moveAside(const QString& vital) {
        if (out_.savedFolder.isEmpty() && !makeFolder()) {
            ++out_.failures;
            return false;
        }
        if (renamePath(vital, joinPath(out_.savedFolder, QFileInfo(vital).fileName())) != 0) {
            ++out_.failures;
            return false;
        }
        return true;
    }

    bool makeFolder() {
        const QString base =
            joinPath(paths_.bokforingDir,
                     repairFolderPrefix + now().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
        QString folder = base;
        for (int n = 2; isDir(folder) || QFileInfo::exists(folder); ++n)
            folder = base + QStringLiteral("_%1").arg(n);
        if (createDirectory(folder) != 0) return false;
        out_.savedFolder = folder;
        return true;
    }

    const PathTable& paths_;
    RepairOutcome out_;
};

} // namespace

RepairOutcome repairYear(const PathTable& paths) {
    if (recoverSecondCopies(paths) != 0) return {1, QString()};
    // A repair that is itself interrupted must run again at the next check.
    const bool marked = changeInProgress(paths) || beginChange(paths).ok();

    Repairer repairer(paths);
    for (const VitalFile& f : fixedVitalFiles())
        if (f.restored)
            repairer.restore(inBokforing(paths, f.name), paths.secondCopy(f.name), false);
    for (const QString& name : vatFileNames())
        repairer.restore(inBokforing(paths, name), paths.secondCopy(name), true);
    repairer.restore(paths.stamp, paths.secondCopy(stampFileName), false);

    RepairOutcome out = repairer.outcome();
    if (out.failures == 0 && marked) {
        if (deleteFile(inBokforing(paths, changeMarkFileName)) != 0) ++out.failures;
    }
    return out;
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
