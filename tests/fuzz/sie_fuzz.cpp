// An SIE file from another program, read for an opening balance: any bytes
// are refused with a message or give rows, never a crash; a file that is
// taken is one whose balance the reader found to add up, and its summary can
// be shown.
#include "fuzz_support.h"

#include "interchange/sie_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The file's own year (its opening balance) and the year after it (its
    // closing balance).
    for (const QString year : {QStringLiteral("2014"), QStringLiteral("2015")}) {
        const mv::SieImport r = mv::readSieOpeningBalance(bytes, QStringLiteral("5566778899"), year);
        if (!r.ok) {
            FUZZ_CHECK(!r.message.text.isEmpty());
            continue;
        }
        FUZZ_CHECK(!mv::openingBalanceSummary(r.balance).isEmpty());
        // Reading the same bytes again gives the same rows.
        const mv::SieImport again = mv::readSieOpeningBalance(bytes, QStringLiteral("5566778899"), year);
        FUZZ_CHECK(again.ok && again.balance == r.balance);
    }
    return 0;
}
