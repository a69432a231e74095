#include "invoicing/invoice_save.h"

#include "invoicing/customer_register.h"
#include "invoicing/invoice_numbering.h"
#include "invoicing/invoicing_common.h"
#include "invoicing/invoicing_messages.h"
#include "store/clock.h"
#include "store/file_names.h"

#include <QDate>
#include <QRegularExpression>

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

DraftCheck refuse(Message m, InvoiceField field, int row = -1) {
    DraftCheck c;
    c.message = std::move(m);
    c.field = field;
    c.row = row;
    return c;
}

bool isRealDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    return m.hasMatch() &&
           QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()).isValid();
}

std::optional<QChar> unstorableInDraft(const InvoiceDraft& d) {
    std::vector<const QString*> texts = {
        &d.date,  &d.name, &d.street,    &d.postcode,         &d.town,
        &d.phone, &d.mail, &d.vatNumber, &d.deductionPercent, &d.vatPercent};
    for (const QString& h : d.header)
        texts.push_back(&h);
    for (const InvoiceRow& r : d.rows)
        for (const QString* t : {&r.sort, &r.quantity, &r.unitPrice})
            texts.push_back(t);
    for (const QString* t : texts)
        if (const auto c = unstorableCharacter(*t)) return c;
    return std::nullopt;
}

DocumentSources sources() {
    DocumentSources s;
    s.company = yearRecord().company;
    for (int i = 0; i < invoiceMiddleCount; ++i)
        s.middle[size_t(i)] = yearRecord().invoiceTexts[size_t(invoiceHeaderCount + i)];
    return s;
}

QString buyerVatNumber(const InvoiceDraft& d) {
    const QString v = d.vatNumber.trimmed();
    return v == QStringLiteral("-") ? QString() : v;
}

// The numbers the draft's documents take must be free (a new invoice) or
// still hold the open documents saved last (a change).
std::optional<Message> numberProblem(const PathTable& paths, const InvoiceDraft& d, bool change) {
    bool ok = false;
    const int n = d.number.toInt(&ok);
    const bool houseWork = d.kind == InvoiceKind::HouseWork;
    if (!ok || n < firstInvoiceNumber(paths.year)) return imsg::numberTaken(d.number);
    if (change) {
        for (const QString& entry : documentEntries(d))
            if (storedText(paths.invoice(entry)).isEmpty()) return imsg::changedInvoiceGone(entry);
        return std::nullopt;
    }
    if (n > lastInvoiceNumber(paths.year)) return imsg::numbersExhausted();
    if (houseWork && n + 1 > lastInvoiceNumber(paths.year)) return imsg::noNumberForClaim();
    if (invoiceNumberUsed(paths, n)) return imsg::numberTaken(d.number);
    if (houseWork && invoiceNumberUsed(paths, n + 1))
        return imsg::numberTaken(QString::number(n + 1));
    return std::nullopt;
}

} // namespace

QStringList documentEntries(const InvoiceDraft& d) {
    if (d.kind == InvoiceKind::PaymentOrder) return {d.number + QStringLiteral("_BU")};
    if (d.kind == InvoiceKind::HouseWork)
        return {d.number, QString::number(d.number.toInt() + 1) + QStringLiteral("_BU")};
    return {d.number};
}

PreparedInvoice prepareInvoice(const PathTable& paths, InvoiceKind kind, bool wholeKronor) {
    PreparedInvoice out;
    const NextNumber next = nextInvoiceNumber(paths, kind);
    if (!next.ok) {
        out.message = next.message;
        return out;
    }
    InvoiceDraft& d = out.draft;
    d.kind = kind;
    d.number = QString::number(next.number);
    d.date = dateTimeText(QStringLiteral("YY_MM_DD"), QStringLiteral("-"));
    d.wholeKronor = wholeKronor;
    d.deductionPercent = yearRecord().settings.field(setting::houseWorkLevel);
    if (kind == InvoiceKind::ReverseCharge) d.vatPercent = QStringLiteral("0");
    d.rows[10].sort = QStringLiteral(" ");
    d.rows[11].sort = QStringLiteral(" ");
    if (kind == InvoiceKind::HouseWork) {
        d.header = {u("Information för Skatteverket!"),
                    u("Preliminär skattereduktion för Husarbeten:"),
                    u(" "),
                    u("Namn 1 med personnummer"),
                    u("Namn 2 med personnummer"),
                    u("Namn 3 med personnummer")};
        d.rows[0].sort = u("Arbetskostnad timmar x kostnad");
        d.rows[10].sort = deductionRowText();
        d.rows[11].sort = deductionClaimRowText(next.number + 1);
        d.rows[12].sort = QStringLiteral(" ");
    } else if (kind != InvoiceKind::PaymentOrder) {
        for (int i = 0; i < invoiceHeaderCount; ++i)
            d.header[size_t(i)] = yearRecord().invoiceTexts[size_t(i)];
    }
    out.ok = true;
    return out;
}

InvoiceDraft clearedDraft(const InvoiceDraft& draft) {
    InvoiceDraft d = draft;
    const bool houseWork = d.kind == InvoiceKind::HouseWork;
    const bool reverse = d.kind == InvoiceKind::ReverseCharge;
    for (QString* t : {&d.name, &d.street, &d.postcode, &d.town, &d.phone, &d.mail, &d.vatNumber})
        t->clear();
    if (!reverse) d.vatPercent.clear();
    for (int i = 0; i < invoiceRowCount; ++i) {
        InvoiceRow& r = d.rows[size_t(i)];
        r.quantity.clear();
        r.unitPrice.clear();
        const bool keepSort = (i == 0 && houseWork) || (i >= 10 && (houseWork || reverse));
        if (!keepSort) r.sort.clear();
    }
    return d;
}

DraftCheck checkDraft(const InvoiceDraft& d, const Settings& settings) {
    if (const auto c = unstorableInDraft(d))
        return refuse(imsg::badCharacter(*c), InvoiceField::Text);
    for (int i = 0; i < invoiceRowCount; ++i) {
        if (!typedNumber(d.rows[size_t(i)].quantity))
            return refuse(imsg::badAmount(u("Ant")), InvoiceField::Quantity, i);
        if (!typedNumber(d.rows[size_t(i)].unitPrice))
            return refuse(imsg::badAmount(u("Á pris")), InvoiceField::UnitPrice, i);
    }
    if (d.kind == InvoiceKind::HouseWork) {
        const std::optional<Amount> q = typedNumber(d.deductionPercent);
        if (!q || *q < Amount() || *q > Amount::fromKronor(100))
            return refuse(imsg::badAmount(u("Avdrag")), InvoiceField::Deduction);
    }
    if (!isRealDate(d.date)) return refuse(imsg::badDate(), InvoiceField::Date);
    if (d.kind == InvoiceKind::HouseWork) {
        const HouseWorkCheck h = checkHouseWorkDetails(d.houseWork, now().date());
        if (h.refusal) {
            DraftCheck c = refuse(*h.refusal, InvoiceField::HouseWork);
            c.houseWorkField = h.field;
            return c;
        }
    }
    if (d.kind != InvoiceKind::ReverseCharge) {
        static const QRegularExpression digits(QStringLiteral("^\\d{1,2}$"));
        const QString rate = d.vatPercent.trimmed();
        if (!digits.match(rate).hasMatch() || !settings.isVatRate(rate.toInt()))
            return refuse(imsg::rateNotConfigured(), InvoiceField::VatPercent);
    }
    const InvoiceFigures f = computeFigures(d);
    if (f.total > Amount::fromOre(-100) && f.total < Amount::fromOre(100))
        return refuse(imsg::zeroTotal(), InvoiceField::Quantity, 0);
    if (const auto refusal = customerNameRefusal(d.name, u("MEDDELANDE")))
        return refuse(*refusal, InvoiceField::Name);
    DraftCheck ok;
    ok.ok = true;
    return ok;
}

InvoiceSave saveInvoice(const PathTable& paths, const InvoiceDraft& typed, bool change,
                        const ShowMessage& s) {
    InvoiceSave out;
    const DraftCheck check = checkDraft(typed, yearRecord().settings);
    if (!check.ok) {
        ask(s, check.message);
        out.field = check.field;
        out.row = check.row;
        out.houseWorkField = check.houseWorkField;
        return out;
    }
    // The documents keep the house-work details in their stored form.
    InvoiceDraft d = typed;
    if (d.kind == InvoiceKind::HouseWork)
        d.houseWork = checkHouseWorkDetails(typed.houseWork, now().date()).stored;
    else
        d.houseWork = HouseWorkDetails();
    if (const auto problem = numberProblem(paths, d, change)) {
        ask(s, *problem);
        return out;
    }
    if (d.kind == InvoiceKind::ReverseCharge && buyerVatNumber(d).isEmpty() &&
        ask(s, imsg::buyerVatNumberMissing()) != answerYes)
        return out;

    const InvoiceFigures f = computeFigures(d);
    const DocumentSources src = sources();
    ChangeSet set(Operation::InvoiceSave);
    const QStringList entries = documentEntries(d);
    set.setText(paths.invoice(entries[0]), composeDocument(customerRole(d.kind), d, f, src));
    if (d.kind == InvoiceKind::HouseWork)
        set.setText(paths.invoice(entries[1]), composeDocument(DocumentRole::Claim, d, f, src));
    const int highest = d.number.toInt() + (d.kind == InvoiceKind::HouseWork ? 1 : 0);
    const int counter = std::max(storedInvoiceCounter(paths), highest);
    set.setText(paths.invoiceCounter, QString::number(counter) + u'\n');
    set.setText(paths.invoicesCreated, u("Första sparat"));
    addInvoiceCustomer(paths, {d.name, d.street, d.postcode, d.town, d.phone, d.mail, d.vatNumber},
                       set, s);
    if (!commitInvoicingChange(paths, set, s)) return out;
    out.saved = true;
    out.shownEntry = entries[0];
    out.written = entries;
    return out;
}

} // namespace mv
