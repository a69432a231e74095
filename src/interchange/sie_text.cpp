// The SIE 4 file's records, in the order the format describes them: the
// identification, the chart of accounts, the balances, the verifications.
#include "interchange/code_pages.h"
#include "interchange/sie_export.h"
#include "invoicing/identity_numbers.h"

namespace mv {

namespace {

// A text field: in quotes, a quote inside it after a backslash.
QString quoted(const QString& text) {
    QString t = text;
    t.replace(u'"', QStringLiteral("\\\""));
    return u'"' + t + u'"';
}

class Records {
  public:
    void add(const QString& label, const QStringList& fields) {
        text_ += u'#' + label;
        for (const QString& f : fields)
            text_ += u' ' + f;
        text_ += u'\n';
    }
    void raw(const QString& line) { text_ += line + u'\n'; }
    const QString& text() const { return text_; }

  private:
    QString text_;
};

} // namespace

QString sieText(const SieBooks& b) {
    Records r;
    const auto n = [](int v, int base) { return QString::number(v, base); };
    r.add(QStringLiteral("FLAGGA"), {QStringLiteral("0")});
    r.add(QStringLiteral("PROGRAM"),
          {quoted(QStringLiteral("MerValla")), quoted(b.programVersion)});
    r.add(QStringLiteral("FORMAT"), {QStringLiteral("PC8")});
    r.add(QStringLiteral("GEN"), {b.generated});
    r.add(QStringLiteral("SIETYP"), {QStringLiteral("4")});
    r.add(QStringLiteral("ORGNR"), {hyphenatedNumber(b.company.orgNumber)});
    r.add(QStringLiteral("ADRESS"), {quoted(b.company.contact), quoted(b.company.street),
                                     quoted(b.company.postalAddress), quoted(b.company.phone)});
    r.add(QStringLiteral("FNAMN"), {quoted(b.company.name)});
    r.add(QStringLiteral("RAR"),
          {QStringLiteral("0"), b.year + QStringLiteral("0101"), b.year + QStringLiteral("1231")});
    r.add(QStringLiteral("KPTYP"), {QStringLiteral("EUBAS97")});

    for (const SieAccount& a : b.accounts)
        r.add(QStringLiteral("KONTO"), {n(a.number, 10), quoted(a.name)});
    for (const SieAccount& a : b.accounts)
        r.add(QStringLiteral("KTYP"), {n(a.number, 10), accountKindCode(a.kind)});
    for (const SieAccount& a : b.accounts)
        if (a.sru != 0) r.add(QStringLiteral("SRU"), {n(a.number, 10), n(a.sru, 10)});

    for (const SieAccount& a : b.accounts)
        if (isBalanceAccount(a.kind))
            r.add(QStringLiteral("IB"), {QStringLiteral("0"), n(a.number, 10), a.opening.toText()});
    for (const SieAccount& a : b.accounts)
        if (isBalanceAccount(a.kind))
            r.add(QStringLiteral("UB"), {QStringLiteral("0"), n(a.number, 10), a.closing.toText()});
    for (const SieAccount& a : b.accounts)
        if (!isBalanceAccount(a.kind))
            r.add(QStringLiteral("RES"), {QStringLiteral("0"), n(a.number, 10), a.result.toText()});

    for (const SieVerification& v : b.verifications) {
        QStringList fields = {v.series, n(v.number, 10), v.date, quoted(v.text)};
        if (!v.registered.isEmpty()) fields << v.registered;
        r.add(QStringLiteral("VER"), fields);
        r.raw(QStringLiteral("{"));
        for (const SieRow& row : v.rows)
            r.add(QStringLiteral("TRANS"),
                  {n(row.account, 10), QStringLiteral("{}"), row.amount.toText()});
        r.raw(QStringLiteral("}"));
    }
    return r.text();
}

QByteArray sieFileBytes(const SieBooks& books) {
    return encodeCp437(sieText(books));
}

} // namespace mv
