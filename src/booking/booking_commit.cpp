#include "booking/booking_commit.h"

#include "booking/adjustment_bookings.h"
#include "booking/verification_text.h"
#include "invoicing/invoice_payment.h"
#include "store/text_codec.h"

namespace mv {

namespace {

bool storable(const QString& text, QChar* bad) {
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || !isCp1252(QString(c))) {
            *bad = c;
            return false;
        }
    return true;
}

void addMoneyAccountNames(const PathTable& paths, const std::array<QString, 6>& names,
                          ChangeSet& set) {
    for (int i = 0; i < 6; ++i) {
        const QString path = paths.moneyAccountName(i + 1);
        const QString stored = set.text(path);
        const QString current = stored.left(stored.indexOf(u'\n') < 0 ? stored.size() : stored.indexOf(u'\n'));
        // A value and its line end are one write.
        if (current != names[size_t(i)] || !stored.endsWith(u'\n'))
            set.setText(path, names[size_t(i)] + QStringLiteral("\n"));
    }
}

} // namespace

void addRegisterChanges(const PathTable& paths, const Booking& b, ChangeSet& set) {
    const bool income = b.side == Side::Income;
    if (!b.name.isEmpty()) {
        const QString list = income ? paths.customerList : paths.supplierList;
        const QString before = set.text(list);
        const QString after = listWithEntryFirst(before, b.name);
        if (after != before) {
            set.setText(list, after);
            set.setText(income ? paths.customer(b.name) : paths.supplier(b.name),
                        b.name + u'\n' + b.street + u'\n' + b.postcode + u'\n' + b.town + u'\n');
        }
    }
    if (!b.freeText.isEmpty()) {
        const QString list = income ? paths.incomeFreeTexts : paths.expenseFreeTexts;
        set.setText(list, listWithEntryFirst(set.text(list), b.freeText));
    }
}

QString listWithEntryFirst(const QString& list, const QString& entry) {
    const QStringList lines = list.split(u'\n');
    for (const QString& line : lines)
        if (line.compare(entry, Qt::CaseInsensitive) == 0) return list;
    return entry + u'\n' + list;
}

Message checkPlacement(const Placement& placement) {
    for (const QString& name : placement.names) {
        QChar bad;
        if (!storable(name, &bad)) return msg::badCharacter(bad);
    }
    if (placement.account < 0 || placement.account > 5 ||
        placement.names[size_t(placement.account)].isEmpty())
        return msg::noReceivingAccount();
    return Message();
}

int addBookingChanges(const PathTable& paths, const Booking& b, const Placement& placement,
                      ChangeSet& set) {
    const int number = storedCounter(paths) + 1;
    const QString& accountName = placement.names[size_t(placement.account)];
    const bool income = b.side == Side::Income;

    set.appendWithHead(income ? paths.inVerifications : paths.outVerifications,
                       listHead(income ? ListKind::Income : ListKind::Expense),
                       bookingBlock(b, number, false, accountName));
    set.appendWithHead(paths.dayBook, dayBookHead(paths.year),
                       bookingBlock(b, number, true, accountName));

    // Totals: the type account takes the net, the rounding account the
    // signed öre (subtracted on the expense side), the cash total the total.
    set.addAmount(paths.account(b.type->name), b.net);
    set.addAmount(paths.rounding, income ? b.ore : -b.ore);
    const Amount change = b.cashChange();
    set.addAmount(paths.cash, change);
    if (b.rate >= 1 && b.rate <= 49) {
        if (income) {
            set.addAmount(paths.outputVat(b.rate), b.vat);
        } else {
            set.addAmount(paths.inputVat(b.rate), b.vat);
            if (b.type->reverseCharge) set.addAmount(paths.reverseVat(b.rate), b.vat);
        }
    }

    set.appendWithHead(paths.cashBook, cashBookHead(), cashBookLine(b, number, set.amount(paths.cash)));

    addMoneyAccountNames(paths, placement.names, set);
    set.addAmount(paths.moneyAccountAmount(placement.account + 1), change);

    addAssetListChanges(paths, b, number, set);
    set.setText(paths.verCounter, QString::number(number));
    set.setText(paths.dayBookDate, b.bookingDate + QStringLiteral("\n"));
    addRegisterChanges(paths, b, set);
    return number;
}

CommitOutcome commitBooking(const PathTable& paths, const Booking& b, const Placement& placement) {
    CommitOutcome out;
    if (!b.type || savedWithoutCashStep(*b.type)) {
        out.message = msg::unknownType();
        return out;
    }
    if (Message m = checkPlacement(placement); !m.text.isEmpty()) {
        out.message = m;
        return out;
    }
    if (const BooksCheck check = checkAgainstBooks(paths, b); !check.ok) {
        out.message = check.message;
        return out;
    }
    if (recoverInterruptedBooking(paths) != 0) {
        out.message = msg::writeFailed(bookingUndoPath(paths));
        return out;
    }
    ChangeSet set(b.side == Side::Income ? Operation::Income : Operation::Expense);
    const int number = addBookingChanges(paths, b, placement, set);
    // A picked invoice is marked paid with its payment, or nothing is booked.
    if (!b.paidInvoice.isEmpty()) {
        if (const std::optional<Message> refusal = addMarkPaidChanges(paths, b.paidInvoice, set)) {
            out.message = *refusal;
            return out;
        }
    }
    return commitChangeSet(paths, set, number);
}

} // namespace mv
