#pragma once
// Skatteverket's claim file for house-work deductions ("Begaran", version 6
// of Skatteverket's description): for the house-work invoices of one kind,
// ROT or RUT (never both in one file), that the buyers paid between two
// dates and whose claim Skatteverket has not yet paid, one case per invoice
// with the buyer's identity number, the payment date, the labour price
// including VAT, what the buyer paid for the work, the amount claimed, the
// invoice number, the other costs, the property for ROT and the work with
// its hours and material cost, every amount in whole kronor (the öre left
// out). The file is uploaded in Skatteverket's e-service for ROT and RUT
// and signed there.
//
// The payments are the day book's incomes whose reference is the invoice
// ("Faktura/Ref" the invoice number, as a picked invoice gives it); the
// payment date is the event date of the last of them.
//
// Refused, with the invoice named and nothing written: a claim larger than
// the labour price including VAT less what the buyer paid for the work, a
// claim above Skatteverket's share of the labour for the kind and the
// payment date, an invoice the buyer has not paid in full, more buyers than
// one file may hold. An invoice saved before the buyer and the work were
// kept is left out and named, so it can be claimed in the e-service.
#include "interchange/day_book_reader.h"
#include "invoicing/house_work.h"
#include "store/store_layout.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace mv {

// The most buyers (cases) one claim file may hold.
inline constexpr int maxClaimBuyers = 100;

struct ClaimCase {
    QString invoice;              // the invoice number
    QString buyer;                // twelve digits
    QString paidDate;             // YYYY-MM-DD
    std::int64_t labourPrice = 0; // whole kronor, VAT included
    std::int64_t paid = 0;        // what the buyer paid for the work
    std::int64_t claimed = 0;
    std::int64_t otherCosts = 0;
    std::int64_t material = 0;
    const WorkType* work = nullptr;
    int hours = 0;
    QString property;    // ROT
    QString cooperative; // ROT: ten digits
    QString apartment;   // ROT
    bool operator==(const ClaimCase&) const = default;
};

struct ClaimLeftOut {
    QString invoice;
    QString reason;
};

struct ClaimFile {
    bool ok = false;
    Message message; // the refusal when !ok
    HouseWorkKind kind = HouseWorkKind::Rot;
    QString from, to;
    std::vector<ClaimCase> cases;
    std::vector<ClaimLeftOut> leftOut;
};

// The claims of the kind paid from `from` to `to` (YYYY-MM-DD, both
// included) in the year's books.
ClaimFile buildClaimFile(const PathTable& paths, HouseWorkKind kind, const QString& from,
                         const QString& to);
// The same over the day book's entries and the year's invoice folder.
ClaimFile claimFileOf(const std::vector<DayBookEntry>& entries, const PathTable& paths,
                      HouseWorkKind kind, const QString& from, const QString& to);

// The file's text and its bytes (UTF-8, CR LF line ends).
QString claimFileText(const ClaimFile& file);
QByteArray claimFileBytes(const ClaimFile& file);

// What the page shows before the file is written: the cases and the
// invoices left out.
QString claimSummary(const ClaimFile& file);

// "ROT" or "RUT".
QString kindName(HouseWorkKind kind);
// The default file name: "<org.nr>_<ROT|RUT>_<from>_<to>.xml".
QString claimFileName(const QString& orgNumber, const ClaimFile& file);

} // namespace mv
