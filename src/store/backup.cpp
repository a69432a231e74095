#include "store/backup.h"

#include "store/integrity.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/text_codec.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

namespace mv::backup {

namespace {

const QString kTitle = QStringLiteral("SÄKERHETSKOPIERING");

Message plain(const QString& title, const QString& text) {
    return {title, text, QString(), QStringLiteral("OK"), true};
}

Qt::CaseSensitivity pathCase() {
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

// An absolute, cleaned path with '/' separators; relative paths are taken
// from the working directory. Symbolic links are resolved where the path
// exists, so two spellings of one folder compare equal.
QString resolved(const QString& path, const QString& workingDir) {
    const QString absolute =
        QDir::cleanPath(QDir(workingDir).absoluteFilePath(normalizePath(path)));
    const QString canonical = QFileInfo(absolute).canonicalFilePath();
    return canonical.isEmpty() ? absolute : canonical;
}

// True when `path` is `folder` or lies somewhere below it.
bool sameOrInside(const QString& path, const QString& folder) {
    if (path.compare(folder, pathCase()) == 0) return true;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix, pathCase());
}

bool overlap(const QString& a, const QString& b) {
    return sameOrInside(a, b) || sameOrInside(b, a);
}

// What a backup leaves out: the folders where repairs kept the files they
// replaced (evidence of this computer's repairs, not books), and temporary
// files of writes that never finished.
bool leftOutOfCopies(const QString& relativePath, bool isFolder) {
    const QString name = relativePath.section(u'/', -1);
    if (isFolder)
        return name.startsWith(repairFolderPrefix) &&
               relativePath.section(u'/', -2, -2) == QLatin1String("bokforing");
    return isTemporaryLeftover(name);
}

// True when the entry or a folder above it is left out of copies.
bool leftOut(const QString& relativePath, bool isFolder) {
    if (leftOutOfCopies(relativePath, isFolder)) return true;
    for (qsizetype i = relativePath.indexOf(u'/'); i > 0; i = relativePath.indexOf(u'/', i + 1))
        if (leftOutOfCopies(relativePath.left(i), true)) return true;
    return false;
}

// Every file below source is in copy with the same size, and every folder of
// source could be read (an unreadable folder would otherwise be skipped
// without a word by the tree walk).
bool copyIsComplete(const QString& source, const QString& copy) {
    const QDir srcDir(source);
    QDirIterator it(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QFileInfo info = it.fileInfo();
        if (leftOut(srcDir.relativeFilePath(from), info.isDir())) continue;
        const QFileInfo to(QDir(copy).filePath(srcDir.relativeFilePath(from)));
        if (info.isDir()) {
            if (!info.isReadable() || !info.isExecutable() || !to.isDir()) return false;
        } else if (!to.isFile() || to.size() != info.size()) {
            return false;
        }
    }
    return true;
}

// Makes `destination` a complete copy of `source`: the copy is made in a
// temporary folder beside it and takes the place of the old folder only
// when it is complete. On failure the old folder is as it was and `reason`
// says what went wrong.
bool replaceByCopy(const QString& destination, const QString& source, QString& reason) {
    const QString fresh = destination + QStringLiteral(".tmp");
    const QString previous = destination + QStringLiteral(".old");
    // A run that died between moving the old copy aside and moving the new
    // one in left the old copy aside: put it back before anything else.
    if (!QFileInfo::exists(destination) && QFileInfo(previous).isDir())
        renamePath(previous, destination);
    const bool hadOld = QFileInfo::exists(destination);
    const QString keptNote =
        hadOld ? QStringLiteral("\n\nDen tidigare kopian finns kvar oförändrad.") : QString();

    // Leftovers of an interrupted earlier run go first.
    for (const QString& leftover : {fresh, previous}) {
        if (deleteTree(leftover) != 0) {
            reason = QStringLiteral("En gammal ofullständig kopia kunde inte tas bort:\n") +
                     QDir::toNativeSeparators(leftover) + keptNote;
            return false;
        }
    }
    if (copyFolderContents(fresh, source, leftOutOfCopies) != 0 || !copyIsComplete(source, fresh)) {
        deleteTree(fresh);
        reason = QStringLiteral("Kopian kunde inte skrivas till\n") +
                 QDir::toNativeSeparators(destination) +
                 QStringLiteral("\n\nDisken kan vara full, skrivskyddad eller borttagen.") +
                 keptNote;
        return false;
    }
    if (hadOld) {
        if (renamePath(destination, previous) != 0) {
            deleteTree(fresh);
            reason = QStringLiteral("Den gamla kopian kunde inte ersättas:\n") +
                     QDir::toNativeSeparators(destination) + keptNote;
            return false;
        }
    }
    if (renamePath(fresh, destination) != 0) {
        deleteTree(fresh);
        reason = QStringLiteral("Den nya kopian kunde inte flyttas på plats:\n") +
                 QDir::toNativeSeparators(destination);
        if (!hadOld || renamePath(previous, destination) == 0)
            reason += keptNote;
        else
            reason += QStringLiteral("\n\nDen tidigare kopian finns kvar i\n") +
                      QDir::toNativeSeparators(previous);
        return false;
    }
    // The new copy is in place; an old one that cannot be removed now is
    // removed by the next run.
    if (hadOld) deleteTree(previous);
    return true;
}

// The target resolved for use, or a refusal reason.
struct Place {
    QString folder; // the resolved target folder
    QString reason; // non-empty when the target cannot be used
};

Place checkTarget(const QString& target, const QString& workingDir) {
    const QString usable = usableTarget(target, platformHasDriveLetters(), QDir::homePath());
    if (usable.trimmed().isEmpty())
        return {QString(),
                QStringLiteral("Ingen plats för kopian är angiven under 'Kopiera till'.")};
    const QString folder = resolved(usable, workingDir);
    if (!QFileInfo(folder).isDir())
        return {QString(),
                QStringLiteral("Platsen för kopian finns inte eller kan inte nås:\n") + usable +
                    QStringLiteral("\n\nKontrollera att disken eller USB-minnet är anslutet.")};
    if (sameOrInside(folder, resolved(workingDir, workingDir)))
        return {QString(), QStringLiteral("Platsen för kopian ligger i bokföringens egen mapp:\n") +
                               usable +
                               QStringLiteral("\n\nVälj en plats utanför bokföringens mapp.")};
    return {folder, QString()};
}

} // namespace

QString folderName() {
    return QStringLiteral("MERVALLA_BOKFÖRINGSKOPIA");
}
QString restoreSuffix() {
    return QStringLiteral("_FRÅN_SÄKERHETSKOPIA");
}
QString defaultTarget() {
    return QStringLiteral("C:\\");
}

bool platformHasDriveLetters() {
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

QString usableTarget(const QString& target, bool driveLetters, const QString& home) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/].*)?$"));
    if (!driveLetters && drive.match(target).hasMatch()) return QDir::toNativeSeparators(home);
    return target;
}

int saveTarget(const PathTable& paths, const QString& target, Message& refusal) {
    const QString title = QStringLiteral("INMATNINGSFEL");
    if (target.size() > targetFieldLength) {
        refusal = {title, QStringLiteral("Sökvägen är för lång, högst 255 tecken!"),
                   QStringLiteral("STOP"), QStringLiteral("OK")};
        return 4;
    }
    if (!isCp1252(target) || target.contains(QLatin1Char('\n')) ||
        target.contains(QLatin1Char('\r'))) {
        refusal = {title,
                   QStringLiteral("Sökvägen innehåller tecken som inte kan sparas!\n\n"
                                  "Välj en mapp vars namn bara har vanliga tecken."),
                   QStringLiteral("STOP"), QStringLiteral("OK")};
        return 4;
    }
    return writeText(paths.backupPaths, target + QLatin1Char('\n'));
}

QString backupFolder(const QString& target) {
    return joinPath(target, folderName());
}

QString findBackupFolder(const QString& target) {
    const QString inside = backupFolder(target);
    if (QFileInfo(inside).isDir()) return inside;
    const QString glued = normalizePath(target + folderName());
    if (QFileInfo(glued).isDir()) return glued;
    // A backup run that died between moving the old copy aside and moving
    // the new one in left the old copy under this name.
    const QString aside = inside + QStringLiteral(".old");
    if (QFileInfo(aside).isDir()) return aside;
    return QString();
}

QString restoreFolder(const QString& workingDir) {
    QString dir = normalizePath(workingDir);
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir + restoreSuffix();
}

Message failure(const QString& reason) {
    return {kTitle, QStringLiteral("Säkerhetskopieringen misslyckades!\n\n") + reason,
            QStringLiteral("STOP"), QStringLiteral("OK")};
}

Outcome makeBackup(const QString& workingDir, const QString& target) {
    const Place place = checkTarget(target, workingDir);
    if (!place.reason.isEmpty()) return {false, failure(place.reason), QString()};

    const QString work = resolved(workingDir, workingDir);
    const QString folder = backupFolder(place.folder);
    // Replacing the backup folder must never remove the books themselves.
    for (const QString& f :
         {folder, folder + QStringLiteral(".tmp"), folder + QStringLiteral(".old")}) {
        if (sameOrInside(work, f) || sameOrInside(work, resolved(f, workingDir)))
            return {false,
                    failure(QStringLiteral("Bokföringens mapp ligger i kopians mapp:\n") +
                            QDir::toNativeSeparators(f) +
                            QStringLiteral("\n\nVälj en annan plats för kopian.")),
                    QString()};
    }

    QString reason;
    if (!replaceByCopy(folder, work, reason)) return {false, failure(reason), folder};
    return {true,
            plain(kTitle, QStringLiteral("SÄKERHETSKOPIERING KLAR\n\nEventuellt meddelande under "
                                         "processen beskrev om något gick fel!")),
            folder};
}

Message restoreQuestion(bool manual) {
    QString text = manual ? QStringLiteral("Manuell återställning av säkerhetskopian är valt!")
                          : QStringLiteral("Återställning av säkerhetskopian är valt!");
    text += QStringLiteral("\n\n"
                           "Återställning innebär att  en  säkerhetskopia\n"
                           "av all bokföring i aktuell mapp återställs av\n");
    text += manual ? QStringLiteral("en kopia manuellt.\n") : QStringLiteral("en kopia.\n");
    text += QStringLiteral("Kopian skapas varje gång MerValla  stängs av.\n"
                           "Återställningen medför att allt inmatat måste\n"
                           "göras om som gjorts under denna uppstart.\n"
                           "\n"
                           "\n"
                           "Vill du återställa säkerhetskopian?\n");
    return {QStringLiteral("ÅTERSTÄLLNING AV SÄKERHETSKOPIAN"), text, QStringLiteral("EXCLAMATION"),
            QStringLiteral("yes_NO")};
}

Message restoreCancelled() {
    return plain(kTitle, QStringLiteral("\n\nÅterställningen avbröts!"));
}

namespace {

// The backup folder for a restore, or a refusal reason.
Place findForRestore(const QString& target, const QString& workingDir) {
    const QString usable = usableTarget(target, platformHasDriveLetters(), QDir::homePath());
    if (usable.trimmed().isEmpty())
        return {QString(),
                QStringLiteral("Ingen plats för kopian är angiven under 'Kopiera till'.")};
    // Looks inside the target first, then for a backup stored the old way.
    const QString found =
        findBackupFolder(QDir(workingDir).absoluteFilePath(normalizePath(usable)));
    if (found.isEmpty())
        return {QString(),
                QStringLiteral("Ingen säkerhetskopia hittades på platsen:\n") + usable +
                    QStringLiteral("\n\nKontrollera att disken eller USB-minnet är anslutet.")};
    return {resolved(found, workingDir), QString()};
}

} // namespace

Outcome restoreAutomatically(const QString& workingDir, const QString& target) {
    const Place backup = findForRestore(target, workingDir);
    if (!backup.reason.isEmpty()) return {false, failure(backup.reason), QString()};

    const QString work = resolved(workingDir, workingDir);
    const QString into = restoreFolder(work);
    for (const QString& f : {into, into + QStringLiteral(".tmp"), into + QStringLiteral(".old")}) {
        if (overlap(backup.folder, f) || overlap(work, f))
            return {
                false,
                failure(QStringLiteral("Säkerhetskopian ligger i återställningens mapp:\n") +
                        QDir::toNativeSeparators(backup.folder) +
                        QStringLiteral("\n\nFlytta kopian till en annan plats och försök igen.")),
                QString()};
    }

    QString reason;
    if (!replaceByCopy(into, backup.folder, reason)) return {false, failure(reason), into};
    return {true,
            plain(kTitle,
                  QStringLiteral("ÅTERSTÄLLNING KLAR\n\nEventuellt meddelande under processen "
                                 "beskrev om något gick fel!\n\nNu kommer MerValla att stängas och "
                                 "Uforskaren öppnas.\nI Utforskaren raderas den gamla bokföringen "
                                 "manuellt och namnet ges till kopian.")),
            into};
}

Outcome prepareManualRestore(const QString& workingDir, const QString& target) {
    const Place backup = findForRestore(target, workingDir);
    if (!backup.reason.isEmpty()) return {false, failure(backup.reason), QString()};
    // The folder holding the backup: the target itself, or for a backup
    // stored the old way the folder the glued name lies in.
    return {true, Message(), QFileInfo(backup.folder).absolutePath()};
}

Message exitQuestion() {
    return {
        kTitle,
        QStringLiteral("Vill du skapa säkerhetskopia? Rekommenderas!\nEn säkerhetskopia sparas "
                       "på vald plats och kan ersätta orginalet vid fel.\nKlicka 'Ja'\n\nVill du "
                       "stänga av utan säkerhetskopiering?\nKlicka 'Nej'\n\nVill du återgå till "
                       "programmet?\nKlicka 'Avbryt'"),
        QStringLiteral("QUESTION"), QStringLiteral("yes_NO_cancel")};
}

Message unsavedBookingQuestion() {
    return {QStringLiteral("MEDDELANDE"),
            QStringLiteral("Verifikationen väntar på att beloppet bokas mot ett konto och är inte "
                           "sparad.\n\nVill du avsluta utan att spara den?"),
            QStringLiteral("QUESTION"), QStringLiteral("yes_NO")};
}

Message unsavedWorkQuestion() {
    return {QStringLiteral("MEDDELANDE"),
            QStringLiteral("Det du har skrivit in är inte sparat.\n\nVill du avsluta utan att spara det?"),
            QStringLiteral("QUESTION"), QStringLiteral("yes_NO")};
}

Message endWithoutBackupQuestion() {
    return {kTitle,
            QStringLiteral("Säkerhetskopian kunde inte skapas!\n\nVill du ändå stänga av utan "
                           "säkerhetskopiering?\nKlicka 'Ja'\n\nVill du återgå till programmet och "
                           "välja en annan plats för kopian?\nKlicka 'Nej'"),
            QStringLiteral("QUESTION"), QStringLiteral("yes_NO")};
}

int writeShutdownMark(const PathTable& paths, bool running) {
    return writeText(paths.shutdownMark, running ? QStringLiteral("1\n") : QStringLiteral("0\n"));
}

int deleteUpdateLeftovers(const QString& workingDir) {
    int failures = 0;
    for (const QString& name : drive::updateLeftovers()) {
        const QString path = joinPath(workingDir, name);
        if (QFileInfo::exists(path) && deleteFile(path) != 0) ++failures;
    }
    return failures;
}

ExitResult runExit(const ExitContext& c) {
    const auto show = [&c](const Message& m) { return c.show ? c.show(m) : answerOk; };
    const auto progress = [&c] {
        if (c.progress) c.progress();
    };

    // A booking that waits for its cash step is not in the books yet: the
    // user may leave it unsaved, but is told so first.
    if (c.incomePending && show(unsavedBookingQuestion()) != answerYes) return ExitResult::Stay;
    if (c.unsavedWork && show(unsavedWorkQuestion()) != answerYes) return ExitResult::Stay;
    if (!c.incomePending && c.integrityCheck) {
        progress();
        if (c.integrityCheck() > 0) return ExitResult::Stay;
    }

    const int answer = show(exitQuestion());
    if (answer != answerYes && answer != answerNo) return ExitResult::Stay;

    // The mark is cleared before the backup so that the copy, too, holds a
    // regular end and a restored year starts without a repair.
    const bool markWritten = writeShutdownMark(c.paths, false) == 0;
    if (!markWritten && QFileInfo(c.paths.bokforingDir).isDir())
        show({QStringLiteral("MEDDELANDE"),
              QStringLiteral("Avstängningen kunde inte noteras i\n") + c.paths.shutdownMark +
                  QStringLiteral(
                      "\n\nVid nästa start meddelas att programmet inte stängdes av korrekt."),
              QStringLiteral("STOP"), QStringLiteral("OK")});

    if (answer == answerYes) {
        progress();
        const Outcome outcome = makeBackup(c.workingDir, c.target);
        show(outcome.message);
        if (!outcome.ok && show(endWithoutBackupQuestion()) != answerYes) {
            if (markWritten) writeShutdownMark(c.paths, true);
            return ExitResult::Stay;
        }
    }

    deleteUpdateLeftovers(c.workingDir);
    return ExitResult::End;
}

} // namespace mv::backup
