#pragma once
// Reports subsystem: composes every report as fixed-column text into a work
// file of the year (report_file.h), keeps the day book and cash book heads and
// their fixed entries (books.h), composes the general ledger (ledger.h), and
// holds the report table, the print table and the one-verification search as
// data and plain functions (report_table.h, verification_search.h). The
// reports page and the print command (reports_page.cpp) only show what these
// decide.
#include "store/user_message.h"

#include <QString>

namespace mv {

// Writes a report into its work file the way every report is built: the file
// is created as a single line break, then pieces are appended, each followed
// by a separator (0 nothing, 1 one blank, 2 a line break). The first piece
// replaces the line break written at creation, without its separator.
//
// Every write is checked. After the first failure nothing more is written and
// result() keeps that failure's code, so a partial report is never taken for
// a whole one.
class ReportFile {
  public:
    explicit ReportFile(const QString& path);

    // Writes "\n" as the whole file. Returns true when it was written.
    bool create();
    // Appends text and its separator, exactly as the append primitive does:
    // as the first piece after create() the separator is dropped.
    void put(const QString& text, int separator);
    // A whole line: text and a line break, also as the first piece.
    void line(const QString& text) { put(text + QLatin1Char('\n'), 0); }
    // count empty lines.
    void emptyLines(int count);
    // A line built by padAppend: label, then value ending in column width - 1.
    void amountLine(const QString& label, const QString& value, int width);

    bool ok() const { return result_ == 0; }
    int result() const { return result_; } // 0, or the first failing code
    const QString& path() const { return path_; }
    // The program's failed-write message naming the work file.
    Message failure() const { return saveFailedMessage(path_); }

  private:
    QString path_;
    int result_ = 0;
};

// Layout helpers of the report writers (their own namespace: the booking
// writers have helpers of the same kind).
namespace reporting {

// A run of c repeated count times ("-" * 60, "_" * 86).
QString repeatedChar(QChar c, int count);
// The dividing line of a verification block: 60 hyphens.
QString blockDivider();
// label + blanks + value so that the whole piece is width - 1 characters
// (padAppend on an empty line); never cuts.
QString alignedPiece(const QString& label, const QString& value, int width);

} // namespace reporting

// A report composed in memory, line by line, with the same operations as
// ReportFile, and then written whole (writeWorkFile): the text of a report
// can be tested, and shown or kept, without touching the disk.
class ReportText {
  public:
    void put(const QString& text) { text_ += text; }
    void line(const QString& text) {
        text_ += text;
        text_ += QLatin1Char('\n');
    }
    void emptyLines(int count) {
        if (count > 0) text_ += QString(count, QLatin1Char('\n'));
    }
    void amountLine(const QString& label, const QString& value, int width) {
        line(reporting::alignedPiece(label, value, width));
    }
    const QString& text() const { return text_; }

  private:
    QString text_;
};

// Writes a composed report as its work file in one write: 0, or the failing
// code of the write (the old file then stands as it was).
int writeWorkFile(const QString& path, const QString& text);

} // namespace mv
