#include "help/manual.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

// Set by the build from the install layout (bin to share/mervalla/manual).
#ifndef MERVALLA_MANUAL_RELATIVE
#define MERVALLA_MANUAL_RELATIVE "../share/mervalla/manual"
#endif

namespace mv::help {

namespace {

QString joined(const QString& folder, const QString& name) {
    return QDir::cleanPath(QDir(folder).absoluteFilePath(name));
}

Message helpMessage(const QString& text) {
    return {QStringLiteral("Dr. Hjälp"), text, QStringLiteral("EXCLAMATION"), QStringLiteral("OK")};
}

} // namespace

QString manualFolder(const QString& programDir) {
    const QString installed = joined(programDir, QStringLiteral(MERVALLA_MANUAL_RELATIVE));
    const QString beside = joined(programDir, QStringLiteral("manual"));
    for (const QString& folder : {installed, beside})
        if (QFileInfo(joined(folder, QString::fromUtf8(manualStartPage))).isFile()) return folder;
    return installed;
}

QString manualFile(const QString& folder, const QString& page) {
    const qsizetype hash = page.indexOf(u'#');
    return joined(folder, hash < 0 ? page : page.left(hash));
}

Opening openingOf(const Target& target, const QString& folder) {
    Opening o;
    if (!target.inManual) {
        o.address = target.address;
        o.failure = linkNotOpenedMessage(target.address);
        return o;
    }
    const QString file = manualFile(folder, target.address);
    QUrl url = QUrl::fromLocalFile(file);
    const qsizetype hash = target.address.indexOf(u'#');
    if (hash >= 0) url.setFragment(target.address.mid(hash + 1));
    o.address = url.toString(QUrl::FullyEncoded);
    if (!QFileInfo(file).isFile()) o.refusal = pageMissingMessage(QDir::toNativeSeparators(file));
    o.failure = pageNotOpenedMessage(QDir::toNativeSeparators(file));
    return o;
}

Message pageMissingMessage(const QString& file) {
    return helpMessage(QStringLiteral("Hjälpsidan finns inte:\n") + file +
                       QStringLiteral("\n\nManualen följer med programmet. Installera om MerValla "
                                      "om filen saknas."));
}

Message pageNotOpenedMessage(const QString& file) {
    return helpMessage(QStringLiteral("Hjälpsidan kunde inte öppnas i webbläsaren:\n") + file +
                       QStringLiteral("\n\nÖppna filen i en webbläsare för hand."));
}

Message linkNotOpenedMessage(const QString& address) {
    return helpMessage(QStringLiteral("Länken kunde inte öppnas i webbläsaren:\n") + address +
                       QStringLiteral("\n\nSkriv in adressen i en webbläsare för hand."));
}

} // namespace mv::help
