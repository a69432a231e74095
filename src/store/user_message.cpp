#include "store/user_message.h"

namespace mv {

Message saveFailedMessage(const QString& path) {
    return {QStringLiteral("STOPP"),
            QStringLiteral("Det gick inte att spara!\n\n") + path +
                QStringLiteral("\n\nIngenting har ändrats."),
            QStringLiteral("STOP"), QStringLiteral("OK")};
}

Message unfinishedChangeMessage() {
    return {QStringLiteral("STOPP"),
            QStringLiteral("Det gick inte att spara!\n\nEn tidigare ändring blev inte klar. Starta om "
                           "programmet så repareras bokföringen.\n\nIngenting har ändrats."),
            QStringLiteral("STOP"), QStringLiteral("OK")};
}

Message inputErrorMessage(const QString& text) {
    return {QStringLiteral("INMATNINGSFEL"), text, QStringLiteral("EXCLAMATION"),
            QStringLiteral("OK")};
}

} // namespace mv
