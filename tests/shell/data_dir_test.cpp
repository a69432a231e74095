// The data directory rule: --data, else a current directory that already
// holds drive_info, else MerValla in the home folder, created.
#include "shell/data_dir.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFileInfo>

namespace {

class DataDirTest : public TempDirTest {
protected:
    QString at(const QString& name) const { return dir_.path() + u'/' + name; }
};

TEST_F(DataDirTest, DataOptionWinsAndIsCreated) {
    QDir().mkpath(at(QStringLiteral("cwd/drive_info")));
    const QString chosen = shell::chooseDataDirectory(at(QStringLiteral("books/2014")),
                                                      at(QStringLiteral("cwd")), at(QStringLiteral("home")));
    EXPECT_EQ(chosen, QFileInfo(at(QStringLiteral("books/2014"))).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(chosen).isDir());
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("home/MerValla"))));
}

TEST_F(DataDirTest, CurrentDirectoryWithDriveInfo) {
    QDir().mkpath(at(QStringLiteral("cwd/drive_info")));
    EXPECT_EQ(shell::chooseDataDirectory(QString(), at(QStringLiteral("cwd")), at(QStringLiteral("home"))),
              QFileInfo(at(QStringLiteral("cwd"))).absoluteFilePath());
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("home/MerValla"))));
}

TEST_F(DataDirTest, OtherwiseMerVallaInTheHomeFolder) {
    QDir().mkpath(at(QStringLiteral("cwd")));
    // A file named drive_info is not the program's folder.
    putBytes(at(QStringLiteral("cwd/drive_info")), "x");
    const QString chosen =
        shell::chooseDataDirectory(QString(), at(QStringLiteral("cwd")), at(QStringLiteral("home")));
    EXPECT_EQ(chosen, QFileInfo(at(QStringLiteral("home/MerValla"))).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(chosen).isDir());
}

TEST_F(DataDirTest, UncreatableDirectoryGivesEmpty) {
    putBytes(at(QStringLiteral("file")), "x");
    EXPECT_EQ(shell::chooseDataDirectory(at(QStringLiteral("file/books")), at(QStringLiteral("cwd")),
                                         at(QStringLiteral("home"))),
              QString());
}

} // namespace
