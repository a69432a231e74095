#pragma once
// The balance report (the opening balance of the year beside the closing
// balance) and the result report (the year's income and cost items, the
// depreciation, the scrapped fixed assets and the year's result). Both print
// the closing figures; the balance report takes its opening column from the
// opening-balance file of the year.
#include "reports/closing_basis.h"
#include "reports/closing_figures.h"

#include <QString>

namespace mv {

// The balance report; opening holds the lines of the opening-balance file
// (readBalanceLines of bokslut_fga_ing_balans.kdb).
QString balanceReportText(const ClosingFigures& f,
                          const std::array<QString, balanceLineCount>& opening);

// The result report.
QString resultReportText(const ClosingFigures& f);

} // namespace mv
