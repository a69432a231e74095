#include "reports/ledger.h"

#include "reports/closing_figures.h"
#include "reports/report_file.h"
#include "reports/vat_report.h"
#include "store/record_file.h"

#include <vector>

namespace mv {

using namespace reporting;

namespace {

struct Row {
    const char* label;
    QString file;
    bool negate = false;
};

struct Section {
    const char* heading;
    std::vector<Row> rows;
};

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The first line of a stored text, at most `limit` characters.
QString firstLine(const QString& path, int limit) {
    QString whole;
    readWhole(path, whole);
    const qsizetype end = whole.indexOf(QLatin1Char('\n'));
    return whole.left(end < 0 ? whole.size() : end).left(limit);
}

std::vector<Section> fixedSectionsAfterCash(const PathTable& p) {
    const auto acc = [&p](const char* name) { return p.account(text(name)); };
    return {
        {"INKOMSTSIDAN _________________________________________________________",
         {{"  3000 R1  Inkomst, Arbete och Tjänst", acc("Inkomst, Arbete och Tjänst")},
          {"  3000 R1  Inkomst, Varor och material", acc("Inkomst, Varor o material")},
          {"  3000 R1  Inkomst, Annat", acc("Inkomst, Annat")},
          {"  3211 R1  Inkomst, Omvänd moms", acc("Inkomst, Omvänd moms")},
          {"  3100 R2  Inkomst, Momsfritt", acc("Inkomst, Momsfritt")},
          {"  8310 R4  Inkomst, Räntor", acc("Inkomst, Räntor")},
          {"  1222 B4  Inkomst, Inventarier", acc("Inkomst, Inventarier")}}},
        {"UTGIFTSIDAN __________________________________________________________",
         {{"  4000 R5  Utgift, Varor och material", acc("Utgift, Varor o material")},
          {"  4600 R5  Utgift, Arbete och tjänst", acc("Utgift, Arbete och Tjänst")},
          {"  6900 R6  Utgift, Annat", acc("Utgift, Annat")},
          {"  4641 R5  Utgift, Omvänd moms", acc("Utgift, Omvänd moms")},
          {"  4100 R5  Utgift, Momsfritt", acc("Utgift, Momsfritt")},
          {"  8410 R8  Utgift, Räntor", acc("Utgift, Räntor (på lån, krediter mm)")},
          {"  1220 B4  Utgift, Inventarier (avskriv. direkt)", acc("Utgift, Inventarier")},
          {"  1220 B4  Utgift, Inventarier (avskriv. 30% per år)",
           acc("Utgift, Inventarier (med avskr)")},
          {"  7700 R10 Utgift, Inventarier utbokat (kasserat)", acc("Utgift, Inventarier Utbokat"),
           true}}},
        {"ÖRESUTJÄMNING ________________________________________________________",
         {{"  3740 R2  Öresutjämning", p.rounding}}},
        {"EGET UTTAG ___________________________________________________________",
         {{"  2010 B10 Utgift, Uttag för egen lön", acc("Utgift, Uttag för egen lön")},
          {"  2010 B10 Utgift, Uttag för egen skatt", acc("Utgift, Uttag för egen skatt")}}},
        {"MOMS FÖREGÅENDE ÅRS UTBOKAD___________________________________________",
         {{"  2650 B14 Justering, Utbokning momstillgång ",
           acc("Justering, Utbokning momstillgång")},
          {"  2650 B14 Justering, Utbokning momsskuld ", acc("Justering, Utbokning momsskuld")},
          {"  2650 B14 Moms, Föregående års momsskillnad (ej utbokad)",
           p.closing(QStringLiteral("fga_moms_skillnad"))}}},
    };
}

std::vector<Section> fixedSectionsAfterVat(const PathTable& p) {
    const auto acc = [&p](const char* name) { return p.account(text(name)); };
    const auto carried = [&p](const char* name) { return p.loanCarried(text(name)); };
    return {
        {"LÅN __________________________________________________________________",
         {{"  2350 B13 Inlåning, Från föregående år bank", carried("Inlåning, Från bank")},
          {"  2390 B13 Inlåning, Från föregående år ägaren", carried("Inlåning, Från ägaren")},
          {"  2390 B13 Inlåning, Från föregående år annan", carried("Inlåning, Från annan")},
          {"  2350 B13 Inlåning, Från bank", acc("Inlåning, Från bank")},
          {"  2390 B13 Inlåning, Från ägaren", acc("Inlåning, Från ägaren")},
          {"  2390 B13 Inlåning, Från annan", acc("Inlåning, Från annan")}}},
        {"BETALNING AV LÅN _____________________________________________________",
         {{"  2350 B13 Utgift, Betalning av Inlåning från bank",
           acc("Utgift, Betalning av Inlåning, Från bank")},
          {"  2390 B13 Utgift, Betalning av Inlåning från ägaren",
           acc("Utgift, Betalning av Inlåning, Från ägaren")},
          {"  2390 B13 Utgift, Betalning av Inlåning från annan",
           acc("Utgift, Betalning av Inlåning, Från annan")}}},
        {"VARULAGERVÄRDE _______________________________________________________",
         {{"  1400 B6  Varulagervärde (inventerat och före avskr.)",
           p.closing(QStringLiteral("inventering_varde"))}}},
        {"KUNDFORDRINGAR _______________________________________________________",
         {{"  1500 B7  Bokslut, Kundfordringar (exkl.Moms)",
           p.closing(QStringLiteral("Kundfordringar"))}}},
        {"LEVERANTÖRSSKULDER ___________________________________________________",
         {{"  2440 B15 Bokslut, Leverantörsskulder (exkl.Moms)",
           p.closing(QStringLiteral("Leverantorsskulder"))}}},
    };
}

constexpr int kAmountWidth = 70;

void sumLines(ReportText& out, Amount sum) {
    const QString indent(50, QLatin1Char(' '));
    out.line(indent + repeatedChar(QLatin1Char('-'), 20));
    out.amountLine(indent + QStringLiteral("SUMMA"), sum.toText(), kAmountWidth);
    out.emptyLines(2);
}

void writeSection(ReportText& out, const Section& section) {
    out.line(text(section.heading));
    Amount sum;
    for (const Row& row : section.rows) {
        Amount value = readLedgerAmount(row.file);
        if (row.negate) value = -value;
        sum += value;
        out.amountLine(text(row.label), value.toText(), kAmountWidth);
    }
    sumLines(out, sum);
}

void writeCashSection(ReportText& out, const PathTable& p) {
    static const char* const numbers[6] = {"1910", "1920", "1921", "1922", "1923", "1924"};
    out.line(text("KASSAN _______________________________________________________________"));
    for (int i = 0; i < 6; ++i) {
        const QString label = QStringLiteral("  ") + text(numbers[i]) + QStringLiteral(" B9  ") +
                              firstLine(p.moneyAccountName(i + 1), 20);
        out.amountLine(label, readLedgerAmount(p.moneyAccountAmount(i + 1)).toText(), kAmountWidth);
    }
    // The stored cash total, not the sum of the six lines: a difference
    // between them shows here instead of being hidden.
    sumLines(out, readLedgerAmount(p.cash));
}

void writeVatSection(ReportText& out, const PathTable& p) {
    out.line(text("MOMS ÅRETS____________________________________________________________"));
    Amount sum;
    const auto rows = [&](auto pathOf, const char* prefix, const char* suffix, bool negate) {
        for (int rate = 1; rate <= 49; ++rate) {
            const QString path = pathOf(rate);
            if (!vatFileHasEntry(path)) continue;
            Amount value = readLedgerAmount(path);
            if (negate) value = -value;
            sum += value;
            out.amountLine(text(prefix) + QString::number(rate) + text(suffix), value.toText(),
                           kAmountWidth);
        }
    };
    // The VAT of carried receivables and payables was declared the year they
    // arose: it reduces this year's output and input VAT, on a line of its
    // own when there is any.
    const auto carried = [&](const char* account, const QString& label, Amount value) {
        if (value.isZero()) return;
        sum += value;
        out.amountLine(text(account) + label, value.toText(), kAmountWidth);
    };
    rows([&p](int r) { return p.outputVat(r); }, "  2610 B14 Moms på inkomster med ", "%", false);
    carried("  2610 B14 ", carriedReceivablesVatLabel(), -carriedReceivablesVat(p));
    rows([&p](int r) { return p.reverseVat(r); }, "  2617 B14 Moms på utgifter med ",
         "% omvänd moms", false);
    rows([&p](int r) { return p.inputVat(r); }, "  2640 B14 Moms på utgifter med ", "%", true);
    carried("  2640 B14 ", carriedPayablesVatLabel(), carriedPayablesVat(p));
    sumLines(out, sum);
}

} // namespace

Amount readLedgerAmount(const QString& path) {
    return Amount::parseLenient(firstLine(path, 20));
}

bool vatFileHasEntry(const QString& path) {
    const int characters = characterCount(path);
    if (characters < 0) return false;
    QString whole;
    readWhole(path, whole);
    const qsizetype doubled = whole.count(QLatin1Char('\n')) + whole.count(QLatin1Char('\t'));
    return characters + doubled > 1;
}

int composeLedger(const PathTable& paths) {
    // Composed in memory and written in one checked write.
    ReportText out;
    out.line(QStringLiteral("HUVUDBOK  ") + paths.year);
    out.line(repeatedChar(QLatin1Char('_'), 86));
    out.line(text("Huvudboken sammanställer alla transaktioner under året till läsbara listor."));
    out.line(text("Här visas också BFN's BAS-kontonummer tillsammans med  Skatteverkets NE-nr."));
    out.emptyLines(5);

    writeCashSection(out, paths);
    for (const Section& s : fixedSectionsAfterCash(paths))
        writeSection(out, s);
    writeVatSection(out, paths);
    for (const Section& s : fixedSectionsAfterVat(paths))
        writeSection(out, s);
    return writeWorkFile(paths.ledgerReport, out.text());
}

} // namespace mv
