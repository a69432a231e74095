#include "store/integrity.h"

// The texts of the integrity messages, exactly as the program shows them.

namespace mv {

namespace {
// clang-format off
#define MV_CHANGED_TEXT \
        "En eller flera vitala filer har ändrats utanför bokföringsprogrammet!" \
        "\n" \
        "Det kan bero på ett tekniskt fel eller att någon ändrat och sparat en vital bokföringsfil." \
        "\n\n" \
        "När någon bokföringsfil ändrats eller saknas spärras programmet tills felet rättats!" \
        "\n\n" \
        "Det är ett krav från myndigheterna att det inte skall gå att ändra filer" \
        "\n" \
        "utanför programmets avsedda funktion." \
        "\n\n" \
        "Först väljer man att reparera filerna, om det misslyckas får man" \
        "\n" \
        "möjlighet att välja säkerhetskopian som ersätter de skadade filerna." \
        "\n\n"
#define MV_UNCLEAN_TEXT \
        "Programmet stängdes inte av korrekt!" \
        "\n" \
        "\n\n" \
        "Strömavbrott, oavsiktlig avstängning av dator eller datorfel" \
        "\n" \
        "kan vara orsaken!" \
        "\n" \
        "\n\n" \
        "Först görs försök att reparera filerna, om det misslyckas får man" \
        "\n" \
        "möjlighet att välja säkerhetskopian som ersätter de skadade filerna." \
        "\n\n"
#define MV_REPAIRED_TEXT \
        "\n\n" \
        "                                    Reparationen ser ut att ha lyckats!" \
        "\n\n" \
        "När en reperation/återställning har skett måste man undersöka vilken verifikation som\n" \
        "är den senast använda. Det kan finnas en risk att en eller flera verifikationer får matas\n" \
        "in på nytt." \
        "\n\n" \
        "\n\n" \
        "- FÖRSTA gången detta meddelande kommer upp klicka på 'NEJ'!" \
        "\n\n" \
        "Om felet kvarstår (kommer hit igen) måste bokföringen bytas mot en säkerhetskopia!\n" \
        "Klicka på knappen  'Ja'  för att gå till platsen för återställning av en säkerhetskopia." \
        "\n\n\n\n"
// clang-format on

const QString warningTitle =
    QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> VARNING <<<<<<<<<<<<<<<<<<<<<<<<<<<");
const QString repairTitle =
    QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> REPARATION <<<<<<<<<<<<<<<<<<<<<<<<<<<");
} // namespace

Message missingFileMessage(const QString& path) {
    return {QStringLiteral("MEDDELANDE"),
            QStringLiteral("Filen ") + path + QStringLiteral(" Saknas"), QStringLiteral("STOP"),
            QStringLiteral("OK")};
}

Message changedFilesWarning() {
    return {warningTitle, QStringLiteral(MV_CHANGED_TEXT), QStringLiteral("STOP"),
            QStringLiteral("OK")};
}

Message uncleanShutdownWarning() {
    return {warningTitle, QStringLiteral(MV_UNCLEAN_TEXT), QStringLiteral("STOP"),
            QStringLiteral("OK")};
}

Message repairSucceededQuestion() {
    return {repairTitle, QStringLiteral(MV_REPAIRED_TEXT), QStringLiteral("STOP"),
            QStringLiteral("yes_NO")};
}

Message repairFailedQuestion() {
    return {repairTitle,
            QStringLiteral("Reparationen misslyckades!\n\nBokföringen måste bytas mot en "
                           "säkerhetskopia.\nKlicka på knappen  'Ja'  för att gå till platsen för "
                           "återställning av en säkerhetskopia."),
            QStringLiteral("STOP"), QStringLiteral("yes_NO")};
}

Message backupChosenMessage() {
    return {
        QStringLiteral("SÄKERHETSKOPIA"),
        QStringLiteral("\n\nÅterställning med säkerhetskopia har valts!\n\n\nDu skickas nu till "
                       "sidan för återställning!"),
        QStringLiteral("INFORMATION"), QStringLiteral("OK")};
}

Message checkUnlockedMessage() {
    Message m{QStringLiteral("UTVECKLARKOMMANDO"), QStringLiteral("FILKONTROLL UPPLÅST"), QString(),
              QStringLiteral("OK")};
    m.plain = true;
    return m;
}

Message ChangeResult::message() const {
    if (code == MissingFile) return missingFileMessage(path);
    if (code == ChangedOutside) return changedFilesWarning();
    return saveFailedMessage(path);
}

} // namespace mv
