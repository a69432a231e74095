#pragma once
// Every test that touches files runs in a fresh empty working directory,
// because the program names its files relative to the working directory.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Raw bytes of a file ("" when missing).
    static QByteArray bytesOf(const QString& path);
    // Writes raw bytes (no conversion), creating folders as needed.
    static void putBytes(const QString& path, const QByteArray& bytes);
    // Bytes of a golden file under tests/golden.
    static QByteArray golden(const QString& name);

    QString oldDir_;
    QTemporaryDir dir_;
};
