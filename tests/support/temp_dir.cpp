#include "support/temp_dir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void TempDirTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    oldDir_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
}

void TempDirTest::TearDown() { QDir::setCurrent(oldDir_); }

QByteArray TempDirTest::bytesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray();
    return f.readAll();
}

void TempDirTest::putBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray TempDirTest::golden(const QString& name) {
    QFile f(QStringLiteral(MERVALLA_GOLDEN_DIR "/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << "missing golden file " << name.toStdString();
    return f.readAll();
}
