#pragma once
// The integrity renewal of a year as steps of a change (change_journal.h):
// after the vital files of a year change, the same changes go to their
// second copies, every stamped vital file and the stamp get the same
// last-write time, and the digest record gets each vital file's size, times
// and digest. Only what the change touched is written; the others get only
// their new time.
#include "store/change_journal.h"
#include "store/integrity.h"

#include <QMap>

#include <cstdint>

namespace mv {

// A change to one vital file (its name inside bokforing): Write with the
// whole new bytes, Append with the bytes added, or Remove.
struct VitalChange {
    QString name;
    FileStep::Kind kind = FileStep::Write;
    QByteArray bytes;
};

struct StampOptions {
    // The changes also go to the second copies (a repair, which writes the
    // books FROM the copies, turns this off).
    bool mirror = true;
    // Digests already known (a repair has hashed the copies it restores).
    QMap<QString, std::uint64_t> knownDigests;
    // True: the year is sealed as it stands, whatever its digest record says
    // (the creation of a year, an explicit renewal). False (a change of the
    // program): a vital file whose content no longer matches its record was
    // changed outside the program since the last check, and the renewal is
    // refused (ChangedOutside) rather than sealing that change in.
    bool acceptAsItStands = false;
    // Every second copy is written anew from its book, not only the changed
    // and missing ones (the sealing of a year as it stands).
    bool copyAll = false;
};

// Adds the renewal steps of the year to steps. A stamped vital file that is
// missing and not written by the change refuses the renewal (MissingFile):
// a lost file must never be made to look like a valid one. A second copy
// that is missing is written from its book.
// Appended and untouched files are never read while they stand as their
// digest record says.
ChangeResult addStampSteps(const PathTable& paths, const std::vector<VitalChange>& changes,
                           std::vector<FileStep>& steps, const StampOptions& options = {});

// Path of the digest record of a year.
QString digestRecordPath(const PathTable& paths);

// The moment of a renewal: now, to the whole second.
QDateTime renewalMoment();

} // namespace mv
