// A whole entry form as typed: every field refused or taken, never a crash,
// and a booking that is taken adds up: total = net + VAT + öre.
#include "fuzz_support.h"

#include "booking/booking_entry.h"
#include "booking/transaction_types.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList f = fuzz::fields(data, size, 12);
    mv::EntryForm form;
    form.side = f[0].startsWith(u'U') ? mv::Side::Expense : mv::Side::Income;
    form.eventDate = f[1];
    form.reference = f[2];
    form.type = f[3];
    form.name = f[4];
    form.street = f[5];
    form.postcode = f[6];
    form.town = f[7];
    form.freeText = f[8];
    form.rate = f[9];
    form.net = f[10];
    form.ore = f[11];
    form.sign = f.value(12);
    const QStringList rates = {QStringLiteral("25"), QStringLiteral("12"), QStringLiteral("6"), QStringLiteral("x")};
    const mv::PrepareResult r = mv::prepareBooking(form, rates);
    if (r.ok) {
        FUZZ_CHECK(r.booking.type != nullptr);
        const mv::Booking& b = r.booking;
        FUZZ_CHECK(b.total == (b.type->reverseCharge ? b.net + b.ore : b.net + b.vat + b.ore));
        FUZZ_CHECK(mv::isCp1252(r.booking.name + r.booking.freeText + r.booking.reference));
    } else {
        FUZZ_CHECK(!r.message.text.isEmpty());
    }
    return 0;
}
