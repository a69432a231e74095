#include "invoicing/article_register.h"

#include "invoicing/invoice_document.h"
#include "invoicing/invoicing_common.h"
#include "invoicing/invoicing_messages.h"
#include "store/change_set.h"

#include <QRegularExpression>

namespace mv {

namespace {

// A typed quantity or price normalised, or the refusal.
bool checkedValue(const QString& typed, const QString& label, int width, QString& out,
                  const ShowMessage& s) {
    out = normalizedAmountField(typed.trimmed());
    if (!typedNumber(out)) {
        ask(s, imsg::badAmount(label));
        return false;
    }
    if (out.size() > width) {
        ask(s, imsg::articleValueTooWide(label, width));
        return false;
    }
    return true;
}

} // namespace

QString articleRecord(int number, const QString& text, const QString& quantity,
                      const QString& price) {
    return u' ' + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0')) + QStringLiteral("  ") +
           padText(text, articleTextWidth) + rightText(quantity, articleQuantityWidth) +
           rightText(price, articlePriceWidth + 1);
}

QString emptyArticleRegister() {
    QString t;
    for (int k = 1; k <= 10; ++k)
        t += articleRecord(k, QString(), QString(), QString()) + u'\n';
    return t;
}

QStringList articleRecords(const QString& registerText) {
    return textLines(registerText);
}

ArticlePick articleOfRecord(const QString& record) {
    ArticlePick p;
    p.sort = record.mid(1, 37);
    while (p.sort.endsWith(u' '))
        p.sort.chop(1);
    p.quantity = record.mid(39, articleQuantityWidth).trimmed();
    p.price = record.mid(47, articlePriceWidth + 1).trimmed();
    return p;
}

bool startArticleRegister(const PathTable& paths, const ShowMessage& s, bool* failed) {
    if (failed) *failed = false;
    ChangeSet set(Operation::ArticleRegisterStart);
    if (!set.text(paths.articleRegister).isEmpty()) return false;
    set.setText(paths.articleRegister, emptyArticleRegister());
    if (!commitInvoicingChange(paths, set, s)) {
        if (failed) *failed = true;
        return false;
    }
    ask(s, imsg::articlesCreated());
    return true;
}

ArticleSave saveArticle(const PathTable& paths, const ArticleForm& form, const ShowMessage& s) {
    ArticleSave out;
    static const QRegularExpression digits(QStringLiteral("^\\d{1,5}$"));
    const QString typedNumber = form.number.trimmed();
    if (!digits.match(typedNumber).hasMatch() || typedNumber.toInt() == 0) {
        ask(s, imsg::articleNumberMissing());
        return out;
    }
    const int number = typedNumber.toInt();
    if (const auto c = unstorableCharacter(form.text)) {
        ask(s, imsg::badCharacter(*c));
        return out;
    }
    if (form.text.size() > articleTextWidth - 1) {
        ask(s, imsg::articleValueTooWide(QStringLiteral("Sort"), articleTextWidth - 1));
        return out;
    }
    QString quantity, price;
    if (!checkedValue(form.quantity, QStringLiteral("Antal"), articleQuantityWidth, quantity, s) ||
        !checkedValue(form.price, QStringLiteral("Pris"), articlePriceWidth, price, s))
        return out;

    ChangeSet set(Operation::ArticleSave);
    QStringList records = articleRecords(set.text(paths.articleRegister));
    const QString record = articleRecord(number, form.text, quantity, price);
    int line = -1;
    for (int i = 0; i < records.size(); ++i)
        if (records[i].mid(1, 5).toInt() == number) {
            line = i;
            break;
        }
    if (line < 0) {
        const int highest = records.isEmpty() ? 0 : records.last().mid(1, 5).toInt();
        if (number != highest + 1) {
            ask(s, imsg::articleNumberTooHigh());
            return out;
        }
        records << record;
        line = int(records.size()) - 1;
    } else {
        records[line] = record;
    }
    set.setText(paths.articleRegister, joinedLines(records));
    if (!commitInvoicingChange(paths, set, s)) return out;
    out.saved = true;
    out.line = line;
    return out;
}

} // namespace mv
