#include "closing/year_end_checks.h"

#include "closing/year_completion.h"

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// The steps of booking out one withdrawal.
QString withdrawalText(const char* heading, const char* what, const QString& amount,
                       const char* account, const QString& year) {
    return u(heading) + u("\n\n") + u(what) + u(": ") + amount + u("\n\n") +
           u("Beloppet bokas ut mot kontot\n'") + u(account) + u("' innan året slutförs:\n") +
           u("1. Klicka på knappen 'Boka ut' nedan.\n"
             "2. Utgiften öppnas med kontot och beloppet.\n"
             "3. Kontrollera datum och belopp, klicka 'Spara'.\n"
             "4. Klicka i Kassan på knappen vid kontot som\n"
             "   beloppet tas från.\n"
             "5. Klicka på 'Spara' i Kassan.\n"
             "6. Klicka på 'Verktyg' och 'SLUTFÖR ÅR ") +
           year + u("' igen.\n");
}

} // namespace

YearEndRun runFor(const YearEndRun& kept, const QString& year) {
    if (kept.year == year) return kept;
    YearEndRun fresh;
    fresh.year = year;
    return fresh;
}

QString targetYearOf(const YearEndRun& run) {
    return run.brokenYearChosen ? run.chosenYear : followingYear(run.year);
}

YearEndScreen withdrawalScreen(const OwnerFigures& owner, Amount* amount) {
    const Amount limit = Amount::fromOre(99);
    if (owner.taxLeft > limit) {
        if (amount) *amount = owner.taxLeft;
        return YearEndScreen::OwnTax;
    }
    if (owner.leftToWithdraw > limit) {
        if (amount) *amount = owner.leftToWithdraw;
        return YearEndScreen::OwnSalary;
    }
    return YearEndScreen::Ready;
}

QString lockedText(const QString& year) {
    return u("ÅRET ÄR SLUTFÖRT\n\n") + u("Året ") + year +
           u(" är slutfört och låst för\nredigering. Bokföringen kan läsas och skrivas\n"
             "ut, men inget kan längre bokföras eller ändras.\n\n"
             "Bokslutsunderlaget öppnas med knappen\n'BOKSLUTSUNDERLAG' och listorna med "
             "knapparna\nunder 'Listor'.\n");
}

QString brokenYearText() {
    return u("BRUTET BOKFÖRINGSÅR\n\n"
             "Ett brutet bokföringsår löper över ett\n"
             "årsskifte, till exempel:\n\n"
             "  Från December år 2010 till året ut 2011\n"
             "  Från April 2010 till April 2011\n\n"
             "Med brutet bokföringsår väljer du själv vilket\n"
             "av de skapade åren som är nästkommande år.\n\n"
             "Utan brutet bokföringsår är nästkommande år\n"
             "det följande kalenderåret.\n");
}

QString chooseYearText() {
    return u("BRUTET BOKFÖRINGSÅR ÄR VALT\n\n"
             "Välj nästkommande bokföringsår bland de\n"
             "skapade åren i listan. Skriv året i rutan\n"
             "under 'Välj nästkommande bokföringsår' och\n"
             "klicka på 'Välj'.\n\n"
             "Året måste först vara skapat med knappen\n"
             "'SKAPA BOKFÖRINGSÅR' under 'Verktyg'.\n");
}

QString targetRefusedText(const QString& year, const QString& target, const TargetCheck& check) {
    QString text = check.message.text.trimmed() + u("\n");
    if (check.problem == TargetProblem::Missing)
        text += u("\nGör så här:\n") + u("1. Klicka på 'SKAPA BOKFÖRINGSÅR' till vänster.\n") +
                u("2. Skriv ") + target + u(" och klicka på 'Skapa'.\n") +
                u("3. Klicka på 'SLUTFÖR ÅR ") + year + u("' igen.\n\n") + u("Året ") + year +
                u(" är fortfarande valt. Det nya\nåret väljs först när ") + year +
                u(" är slutfört.\n");
    return text;
}

QString stockCountText() {
    return u("INVENTERING\n\n"
             "Vid bokslutet skall varulagret inventeras:\n"
             "allt som finns i lager räknas och värderas\n"
             "till inköpspris. Värdet blir årets varulager\n"
             "i bokslutet.\n\n"
             "Har du redan inventerat och sparat\n"
             "inventeringen, eller har företaget inget\n"
             "varulager, svarar du 'Nej'.\n");
}

QString stockChosenText(const QString& year) {
    return u("INVENTERA ÄR VALT\n\n"
             "Gör så här:\n"
             "1. Räkna varulagret.\n"
             "2. Klicka på 'INVENTERING' till vänster.\n"
             "3. Mata in varje artikel med mängd och\n"
             "   inköpspris och klicka på 'Spara'.\n"
             "4. Fortsätt sedan med 'SLUTFÖR ÅR ") +
           year + u("' och\n   svara 'Nej' på frågan om inventering.\n");
}

QString ownTaxText(const QString& year, Amount amount) {
    return withdrawalText("BOKA UT EGEN SKATT", "Skatt kvar att betala för året", amount.toText(),
                          "Utgift, Uttag för egen skatt", year);
}

QString ownSalaryText(const QString& year, Amount amount) {
    return withdrawalText("BOKA UT EGEN LÖN", "Kvar att ta ut som egen lön", amount.toText(),
                          "Utgift, Uttag för egen lön", year);
}

QString readyText(const QString& year, const QString& target) {
    return u("BOKSLUT\n\n") + u("Året som slutförs:  ") + year + u("\n") + u("Nästkommande år ") +
           target + u(" är skapat.\n\n") + u("Vid slutförandet förs saldona över till ") + target +
           u("\noch ") + year +
           u(" låses för redigering. Allt kan läsas\noch skrivas ut, men inget kan bokföras "
             "i ") +
           year +
           u(".\n\nBokslutsunderlaget sparas med året: öppna det\n"
             "med 'BOKSLUTSUNDERLAG' och skriv ut det.\n\n"
             "Avbryt: 'Verktyg'.   Slutför: 'Slutför'.\n");
}

Message brokenYearQuestion() {
    return {u("TYP AV BOKFÖRINGSÅR"), u("Skall brutet bokföringsår tillämpas?"), u("EXCLAMATION"),
            u("YES_no")};
}

Message stockCountQuestion() {
    return {u("INVENTERING"), u("Vill du inventera?"), u("QUESTION"), u("YES_no")};
}

} // namespace mv
