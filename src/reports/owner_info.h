#pragma once
// The owner information book ("ÄGARINFOBOKEN"): not part of the books, an
// estimate from the year's result of the owner's flat-rate deduction,
// self-employment contribution and income tax, the net pay left to withdraw,
// the tax still to pay, the VAT carried from the previous year and the
// remaining loans. It reads the closing figures and three percentages of the
// settings (deduction, contribution, income tax). Each figure is rounded once
// to whole öre, half away from zero.
#include "reports/closing_figures.h"
#include "store/settings.h"

#include <QString>

namespace mv {

struct OwnerFigures {
    Amount result;         // Y: the year's result (R11)
    Amount deduction;      // D = Y * a / 100, never below zero
    Amount contribution;   // E = (Y - D) * e / 100, never below zero
    Amount incomeTax;      // I = (Y - E) * t / 100, never below zero
    Amount tax;            // T = E + I
    Amount netPay;         // N = Y - T
    Amount salaryTaken;    // W: withdrawals for own salary
    Amount leftToWithdraw; // K = N - W
    Amount vat;            // V: the year's VAT difference
    Amount taxTotal;       // S = T + V
    Amount taxPaid;        // X: withdrawals for own tax
    Amount taxLeft;        // R = S - X (below zero: to get back)
};

OwnerFigures computeOwnerFigures(const ClosingFigures& f, const Settings& settings);

// The book, composed.
QString ownerInfoText(const ClosingFigures& f, const Settings& settings);

// K and R of the last owner information book shown, for the pages that show
// them; known is false until one has been composed.
struct OwnerResults {
    bool known = false;
    Amount leftToWithdraw; // K
    Amount taxLeft;        // R
};
const OwnerResults& keptOwnerResults();
void keepOwnerResults(const OwnerFigures& figures);
void forgetOwnerResults();

} // namespace mv
