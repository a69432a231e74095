#pragma once
// An opening balance from another program's SIE 4 file: the closing balance
// ("#UB") of the year before, or the opening balance ("#IB") of the year
// itself, grouped into the rows of the opening-balance registration for the
// user to check and save. Nothing is written here.
//
// Refused, with a message: a file that is not SIE type 4, one for another
// organisation number (or none), one for another year, one whose balance
// does not add up to zero (with the year's result, when the result is not
// yet moved to the equity), and one with a verification that does not.
//
// The rows by BAS account: 1200-1299 fixed assets, 1400-1499 stock,
// 1500-1599 receivables, 1900-1999 cash and bank, 2300-2419 loans,
// 2440-2449 payables, 2600-2699 and 1650 the VAT (above zero a debt). The
// equity (2000-2099) is what the registration computes; any other account
// with a balance has no row and is listed, so the user sees that it falls
// into the equity.
#include "store/amount.h"
#include "store/user_message.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace mv {

struct SieOpeningBalance {
    Amount cash;          // "Kassa, Bank mm"
    Amount equipment;     // "Inventarier, verktyg mm"
    Amount stock;         // "Varulager"
    Amount receivables;   // "Kundfordringar"
    Amount payables;      // "Leverantörsskulder"
    Amount loans;         // the business's borrowing
    Amount vatDifference; // above zero a VAT debt, below zero a VAT asset

    struct Unplaced {
        int account = 0;
        QString name;
        Amount amount; // as in the file: debit positive
        bool operator==(const Unplaced&) const = default;
    };
    std::vector<Unplaced> unplaced;
    QString companyName; // "#FNAMN"
    bool operator==(const SieOpeningBalance&) const = default;
};

struct SieImport {
    bool ok = false;
    Message message; // the refusal when !ok
    SieOpeningBalance balance;
};

// Reads the bytes of a SIE file (code page 437) for the year (four digits)
// of the company whose organisation number is orgNumber (ten digits).
SieImport readSieOpeningBalance(const QByteArray& bytes, const QString& orgNumber,
                                const QString& year);

// The same from a file; a file that cannot be read is refused.
SieImport readSieOpeningBalanceFile(const QString& path, const QString& orgNumber,
                                    const QString& year);

// The summary the user checks before the rows are taken: the rows and the
// accounts without a row.
QString openingBalanceSummary(const SieOpeningBalance& b);

} // namespace mv
