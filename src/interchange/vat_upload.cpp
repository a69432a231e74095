#include "interchange/vat_upload.h"

#include "interchange/code_pages.h"
#include "interchange/interchange_messages.h"
#include "invoicing/identity_numbers.h"

namespace mv {

std::optional<Message> vatUploadRefusal(const VatReturn& r) {
    if (!r.otherRates.isEmpty()) return xmsg::vatRateNotDeclarable(r.otherRates);
    return std::nullopt;
}

QString vatUploadText(const VatReturn& r, const QString& orgNumber, const QString& periodCode) {
    QString t;
    t += QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n");
    t += QStringLiteral("<!DOCTYPE eSKDUpload PUBLIC \"-//Skatteverket, Sweden//DTD Skatteverket "
                        "eSKDUpload-DTD Version 6.0//SV\" "
                        "\"https://www1.skatteverket.se/demoeskd/eSKDUpload_6p0.dtd\">\n");
    t += QStringLiteral("<eSKDUpload Version=\"6.0\">\n");
    t += QStringLiteral("  <OrgNr>") + hyphenatedNumber(orgNumber) + QStringLiteral("</OrgNr>\n");
    t += QStringLiteral("  <Moms>\n");
    t += QStringLiteral("    <Period>") + periodCode + QStringLiteral("</Period>\n");
    const auto element = [&t](const char* name, std::int64_t kronor) {
        const QString n = QString::fromLatin1(name);
        t += QStringLiteral("    <") + n + u'>' + QString::number(kronor) + QStringLiteral("</") +
             n + QStringLiteral(">\n");
    };
    const auto box = [&element](const char* name, Amount a) {
        if (wholeKronor(a) != 0) element(name, wholeKronor(a));
    };
    // In the order of the file's description.
    box("ForsMomsEjAnnan", r.box05);
    box("InkopTjanstSverige", r.box24);
    box("ForsKopareSkskSverige", r.box41);
    box("ForsOvrigt", r.box42);
    box("MomsUtgHog", r.box10);
    box("MomsUtgMedel", r.box11);
    box("MomsUtgLag", r.box12);
    box("MomsInkopUtgHog", r.box30);
    box("MomsInkopUtgMedel", r.box31);
    box("MomsInkopUtgLag", r.box32);
    box("MomsIngAvdr", r.box48);
    element("MomsBetala", wholeKronorToPay(r));
    t += QStringLiteral("  </Moms>\n");
    t += QStringLiteral("</eSKDUpload>\n");
    return t;
}

QByteArray vatUploadBytes(const VatReturn& r, const QString& orgNumber, const QString& periodCode) {
    return encodeLatin1(vatUploadText(r, orgNumber, periodCode));
}

QString vatUploadFileName(const QString& orgNumber, const QString& periodCode) {
    return orgNumber + QStringLiteral("_moms_") + periodCode + QStringLiteral(".eskd");
}

} // namespace mv
