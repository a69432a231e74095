#pragma once
// The data directory: the program works in one directory, its working
// directory, chosen once at start-up.
#include <QString>

namespace shell {

// `--data DIR` when given (created when missing); else the current directory
// when it already holds drive_info; else `home`/MerValla (created).
// Returns the chosen absolute path, "" when it cannot be created.
QString chooseDataDirectory(const QString& dataOption, const QString& currentDir,
                            const QString& home);

} // namespace shell
