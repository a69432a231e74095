#pragma once
// The reports page through the whole shell: the year 2014 selected, its
// bokforing folder, printing into a PDF file that can be read back.
#include "support/ui_harness.h"

#include "store/record_file.h"
#include "store/text_codec.h"
#include "toolkit/toolkit.h"

#include <QDir>
#include <QFile>
#include <QProcess>

class ReportPageTest : public uitest::ShellTest {
  protected:
    void SetUp() override {
        uitest::ShellTest::SetUp();
        uitest::installBoxHook();
        putBytes("drive_info/valdbokforingsar.kdb", "2014\r\n");
        QDir().mkpath("2014/bokforing");
        pdf = QDir::current().absoluteFilePath("out.pdf");
        tk::setPrintToFile(pdf);
    }
    void TearDown() override {
        tk::setPrintToFile(QString());
        mv::setWriteHook({});
        uitest::ShellTest::TearDown();
    }
    void putText(const QString& path, const QString& text) {
        putBytes(path, mv::encodeStored(text));
    }
    QString textOf(const QString& path) const { return mv::decodeStored(bytesOf(path)); }
    // The text of the printed PDF, as a reader of the paper would see it.
    QString printedText() const {
        if (!QFile::exists(pdf)) return QString();
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        if (!p.waitForFinished(30000)) return "pdftotext did not run (poppler-utils missing?)";
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // The books as written, stamped so that the guarded commands run.
    void start() {
        ASSERT_TRUE(stampYear("2014"));
        startShell();
    }
    QString pdf;
};
