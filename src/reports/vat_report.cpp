#include "reports/vat_report.h"

namespace mv {

using namespace reporting;

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString hyphens(int count) {
    return repeatedChar(QLatin1Char('-'), count);
}

QString rateLabel(int rate) {
    return u("  Moms med ") + QString::number(rate) + u("%");
}

// Lines of one amount per rate at width, each followed by note.
void rateLines(ReportText& out, const std::vector<RateAmount>& list, int width,
               const QString& note = QString()) {
    for (const RateAmount& r : list)
        out.line(alignedPiece(rateLabel(r.rate), r.amount.toText(), width) + note);
}

// The carried VAT that reduces a sum, on its own line, when there is any.
void carriedLine(ReportText& out, const QString& label, Amount carried) {
    if (!carried.isZero()) out.amountLine(u("  ") + label, (-carried).toText(), 56);
}

constexpr int kBaseWidth = 55;

} // namespace

QString carriedReceivablesVatLabel() {
    return u("Moms fg.års kundfordringar, redov. fg.år");
}
QString carriedReceivablesLabel() {
    return u("Fg.års kundfordringar, redov. fg.år");
}
QString carriedPayablesVatLabel() {
    return u("Moms fg.års lev.skulder, redov. fg.år");
}

namespace vatblocks {

void outputBases(ReportText& out, const ClosingFigures& f) {
    out.line(u("Inkomst som Utgående momsen beräknas på") + hyphens(15));
    rateLines(out, f.outputBases, kBaseWidth);
    // The sales of the carried receivables were declared the year they arose.
    if (!f.books.receivablesPrevious.isZero())
        out.amountLine(u("  ") + carriedReceivablesLabel(), (-f.books.receivablesPrevious).toText(),
                       kBaseWidth);
    out.line(QString(38, u' ') + hyphens(16));
    out.line(alignedPiece(u("  Summa inkomst för beräkning av moms"), f.salesBase.toText(),
                          kBaseWidth) +
             u(" *Ruta 05*"));
    out.line(alignedPiece(u("  Omvänd utgift för beräkning av moms"), f.books.costReverse.toText(),
                          kBaseWidth) +
             u(" *Ruta 24*"));
}

void outputVat(ReportText& out, const ClosingFigures& f) {
    out.line(u("Momssatser Utgående moms") + hyphens(30));
    rateLines(out, f.books.outputVat, 56, u(" *Ruta 10 - 12*"));
    carriedLine(out, carriedReceivablesVatLabel(), f.books.receivablesPreviousVat);
    out.line(hyphens(54));
    out.amountLine(u("  Summa utgående moms"), f.outputVatSum.toText(), kBaseWidth);
}

void reverseVat(ReportText& out, const ClosingFigures& f) {
    out.line(u("Momssatser Utgående omvänd moms") + hyphens(23));
    rateLines(out, f.books.reverseVat, 56, u(" *Ruta 30 - 32*"));
    out.line(hyphens(54));
    out.amountLine(u("  Summa omvänd utgående moms"), f.reverseVatSum.toText(), kBaseWidth);
}

void inputBases(ReportText& out, const ClosingFigures& f) {
    out.line(u("Utgift som Ingående momsen beräknas på") + hyphens(16));
    rateLines(out, f.inputBases, kBaseWidth);
    out.line(hyphens(54));
    out.amountLine(u("  Summa inkomst för beräkning av moms"), f.inputBaseTotal.toText(),
                   kBaseWidth);
}

void inputVat(ReportText& out, const ClosingFigures& f, const QString& lastNoteText) {
    out.line(u("Momssatser Ingående moms") + hyphens(30));
    rateLines(out, f.books.inputVat, 56);
    carriedLine(out, carriedPayablesVatLabel(), f.books.payablesPreviousVat);
    out.line(hyphens(54));
    out.line(alignedPiece(u("  Summa ingående moms"), f.inputVatSum.toText(), kBaseWidth) +
             u(" *Summa avdrags"));
    out.line(QString(56, u' ') + u("gill ingående"));
    out.line(QString(56, u' ') + lastNoteText);
}

} // namespace vatblocks

QString vatReportText(const ClosingFigures& f) {
    ReportText out;
    out.line(u("MOMSRAPPORT  ") + f.books.year);
    out.line(repeatedChar(QLatin1Char('_'), 86));
    out.emptyLines(3);
    out.line(u("MOMSREDOVISNING UTGÅENDE MOMS                          *För Momsbilaga*"));
    out.emptyLines(1);
    out.line(u("Utgående moms är för inkomster"));
    out.emptyLines(4);
    vatblocks::outputBases(out, f);
    out.emptyLines(3);
    vatblocks::outputVat(out, f);
    out.emptyLines(2);
    vatblocks::reverseVat(out, f);
    out.emptyLines(6);
    out.line(u("MOMSREDOVISNING INGÅENDE MOMS"));
    out.emptyLines(1);
    out.line(u("Ingående moms är för utgifter"));
    out.emptyLines(1);
    out.line(u("Har du rätt till avdrag eller  återbetalning  av  ingående  moms"));
    out.line(u("ska du inte redovisa detta i momsbilagan, utan endast i inkomst-"));
    out.line(u("deklarationen. Momsen skrivs i ruta 110 på Inkomstdeklaration 1"));
    out.line(u("(Ruta 1.9 på Inkomstdeklaration 2 eller ruta 1.10 på Inkomst-"));
    out.line(u("deklaration 3) när inkomsten deklareras."));
    out.emptyLines(3);
    vatblocks::inputBases(out, f);
    out.emptyLines(2);
    vatblocks::inputVat(out, f, u("moms Ruta 110*"));
    out.emptyLines(4);
    return out.text();
}

} // namespace mv
