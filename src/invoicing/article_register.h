#pragma once
// The article register fakturor/FakturaArtikelRegister.kdb: a numbered price
// list, one record of exactly 58 characters per line, record k holding
// article k:
//   column 1 a blank, 2-6 the number with leading zeros, 7-8 two blanks,
//   9-39 the text, 40-47 the quantity (right-aligned), 48-58 the price
//   (right-aligned, at least one leading blank).
#include "store/store_layout.h"
#include "store/user_message.h"

#include <QString>
#include <QStringList>

namespace mv {

inline constexpr int articleRecordLength = 58;
inline constexpr int articleTextWidth = 31;
inline constexpr int articleQuantityWidth = 8;
inline constexpr int articlePriceWidth = 10; // the eleventh column stays blank

// One record, without its line end. The texts are used as given.
QString articleRecord(int number, const QString& text, const QString& quantity,
                      const QString& price);
// The register of ten empty articles, 00001 to 00010.
QString emptyArticleRegister();
// The register's records (its lines without line ends).
QStringList articleRecords(const QString& registerText);

// What an invoice row takes from a record: the number, two blanks and the
// text (columns 2-38, trailing blanks dropped), the quantity (columns 40-47)
// and the price (columns 48-58), both trimmed.
struct ArticlePick {
    QString sort, quantity, price;
};
ArticlePick articleOfRecord(const QString& record);

// Opening the article page: a register that is missing or empty is started
// with ten empty articles (as one change). True when it was started.
bool startArticleRegister(const PathTable& paths, const ShowMessage& show, bool* failed = nullptr);

// The typed article, as the page's fields hold it.
struct ArticleForm {
    QString number, text, quantity, price;
};
struct ArticleSave {
    bool saved = false;
    int line = -1; // the record's index in the register after the save
};
// "Spara": the number zero-filled, quantity and price normalised and checked
// against their columns; an equal number replaces its record, the number one
// above the highest is appended, a higher one is refused. One change.
ArticleSave saveArticle(const PathTable& paths, const ArticleForm& form, const ShowMessage& show);

} // namespace mv
