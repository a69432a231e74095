#pragma once
// Interchange subsystem: the files the books are handed over in. The SIE 4
// file for the accountant or another program and the SIE 4 opening balance
// it can bring in (sie_export.h, sie_import.h), the VAT return of any period
// with Skatteverket's upload file (vat_return.h, vat_upload.h), and the
// house-work claim file (house_work_claim.h). None of them changes the
// books: they read them and write a file where the user chose.
//
// This header: the day book read back as verifications. The day book is the
// record of every verification with its amounts by line: the block of an
// income or expense (type line, VAT, reverse-charge VAT, rounding, the money
// account it was placed on), of a transfer between money accounts, of the
// write-offs, and the fixed entries of an opening balance, of the balances
// carried from the previous year and of the year's completion.
#include "booking/transaction_types.h"
#include "store/amount.h"
#include "store/user_message.h"

#include <QString>

#include <vector>

namespace mv {

// One money account's part of a verification: its name as the block gives
// it and the change of its balance (+ received, - paid).
struct AccountMove {
    QString name;
    Amount change;
    bool operator==(const AccountMove&) const = default;
};

struct DayBookEntry {
    enum class Kind {
        Booking,         // an income, an expense or a write-off
        Transfer,        // "Överföring mellan konton"
        ImportedCash,    // "Bokning av importerad kassa": the opening cash placed
        OpeningBalance,  // the registration of the previous year's balance
        CarriedBalances, // "Bokslutsresultat från föregående år"
        YearCompleted,   // the last verification of a completed year
    };
    Kind kind = Kind::Booking;
    int number = 0;
    QString bookingDate; // YYYY-MM-DD ("Datum" of the other kinds)
    QString eventDate;   // "Händelse Datum" ("Datum" of the other kinds)
    QString reference;   // "Faktura/Ref" ("" for "-")
    QString counterparty;
    const TransactionType* type = nullptr; // Booking only
    int rate = -1;                         // the VAT rate; -1 none
    Amount net;                            // the type line
    Amount vat;                            // the VAT line ("Momskonto <rate>")
    Amount reverseVat;              // "Momskonto <rate> Omvänd utgående", as a positive amount
    Amount ore;                     // "Öresutjämning", signed as booked
    Amount total;                   // the amount placed ("Boka mot"), or of a write-off
    std::vector<AccountMove> moves; // every money-account line, in block order
    bool operator==(const DayBookEntry&) const = default;
};

struct DayBookRead {
    bool ok = false;
    Message message; // why the day book cannot be read as verifications
    std::vector<DayBookEntry> entries;
};

// Reads the text of a day book. A block that is not closed, has a type that
// is not one of the 28, an amount line that cannot be read, or whose amounts
// do not add up (net + VAT + rounding = the amount placed) is refused with a
// message naming the verification, and nothing is returned.
DayBookRead readDayBook(const QString& text);

} // namespace mv
