#include "interchange/sie_import.h"

#include "interchange/code_pages.h"
#include "interchange/interchange_messages.h"
#include "invoicing/identity_numbers.h"

#include <QDate>
#include <QFile>

#include <map>
#include <optional>

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// The fields of a record line: blank-separated, a quoted field with "\"" for
// a quote inside it, an object list in braces as one field.
std::optional<QStringList> fieldsOf(const QString& line) {
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && line[i].isSpace())
            ++i;
        if (i >= n) break;
        QString field;
        if (line[i] == u'"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == u'\\' && i + 1 < n) {
                    field += line[i + 1];
                    i += 2;
                } else if (line[i] == u'"') {
                    ++i;
                    closed = true;
                    break;
                } else {
                    field += line[i++];
                }
            }
            if (!closed) return std::nullopt;
        } else if (line[i] == u'{') {
            const qsizetype end = line.indexOf(u'}', i);
            if (end < 0) return std::nullopt;
            field = line.mid(i, end - i + 1);
            i = end + 1;
        } else {
            while (i < n && !line[i].isSpace())
                field += line[i++];
        }
        fields << field;
    }
    return fields;
}

struct Year {
    QDate start, end;
};

struct Parsed {
    QString type, orgNumber, company;
    std::map<int, Year> years;                        // #RAR by year index
    std::map<int, std::map<int, Amount>> ib, ub, res; // year index -> account -> amount
    std::map<int, QString> names;                     // #KONTO
};

QString digitsOf(const QString& text) {
    QString d;
    for (QChar c : text)
        if (c.isDigit()) d += c;
    return d;
}

std::optional<Amount> amountOf(const QString& text) {
    return Amount::parseStrict(text);
}

// Reads the records the opening balance needs, checking every verification.
std::optional<Message> parse(const QString& text, Parsed& p) {
    const QStringList lines = text.split(u'\n');
    bool inVerification = false;
    QString series, number;
    Amount sum;
    int last = 0; // the last line that is not empty
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty()) continue;
        last = i;
        const auto bad = [&] { return xmsg::sieBadLine(i + 1, lines[i]); };
        if (line == u("{")) continue;
        if (line == u("}")) {
            if (inVerification && !sum.isZero())
                return xmsg::sieVerificationUnbalanced(series, number, sum);
            inVerification = false;
            continue;
        }
        const std::optional<QStringList> f = fieldsOf(line);
        if (!f || f->isEmpty()) return bad();
        const QString& label = f->at(0);
        const auto field = [&f](int k) { return k < f->size() ? f->at(k) : QString(); };
        if (label == u("#SIETYP")) {
            p.type = field(1);
        } else if (label == u("#ORGNR")) {
            p.orgNumber = field(1);
        } else if (label == u("#FNAMN")) {
            p.company = field(1);
        } else if (label == u("#KONTO")) {
            p.names[field(1).toInt()] = field(2);
        } else if (label == u("#RAR")) {
            const QDate start = QDate::fromString(field(2), QStringLiteral("yyyyMMdd"));
            const QDate end = QDate::fromString(field(3), QStringLiteral("yyyyMMdd"));
            if (!start.isValid() || !end.isValid()) return bad();
            p.years[field(1).toInt()] = {start, end};
        } else if (label == u("#IB") || label == u("#UB") || label == u("#RES")) {
            bool yearOk = false, accountOk = false;
            const int year = field(1).toInt(&yearOk);
            const int account = field(2).toInt(&accountOk);
            const std::optional<Amount> amount = amountOf(field(3));
            if (!yearOk || !accountOk || !amount) return bad();
            auto& table = label == u("#IB") ? p.ib : label == u("#UB") ? p.ub : p.res;
            table[year][account] += *amount;
        } else if (label == u("#VER")) {
            if (inVerification) return bad(); // the one before was never closed
            inVerification = true;
            series = field(1);
            number = field(2);
            sum = Amount();
        } else if (label == u("#TRANS")) {
            const std::optional<Amount> amount = amountOf(field(3));
            if (!inVerification || !amount || !field(2).startsWith(u'{')) return bad();
            sum += *amount;
        }
    }
    // A file that ends inside a verification was cut short.
    if (inVerification) return xmsg::sieBadLine(last + 1, lines[last]);
    return std::nullopt;
}

Amount sumOf(const std::map<int, Amount>& m) {
    Amount s;
    for (const auto& [account, amount] : m)
        s += amount;
    return s;
}

// Groups the balances of the balance accounts into the registration's rows.
SieOpeningBalance grouped(const std::map<int, Amount>& balances, const Parsed& p) {
    SieOpeningBalance b;
    b.companyName = p.company;
    for (const auto& [account, amount] : balances) {
        if (amount.isZero()) continue;
        if (account >= 1200 && account <= 1299)
            b.equipment += amount;
        else if (account >= 1400 && account <= 1499)
            b.stock += amount;
        else if (account >= 1500 && account <= 1599)
            b.receivables += amount;
        else if (account >= 1900 && account <= 1999)
            b.cash += amount;
        else if (account >= 2000 && account <= 2099)
            continue; // the equity: computed by the registration
        else if (account >= 2300 && account <= 2419)
            b.loans -= amount;
        else if (account >= 2440 && account <= 2449)
            b.payables -= amount;
        else if ((account >= 2600 && account <= 2699) || account == 1650)
            b.vatDifference -= amount;
        else {
            const auto name = p.names.find(account);
            b.unplaced.push_back(
                {account, name == p.names.end() ? QString() : name->second, amount});
        }
    }
    return b;
}

} // namespace

SieImport readSieOpeningBalance(const QByteArray& bytes, const QString& orgNumber,
                                const QString& year) {
    SieImport out;
    Parsed p;
    if (const std::optional<Message> refusal = parse(decodeCp437(bytes), p)) {
        out.message = *refusal;
        return out;
    }
    if (p.type != u("4")) {
        out.message = xmsg::sieNotType4();
        return out;
    }
    const QString theirs = digitsOf(p.orgNumber).right(10);
    if (theirs.size() != 10) {
        out.message = xmsg::sieNoOrgNumber();
        return out;
    }
    if (theirs != orgNumber) {
        out.message =
            xmsg::sieOtherOrgNumber(hyphenatedNumber(theirs), hyphenatedNumber(orgNumber));
        return out;
    }

    // The closing balance of the year before ours, or our year's opening.
    const QDate first(year.toInt(), 1, 1);
    const std::map<int, Amount>* balances = nullptr;
    const std::map<int, Amount>* result = nullptr;
    const auto pick = [&](const std::map<int, std::map<int, Amount>>& table, int index) {
        const auto it = table.find(index);
        return it == table.end() ? nullptr : &it->second;
    };
    if (p.years.empty()) {
        balances = pick(p.ub, 0);
        result = pick(p.res, 0);
        if (!balances) balances = pick(p.ib, 0);
    } else {
        bool ourYearFound = false;
        for (const auto& [index, y] : p.years) {
            if (y.end == first.addDays(-1)) {
                ourYearFound = true;
                balances = pick(p.ub, index);
                result = pick(p.res, index);
            }
        }
        for (const auto& [index, y] : p.years)
            if (!balances && y.start == first) {
                ourYearFound = true;
                balances = pick(p.ib, index);
                result = nullptr;
            }
        if (!ourYearFound) {
            out.message = xmsg::sieWrongYear(year);
            return out;
        }
    }
    if (!balances) {
        out.message = xmsg::sieNoBalance(year);
        return out;
    }
    // A closing balance adds up to zero with the year's result, unless the
    // result is already moved to the equity.
    const Amount sum = sumOf(*balances);
    const Amount withResult = sum + (result ? sumOf(*result) : Amount());
    if (!sum.isZero() && !withResult.isZero()) {
        out.message = xmsg::sieUnbalanced(withResult);
        return out;
    }
    out.balance = grouped(*balances, p);
    out.ok = true;
    return out;
}

SieImport readSieOpeningBalanceFile(const QString& path, const QString& orgNumber,
                                    const QString& year) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SieImport out;
        out.message = xmsg::sieUnreadable(path);
        return out;
    }
    return readSieOpeningBalance(file.readAll(), orgNumber, year);
}

QString openingBalanceSummary(const SieOpeningBalance& b) {
    QString t = u("Ingående balans enligt filen:\n\n");
    const auto row = [&t](const char* label, Amount a) {
        t += u(label) + u(": ") + a.toText() + u'\n';
    };
    row("Kassa, Bank mm", b.cash);
    row("Inventarier", b.equipment);
    row("Varulager", b.stock);
    row("Kundfordringar", b.receivables);
    row("Leverantörsskulder", b.payables);
    row("Företagets inlåning", b.loans);
    row("Momsskillnad", b.vatDifference);
    if (!b.unplaced.empty()) {
        t += u("\nKonton som saknar rad och räknas in i eget kapital:\n");
        for (const SieOpeningBalance::Unplaced& x : b.unplaced)
            t += QString::number(x.account) + u' ' + x.name + u(": ") + x.amount.toText() + u'\n';
    }
    return t;
}

} // namespace mv
