#include "interchange/house_work_claim.h"

#include "interchange/code_pages.h"
#include "interchange/interchange_messages.h"
#include "interchange/vat_return.h"
#include "invoicing/invoice_payment.h"
#include "store/change_set.h"

#include <QDate>
#include <QRegularExpression>

#include <map>

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QString digitsOf(const QString& text) {
    QString d;
    for (QChar c : text)
        if (c.isDigit()) d += c;
    return d;
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

struct Payment {
    Amount total;
    QString date; // the last payment's event date
};

// The day book's payments of invoices: incomes whose reference is an
// invoice number.
std::map<int, Payment> invoicePayments(const std::vector<DayBookEntry>& entries) {
    static const QRegularExpression invoiceNumber(QStringLiteral("^\\d{1,9}$"));
    std::map<int, Payment> payments;
    for (const DayBookEntry& e : entries) {
        if (e.kind != DayBookEntry::Kind::Booking || e.type->side != Side::Income ||
            !movesCash(*e.type))
            continue;
        if (!invoiceNumber.match(e.reference).hasMatch()) continue;
        Payment& p = payments[e.reference.toInt()];
        p.total += e.total;
        if (e.eventDate > p.date) p.date = e.eventDate;
    }
    return payments;
}

QString kronor(std::int64_t k) {
    return QString::number(k) + u(" kr");
}

// The checks of one claim against what the buyer paid and Skatteverket's
// share; the reason of a refusal.
std::optional<QString> claimProblem(const ClaimCase& c, HouseWorkKind kind, Amount paidTotal,
                                    const HouseWorkFigures& f, int share) {
    if (paidTotal < f.toPay)
        return u("Köparen har betalat ") + paidTotal.toText() + u(" av ") + f.toPay.toText() +
               u(". Begäran kan lämnas när köparen har betalat hela sin del.");
    if (share == 0)
        return u("Det fanns inget ") + kindName(kind) + u("-avdrag för betalningar den ") +
               c.paidDate + u'.';
    if (c.claimed > c.labourPrice - c.paid)
        return u("Det begärda beloppet ") + kronor(c.claimed) +
               u(" är större än priset för arbetet inklusive moms (") + kronor(c.labourPrice) +
               u(") minus det köparen har betalat för arbetet (") + kronor(c.paid) + u(").");
    if (c.claimed * 10000 > c.labourPrice * share)
        return u("Det begärda beloppet ") + kronor(c.claimed) + u(" är större än ") +
               QString::number(share / 100) + u(" % av priset för arbetet inklusive moms (") +
               kronor(c.labourPrice) + u("), den andel Skatteverket betalar för ") +
               kindName(kind) + u("-arbete som betalats ") + c.paidDate + u'.';
    return std::nullopt;
}

bool isDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return pattern.match(text).hasMatch() && QDate::fromString(text, Qt::ISODate).isValid();
}

} // namespace

QString kindName(HouseWorkKind kind) {
    return kind == HouseWorkKind::Rot ? QStringLiteral("ROT") : QStringLiteral("RUT");
}

ClaimFile claimFileOf(const std::vector<DayBookEntry>& entries, const PathTable& paths,
                      HouseWorkKind kind, const QString& from, const QString& to) {
    ClaimFile out;
    out.kind = kind;
    out.from = from;
    out.to = to;
    if (!isDate(from) || !isDate(to) || from > to) {
        out.message = xmsg::claimBadDates();
        return out;
    }
    for (const auto& [number, payment] : invoicePayments(entries)) {
        if (payment.date < from || payment.date > to) continue;
        const QString invoiceNumber = QString::number(number);
        QString invoice = storedText(paths.invoice(invoiceNumber + u("_BETALD")));
        if (invoice.isEmpty()) invoice = storedText(paths.invoice(invoiceNumber));
        // Skatteverket's payment of a claim is no buyer's payment.
        if (!isHouseWorkDocument(invoice) || readInvoiceDocument(invoice).claim) continue;

        const QString claimNumber = QString::number(number + 1);
        const QString claim = storedText(paths.invoice(claimNumber + u("_BU")));
        if (claim.isEmpty()) {
            const bool paid = !storedText(paths.invoice(claimNumber + u("_BETALD"))).isEmpty();
            out.leftOut.push_back(
                {invoiceNumber,
                 paid ? u("Skatteverket har redan betalat begäran ") + claimNumber + u'.'
                      : u("Begäran ") + claimNumber + u(" finns inte.")});
            continue;
        }
        const std::optional<HouseWorkDetails> details = readHouseWorkDetails(claim);
        const WorkType* work = details ? findWorkType(details->workType) : nullptr;
        if (!details || !work) {
            out.leftOut.push_back(
                {invoiceNumber, u("Sparad utan köparens personnummer och typ av arbete: "
                                  "lämna begäran i Skatteverkets e-tjänst.")});
            continue;
        }
        if (work->kind != kind) continue;
        const HouseWorkFigures f = readHouseWorkFigures(invoice, claim);
        if (!f.ok) {
            out.leftOut.push_back({invoiceNumber, u("Fakturan eller begäran kan inte läsas.")});
            continue;
        }
        ClaimCase c;
        c.invoice = invoiceNumber;
        c.buyer = digitsOf(details->buyer);
        c.paidDate = payment.date;
        c.labourPrice = wholeKronor(f.labourPrice());
        c.claimed = wholeKronor(f.claimed);
        c.paid = wholeKronor(payment.total - f.materialCost());
        c.material = wholeKronor(f.materialCost());
        c.work = work;
        c.hours = details->hours.toInt();
        c.property = details->property;
        c.cooperative = digitsOf(details->cooperative);
        c.apartment = details->apartment;
        const int share =
            houseWorkShareHundredths(kind, QDate::fromString(c.paidDate, Qt::ISODate));
        if (const std::optional<QString> problem = claimProblem(c, kind, payment.total, f, share)) {
            out.message = xmsg::claimRefused(invoiceNumber, *problem);
            out.cases.clear();
            return out;
        }
        out.cases.push_back(c);
    }
    if (out.cases.empty()) {
        out.message = xmsg::claimNoInvoices(kindName(kind), from, to);
        return out;
    }
    if (int(out.cases.size()) > maxClaimBuyers) {
        out.message = xmsg::claimTooManyBuyers(int(out.cases.size()), maxClaimBuyers);
        out.cases.clear();
        return out;
    }
    out.ok = true;
    return out;
}

ClaimFile buildClaimFile(const PathTable& paths, HouseWorkKind kind, const QString& from,
                         const QString& to) {
    const DayBookRead day = readDayBook(storedText(paths.dayBook));
    if (!day.ok) {
        ClaimFile out;
        out.kind = kind;
        out.message = day.message;
        return out;
    }
    return claimFileOf(day.entries, paths, kind, from, to);
}

QString claimFileText(const ClaimFile& file) {
    QString t;
    const auto element = [&t](int indent, const char* name, const QString& value) {
        t += QString(indent, u' ') + u("<p:") + u(name) + u'>' + escaped(value) + u("</p:") +
             u(name) + u(">\n");
    };
    const auto number = [](std::int64_t v) { return QString::number(v); };
    const QString list = file.kind == HouseWorkKind::Rot ? u("RotBegaran") : u("HushallBegaran");
    t += u("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    t += u("<htb:Begaran xmlns:htb=\"http://xmls.skatteverket.se/se/skatteverket/ht/begaran/6.0\" "
           "xmlns:p=\"http://xmls.skatteverket.se/se/skatteverket/ht/komponent/begaran/6.0\">\n");
    element(2, "NamnPaBegaran", kindName(file.kind) + u' ' + file.to);
    t += u("  <p:") + list + u(">\n");
    for (const ClaimCase& c : file.cases) {
        t += u("    <p:Arenden>\n");
        element(6, "Kopare", c.buyer);
        element(6, "BetalningsDatum", c.paidDate);
        element(6, "PrisForArbete", number(c.labourPrice));
        element(6, "BetaltBelopp", number(c.paid));
        element(6, "BegartBelopp", number(c.claimed));
        element(6, "FakturaNr", c.invoice);
        element(6, "Ovrigkostnad", number(c.otherCosts));
        if (file.kind == HouseWorkKind::Rot) {
            if (!c.property.isEmpty()) {
                element(6, "Fastighetsbeteckning", c.property);
            } else {
                element(6, "LagenhetsNr", c.apartment);
                element(6, "BrfOrgNr", c.cooperative);
            }
        }
        t += u("      <p:UtfortArbete>\n");
        t += u("        <p:") + u(c.work->code) + u(">\n");
        element(10, "AntalTimmar", number(c.hours));
        element(10, "Materialkostnad", number(c.material));
        t += u("        </p:") + u(c.work->code) + u(">\n");
        t += u("      </p:UtfortArbete>\n");
        t += u("    </p:Arenden>\n");
    }
    t += u("  </p:") + list + u(">\n");
    t += u("</htb:Begaran>\n");
    return t;
}

QByteArray claimFileBytes(const ClaimFile& file) {
    return encodeUtf8(claimFileText(file));
}

QString claimSummary(const ClaimFile& file) {
    QString t = u("Begäran om utbetalning, ") + kindName(file.kind) + u(", betalt ") + file.from +
                u(" till ") + file.to + u(":\n");
    std::int64_t claimed = 0;
    for (const ClaimCase& c : file.cases) {
        t += u("  Faktura ") + c.invoice + u(", betald ") + c.paidDate + u(", begärt ") +
             kronor(c.claimed) + u'\n';
        claimed += c.claimed;
    }
    t += u("Summa begärt: ") + kronor(claimed) + u'\n';
    if (!file.leftOut.empty()) {
        t += u("\nInte med i filen:\n");
        for (const ClaimLeftOut& l : file.leftOut)
            t += u("  Faktura ") + l.invoice + u(": ") + l.reason + u'\n';
    }
    return t;
}

QString claimFileName(const QString& orgNumber, const ClaimFile& file) {
    return orgNumber + u'_' + kindName(file.kind) + u'_' + file.from + u'_' + file.to + u(".xml");
}

} // namespace mv
