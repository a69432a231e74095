// The help marks and the welcome page's links through the real window: each
// page on show draws its "?" and a click on it opens its page of the manual
// that the build laid beside the programs; the welcome links answer only
// while the welcome page is shown; a page that cannot be opened says so.
#include "help/manual.h"
#include "help/pages/help_pages.h"
#include "shell/page.h"
#include "store/years.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

class HelpLinksPageTest : public uitest::ShellTest {
  protected:
    void SetUp() override {
        uitest::ShellTest::SetUp();
        uitest::installBoxHook();
        tk::setExternalHook([this](const QString& what) {
            opened << what;
            return externalResult;
        });
    }
    void TearDown() override {
        tk::setExternalHook({});
        uitest::ShellTest::TearDown();
    }
    // A created, selected and stamped year 2014, so the guarded pages open.
    void startOnYear() {
        int progress = 1;
        ASSERT_TRUE(mv::createYear("2014", mv::buildPathTable("0000"), false, progress,
                                   [](const mv::Message&) { return mv::answerOk; })
                        .created);
        putBytes("drive_info/valdbokforingsar.kdb", "2014\r\n");
        ASSERT_TRUE(stampYear("2014"));
        startShell();
    }
    // The address a manual page is opened with.
    static QString manualAddress(const QString& page) {
        const QString file = QDir(helpui::manualFolder()).absoluteFilePath(page);
        return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
    }
    // Pixels of the "?" (white, or yellow on the reports page) in the mark's square.
    int markPixels(int left, int top) const {
        int n = 0;
        for (int y = top; y < top + 12; ++y)
            for (int x = left; x < left + 10; ++x) {
                const int c = pixel(x, y);
                if (c == tk::rgb(255, 255, 255) || c == tk::rgb(255, 255, 0)) ++n;
            }
        return n;
    }
    void clickAndSettle(int x, int y) {
        opened.clear();
        ASSERT_TRUE(uitest::clickAt(x, y));
        uitest::settle();
    }

    QStringList opened;
    int externalResult = 0;
};

TEST_F(HelpLinksPageTest, TheManualLiesBesideTheProgramsOfTheBuild) {
    const QString folder = helpui::manualFolder();
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/index.htm")).isFile()) << folder.toStdString();
    for (const QString& page : mv::help::manualPagesOpened())
        EXPECT_TRUE(QFileInfo(folder + u'/' + page).isFile()) << page.toStdString();
}

TEST_F(HelpLinksPageTest, EveryPageShownDrawsItsMarkAndAClickOnItOpensItsPage) {
    startOnYear();
    struct Case {
        int command;
        int x, y;
        const char* page;
        // The report viewer fills the reports page from y 80: a click at
        // 259, 111 goes to the viewer there, as a click on a control does.
        bool generalSpotFree;
    };
    const Case cases[] = {
        {1036, 280, 60, "inkomst.htm", true},
        {1042, 280, 60, "utgift.htm", true},
        {1030, 280, 60, "kassa.htm", true},
        {1010, 780, 60, "boker_dagbok.htm", false},
        {1009, 780, 60, "boker_kassabok.htm", false},
        {1011, 780, 60, "boker_huvudbok.htm", false},
        {1019, 780, 60, "verktyg_foretagsuppgifter.htm", true},
        {1060, 780, 60, "verktyg_installningar.htm", true},
        {1200, 780, 60, "verktyg_kopiering.htm", true},
        {1055, 780, 60, "verktyg_valj_bokforingsar.htm", true},
        {1016, 780, 60, "verktyg_skapa_bokforingsar.htm", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        uitest::sendCommand(c.command);
        uitest::settle();
        EXPECT_GT(markPixels(c.x, c.y), 3) << "no \"?\" drawn";
        clickAndSettle(c.x + 5, c.y + 5);
        EXPECT_EQ(opened, QStringList{manualAddress(QString::fromUtf8(c.page))});
        clickAndSettle(c.x, c.y + 5); // the edge
        EXPECT_TRUE(opened.isEmpty());
        if (!c.generalSpotFree) continue;
        clickAndSettle(259, 111);
        EXPECT_EQ(opened, QStringList{manualAddress(QStringLiteral("behorighet.htm"))});
    }
    EXPECT_TRUE(uitest::boxes().empty());
}

TEST_F(HelpLinksPageTest, TheWelcomeLinksAnswerOnlyWhileTheWelcomePageIsShown) {
    startOnYear();
    clickAndSettle(30, 365);
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://www.bfn.se/")});
    clickAndSettle(600, 230);
    EXPECT_EQ(opened, QStringList{manualAddress(QStringLiteral("index.htm"))});
    clickAndSettle(259, 111);
    EXPECT_EQ(opened, QStringList{manualAddress(QStringLiteral("behorighet.htm"))});

    uitest::sendCommand(1019); // the company page covers the welcome page
    uitest::settle();
    clickAndSettle(30, 365);
    EXPECT_TRUE(opened.isEmpty());
    clickAndSettle(600, 350);
    EXPECT_TRUE(opened.isEmpty());

    uitest::sendCommand(1500); // "Start"
    uitest::settle();
    clickAndSettle(600, 350);
    EXPECT_EQ(opened, QStringList{QStringLiteral("https://www.skatteverket.se/")});
}

TEST_F(HelpLinksPageTest, TheWelcomePageDrawsTheLinksOfTheTable) {
    startOnYear(); // without a year the first-start box covers the support links
    for (const mv::help::WelcomeLink& l : mv::help::welcomeLinks()) {
        if (l.frame == mv::help::LinkFrame::Update) continue;
        int blue = 0; // the label's link colour, smoothed at the edges
        for (int y = l.area.top; y < l.area.top + 18; ++y)
            for (int x = l.area.left; x < l.area.left + 60; ++x) {
                const int c = pixel(x, y);
                if ((c >> 16 & 0xff) > 150 && (c & 0xff) < 120 && (c >> 8 & 0xff) < 120) ++blue;
            }
        EXPECT_GT(blue, 10) << l.label;
    }
}

TEST_F(HelpLinksPageTest, TheInvoiceTemplateCommandOpensItsPage) {
    startShell();
    opened.clear();
    uitest::sendCommand(1301);
    uitest::settle();
    EXPECT_EQ(opened, QStringList{manualAddress(QStringLiteral("fakturamall.htm"))});
}

TEST_F(HelpLinksPageTest, APageThatCannotBeOpenedGivesAMessageNamingTheFile) {
    startShell();
    EXPECT_FALSE(helpui::open({QStringLiteral("saknas.htm"), true}));
    EXPECT_TRUE(opened.isEmpty()); // a missing page is never handed to the desktop
    const QString missing =
        QDir::toNativeSeparators(QDir(helpui::manualFolder()).absoluteFilePath("saknas.htm"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("Dr. Hjälp"));
    EXPECT_EQ(uitest::boxes()[0].text, mv::help::pageMissingMessage(missing).text);
    EXPECT_EQ(uitest::boxes()[0].icon, QStringLiteral("EXCLAMATION"));

    externalResult = 1; // no browser
    clickAndSettle(259, 111);
    const QString general =
        QDir::toNativeSeparators(QDir(helpui::manualFolder()).absoluteFilePath("behorighet.htm"));
    ASSERT_EQ(uitest::boxes().size(), 2u);
    EXPECT_EQ(uitest::boxes()[1].text, mv::help::pageNotOpenedMessage(general).text);
    clickAndSettle(30, 365);
    ASSERT_EQ(uitest::boxes().size(), 3u);
    EXPECT_EQ(uitest::boxes()[2].text,
              mv::help::linkNotOpenedMessage(QStringLiteral("https://www.bfn.se/")).text);
}

TEST_F(HelpLinksPageTest, TheWindowShowsTheProgramsIcon) {
    startShell();
    const QList<int> sizes = tk::windowIconSizes(window());
    for (int size : {16, 32, 48, 256})
        EXPECT_TRUE(sizes.contains(size)) << size;
}

} // namespace
