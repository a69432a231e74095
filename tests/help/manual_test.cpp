// The manual shipped with the program: every page the program opens exists
// with every anchor it opens, no link of the manual points at a missing file
// or anchor, every page is reached from the start page, and the program finds
// the manual where the install and the build put it.
#include "help/manual.h"
#include "support/temp_dir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

const QString sourceManual = QStringLiteral(MERVALLA_MANUAL_SOURCE);

QString textOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QStringList htmlPages() {
    return QDir(sourceManual).entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
}

bool hasAnchor(const QString& html, const QString& anchor) {
    return html.contains(QStringLiteral("id=\"") + anchor + u'"');
}

// Every local link (href or src) of a page, as written.
QStringList localLinks(const QString& html) {
    static const QRegularExpression attribute(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    QStringList links;
    for (auto it = attribute.globalMatch(html); it.hasNext();) {
        const QString link = it.next().captured(1);
        if (!link.startsWith(QStringLiteral("https://")) &&
            !link.startsWith(QStringLiteral("mailto:")))
            links << link;
    }
    return links;
}

TEST(ManualTest, EveryPageTheProgramOpensExistsWithItsAnchor) {
    for (const QString& page : mv::help::manualPagesOpened())
        EXPECT_TRUE(QFile::exists(sourceManual + u'/' + page)) << page.toStdString();
    for (const mv::help::HelpArea& h : mv::help::helpAreas()) {
        const QString page = QString::fromUtf8(h.page);
        const qsizetype hash = page.indexOf(u'#');
        if (hash < 0) continue;
        const QString html = textOf(sourceManual + u'/' + page.left(hash));
        EXPECT_TRUE(hasAnchor(html, page.mid(hash + 1))) << page.toStdString();
    }
}

TEST(ManualTest, NoLinkPointsAtAMissingFileOrAnchor) {
    int links = 0;
    for (const QString& name : htmlPages()) {
        const QString html = textOf(sourceManual + u'/' + name);
        for (const QString& link : localLinks(html)) {
            SCOPED_TRACE((name + QStringLiteral(" -> ") + link).toStdString());
            EXPECT_FALSE(link.contains(QStringLiteral("://"))) << "only https:// leaves the manual";
            const qsizetype hash = link.indexOf(u'#');
            const QString file = hash < 0 ? link : link.left(hash);
            const QString target = file.isEmpty() ? name : file;
            ASSERT_TRUE(QFile::exists(sourceManual + u'/' + target));
            if (hash >= 0) {
                EXPECT_TRUE(hasAnchor(textOf(sourceManual + u'/' + target), link.mid(hash + 1)));
            }
            ++links;
        }
    }
    EXPECT_GT(links, 100);
}

TEST(ManualTest, EveryPageIsReachedFromTheStartPage) {
    QSet<QString> reached{QStringLiteral("index.htm")};
    QStringList queue{QStringLiteral("index.htm")};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        for (QString link : localLinks(textOf(sourceManual + u'/' + page))) {
            link = link.left(link.indexOf(u'#') < 0 ? link.size() : link.indexOf(u'#'));
            if (link.endsWith(QStringLiteral(".htm")) && !reached.contains(link)) {
                reached.insert(link);
                queue << link;
            }
        }
    }
    for (const QString& name : htmlPages())
        EXPECT_TRUE(reached.contains(name)) << name.toStdString();
}

TEST(ManualTest, EveryPageIsASwedishUtf8PageWithItsTitleAndTheStyleSheet) {
    const QStringList pages = htmlPages();
    EXPECT_GE(pages.size(), 32);
    for (const QString& name : pages) {
        SCOPED_TRACE(name.toStdString());
        const QString html = textOf(sourceManual + u'/' + name);
        EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
        EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"sv\">")));
        EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        EXPECT_TRUE(html.contains(QStringLiteral("<title>")));
        EXPECT_EQ(html.count(QStringLiteral("<h1>")), 1);
        EXPECT_TRUE(html.contains(QStringLiteral("href=\"stil.css\"")));
        EXPECT_FALSE(html.contains(QChar::ReplacementCharacter));
    }
}

class ManualFolderTest : public TempDirTest {
  protected:
    QString root() const { return dir_.path(); }
    void makeManual(const QString& folder) {
        putBytes(folder + QStringLiteral("/index.htm"), "<!DOCTYPE html>");
        putBytes(folder + QStringLiteral("/inkomst.htm"), "<!DOCTYPE html>");
    }
};

TEST_F(ManualFolderTest, TheInstalledPlaceFirstThenAFolderBesideTheProgram) {
    const QString bin = root() + QStringLiteral("/usr/bin");
    QDir().mkpath(bin);
    const QString installed =
        QDir::cleanPath(root() + QStringLiteral("/usr/share/mervalla/manual"));
    // Nothing anywhere: the installed place is the one named in messages.
    EXPECT_EQ(mv::help::manualFolder(bin), installed);
    makeManual(bin + QStringLiteral("/manual"));
    EXPECT_EQ(mv::help::manualFolder(bin), bin + QStringLiteral("/manual"));
    makeManual(installed);
    EXPECT_EQ(mv::help::manualFolder(bin), installed);
}

TEST_F(ManualFolderTest, AManualPageBecomesAFileAddressWithItsAnchor) {
    const QString folder = root() + QStringLiteral("/manual");
    makeManual(folder);
    const mv::help::Opening plain =
        mv::help::openingOf({QStringLiteral("inkomst.htm"), true}, folder);
    EXPECT_EQ(plain.address,
              QUrl::fromLocalFile(folder + QStringLiteral("/inkomst.htm")).toString());
    EXPECT_FALSE(plain.refusal);
    EXPECT_TRUE(plain.failure.text.contains(folder + QStringLiteral("/inkomst.htm")));

    const mv::help::Opening anchored = mv::help::openingOf(
        {QStringLiteral("index.htm#Skapa_en_faktura_Omvänd_moms"), true}, folder);
    EXPECT_TRUE(
        anchored.address.endsWith(QStringLiteral("/index.htm#Skapa_en_faktura_Omv%C3%A4nd_moms")));
    EXPECT_EQ(QUrl(anchored.address).toLocalFile(), folder + QStringLiteral("/index.htm"));
    EXPECT_FALSE(anchored.refusal);
}

TEST_F(ManualFolderTest, AMissingPageIsRefusedWithAMessageNamingTheFile) {
    const QString folder = root() + QStringLiteral("/manual");
    makeManual(folder);
    const mv::help::Opening o =
        mv::help::openingOf({QStringLiteral("utgift.htm#Spara"), true}, folder);
    ASSERT_TRUE(o.refusal);
    const QString file = QDir::toNativeSeparators(folder + QStringLiteral("/utgift.htm"));
    EXPECT_EQ(*o.refusal, mv::help::pageMissingMessage(file));
    EXPECT_EQ(o.refusal->title, QStringLiteral("Dr. Hjälp"));
    EXPECT_EQ(o.refusal->text,
              QStringLiteral("Hjälpsidan finns inte:\n") + file +
                  QStringLiteral("\n\nManualen följer med programmet. Installera om MerValla om "
                                 "filen saknas."));
}

TEST_F(ManualFolderTest, AnOutsideAddressIsHandedOverAsItIs) {
    const mv::help::Opening o =
        mv::help::openingOf({QStringLiteral("https://www.bfn.se/"), false}, root());
    EXPECT_EQ(o.address, QStringLiteral("https://www.bfn.se/"));
    EXPECT_FALSE(o.refusal);
    EXPECT_EQ(o.failure.text, QStringLiteral("Länken kunde inte öppnas i webbläsaren:\n"
                                             "https://www.bfn.se/\n\nSkriv in adressen i en "
                                             "webbläsare för hand."));
}

} // namespace
