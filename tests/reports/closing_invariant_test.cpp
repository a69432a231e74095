// Invariants of the closing reports over random years, read back from the
// printed texts: every printed sum equals the sum of its printed lines, the
// balance balances, the ledger, the closing basis and the VAT report agree on
// the VAT of the year, and the balance report's closing column is the
// closing balance file.
#include "closing_fixture.h"

#include "reports/balance_report.h"
#include "reports/ledger.h"
#include "reports/owner_info.h"
#include "reports/vat_report.h"

#include <random>

namespace {

using mv::Amount;
using mv::Side;

Amount lastAmount(const QString& line) {
    QString t = line.trimmed();
    const qsizetype star = t.indexOf(QStringLiteral(" *"));
    if (star >= 0) t = t.left(star).trimmed();
    return Amount::parseLenient(t.mid(t.lastIndexOf(u' ') + 1));
}

// The first line starting with prefix, at or after from; empty when none.
QString lineStarting(const QStringList& lines, const QString& prefix, int from = 0) {
    for (int i = from; i < lines.size(); ++i)
        if (lines[i].startsWith(prefix)) return lines[i];
    ADD_FAILURE() << "no line starting with " << prefix.toStdString();
    return QString();
}

int indexStarting(const QStringList& lines, const QString& prefix) {
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(prefix)) return i;
    ADD_FAILURE() << "no line starting with " << prefix.toStdString();
    return int(lines.size());
}

// In every section of the closing basis, each amount printed after a
// dividing line is the sum of the amounts since the dividing line before it
// (the remaining fixed assets alone are never below zero).
void expectSectionSumsAddUp(const QString& document) {
    const QStringList lines = document.split(u'\n');
    const QString divider(68, u'-');
    const int end = indexStarting(lines, QString::fromUtf8("*             SAMMANSTÄLLNING"));
    int sections = 0;
    for (int h = 1; h + 1 < end; ++h) {
        // A heading: after an empty line, before the dividing line.
        if (lines[h].isEmpty() || lines[h] == divider || !lines[h - 1].isEmpty() ||
            lines[h + 1] != divider)
            continue;
        ++sections;
        Amount block;
        // The section runs to its empty lines at the end.
        for (int k = h + 2; k + 1 < end && !(lines[k].isEmpty() && lines[k + 1].isEmpty()); ++k) {
            if (lines[k].isEmpty()) continue;
            if (lines[k] != divider) {
                block += lastAmount(lines[k]);
                continue;
            }
            const Amount printed = lastAmount(lines[k + 1]);
            const bool clamped = printed.isZero() && block < Amount() &&
                                 lines[k + 1].startsWith(QStringLiteral("Kvarvarande"));
            if (!clamped) {
                EXPECT_EQ(printed, block) << lines[k + 1].toStdString();
            }
            block = printed;
            ++k;
        }
    }
    EXPECT_EQ(sections, 17);
}

struct Texts {
    mv::ClosingFigures figures;
    QString document, balance, result, vat, owner, ledger, closingBalance;
};

void expectInvariants(const Texts& t) {
    for (const QString* text : {&t.document, &t.balance, &t.result, &t.vat, &t.owner, &t.ledger})
        EXPECT_FALSE(text->contains("-0.00"));
    expectSectionSumsAddUp(t.document);

    // The balance: assets = debts + equity, each side the sum of its rows,
    // the closing column the closing balance file.
    const QStringList b = t.balance.split(u'\n');
    const auto closing = [](const QString& row) {
        return Amount::parseLenient(row.mid(67).trimmed());
    };
    const int assets = indexStarting(b, QString::fromUtf8("TILLGÅNGAR_"));
    const int debts = indexStarting(b, QStringLiteral("SKULDER_"));
    const int totals = int(b.indexOf(QString(85, u'_')));
    ASSERT_GT(totals, debts);
    std::vector<Amount> assetRows, debtRows;
    for (int i = assets + 1; i < debts; ++i)
        if (!b[i].isEmpty()) assetRows.push_back(closing(b[i]));
    for (int i = debts + 1; i < totals; ++i)
        if (!b[i].isEmpty()) debtRows.push_back(closing(b[i]));
    ASSERT_EQ(assetRows.size(), 5u);
    ASSERT_EQ(debtRows.size(), 4u);
    Amount assetSum, debtSum;
    for (Amount a : assetRows)
        assetSum += a;
    for (Amount a : debtRows)
        debtSum += a;
    const Amount totalAssets = closing(b[totals + 1]);
    const Amount totalDebts = closing(b[totals + 2]);
    EXPECT_EQ(assetSum, totalAssets);
    EXPECT_EQ(debtSum, totalDebts);
    EXPECT_EQ(totalAssets, totalDebts);
    const QStringList file = t.closingBalance.split(u'\n');
    ASSERT_EQ(file.size(), 11); // ten lines and the end
    const Amount shown[] = {
        assetRows[0], assetRows[1], assetRows[2], assetRows[3], debtRows[0],
        debtRows[1],  debtRows[3],  totalAssets,  totalDebts,   debtRows[2] - assetRows[4]};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(shown[i].toText(), file[i]) << "balance line " << i + 1;
    EXPECT_TRUE(assetRows[4].isZero() || debtRows[2].isZero());

    // The VAT of the year: ledger = closing basis = VAT report.
    const QStringList ledger = t.ledger.split(u'\n');
    const Amount ledgerVat =
        lastAmount(lineStarting(ledger, QString(50, u' ') + "SUMMA",
                                indexStarting(ledger, QString::fromUtf8("MOMS ÅRETS"))));
    const Amount basisVat =
        lastAmount(lineStarting(t.document.split(u'\n'), QStringLiteral("Momsskillnad")));
    const QStringList vat = t.vat.split(u'\n');
    const Amount out = lastAmount(lineStarting(vat, QString::fromUtf8("  Summa utgående moms")));
    const Amount reverse =
        lastAmount(lineStarting(vat, QString::fromUtf8("  Summa omvänd utgående moms")));
    const Amount in = lastAmount(lineStarting(vat, QString::fromUtf8("  Summa ingående moms")));
    EXPECT_EQ(ledgerVat, basisVat);
    EXPECT_EQ(basisVat, out + reverse - in);
    EXPECT_EQ(basisVat, t.figures.vatDifference);

    // The result report adds up and ends where the closing basis does.
    const QStringList r = t.result.split(u'\n');
    const int income = indexStarting(r, QString::fromUtf8("INTÄKTER_"));
    const int costs = indexStarting(r, QStringLiteral("KOSTNADER_"));
    const auto sumRows = [&r](int from) {
        Amount s;
        for (int i = from + 2; !r[i].startsWith(QString(46, u' ')); ++i)
            s += lastAmount(r[i]);
        return s;
    };
    const Amount incomeSum = lastAmount(lineStarting(r, QString::fromUtf8("SUMMA INTÄKTER")));
    const Amount costSum = lastAmount(lineStarting(r, QStringLiteral("SUMMA KOSTNADER")));
    EXPECT_EQ(sumRows(income), incomeSum);
    EXPECT_EQ(sumRows(costs), -costSum);
    const Amount depreciation =
        lastAmount(lineStarting(r, QStringLiteral(" Avskrivning Inventarier")));
    const Amount scrapped =
        lastAmount(lineStarting(r, QStringLiteral(" Nedskrivning Inventarier")));
    const Amount year = lastAmount(lineStarting(r, QString::fromUtf8("ÅRETS RESULTAT")));
    EXPECT_EQ(incomeSum + costSum + depreciation + scrapped, year);
    EXPECT_EQ(year, lastAmount(lineStarting(t.document.split(u'\n'),
                                            QStringLiteral("  Bokfört resultat "))));

    // The owner's tax is the contribution and the income tax.
    const QStringList o = t.owner.split(u'\n');
    const Amount e = lastAmount(lineStarting(o, QStringLiteral("* Egenavgiften (")));
    const Amount i = lastAmount(lineStarting(o, QStringLiteral("* Inkomstskatten (")));
    EXPECT_EQ(lastAmount(lineStarting(o, QString::fromUtf8("Skatt på resultatet"))), e + i);
}

class ClosingInvariantTest : public ClosingTest {
  protected:
    std::mt19937 rng{20140307};

    Amount randomAmount(std::int64_t maxKronor, bool mayBeNegative = false) {
        std::uniform_int_distribution<std::int64_t> d(mayBeNegative ? -maxKronor * 100 : 0,
                                                      maxKronor * 100);
        return Amount::fromOre(d(rng));
    }
    bool chance(int percent) { return std::uniform_int_distribution<int>(1, 100)(rng) <= percent; }
    QString randomPercent(int maxWhole) {
        return mv::percentText(std::uniform_int_distribution<std::int64_t>(0, maxWhole * 100)(rng));
    }

    void putRandom(const QString& path, std::int64_t maxKronor, bool mayBeNegative = false) {
        put(path, randomAmount(maxKronor, mayBeNegative).toText() + "\n");
    }

    Texts compose() {
        Texts t;
        const mv::ClosingRun run = mv::runClosingBasis(paths, settings, false);
        EXPECT_TRUE(run.ok) << run.message.text.toStdString();
        t.figures = run.figures;
        t.document = mv::closingBasisText(t.figures);
        t.balance =
            mv::balanceReportText(t.figures, mv::readBalanceLines(paths.closing("fga_ing_balans")));
        t.result = mv::resultReportText(t.figures);
        t.vat = mv::vatReportText(t.figures);
        t.owner = mv::ownerInfoText(t.figures, settings);
        EXPECT_EQ(mv::composeLedger(paths), 0);
        t.ledger = file(paths.ledgerReport);
        t.closingBalance = file(paths.closing("utg_balans"));
        return t;
    }
};

// Every input file of the closing at random, negative values included where
// the books can hold them.
TEST_F(ClosingInvariantTest, RandomTotalsOfEveryFile) {
    const QString base = QDir::currentPath();
    for (int round = 0; round < 25; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(QDir::setCurrent(base));
        const QString folder = QStringLiteral("round%1").arg(round);
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QDir::setCurrent(folder));
        makeYear();
        settings = settingsOf({"25", qPrintable(randomPercent(40)), qPrintable(randomPercent(40)),
                               qPrintable(randomPercent(10)), qPrintable(randomPercent(50))});
        for (const QStringList* list : {&mv::incomeAccounts(), &mv::expenseAccounts()})
            for (const QString& account : *list)
                if (chance(70)) putRandom(paths.account(account), 200000, chance(10));
        for (const char* loan :
             {"Inlåning, Från bank", "Inlåning, Från ägaren", "Inlåning, Från annan"})
            if (chance(50)) putRandom(paths.loanCarried(QString::fromUtf8(loan)), 100000);
        for (const char* name :
             {"Kundfordringar", "KundfordringarMoms", "Leverantorsskulder",
              "LeverantorsskulderMoms", "fga_Kundfordringar", "fga_Kundfordringar_Moms",
              "fga_Leverantorsskulder", "fga_Leverantorsskulder_Moms", "fga_inventarievarde",
              "fga_inventering_varde", "inventering_varde"})
            if (chance(70)) putRandom(paths.closing(name), 100000);
        if (chance(80)) putRandom(paths.closing("fga_moms_skillnad"), 20000, true);
        // The money accounts add up to the cash total, as the books keep them.
        Amount cash;
        for (int i = 1; i <= 6; ++i) {
            const Amount balance = chance(60) ? randomAmount(100000, true) : Amount();
            put(paths.moneyAccountAmount(i), balance.toText() + "\n");
            cash += balance;
        }
        put(paths.cash, cash.toText() + "\n");
        putRandom(paths.rounding, 10, true);
        for (int rate = 1; rate <= 49; ++rate) {
            if (chance(8)) putRandom(paths.outputVat(rate), 50000);
            if (chance(4)) putRandom(paths.reverseVat(rate), 20000);
            if (chance(8)) putRandom(paths.inputVat(rate), 50000);
        }
        if (chance(50))
            put(paths.closing("fga_ing_balans"),
                "1.00\n2.00\n3.00\n4.00\n5.00\n6.00\n7.00\n8.00\n9.00\n");
        restamp();
        expectInvariants(compose());
        if (HasFatalFailure() || HasNonfatalFailure()) return;
    }
}

// Random bookings of every kind through the engine, the way a year grows.
TEST_F(ClosingInvariantTest, RandomBookingsThroughTheEngine) {
    putClosing("fga_inventarievarde", "50000.00");
    putClosing("fga_moms_skillnad", "-3000.00");
    putClosing("fga_Kundfordringar_Moms", "700.00");
    putClosing("fga_Leverantorsskulder_Moms", "300.00");
    putAmount(paths.cash, "100000.00");
    putAmount(paths.moneyAccountAmount(1), "100000.00");
    restamp();
    struct Kind {
        Side side;
        const char* type;
        bool rate;
        int maxKronor;
    };
    const Kind kinds[] = {
        {Side::Income, "Inkomst, Arbete och Tjänst", true, 20000},
        {Side::Income, "Inkomst, Varor o material", true, 8000},
        {Side::Income, "Inkomst, Omvänd moms", false, 5000},
        {Side::Income, "Inkomst, Momsfritt", false, 2000},
        {Side::Income, "Inkomst, Inventarier", true, 1000},
        {Side::Income, "Bokslut, Kundfordringar", true, 3000},
        {Side::Income, "Justering, Utbokning momstillgång", false, 200},
        {Side::Expense, "Utgift, Varor o material", true, 5000},
        {Side::Expense, "Utgift, Omvänd moms", true, 4000},
        {Side::Expense, "Utgift, Annat", true, 3000},
        {Side::Expense, "Utgift, Inventarier (med avskr)", true, 6000},
        {Side::Expense, "Utgift, Inventarier Utbokat", false, 800},
        {Side::Expense, "Utgift, Uttag för egen lön", false, 4000},
        {Side::Expense, "Bokslut, Leverantörsskulder", true, 2000},
    };
    const char* rates[] = {"25", "12", "6"};
    for (int n = 0; n < 40; ++n) {
        const Kind& k = kinds[std::uniform_int_distribution<size_t>(0, std::size(kinds) - 1)(rng)];
        const QString net = (randomAmount(k.maxKronor) + Amount::fromOre(1)).toText();
        const char* rate = k.rate ? rates[std::uniform_int_distribution<int>(0, 2)(rng)] : "";
        bookAny(k.side, k.type, qPrintable(net), rate);
        if (HasFatalFailure()) return;
    }
    expectInvariants(compose());
}

} // namespace
