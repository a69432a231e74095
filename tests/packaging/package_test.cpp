// The Debian package made from this build tree: CPack builds it, dpkg-deb
// unpacks it into a temporary root, and the installed tree must hold the
// program, the whole manual, a valid desktop entry, the icon in every size
// and the man page, with the runtime packages among its dependencies. The
// unpacked program must find the unpacked manual.
#include "help/help_links.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
};

Outcome run(const QString& program, const QStringList& arguments, int timeoutMs = 100000) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(timeoutMs)) return {-1, QStringLiteral("did not finish")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
}

class PackageTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        // dpkg-deb comes with dpkg on every Debian system; only elsewhere
        // (another platform) is there no way to unpack the package.
        if (QStandardPaths::findExecutable(QStringLiteral("dpkg-deb")).isEmpty())
            GTEST_SKIP() << "dpkg-deb is not on this system (not Debian): no package to check";
        root = dir_.path() + QStringLiteral("/root");
    }
    QString built() {
        const Outcome cpack =
            run(QStringLiteral("cpack"),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                 QStringLiteral(MERVALLA_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                 dir_.path() + QStringLiteral("/out")});
        EXPECT_EQ(cpack.exitCode, 0) << cpack.out.toStdString();
        const QStringList debs = QDir(dir_.path() + QStringLiteral("/out"))
                                     .entryList({QStringLiteral("mervalla_*.deb")}, QDir::Files);
        EXPECT_EQ(debs.size(), 1) << cpack.out.toStdString();
        return debs.isEmpty() ? QString() : dir_.path() + QStringLiteral("/out/") + debs.first();
    }
    bool installed(const QString& path) const { return QFileInfo(root + u'/' + path).isFile(); }

    QString root;
};

TEST_F(PackageTest, TheUnpackedPackageHoldsTheProgramTheManualTheDesktopEntryTheIconAndTheManPage) {
    const QString deb = built();
    ASSERT_FALSE(deb.isEmpty());
    const Outcome unpack = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root});
    ASSERT_EQ(unpack.exitCode, 0) << unpack.out.toStdString();

    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/usr/bin/mervalla")).isExecutable());
    for (const QString& page : mv::help::manualPagesOpened())
        EXPECT_TRUE(installed(QStringLiteral("usr/share/mervalla/manual/") + page))
            << page.toStdString();
    const QStringList source =
        QDir(QStringLiteral(MERVALLA_SOURCE_DIR "/manual")).entryList(QDir::Files);
    const QStringList manual =
        QDir(root + QStringLiteral("/usr/share/mervalla/manual")).entryList(QDir::Files);
    EXPECT_EQ(manual, source);
    EXPECT_TRUE(installed(QStringLiteral("usr/share/applications/mervalla.desktop")));
    EXPECT_TRUE(installed(QStringLiteral("usr/share/icons/hicolor/scalable/apps/mervalla.svg")));
    for (const char* size : {"16x16", "24x24", "32x32", "48x48", "64x64", "128x128", "256x256"})
        EXPECT_TRUE(
            installed(QStringLiteral("usr/share/icons/hicolor/%1/apps/mervalla.png").arg(size)))
            << size;
    EXPECT_TRUE(installed(QStringLiteral("usr/share/man/man1/mervalla.1.gz")));

    // desktop-file-utils is installed by scripts/setup.sh.
    const Outcome validate =
        run(QStringLiteral("desktop-file-validate"),
            {root + QStringLiteral("/usr/share/applications/mervalla.desktop")});
    EXPECT_EQ(validate.exitCode, 0) << validate.out.toStdString();
    EXPECT_EQ(validate.out.trimmed(), QString()) << "hints or warnings";

    const Outcome fields =
        run(QStringLiteral("dpkg-deb"),
            {QStringLiteral("-f"), deb, QStringLiteral("Package"), QStringLiteral("Depends")});
    ASSERT_EQ(fields.exitCode, 0) << fields.out.toStdString();
    EXPECT_TRUE(fields.out.contains(QStringLiteral("Package: mervalla")));
    for (const char* dependency :
         {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6", "qt6-qpa-plugins",
          "fonts-liberation", "fonts-dejavu-core", "fontconfig", "xdg-utils"})
        EXPECT_TRUE(fields.out.contains(QString::fromUtf8(dependency))) << dependency << "\n"
                                                                        << fields.out.toStdString();

    // The unpacked program finds the unpacked manual: "MerValla Manual" on
    // the welcome page opens its start page.
    const Outcome program =
        run(root + QStringLiteral("/usr/bin/mervalla"),
            {QStringLiteral("--data"), dir_.path() + QStringLiteral("/books"),
             QStringLiteral("--offscreen"), QStringLiteral("--click"), QStringLiteral("600,230")},
            60000);
    const QString start =
        QDir::cleanPath(root + QStringLiteral("/usr/share/mervalla/manual/index.htm"));
    EXPECT_TRUE(program.out.contains(QStringLiteral("OPEN file://") + start))
        << program.out.toStdString();
}

} // namespace
