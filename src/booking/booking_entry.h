#pragma once
// What the income and expense pages hand to the engine: the typed fields, and
// the checks that turn them into a booking ready to be placed on a money
// account. Nothing here writes a file.
#include "booking/booking_messages.h"
#include "booking/transaction_types.h"
#include "store/amount.h"
#include "store/text_util.h" // normalizeAmountText

#include <QString>
#include <QStringList>

namespace mv {

// The form fields exactly as typed.
struct EntryForm {
    Side side = Side::Income;
    QString eventDate, reference, type, name, street, postcode, town, freeText;
    QString net, rate, sign, ore;
};

// Which field a refusal points at, so the page can give it the focus.
enum class EntryField { None, EventDate, Reference, Type, Name, Street, Postcode, Town, FreeText, Net, Rate, Sign, Ore };

// A checked income or expense. Its number is not part of it: the commit
// takes the stored counter + 1 at the moment it writes.
struct Booking {
    Side side = Side::Income;
    const TransactionType* type = nullptr;
    QString bookingDate, eventDate, reference, name, street, postcode, town, freeText;
    QString rateText;      // empty when the type carries no rate
    int rate = -1;         // -1 when the type carries no rate
    Amount net, vat;
    Amount ore;            // signed rounding amount ("-" subtracts)
    Amount total;          // net + vat + ore (net + ore for reverse charge)
    // The invoice picked on the income page ("14001", "14004_BU"): its cash
    // step marks it paid in the same change ("" when none was picked).
    QString paidInvoice;

    // What the booking does to the cash total: +total in, -total out, 0 none.
    Amount cashChange() const;
};

struct PrepareResult {
    bool ok = false;
    Message message;       // the refusal when !ok
    EntryField field = EntryField::None;
    Booking booking;
};

// The typed-amount rule: an optional minus, digits, and at most one "," or
// "." followed by digits. Blanks, letters and a second separator are refused.
bool isTypedAmount(const QString& text);

// The typed amount after normalisation, or nothing when it is not a plain
// number. An empty text is 0.00.
std::optional<Amount> typedAmount(const QString& text);

// The VAT-rate texts that may be booked: those of the four configured slots
// that are whole numbers from 0 to 49 (the numbered VAT files the store keeps).
QStringList approvedRates(const QStringList& configuredRates);

// The figures shown while typing (VAT and total), from the current texts.
// Unreadable texts count as 0. When öre is typed and the sign is empty the
// sign becomes "+" (signOut).
struct LiveFigures {
    QString vat, total, sign;
};
LiveFigures liveFigures(Side side, const QString& type, const QString& net, const QString& rate,
                        const QString& sign, const QString& ore);

// Every check of "Spara": characters, amounts, date, name, limits, total and
// rate. configuredRates are the four VAT-rate slots of the settings.
PrepareResult prepareBooking(const EntryForm& form, const QStringList& configuredRates);

} // namespace mv
