#include "invoicing/invoicing_messages.h"

namespace mv::imsg {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

Message make(const char* title, const QString& text, const char* icon, const char* buttons = "OK") {
    return {u(title), text, u(icon), u(buttons)};
}

} // namespace

Message numbersExhausted() {
    return make("MEDDELANDE",
                u("Fakturanummreringen har uppnått maxnivån 999\n"
                  "Resten av året måste fakturorna skrivas för hand!\n"),
                "EXCLAMATION");
}

Message noNumberForClaim() {
    return make("MEDDELANDE",
                u("Fakturanummreringen har uppnått maxnivån 999\n\n"
                  "En faktura med husavdrag behöver två nummer, ett för fakturan och ett för "
                  "begäran till Skatteverket. Bara ett nummer finns kvar i år: det kan användas "
                  "till en faktura utan husavdrag.\n"),
                "EXCLAMATION");
}

Message zeroTotal() {
    return make("MEDDELANDE", u("Ett belopp på mer än 0 måste användas!"), "EXCLAMATION");
}

Message rateNotConfigured() {
    return make("MEDDELANDE",
                u("Momssatsen är ej av godkänt värde!\n\n"
                  "Använd en av momssatserna under 'Inställningar'."),
                "EXCLAMATION");
}

Message badAmount(const QString& label) {
    return inputErrorMessage(u("Felaktigt värde i fältet '") + label +
                             u("'!\n\nSkriv ett tal, till exempel 1250.50"));
}

Message badDate() {
    return inputErrorMessage(
        u("Felaktigt datum!\n\nSkriv datumet som ÅÅÅÅ-MM-DD, till exempel 2014-03-07"));
}

Message badCharacter(QChar character) {
    return inputErrorMessage(u("Tecknet '") + character + u("' kan inte sparas!"));
}

Message numberTaken(const QString& number) {
    return make("STOPP",
                u("Fakturanummer ") + number + u(" finns redan!\n\nIngenting har sparats."),
                "STOP");
}

Message changedInvoiceGone(const QString& entry) {
    return make("STOPP",
                u("Faktura ") + entry +
                    u(" kan inte ändras!\n\nDen är bokad som betald eller finns inte längre.\n\n"
                      "Ingenting har sparats."),
                "STOP");
}

Message buyerVatNumberMissing() {
    return make("MEDDELANDE",
                u("Köparens momsregistreringsnummer saknas!\n\n"
                  "En faktura med omvänd betalningsskyldighet skall ange köparens "
                  "momsregistreringsnummer.\n\nSpara fakturan ändå?"),
                "QUESTION", "yes_NO");
}

Message registerFull() {
    return make("MEDDELANDE",
                u("Det finns för mycket kunder lagrade!\nRensa i kundlistan.\nKunder sparas inte "
                  "mer.\n\n"),
                "EXCLAMATION");
}

Message registerNearlyFull() {
    return make("MEDDELANDE", u("Det börjar bli fullt i kunddatabasen!\n\nRensa i kundlistan!\n\n"),
                "EXCLAMATION");
}

Message notReady() {
    Message m = make("PROGRAMMERING", u("########### EJ KLAR ÄNNU! ########### "), "");
    m.plain = true;
    return m;
}

Message customerNameMissing() {
    return make("Mata in ny kund", u("Kundnamn saknas!        "), "EXCLAMATION");
}

Message customerNameUnusable(const QString& title) {
    Message m = make("",
                     u("Kundnamnet kan inte användas!\n\nNamnet blir ett filnamn: tecknen / \\ : "
                       "* ? \" < > |, två punkter i rad och namn som börjar med punkt eller "
                       "slutar med blank eller punkt är inte tillåtna."),
                     "EXCLAMATION");
    m.title = title;
    return m;
}

Message customerExists() {
    return make("Mata in ny kund",
                u("Kunden finns redan i registret!\n Skall nuvarande kundinnehåll\nändras till det "
                  "nyinmatade?"),
                "EXCLAMATION", "yes_NO");
}

Message confirmDeleteCustomer() {
    return make("Radera kund", u("Skall vald kund rederas?"), "QUESTION", "yes_NO");
}

Message customerNotDeleted() {
    return make("Radera kund", u("Kund raderades ej!"), "STOP");
}

Message customerToDeleteMissing() {
    return make("Radera kund", u("Kund att radera saknas!"), "STOP");
}

Message customerDeleted() {
    return make("Radera kund", u("Kund raderades!"), "INFORMATION");
}

Message customerRegisterLarge() {
    return make("KUNDDATABAS",
                u("Antal kunder börjar närma sig max antal (ca 3000)!\nTag bort kunder som inte "
                  "behövs!"),
                "EXCLAMATION");
}

Message articlesCreated() {
    return make("MEDDELANDE",
                u("Ingen tidigare artikel är sparad.\n\nProgrammet lägger in 10st tomma artiklar "
                  "första gången!"),
                "INFORMATION");
}

Message articleNumberTooHigh() {
    return make("MEDDELANDE",
                u("För högt artikelnummer!\n\nNy artikel får endast vara ett nummer högre än "
                  "tidigare högsta artikeln."),
                "STOP");
}

Message articleNumberMissing() {
    return make("MEDDELANDE", u("Artikelnummer saknas!\n\nSkriv ett nummer från 1 och uppåt."),
                "EXCLAMATION");
}

Message articleValueTooWide(const QString& label, int width) {
    return inputErrorMessage(u("För långt värde i fältet '") + label + u("'!\n\nHögst ") +
                             QString::number(width) + u(" tecken får plats i artikelregistret."));
}

Message stockListFull() {
    return make("MEDDELANDE", u("Inventeringsregistret har uppnått max anta rader!\n\n"),
                "EXCLAMATION");
}

Message confirmDeleteStockCount() {
    return make("VARNING !",
                u("Vill du verkligen radera inventeringsdokumentet?\nNär det är raderat går det ej "
                  "att ångra!"),
                "EXCLAMATION", "yes_NO");
}

Message invoiceNotPayable(const QString& entry) {
    return make("STOPP",
                u("Faktura ") + entry +
                    u(" kan inte bokas som betald!\n\nDen finns inte bland de obetalda fakturorna "
                      "(den kan redan vara bokad).\n\nIngenting har sparats."),
                "STOP");
}

Message templateMissing() {
    return make("FAKTURA MED MALL",
                u("Mall till fakturan finns ej. Ladda ner den genom att välja knappen 'Hämta mall' "
                  "längst ner till höger. Följ anvisningarna på sidan som öppnas."),
                "EXCLAMATION");
}

Message mailInstructions() {
    return make("SKAPA FAKTURAMAIL",
                u("Ett mail med faktura skall skapas!\n\n"
                  "Olika mailsystem fungerar olika. Därför är det svårt\n"
                  "att skapa ett sätt att överföra fakturan till ett mail.\n"
                  "Använd i stället webbläsarens egen metod för att göra detta.\n"
                  "\n"
                  "Så här görs det i Internet Explorer:!\n"
                  "\n"
                  "   1. Välj i menyn 'Arkiv'\n"
                  "   2. Där efter menyn 'Skicka'\n"
                  "   3. Där efter menyn 'Sida med e-post'.\n"
                  "   4. Fakturan skapas i e-mailet\n"
                  "   5. Skriv in kundens e-mailadress\n"
                  "   6. Skicka\n"
                  "\n"
                  "Fakturan kommer  vid 'OK' här nedan att öppnas i webbläsaren.\n"),
                "EXCLAMATION", "ok_CANCEL");
}

Message pdfSaved(const QString& path) {
    return make("MEDDELANDE", u("Fakturan är sparad som PDF:\n\n") + path, "INFORMATION");
}

Message pdfFailed(const QString& path) {
    return make("STOPP", u("Det gick inte att spara fakturan som PDF!\n\n") + path, "STOP");
}

} // namespace mv::imsg
