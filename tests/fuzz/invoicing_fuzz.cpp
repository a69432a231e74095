// What the invoicing reads back: an invoice document (the income page's
// pick), the article register and its records, the customer list and a
// customer's file.
#include "fuzz_support.h"

#include "invoicing/article_register.h"
#include "invoicing/customer_register.h"
#include "invoicing/invoice_payment.h"
#include "store/record_file.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::enterScratch();
    const QString text = fuzz::text(data, size);
    const mv::ReadInvoice invoice = mv::readInvoiceDocument(text);
    if (invoice.ok) FUZZ_CHECK(!invoice.number.contains(u'\n'));
    for (const QString& record : mv::articleRecords(text)) (void)mv::articleOfRecord(record);
    (void)mv::articleOfRecord(text);
    const QStringList lines = mv::listLines(text);
    if (!lines.isEmpty()) FUZZ_CHECK(mv::findCustomer(lines, lines.first()) >= 0);
    (void)mv::customerListMeasure(text);
    (void)mv::preparedCustomerList(text);

    const mv::PathTable paths = mv::buildPathTable(QStringLiteral("2014"));
    QDir().mkpath(paths.kunderDir);
    QFile f(paths.customer(QStringLiteral("Kund")));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(fuzz::bytes(data, size));
        f.close();
    }
    (void)mv::readCustomer(paths, QStringLiteral("Kund"));
    return 0;
}
