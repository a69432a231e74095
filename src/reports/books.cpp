#include "reports/books.h"

#include "reports/report_file.h"
#include "store/record_file.h"
#include "store/text_util.h"

namespace mv {

using namespace reporting;

namespace {

QString underscores(int count) {
    return repeatedChar(QLatin1Char('_'), count);
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
void carriedPair(ReportFile& book, const QString& fromLabel, const QString& toLabel, int fromWidth,
                 int toWidth, Amount amount) {
    const QString value = amount.toText();
    book.line(QStringLiteral("Boka från fg.år ") + alignedPiece(fromLabel, value, fromWidth) +
              alignedPiece(QStringLiteral(" ="), value, 15));
    book.line(QStringLiteral("Boka mot  ig.år ") + alignedPiece(toLabel, value, toWidth));
}

} // namespace

bool bookNeedsHead(const QString& path) {
    return characterCount(path) < 5;
}

int writeDayBookHead(const QString& path, const QString& year) {
    ReportFile book(path);
    if (!book.create()) return book.result();
    book.put(QStringLiteral("DAGBOK  "), SepNone);
    book.put(year, SepNewline);
    book.line(underscores(86));
    book.line(QStringLiteral("Dagboken listar alla transaktioner datummässigt under året."));
    book.emptyLines(4);
    return book.result();
}

int writeShortDayBookHead(const QString& path) {
    ReportFile book(path);
    if (!book.create()) return book.result();
    book.line(QStringLiteral("DAGBOK"));
    book.line(underscores(86));
    book.emptyLines(1);
    return book.result();
}

int writeCashBookHead(const QString& path) {
    ReportFile book(path);
    if (!book.create()) return book.result();
    book.line(QStringLiteral("KASSABOK"));
    book.line(underscores(91));
    book.line(QStringLiteral(" Ver   Datum      Transaktionstyp                                "
                             "  Belopp         Kassa"));
    book.line(underscores(91));
    return book.result();
}

int ensureDayBookHead(const PathTable& paths) {
    return bookNeedsHead(paths.dayBook) ? writeDayBookHead(paths.dayBook, paths.year) : 0;
}

int ensureShortDayBookHead(const PathTable& paths) {
    return bookNeedsHead(paths.dayBook) ? writeShortDayBookHead(paths.dayBook) : 0;
}

int ensureCashBookHead(const PathTable& paths) {
    return bookNeedsHead(paths.cashBook) ? writeCashBookHead(paths.cashBook) : 0;
}

int appendOpeningBalanceEntry(const PathTable& paths, const OpeningBalanceEntry& e) {
    if (const int rc = ensureShortDayBookHead(paths); rc != 0) return rc;
    ReportFile book(paths.dayBook);
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
    book.line(blockDivider());

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
    book.line(blockDivider());
    book.emptyLines(1);
    return book.result();
}

int appendYearCompletedEntry(const PathTable& closedYear, long long number, const QString& date) {
    if (const int rc = ensureDayBookHead(closedYear); rc != 0) return rc;
    if (const int rc = ensureCashBookHead(closedYear); rc != 0) return rc;
    ReportFile book(closedYear.dayBook);
    book.line(field("Verifikat          ", numberText(number)));
    book.line(field("Bokförings Datum   ", date));
    book.line(field("Händelse Datum     ", date));
    book.line(field(kBlankLabel, QStringLiteral("-")));
    book.line(field("Åtgärd             ", QStringLiteral("Bokslutsunderlag skapat")));
    book.line(field(kBlankLabel, QStringLiteral("Året låst för vidare transaktioner.")));
    book.line(field(kBlankLabel, QStringLiteral("-")));
    book.line(blockDivider());
    book.line(QStringLiteral("Bokslutsunderlag           Inga transaktioner har utförts"));
    book.emptyLines(1);
    book.line(blockDivider());
    book.emptyLines(2);
    if (!book.ok()) return book.result();

    ReportFile cash(closedYear.cashBook);
    cash.line(alignedPiece(QString(), numberText(number), 7) + QLatin1Char(' ') + date +
              QStringLiteral("  Slutförande och Bokslutsunderlag skapat. Året låst!"));
    return cash.result();
}

int appendCarriedBalancesEntry(const PathTable& nextYear, const CarriedBalancesEntry& e) {
    if (const int rc = ensureShortDayBookHead(nextYear); rc != 0) return rc;
    if (const int rc = ensureCashBookHead(nextYear); rc != 0) return rc;
    ReportFile book(nextYear.dayBook);
    book.line(field("Verifikat          ", numberText(e.number)));
    book.line(field("Datum              ", e.date));
    book.line(field(kBlankLabel, QString()));
    book.line(field("Transaktionsart    ", QStringLiteral("Bokslutsresultat från föregående år")));
    book.line(QString::fromUtf8(kBlankLabel) + QStringLiteral("="));
    book.line(field("Förkortningar      ", QStringLiteral("fg= Föregående    ig= Ingående")));
    book.line(QString::fromUtf8(kBlankLabel) + QStringLiteral("="));
    book.line(QStringLiteral("Konton                           Belopp        Balans"));
    book.line(blockDivider());

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
    book.line(blockDivider());
    book.emptyLines(2);
    if (!book.ok()) return book.result();

    ReportFile cash(nextYear.cashBook);
    cash.line(alignedPiece(QString(), numberText(e.number), 7) +
              alignedPiece(QString(), e.date, 12) +
              alignedPiece(QStringLiteral(" ÖVERFÖRT FRÅN FÖREG.ÅR till kassan"),
                           e.carriedCash.toText(), 61) +
              alignedPiece(QStringLiteral(" ="), e.newCashTotal.toText(), 14));
    return cash.result();
}

} // namespace mv
