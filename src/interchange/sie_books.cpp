// The year's books as SIE records: the verifications of the day book, the
// closing verifications, the opening and closing balances.
#include "interchange/books_agreement.h"
#include "interchange/interchange_files.h"
#include "interchange/interchange_messages.h"
#include "interchange/sie_export.h"
#include "invoicing/identity_numbers.h"
#include "store/change_set.h"

#include <map>
#include <set>

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

using Balances = std::map<int, Amount>;

// A closing verification of series B, dated the year's last day, when any
// of its rows is not zero.
class ClosingVerifications {
  public:
    explicit ClosingVerifications(const QString& year) : date_(year + QStringLiteral("1231")) {}
    void add(const char* text, std::vector<SieRow> rows) {
        std::erase_if(rows, [](const SieRow& r) { return r.amount.isZero(); });
        if (rows.empty()) return;
        list_.push_back(
            {QStringLiteral("B"), int(list_.size()) + 1, date_, u(text), QString(), rows});
    }
    std::vector<SieVerification>& list() { return list_; }

  private:
    QString date_;
    std::vector<SieVerification> list_;
};

// The year-end figures the closing basis computes and no verification
// books: each one moves its balance account to the closing figure.
void addClosingVerifications(const ClosingFigures& f, const VatResidual& vat,
                             ClosingVerifications& out) {
    const ClosingBooks& b = f.books;
    std::vector<SieRow> receivables = {{bas::receivables, b.receivablesNet + b.receivablesVat},
                                       {bas::sales, -b.receivablesNet}};
    for (const auto& [rate, amount] : vat.output)
        receivables.push_back({outputVatAccount(rate), -amount});
    out.add("Bokslut: kundfordringar vid årets slut", receivables);
    out.add("Bokslut: kundfordringar från föregående år, redovisade då",
            {{bas::receivables, -(b.receivablesPrevious + b.receivablesPreviousVat)},
             {bas::sales, b.receivablesPrevious},
             {carriedOutputVatAccount, b.receivablesPreviousVat}});

    Amount inputResidual;
    for (const auto& [rate, amount] : vat.input)
        inputResidual += amount;
    out.add("Bokslut: leverantörsskulder vid årets slut",
            {{bas::payables, -(b.payablesNet + b.payablesVat)},
             {bas::purchases, b.payablesNet},
             {inputVatAccount, inputResidual}});
    out.add("Bokslut: leverantörsskulder från föregående år, redovisade då",
            {{bas::payables, b.payablesPrevious + b.payablesPreviousVat},
             {bas::purchases, -b.payablesPrevious},
             {inputVatAccount, -b.payablesPreviousVat}});

    const Amount stockChange = b.stockCounted - b.stockPrevious;
    out.add("Bokslut: förändring av varulager",
            {{bas::stock, stockChange}, {bas::stockChange, -stockChange}});
    out.add("Bokslut: schablonavdrag på varulagret",
            {{bas::stockChange, f.stockWriteDown}, {bas::stock, -f.stockWriteDown}});
    out.add("Bokslut: avskrivning av inventarier",
            {{bas::depreciation, f.depreciation}, {bas::fixedAssets, -f.depreciation}});
    // Sold above the remaining value: the closing basis leaves the remaining
    // value at zero and counts the excess in no result, only in the equity.
    const Amount excess = b.assetsSold - f.assetsBeforeSale;
    if (excess > Amount() && f.assetsRemaining.isZero())
        out.add("Bokslut: inventarier sålda över kvarvarande värde",
                {{bas::assetsSold, excess}, {bas::equity, -excess}});
    out.add("Bokslut: årets resultat till eget kapital",
            {{bas::resultTransfer, f.result}, {bas::yearResult, -f.result}});
}

// What the closing figures start from. The money accounts are left out:
// their opening is what their closing balance was before the year's rows.
Balances openingBalances(const ClosingBooks& b, const std::vector<DayBookEntry>& entries) {
    // The carried VAT difference as it stood before this year's write-offs.
    Amount vatOpen = b.vatCarried;
    for (const DayBookEntry& e : entries) {
        if (e.kind != DayBookEntry::Kind::Booking) continue;
        if (e.type->special == SpecialKind::VatAssetWriteOff) vatOpen -= e.total;
        if (e.type->special == SpecialKind::VatDebtWriteOff) vatOpen += e.total;
    }
    return {{bas::fixedAssets, b.assetsCarried},
            {bas::stock, b.stockPrevious},
            {bas::receivables, b.receivablesPrevious + b.receivablesPreviousVat},
            {bas::bankLoans, -b.loansCarried[LoanBank]},
            {bas::otherLoans, -(b.loansCarried[LoanOwner] + b.loansCarried[LoanOther])},
            {bas::payables, -(b.payablesPrevious + b.payablesPreviousVat)},
            {carriedVatAccount, -vatOpen}};
}

SieCompany companyOf(const CompanyDetails& c, const QString& orgNumber) {
    const auto line = [&c](int n) { return c.lines[size_t(n - 1)]; };
    SieCompany s;
    s.orgNumber = orgNumber;
    s.name = line(1);
    s.contact = line(5);
    s.street = line(2);
    s.postalAddress = (line(3) + u' ' + line(4)).trimmed();
    s.phone = line(6);
    return s;
}

QString verificationText(const DayBookEntry& e) {
    if (e.kind == DayBookEntry::Kind::Transfer) return u("Överföring mellan konton");
    return e.counterparty.isEmpty() ? e.type->name : e.type->name + u(", ") + e.counterparty;
}

} // namespace

SieBuild buildSieBooks(const PathTable& paths, const Settings& settings,
                       const CompanyDetails& company, const QString& programVersion,
                       const QString& today) {
    SieBuild out;
    const std::optional<QString> orgNumber = companyOrgNumber(company);
    if (!orgNumber) {
        out.message = xmsg::orgNumberMissing();
        return out;
    }
    const DayBookRead day = readDayBook(storedText(paths.dayBook));
    if (!day.ok) {
        out.message = day.message;
        return out;
    }
    const ClosingFigures f = closingFigures(paths, settings);
    const MoneySlots money = loadMoneySlots(paths);
    if (auto refusal = booksDisagreement(paths, f.books, day.entries, money)) {
        out.message = *refusal;
        return out;
    }

    SieBooks& books = out.books;
    books.year = paths.year;
    books.company = companyOf(company, *orgNumber);
    books.programVersion = programVersion;
    books.generated = compactDate(today);

    Balances movements;
    std::set<int> touched;
    for (const DayBookEntry& e : day.entries) {
        SieVerification v;
        if (auto refusal = verificationRows(e, money, v.rows)) {
            out.message = *refusal;
            return out;
        }
        if (v.rows.empty()) continue;
        v.series = QStringLiteral("A");
        v.number = e.number;
        v.date = compactDate(e.eventDate);
        v.registered = compactDate(e.bookingDate);
        v.text = verificationText(e);
        books.verifications.push_back(std::move(v));
    }
    ClosingVerifications closing(paths.year);
    addClosingVerifications(f, vatResidual(f.books, dayBookVat(day.entries)), closing);
    for (SieVerification& v : closing.list())
        books.verifications.push_back(std::move(v));
    for (const SieVerification& v : books.verifications)
        for (const SieRow& r : v.rows) {
            movements[r.account] += r.amount;
            touched.insert(r.account);
        }

    Balances opening = openingBalances(f.books, day.entries);
    for (int slot = 1; slot <= 6; ++slot) {
        const int number = moneyAccountNumber(slot);
        opening[number] = money.balances[size_t(slot - 1)] - movements[number];
    }
    Amount others;
    for (const auto& [number, amount] : opening)
        others += amount;
    opening[bas::equity] = -others;

    for (const BasAccount& a : basAccounts()) {
        const Amount moved = movements[a.number];
        const Amount open = opening[a.number];
        SieAccount s;
        s.number = a.number;
        s.name = u(a.name);
        s.kind = a.kind;
        s.sru = sruCodeOfBox(u(a.box));
        bool namedMoney = false;
        for (int slot = 1; slot <= 6; ++slot) {
            const QString name = money.names[size_t(slot - 1)].trimmed();
            if (moneyAccountNumber(slot) != a.number || name.size() <= 1) continue;
            namedMoney = true;
            s.name = name;
        }
        const bool used = touched.count(a.number) > 0;
        if (isBalanceAccount(a.kind)) {
            s.opening = open;
            s.closing = open + moved;
            if (!namedMoney && !used && s.opening.isZero()) continue;
        } else {
            s.result = moved;
            if (!used) continue;
        }
        books.accounts.push_back(s);
    }
    out.ok = true;
    return out;
}

QString sieFileName(const QString& orgNumber, const QString& year) {
    return orgNumber + u'_' + year + QStringLiteral(".se");
}

} // namespace mv
