#pragma once
// The closing basis ("BOKSLUTSUNDERLAG"): the document from which the owner
// fills in the simplified annual accounts and the VAT appendix, and the
// closing files it leaves for the next year. Both are made from the closing
// figures (closing_figures.h) and written as ONE change of the books.
//
// The document: seventeen sections of the closing figures, the summary for
// the form with the box of every amount, the VAT appendix. In a locked year
// every heading names the year's last verification and its date.
//
// The closing files: the stock after its write-down, the fixed assets after
// depreciation, and the closing balance of ten lines (cash and bank, fixed
// assets, stock, receivables, payables, borrowing, equity, total assets,
// total liabilities, and the VAT still owed: above zero a debt, below zero an
// asset). A nine-line balance of an older year reads as owing no VAT.
#include "reports/closing_figures.h"
#include "store/change_set.h"
#include "store/user_message.h"

#include <QString>

#include <array>

namespace mv {

// The document, composed.
QString closingBasisText(const ClosingFigures& f);

// The closing balance file's text: ten amounts, one per line.
QString closingBalanceText(const ClosingFigures& f);

inline constexpr int balanceLineCount = 10;
// The lines of a balance file (the closing balance or the opening balance
// taken over from it): each up to its line end and at most 20 characters;
// lines the file does not have are empty.
std::array<QString, balanceLineCount> readBalanceLines(const QString& path);
// A line read as an amount (an empty or missing line is 0.00).
Amount balanceAmount(const std::array<QString, balanceLineCount>& lines, int index);

// The three closing files, into the set.
void addClosingFiles(const PathTable& paths, const ClosingFigures& f, ChangeSet& set);
// The document as bokslut_underlag.kdb, into the set.
void addClosingBasisDocument(const PathTable& paths, const ClosingFigures& f, ChangeSet& set);

struct ClosingRun {
    bool ok = false;
    Message message; // the failed write when !ok
    ClosingFigures figures;
};

// Computes the figures of the year and writes the closing files, with the
// document when withDocument, as one change: the stamps and second copies
// are renewed with it, so the next guarded command finds the year intact.
// Nothing is written when the change cannot be made.
ClosingRun runClosingBasis(const PathTable& paths, const Settings& settings, bool withDocument);

} // namespace mv
