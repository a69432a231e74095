#pragma once
// The VAT report: for the VAT return, the taxable base and the VAT per rate
// of the sales, the reverse-charge purchases and VAT, and the deductible
// input VAT, each with the box of the form it goes to. It prints the closing
// figures; its blocks are also the VAT appendix of the closing basis, so the
// two always agree.
//
// Box 05 is the sum of the sales bases; the reverse-charge purchases go to
// box 24 and never reduce it. The receivables and payables carried from the
// previous year were declared then: their VAT reduces this year's output and
// input VAT sums, and the receivables' net box 05, each on a line of its own
// (not a rate's line).
#include "reports/closing_figures.h"
#include "reports/report_file.h"

#include <QString>

namespace mv {

// The VAT report, composed.
QString vatReportText(const ClosingFigures& f);

// The blocks shared with the closing basis, in the order they are printed;
// each ends with its last line (the callers put the empty lines between).
namespace vatblocks {
// "Inkomst som Utgående momsen beräknas på": bases, box 05, the
// reverse-charge cost with box 24.
void outputBases(ReportText& out, const ClosingFigures& f);
// "Momssatser Utgående moms": VAT per rate (boxes 10 - 12), the carried
// receivables' VAT, the sum.
void outputVat(ReportText& out, const ClosingFigures& f);
// "Momssatser Utgående omvänd moms" (boxes 30 - 32) and its sum.
void reverseVat(ReportText& out, const ClosingFigures& f);
// "Utgift som Ingående momsen beräknas på": bases and their sum.
void inputBases(ReportText& out, const ClosingFigures& f);
// "Momssatser Ingående moms": VAT per rate, the carried payables' VAT and
// the sum with its three-line note, whose last line ends in lastNoteText.
void inputVat(ReportText& out, const ClosingFigures& f, const QString& lastNoteText);
} // namespace vatblocks

// Labels of the carried VAT lines (the general ledger prints them too) and
// of the carried receivables' net in box 05.
QString carriedReceivablesVatLabel();
QString carriedReceivablesLabel();
QString carriedPayablesVatLabel();

} // namespace mv
