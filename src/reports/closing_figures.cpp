#include "reports/closing_figures.h"

#include "reports/ledger.h"
#include "store/change_set.h"
#include "store/years.h"

namespace mv {

namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The first line of a stored text.
QString firstLineOf(const QString& path) {
    const QString whole = storedText(path);
    const qsizetype end = whole.indexOf(u'\n');
    return end < 0 ? whole : whole.left(end);
}

std::vector<RateAmount> ratesOf(const PathTable& paths, QString (PathTable::*file)(int) const) {
    std::vector<RateAmount> list;
    for (int rate = 1; rate <= 49; ++rate) {
        const QString path = (paths.*file)(rate);
        if (vatFileHasEntry(path)) list.push_back({rate, readLedgerAmount(path)});
    }
    return list;
}

Amount sumOf(const std::vector<RateAmount>& list) {
    Amount sum;
    for (const RateAmount& r : list)
        sum += r.amount;
    return sum;
}

// (100 / r) * VAT, rounded once.
std::vector<RateAmount> basesOf(const std::vector<RateAmount>& vat) {
    std::vector<RateAmount> bases;
    for (const RateAmount& r : vat)
        bases.push_back({r.rate, r.amount.mulDiv(100, r.rate)});
    return bases;
}

} // namespace

Amount carriedReceivablesVat(const PathTable& paths) {
    return readLedgerAmount(paths.closing(u("fga_Kundfordringar_Moms")));
}

Amount carriedPayablesVat(const PathTable& paths) {
    return readLedgerAmount(paths.closing(u("fga_Leverantorsskulder_Moms")));
}

ClosingBooks readClosingBooks(const PathTable& p, const Settings& settings) {
    const auto acc = [&p](const char* name) { return readLedgerAmount(p.account(u(name))); };
    const auto closing = [&p](const char* name) { return readLedgerAmount(p.closing(u(name))); };
    ClosingBooks b;
    b.year = p.year;
    b.locked = readLockState(p) == 0;
    b.verificationNumber = QString::number(storedCounter(p));
    b.verificationDate = firstLineOf(p.dayBookDate);
    b.stockWriteDownHundredths = settings.percentHundredths(setting::stockDeduction);
    b.depreciationHundredths = settings.percentHundredths(setting::depreciation);

    for (int i = 1; i <= 6; ++i) {
        const QString name = firstLineOf(p.moneyAccountName(i));
        if (name.size() > 1)
            b.moneyAccounts.push_back({name, readLedgerAmount(p.moneyAccountAmount(i))});
    }
    b.cash = readLedgerAmount(p.cash);

    b.receivablesNet = closing("Kundfordringar");
    b.receivablesVat = closing("KundfordringarMoms");
    b.payablesNet = closing("Leverantorsskulder");
    b.payablesVat = closing("LeverantorsskulderMoms");
    b.receivablesPrevious = closing("fga_Kundfordringar");
    b.payablesPrevious = closing("fga_Leverantorsskulder");
    b.receivablesPreviousVat = carriedReceivablesVat(p);
    b.payablesPreviousVat = carriedPayablesVat(p);

    b.stockCounted = closing("inventering_varde");
    b.stockPrevious = closing("fga_inventering_varde");

    b.assetsCarried = closing("fga_inventarievarde");
    b.assetsWrittenOff = acc("Utgift, Inventarier Utbokat");
    b.assetsBought = acc("Utgift, Inventarier (med avskr)");
    b.assetsSold = acc("Inkomst, Inventarier");
    b.assetsDirect = acc("Utgift, Inventarier");

    const char* const loanNames[loanKinds] = {"Från bank", "Från ägaren", "Från annan"};
    for (int k = 0; k < loanKinds; ++k) {
        const QString loan = u("Inlåning, ") + u(loanNames[k]);
        b.loansTaken[size_t(k)] = readLedgerAmount(p.account(loan));
        b.loansCarried[size_t(k)] = readLedgerAmount(p.loanCarried(loan));
        b.loansRepaid[size_t(k)] =
            readLedgerAmount(p.account(u("Utgift, Betalning av Inlåning, ") + u(loanNames[k])));
    }

    b.outputVat = ratesOf(p, &PathTable::outputVat);
    b.reverseVat = ratesOf(p, &PathTable::reverseVat);
    b.inputVat = ratesOf(p, &PathTable::inputVat);
    b.vatCarried = closing("fga_moms_skillnad");

    b.incomeWork = acc("Inkomst, Arbete och Tjänst");
    b.incomeGoods = acc("Inkomst, Varor o material");
    b.incomeOther = acc("Inkomst, Annat");
    b.incomeReverse = acc("Inkomst, Omvänd moms");
    b.incomeVatFree = acc("Inkomst, Momsfritt");
    b.incomeInterest = acc("Inkomst, Räntor");
    b.rounding = readLedgerAmount(p.rounding);
    b.costGoods = acc("Utgift, Varor o material");
    b.costWork = acc("Utgift, Arbete och Tjänst");
    b.costReverse = acc("Utgift, Omvänd moms");
    b.costOther = acc("Utgift, Annat");
    b.costVatFree = acc("Utgift, Momsfritt");
    b.costInterest = acc("Utgift, Räntor (på lån, krediter mm)");
    b.ownerSalary = acc("Utgift, Uttag för egen lön");
    b.ownerTax = acc("Utgift, Uttag för egen skatt");
    return b;
}

ClosingFigures computeClosingFigures(const ClosingBooks& b) {
    ClosingFigures f;
    f.books = b;
    f.receivables = b.receivablesNet + b.receivablesVat;
    f.payables = b.payablesNet + b.payablesVat;

    f.stockWriteDown = b.stockCounted.mulDiv(b.stockWriteDownHundredths, 10000);
    f.stock = b.stockCounted - f.stockWriteDown;

    f.assetsBeforeSale = b.assetsCarried + b.assetsBought - b.assetsWrittenOff;
    f.assetsRemaining = f.assetsBeforeSale - b.assetsSold;
    if (f.assetsRemaining < Amount()) f.assetsRemaining = Amount();
    f.depreciation = f.assetsRemaining.mulDiv(b.depreciationHundredths, 10000);
    f.fixedAssets = f.assetsRemaining - f.depreciation;

    for (size_t k = 0; k < size_t(loanKinds); ++k) {
        f.loans[k] = b.loansTaken[k] + b.loansCarried[k] - b.loansRepaid[k];
        f.borrowing += f.loans[k];
    }

    f.outputVatSum = sumOf(b.outputVat) - b.receivablesPreviousVat;
    f.reverseVatSum = sumOf(b.reverseVat);
    f.inputVatSum = sumOf(b.inputVat) - b.payablesPreviousVat;
    f.outputVatTotal = f.outputVatSum + f.reverseVatSum;
    f.vatDifference = f.outputVatTotal - f.inputVatSum;
    f.vatBalance = f.vatDifference + b.vatCarried;

    f.outputBases = basesOf(b.outputVat);
    f.inputBases = basesOf(b.inputVat);
    f.outputBaseTotal = sumOf(f.outputBases);
    f.inputBaseTotal = sumOf(f.inputBases);
    f.salesBase = f.outputBaseTotal - b.receivablesPrevious;

    f.totalAssets = b.cash + f.stock + f.fixedAssets + f.receivables + f.vatAsset();
    f.equity = f.totalAssets - f.borrowing - f.payables - f.vatDebt();
    f.totalLiabilities = f.equity + f.borrowing + f.payables + f.vatDebt();

    f.taxableIncome = b.incomeWork + b.incomeGoods + b.incomeOther + b.incomeReverse +
                      b.receivablesNet - b.receivablesPrevious;
    f.vatFreeIncome = b.incomeVatFree + b.rounding;
    f.interestIncome = b.incomeInterest;
    f.costs = b.costGoods + b.costWork + b.costReverse + b.stockPrevious + b.payablesNet -
              b.payablesPrevious - f.stock;
    f.otherExternalCosts = b.assetsDirect + b.costOther + b.costVatFree;
    f.interestCosts = b.costInterest;
    f.resultBeforeDepreciation = f.taxableIncome + f.vatFreeIncome + f.interestIncome - f.costs -
                                 f.otherExternalCosts - f.interestCosts;
    f.depreciationAndWriteOff = -(f.depreciation + b.assetsWrittenOff);
    f.result = f.resultBeforeDepreciation + f.depreciationAndWriteOff;
    return f;
}

ClosingFigures closingFigures(const PathTable& paths, const Settings& settings) {
    return computeClosingFigures(readClosingBooks(paths, settings));
}

QString percentText(std::int64_t hundredths) {
    const bool negative = hundredths < 0;
    const std::int64_t h = negative ? -hundredths : hundredths;
    QString text = QString::number(h / 100);
    if (h % 100 != 0) {
        text += u'.' + QStringLiteral("%1").arg(h % 100, 2, 10, QLatin1Char('0'));
        if (text.endsWith(u'0')) text.chop(1);
    }
    return negative ? u'-' + text : text;
}

} // namespace mv
