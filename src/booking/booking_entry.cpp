#include "booking/booking_entry.h"

#include "store/clock.h"
#include "store/file_names.h"
#include "store/text_codec.h"

#include <QDate>
#include <QRegularExpression>

namespace mv {

namespace {

const Amount kNetLimit = Amount::fromKronor(1000000);

PrepareResult refuse(Message m, EntryField field) {
    PrepareResult r;
    r.message = std::move(m);
    r.field = field;
    return r;
}

// The first character of the text that cannot be stored: outside code page
// 1252 or a control character (a field is one line of a record).
std::optional<QChar> unstorable(const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return c;
        if (!isCp1252(QString(c))) return c;
    }
    return std::nullopt;
}

bool isRealDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) return false;
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()).isValid();
}

bool isOreText(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,2}$"));
    return text.isEmpty() || pattern.match(text).hasMatch();
}

Amount oreAmount(const QString& sign, const QString& ore) {
    const Amount a = Amount::fromOre(ore.isEmpty() ? 0 : ore.toLongLong());
    return sign == QStringLiteral("-") ? -a : a;
}

Amount totalOf(const TransactionType* type, Amount net, Amount vat, Amount ore) {
    if (type && type->reverseCharge) return net + ore;
    return net + vat + ore;
}

} // namespace

Amount Booking::cashChange() const {
    if (!type || type->cash == CashEffect::None) return Amount();
    return type->cash == CashEffect::In ? total : -total;
}

bool isTypedAmount(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^-?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    return pattern.match(text).hasMatch();
}

std::optional<Amount> typedAmount(const QString& text) {
    if (text.isEmpty()) return Amount();
    if (!isTypedAmount(text)) return std::nullopt;
    return Amount::parseStrict(normalizeAmountText(text));
}

QStringList approvedRates(const QStringList& configuredRates) {
    static const QRegularExpression digits(QStringLiteral("^\\d{1,2}$"));
    QStringList out;
    for (const QString& r : configuredRates)
        if (digits.match(r).hasMatch() && r.toInt() <= 49) out << r;
    return out;
}

LiveFigures liveFigures(Side side, const QString& typeName, const QString& net,
                        const QString& rate, const QString& sign, const QString& ore) {
    const TransactionType* type = findType(side, typeName);
    LiveFigures f;
    f.sign = (!ore.isEmpty() && sign.isEmpty()) ? QStringLiteral("+") : sign;
    const Amount n = typedAmount(net).value_or(Amount());
    static const QRegularExpression digits(QStringLiteral("^\\d{1,3}$"));
    const int r = (type && type->rateRequired && digits.match(rate).hasMatch()) ? rate.toInt() : 0;
    const Amount vat = n.percent(r);
    const Amount o = isOreText(ore) ? oreAmount(f.sign, ore) : Amount();
    f.vat = vat.toText();
    f.total = totalOf(type, n, vat, o).toText();
    return f;
}

PrepareResult prepareBooking(const EntryForm& form, const QStringList& configuredRates) {
    const TransactionType* type = findType(form.side, form.type);
    if (!type) return refuse(msg::unknownType(), EntryField::Type);

    const std::pair<const QString*, EntryField> texts[] = {
        {&form.eventDate, EntryField::EventDate}, {&form.reference, EntryField::Reference},
        {&form.name, EntryField::Name},           {&form.street, EntryField::Street},
        {&form.postcode, EntryField::Postcode},   {&form.town, EntryField::Town},
        {&form.freeText, EntryField::FreeText},   {&form.net, EntryField::Net},
        {&form.rate, EntryField::Rate},           {&form.sign, EntryField::Sign},
        {&form.ore, EntryField::Ore}};
    for (const auto& [text, field] : texts)
        if (const auto c = unstorable(*text)) return refuse(msg::badCharacter(*c), field);

    const std::optional<Amount> net = typedAmount(form.net);
    if (!net) return refuse(msg::badAmount(), EntryField::Net);
    if (!isOreText(form.ore)) return refuse(msg::badAmount(), EntryField::Ore);
    QString sign = form.sign;
    if (sign.isEmpty() && !form.ore.isEmpty()) sign = QStringLiteral("+");
    if (!sign.isEmpty() && sign != QStringLiteral("+") && sign != QStringLiteral("-"))
        return refuse(msg::badAmount(), EntryField::Sign);

    if (!isRealDate(form.eventDate)) return refuse(msg::badDate(), EntryField::EventDate);
    if (!form.name.isEmpty() && !isSafeFileName(form.name))
        return refuse(msg::badName(), EntryField::Name);

    if (*net > kNetLimit || *net < -kNetLimit) return refuse(msg::netTooLarge(), EntryField::Net);

    Booking b;
    b.side = form.side;
    b.type = type;
    b.bookingDate = todayText();
    b.eventDate = form.eventDate;
    b.reference = form.reference;
    b.name = form.name;
    b.street = form.street;
    b.postcode = form.postcode;
    b.town = form.town;
    b.freeText = form.freeText;
    b.net = *net;
    // Sign and öre count only where the page lets them be typed.
    const bool takesOre = type->group == TypeGroup::IncomeWithVat ||
                          type->group == TypeGroup::IncomeWithoutVat ||
                          type->group == TypeGroup::ExpenseWithVat ||
                          type->group == TypeGroup::ExpenseWithoutVat;
    b.ore = takesOre ? oreAmount(sign, form.ore) : Amount();
    if (type->rateRequired) {
        b.rateText = form.rate;
        b.rate = approvedRates(configuredRates).contains(form.rate) ? form.rate.toInt() : -1;
        b.vat = b.rate > 0 ? b.net.percent(b.rate) : Amount();
    }
    b.total = totalOf(type, b.net, b.vat, b.ore);

    if (b.total.isZero()) return refuse(msg::zeroTotal(), EntryField::Net);
    if (type->rateRequired && b.rate < 0) return refuse(msg::rateNotApproved(), EntryField::Rate);

    PrepareResult r;
    r.ok = true;
    r.booking = b;
    return r;
}

} // namespace mv
