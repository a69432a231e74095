#include "interchange/interchange_messages.h"

namespace mv::xmsg {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

const char* const noFile = "\n\nIngen fil har skrivits.";

Message refusal(const QString& text) {
    return {u("MEDDELANDE"), text + u(noFile), u("EXCLAMATION"), u("OK")};
}

QString verification(int number) {
    return u("Verifikation ") + QString::number(number) + u(" i dagboken");
}

} // namespace

Message orgNumberMissing() {
    return refusal(u("Organisationsnumret saknas!\n\n"
                     "Filen behöver företagets organisationsnummer. Det hämtas ur "
                     "'Momsregistreringsnr' under 'Verktyg' och 'FÖRETAGSUPPGIFTER', som ska "
                     "skrivas SE, tio siffror och 01, till exempel SE556677889901. För en "
                     "enskild firma är de tio siffrorna ägarens personnummer.\n\n"
                     "Fyll i det där och försök igen."));
}

Message dayBookLineUnreadable(int number, const QString& line) {
    return refusal(verification(number) + u(" har en rad som inte kan läsas:\n\n") +
                   line.trimmed());
}

Message dayBookBlockIncomplete(int number) {
    return refusal(verification(number) +
                   u(" är inte avslutad (det pengakonto den bokades mot saknas)."));
}

Message dayBookBlockUnbalanced(int number) {
    return refusal(
        verification(number) +
        u(" går inte ihop: belopp, moms och öresutjämning blir inte det bokade beloppet."));
}

Message dayBookUnknownType(int number, const QString& type) {
    return refusal(verification(number) + u(" har kontot '") + type +
                   u("', som inte är ett av programmets konton."));
}

Message dayBookUnknownBlock(int number) {
    return refusal(verification(number) + u(" är av ett slag som inte kan läsas."));
}

Message unknownMoneyAccount(int number, const QString& name) {
    return refusal(verification(number) + u(" är bokad mot pengakontot '") + name +
                   u("', som inte finns bland kassans sex konton. Har kontot bytt namn? Ge det "
                     "sitt gamla namn under 'Kassa' medan filen skapas."));
}

Message typeDisagrees(const QString& type, Amount dayBook, Amount total) {
    return refusal(u("Dagboken och kontot '") + type + u("' stämmer inte överens!\n\n") +
                   u("Dagbokens verifikationer: ") + dayBook.toText() + u("\nKontots summa: ") +
                   total.toText());
}

Message roundingDisagrees(Amount dayBook, Amount total) {
    return refusal(u("Dagboken och öresutjämningen stämmer inte överens!\n\n") +
                   u("Dagbokens verifikationer: ") + dayBook.toText() +
                   u("\nÖresutjämningens summa: ") + total.toText());
}

Message vatDisagrees(bool output, Amount beyondDayBook, Amount yearEnd) {
    return refusal(
        (output
             ? u("Den utgående momsen stämmer inte med dagboken och kundfordringarna!\n\n")
             : u("Den ingående momsen stämmer inte med dagboken och leverantörsskulderna!\n\n")) +
        u("Moms utöver dagbokens verifikationer: ") + beyondDayBook.toText() +
        (output ? u("\nMoms på årets kundfordringar: ")
                : u("\nMoms på årets leverantörsskulder: ")) +
        yearEnd.toText());
}

Message reverseVatDisagrees() {
    return refusal(u("Den omvända momsen stämmer inte med dagbokens verifikationer!"));
}

Message cashNotPlaced(Amount cash, Amount placed) {
    return refusal(u("Kassan är inte fördelad på pengakontona!\n\n") + u("Kassans summa: ") +
                   cash.toText() + u("\nPå pengakontona: ") + placed.toText() +
                   u("\n\nFördela kassan under 'Kassa' först."));
}

Message fileWritten(const QString& what, const QString& path) {
    return {u("MEDDELANDE"), what + u(" är sparad:\n\n") + path, u("INFORMATION"), u("OK")};
}

Message fileNotWritten(const QString& path) {
    return {u("STOPP"), u("Filen kunde inte sparas:\n\n") + path + u("\n\nIngen fil har skrivits."),
            u("STOP"), u("OK")};
}

Message sieUnreadable(const QString& path) {
    return refusal(u("Filen kan inte läsas:\n\n") + path);
}

Message sieNotType4() {
    return refusal(u("Filen är inte en SIE-fil av typ 4!\n\n"
                     "Ingående balans kan läsas in från en SIE 4-fil (#SIETYP 4) som ett annat "
                     "bokföringsprogram har skapat för föregående år."));
}

Message sieNoOrgNumber() {
    return refusal(u("Filen anger inget organisationsnummer (#ORGNR)!\n\n"
                     "Den kan inte visas vara företagets egen bokföring."));
}

Message sieOtherOrgNumber(const QString& inFile, const QString& ours) {
    return refusal(u("Filen gäller ett annat företag!\n\nFilens organisationsnummer: ") + inFile +
                   u("\nFöretagets organisationsnummer: ") + ours);
}

Message sieWrongYear(const QString& year) {
    return refusal(u("Filen gäller inte året före ") + year +
                   u("!\n\nDess räkenskapsår (#RAR) slutar inte dagen före ") + year +
                   u(" börjar och börjar inte samma dag."));
}

Message sieNoBalance(const QString& year) {
    return refusal(u("Filen har ingen balans för ") + year +
                   u(" (#UB för föregående år eller #IB för året)!"));
}

Message sieUnbalanced(Amount sum) {
    return refusal(u("Balansen i filen går inte jämnt ut!\n\n") +
                   u("Tillgångar, skulder, eget kapital och årets resultat ger tillsammans ") +
                   sum.toText() + u(" i stället för 0.00."));
}

Message sieVerificationUnbalanced(const QString& series, const QString& number, Amount sum) {
    return refusal(u("Verifikation ") + series + QLatin1Char(' ') + number +
                   u(" i filen går inte jämnt ut!\n\nDess rader ger ") + sum.toText() +
                   u(" i stället för 0.00."));
}

Message sieBadLine(int lineNumber, const QString& line) {
    return refusal(u("Rad ") + QString::number(lineNumber) + u(" i filen kan inte läsas:\n\n") +
                   line.trimmed());
}

Message vatRateNotDeclarable(const QStringList& rates) {
    return refusal(
        u("Momsdeklarationen har rutor för 25, 12 och 6 procent. Perioden har moms med ") +
        rates.join(u(", ")) + u(" procent, som inte kan deklareras i filen."));
}

Message claimNoInvoices(const QString& kind, const QString& from, const QString& to) {
    return refusal(u("Inga betalda fakturor med ") + kind + u("-avdrag mellan ") + from +
                   u(" och ") + to + u(" har en begäran som ännu inte är utbetald."));
}

Message claimTooManyBuyers(int count, int allowed) {
    return refusal(u("Perioden har ") + QString::number(count) +
                   u(" köpare. En fil får ha högst ") + QString::number(allowed) +
                   u(" köpare: välj en kortare period."));
}

Message claimRefused(const QString& invoice, const QString& reason) {
    return refusal(u("Faktura ") + invoice + u(":\n\n") + reason);
}

Message sieTakeRows(const QString& summary) {
    return {u("MEDDELANDE"),
            summary + u("\nVill du föra in beloppen i registreringen? Inget sparas förrän du "
                        "kontrollerat dem och tryckt på 'Spara'."),
            u("QUESTION"), u("YES_no")};
}

Message claimNoKind() {
    return inputErrorMessage(
        u("Välj ROT eller RUT i listan!\n\nEn fil kan bara gälla det ena slaget."));
}

Message claimBadDates() {
    return inputErrorMessage(u("Felaktigt datum!\n\nSkriv datumen som ÅÅÅÅ-MM-DD, det första "
                               "inte efter det andra."));
}

} // namespace mv::xmsg
