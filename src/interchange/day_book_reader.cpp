#include "interchange/day_book_reader.h"

#include "interchange/interchange_messages.h"

#include <QRegularExpression>
#include <QStringList>

namespace mv {

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

bool isDivider(const QString& line) {
    return line.size() == 60 && line.count(u'-') == 60;
}

bool startsBlock(const QString& line) {
    return line.startsWith(u("Verifikat          ="));
}

// A header line: a label of 19 characters, "=" and the value.
bool headerField(const QString& line, QString& label, QString& value) {
    if (line.size() < 20 || line[19] != u'=') return false;
    label = line.left(19).trimmed();
    value = line.mid(20).trimmed();
    return true;
}

// An amount line: a label, blanks and an amount with two decimals at the end.
bool amountLine(const QString& line, QString& label, Amount& amount) {
    static const QRegularExpression pattern(QStringLiteral("^(.*\\S)?\\s+(-?[0-9]+\\.[0-9]{2})$"));
    const QRegularExpressionMatch m = pattern.match(line);
    if (!m.hasMatch()) return false;
    label = m.captured(1).trimmed();
    amount = Amount::parseLenient(m.captured(2));
    return true;
}

const TransactionType* typeNamed(const QString& name) {
    for (const TransactionType& t : transactionTypes())
        if (t.name == name) return &t;
    return nullptr;
}

struct Block {
    int number = 0;
    QStringList header; // up to the first dividing line
    QStringList body;   // between the dividing lines
    bool closed = false;
};

Block splitBlock(const QStringList& lines) {
    Block b;
    int dividers = 0;
    for (const QString& line : lines) {
        if (isDivider(line)) {
            if (++dividers == 2) {
                b.closed = true;
                break;
            }
            continue;
        }
        (dividers == 0 ? b.header : b.body) << line;
    }
    QString label, value;
    if (!lines.isEmpty() && headerField(lines.first(), label, value)) b.number = value.toInt();
    return b;
}

QString headerValue(const Block& b, const char* label) {
    QString l, value;
    for (const QString& line : b.header)
        if (headerField(line, l, value) && l == u(label)) return value;
    return QString();
}

bool hasHeader(const Block& b, const char* label) {
    QString l, value;
    for (const QString& line : b.header)
        if (headerField(line, l, value) && l == u(label)) return true;
    return false;
}

QString dashIsEmpty(const QString& value) {
    return value == QStringLiteral("-") ? QString() : value;
}

// The amounts of an income, an expense or a write-off.
std::optional<Message> readBookingBody(const Block& b, DayBookEntry& e) {
    const bool income = e.type->side == Side::Income;
    bool first = true;
    int placed = 0;
    for (const QString& line : b.body) {
        if (line.trimmed().isEmpty()) continue;
        QString label;
        Amount amount;
        if (!amountLine(line, label, amount)) return xmsg::dayBookLineUnreadable(e.number, line);
        if (first) {
            e.net = amount;
            first = false;
        } else if (label.startsWith(u("Momskonto "))) {
            if (label.endsWith(u(" Omvänd utgående")))
                e.reverseVat = -amount;
            else
                e.vat = amount;
        } else if (label == u("Öresutjämning")) {
            e.ore = amount;
        } else if (label.startsWith(u("Boka mot "))) {
            e.total = amount;
            e.moves.push_back({label.mid(9).trimmed(), income ? amount : -amount});
            ++placed;
        } else if (label == u("Bokat mot Inventarier") || label == u("Boka in mot Fg.års Moms") ||
                   label == u("Boka ut mot Fg.års Moms")) {
            e.total = amount;
        } else {
            return xmsg::dayBookLineUnreadable(e.number, line);
        }
    }
    if (first) return xmsg::dayBookBlockIncomplete(e.number);
    if (movesCash(*e.type)) {
        if (placed != 1) return xmsg::dayBookBlockIncomplete(e.number);
        const Amount expected = e.net + e.ore + (e.type->reverseCharge ? Amount() : e.vat);
        if (expected != e.total) return xmsg::dayBookBlockUnbalanced(e.number);
        if (e.type->reverseCharge && e.reverseVat != e.vat)
            return xmsg::dayBookBlockUnbalanced(e.number);
    } else if (e.total != e.net) {
        return xmsg::dayBookBlockUnbalanced(e.number);
    }
    return std::nullopt;
}

// The money-account lines of a transfer or of the placed opening cash.
std::optional<Message> readTransferBody(const Block& b, DayBookEntry& e) {
    for (const QString& line : b.body) {
        if (line.trimmed().isEmpty()) continue;
        QString label;
        Amount amount;
        if (!amountLine(line, label, amount)) return xmsg::dayBookLineUnreadable(e.number, line);
        if (label == u("Boka från importerad kassa"))
            e.total = amount;
        else if (label.startsWith(u("Boka från ")))
            e.moves.push_back({label.mid(10).trimmed(), -amount});
        else if (label.startsWith(u("Boka mot ")))
            e.moves.push_back({label.mid(9).trimmed(), amount});
        else
            return xmsg::dayBookLineUnreadable(e.number, line);
    }
    return std::nullopt;
}

std::optional<Message> readBlock(const Block& b, DayBookEntry& e) {
    e.number = b.number;
    if (hasHeader(b, "Konto")) {
        e.kind = DayBookEntry::Kind::Booking;
        e.type = typeNamed(headerValue(b, "Konto"));
        if (!e.type) return xmsg::dayBookUnknownType(e.number, headerValue(b, "Konto"));
        e.bookingDate = headerValue(b, "Bokförings Datum");
        e.eventDate = headerValue(b, "Händelse Datum");
        e.reference = dashIsEmpty(headerValue(b, "Faktura/Ref"));
        e.counterparty = dashIsEmpty(headerValue(b, "Från"));
        const QString rate = dashIsEmpty(headerValue(b, "Moms sats"));
        bool ok = false;
        const int r = rate.toInt(&ok);
        e.rate = ok ? r : -1;
        if (!b.closed) return xmsg::dayBookBlockIncomplete(e.number);
        return readBookingBody(b, e);
    }
    const QString transaction = headerValue(b, "Transaktion");
    const QString kindText = headerValue(b, "Transaktionsart");
    e.bookingDate = e.eventDate = headerValue(b, "Datum");
    if (transaction == u("Överföring mellan konton") ||
        transaction == u("Bokning av importerad kassa")) {
        e.kind = transaction.startsWith(u("Överföring")) ? DayBookEntry::Kind::Transfer
                                                         : DayBookEntry::Kind::ImportedCash;
        if (!b.closed) return xmsg::dayBookBlockIncomplete(e.number);
        return readTransferBody(b, e);
    }
    if (kindText.startsWith(u("Import av bokföring"))) {
        e.kind = DayBookEntry::Kind::OpeningBalance;
        return std::nullopt;
    }
    if (kindText == u("Bokslutsresultat från föregående år")) {
        e.kind = DayBookEntry::Kind::CarriedBalances;
        return std::nullopt;
    }
    if (headerValue(b, "Åtgärd") == u("Bokslutsunderlag skapat")) {
        e.kind = DayBookEntry::Kind::YearCompleted;
        e.bookingDate = headerValue(b, "Bokförings Datum");
        e.eventDate = headerValue(b, "Händelse Datum");
        return std::nullopt;
    }
    return xmsg::dayBookUnknownBlock(e.number);
}

} // namespace

DayBookRead readDayBook(const QString& text) {
    DayBookRead out;
    const QStringList lines = text.split(u'\n');
    int start = -1;
    const auto finish = [&](int end) -> bool {
        if (start < 0) return true;
        DayBookEntry e;
        if (const std::optional<Message> refusal =
                readBlock(splitBlock(lines.mid(start, end - start)), e)) {
            out.message = *refusal;
            return false;
        }
        out.entries.push_back(std::move(e));
        return true;
    };
    for (int i = 0; i < lines.size(); ++i) {
        if (!startsBlock(lines[i])) continue;
        if (!finish(i)) {
            out.entries.clear();
            return out;
        }
        start = i;
    }
    if (!finish(int(lines.size()))) {
        out.entries.clear();
        return out;
    }
    out.ok = true;
    return out;
}

} // namespace mv
