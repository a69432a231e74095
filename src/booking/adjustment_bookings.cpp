#include "booking/adjustment_bookings.h"

#include "booking/booking_commit.h"
#include "booking/verification_text.h"

namespace mv {

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

Message make(const char* title, const QString& text, const char* icon) {
    Message m;
    m.title = u(title);
    m.text = text;
    m.icon = u(icon);
    m.buttons = QStringLiteral("OK");
    return m;
}

QString padTo(const QString& text, int width) {
    return text.size() >= width ? text : text + QString(width - text.size(), u' ');
}

BooksCheck refused(Message m, Message help = Message()) {
    BooksCheck c;
    c.ok = false;
    c.message = std::move(m);
    c.help = std::move(help);
    return c;
}

QString carriedDifferencePath(const PathTable& paths) { return paths.closing(u("fga_moms_skillnad")); }
QString assetListPath(const PathTable& paths) { return paths.closing(u("inventarielista_avskr")); }

} // namespace

namespace msg {
Message nothingToWriteOff() {
    return make("Dr. Hjälp", u("Det finns varken mostillgång eller momsskuld att boka ut!!"), "INFORMATION");
}
Message noVatAsset(Amount debt) {
    return make("Dr. Hjälp",
                u("Det finns ingen momstillgång!\n\nDet finns ") + debt.toText() +
                    u(" i momsskuld att boka bort genom:\n\n' Justering, Utbokning momsskuld ' under "
                      "knappen 'Utgift'"),
                "INFORMATION");
}
Message noVatDebt(Amount asset) {
    return make("Dr. Hjälp",
                u("Det finns ingen momsskuld!\n\nDet finns ") + asset.toText() +
                    u(" i momstillgång att boka bort genom:\n\n' Justering, Utbokning momstillgång ' "
                      "under knappen 'Inkomst'\n\n"),
                "INFORMATION");
}
Message writeOffIsDebt() {
    return make("Dr. Hjälp",
                u("Det som skall bokas ut är en momsskuld till staten.\nMomsutbokingen skall då ske vid  "
                  "'Bokföra utgift' och med kontot\n'Justering, Utbokning momsskuld'"),
                "INFORMATION");
}
Message writeOffIsAsset() {
    return make("MEDDELANDE",
                u("Det som skall bokas ut är en momstillgång.\nMomsutbokingen skall då ske vid  "
                  "'Bokföra inkomst' och med kontot\n'Justering, Utbokning momstillgång'.\n\n"),
                "INFORMATION");
}
Message writeOffTooLarge(Amount available) {
    return make("MEDDELANDE",
                u("Beloppet är större än det som finns att boka ut!\n\nDet finns ") + available.toText() +
                    u(" att boka ut.\n\n"),
                "EXCLAMATION");
}
Message saleBelowZero(Amount after) {
    return make("MEDDELANDE",
                after.toText() +
                    u("kr i saldot skulle det bli efter försäljning för kontot!\nSaldot för kontot får ej "
                      "bli minus, transaktionen avbryts!\n\n"),
                "INFORMATION");
}
Message saleHelp(Amount value) {
    return make("Dr. Hjälp",
                u("När det blir minus vid försäljninmg av inventarier\nKan det bero på:\n\n"
                  "   Det har sålts eller bokats ut för mycket tidigare.\n"
                  "   Kan bero på en felräkning.\n"
                  "   = Sälj till ") +
                    value.toText() +
                    u("  kr mot konto  'inkomst, Inventarier' och resten mot\n"
                      "   konto 'Inkomst, annat'. Inget mer finns att boka ut!\n\n"),
                "INFORMATION");
}
Message assetWriteOffBelowZero(Amount after) {
    return make("MEDDELANDE",
                after.toText() + u("kr i saldot skulle det bli efter utbokning!\n\nSaldot får ej bli "
                                   "minus, transaktionen avbryts!\n\n"),
                "STOP");
}
Message assetWriteOffHelp() {
    return make("Dr. Hjälp",
                u("När det blir minus vid utbokning av inventariesaldot\n"
                  "Kan det bero på 2 saker:\n\n"
                  "1. Det har sålts inventarier med förlust och skall boka\n"
                  "   ut förlusten mot 'Utgift, Inventering Utbokat'.\n"
                  "   Troligtvis är det i så fall felräknat nu eller tidigare.\n"
                  "   = Räkna om och boka ut rätt eller boka ut mindre!\n\n"
                  "2. Det har bokats ut för mycket skrotade inventarier.\n"
                  "   Troligtvis har det bokats ut inventarier tidigare\n"
                  "   eller så är det felräknat.\n"
                  "   = Räkna om och boka ut rätt eller boka ut mindre!\n\n\n"),
                "INFORMATION");
}
Message reversalTooLarge() {
    return make("MEDDELANDE",
                u("Detta belopp är för mycket att radera!\n\nUndersök verifikatet som skall raderas\nför "
                  "att få rätt belopp!"),
                "STOP");
}
Message assetWriteOffBooked() {
    return make("MEDDELANDE", u("Transaktionen bokades automatiskt\nmot Inventariekontot!\n\n"), "INFORMATION");
}
} // namespace msg

Amount carriedVatDifference(const PathTable& paths) {
    return readAmountFile(carriedDifferencePath(paths));
}

Amount assetValue(const PathTable& paths) {
    return readAmountFile(paths.closing(u("fga_inventarievarde"))) +
           readAmountFile(paths.account(u("Utgift, Inventarier (med avskr)"))) -
           readAmountFile(paths.account(u("Utgift, Inventarier Utbokat"))) -
           readAmountFile(paths.account(u("Inkomst, Inventarier")));
}

BooksCheck checkAgainstBooks(const PathTable& paths, const Booking& b) {
    switch (b.type->special) {
    case SpecialKind::AssetSale: {
        const Amount value = assetValue(paths);
        if (value - b.net < Amount()) return refused(msg::saleBelowZero(value - b.net), msg::saleHelp(value));
        break;
    }
    case SpecialKind::AssetWriteOff: {
        if (b.net < Amount()) {
            if (b.net + readAmountFile(paths.account(b.type->name)) < Amount())
                return refused(msg::reversalTooLarge());
            break;
        }
        const Amount value = assetValue(paths);
        if (value - b.net < Amount())
            return refused(msg::assetWriteOffBelowZero(value - b.net), msg::assetWriteOffHelp());
        break;
    }
    case SpecialKind::VatAssetWriteOff: {
        const Amount d = carriedVatDifference(paths);
        if (d.isZero()) return refused(msg::nothingToWriteOff());
        if (d > Amount()) return refused(msg::writeOffIsDebt());
        const Amount after = d + b.total;
        if (after > Amount() || after < d) return refused(msg::writeOffTooLarge(-d));
        break;
    }
    case SpecialKind::VatDebtWriteOff: {
        const Amount d = carriedVatDifference(paths);
        if (d.isZero()) return refused(msg::nothingToWriteOff());
        if (d < Amount()) return refused(msg::writeOffIsAsset());
        const Amount after = d - b.total;
        if (after < Amount() || after > d) return refused(msg::writeOffTooLarge(d));
        break;
    }
    default:
        break;
    }
    return BooksCheck();
}

PresetResult vatWriteOffPreset(const PathTable& paths, const EntryForm& current) {
    PresetResult r;
    r.form = current;
    const bool asset = current.side == Side::Income;
    r.form.name = u("Skattekontot på Skatteverket");
    r.form.freeText = asset ? u("Utbetald moms bokas ur bokföringen") : u("Inbetald moms bokas ur bokföringen");
    r.form.street.clear();
    r.form.postcode.clear();
    r.form.town.clear();
    r.form.rate.clear();
    const Amount d = carriedVatDifference(paths);
    if (d.isZero()) {
        r.message = msg::nothingToWriteOff();
        return r;
    }
    if (asset && d > Amount()) {
        r.message = msg::noVatAsset(d);
        return r;
    }
    if (!asset && d < Amount()) {
        r.message = msg::noVatDebt(d);
        return r;
    }
    r.form.net = (asset ? -d : d).toText();
    r.ok = true;
    return r;
}

QString assetListHead(const QString& year) {
    return u("INVENTARIELISTA ") + year + u("\n") + u("\n Inventarier inköpta under året.\n") +
           u("\n Sålda inventarier ej med. De finns i bokslutsunderlaget.\n") +
           u("\n Utbokade inventarier ej med. De finns i bokslutsunderlaget.\n") +
           u("\n Annulerat inköp visas med minus (-) framför beloppet.\n") +
           u("\n\nDatum      Inventarietyp                             Belopp\n") + QString(59, u'_') +
           u("\n");
}

QString assetPurchaseLine(const Booking& b) {
    const QString what = b.freeText.isEmpty() ? u("Inventarie, ej namngiven") : b.freeText;
    return b.eventDate + padTo(u(" ") + what, 38) + aligned(QString(), b.net.toText(), 12) + u("\n");
}

QString assetSaleLine(const Booking& b, int number) {
    return padTo(b.eventDate + u(" Inventarie såld enligt Ver. ") + QString::number(number), 47) +
           aligned(QString(), (-b.net).toText(), 13) + u("\n");
}

QString assetWriteOffLine(const Booking& b, int number) {
    return padTo(b.eventDate + u(" Inventarie utbokad enligt Ver. ") + QString::number(number), 47) +
           aligned(QString(), (-b.net).toText(), 13) + u("\n");
}

QString closingListHead(Side side, const QString& year) {
    const bool receivables = side == Side::Income;
    return (receivables ? u("KUNDFORDRINGAR (inkl. moms) ") : u("LEVERANTÖRSSKULDER (inkl. moms) ")) + year +
           u("\n\n") +
           (receivables ? u("Datum            Faktura      Kund                   Belopp\n")
                        : u("Datum            Faktura      Leverantör             Belopp\n")) +
           QString(59, u'_') + u("\n");
}

QString closingListLine(const Booking& b) {
    return b.bookingDate + aligned(QString(), b.reference, 15) + QString(6, u' ') +
           aligned(b.name, b.total.toText(), 30) + u("\n");
}

void appendByRule(ChangeSet& set, const QString& path, const QString& text) {
    const QString current = set.text(path);
    set.setText(path, current.size() < 2 ? text : current + text);
}

void addAssetListChanges(const PathTable& paths, const Booking& b, int number, ChangeSet& set) {
    if (b.type->special == SpecialKind::AssetPurchase)
        set.appendWithHead(assetListPath(paths), assetListHead(paths.year), assetPurchaseLine(b));
    else if (b.type->special == SpecialKind::AssetSale)
        appendByRule(set, assetListPath(paths), assetSaleLine(b, number));
}

bool savedWithoutCashStep(const TransactionType& type) { return type.cash == CashEffect::None; }

namespace {

// The operation a type saved without a cash step belongs to (an ordinary
// type never comes here: the caller refuses it as unknown).
Operation operationOf(SpecialKind kind) {
    switch (kind) {
    case SpecialKind::VatAssetWriteOff: return Operation::VatAssetWriteOff;
    case SpecialKind::VatDebtWriteOff: return Operation::VatDebtWriteOff;
    case SpecialKind::AssetWriteOff: return Operation::AssetWriteOff;
    case SpecialKind::ReceivablesClosing: return Operation::ReceivablesRegistration;
    case SpecialKind::PayablesClosing: return Operation::PayablesRegistration;
    default: return Operation::Expense;
    }
}

// Block, day book and cash book of the write-offs; the counter and the
// booking date. Returns the number.
int addWriteOffTexts(const PathTable& paths, const Booking& b, const QString& amountLines,
                     const QString& cashBookEnd, ChangeSet& set) {
    const int number = storedCounter(paths) + 1;
    const bool income = b.side == Side::Income;
    const QString end = blockEnd();
    set.appendWithHead(income ? paths.inVerifications : paths.outVerifications,
                       listHead(income ? ListKind::Income : ListKind::Expense),
                       blockHead(b, number, false) + amountLines + end);
    set.appendWithHead(paths.dayBook, dayBookHead(paths.year), blockHead(b, number, true) + amountLines + end);
    set.appendWithHead(paths.cashBook, cashBookHead(), cashBookStart(b, number) + cashBookEnd);
    set.setText(paths.verCounter, QString::number(number));
    set.setText(paths.dayBookDate, b.bookingDate + u("\n"));
    return number;
}

} // namespace

SpecialOutcome commitSpecialBooking(const PathTable& paths, const Booking& b) {
    SpecialOutcome out;
    if (!b.type || !savedWithoutCashStep(*b.type)) {
        out.message = msg::unknownType();
        return out;
    }
    const BooksCheck check = checkAgainstBooks(paths, b);
    if (!check.ok) {
        out.message = check.message;
        return out;
    }
    if (recoverInterruptedBooking(paths) != 0) {
        out.message = msg::writeFailed(bookingUndoPath(paths));
        return out;
    }

    ChangeSet set(operationOf(b.type->special));
    int number = 0;
    Message info;
    switch (b.type->special) {
    case SpecialKind::VatAssetWriteOff:
    case SpecialKind::VatDebtWriteOff: {
        const bool asset = b.type->special == SpecialKind::VatAssetWriteOff;
        const QString lines =
            aligned(asset ? u("Utbokning momstillgång") : u("Utbokning momsskuld"), b.net.toText(), 41) +
            u("\n") + padTo(asset ? u("Boka in mot Fg.års Moms") : u("Boka ut mot Fg.års Moms"), 41) +
            aligned(QString(), b.total.toText(), 14) + u("\n");
        number = addWriteOffTexts(paths, b, lines, u(" Påverkar ej =\n"), set);
        set.addAmount(paths.rounding, Amount());
        set.addAmount(paths.account(b.type->name), b.net);
        const Amount d = carriedVatDifference(paths);
        set.setText(carriedDifferencePath(paths), (asset ? d + b.total : d - b.total).toText() + u("\n"));
        out.result = 12;
        break;
    }
    case SpecialKind::AssetWriteOff: {
        const QString lines = aligned(b.type->name, b.total.toText(), 41) + u("\n") +
                              aligned(u("Bokat mot Inventarier"), b.total.toText(), 53) + u("\n");
        number = addWriteOffTexts(paths, b, lines, u(" Påverkar ej =\n"), set);
        appendByRule(set, assetListPath(paths), assetWriteOffLine(b, number));
        set.addAmount(paths.account(b.type->name), b.net);
        info = msg::assetWriteOffBooked();
        out.result = 10;
        break;
    }
    case SpecialKind::ReceivablesClosing:
    case SpecialKind::PayablesClosing: {
        const bool receivables = b.type->special == SpecialKind::ReceivablesClosing;
        const QString base = receivables ? u("Kundfordringar") : u("Leverantorsskulder");
        set.appendWithHead(paths.closing(base + u("Lista")), closingListHead(b.side, paths.year),
                           closingListLine(b));
        set.addAmount(paths.closing(base), b.net);
        set.addAmount(paths.closing(base + u("Moms")), b.vat);
        if (b.rate >= 1 && b.rate <= 49)
            set.addAmount(receivables ? paths.outputVat(b.rate) : paths.inputVat(b.rate), b.vat);
        out.result = 11;
        break;
    }
    default:
        out.message = msg::unknownType();
        return out;
    }
    addRegisterChanges(paths, b, set);

    const CommitOutcome c = commitChangeSet(paths, set, number);
    if (!c.ok) {
        out.result = 0;
        out.message = c.message;
        return out;
    }
    out.ok = true;
    out.number = number;
    out.message = info;
    return out;
}

} // namespace mv
