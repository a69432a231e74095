#include "closing/opening_balance.h"

#include "booking/booking_entry.h"
#include "booking/booking_messages.h"
#include "reports/books.h"
#include "reports/closing_basis.h"
#include "store/clock.h"
#include "store/years.h"

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QString amountLine(Amount a) {
    return a.toText() + u("\n");
}

Message information(const QString& text) {
    return {u("MEDDELANDE"), text, u("INFORMATION"), u("OK")};
}

QString previousYear(const QString& year) {
    bool ok = false;
    const int y = year.toInt(&ok);
    return ok ? QString::number(y - 1) : QString();
}

bool holdsText(const QString& path) {
    return !storedText(path).trimmed().isEmpty();
}

} // namespace

QString openingBalanceFileText(const OpeningBalance& b) {
    QString text;
    for (Amount a : {b.cash, b.equipment, b.stock, b.receivables, b.payables, b.loans, b.equity(),
                     b.totalAssets(), b.totalLiabilities(), b.vatDifference})
        text += amountLine(a);
    return text;
}

OpeningState openingState(const PathTable& paths) {
    if (readLockState(paths) == 0) return OpeningState::Locked;
    const PathTable previous = buildPathTable(previousYear(paths.year));
    if (holdsText(previous.closing(u("utg_balans")))) return OpeningState::PreviousYearKept;
    if (holdsText(paths.closing(u("fga_ing_balans")))) return OpeningState::AlreadyRegistered;
    return OpeningState::Open;
}

Message openingRefusal(OpeningState state) {
    switch (state) {
    case OpeningState::PreviousYearKept:
        return information(u("Registrering av ingående balans kan inte göras då transaktioner "
                             "förekommit under föregående år!") +
                           u("\n\n"));
    case OpeningState::AlreadyRegistered:
        return information(
            u("Import av ingående balans är redan verkställd!\n\nOm Importen registrerats fel "
              "måste bokföringen raderas. Därefter börjar man från början.\n\nFörfarandet är "
              "till för att hindra olovlig förändring av balanskontot.") +
            u("\n\n"));
    default:
        return Message();
    }
}

std::array<QString, openingRowCount> storedOpeningRows(const PathTable& paths) {
    const std::array<QString, balanceLineCount> lines =
        readBalanceLines(paths.closing(u("fga_ing_balans")));
    std::array<QString, openingRowCount> rows;
    for (int i = RowCash; i <= RowEquity; ++i)
        rows[size_t(i)] = lines[size_t(i)];
    const QString vat = storedText(paths.closing(u("fga_moms_skillnad")));
    rows[RowVat] = vat.left(vat.indexOf(u'\n') < 0 ? vat.size() : vat.indexOf(u'\n')).left(20);
    return rows;
}

std::optional<OpeningBalance> readOpeningRows(const std::array<QString, openingRowCount>& typed,
                                              Message& refusal) {
    std::array<Amount, openingRowCount> a{};
    for (int i = 0; i < openingRowCount; ++i) {
        if (i == RowEquity) continue;
        const std::optional<Amount> v = typedAmount(typed[size_t(i)]);
        if (!v) {
            refusal = msg::badAmount();
            return std::nullopt;
        }
        a[size_t(i)] = *v;
    }
    OpeningBalance b;
    b.cash = a[RowCash];
    b.equipment = a[RowEquipment];
    b.stock = a[RowStock];
    b.receivables = a[RowReceivables];
    b.payables = a[RowPayables];
    b.loans = a[RowLoans];
    b.vatDifference = a[RowVat];
    return b;
}

int openingNumber(const PathTable& paths) {
    return storedCounter(paths) + 1;
}

void addOpeningBalanceChanges(const PathTable& paths, const OpeningBalance& b, int number,
                              ChangeSet& set) {
    set.setText(paths.closing(u("fga_ing_balans")), openingBalanceFileText(b));
    set.setText(paths.closing(u("fga_inventarievarde")), amountLine(b.equipment));
    // The opening stock is the previous year's closing stock; it also
    // presets this year's count, so that a year never counted does not turn
    // the whole opening stock into a cost. A count already made stays.
    set.setText(paths.closing(u("fga_inventering_varde")), amountLine(b.stock));
    const QString count = paths.closing(u("inventering_varde"));
    if (set.text(count).trimmed().isEmpty()) set.setText(count, amountLine(b.stock));
    set.setText(paths.closing(u("fga_Kundfordringar")), amountLine(b.receivables));
    set.setText(paths.closing(u("fga_Leverantorsskulder")), amountLine(b.payables));
    set.setText(paths.loanCarried(u("Inlåning, Från annan")), amountLine(b.loans));
    set.setText(paths.closing(u("fga_moms_skillnad")), amountLine(b.vatDifference));
    set.addAmount(paths.cash, b.cash);

    OpeningBalanceEntry e;
    e.number = number;
    e.date = todayText();
    e.cash = b.cash;
    e.equipment = b.equipment;
    e.stock = b.stock;
    e.receivables = b.receivables;
    e.payables = b.payables;
    e.loans = b.loans;
    e.equity = b.equity();
    e.vatDifference = b.vatDifference;
    addOpeningBalanceEntry(paths, e, set);
    // The number is used, with or without a cash amount to place.
    set.setText(paths.verCounter, QString::number(number));
    set.setText(paths.dayBookDate, e.date + u("\n"));
}

CommitOutcome commitOpeningBalance(const PathTable& paths, const OpeningBalance& b,
                                   const TransferForm* placing) {
    CommitOutcome out;
    if (recoverInterruptedBooking(paths) != 0) {
        out.message = saveFailedMessage(bookingUndoPath(paths));
        return out;
    }
    const OpeningState state = openingState(paths);
    if (state != OpeningState::Open) {
        out.message = state == OpeningState::Locked
                          ? information(u("Året är låst för redigering!\n\n"))
                          : openingRefusal(state);
        return out;
    }
    const int number = openingNumber(paths);
    ChangeSet set(Operation::OpeningBalance);
    addOpeningBalanceChanges(paths, b, number, set);
    if (needsCashStep(b)) {
        if (!placing) {
            out.message = msg::unbalanced();
            return out;
        }
        const Message m = addImportedCashChanges(paths, *placing, number, b.cash, set);
        if (!m.text.isEmpty()) {
            out.message = m;
            return out;
        }
    }
    return commitChangeSet(paths, set, number);
}

Message openingSavedMessage(bool cashStep) {
    QString text = u("Import av föregående års balans sparades!");
    if (cashStep)
        text += u("\n\n") +
                u("Importerad Kassa, Bank mm läggs in i önskat konto under ' Kassa'. Kassan öppnas "
                  "när detta fönster stängs. Beloppet finns i översta rutan vid texten 'Balans'.");
    return information(text + u("\n\n"));
}

} // namespace mv
