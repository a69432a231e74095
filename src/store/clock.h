#pragma once
// The one clock of the program. Tests fix it to a known moment.
#include <QDateTime>
#include <QString>

namespace mv {

QDateTime now();                          // local date and time
void setFixedNow(const QDateTime& when);  // tests: the clock stands still at when
void clearFixedNow();

// Date and time texts from the clock:
//   "YY_MM_DD" -> 2014<sep>03<sep>07     "HH_MM_SS" -> 09<sep>05<sep>12
//   "YEAR", "MONTH", "DAY", "DAY_OF_WEEK" (0 = Sunday), "HOUR", "MINUTE",
//   "SECOND", "MILLISEC" -> sep followed by the value, below 10 with a leading "0".
// An unknown keyword gives the empty text.
QString dateTimeText(const QString& keyword, const QString& separator);

// Today as YYYY-MM-DD.
QString todayText();

} // namespace mv
