#include "booking/booking_messages.h"

namespace mv::msg {

namespace {
Message make(const char* title, const QString& text, const char* icon) {
    Message m;
    m.title = QString::fromUtf8(title);
    m.text = text;
    m.icon = QString::fromUtf8(icon);
    m.buttons = QStringLiteral("OK");
    return m;
}
QString u(const char* s) { return QString::fromUtf8(s); }
} // namespace

Message badAmount() {
    return make("INMATNINGSFEL", u("Felaktigt belopp!\n\nSkriv beloppet med siffror, till exempel 1250.50"),
                "EXCLAMATION");
}

Message badDate() {
    return make("INMATNINGSFEL",
                u("Felaktigt datum!\n\nSkriv datumet som ÅÅÅÅ-MM-DD, till exempel 2014-03-07"),
                "EXCLAMATION");
}

Message badCharacter(QChar character) {
    return make("INMATNINGSFEL", u("Tecknet '") + character + u("' kan inte sparas!"), "EXCLAMATION");
}

Message badName() {
    return make("INMATNINGSFEL",
                u("Namnet kan inte användas!\n\nTecknen / och \\ och namn som börjar med punkt är "
                  "inte tillåtna."),
                "EXCLAMATION");
}

Message netTooLarge() {
    return make("INMATNINGSFEL",
                u("Max 1.000.000 kr kan matas in!\n\nVid större belopp dela upp det på fler "
                  "inmatningar!"),
                "EXCLAMATION");
}

Message zeroTotal() {
    return make("STOPP", u("\n\nDet går ej att spara med  '0.00'  som summa."), "STOP");
}

Message rateNotApproved() {
    return make("INTRODUKTION", u("Momssatsen är ej av godkänt värde!"), "EXCLAMATION");
}

Message writeFailed(const QString& path) { return saveFailedMessage(path); }

Message unknownType() {
    return make("INMATNINGSFEL", u("Välj ett konto i listan!"), "EXCLAMATION");
}

Message unnamedAccount() {
    return make("MEDDELANDE", u("Ett konto utan namn kan inte ha något belopp!\n\n"), "EXCLAMATION");
}

Message unbalanced() {
    return make("MEDDELANDE",
                u("Kontona balanserar inte!\n\nI översta rutan måste det stå '0.00'\n\n"),
                "EXCLAMATION");
}

Message transferBooked() {
    return make("INTRODUKTION", u("Överföring mellan konton är bokad!"), "INFORMATION");
}

Message accountGoesNegative(const QString& name, Amount balance) {
    Message m = make("MEDDELANDE",
                     u("Kontot ") + name + u(" blir negativt: ") + balance.toText() +
                         u(". Vill du spara ändå?"),
                     "QUESTION");
    m.buttons = QStringLiteral("yes_NO");
    return m;
}

Message noReceivingAccount() {
    return make("MEDDELANDE",
                u("Välj ett konto med namn!\n\nTryck på knappen vid det konto som beloppet "
                  "bokas mot.\n\n"),
                "EXCLAMATION");
}

Message checkAccountIncome(bool reverseChargeInvoice) {
    if (reverseChargeInvoice) {
        Message m = make("MEDDELANDE",
                         u("Konto 'Inkomst, Omvänd moms'  är automatiskt valt\n"
                           "när ingen moms är angivet på fakturan!\n\n"
                           "Om det är fel välj annat konto!\n"
                           "Om det är rätt fortsätt transaktionen!\n\n"
                           "Om fakturan är felskriven utan moms annulera fakturan\n"
                           "enligt manualen och skapa ny!\n\n"),
                         "QUESTION");
        return m;
    }
    return make("MEDDELANDE",
                u("Är rätt konto valt?          \n\nÄr rätt moms valt?           \n\n"), "QUESTION");
}

Message checkAccountExpense(bool reverseCharge) {
    if (reverseCharge)
        return make("MEDDELANDE",
                    u("Omvänd moms har valts vid ett inköp!\n\n"
                      "Både ingående och det säljande företagets utgående moms tas upp i "
                      "bokföringen.\n\n"
                      "Det säljande företagets moms bokförs automatiskt i denna bokföring.\n\n"
                      "De båda momsen tar ut varandra så att Summan blir samma som Utgift netto. "
                      "Det är också nettobeloppet som säljande företag skall använda i sitt krav.\n"
                      "\n\n"),
                    "INFORMATION");
    return make("MEDDELANDE", u("Är rätt Konto valt?\n\n"), "INFORMATION");
}

} // namespace mv::msg
