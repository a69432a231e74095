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
    line(reporting::alignedPiece(label, value, width));
}

int writeWorkFile(const QString& path, const QString& text) {
    return writeText(path, text);
}

namespace reporting {

QString repeatedChar(QChar c, int count) {
    return QString(count, c);
}

QString blockDivider() {
    return repeatedChar(QLatin1Char('-'), 60);
}

QString alignedPiece(const QString& label, const QString& value, int width) {
    QString piece;
    padAppend(piece, label, value, width);
    return piece;
}

} // namespace reporting

} // namespace mv
