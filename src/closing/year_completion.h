#pragma once
// Year-end closing subsystem: the completion of a year (this file), the
// checks that guide the owner up to it (year_end_checks.h) and the opening
// balance of a business that starts its books here in mid-life
// (opening_balance.h). Its pages are the closing page "BOKSLUTFÖRANDET",
// the closing lists and "REGISTRERA INGÅENDE BALANS".
//
// The completion ("Slutför") carries the closed year into the target year:
// the closing balance as the target's opening balance, the fixed-asset list
// and the asset value after depreciation, the stock count and the stock value
// after its write-down, the remaining loans, the receivables and payables,
// the VAT still owed (the year's difference and what was carried in and not
// booked out), the money-account names, the balances and the cash total
// (added to what the target already holds), and the unpaid invoices,
// payment orders and claims on Skatteverket. It writes the opening
// verification of the target year, the last verification of the closed year,
// the closed year's closing-basis document (with that verification's number
// and date, the document the owner files) and the lock mark.
//
// All of it is ONE change of the books spanning both years: after a crash
// at any point and the start-up recovery, either neither year changed or
// both are complete. A locked year is never completed again.
#include "reports/closing_figures.h"
#include "store/change_set.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>
#include <QStringList>

namespace mv {

// The year a completion carries into when the owner chose none: the next
// calendar year ("2015" for "2014").
QString followingYear(const QString& year);

// Whether the closed year can be completed into the target year: the closed
// year is not locked; the target is a later year that exists (its first
// money-account file is there), is not locked and has no opening balance yet
// (a second carry would count the money twice).
enum class TargetProblem { None, ClosedLocked, NotLater, Missing, Locked, HasOpening };
struct TargetCheck {
    TargetProblem problem = TargetProblem::None;
    Message message; // the refusal; empty when problem is None
    bool ok() const { return problem == TargetProblem::None; }
};
TargetCheck checkCompletionTarget(const PathTable& closed, const PathTable& target);

// The invoice documents carried: every unpaid invoice ("<n>") and every
// unpaid payment order or claim ("<n>_BU") of the closed year's invoice list,
// unless the target year already holds a document of that number.
QStringList carriedInvoiceEntries(const PathTable& closed, const PathTable& target);

// The fixed-asset list the target year gets: the closed year's list,
// followed by the lines the target year has already added under its own
// head (a list of fewer than 5 characters holds nothing).
QString carriedAssetList(const QString& closedList, const QString& targetList,
                         const QString& targetYear);

struct Completion {
    ClosingFigures figures; // of the closed year, as its document names them
    int closedNumber = 0;   // the last verification of the closed year
    int targetNumber = 0;   // the opening verification of the target year
    QString date;           // today
};

// Adds every change of the completion to the set (nothing is checked).
Completion addCompletionChanges(const PathTable& closed, const PathTable& target,
                                const Settings& settings, ChangeSet& set);

struct CompletionOutcome {
    bool ok = false;
    Message message; // the refusal or failed write when !ok; nothing was changed
    Completion completion;
};

// Checks and writes the completion as one change.
CompletionOutcome completeYear(const PathTable& closed, const PathTable& target,
                               const Settings& settings);

// "Året är slutfört! ..." shown after the completion.
Message yearCompletedMessage();

} // namespace mv
