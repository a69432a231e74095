#include "invoicing/stock_count.h"

#include "invoicing/invoice_document.h"
#include "invoicing/invoicing_common.h"
#include "invoicing/invoicing_messages.h"
#include "store/clock.h"
#include "store/record_file.h"

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QString countFile(const PathTable& p) {
    return p.closing(QStringLiteral("inventering"));
}
QString dateFile(const PathTable& p) {
    return p.closing(QStringLiteral("inventering_datum"));
}
QString valueFile(const PathTable& p) {
    return p.closing(QStringLiteral("inventering_varde"));
}

} // namespace

QString stockCountHead(const QString& year, const QString& date) {
    return u("VARULAGER ") + year + u("\n\nInventering påbörjad ") + date + u("\n\n") +
           u(" Art                   Mängd   Ink.pris    Lagervärde\n") + QString(59, u'_') + u'\n';
}

QString stockItemLine(const QString& article, const QString& quantity, const QString& unit,
                      const QString& price, std::int64_t valueKronor) {
    return u' ' + padText(article, 20) + rightText(quantity, 5) + padText(unit, 4) +
           rightText(price, 9) + rightText(QString::number(valueKronor), 11) + u(".00");
}

std::optional<std::int64_t> stockItemValue(const QString& quantity, const QString& price) {
    const std::optional<Amount> q = typedNumber(quantity);
    const std::optional<Amount> p = typedNumber(normalizedAmountField(price));
    if (!q || !p) return std::nullopt;
    // price in öre × quantity in hundredths / 100 is öre; / 100 more is kronor.
    return p->mulDiv(q->ore(), 10000).ore();
}

StockCount openStockCount(const PathTable& paths, int* workFileCode) {
    StockCount c;
    c.text = storedText(countFile(paths));
    const QString value = storedText(valueFile(paths));
    c.total = Amount::parseLenient(
                  value.left(value.indexOf(u'\n') < 0 ? value.size() : value.indexOf(u'\n')))
                  .ore() /
              100;
    const int rc = writeText(drive::stockScratch, c.text);
    if (workFileCode) *workFileCode = rc;
    return c;
}

bool addStockItem(const PathTable& paths, const StockItem& item, StockCount& count,
                  const ShowMessage& s) {
    for (const QString* t : {&item.article, &item.quantity, &item.unit, &item.price})
        if (const auto c = unstorableCharacter(*t)) {
            ask(s, imsg::badCharacter(*c));
            return false;
        }
    if (!typedNumber(item.quantity)) {
        ask(s, imsg::badAmount(u("Mängd")));
        return false;
    }
    const std::optional<std::int64_t> value = stockItemValue(item.quantity, item.price);
    if (!value) {
        ask(s, imsg::badAmount(u("Ink.pris/sort")));
        return false;
    }
    QString text = storedText(drive::stockScratch);
    if (text.size() > 100000) {
        ask(s, imsg::stockListFull());
        return false;
    }
    std::int64_t total = count.total;
    if (text.size() < 5) {
        total = 0;
        text = stockCountHead(paths.year,
                              dateTimeText(QStringLiteral("YY_MM_DD"), QStringLiteral("-")));
    }
    text += stockItemLine(item.article, item.quantity, item.unit, normalizedAmountField(item.price),
                          *value) +
            u'\n';
    if (writeText(drive::stockScratch, text) != 0) {
        ask(s, saveFailedMessage(drive::stockScratch));
        return false;
    }
    count.text = text;
    count.total = total + *value;
    return true;
}

bool storeStockCount(const PathTable& paths, const StockCount& count, const ShowMessage& s) {
    ChangeSet set(Operation::StockCountSave);
    set.setText(countFile(paths), storedText(drive::stockScratch));
    set.setText(dateFile(paths),
                dateTimeText(QStringLiteral("YY_MM_DD"), QStringLiteral("-")) + u'\n');
    set.setText(valueFile(paths), QString::number(count.total) + u'\n');
    if (!commitInvoicingChange(paths, set, s)) return false;
    deleteFile(drive::stockScratch);
    return true;
}

bool deleteStockCount(const PathTable& paths, const ShowMessage& s) {
    ChangeSet set(Operation::StockCountDelete);
    set.setText(countFile(paths), QString());
    set.setText(valueFile(paths), QString());
    if (!commitInvoicingChange(paths, set, s)) return false;
    writeText(drive::stockScratch, QString());
    return true;
}

} // namespace mv
