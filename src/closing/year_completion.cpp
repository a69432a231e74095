#include "closing/year_completion.h"

#include "booking/adjustment_bookings.h"
#include "booking/cash_distribution.h"
#include "invoicing/invoice_numbering.h"
#include "reports/books.h"
#include "reports/closing_basis.h"
#include "store/clock.h"
#include "store/integrity.h"
#include "store/record_file.h"
#include "store/years.h"

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

Message refusal(const QString& text) {
    return {u("MEDDELANDE"), text + u("\n\n"), u("EXCLAMATION"), u("OK")};
}

QString amountLine(Amount a) {
    return a.toText() + u("\n");
}

const char* const kLoanAccounts[loanKinds] = {"Inlåning, Från bank", "Inlåning, Från ägaren",
                                              "Inlåning, Från annan"};

// The files carried as they stand: closed year's name, target year's name.
const char* const kCopiedClosingFiles[][2] = {
    {"Kundfordringar", "fga_Kundfordringar"},
    {"KundfordringarMoms", "fga_Kundfordringar_Moms"},
    {"Leverantorsskulder", "fga_Leverantorsskulder"},
    {"LeverantorsskulderMoms", "fga_Leverantorsskulder_Moms"},
};

void copyText(const QString& from, const QString& to, ChangeSet& set) {
    set.setText(to, storedText(from));
}

// The balance sheet: the opening balance, the assets and stock after the
// year's depreciation and write-down, the stock count, the loans, the
// receivables and payables, the VAT still owed.
void addCarriedBalances(const PathTable& closed, const PathTable& target, const ClosingFigures& f,
                        ChangeSet& set) {
    set.setText(target.closing(u("fga_ing_balans")), closingBalanceText(f));
    const QString list = u("inventarielista_avskr");
    set.setText(target.closing(list),
                carriedAssetList(storedText(closed.closing(list)), set.text(target.closing(list)),
                                 target.year));
    // The count is the next year's preset, so that a year never counted
    // does not turn its whole opening stock into a cost; a count the target
    // year already made is its own.
    if (set.text(target.closing(u("inventering_varde"))).trimmed().isEmpty()) {
        copyText(closed.closing(u("inventering")), target.closing(u("inventering")), set);
        copyText(closed.closing(u("inventering_varde")), target.closing(u("inventering_varde")),
                 set);
    }
    set.setText(target.closing(u("fga_inventarievarde")), amountLine(f.fixedAssets));
    set.setText(target.closing(u("fga_inventering_varde")), amountLine(f.stock));
    set.setText(target.closing(u("fga_moms_skillnad")), amountLine(f.vatBalance));
    for (int k = 0; k < loanKinds; ++k)
        set.setText(target.loanCarried(u(kLoanAccounts[k])), amountLine(f.loans[size_t(k)]));
    for (const auto& names : kCopiedClosingFiles)
        copyText(closed.closing(u(names[0])), target.closing(u(names[1])), set);
}

// The money accounts and the cash total, added to what the target holds;
// fills the entry's names and summed balances.
void addCarriedMoney(const PathTable& closed, const PathTable& target, const ClosingFigures& f,
                     CarriedBalancesEntry& e, ChangeSet& set) {
    const MoneyAccounts money = loadMoneyAccounts(closed);
    for (int i = 1; i <= 6; ++i) {
        const size_t n = size_t(i - 1);
        bool existed = false;
        const QString name = storedText(closed.moneyAccountName(i), &existed);
        if (existed) set.setText(target.moneyAccountName(i), name);
        set.addAmount(target.moneyAccountAmount(i), money.balances[n]);
        e.moneyAccountNames[n] = money.names[n];
        e.moneyAccountBalances[n] = set.amount(target.moneyAccountAmount(i));
    }
    e.carriedCash = f.books.cash;
    set.addAmount(target.cash, f.books.cash);
    e.newCashTotal = set.amount(target.cash);
}

// Unpaid invoices and claims, and the larger of the two invoice counters.
void addCarriedInvoices(const PathTable& closed, const PathTable& target, ChangeSet& set) {
    for (const QString& entry : carriedInvoiceEntries(closed, target))
        copyText(closed.invoice(entry), target.invoice(entry), set);
    const int counter = storedInvoiceCounter(closed);
    if (counter > storedInvoiceCounter(target))
        set.setText(target.invoiceCounter, QString::number(counter) + u("\n"));
}

} // namespace

QString followingYear(const QString& year) {
    bool ok = false;
    const int y = year.toInt(&ok);
    return ok ? QString::number(y + 1) : QString();
}

TargetCheck checkCompletionTarget(const PathTable& closed, const PathTable& target) {
    const auto refused = [](TargetProblem problem, const QString& text) {
        return TargetCheck{problem, refusal(text)};
    };
    if (readLockState(closed) == 0)
        return refused(TargetProblem::ClosedLocked,
                       u("Året ") + closed.year + u(" är redan slutfört och låst!"));
    if (!isYearText(target.year) || target.year.toInt() <= closed.year.toInt())
        return refused(TargetProblem::NotLater,
                       u("Nästkommande år måste vara ett senare år än ") + closed.year + u("!"));
    if (sizeMeasure(target.moneyAccountName(1)) == -2)
        return refused(TargetProblem::Missing,
                       u("Nästkommande år är ej skapat!\n\nÅret ") + target.year +
                           u(" finns inte. Skapa det först med knappen\n'SKAPA BOKFÖRINGSÅR' "
                             "under 'Verktyg'."));
    if (readLockState(target) == 0)
        return refused(TargetProblem::Locked, u("Året ") + target.year +
                                                  u(" är låst för redigering!\n\nInget kan "
                                                    "föras över till det."));
    if (!storedText(target.closing(u("fga_ing_balans"))).trimmed().isEmpty())
        return refused(TargetProblem::HasOpening,
                       u("Året ") + target.year +
                           u(" har redan en ingående balans!\n\nSaldona kan inte föras över en "
                             "gång till."));
    return TargetCheck();
}

QStringList carriedInvoiceEntries(const PathTable& closed, const PathTable& target) {
    QStringList carried;
    for (const QString& entry : invoiceList(closed, false))
        if (!invoiceNumberUsed(target, entryNumber(entry).toInt())) carried << entry;
    return carried;
}

QString carriedAssetList(const QString& closedList, const QString& targetList,
                         const QString& targetYear) {
    if (targetList.size() < 5) return closedList;
    if (closedList.size() < 5) return targetList;
    const QString head = assetListHead(targetYear);
    return closedList + (targetList.startsWith(head) ? targetList.mid(head.size()) : targetList);
}

Completion addCompletionChanges(const PathTable& closed, const PathTable& target,
                                const Settings& settings, ChangeSet& set) {
    Completion c;
    c.date = todayText();
    c.closedNumber = storedCounter(closed) + 1;
    c.targetNumber = storedCounter(target) + 1;
    // The figures as the locked year's document names them: its last
    // verification and that verification's date.
    c.figures = closingFigures(closed, settings);
    c.figures.books.locked = true;
    c.figures.books.verificationNumber = QString::number(c.closedNumber);
    c.figures.books.verificationDate = c.date;
    const ClosingFigures& f = c.figures;

    // The target year.
    addCarriedBalances(closed, target, f, set);
    CarriedBalancesEntry e;
    e.number = c.targetNumber;
    e.date = c.date;
    e.equipment = f.fixedAssets;
    e.stockValue = f.stock;
    e.loanOther = f.loans[LoanOther];
    e.loanBank = f.loans[LoanBank];
    e.loanOwner = f.loans[LoanOwner];
    addCarriedMoney(closed, target, f, e, set);
    addCarriedBalancesEntry(target, e, set);
    set.setText(target.verCounter, QString::number(c.targetNumber));
    set.setText(target.dayBookDate, c.date + u("\n"));
    addCarriedInvoices(closed, target, set);

    // The closed year.
    addClosingFiles(closed, f, set);
    addClosingBasisDocument(closed, f, set);
    set.setText(closed.verCounter, QString::number(c.closedNumber));
    set.setText(closed.dayBookDate, c.date + u("\n"));
    addYearCompletedEntry(closed, c.closedNumber, c.date, set);
    set.setText(closed.lockMark, u("låst"));
    return c;
}

CompletionOutcome completeYear(const PathTable& closed, const PathTable& target,
                               const Settings& settings) {
    CompletionOutcome out;
    if (recoverInterruptedBooking(closed) != 0) {
        out.message = saveFailedMessage(bookingUndoPath(closed));
        return out;
    }
    if (changeInProgress(closed) || changeInProgress(target)) {
        out.message = unfinishedChangeMessage();
        return out;
    }
    const TargetCheck check = checkCompletionTarget(closed, target);
    if (!check.ok()) {
        out.message = check.message;
        return out;
    }
    ChangeSet set(Operation::YearCompletion);
    out.completion = addCompletionChanges(closed, target, settings, set);
    const CommitOutcome c = commitChangeSet(closed, set, out.completion.closedNumber);
    out.ok = c.ok;
    out.message = c.message;
    return out;
}

Message yearCompletedMessage() {
    return {u("MEDDELANDE"),
            u("Året är slutfört!") + u("\n\n") + u("Året är låst!") + u("\n\n") +
                u("Välj 'Verktyg' och sedan 'Bokslutsunderlag'\n") +
                u("för att skapa Bokslutsynderlaget.\n") +
                u("Klicka sedan på knappen 'Print' uppe till höger\n") +
                u("för att skriva ut underlaget.\n") + u("\n") +
                u("Bokslutsunderlaget ligger till grund för deklarationen.\n"),
            u("EXCLAMATION"), u("OK")};
}

} // namespace mv
