#pragma once
// A fresh working directory with accounting years made the way the program
// makes them, and helpers to tamper with their files.
#include "message_recorder.h"
#include "store/integrity.h"
#include "store/paths.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/store_layout.h"
#include "store/years.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>
#include <memory>

class YearTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        // Atomic writes flush to the disk; on a memory file system, where
        // available, the many writes of these tests cost next to nothing.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable()) {
            fast_ = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/mervalla-XXXXXX"));
            if (fast_->isValid()) {
                ASSERT_TRUE(QDir::setCurrent(fast_->path()));
            }
        }
        mv::setWriteHook({});
        mv::resetYearRecord();
    }
    void TearDown() override {
        mv::setWriteHook({});
        TempDirTest::TearDown();
        fast_.reset();
    }
    std::unique_ptr<QTemporaryDir> fast_;

    // Creates the year (carrying over from `from` when it is a year) and
    // returns its path table. The creation's own messages are not kept.
    static mv::PathTable
    makeYear(const QString& year,
             const mv::PathTable& from = mv::buildPathTable(QStringLiteral("0000"))) {
        MessageRecorder r;
        int progress = 0;
        const auto out = mv::createYear(year, from, false, progress, r.show());
        EXPECT_TRUE(out.created) << year.toStdString();
        return mv::buildPathTable(year);
    }

    static QString bok(const mv::PathTable& p, const QString& name) {
        return mv::joinPath(p.bokforingDir, name);
    }

    // Every disk change after the first `allowed` ones fails, as if the
    // program had died there.
    static void stopAfter(int allowed) {
        auto count = std::make_shared<int>(0);
        mv::setWriteHook([count, allowed](const QString&) { return (*count)++ < allowed; });
    }

    static QDateTime mtime(const QString& path) { return QFileInfo(path).lastModified(); }

    // Name -> bytes of every file directly in the folder, except those named.
    static std::map<QString, QByteArray> snapshot(const QString& folder,
                                                  const QStringList& except = {}) {
        std::map<QString, QByteArray> files;
        for (const QFileInfo& fi : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
            if (!except.contains(fi.fileName())) files[fi.fileName()] = bytesOf(fi.filePath());
        return files;
    }
};
