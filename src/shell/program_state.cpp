#include "shell/program_state.h"

#include "store/record_file.h"
#include "store/store_layout.h"

namespace shell {

ProgramState& state() {
    static ProgramState instance;
    return instance;
}

int ProgramState::yearNumber() const {
    bool ok = false;
    const int n = selectedYear.toInt(&ok);
    return ok ? n : 0;
}

QString unlockedTitle(const QString& version, const QString& year) {
    return QStringLiteral("MerValla Version ") + version +
           QStringLiteral(" (BetaVersion) för år ") + year;
}

QString lockedTitle(const QString& year) {
    return QStringLiteral("MerValla för år  ") + year +
           QStringLiteral(" ÅRET ÄR LÅST FÖR REDIGERING");
}

StartYear readStartYear() {
    if (mv::characterCount(mv::drive::selectedYear) == -2) return {QStringLiteral("0000"), 1};
    QString text;
    mv::readWhole(mv::drive::selectedYear, text);
    // Only a real year is taken: an empty or unterminated file, or letters,
    // would otherwise give paths that begin at the root of the disk.
    const QString year = text.left(4);
    if (!mv::isYearText(year)) return {QStringLiteral("0000"), 1};
    return {year, 0};
}

} // namespace shell
