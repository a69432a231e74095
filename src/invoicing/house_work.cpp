#include "invoicing/house_work.h"

#include "invoicing/identity_numbers.h"
#include "invoicing/invoice_document.h"
#include "invoicing/invoice_payment.h"
#include "invoicing/invoicing_common.h"
#include "store/text_util.h"

#include <QRegularExpression>

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

const char* const buyerLabel = "Köparens personnummer:";
const char* const workLabel = "Arbete:";
const char* const hoursLabel = "Antal timmar:";
const char* const propertyLabel = "Fastighetsbeteckning:";
const char* const cooperativeLabel = "Bostadsrättsförening:";
const char* const apartmentLabel = "Lägenhetsnummer:";

// A labelled line: the label padded to 23 characters and the value.
QString detailLine(const char* label, const QString& value) {
    QString line = u(label);
    line += QString(std::max<qsizetype>(1, 23 - line.size()), u' ');
    return line + value;
}

HouseWorkCheck refuse(HouseWorkField field, const QString& text) {
    HouseWorkCheck c;
    c.refusal = inputErrorMessage(text);
    c.field = field;
    return c;
}

// The value after a label at the start of a line of the text.
std::optional<QString> valueAfter(const QStringList& lines, const char* label) {
    const QString l = u(label);
    for (const QString& line : lines)
        if (line.startsWith(l)) return line.mid(l.size()).trimmed();
    return std::nullopt;
}

bool isApartmentNumber(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9A-Za-z]{1,16}$"));
    return pattern.match(text).hasMatch();
}

} // namespace

const std::vector<WorkType>& houseWorkTypes() {
    using K = HouseWorkKind;
    static const std::vector<WorkType> table = {
        {K::Rot, "ROT, Bygg", "Bygg"},
        {K::Rot, "ROT, El", "El"},
        {K::Rot, "ROT, Glas/plåt", "GlasPlatarbete"},
        {K::Rot, "ROT, Mark/dränering", "MarkDraneringarbete"},
        {K::Rot, "ROT, Murning", "Murning"},
        {K::Rot, "ROT, Målning/tapetsering", "MalningTapetsering"},
        {K::Rot, "ROT, VVS", "Vvs"},
        {K::Rut, "RUT, Städning", "Stadning"},
        {K::Rut, "RUT, Kläd- och textilvård", "KladOchTextilvard"},
        {K::Rut, "RUT, Snöskottning", "Snoskottning"},
        {K::Rut, "RUT, Trädgårdsarbete", "Tradgardsarbete"},
        {K::Rut, "RUT, Barnpassning", "Barnpassning"},
        {K::Rut, "RUT, Personlig omsorg", "Personligomsorg"},
        {K::Rut, "RUT, Flyttjänster", "Flyttjanster"},
        {K::Rut, "RUT, IT-tjänster", "ItTjanster"},
        {K::Rut, "RUT, Reparation av vitvaror", "ReparationAvVitvaror"},
        {K::Rut, "RUT, Möblering", "Moblering"},
        {K::Rut, "RUT, Tillsyn av bostad", "TillsynAvBostad"},
        {K::Rut, "RUT, Transport till försäljning", "TransportTillForsaljning"},
        {K::Rut, "RUT, Tvätt vid tvättinrättning", "TvattVidTvattinrattning"},
    };
    return table;
}

const WorkType* findWorkType(const QString& label) {
    for (const WorkType& t : houseWorkTypes())
        if (u(t.label) == label.trimmed()) return &t;
    return nullptr;
}

HouseWorkCheck checkHouseWorkDetails(const HouseWorkDetails& typed, const QDate& today) {
    HouseWorkDetails s;
    const std::optional<QString> buyer = personalIdentityNumber(typed.buyer, today);
    if (!buyer)
        return refuse(HouseWorkField::Buyer,
                      u("Köparens personnummer är inte giltigt!\n\n"
                        "Skriv det som ÅÅÅÅMMDD-NNNN, till exempel 19700101-1234. Den sista "
                        "siffran är en kontrollsiffra som måste stämma."));
    s.buyer = buyer->left(8) + u'-' + buyer->mid(8);

    const WorkType* type = findWorkType(typed.workType);
    if (!type)
        return refuse(HouseWorkField::WorkType,
                      u("Välj typ av arbete (ROT eller RUT) i listan 'Arbete'!"));
    s.workType = u(type->label);

    static const QRegularExpression wholeHours(QStringLiteral("^[1-9][0-9]{0,3}$"));
    s.hours = typed.hours.trimmed();
    if (!wholeHours.match(s.hours).hasMatch())
        return refuse(HouseWorkField::Hours,
                      u("Felaktigt antal timmar!\n\nSkriv ett helt antal timmar, 1 till 9999."));

    if (type->kind == HouseWorkKind::Rut) {
        HouseWorkCheck ok;
        ok.stored = s;
        return ok;
    }
    const QString property = typed.property.trimmed();
    const QString cooperative = typed.cooperative.trimmed();
    const QString apartment = typed.apartment.trimmed();
    if (!property.isEmpty() && (!cooperative.isEmpty() || !apartment.isEmpty()))
        return refuse(HouseWorkField::Property,
                      u("Ange antingen fastighetsbeteckningen eller bostadsrättsföreningens "
                        "organisationsnummer och lägenhetsnumret, inte båda!"));
    if (!property.isEmpty()) {
        if (property.size() > 40)
            return refuse(HouseWorkField::Property,
                          u("Fastighetsbeteckningen får vara högst 40 tecken!"));
        if (const auto c = unstorableCharacter(property))
            return refuse(HouseWorkField::Property,
                          u("Tecknet '") + *c + u("' kan inte sparas!"));
        s.property = property;
    } else {
        if (cooperative.isEmpty() && apartment.isEmpty())
            return refuse(HouseWorkField::Property,
                          u("ROT-arbete kräver fastighetsbeteckningen, eller för en bostadsrätt "
                            "föreningens organisationsnummer och lägenhetsnumret!"));
        const std::optional<QString> orgNr = organisationNumber(cooperative);
        if (!orgNr)
            return refuse(HouseWorkField::Cooperative,
                          u("Bostadsrättsföreningens organisationsnummer är inte giltigt!\n\n"
                            "Skriv det som NNNNNN-NNNN. Den sista siffran är en kontrollsiffra "
                            "som måste stämma."));
        if (!isApartmentNumber(apartment))
            return refuse(HouseWorkField::Apartment,
                          u("Lägenhetsnumret saknas eller är felaktigt!\n\n"
                            "Skriv föreningens nummer på lägenheten, högst 16 siffror eller "
                            "bokstäver."));
        s.cooperative = hyphenatedNumber(*orgNr);
        s.apartment = apartment;
    }
    HouseWorkCheck ok;
    ok.stored = s;
    return ok;
}

QStringList houseWorkDetailLines(const HouseWorkDetails& s) {
    QStringList lines = {detailLine(buyerLabel, s.buyer), detailLine(workLabel, s.workType),
                         detailLine(hoursLabel, s.hours)};
    if (!s.property.isEmpty()) lines << detailLine(propertyLabel, s.property);
    if (!s.cooperative.isEmpty()) {
        lines << detailLine(cooperativeLabel, s.cooperative);
        lines << detailLine(apartmentLabel, s.apartment);
    }
    return lines;
}

std::optional<HouseWorkDetails> readHouseWorkDetails(const QString& claimDocument) {
    const QStringList lines = claimDocument.split(u'\n');
    const std::optional<QString> buyer = valueAfter(lines, buyerLabel);
    if (!buyer) return std::nullopt;
    HouseWorkDetails d;
    d.buyer = *buyer;
    d.workType = valueAfter(lines, workLabel).value_or(QString());
    d.hours = valueAfter(lines, hoursLabel).value_or(QString());
    d.property = valueAfter(lines, propertyLabel).value_or(QString());
    d.cooperative = valueAfter(lines, cooperativeLabel).value_or(QString());
    d.apartment = valueAfter(lines, apartmentLabel).value_or(QString());
    return d;
}

HouseWorkFigures readHouseWorkFigures(const QString& invoiceDocument, const QString& claimDocument) {
    HouseWorkFigures f;
    const ReadInvoice invoice = readInvoiceDocument(invoiceDocument);
    const ReadInvoice claim = readInvoiceDocument(claimDocument);
    const std::vector<Amount> rows = readInvoiceRowAmounts(invoiceDocument);
    if (!invoice.ok || !claim.ok || rows.size() < 13) return f;
    f.rate = int(textToInteger(invoice.rate));
    f.labour = rows[0];
    // Rows 11 and 12 describe the deduction; every other row is material or
    // other costs.
    for (size_t i = 1; i < rows.size(); ++i)
        if (i != 10 && i != 11) f.material += rows[i];
    f.labourVat = f.labour.percent(f.rate);
    f.materialVat = f.material.percent(f.rate);
    f.toPay = Amount::parseLenient(invoice.toPay);
    f.claimed = Amount::parseLenient(claim.toPay);
    f.ok = true;
    return f;
}

bool isHouseWorkDocument(const QString& document) {
    return document.contains(houseWorkNoticeLine());
}

int houseWorkShareHundredths(HouseWorkKind kind, const QDate& paid) {
    if (kind == HouseWorkKind::Rut) return paid >= QDate(2007, 7, 1) ? 5000 : 0;
    if (paid < QDate(2008, 12, 8)) return 0;
    if (paid < QDate(2016, 1, 1)) return 5000;
    if (paid < QDate(2025, 5, 12)) return 3000;
    if (paid < QDate(2026, 1, 1)) return 5000;
    return 3000;
}

} // namespace mv
