#include "invoicing/invoice_payment.h"

#include "invoicing/invoice_document.h"
#include "invoicing/invoice_numbering.h"
#include "invoicing/invoicing_messages.h"
#include "store/text_util.h"

#include <QRegularExpression>

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

bool isRule(const QString& line) {
    if (line.size() < 4) return false;
    for (QChar c : line)
        if (c != u'_') return false;
    return true;
}

// The customer column of a customer-block line.
QString customerValue(const QStringList& lines, int index) {
    return index < lines.size() ? lines[index].mid(45).trimmed() : QString();
}

// The text after a label on the first line that holds it, trimmed.
QString afterLabel(const QStringList& lines, const QString& label) {
    for (const QString& line : lines) {
        const qsizetype at = line.indexOf(label);
        if (at >= 0) return line.mid(at + label.size()).trimmed();
    }
    return QString();
}

int indexOf(const QStringList& lines, int from, bool (*test)(const QString&)) {
    for (int i = from; i < lines.size(); ++i)
        if (test(lines[i])) return i;
    return -1;
}

bool isColumnHead(const QString& line) {
    return line.startsWith(QStringLiteral("Sort ")) && line.endsWith(QStringLiteral("Summa Kr"));
}

// The rows lie between the rule under the column heads and the next rule
// (end -1 when the document has none).
struct RowSpan {
    int start = -1, end = -1;
};
RowSpan rowSpan(const QStringList& lines, int from) {
    const int columns = indexOf(lines, from, isColumnHead);
    if (columns < 0) return {};
    const int rowsStart = indexOf(lines, columns + 1, isRule);
    const int rowsEnd = rowsStart < 0 ? -1 : indexOf(lines, rowsStart + 1, isRule);
    if (rowsEnd < 0) return {};
    return {rowsStart + 1, rowsEnd};
}

bool isOpenEntry(const QString& entry) {
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,9}(_BU)?$"));
    return pattern.match(entry).hasMatch();
}

} // namespace

ReadInvoice readInvoiceDocument(const QString& text) {
    ReadInvoice r;
    const QStringList lines = text.split(u'\n');
    const int head = std::min<int>(int(lines.size()), 4);
    const QStringList top = lines.mid(0, head);
    r.date = afterLabel(top, QStringLiteral("Datum:"));
    r.number = afterLabel(top, QStringLiteral("FAKTURA:"));
    if (r.number.isEmpty()) r.number = afterLabel(top, u("BOKFÖRINGSUPPDRAG:"));

    const int rule = indexOf(lines, 0, isRule);
    if (rule < 0 || rule + 2 >= lines.size()) return r;
    const int block = rule + 2;
    r.claim = lines[block].trimmed() == claimHeaderLine();
    if (!r.claim) {
        r.name = customerValue(lines, block + 1);
        r.street = customerValue(lines, block + 2);
        r.postcode = customerValue(lines, block + 3);
        r.town = customerValue(lines, block + 4);
    }

    const RowSpan span = rowSpan(lines, block);
    if (span.end < 0) return r;
    const int rowsEnd = span.end;
    int sum = rowsEnd + 1;
    while (sum < lines.size() && lines[sum].trimmed().isEmpty())
        ++sum;
    if (sum + 1 >= lines.size()) return r;
    static const QRegularExpression sumLine(QStringLiteral("Summa +(-?[0-9]+\\.[0-9]{2})$"));
    static const QRegularExpression vatLine(
        QStringLiteral("^ *Momssats +([0-9]*)% +Moms +(-?[0-9]+\\.[0-9]{2})$"));
    const QRegularExpressionMatch s = sumLine.match(lines[sum]);
    const QRegularExpressionMatch v = vatLine.match(lines[sum + 1]);
    if (!s.hasMatch() || !v.hasMatch()) return r;
    r.total = s.captured(1);
    r.rate = v.captured(1);
    static const QRegularExpression payLine(
        u("(Att betala|för Husarbete) +(-?[0-9]+\\.[0-9]{2})$"));
    for (int i = sum + 2; i < lines.size(); ++i) {
        const QRegularExpressionMatch p = payLine.match(lines[i]);
        if (p.hasMatch()) {
            r.toPay = p.captured(2);
            break;
        }
    }
    r.ok = true;
    return r;
}

std::vector<Amount> readInvoiceRowAmounts(const QString& text) {
    const QStringList lines = text.split(u'\n');
    const RowSpan span = rowSpan(lines, 0);
    std::vector<Amount> amounts;
    if (span.end < 0) return amounts;
    static const QRegularExpression amount(QStringLiteral("(-?[0-9]+\\.[0-9]{2})$"));
    for (int i = span.start; i < span.end; ++i) {
        // An empty line after the rule belongs to it; a row has its text.
        if (i == span.start && lines[i].isEmpty()) continue;
        const QRegularExpressionMatch m = amount.match(lines[i]);
        amounts.push_back(m.hasMatch() ? Amount::parseLenient(m.captured(1)) : Amount());
    }
    return amounts;
}

InvoicePick pickInvoice(const PathTable& paths, const QString& entry) {
    InvoicePick p;
    if (!isOpenEntry(entry)) return p;
    const ReadInvoice r = readInvoiceDocument(storedText(paths.invoice(entry)));
    if (!r.ok) return p;
    p.ok = true;
    p.entry = entry;
    if (r.claim) {
        p.name = u("Skatteverket");
        p.freeText = u("Utbetalt från Skatteverket ");
    } else {
        p.name = r.name;
        p.street = r.street;
        p.postcode = r.postcode;
        p.town = r.town;
        p.freeText = u("Faktura utskickad ") + r.date;
    }
    p.net = Amount::parseLenient(r.total).toText();
    const int rate = int(textToInteger(r.rate));
    p.rate = QString::number(rate);
    p.withoutVat = rate == 0;
    return p;
}

QString invoiceOfReference(const PathTable& paths, const QString& reference) {
    const QString ref = reference.trimmed();
    if (ref.isEmpty()) return QString();
    const QStringList open = invoiceList(paths, false);
    if (open.contains(ref)) return ref;
    const int number = invoiceNumberOfOcr(ref);
    if (number == 0) return QString();
    for (const QString& entry : open)
        if (entryNumber(entry) == QString::number(number)) return entry;
    return QString();
}

std::optional<Message> addMarkPaidChanges(const PathTable& paths, const QString& entry,
                                          ChangeSet& set) {
    if (!isOpenEntry(entry)) return imsg::invoiceNotPayable(entry);
    const QString document = paths.invoice(entry);
    const QString paid = paths.invoice(paidEntryName(entry));
    bool documentThere = false;
    bool paidThere = false;
    const QString content = storedText(document, &documentThere);
    storedText(paid, &paidThere);
    if (!documentThere || paidThere || set.touches(paid)) return imsg::invoiceNotPayable(entry);
    set.setText(paid, content);
    set.remove(document);
    return std::nullopt;
}

} // namespace mv
