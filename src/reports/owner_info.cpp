#include "reports/owner_info.h"

#include "reports/report_file.h"

namespace mv {

using namespace reporting;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

Amount notBelowZero(Amount a) {
    return a < Amount() ? Amount() : a;
}

Amount percentOf(Amount base, const Settings& s, int field) {
    return base.mulDiv(s.percentHundredths(field), 10000);
}

QString percentOfField(const Settings& s, int field) {
    return percentText(s.percentHundredths(field));
}

QString underscores(int count) {
    return repeatedChar(QLatin1Char('_'), count);
}

class Book {
  public:
    void lines(std::initializer_list<const char*> texts) {
        for (const char* t : texts)
            out.line(u(t));
    }
    // An amount line ending in column 70 (width 71) or 71 (width 72).
    void amount(const QString& label, Amount a, int width = 71) {
        out.amountLine(label, a.toText(), width);
    }
    void amount(const char* label, Amount a, int width = 71) { amount(u(label), a, width); }
    // A stored total printed as the line of its own with an empty line after it.
    void storedTotal(const char* label, Amount a) {
        amount(label, a);
        out.emptyLines(1);
    }
    // A section head: its title line, an empty line, the note, the rule and
    // two empty lines before the figures.
    void section(const char* title, std::initializer_list<const char*> note) {
        out.line(u(title));
        out.emptyLines(1);
        lines(note);
        out.line(underscores(71));
        out.emptyLines(2);
    }
    void rule() { out.line(underscores(71)); }

    ReportText out;
};

} // namespace

OwnerFigures computeOwnerFigures(const ClosingFigures& f, const Settings& s) {
    OwnerFigures o;
    o.result = f.result;
    o.deduction = notBelowZero(percentOf(o.result, s, setting::selfEmployedDeduction));
    o.contribution = notBelowZero(percentOf(o.result - o.deduction, s, setting::selfEmployedFee));
    o.incomeTax = notBelowZero(percentOf(o.result - o.contribution, s, setting::incomeTax));
    o.tax = o.contribution + o.incomeTax;
    o.netPay = o.result - o.tax;
    o.salaryTaken = f.books.ownerSalary;
    o.leftToWithdraw = o.netPay - o.salaryTaken;
    o.vat = f.vatDifference;
    o.taxTotal = o.tax + o.vat;
    o.taxPaid = f.books.ownerTax;
    o.taxLeft = o.taxTotal - o.taxPaid;
    return o;
}

QString ownerInfoText(const ClosingFigures& f, const Settings& s) {
    const OwnerFigures o = computeOwnerFigures(f, s);
    Book b;
    ReportText& out = b.out;
    out.line(u("ÄGARINFOBOKEN  ") + f.books.year);
    out.line(underscores(86));

    b.lines({"ALLMÄNT", "Denna del ingår ej i bokföringen.",
             "Den är en hjälp för ägaren att planera uttag och skatt."});
    out.emptyLines(1);
    b.lines({"OBSERVERA! Informationen  kan  inte  vara  exakt  då  alla  uppgifter",
             "om ägarens övriga inkomster och avdrag saknas här. Beräkningen bygger",
             "bara på företagets resultat och på procentsatserna under",
             "'Inställningar'. Kommunalskatten skiljer sig mellan kommunerna och",
             "den statliga inkomstskatten tas ut över en viss inkomstnivå. Det kan",
             "påverka skattenivån om det finns en speciell högnivåskatt."});
    out.emptyLines(5);

    b.lines({"OM FÖRETAGETS SKATT", "All skatt betalas genom kontot 'Utgift, Uttag för egen skatt'",
             "Man tar helt enkelt ut pengar ur kassan till sig själv för att betala",
             "in skatten."});
    out.emptyLines(1);
    b.lines({"Ett enskilt företag är inte ett skattsubjekt. Därför  är  det  ägaren",
             "till företaget som står för skatten."});
    out.emptyLines(7);

    b.section("_BERÄKNING AV SCHABLONAVDRAG___________________________________________",
              {" Årets resultat ligger till grund för beskattningen.",
               " Innan skatten beräknas görs ett schablonavdrag för egenavgifterna,",
               " med den procentsats som står under 'Inställningar'. De egenavgifter",
               " som Skatteverket sedan fastställer kan bli högre eller lägre än",
               " avdraget. Skillnaden rättas i nästa års deklaration.",
               " För att slippa efterskatt kan man beräkna ett lägre avdrag."});
    b.amount("* Årets resultat", o.result);
    b.amount(u("* Schablonavdrag för egenavgift (") +
                 percentOfField(s, setting::selfEmployedDeduction) + u("%)"),
             o.deduction);
    b.rule();
    b.amount("Resultat efter schablonavdrag för beräkning av skatt", o.result - o.deduction);
    out.emptyLines(8);

    b.section("_BERÄKNING AV SKATT____________________________________________________",
              {" Beräkning av Skatt och Egenavgift baserat  på  ovanstående  Resultat"});
    b.amount(u("* Egenavgiften (") + percentOfField(s, setting::selfEmployedFee) +
                 u("%) efter schablonavdrag blir"),
             o.contribution);
    b.amount(u("* Inkomstskatten (") + percentOfField(s, setting::incomeTax) +
                 u("%) av resultatet minus egenavgift"),
             o.incomeTax);
    b.rule();
    b.amount("Skatt på resultatet (egenavgift+inkomstskatt)", o.tax);
    out.emptyLines(8);

    b.section("_NETTOLÖN______________________________________________________________",
              {" Nettolön är det som blir kvar av resultatet efter avdrag  för  moms,",
               " egenavgift och inkomstskatt."});
    b.amount("* Disponibel nettolön under året", o.netPay);
    b.amount("* Uttag för egen lön under året", -o.salaryTaken);
    b.rule();
    b.amount("Kvar att ta ut som Uttag för egen lön", o.leftToWithdraw);
    out.emptyLines(8);

    b.section("_SKATT KVAR ATT BETALA_________________________________________________",
              {" Skatt kvar att betala  innehåller moms,  egenavgift  och  löneskatt.",
               " Det som är kvar att betala eller att återfå står länst ner."});
    b.amount("* Egenavgift och Löneskatt", o.tax);
    b.amount("* Aktuell momsställning", o.vat);
    out.line(QString(22, u' ') + underscores(49));
    b.amount("Summa skatt", o.taxTotal);
    b.storedTotal("                       * Uttag för egen skatt", o.taxPaid);
    b.rule();
    out.put(alignedPiece(u("Summa skatt kvar att betala (- är att återfå)       "),
                         o.taxLeft.toText(), 71));
    out.emptyLines(7);

    b.section("_MOMS FRÅN FÖREGÅENDE ÅR_______________________________________________",
              {" Momsen från föregeående år regleras under bokföringsåret och när man",
               " har betalat in momsskulden eller fått tillbaka momstillgången bokas",
               " beloppet ut ur bokföringen.",
               " En momsskuld bokas ut under knappen 'Utgift' med kontot",
               " 'Justering, Utbokning momsskuld'.",
               " En momstillgång bokas ut under knappen 'Inkomst' med kontot",
               " 'Justering,   Utbokning momstillgång'.",
               " Beloppet nedan är det som ännu inte är utbokat. Det ingår inte i",
               " årets momsställning ovan. (En momsskuld visas utan tecken, en",
               " momstillgång visas med minus",
               " framför momsen)                                                     "});
    b.storedTotal("* Föregående års ej utbokad momsskillnad", f.books.vatCarried);
    b.rule();
    out.emptyLines(8);

    b.section("_KVARVARANDE LÅN_______________________________________________________",
              {" Avser alla lån som företaget har just nu."});
    b.amount("* Summa skuld till bank", f.loans[LoanBank], 72);
    b.amount("* Summa skuld till ägaren", f.loans[LoanOwner], 72);
    b.amount("* Summa skuld till annan", f.loans[LoanOther], 72);
    b.rule();
    out.put(alignedPiece(u("Summa skulder"), f.borrowing.toText(), 72));
    out.emptyLines(5);
    return out.text();
}

namespace {
OwnerResults& kept() {
    static OwnerResults results;
    return results;
}
} // namespace

const OwnerResults& keptOwnerResults() {
    return kept();
}

void keepOwnerResults(const OwnerFigures& figures) {
    kept() = {true, figures.leftToWithdraw, figures.taxLeft};
}

void forgetOwnerResults() {
    kept() = OwnerResults();
}

} // namespace mv
