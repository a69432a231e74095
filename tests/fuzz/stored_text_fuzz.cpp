// Every stored file goes through these readers first: the codec both ways,
// the field reader, the whole-file reader, and the digest record and change
// journal readers of the store.
#include "fuzz_support.h"

#include "store/change_journal.h"
#include "store/file_digest.h"
#include "store/record_file.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::enterScratch();
    const QByteArray raw = fuzz::bytes(data, size);
    const QString text = mv::decodeStored(raw);
    // What was read is written back byte for byte, but for a lone CR LF pair.
    const QByteArray again = mv::encodeStored(text);
    FUZZ_CHECK(mv::decodeStored(again) == text);

    const QStringList fields = mv::readFields(text);
    for (const QString& f : fields) FUZZ_CHECK(f.size() <= 200 && !f.contains(u'\n'));
    QString field;
    int pos = -1, steps = 0;
    while (pos + 1 < text.size() && steps++ <= text.size()) {
        const int next = mv::fieldReader(text, field, pos);
        FUZZ_CHECK(next > pos);
        pos = next;
    }

    QFile f(QStringLiteral("in.kdb"));
    if (f.open(QIODevice::WriteOnly)) {
        f.write(raw);
        f.close();
    }
    QString whole;
    if (mv::readWhole(QStringLiteral("in.kdb"), whole) == 0) FUZZ_CHECK(whole.isEmpty() || whole.endsWith(u'\n'));
    mv::DigestRecord record;
    mv::readDigestRecord(QStringLiteral("in.kdb"), record);
    (void)mv::digestRecordBytes(record);

    // A journal of any content is never followed outside the working
    // directory, and never crashes the recovery.
    QDir().mkpath(QStringLiteral("drive_info"));
    QFile j(mv::changeJournalPath());
    if (j.open(QIODevice::WriteOnly)) {
        j.write(raw);
        j.close();
    }
    mv::recoverInterruptedChange();
    QFile::remove(mv::changeJournalPath());
    return 0;
}
