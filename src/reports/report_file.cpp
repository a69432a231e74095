#include "reports/report_file.h"

#include "store/record_file.h"
#include "store/text_util.h"

namespace mv {

ReportFile::ReportFile(const QString& path) : path_(path) {}

bool ReportFile::create() {
    result_ = writeText(path_, QStringLiteral("\n"));
    return result_ == 0;
}

void ReportFile::put(const QString& text, int separator) {
    if (result_ != 0) return;
    result_ = appendText(path_, text, separator);
}

void ReportFile::emptyLines(int count) {
    if (count > 0) put(QString(count, QLatin1Char('\n')), SepNone);
}

void ReportFile::amountLine(const QString& label, const QString& value, int width) {
    line(rightAligned(label, value, width));
}

QString repeated(QChar c, int count) { return QString(count, c); }

QString dividingLine() { return repeated(QLatin1Char('-'), 60); }

QString rightAligned(const QString& label, const QString& value, int width) {
    QString piece;
    padAppend(piece, label, value, width);
    return piece;
}

} // namespace mv
