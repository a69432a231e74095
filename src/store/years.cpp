#include "store/years.h"

#include "store/clock.h"
#include "store/file_names.h"
#include "store/integrity.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/text_codec.h"
#include "store/text_util.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace mv {

namespace {

Message stopMessage(const QString& text) {
    return {QStringLiteral("MEDDELANDE"), text, QStringLiteral("STOP"), QStringLiteral("OK")};
}

bool isFile(const QString& path) {
    return QFileInfo(normalizePath(path)).isFile();
}

// The stored lines of a file, an unterminated last line included.
QStringList allLines(const QString& path) {
    QFile f(normalizePath(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString text = decodeStored(f.readAll());
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    if (text.isEmpty()) return {};
    return text.split(QLatin1Char('\n'));
}

// The system's words for why a year folder could not be made at `target`.
// The reason shown when a file of the new year or of the year list could
// not be written.
QString notWrittenReason(const QString& path) {
    return QStringLiteral("Filen ") + path + QStringLiteral(" kunde inte skrivas.");
}

QString failureReason(const QString& target) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path p(QFile::encodeName(normalizePath(target)).toStdString());
    if (fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec)
        return QString::fromLocal8Bit(
            std::make_error_code(std::errc::file_exists).message().c_str());
    const QString parent = QFileInfo(normalizePath(target)).absolutePath();
    if (!QFileInfo(parent).isWritable())
        return QString::fromLocal8Bit(
            std::make_error_code(std::errc::permission_denied).message().c_str());
    return QString::fromLocal8Bit(std::make_error_code(std::errc::io_error).message().c_str());
}

// A new year is built here and moved into place whole when it is complete,
// so a crash never leaves half a year under the year's own name.
QString stagingFolder(const QString& year) {
    return joinPath(drive::dir, QStringLiteral("skapas_") + year);
}

int addToCreatedYears(const QString& year) {
    QFile f(normalizePath(drive::createdYears));
    QByteArray existing;
    if (f.open(QIODevice::ReadOnly)) existing = f.readAll();
    f.close();
    if (characterCount(drive::createdYears) < 2)
        return writeText(drive::createdYears, year + u'\n');
    // A list whose last line lacks its line end gets one, so the years stay apart.
    const QString lead = existing.endsWith('\n') ? QString() : QStringLiteral("\n");
    return appendText(drive::createdYears, lead + year + u'\n', SepNone);
}

// Copies a file whole when it exists. 0 copied or no source, 1 failed.
int copyIfPresent(const QString& to, const QString& from) {
    if (!isFile(from)) return 0;
    return copyFile(to, from, QStringLiteral("SAVE_IF_EXIST")) != 0 ? 1 : 0;
}

// A name list and every file it names.
int carryRegister(const QString& listTo, const QString& listFrom,
                  QString (PathTable::*fileOf)(const QString&) const, const PathTable& from,
                  const PathTable& to) {
    if (!isFile(listFrom)) return 0;
    int failures = copyIfPresent(listTo, listFrom);
    for (const QString& name : allLines(listFrom)) {
        if (!isSafeFileName(name)) continue; // never a path outside the register folder
        const QString source = (from.*fileOf)(name);
        const QString target = (to.*fileOf)(name);
        if (isFile(source))
            failures += copyIfPresent(target, source);
        else
            failures += createEmpty(target) != 0;
    }
    return failures;
}

int writeInitialFiles(const PathTable& p) {
    int failures = 0;
    failures += writeText(p.company, initialCompanyText()) != 0;
    failures += writeText(p.settings, defaultSettingsText()) != 0;
    failures += writeText(p.backupPaths, initialBackupText()) != 0;
    failures += writeText(p.invoiceTexts, initialInvoiceText()) != 0;
    failures += createEmpty(p.closing(QStringLiteral("inventarielista_avskr"))) != 0;
    for (int i = 1; i <= 6; ++i)
        failures +=
            writeText(p.moneyAccountName(i), defaultMoneyAccountNames()[i - 1] + u'\n') != 0;
    return failures;
}

} // namespace

QStringList createdYears() {
    return allLines(drive::createdYears);
}

QString suggestedNewYear() {
    QString text;
    if (readWhole(drive::lastCreatedYear, text) == 0) {
        const QStringList lines = readFields(text);
        if (!lines.isEmpty() && isYearText(lines[0])) return QString::number(lines[0].toInt() + 1);
    }
    return QString::number(now().date().year());
}

QString initialCompanyText() {
    return QString(12, QLatin1Char('\n'));
}
QString initialBackupText() {
    return QStringLiteral("C:\\\n");
}
QString initialInvoiceText() {
    return QString(10, QLatin1Char('\n'));
}

int carryOver(const PathTable& from, const PathTable& to) {
    int failures = 0;
    failures += copyIfPresent(to.company, from.company);
    failures += copyIfPresent(to.invoiceTexts, from.invoiceTexts);
    failures += copyIfPresent(to.settings, from.settings);
    failures += copyIfPresent(to.backupPaths, from.backupPaths);
    failures += carryRegister(to.customerList, from.customerList, &PathTable::customer, from, to);
    failures += carryRegister(to.supplierList, from.supplierList, &PathTable::supplier, from, to);
    failures += copyIfPresent(to.incomeFreeTexts, from.incomeFreeTexts);
    failures += copyIfPresent(to.expenseFreeTexts, from.expenseFreeTexts);
    failures += copyIfPresent(to.articleRegister, from.articleRegister);
    return failures;
}

int listUnlistedYears() {
    const QStringList listed = createdYears();
    QStringList unlisted;
    for (const QString& name : QDir(QStringLiteral(".")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (isYearText(name) && !listed.contains(name) && isFile(buildPathTable(name).moneyAccountName(1)))
            unlisted << name;
    if (unlisted.isEmpty()) return 0;
    int failures = 0;
    QString last;
    const bool hadLast = readWhole(drive::lastCreatedYear, last) == 0;
    if (!hadLast || last.trimmed() < unlisted.last())
        failures += writeText(drive::lastCreatedYear, unlisted.last() + u'\n') != 0;
    for (const QString& year : unlisted) failures += addToCreatedYears(year) != 0;
    return failures;
}

CreateYearOutcome createYear(const QString& typedYear, const PathTable& selected,
                             bool selectedLocked, int& firstStartProgress,
                             const ShowMessage& show) {
    CreateYearOutcome out;
    if (selectedLocked) return out;
    const QString year = typedYear.trimmed();
    bool digits = year.size() == 4;
    for (QChar c : year)
        digits = digits && c >= u'0' && c <= u'9';
    if (!digits) {
        if (show) show(yearNotFourDigitsMessage());
        out.code = 2;
        return out;
    }
    if (year[0] != u'2') {
        if (show) show(yearNotThisCenturyMessage());
        out.code = 1;
        return out;
    }

    const PathTable p = buildPathTable(year);
    if (QFileInfo::exists(normalizePath(p.yearDir))) {
        if (show) show(yearExistsMessage());
        return out;
    }
    createDirectory(drive::dir);
    const QString staging = stagingFolder(year);
    if (deleteTree(staging) != 0 || createDirectory(staging) != 0) {
        if (show) show(yearNotCreatedMessage(failureReason(staging)));
        return out;
    }

    // Inside the staging folder single failures do not stop the creation:
    // the year's first stamps and copies cover whatever was written.
    const PathTable s = buildPathTable(staging);
    for (const QString& dir : {s.bokforingDir, s.fskDir, s.fakturorDir, s.foretagetDir,
                               s.fritextDir, s.kontolistorDir, s.kunderDir, s.leverantorerDir})
        createDirectory(dir);
    writeAccountLists(staging);
    writeInitialFiles(s);
    if (isYearText(selected.year)) carryOver(selected, s);
    // Without its vital files, stamps and second copies the new year would
    // fail its first check: then it is not created at all.
    ChangeResult sealed;
    if (createMissingVitalFiles(s) != 0) sealed = {ChangeResult::WriteFailed, s.bokforingDir};
    if (sealed.ok()) sealed = finishChange(s);
    if (!sealed.ok()) {
        const QString reason = notWrittenReason(sealed.path);
        deleteTree(staging);
        if (show) show(yearNotCreatedMessage(reason));
        return out;
    }

    if (renamePath(staging, p.yearDir) != 0) {
        const QString reason = failureReason(p.yearDir);
        deleteTree(staging);
        if (show) show(yearNotCreatedMessage(reason));
        return out;
    }
    // A year that cannot be listed is taken back, with the last-created
    // mark as it was, so the year list and the folders always agree.
    QString previousLast;
    const bool hadLast = readWhole(drive::lastCreatedYear, previousLast) == 0;
    const bool lastWritten = writeText(drive::lastCreatedYear, year + u'\n') == 0;
    if (!lastWritten || addToCreatedYears(year) != 0) {
        const QString reason =
            notWrittenReason(lastWritten ? drive::createdYears : drive::lastCreatedYear);
        if (hadLast) writeText(drive::lastCreatedYear, previousLast);
        else deleteFile(drive::lastCreatedYear);
        if (renamePath(p.yearDir, staging) == 0) deleteTree(staging);
        if (show) show(yearNotCreatedMessage(reason));
        return out;
    }

    if (show) show(yearCreatedMessage());
    if (firstStartProgress == 1) firstStartProgress = 2;
    out.created = true;
    return out;
}

QString yearTitle(const QString& year, bool locked) {
    QString title = QStringLiteral("MerValla för år  ") + year;
    if (locked) title += QStringLiteral(" ÅRET ÄR LÅST FÖR REDIGERING");
    return title;
}

QString closingButtonLabel(const QString& year) {
    return QStringLiteral("SLUTFÖR ÅR ") + year;
}

int readLockState(const PathTable& paths) {
    QString text;
    return readWhole(paths.lockMark, text);
}

ActivateOutcome activateYear(const QString& typedYear, const PathTable& previous,
                             const QString& workingDir, int& firstStartProgress,
                             bool& shutdownCheckDone, const ShowMessage& show) {
    ActivateOutcome out;
    const QString year = typedYear.trimmed();
    const PathTable p = buildPathTable(year);
    if (!isYearText(year) || sizeMeasure(p.moneyAccountName(1)) == -2) {
        if (show) show(yearMissingMessage());
        return out;
    }
    if (writeText(drive::selectedYear, year + u'\n') != 0) {
        if (show) show(saveFailedMessage(drive::selectedYear));
        return out;
    }
    if (previous.year != year) leaveYear(previous, shutdownCheckDone);

    out.activated = true;
    out.year = year;
    out.yearLocked = readLockState(p);
    out.title = yearTitle(year, out.yearLocked == 0);
    out.closingLabel = closingButtonLabel(year);
    loadYearRecord(p, workingDir, firstStartProgress);
    if (firstStartProgress == 1) {
        if (show) show(firstStartMessage());
        firstStartProgress = 3;
    }
    out.postCommand = 1015;
    return out;
}

Message yearNotFourDigitsMessage() {
    return stopMessage(QStringLiteral("Året måste bestå av 4 siffror!\n\n"));
}
Message yearNotThisCenturyMessage() {
    return stopMessage(QStringLiteral("Årtalet måsta vara på 2000-talet!\n\n"));
}
Message yearExistsMessage() {
    return stopMessage(QStringLiteral("Bokföringsåret finns redan!\n\n"));
}
Message yearNotCreatedMessage(const QString& reason) {
    return stopMessage(QStringLiteral("Bokföringsåret kunde inte skapas!\n\n") + reason);
}
Message yearCreatedMessage() {
    return {QStringLiteral("MEDDELANDE"), QStringLiteral("\n\nNytt bokföringsår är skapat!\n\n"),
            QStringLiteral("INFORMATION"), QStringLiteral("OK")};
}
Message yearMissingMessage() {
    return {QStringLiteral("VARNING"), QStringLiteral("Året du försöker aktivera finns inte!"),
            QStringLiteral("EXCLAMATION"), QStringLiteral("OK")};
}
Message firstStartMessage() {
    Message m{QStringLiteral("FÖRSTA START"),
              QStringLiteral("Nu kan du börja bokföra om så önskas!\n\nFör att allt skall fungera "
                             "korrekt, genomför också steg 3!"),
              QString(), QStringLiteral("OK")};
    m.plain = true;
    return m;
}

} // namespace mv
