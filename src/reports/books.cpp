#include "reports/books.h"

#include "booking/verification_text.h"
#include "reports/report_file.h"
#include "store/text_util.h"

namespace mv {

using reporting::alignedPiece;

namespace {

QString underscores(int count) {
    return reporting::repeatedChar(QLatin1Char('_'), count);
}

QString divider() {
    return reporting::blockDivider();
}

// A field line of a block: the 19-character label, "=", one blank, the value.
QString field(const char* label, const QString& value) {
    return QString::fromUtf8(label) + QStringLiteral("= ") + value;
}

const char* const kBlankLabel = "                   ";

QString numberText(long long number) {
    return integerToText(number);
}

// The two lines of one carried item in the next year's day book.
void carriedPair(ReportText& book, const QString& fromLabel, const QString& toLabel, int fromWidth,
                 int toWidth, Amount amount) {
    const QString value = amount.toText();
    book.line(QStringLiteral("Boka från fg.år ") + alignedPiece(fromLabel, value, fromWidth) +
              alignedPiece(QStringLiteral(" ="), value, 15));
    book.line(QStringLiteral("Boka mot  ig.år ") + alignedPiece(toLabel, value, toWidth));
}

} // namespace

QString shortDayBookHead() {
    return QStringLiteral("DAGBOK\n") + underscores(86) + QStringLiteral("\n\n");
}

QString openingBalanceEntryText(const OpeningBalanceEntry& e) {
    ReportText book;
    book.line(field("Verifikat          ", numberText(e.number)));
    book.line(field("Datum              ", e.date));
    book.line(field(kBlankLabel, QString()));
    book.line(field(kBlankLabel, QString()));
    book.line(field("Transaktionsart    ", QStringLiteral("Import av bokföring. Registrering av")));
    book.line(field(kBlankLabel, QStringLiteral("föregående års balans och föregående års")));
    book.line(field(kBlankLabel, QStringLiteral("momsskilland.")));
    book.line(field(kBlankLabel, QString()));
    book.line(QString::fromUtf8(kBlankLabel) + QStringLiteral("="));
    book.line(QStringLiteral("Konton                           Belopp        Balans"));
    book.line(divider());

    const auto pair = [&book](const char* name, Amount amount) {
        const QString value = amount.toText();
        book.amountLine(QStringLiteral("Annan  ") + QString::fromUtf8(name), value, 40);
        book.amountLine(QStringLiteral("Import ") + QString::fromUtf8(name), value, 55);
    };
    book.line(QStringLiteral("TILLGÅNGAR"));
    pair("Kassa, Bank mm", e.cash);
    pair("Inventarier", e.equipment);
    pair("Varulager", e.stock);
    pair("Kundfordringar", e.receivables);
    book.line(QStringLiteral("SKULDER"));
    pair("Leverant.skulder", e.payables);
    pair("Företag. inlåning", e.loans);
    pair("Företag. eget kap.", e.equity);
    book.line(QStringLiteral("MOMSSKILLNAD"));
    pair("Momsskillnad", e.vatDifference);
    book.line(divider());
    book.emptyLines(1);
    return book.text();
}

void addOpeningBalanceEntry(const PathTable& paths, const OpeningBalanceEntry& e, ChangeSet& set) {
    set.appendWithHead(paths.dayBook, shortDayBookHead(), openingBalanceEntryText(e));
}

QString yearCompletedDayBookText(long long number, const QString& date) {
    ReportText book;
    book.line(field("Verifikat          ", numberText(number)));
    book.line(field("Bokförings Datum   ", date));
    book.line(field("Händelse Datum     ", date));
    book.line(field(kBlankLabel, QStringLiteral("-")));
    book.line(field("Åtgärd             ", QStringLiteral("Bokslutsunderlag skapat")));
    book.line(field(kBlankLabel, QStringLiteral("Året låst för vidare transaktioner.")));
    book.line(field(kBlankLabel, QStringLiteral("-")));
    book.line(divider());
    book.line(QStringLiteral("Bokslutsunderlag           Inga transaktioner har utförts"));
    book.emptyLines(1);
    book.line(divider());
    book.emptyLines(2);
    return book.text();
}

QString yearCompletedCashBookLine(long long number, const QString& date) {
    return alignedPiece(QString(), numberText(number), 7) + QLatin1Char(' ') + date +
           QStringLiteral("  Slutförande och Bokslutsunderlag skapat. Året låst!\n");
}

void addYearCompletedEntry(const PathTable& closedYear, long long number, const QString& date,
                           ChangeSet& set) {
    set.appendWithHead(closedYear.dayBook, dayBookHead(closedYear.year),
                       yearCompletedDayBookText(number, date));
    set.appendWithHead(closedYear.cashBook, cashBookHead(),
                       yearCompletedCashBookLine(number, date));
}

QString carriedBalancesDayBookText(const CarriedBalancesEntry& e) {
    ReportText book;
    book.line(field("Verifikat          ", numberText(e.number)));
    book.line(field("Datum              ", e.date));
    book.line(field(kBlankLabel, QString()));
    book.line(field("Transaktionsart    ", QStringLiteral("Bokslutsresultat från föregående år")));
    book.line(QString::fromUtf8(kBlankLabel) + QStringLiteral("="));
    book.line(field("Förkortningar      ", QStringLiteral("fg= Föregående    ig= Ingående")));
    book.line(QString::fromUtf8(kBlankLabel) + QStringLiteral("="));
    book.line(QStringLiteral("Konton                           Belopp        Balans"));
    book.line(divider());

    const struct {
        const char* item;
        Amount amount;
    } items[] = {{"Inventarier", e.equipment},
                 {"Varuvärde", e.stockValue},
                 {"Lån från annan", e.loanOther},
                 {"Lån från bank", e.loanBank},
                 {"Lån från ägaren", e.loanOwner}};
    for (const auto& item : items) {
        if (item.amount <= Amount()) continue;
        const QString name = QString::fromUtf8(item.item);
        // Label width 41 after the 16-character prefix ends the amount in
        // column 40 ("Boka från fg.år " + item + amount = 40 characters).
        carriedPair(book, name, name + QLatin1Char(' '), 41 - 16, 55 - 16, item.amount);
    }
    for (size_t i = 0; i < e.moneyAccountNames.size(); ++i) {
        const QString& name = e.moneyAccountNames[i];
        if (name.size() <= 1) continue;
        carriedPair(book, name, name, 25, 39, e.moneyAccountBalances[i]);
    }
    book.line(divider());
    book.emptyLines(2);
    return book.text();
}

QString carriedBalancesCashBookLine(const CarriedBalancesEntry& e) {
    return alignedPiece(QString(), numberText(e.number), 7) + alignedPiece(QString(), e.date, 12) +
           alignedPiece(QStringLiteral(" ÖVERFÖRT FRÅN FÖREG.ÅR till kassan"),
                        e.carriedCash.toText(), 61) +
           alignedPiece(QStringLiteral(" ="), e.newCashTotal.toText(), 14) + QLatin1Char('\n');
}

void addCarriedBalancesEntry(const PathTable& nextYear, const CarriedBalancesEntry& e,
                             ChangeSet& set) {
    set.appendWithHead(nextYear.dayBook, shortDayBookHead(), carriedBalancesDayBookText(e));
    set.appendWithHead(nextYear.cashBook, cashBookHead(), carriedBalancesCashBookLine(e));
}

} // namespace mv
