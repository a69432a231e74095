#pragma once
// The texts booking writes: the heads of the lists and books, the block of a
// verification, the cash-book line and the cash (transfer) block. Pure text,
// no files.
#include "booking/booking_entry.h"
#include "store/amount.h"

#include <QString>
#include <array>

namespace mv {

enum class ListKind { Income, Expense, Cash };

QString listHead(ListKind kind);           // "INKOMST VERIFIKATIONER" ...
QString dayBookHead(const QString& year);  // "DAGBOK  <year>" ...
QString cashBookHead();                    // "KASSABOK" ...

// A list or book holding fewer than 5 characters is started afresh with its
// head; otherwise it is kept as it is.
QString withHead(const QString& existing, const QString& head);

// The value of a right-aligned piece: label, blanks, value so that the piece
// is width - 1 characters long. When the two are too long for that, one
// blank still separates them (the line grows by what does not fit).
QString aligned(const QString& label, const QString& value, int width);

QString blockDivider();                    // 60 hyphens and a line end
QString blockEnd();                        // dividing line and two empty lines

// The whole block of an income or expense, "Boka mot" line and end included.
// dayBook: the day-book variant (the counterparty always "Från").
QString bookingBlock(const Booking& b, int number, bool dayBook, const QString& accountName);

// Lines 1 to 12 of a block (through the first dividing line).
QString blockHead(const Booking& b, int number, bool dayBook);

// The "Boka mot" line of a money account and an amount.
QString placedOnLine(const QString& accountName, Amount amount);

// Pieces 1 to 4 of a cash-book line: number, event date, type and sign.
QString cashBookStart(const Booking& b, int number);
// The cash-book line of an income or expense, line end included.
QString cashBookLine(const Booking& b, int number, Amount cashTotalAfter);

// The six money accounts of a transfer: names, balances before and after.
struct TransferLines {
    std::array<QString, 6> names;
    std::array<Amount, 6> before, after;
};

// The cash block of a transfer ("Överföring mellan konton"), end included.
QString transferBlock(int number, const QString& date, const TransferLines& t);
// The cash block of an imported cash amount spread over the accounts
// ("Bokning av importerad kassa", with its "Boka från importerad kassa"
// line), end included.
QString importedCashBlock(int number, const QString& date, Amount imported, const TransferLines& t);
// The cash-book line of imported cash, line end included.
QString importedCashBookLine(int number, const QString& date, Amount imported, Amount cashTotal);
// The cash-book line of a transfer, line end included.
QString transferCashBookLine(int number, const QString& date, Amount cashTotal);

} // namespace mv
