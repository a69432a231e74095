#include "booking/verification_text.h"

#include "store/text_util.h"

#include <optional>

namespace mv {

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// One field line: the 20-character label, a blank and the value ("-" when empty).
QString fieldLine(const char* label, const QString& value) {
    return u(label) + u(" ") + (value.isEmpty() ? u("-") : value) + u("\n");
}

QString underscores(int n) { return QString(n, u'_'); }

} // namespace

QString listHead(ListKind kind) {
    const char* title = kind == ListKind::Income    ? "INKOMST VERIFIKATIONER"
                        : kind == ListKind::Expense ? "UTGIFT VERIFIKATIONER"
                                                    : "KASSA VERIFIKATIONER";
    return u(title) + u("\n") + underscores(86) + u("\n\n");
}

QString dayBookHead(const QString& year) {
    return u("DAGBOK  ") + year + u("\n") + underscores(86) + u("\n") +
           u("Dagboken listar alla transaktioner datummässigt under året.\n") + u("\n\n\n\n");
}

QString cashBookHead() {
    return u("KASSABOK\n") + underscores(91) + u("\n") +
           u(" Ver   Datum      Transaktionstyp                                  Belopp         Kassa\n") +
           underscores(91) + u("\n");
}

QString withHead(const QString& existing, const QString& head) {
    return existing.size() < 5 ? head : existing;
}

QString aligned(const QString& label, const QString& value, int width) {
    QString piece;
    // A label and an amount too long for the column keep one blank between
    // them, so the line still reads as a name and an amount.
    if (!label.isEmpty() && !label.endsWith(u' ') && label.size() + value.size() >= width - 1)
        return label + u' ' + value;
    padAppend(piece, label, value, width);
    return piece;
}

QString blockDivider() { return QString(60, u'-') + u("\n"); }

QString blockEnd() { return blockDivider() + u("\n\n"); }

QString placedOnLine(const QString& accountName, Amount amount) {
    return u("Boka mot ") + aligned(accountName, amount.toText(), 46) + u("\n");
}

QString bookingBlock(const Booking& b, int number, bool dayBook, const QString& accountName) {
    QString t = blockHead(b, number, dayBook);
    t += aligned(b.type->blockLabel, b.net.toText(), 41) + u("\n");
    if (b.type->rateRequired)
        t += aligned(u("Momskonto ") + b.rateText, b.vat.toText(), 41) + u("\n");
    if (b.type->reverseCharge)
        t += aligned(u("Momskonto ") + b.rateText + u(" Omvänd utgående"), (-b.vat).toText(), 41) +
             u("\n");
    if (!b.ore.isZero()) t += aligned(u("Öresutjämning "), b.ore.toText(), 41) + u("\n");
    t += placedOnLine(accountName, b.total);
    t += blockEnd();
    return t;
}

QString cashBookStart(const Booking& b, int number) {
    const QString sign = b.side == Side::Income ? u("+") : u("-");
    return aligned(QString(), QString::number(number), 7) + aligned(QString(), b.eventDate, 12) +
           u(" ") + aligned(b.type->name, sign, 47);
}

QString cashBookLine(const Booking& b, int number, Amount cashTotalAfter) {
    return cashBookStart(b, number) + aligned(QString(), b.total.toText(), 13) +
           aligned(u(" ="), cashTotalAfter.toText(), 15) + u("\n");
}

QString blockHead(const Booking& b, int number, bool dayBook) {
    const bool expense = b.side == Side::Expense;
    QString t;
    t += u("Verifikat          = ") + QString::number(number) + u("\n");
    t += u("Bokförings Datum   = ") + b.bookingDate + u("\n");
    t += u("Händelse Datum     = ") + b.eventDate + u("\n");
    t += fieldLine("Faktura/Ref        =", b.reference);
    t += fieldLine("Konto              =", b.type->name);
    t += fieldLine(expense && !dayBook ? "Till               =" : "Från               =", b.name);
    t += fieldLine("Gata               =", b.street);
    t += fieldLine("Postnr             =", b.postcode);
    t += fieldLine("Ort                =", b.town);
    t += fieldLine("Fritext            =", b.freeText);
    t += fieldLine("Moms sats          =", b.rateText);
    t += u("                   =\n");
    t += u("Konton                           Belopp        Balans\n");
    t += blockDivider();
    return t;
}

namespace {
QString cashBlock(int number, const QString& date, const std::optional<Amount>& imported,
                  const TransferLines& t) {
    QString s;
    s += u("Verifikat          = ") + QString::number(number) + u("\n");
    s += u("Datum              = ") + date + u("\n");
    s += u("                   = \n");
    s += imported ? u("Transaktion        = Bokning av importerad kassa\n")
                  : u("Transaktion        = Överföring mellan konton\n");
    s += u("                   = \n");
    s += u("Konton                           Belopp        Balans\n");
    s += blockDivider();
    if (imported) s += aligned(u("Boka från importerad kassa"), imported->toText(), 40) + u("\n");
    for (size_t i = 0; i < 6; ++i) {
        const Amount change = t.after[i] - t.before[i];
        if (change.isZero()) continue;
        if (change < Amount())
            s += u("Boka från ") + aligned(t.names[i], u(" ") + (-change).toText(), 31) + u("\n");
        else
            s += u("Boka mot  ") + aligned(t.names[i], change.toText(), 45) + u("\n");
    }
    s += blockEnd();
    return s;
}
} // namespace

QString transferBlock(int number, const QString& date, const TransferLines& t) {
    return cashBlock(number, date, std::nullopt, t);
}

QString importedCashBlock(int number, const QString& date, Amount imported, const TransferLines& t) {
    return cashBlock(number, date, imported, t);
}

QString importedCashBookLine(int number, const QString& date, Amount imported, Amount cashTotal) {
    return aligned(QString(), QString::number(number), 7) + u(" ") + date +
           aligned(u(" Bokning av importerad kassa                  +"), imported.toText(), 60) + u(" =") +
           aligned(QString(), cashTotal.toText(), 12) + u("\n");
}

QString transferCashBookLine(int number, const QString& date, Amount cashTotal) {
    return aligned(QString(), QString::number(number), 7) + u(" ") + date +
           u(" Kontofördelning, Kassan förändras inte                      ") +
           aligned(u("="), cashTotal.toText(), 13) + u("\n");
}

} // namespace mv
