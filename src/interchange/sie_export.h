#pragma once
// The SIE 4 file of a whole accounting year (SIE type 4, code page 437,
// "#FORMAT PC8"), for the accountant or another bookkeeping program.
//
// Every verification of the day book becomes a "#VER" of series A with its
// number, its event date and its booking date, and one "#TRANS" per account
// it touches: the money account, the type's account, the VAT account of the
// rate, the reverse-charge VAT and the rounding. The figures of the year's
// end that are no verifications here (receivables and payables, the stock
// and its write-down, depreciation, a sale above the remaining asset value)
// and the year's result moved to equity are closing verifications of series
// B dated the last day of the year. The opening balance ("#IB") is what the
// closing figures start from; for every balance account "#IB" plus its
// "#TRANS" is its "#UB", which equals the closing figures, and every "#VER"
// balances to 0.00.
//
// The books must agree with themselves first: every type's total and the
// rounding and VAT totals with the day book's lines, the cash total with the
// six money accounts. Otherwise the file is refused with the difference and
// nothing is written.
#include "interchange/bas_accounts.h"
#include "store/amount.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace mv {

struct SieRow {
    int account = 0;
    Amount amount; // debit positive, credit negative
    bool operator==(const SieRow&) const = default;
};

struct SieVerification {
    QString series; // "A" the year's verifications, "B" the closing ones
    int number = 0;
    QString date; // YYYYMMDD
    QString text;
    QString registered; // YYYYMMDD, or "" for none
    std::vector<SieRow> rows;
};

struct SieAccount {
    int number = 0;
    QString name;
    AccountKind kind = AccountKind::Asset;
    int sru = 0;
    Amount opening; // "#IB" (balance accounts)
    Amount closing; // "#UB" (balance accounts)
    Amount result;  // "#RES" (result accounts)
};

struct SieCompany {
    QString orgNumber; // ten digits
    QString name, contact, street, postalAddress, phone;
};

struct SieBooks {
    QString year;
    SieCompany company;
    QString programVersion;
    QString generated;                          // YYYYMMDD
    std::vector<SieAccount> accounts;           // in number order
    std::vector<SieVerification> verifications; // A in number order, then B
};

struct SieBuild {
    bool ok = false;
    Message message; // the refusal when !ok
    SieBooks books;
};

// The year's books as SIE records. The organisation number is the one
// inside the company's "Momsregistreringsnr".
SieBuild buildSieBooks(const PathTable& paths, const Settings& settings,
                       const CompanyDetails& company, const QString& programVersion,
                       const QString& today);

// The file's text, and its bytes in code page 437 with CR LF line ends.
QString sieText(const SieBooks& books);
QByteArray sieFileBytes(const SieBooks& books);

// The default file name: "<org.nr>_<year>.se".
QString sieFileName(const QString& orgNumber, const QString& year);

} // namespace mv
