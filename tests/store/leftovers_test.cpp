// What interrupted work left behind is removed at start-up; everything else,
// books with names that only look alike included, stays.
#include "store/leftovers.h"
#include "store/record_file.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFileInfo>

using namespace mv;

using Leftovers = TempDirTest;

TEST_F(Leftovers, TemporaryFilesHalfBuiltYearsAndOldRepairFoldersGo) {
    const QString mark = temporaryMark;
    putBytes("2014/bokforing/_ver.kdb", "3");
    putBytes("2014/bokforing/_ver.kdb.hPATkc", "");
    putBytes("2014/bokforing/__in_verifikation.kdb.QyPgZe", "INKOMST");
    putBytes("2014/kunder/_kunder.kdb.cQcTSt", "");
    putBytes("2014/kunder/Kund.kdb.abc", "a customer's own file");
    putBytes("2014/bokforing/fsk/_dagbok.kdb" + mark + "Ab3dE9", "");
    putBytes("drive_info/anteckningar.txt.JgqxAE", "");
    putBytes("drive_info/anteckningar.txt", "Ring revisorn\r\n");
    putBytes("drive_info/skapas_2015/bokforing/_ver.kdb", "");
    putBytes("faktura.html" + mark + "Qw12Er", "");
    for (int i = 0; i < 8; ++i)
        putBytes(QStringLiteral("2014/bokforing/reparation_2014-03-07_09-0%1-00/_ver.kdb").arg(i), "x");

    const LeftoverCount c = cleanLeftovers();
    EXPECT_EQ(c.temporaryFiles, 6);
    EXPECT_EQ(c.stagingFolders, 1);
    EXPECT_EQ(c.repairFolders, 3);
    EXPECT_EQ(c.failures, 0);

    EXPECT_EQ(bytesOf("2014/bokforing/_ver.kdb"), QByteArray("3"));
    EXPECT_EQ(bytesOf("drive_info/anteckningar.txt"), QByteArray("Ring revisorn\r\n"));
    EXPECT_TRUE(QFileInfo::exists("2014/kunder/Kund.kdb.abc"));
    EXPECT_FALSE(QFileInfo::exists("drive_info/skapas_2015"));
    QStringList all;
    for (const QString& d : {QStringLiteral("2014/bokforing"), QStringLiteral("2014/kunder"),
                             QStringLiteral("2014/bokforing/fsk"), QStringLiteral("drive_info"),
                             QStringLiteral(".")})
        for (const QString& f : QDir(d).entryList(QDir::Files)) all << f;
    for (const QString& f : all) EXPECT_FALSE(isTemporaryLeftover(f)) << f.toStdString();
    EXPECT_EQ(QDir("2014/bokforing").entryList({"reparation_*"}, QDir::Dirs),
              QStringList({"reparation_2014-03-07_09-03-00", "reparation_2014-03-07_09-04-00",
                           "reparation_2014-03-07_09-05-00", "reparation_2014-03-07_09-06-00",
                           "reparation_2014-03-07_09-07-00"}));
}
