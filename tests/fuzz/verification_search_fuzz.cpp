// The one-verification print finds a block in a day book or list of any
// content by a number field of any content; what it selects lies inside the
// text and begins at that verification's own line.
#include "fuzz_support.h"

#include "reports/verification_search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString all = fuzz::text(data, size);
    const qsizetype cut = all.indexOf(u'\n');
    const QString number = cut < 0 ? all : all.left(cut);
    const QString book = cut < 0 ? QString() : all.mid(cut + 1);
    const mv::PrintSelection s = mv::selectionForPrint(book, number);
    if (s.kind == mv::PrintSelection::Block) {
        FUZZ_CHECK(s.range.start >= 0 && s.range.start <= s.range.end && s.range.end <= book.size());
        FUZZ_CHECK(book.mid(s.range.start).startsWith(QStringLiteral("Verifikat          = ")));
    }
    return 0;
}
