#include "interchange/interchange_files.h"

#include "interchange/interchange_messages.h"
#include "interchange/sie_export.h"
#include "interchange/vat_upload.h"
#include "invoicing/identity_numbers.h"
#include "store/record_file.h"

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

FileOffer refused(const Message& m) {
    FileOffer o;
    o.message = m;
    return o;
}

} // namespace

std::optional<QString> companyOrgNumber(const CompanyDetails& company) {
    return organisationNumberOfVatNumber(company.lines[12]);
}

FileOffer sieFileOffer(const PathTable& paths, const Settings& settings,
                       const CompanyDetails& company, const QString& programVersion,
                       const QString& today) {
    const SieBuild b = buildSieBooks(paths, settings, company, programVersion, today);
    if (!b.ok) return refused(b.message);
    FileOffer o;
    o.ok = true;
    o.what = u("SIE-filen");
    o.defaultName = sieFileName(b.books.company.orgNumber, b.books.year);
    o.bytes = sieFileBytes(b.books);
    return o;
}

FileOffer vatFileOffer(const PathTable& paths, const Settings& settings,
                       const CompanyDetails& company, const VatPeriod& period) {
    const std::optional<QString> orgNumber = companyOrgNumber(company);
    if (!orgNumber) return refused(xmsg::orgNumberMissing());
    const VatYear year = readVatYear(paths, settings);
    if (!year.ok) return refused(year.message);
    const VatReturn r = vatReturn(year, period);
    if (const std::optional<Message> refusal = vatUploadRefusal(r)) return refused(*refusal);
    const QString code = periodCode(period, paths.year);
    FileOffer o;
    o.ok = true;
    o.what = u("Momsfilen");
    o.defaultName = vatUploadFileName(*orgNumber, code);
    o.bytes = vatUploadBytes(r, *orgNumber, code);
    return o;
}

FileOffer claimFileOffer(const PathTable& paths, const CompanyDetails& company, HouseWorkKind kind,
                         const QString& from, const QString& to, QString& summary) {
    summary.clear();
    const std::optional<QString> orgNumber = companyOrgNumber(company);
    if (!orgNumber) return refused(xmsg::orgNumberMissing());
    const ClaimFile file = buildClaimFile(paths, kind, from, to);
    if (!file.ok) {
        if (!file.leftOut.empty()) summary = claimSummary(file);
        return refused(file.message);
    }
    summary = claimSummary(file);
    FileOffer o;
    o.ok = true;
    o.what = u("Filen med begäran");
    o.defaultName = claimFileName(*orgNumber, file);
    o.bytes = claimFileBytes(file);
    return o;
}

bool saveOffer(const FileOffer& offer, const QString& path, Message& message) {
    const bool written = offer.ok && !path.isEmpty() && writeBytes(path, offer.bytes) == 0;
    message = written ? xmsg::fileWritten(offer.what, path) : xmsg::fileNotWritten(path);
    return written;
}

} // namespace mv
