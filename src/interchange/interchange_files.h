#pragma once
// What the pages of the files for other programs and Skatteverket do, as
// plain functions: each file is made from the books, offered under its
// default name, and written where the user chose. These files are the
// user's own, outside the books: they are written whole or not at all
// (a temporary file renamed over the target), never through a change of
// the books.
#include "interchange/house_work_claim.h"
#include "interchange/vat_return.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QByteArray>
#include <QString>

namespace mv {

// A file ready to be saved, or the refusal that keeps it from being made.
struct FileOffer {
    bool ok = false;
    Message message; // the refusal when !ok
    QString what;    // "SIE-filen", "Momsfilen", "Filen med begäran"
    QString defaultName;
    QByteArray bytes;
};

// The organisation number of the company details ("Momsregistreringsnr").
std::optional<QString> companyOrgNumber(const CompanyDetails& company);

// The SIE 4 file of the year.
FileOffer sieFileOffer(const PathTable& paths, const Settings& settings,
                       const CompanyDetails& company, const QString& programVersion,
                       const QString& today);

// The VAT upload file of a period of the year.
FileOffer vatFileOffer(const PathTable& paths, const Settings& settings,
                       const CompanyDetails& company, const VatPeriod& period);

// The claim file for the house-work invoices of the kind paid from `from`
// to `to`; the summary of what it holds is in `summary`.
FileOffer claimFileOffer(const PathTable& paths, const CompanyDetails& company, HouseWorkKind kind,
                         const QString& from, const QString& to, QString& summary);

// Writes the offer's bytes to the path, whole or not at all. True when it was
// written; `message` says that it was saved, or that it was not (the old
// file, if any, untouched).
bool saveOffer(const FileOffer& offer, const QString& path, Message& message);

} // namespace mv
