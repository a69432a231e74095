#include "invoicing/invoice_numbering.h"

#include "invoicing/invoicing_messages.h"
#include "store/change_set.h"
#include "store/paths.h"
#include "store/text_util.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <set>

namespace mv {

namespace {

bool opens(const QString& path) {
    QFileInfo info(normalizePath(path));
    return info.isFile() && info.isReadable();
}

bool holdsSomething(const QString& path) {
    QFileInfo info(normalizePath(path));
    return info.isFile() && info.isReadable() && info.size() > 0;
}

bool allDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// The numbers of the documents in the invoice folder ("14001.kdb",
// "14002_BU.kdb", "14003_BETALD.kdb"), ascending: the folder is listed once
// instead of asking for every number of the range.
std::set<int> documentNumbers(const PathTable& paths) {
    std::set<int> numbers;
    const QStringList names =
        QDir(normalizePath(paths.fakturorDir)).entryList({QStringLiteral("*.kdb")}, QDir::Files);
    for (const QString& name : names) {
        const QString number = name.left(name.size() - 4).section(u'_', 0, 0);
        if (allDigits(number) && number.size() < 10) numbers.insert(number.toInt());
    }
    return numbers;
}

} // namespace

int firstInvoiceNumber(const QString& year) {
    return int(year.right(2).toInt()) * 1000 + 1;
}

int lastInvoiceNumber(const QString& year) {
    return int(year.right(2).toInt()) * 1000 + 999;
}

int storedInvoiceCounter(const PathTable& paths) {
    return int(textToInteger(storedText(paths.invoiceCounter)));
}

bool invoiceNumberUsed(const PathTable& paths, int number) {
    const QString n = QString::number(number);
    return opens(paths.invoice(n)) || opens(paths.invoice(n + QStringLiteral("_BU"))) ||
           opens(paths.invoice(n + QStringLiteral("_BETALD")));
}

NextNumber nextInvoiceNumber(const PathTable& paths, InvoiceKind kind) {
    NextNumber out;
    const int last = lastInvoiceNumber(paths.year);
    int n = std::max(storedInvoiceCounter(paths) + 1, firstInvoiceNumber(paths.year));
    const bool houseWork = kind == InvoiceKind::HouseWork;
    while (n <= last &&
           (invoiceNumberUsed(paths, n) || (houseWork && invoiceNumberUsed(paths, n + 1))))
        ++n;
    if (n > last) {
        out.message = imsg::numbersExhausted();
        return out;
    }
    if (houseWork && n + 1 > last) {
        out.message = imsg::noNumberForClaim();
        return out;
    }
    out.ok = true;
    out.number = n;
    return out;
}

QStringList invoiceList(const PathTable& paths, bool showPaid) {
    QStringList list;
    const int last = storedInvoiceCounter(paths);
    // From 9000 at the latest: the unpaid invoices a completed year carried
    // in keep their earlier years' numbers (13005 in 2014).
    const int first = std::min(9000, firstInvoiceNumber(paths.year));
    for (int k : documentNumbers(paths)) {
        if (k < first || k > last) continue;
        const QString n = QString::number(k);
        if (opens(paths.invoice(n)))
            list << n;
        else if (showPaid && holdsSomething(paths.invoice(n + QStringLiteral("_BETALD"))))
            list << n + QStringLiteral("_BETALD");
        else if (holdsSomething(paths.invoice(n + QStringLiteral("_BU"))))
            list << n + QStringLiteral("_BU");
    }
    return list;
}

QString entryNumber(const QString& entry) {
    const qsizetype cut = entry.indexOf(u'_');
    return cut < 0 ? entry : entry.left(cut);
}

QString paidEntryName(const QString& entry) {
    return entryNumber(entry) + QStringLiteral("_BETALD");
}

bool isPaidEntry(const QString& entry) {
    return entry.endsWith(QStringLiteral("_BETALD"));
}

int luhnCheckDigit(const QString& digits) {
    int sum = 0;
    bool twice = true; // the digit next to the check digit counts twice
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        int d = digits[i].unicode() - u'0';
        if (twice) {
            d *= 2;
            if (d > 9) d -= 9;
        }
        sum += d;
        twice = !twice;
    }
    return (10 - sum % 10) % 10;
}

QString ocrReference(int number) {
    QString digits = QString::number(number);
    digits += QString::number((digits.size() + 2) % 10);
    return digits + QString::number(luhnCheckDigit(digits));
}

bool isOcrReference(const QString& text) {
    if (text.size() < 3 || !allDigits(text)) return false;
    const QString body = text.left(text.size() - 1);
    if (luhnCheckDigit(body) != text.back().unicode() - u'0') return false;
    return body.back().unicode() - u'0' == text.size() % 10;
}

int invoiceNumberOfOcr(const QString& text) {
    return isOcrReference(text) ? text.left(text.size() - 2).toInt() : 0;
}

} // namespace mv
