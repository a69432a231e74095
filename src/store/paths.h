#pragma once
// Path texts. The books name files with '/' and '\' mixed; both are directory
// separators. Every path reaching the file system goes through normalizePath.
#include <QString>

namespace mv {

// '\' and '/' become '/', repeated separators collapse, and the names the
// program spells in more than one case map to their one canonical spelling.
QString normalizePath(const QString& path);

// Joins path pieces with exactly one separator between them.
QString joinPath(const QString& a, const QString& b);
QString joinPath(const QString& a, const QString& b, const QString& c);

} // namespace mv
