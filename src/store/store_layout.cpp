#include "store/store_layout.h"

#include "store/paths.h"
#include "store/record_file.h"

namespace mv {

QStringList drive::updateLeftovers() {
    return {QStringLiteral("senasteversion.txt"), QStringLiteral("versionandring.txt"),
            QStringLiteral("MerVallaKopia.bat"), QStringLiteral("mervallaInstall.exe"),
            QStringLiteral("INSTALL.bat")};
}

QStringList closingValueNames() {
    return {QStringLiteral("Kundfordringar"),
            QStringLiteral("KundfordringarLista"),
            QStringLiteral("KundfordringarMoms"),
            QStringLiteral("Leverantorsskulder"),
            QStringLiteral("LeverantorsskulderLista"),
            QStringLiteral("LeverantorsskulderMoms"),
            QStringLiteral("fga_Kundfordringar"),
            QStringLiteral("fga_Kundfordringar_Moms"),
            QStringLiteral("fga_Leverantorsskulder"),
            QStringLiteral("fga_Leverantorsskulder_Moms"),
            QStringLiteral("fga_ing_balans"),
            QStringLiteral("fga_inventarievarde"),
            QStringLiteral("fga_inventering_varde"),
            QStringLiteral("fga_moms_skillnad"),
            QStringLiteral("inventarielista_avskr"),
            QStringLiteral("inventarier"),
            QStringLiteral("inventarier_varde_eft_avskr"),
            QStringLiteral("inventering"),
            QStringLiteral("inventering_datum"),
            QStringLiteral("inventering_varde"),
            QStringLiteral("utg_balans"),
            QStringLiteral("varulager_avskrivet"),
            QStringLiteral("varulager_varde_eft_avskr")};
}

namespace {
QString in(const QString& year, const char* suffix) {
    return normalizePath(year + QString::fromUtf8(suffix));
}
QString bok(const QString& year, const QString& name) {
    return normalizePath(year + QStringLiteral("/bokforing/") + name);
}
} // namespace

PathTable buildPathTable(const QString& year) {
    PathTable p;
    p.year = year;
    p.yearDir = normalizePath(year);
    p.bokforingDir = in(year, "/bokforing");
    p.fskDir = in(year, "/bokforing/fsk");
    p.fakturorDir = in(year, "/fakturor");
    p.foretagetDir = in(year, "/foretaget");
    p.fritextDir = in(year, "/fritext");
    p.kontolistorDir = in(year, "/kontolistor");
    p.kunderDir = in(year, "/kunder");
    p.leverantorerDir = in(year, "/leverantorer");

    p.inVerifications = in(year, "/bokforing/__in_verifikation.kdb");
    p.outVerifications = in(year, "/bokforing/__ut_verifikation.kdb");
    p.transferVerifications = in(year, "/bokforing/__kassa_verifikation.kdb");
    p.verCounter = in(year, "/bokforing/_ver.kdb");
    p.dayBook = in(year, "/bokforing/_dagbok.kdb");
    p.cashBook = in(year, "/bokforing/_kassabok.kdb");
    p.dayBookDate = in(year, "/bokforing/_dat.kdb");
    p.cash = in(year, "/bokforing/konto_kassa.kdb");
    p.rounding = in(year, "/bokforing/konto_Oresutjamning.kdb");

    p.closingBasis = in(year, "/bokforing/bokslut_underlag.kdb");
    p.ledgerReport = in(year, "/bokforing/_huvudbok.kdb");
    p.balanceReport = in(year, "/bokforing/_balansbok.kdb");
    p.resultReport = in(year, "/bokforing/_resultatbok.kdb");
    p.ownerInfoReport = in(year, "/bokforing/_agarinfoboken.kdb");
    p.lockMark = in(year, "/bokforing/_status.kdb");
    p.stamp = in(year, "/bokforing/__A_tidsstampel.kdb");
    p.shutdownMark = in(year, "/bokforing/__A_avstangkontroll.kdb");

    p.invoiceCounter = in(year, "/fakturor/_faknr.kdb");
    p.invoicesCreated = in(year, "/fakturor/_skapat.kdb");
    p.invoiceTemplate = in(year, "/fakturor/__tom .kdb");
    p.articleRegister = in(year, "/fakturor/FakturaArtikelRegister.kdb");

    p.company = in(year, "/foretaget/foretaget.kdb");
    p.settings = in(year, "/foretaget/installningar.kdb");
    p.backupPaths = in(year, "/foretaget/kopiering.kdb");
    p.invoiceTexts = in(year, "/foretaget/faktura.kdb");

    p.incomeFreeTexts = in(year, "/fritext/_inkfritext.kdb");
    p.expenseFreeTexts = in(year, "/fritext/_utgfritext.kdb");
    p.incomeAccountList = in(year, "/kontolistor/konton_lista_Mervalla_Inkomst_1.kdb");
    p.expenseAccountList = in(year, "/kontolistor/konton_lista_Mervalla_Utgift_1.kdb");
    p.customerList = in(year, "/kunder/_kunder.kdb");
    p.supplierList = in(year, "/leverantorer/_leverantorer.kdb");
    return p;
}

QString PathTable::account(const QString& accountName) const {
    return bok(year, QStringLiteral("konto_") + accountName + QStringLiteral(".kdb"));
}
QString PathTable::outputVat(int rate) const {
    return bok(year, QStringLiteral("konto_moms_inkomst_%1.kdb").arg(rate));
}
QString PathTable::reverseVat(int rate) const {
    return bok(year, QStringLiteral("konto_moms_omvand_%1.kdb").arg(rate));
}
QString PathTable::inputVat(int rate) const {
    return bok(year, QStringLiteral("konto_moms_utgift_%1.kdb").arg(rate));
}
QString PathTable::moneyAccountName(int n) const {
    return bok(year, QStringLiteral("konto_fordkonto_%1.kdb").arg(n));
}
QString PathTable::moneyAccountAmount(int n) const {
    return bok(year, QStringLiteral("konto_fordbelopp_%1.kdb").arg(n));
}
QString PathTable::loanCarried(const QString& loanAccount) const {
    return bok(year, QStringLiteral("konto_") + loanAccount + QStringLiteral("_fga_summa.kdb"));
}
QString PathTable::closing(const QString& name) const {
    return bok(year, QStringLiteral("bokslut_") + name + QStringLiteral(".kdb"));
}
QString PathTable::secondCopy(const QString& fileName) const {
    return joinPath(fskDir, fileName);
}
QString PathTable::invoice(const QString& invoiceName) const {
    return joinPath(fakturorDir, invoiceName + QStringLiteral(".kdb"));
}
QString PathTable::customer(const QString& name) const {
    return joinPath(kunderDir, name + QStringLiteral(".kdb"));
}
QString PathTable::supplier(const QString& name) const {
    return joinPath(leverantorerDir, name + QStringLiteral(".kdb"));
}

const QStringList& incomeAccounts() {
    static const QStringList list = {
        QStringLiteral("Inkomst, Arbete och Tjänst"),
        QStringLiteral("Inkomst, Varor o material"),
        QStringLiteral("Inkomst, Annat"),
        QStringLiteral("Inkomst, Omvänd moms"),
        QStringLiteral("Inkomst, Momsfritt"),
        QStringLiteral("Inkomst, Räntor"),
        QStringLiteral("Inkomst, Inventarier"),
        QStringLiteral("Inlåning, Från bank"),
        QStringLiteral("Inlåning, Från ägaren"),
        QStringLiteral("Inlåning, Från annan"),
        QStringLiteral("Justering, Utbokning momstillgång"),
        QStringLiteral("Bokslut, Kundfordringar"),
    };
    return list;
}

const QStringList& expenseAccounts() {
    static const QStringList list = {
        QStringLiteral("Utgift, Varor o material"),
        QStringLiteral("Utgift, Arbete och Tjänst"),
        QStringLiteral("Utgift, Annat"),
        QStringLiteral("Utgift, Omvänd moms"),
        QStringLiteral("Utgift, Momsfritt"),
        QStringLiteral("Utgift, Räntor (på lån, krediter mm)"),
        QStringLiteral("Utgift, Inventarier"),
        QStringLiteral("Utgift, Inventarier (med avskr)"),
        QStringLiteral("Utgift, Inventarier Utbokat"),
        QStringLiteral("Utgift, Uttag för egen lön"),
        QStringLiteral("Utgift, Uttag för egen skatt"),
        QStringLiteral("Utgift, Betalning av Inlåning, Från bank"),
        QStringLiteral("Utgift, Betalning av Inlåning, Från ägaren"),
        QStringLiteral("Utgift, Betalning av Inlåning, Från annan"),
        QStringLiteral("Justering, Utbokning momsskuld"),
        QStringLiteral("Bokslut, Leverantörsskulder"),
    };
    return list;
}

const QStringList& defaultMoneyAccountNames() {
    static const QStringList list = {QStringLiteral("Kontantkassa"), QStringLiteral("PlusGiro"),
                                     QStringLiteral("BankGiro"),     QStringLiteral("Banken 1"),
                                     QStringLiteral("Banken 2"),     QStringLiteral("Banken 3")};
    return list;
}

namespace {
int writeList(const QString& path, const QStringList& names) {
    // The whole list in one atomic write; the same bytes as emptying the file
    // and appending each name.
    return writeText(path, names.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}
} // namespace

int writeAccountLists(const QString& year) {
    const PathTable p = buildPathTable(year);
    const int rc = writeList(p.incomeAccountList, incomeAccounts());
    if (rc != 0) return rc;
    return writeList(p.expenseAccountList, expenseAccounts());
}

int ensureRoundingAccount(const PathTable& paths) {
    QString text;
    if (readWhole(paths.rounding, text) != 2) return 0;
    return writeText(paths.rounding, QStringLiteral("0.00\n"));
}

bool isYearText(const QString& text) {
    if (text.size() != 4 || text[0] != u'2') return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

} // namespace mv
