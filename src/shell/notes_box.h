#pragma once
// The notes file behind the notes box of the welcome page.
#include <QString>

namespace shell {

// Start-up preparation of drive_info/anteckningar.txt: created empty when
// missing, then two line ends appended. The append does not follow the
// general rule that replaces a file whose first line is shorter than two
// characters, so notes that begin with an empty line are kept. 0 done, else
// the failing write code.
int prepareNotesFile();

// Stores the notes (line ends as '\n') whole and atomically: a crash while
// saving leaves the previous notes. No length limit. 0 done, else the code.
int storeNotes(const QString& text);

} // namespace shell
