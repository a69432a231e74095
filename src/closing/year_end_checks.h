#pragma once
// The checks that lead the owner up to the completion of a year, one screen
// at a time on the closing page: whether the fiscal year is broken (the
// owner then chooses the following year among the created ones), whether
// the following year exists, whether the stock is to be counted first, and
// whether the owner's tax and salary withdrawals still have to be booked out
// (the expense page then opens with the preset and the amount). Only when
// every check passes is "Slutför" offered. A locked year is never offered it.
//
// Each screen is a text of this file; the questions are messages whose
// answers the closing page passes back.
#include "closing/year_completion.h"
#include "reports/owner_info.h"
#include "store/amount.h"
#include "store/user_message.h"

#include <QString>

namespace mv {

enum class YearEndScreen {
    Locked,        // the year is completed: nothing to do
    BrokenYear,    // explanation shown with the broken-year question
    ChooseYear,    // a broken year: choose the following year ("Välj")
    TargetRefused, // the following year cannot take the carry (not created, ...)
    StockCount,    // explanation shown with the stock-count question
    StockChosen,   // the owner counts the stock first
    OwnTax,        // the own-tax withdrawal still has to be booked out
    OwnSalary,     // the own-salary withdrawal still has to be booked out
    Ready,         // every check passed: "Slutför"
};

// What the closing page keeps between its runs for the year being closed.
struct YearEndRun {
    QString year;                  // the year the choices belong to
    bool brokenYearChosen = false; // "Ja" to the broken-year question
    QString chosenYear;            // the following year chosen with "Välj" ("" none)
};

// The run for the year: the kept one when it belongs to that year, else a
// fresh one (another year was selected in between).
YearEndRun runFor(const YearEndRun& kept, const QString& year);

// The following year of the run: the chosen one for a broken year, else the
// next calendar year.
QString targetYearOf(const YearEndRun& run);

// The withdrawal that must be booked out before the year closes: the tax
// left to pay, then the salary left to take, when above 0.99. Its amount in
// *amount.
YearEndScreen withdrawalScreen(const OwnerFigures& owner, Amount* amount);

// The screens' texts.
QString lockedText(const QString& year);
QString brokenYearText();
QString chooseYearText();
// The following year cannot take the carry: the refusal, and for a year not
// yet created the steps to create it.
QString targetRefusedText(const QString& year, const QString& target, const TargetCheck& check);
QString stockCountText();
QString stockChosenText(const QString& year);
QString ownTaxText(const QString& year, Amount amount);
QString ownSalaryText(const QString& year, Amount amount);
QString readyText(const QString& year, const QString& target);

// The questions.
Message brokenYearQuestion(); // "Skall brutet bokföringsår tillämpas?", "Ja" the default
Message stockCountQuestion(); // "Vill du inventera?"

} // namespace mv
