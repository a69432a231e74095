// Amounts as stored (read leniently) and as typed (read strictly, with the
// normalisation of an amount field on Enter).
#include "fuzz_support.h"

#include "booking/booking_entry.h"
#include "store/amount.h"
#include "store/text_util.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString typed = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const mv::Amount lenient = mv::Amount::parseLenient(typed);
    // Whatever is read, its text reads back as the same amount and never
    // shows "-0.00".
    FUZZ_CHECK(mv::Amount::parseLenient(lenient.toText()) == lenient);
    FUZZ_CHECK(lenient.toText() != QStringLiteral("-0.00"));
    if (const auto strict = mv::Amount::parseStrict(typed)) {
        FUZZ_CHECK(mv::Amount::parseStrict(strict->toText()) == strict);
        FUZZ_CHECK(mv::isTypedAmount(strict->toText()));
    }
    if (const auto typedValue = mv::typedAmount(typed))
        FUZZ_CHECK(mv::typedAmount(typedValue->toText()) == typedValue);
    const QString normalised = mv::normalizeAmountText(typed);
    (void)mv::Amount::parseStrict(normalised);
    (void)mv::textToInteger(typed);
    (void)mv::textToReal(typed);
    return 0;
}
