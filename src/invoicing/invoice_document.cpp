#include "invoicing/invoice_document.h"

#include "invoicing/invoice_numbering.h"

namespace mv {

namespace {

QString blanks(int n) {
    return QString(n > 0 ? n : 0, u' ');
}
QString underscores(int n) {
    return QString(n, u'_');
}
QString u(const char* s) {
    return QString::fromUtf8(s);
}

// Lines of a document: every line ends with a line end.
class Lines {
  public:
    Lines& operator<<(const QString& line) {
        text_ += line + u'\n';
        return *this;
    }
    QString text() const { return text_; }

  private:
    QString text_;
};

// A company value as the footer writes it: an empty one as 10 blanks.
QString companyValue(const DocumentSources& s, int line) {
    const QString v = s.company.lines[size_t(line - 1)];
    return v.isEmpty() ? blanks(10) : v;
}

QString rowLine(const QString& sort, const QString& quantity, const QString& price,
                const QString& amount) {
    return padText(sort, 37) + rightText(quantity, 7) + u' ' + rightText(price, 8) + blanks(3) +
           rightText(amount, 10);
}

// Tel: and Mail: lines: short values in the customer column, long ones ending
// at column 66.
QString contactLine(const QString& label, const QString& value, int longWidth) {
    if (value.size() < 20) return blanks(45) + label + padText(value, 21);
    return blanks(longWidth - int(value.size())) + label + value;
}

void customerBlock(Lines& out, const InvoiceDraft& d, DocumentRole role) {
    std::array<QString, invoiceHeaderCount> h = d.header;
    if (role == DocumentRole::PaymentOrder) h.fill(QString());
    out << padText(h[0], 50);
    out << padText(h[1], 45) + padText(d.name, 21);
    out << padText(h[2], 45) + padText(d.street, 21);
    out << padText(h[3], 45) + padText(d.postcode, 21);
    out << padText(h[4], 45) + padText(d.town, 21);
    out << padText(h[5], 45);
    out << contactLine(QStringLiteral("Tel:  "), d.phone, 60);
    out << contactLine(QStringLiteral("Mail:  "), d.mail, 59);
    if (d.kind == InvoiceKind::ReverseCharge)
        out << blanks(45) + QStringLiteral("Momsreg.nr:  ") + d.vatNumber;
    out << QString();
}

void claimBlock(Lines& out, const InvoiceDraft& d) {
    out << claimHeaderLine();
    for (int i = 1; i < invoiceHeaderCount; ++i)
        out << d.header[size_t(i)];
    // The buyer, the work and the property, for the claim file (a draft
    // without them, as an invoice saved before they were asked for, has
    // none).
    if (!d.houseWork.buyer.isEmpty())
        for (const QString& line : houseWorkDetailLines(d.houseWork))
            out << line;
}

void houseWorkNotice(Lines& out) {
    out << QStringLiteral("OBS") + blanks(60);
    out << houseWorkNoticeLine();
    out << u("Köparen blir betalningsskyldig ifall Skatteverket");
    out << u("nekar avdraget och i sådant fall utställes ny faktura.");
}

void reverseChargeNotice(Lines& out) {
    out << QStringLiteral("OBS") + blanks(60);
    out << u("Ingen moms har debiterats på denna faktura då det enlig");
    out << u("Mervärdesskattelagen 1 kap §2 är köparen som är skyldig");
    out << u("att betala mervärdesskatten.");
    out << reverseChargeWording();
}

void articleRows(Lines& out, DocumentRole role, const InvoiceDraft& d, const InvoiceFigures& f) {
    if (role != DocumentRole::Claim) {
        for (int i = 0; i < invoiceRowCount; ++i) {
            const InvoiceRow& r = d.rows[size_t(i)];
            out << rowLine(r.sort, r.quantity, r.unitPrice, f.rowText(i));
        }
        return;
    }
    const InvoiceRow& labour = d.rows[0];
    out << rowLine(labour.sort, labour.quantity, labour.unitPrice, f.rowText(0));
    for (int i = 1; i < 10; ++i)
        out << QStringLiteral(" ");
    out << rowLine(QString(), d.rows[10].quantity, d.rows[10].unitPrice, f.rowText(10));
    out << rowLine(QString(), d.rows[11].quantity, d.rows[11].unitPrice, QString());
    out << rowLine(claimPaymentRowText(d.number), QString(), QString(), f.deduction.toText());
}

void totals(Lines& out, DocumentRole role, const InvoiceDraft& d, const InvoiceFigures& f) {
    const bool claim = role == DocumentRole::Claim;
    const Amount total = claim ? f.claimTotal : f.total;
    const Amount vat = claim ? f.claimVat : f.vat;
    // The claim is never rounded: it is the deducted part and its VAT.
    const QString sumLabel = f.rounded && !claim
                                 ? blanks(19) + u("Kronutjämning ingår") + blanks(9) + u("Summa ")
                                 : blanks(47) + u("Summa ");
    out << sumLabel + rightText(total.toText(), 13);
    const QString percent =
        d.kind == InvoiceKind::ReverseCharge ? QStringLiteral("0") : d.vatPercent;
    out << blanks(19) + u("Momssats ") + rightText(percent, 3) + u("%") + blanks(16) + u("Moms ") +
               rightText(vat.toText(), 13);
    if (role == DocumentRole::Invoice && d.kind == InvoiceKind::HouseWork)
        out << u("Moms på hela arbetet: ") + f.labourVat.toText() + u(", varav ") +
                   f.claimVat.toText() + u(" i begäran till Skatteverket");
    out << blanks(36) + underscores(31);
    out << QString();
    const QString number = claim ? QString::number(d.number.toInt() + 1) : d.number;
    if (claim) {
        out << blanks(38) + u("Skattereduktion");
        out << blanks(38) + u("för Husarbete  ") + rightText(f.claimAmount.toText(), 13);
    } else {
        out << blanks(42) + u("Att betala ") + rightText(f.toPay.toText(), 13);
    }
    out << rightText(u("OCR-nummer: ") + ocrReference(number.toInt()), 66);
    for (int i = 0; i < (claim ? 3 : 4); ++i)
        out << QString();
}

void footer(Lines& out, const DocumentSources& s) {
    out << u("Hemsida:      ") + companyValue(s, 8);
    out << u("Kontakt:      ") + companyValue(s, 5);
    out << u("Momsreg.nr:   ") + companyValue(s, 13);
    out << underscores(67) + blanks(40);
    out << padText(companyValue(s, 2), 20) + u("Tel:   ") + padText(companyValue(s, 6), 20) +
               u("Bankkonto: ") + companyValue(s, 10);
    out << padText(companyValue(s, 3), 20) + u("Mobil: ") + padText(companyValue(s, 7), 20) +
               u("Plusgiro:  ") + companyValue(s, 12);
    out << padText(companyValue(s, 4), 20) + u("Mail:  ") + padText(companyValue(s, 9), 20) +
               u("Bangiro:   ") + companyValue(s, 11);
}

} // namespace

QString padText(const QString& text, int width) {
    return text.size() >= width ? text : text + blanks(width - int(text.size()));
}

QString rightText(const QString& text, int width) {
    return text.size() >= width ? text : blanks(width - int(text.size())) + text;
}

DocumentRole customerRole(InvoiceKind kind) {
    return kind == InvoiceKind::PaymentOrder ? DocumentRole::PaymentOrder : DocumentRole::Invoice;
}

QString deductionRowText() {
    return u("Preliminär skattereduktion");
}

QString deductionClaimRowText(int claimNumber) {
    return u("för Husarbeten till BU ") + QString::number(claimNumber);
}

QString claimPaymentRowText(const QString& invoiceNumber) {
    return u("Betalning via Faktura ") + invoiceNumber;
}

QString reverseChargeWording() {
    return u("Omvänd betalningsskyldighet");
}

QString houseWorkNoticeLine() {
    return u("Denna faktura är reducerad med avdrag för husarbete!");
}

QString claimHeaderLine() {
    return u("Från Skatteverket");
}

QString composeDocument(DocumentRole role, const InvoiceDraft& d, const InvoiceFigures& f,
                        const DocumentSources& s) {
    const bool claim = role == DocumentRole::Claim;
    Lines out;
    out << padText(s.company.name(), 31);
    out << blanks(48) + u("Datum:  ") + d.date;
    if (role == DocumentRole::Invoice)
        out << blanks(48) + u("FAKTURA:     ") + d.number;
    else
        out << blanks(38) + u("BOKFÖRINGSUPPDRAG:     ") +
                   (claim ? QString::number(d.number.toInt() + 1) : d.number);
    out << underscores(67);
    out << QString();
    if (claim)
        claimBlock(out, d);
    else
        customerBlock(out, d, role);
    if (d.kind != InvoiceKind::HouseWork)
        for (const QString& line : s.middle)
            out << padText(line, 66);
    if (claim)
        for (int i = 0; i < 4; ++i)
            out << blanks(68);
    if (d.kind == InvoiceKind::HouseWork) houseWorkNotice(out);
    if (d.kind == InvoiceKind::ReverseCharge) reverseChargeNotice(out);
    out << underscores(67);
    out << QString();
    out << u("Sort                                  Antal    kr/st     Summa Kr");
    out << underscores(67);
    out << QString();
    articleRows(out, role, d, f);
    out << underscores(67);
    out << QString();
    totals(out, role, d, f);
    footer(out, s);
    return out.text();
}

} // namespace mv
