#pragma once
// The stock count ("INVENTERA"): the goods on hand line by line with their
// purchase prices and values, summed in whole kronor, kept while it is typed
// in the work file drive_info/temp.kdb and stored with the year in
// bokforing/bokslut_inventering.kdb, its date in bokslut_inventering_datum.kdb
// and its total value (a whole number) in bokslut_inventering_varde.kdb.
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace mv {

// Lines 1 to 5 of a count begun on the date: the heading, the start date, the
// column heads and the rule.
QString stockCountHead(const QString& year, const QString& date);

// One item line: a blank, the article padded to 20, the quantity right in 5,
// the unit padded to 4, the price right in 9, the value right in 11 and ".00".
QString stockItemLine(const QString& article, const QString& quantity, const QString& unit,
                      const QString& price, std::int64_t valueKronor);

// quantity × purchase price rounded to whole kronor (half away from zero);
// nullopt when either is not a plain number.
std::optional<std::int64_t> stockItemValue(const QString& quantity, const QString& price);

struct StockCount {
    QString text;           // the count as the list shows it
    std::int64_t total = 0; // its value in whole kronor
};

// Opening the page: the stored count and value; the work file starts as a
// copy of the stored count. Returns the count (the work file's write code in
// *workFileCode when asked).
StockCount openStockCount(const PathTable& paths, int* workFileCode = nullptr);

struct StockItem {
    QString article, quantity, unit, price;
};

// Adds the item to the count in the work file (starting it with the head and
// a running total of 0 when it holds fewer than 5 characters). Refuses bad
// numbers and a list of more than 100000 characters. On success count holds
// the new text and total.
bool addStockItem(const PathTable& paths, const StockItem& item, StockCount& count,
                  const ShowMessage& show);

// "Spara": the work file becomes the stored count, today its date and the
// total its value, as one change; the work file is deleted.
bool storeStockCount(const PathTable& paths, const StockCount& count, const ShowMessage& show);

// "Radera" (after the question): the stored count and its value are emptied
// as one change; true when done.
bool deleteStockCount(const PathTable& paths, const ShowMessage& show);

} // namespace mv
