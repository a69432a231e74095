#include "reports/closing_basis.h"

#include "reports/report_file.h"
#include "reports/vat_report.h"

namespace mv {

using namespace reporting;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

constexpr int kWidth = 54; // amounts end in column 53

QString line68() {
    return repeatedChar(QLatin1Char('-'), 68);
}
QString hyphens(int count) {
    return repeatedChar(QLatin1Char('-'), count);
}
QString stars(int count) {
    return repeatedChar(QLatin1Char('*'), count);
}

// A label and its amount as the sections print it.
struct Row {
    QString label;
    Amount amount;
    QString text() const { return alignedPiece(label, amount.toText(), kWidth); }
};

class Document {
  public:
    explicit Document(const ClosingFigures& f) : f_(f) {}

    void heading(int section, const char* title) {
        QString line = u(title);
        if (line.size() < 47) line += QString(47 - line.size(), u' ');
        if (f_.books.locked)
            line += u("Ver ") + f_.books.verificationNumber +
                    QStringLiteral(".%1 ").arg(section, 2, 10, QLatin1Char('0')) + u(" ") +
                    f_.books.verificationDate;
        out.line(line);
        out.line(line68());
    }
    void row(const Row& r) { out.line(r.text()); }
    void row(const char* label, Amount amount) { row({u(label), amount}); }
    // A stored total with the empty line that follows it in sections 2 and 3.
    void totalRow(const char* label, Amount amount) {
        row(label, amount);
        out.emptyLines(1);
    }
    void sum(const Row& r) {
        out.line(line68());
        row(r);
    }
    void end() { out.emptyLines(8); }
    void starBox(const char* middle) {
        out.line(stars(72));
        out.line(u("*") + QString(70, u' ') + u("*"));
        out.line(u(middle));
        out.line(u("*") + QString(70, u' ') + u("*"));
        out.line(stars(72));
    }
    // A summary line: two blanks, the section's line, the box note.
    void summary(const Row& r, const char* note) { out.line(u("  ") + r.text() + u(note)); }

    const ClosingFigures& f_;
    ReportText out;
};

// The sum lines the summary repeats.
Row cashSum(const ClosingFigures& f) {
    return {u("Summa bank och kontanter"), f.books.cash};
}
Row receivablesSum(const ClosingFigures& f) {
    return {u("Summa Kundfordringar inkl.moms"), f.receivables};
}
Row payablesSum(const ClosingFigures& f) {
    return {u("Summa Leverantörsskulder inkl.moms"), f.payables};
}
Row stockSum(const ClosingFigures& f) {
    return {u("Summa varulagervärde"), f.stock};
}
Row assetsSum(const ClosingFigures& f) {
    return {u("Invent.värde eft.nedskr.försälj.o avskr.="), f.fixedAssets};
}
Row depreciationRow(const ClosingFigures& f) {
    return {u("Avskrivning under året (") + percentText(f.books.depreciationHundredths) + u("%)"),
            -f.depreciation};
}
Row loansSum(const ClosingFigures& f) {
    return {u("Summa lån"), f.borrowing};
}
Row vatBalanceSum(const ClosingFigures& f) {
    return {u("Summa momsskuld (minus är momsfordran)"), f.vatBalance};
}
Row vatAssetRow(const ClosingFigures& f) {
    return {u(" Momsfordran (övriga fordringar)"), f.vatAsset()};
}
Row totalAssetsSum(const ClosingFigures& f) {
    return {u("Summa tillgångar"), f.totalAssets};
}
Row taxableSum(const ClosingFigures& f) {
    return {u("Summa Inkomst"), f.taxableIncome};
}
Row vatFreeSum(const ClosingFigures& f) {
    return {u("Summa Inkomst momsfritt"), f.vatFreeIncome};
}
Row interestIncomeSum(const ClosingFigures& f) {
    return {u("Summa Inkomst räntor"), f.interestIncome};
}
Row costsSum(const ClosingFigures& f) {
    return {u("Summa Kostnader"), f.costs};
}
Row otherCostsSum(const ClosingFigures& f) {
    return {u("Summa Övriga externa kostnader"), f.otherExternalCosts};
}
Row interestCostsSum(const ClosingFigures& f) {
    return {u("Summa Räntekostnader"), f.interestCosts};
}

void head(Document& d) {
    const ClosingBooks& b = d.f_.books;
    ReportText& out = d.out;
    out.line(u("BOKSLUTSUNDERLAG  ") + b.year);
    out.emptyLines(2);
    if (b.locked) out.line(u("Verifikat ") + b.verificationNumber + u("  ") + b.verificationDate);
    out.emptyLines(2);
    out.line(u("Bokslutsunderlaget ligger till grund för ifyllandet av"));
    out.line(u("blanketten 'Förenklat årsbokslut'."));
    out.line(u("I slutet av vissa summor står ex.vis: 'Till B6'. Det"));
    out.line(u("innebär att beloppet skall läggas till i ruta 'B6' på"));
    out.line(u("blanketten 'Förenklat årsbokslut'"));
    out.emptyLines(1);
    out.line(u("*  En sammanställning av beloppen som skall föras in i de olika  *"));
    out.line(u("*  rutorna för 'Förenklat årsbokslut' görs längst ner            *"));
    out.emptyLines(4);
    d.starBox("*             BOKSLUTSHÄNDELSER för 'FÖRENKLAT ÅRSBOKSLUT'             *");
    out.emptyLines(8);
}

void balanceSections(Document& d) {
    const ClosingFigures& f = d.f_;
    const ClosingBooks& b = f.books;

    d.heading(1, "KASSA OCH BANK");
    for (const NamedAmount& a : b.moneyAccounts)
        d.row({u(" ") + a.name, a.amount});
    d.sum(cashSum(f));
    d.end();

    d.heading(2, "KUNDFORDRINGAR Årets");
    d.totalRow(" Summa Kundfordringar netto", b.receivablesNet);
    d.totalRow(" Summa Moms för Kundfordringar", b.receivablesVat);
    d.sum(receivablesSum(f));
    d.end();

    d.heading(3, "LEVERANTÖRSSKULDER Årets");
    d.totalRow(" Summa Leverantörsskulder netto", b.payablesNet);
    d.totalRow(" Summa Moms för Leverantörsskulder", b.payablesVat);
    d.sum(payablesSum(f));
    d.end();

    d.heading(4, "VARULAGER");
    d.row("Summa inventerat", b.stockCounted);
    d.row({u("Schablonavskrivning ") + percentText(b.stockWriteDownHundredths) + u("%"),
           -f.stockWriteDown});
    d.sum(stockSum(f));
    d.end();

    d.heading(5, "INVENTARIER (med avskrivning)");
    d.row("Inventarievärde från föregående år", b.assetsCarried);
    d.row("Nedskrivning av inventarier (kasserat)", -b.assetsWrittenOff);
    d.row("Inköpta inventarier", b.assetsBought);
    d.sum({u("Summa inventarier före försälj.o avskr. ="), f.assetsBeforeSale});
    d.row("Sålda inventarier", -b.assetsSold);
    d.sum({u("Kvarvarande inventarier                 ="), f.assetsRemaining});
    d.row(depreciationRow(f));
    d.sum(assetsSum(f));
    d.end();

    d.heading(6, "LÅN");
    d.row(" Lån från bank, kvarvarande", f.loans[LoanBank]);
    d.row(" Lån från ägare, kvarvarande", f.loans[LoanOwner]);
    d.row(" Lån från annan, kvarvarande", f.loans[LoanOther]);
    d.sum(loansSum(f));
    d.end();
}

void vatSections(Document& d) {
    const ClosingFigures& f = d.f_;
    const ClosingBooks& b = f.books;
    const auto rates = [&d](const std::vector<RateAmount>& list, const char* suffix) {
        for (const RateAmount& r : list)
            d.row({u(" Moms med ") + QString::number(r.rate) + u("%") + u(suffix), r.amount});
    };
    const auto carried = [&d](const QString& label, Amount amount) {
        if (!amount.isZero()) d.row({u(" ") + label, -amount});
    };
    const auto sum53 = [&d](const char* label, Amount amount) {
        d.out.line(line68());
        d.out.amountLine(u(label), amount.toText(), 53);
    };

    d.heading(7, "MOMS PÅ FÖRSÄLJNING (utgående moms)");
    rates(b.outputVat, "");
    rates(b.reverseVat, "  Omvänd moms");
    carried(carriedReceivablesVatLabel(), b.receivablesPreviousVat);
    sum53("Summa utgående moms", f.outputVatTotal);
    d.end();

    d.heading(8, "MOMS PÅ INKÖP (ingående moms)");
    rates(b.inputVat, "");
    carried(carriedPayablesVatLabel(), b.payablesPreviousVat);
    sum53("Summa ingående moms", f.inputVatSum);
    d.end();

    d.heading(9, "MOMSSKILLNAD (Momssummering av här ovan)");
    d.row(" Moms utgående  (ex. vid försälj.)", f.outputVatTotal);
    d.row(" Moms ingående  (ex. vid inköp)", -f.inputVatSum);
    d.sum({u("Momsskillnad"), f.vatDifference});
    d.row(" Föregående års momsskillnad (ej utbokad)", b.vatCarried);
    d.sum(vatBalanceSum(f));
    d.end();

    d.heading(10, "TILLGÅNGAR");
    d.row(" Kassa och bank", b.cash);
    d.row(" Varulager", f.stock);
    d.row(" Inventarier", f.fixedAssets);
    d.row(receivablesSum(f));
    if (f.vatBalance < Amount()) d.row(vatAssetRow(f));
    d.sum(totalAssetsSum(f));
    d.end();
}

void resultSections(Document& d) {
    const ClosingFigures& f = d.f_;
    const ClosingBooks& b = f.books;

    d.heading(11, "INTÄKTER momsbelagd");
    d.row(" Inkomst Arbete och Tjänst", b.incomeWork);
    d.row(" Inkomst Varor och Material", b.incomeGoods);
    d.row(" Inkomst Annat", b.incomeOther);
    d.row(" Inkomst Omvänd moms", b.incomeReverse);
    d.row(" Kundfordringar årets", b.receivablesNet);
    d.row(" Kundfordringar föregående år", -b.receivablesPrevious);
    d.sum(taxableSum(f));
    d.end();

    d.heading(12, "INTÄKTER momsfritt");
    d.row(" Inkomst momsfritt", b.incomeVatFree);
    d.row(" Öresutjämning", b.rounding);
    d.sum(vatFreeSum(f));
    d.end();

    d.heading(13, "INTÄKTER räntor");
    d.row(" Inkomst räntor", b.incomeInterest);
    d.sum(interestIncomeSum(f));
    d.end();

    d.heading(14, "KOSTNADER");
    d.row(" Varor och material", b.costGoods);
    d.row(" Arbete och tjänster", b.costWork);
    d.row(" Arbete, Tjänster, Varor. Omvänd moms", b.costReverse);
    d.row(" Varulager från föregående år", b.stockPrevious);
    d.row(" Leverantörsskulder årets", b.payablesNet);
    d.row(" Leverantörsskulder föregående år", -b.payablesPrevious);
    d.row(" Varulager årets", -f.stock);
    d.sum(costsSum(f));
    d.end();

    d.heading(15, "ÖVRIGA EXTERNA KOSTNADER");
    d.row(" Inventarier med avskrivning direkt", b.assetsDirect);
    d.row(" Utgift annat", b.costOther);
    d.row(" Momsfria kostnader", b.costVatFree);
    d.sum(otherCostsSum(f));
    d.end();

    d.heading(16, "RÄNTEKOSTNADER");
    d.row(" Utgift räntor", b.costInterest);
    d.sum(interestCostsSum(f));
    d.end();

    d.heading(17, "ÅRETS RESULTAT");
    d.row(" Försälj. o övriga intäkter momsbelagt", f.taxableIncome);
    d.row(" Försälj. o övriga intäkter momsfritt", f.vatFreeIncome);
    d.row(" Inkomst räntor", f.interestIncome);
    d.row(" Kostnader", -f.costs);
    d.row(" Övriga externa kostnader", -f.otherExternalCosts);
    d.row(" Kostnader räntor", -f.interestCosts);
    d.sum({u("Bokfört resultat exklusive avskrivningar"), f.resultBeforeDepreciation});
    d.end();
}

// The summary: every amount of the form with its box.
void summary(Document& d) {
    const ClosingFigures& f = d.f_;
    ReportText& out = d.out;
    d.starBox("*             SAMMANSTÄLLNING FÖR 'FÖRENKLAT ÅRSBOKSLUT'               *");
    out.emptyLines(3);

    const QString noteIndent(57, u' ');
    out.line(u("BALANSRÄKNING"));
    out.line(u("Tillgångssidan"));
    out.line(u("Tillgångar") + hyphens(45));
    d.summary(assetsSum(f), " *Till B4*");
    d.summary(stockSum(f), " *Till B6*");
    d.summary(receivablesSum(f), " *Till B7*");
    if (f.vatBalance < Amount()) d.summary(vatAssetRow(f), " *Till B8*");
    d.summary(cashSum(f), " *Till B9*");
    out.line(hyphens(55));
    d.summary(totalAssetsSum(f), " *Till 'Summa");
    out.line(noteIndent + u("tillgångar'*"));
    out.emptyLines(2);

    out.line(u("Skuldsidan"));
    out.line(u("Eget kapital") + hyphens(43));
    d.summary({u("Summa Eget kapital"), f.equity}, " *Till B10*");
    d.summary(loansSum(f), " *Till B13*");
    if (f.vatBalance >= Amount()) d.summary(vatBalanceSum(f), " *Till B14*");
    d.summary(payablesSum(f), " *Till B15*");
    out.line(hyphens(55));
    d.summary({u("Summa skulder och eget kapital"), f.totalLiabilities}, " *Till 'Summa");
    out.line(noteIndent + u("skulder och"));
    out.line(noteIndent + u("eget kapital'*"));
    out.emptyLines(3);

    out.line(u("RESULTATRÄKNING"));
    out.emptyLines(1);
    out.line(u("Intäkter") + hyphens(47));
    d.summary(taxableSum(f), " *Till R1*");
    d.summary(vatFreeSum(f), " *Till R2*");
    d.summary(interestIncomeSum(f), " *Till R4*");
    out.line(u("Kostnader") + hyphens(46));
    d.summary(costsSum(f), " *Till R5*");
    d.summary(otherCostsSum(f), " *Till R6*");
    d.summary(interestCostsSum(f), " *Till R8*");
    out.line(u("Avskrivningar") + hyphens(42));
    d.summary({u("Avskrivningar och nedskrivningar"), f.depreciationAndWriteOff}, " *Till R10*");
    out.line(hyphens(55));
    d.summary({u("Bokfört resultat"), f.result}, " *Till R11*");
    out.emptyLines(5);
}

void vatAppendix(Document& d) {
    const ClosingFigures& f = d.f_;
    ReportText& out = d.out;
    out.line(u("MOMSREDOVISNING UTGÅENDE MOMS                          *För Momsbilaga*"));
    out.line(u("Utgående moms är för inkomster"));
    vatblocks::outputBases(out, f);
    out.emptyLines(3);
    vatblocks::outputVat(out, f);
    out.emptyLines(2);
    vatblocks::reverseVat(out, f);
    out.emptyLines(4);
    out.line(u("MOMSREDOVISNING INGÅENDE MOMS"));
    out.line(u("Ingående moms är för utgifter"));
    vatblocks::inputBases(out, f);
    out.emptyLines(2);
    vatblocks::inputVat(out, f, u("moms*    (Not 1)"));
    out.emptyLines(4);
    out.line(stars(72));
    out.line(u("(Not 1):"));
    out.line(u("I e-deklarationen förs detta belopp in i rutan längst ner på momssidan"));
    out.line(u("där det står: *Summa avdragsgill ingående moms*"));
    out.line(u("I papperdeklarationen  (Momsbilaga Inkomstdeklaration) förs beloppet"));
    out.line(u("inte in. Det förs först in i Inkomstdeklarationen."));
    out.emptyLines(2);
}

QString amountLineText(Amount a) {
    return a.toText() + u("\n");
}

} // namespace

QString closingBasisText(const ClosingFigures& f) {
    Document d(f);
    head(d);
    balanceSections(d);
    vatSections(d);
    resultSections(d);
    summary(d);
    vatAppendix(d);
    return d.out.text();
}

QString closingBalanceText(const ClosingFigures& f) {
    QString text;
    for (Amount a : {f.books.cash, f.fixedAssets, f.stock, f.receivables, f.payables, f.borrowing,
                     f.equity, f.totalAssets, f.totalLiabilities, f.vatBalance})
        text += amountLineText(a);
    return text;
}

std::array<QString, balanceLineCount> readBalanceLines(const QString& path) {
    std::array<QString, balanceLineCount> lines;
    const QString text = storedText(path);
    qsizetype pos = 0;
    for (QString& line : lines) {
        if (pos >= text.size()) break;
        qsizetype end = text.indexOf(u'\n', pos);
        if (end < 0) end = text.size();
        line = text.mid(pos, end - pos).left(20);
        pos = end + 1;
    }
    return lines;
}

Amount balanceAmount(const std::array<QString, balanceLineCount>& lines, int index) {
    if (index < 0 || index >= balanceLineCount) return Amount();
    return Amount::parseLenient(lines[size_t(index)]);
}

void addClosingFiles(const PathTable& paths, const ClosingFigures& f, ChangeSet& set) {
    set.setText(paths.closing(u("varulager_varde_eft_avskr")), amountLineText(f.stock));
    set.setText(paths.closing(u("inventarier_varde_eft_avskr")), amountLineText(f.fixedAssets));
    set.setText(paths.closing(u("utg_balans")), closingBalanceText(f));
}

void addClosingBasisDocument(const PathTable& paths, const ClosingFigures& f, ChangeSet& set) {
    set.setText(paths.closingBasis, closingBasisText(f));
}

ClosingRun runClosingBasis(const PathTable& paths, const Settings& settings, bool withDocument) {
    ClosingRun run;
    run.figures = closingFigures(paths, settings);
    ChangeSet set(Operation::ClosingBasis);
    addClosingFiles(paths, run.figures, set);
    if (withDocument) addClosingBasisDocument(paths, run.figures, set);
    const CommitOutcome c = commitChangeSet(paths, set, 0);
    run.ok = c.ok;
    run.message = c.message;
    return run;
}

} // namespace mv
