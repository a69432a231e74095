#include "store/clock.h"

#include <optional>

namespace mv {

namespace {
std::optional<QDateTime>& fixedNow() {
    static std::optional<QDateTime> value;
    return value;
}

QString twoDigits(int v) { return v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v); }
} // namespace

QDateTime now() { return fixedNow() ? *fixedNow() : QDateTime::currentDateTime(); }
void setFixedNow(const QDateTime& when) { fixedNow() = when; }
void clearFixedNow() { fixedNow().reset(); }

QString dateTimeText(const QString& keyword, const QString& separator) {
    const QDateTime t = now();
    const QDate d = t.date();
    const QTime tm = t.time();
    if (keyword == QLatin1String("YY_MM_DD"))
        return QString::number(d.year()) + separator + twoDigits(d.month()) + separator +
               twoDigits(d.day());
    if (keyword == QLatin1String("HH_MM_SS"))
        return twoDigits(tm.hour()) + separator + twoDigits(tm.minute()) + separator +
               twoDigits(tm.second());
    if (keyword == QLatin1String("YEAR")) return separator + QString::number(d.year());
    if (keyword == QLatin1String("MONTH")) return separator + twoDigits(d.month());
    if (keyword == QLatin1String("DAY")) return separator + twoDigits(d.day());
    if (keyword == QLatin1String("DAY_OF_WEEK")) return separator + twoDigits(d.dayOfWeek() % 7);
    if (keyword == QLatin1String("HOUR")) return separator + twoDigits(tm.hour());
    if (keyword == QLatin1String("MINUTE")) return separator + twoDigits(tm.minute());
    if (keyword == QLatin1String("SECOND")) return separator + twoDigits(tm.second());
    if (keyword == QLatin1String("MILLISEC")) return separator + twoDigits(tm.msec());
    return QString();
}

QString todayText() { return dateTimeText(QStringLiteral("YY_MM_DD"), QStringLiteral("-")); }

} // namespace mv
