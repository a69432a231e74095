#pragma once
// What interrupted work leaves behind, removed at start-up before anything
// reads the books (after an unfinished change has been taken back): the
// temporary files of whole-file writes that never reached their rename, a
// half-built new year in drive_info, and repair folders beyond the newest
// five of each year. A year moved into place whole but not yet listed is
// listed (its creation is finished).
#include <QString>

namespace mv {

struct LeftoverCount {
    int temporaryFiles = 0;
    int stagingFolders = 0;
    int repairFolders = 0;
    int failures = 0;
};

// Cleans the data directory (the working directory).
LeftoverCount cleanLeftovers();

} // namespace mv
