// The first-start steps through the real window: create a year, activate it,
// enter the company details; a locked year; the guard in front of a command.
#include "shell/page.h"
#include "store/integrity.h"
#include "store/record_file.h"
#include "store/settings.h"
#include "store/years.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <QFileInfo>

using uitest::ShellTest;

namespace {

class YearPagesTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        mv::setWriteHook({});
        mv::resetYearRecord();
    }
    QStringList boxTitles() const {
        QStringList t;
        for (const auto& b : uitest::boxes())
            t << b.title;
        return t;
    }
    int button(int command) const { return tk::buttonWithCommand(window(), command); }
};

TEST_F(YearPagesTest, FirstStartCreatesActivatesAndEntersTheCompany) {
    startShell();
    EXPECT_EQ(shell::state().firstStartProgress, 1);

    uitest::sendCommand(1016);
    EXPECT_EQ(pageState(shell::PageId::CreateYear), 1);
    EXPECT_EQ(tk::text(tk::focusedControl()), QStringLiteral("2014")) << "the calendar year";
    ASSERT_TRUE(uitest::pressCommand(1017));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, QStringLiteral("\n\nNytt bokföringsår är skapat!\n\n"));
    EXPECT_EQ(shell::state().firstStartProgress, 2);
    EXPECT_EQ(pageState(shell::PageId::CreateYear), 0);
    EXPECT_GT(pageState(shell::PageId::Welcome), 0);
    EXPECT_TRUE(QFileInfo(QStringLiteral("2014/bokforing/__A_tidsstampel.kdb")).isFile());

    uitest::clearBoxes();
    uitest::sendCommand(1055);
    EXPECT_EQ(pageState(shell::PageId::SelectYear), 1);
    ASSERT_TRUE(uitest::pressCommand(1018));
    // FÖRSTA START, then the tools page through its guarded command: the new
    // year passes its first check without any message.
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("FÖRSTA START")});
    EXPECT_EQ(shell::state().firstStartProgress, 3);
    EXPECT_EQ(shell::state().selectedYear, QStringLiteral("2014"));
    EXPECT_EQ(windowTitle(), QStringLiteral("MerValla för år  2014"));
    EXPECT_EQ(tk::text(button(1033)), QStringLiteral("SLUTFÖR ÅR 2014"));
    EXPECT_EQ(bytesOf(QStringLiteral("drive_info/valdbokforingsar.kdb")), QByteArray("2014\r\n"));
    EXPECT_GT(pageState(shell::PageId::Tools), 0);
    EXPECT_EQ(bytesOf(QStringLiteral("2014/bokforing/__A_avstangkontroll.kdb")),
              QByteArray("1\r\n"));

    uitest::clearBoxes();
    uitest::sendCommand(1019);
    EXPECT_EQ(pageState(shell::PageId::Company), 1);
    ASSERT_TRUE(uitest::typeText(QStringLiteral("Bågen AB")));
    ASSERT_TRUE(uitest::pressKey(QStringLiteral("Enter")));
    ASSERT_TRUE(uitest::typeText(QStringLiteral("Box 7")));
    ASSERT_TRUE(uitest::pressCommand(1020));
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_EQ(shell::state().firstStartProgress, 0);
    EXPECT_EQ(bytesOf(QStringLiteral("2014/foretaget/foretaget.kdb")),
              QByteArray("B\xe5gen AB\r\nBox 7\r\n") + QByteArray("\r\n").repeated(11));
    EXPECT_EQ(mv::yearRecord().company.name(), QStringLiteral("Bågen AB"));
}

TEST_F(YearPagesTest, LockedYearDisablesSkapaAndCreatesNothing) {
    int progress = 0;
    ASSERT_TRUE(mv::createYear(QStringLiteral("2014"), mv::buildPathTable(QStringLiteral("0000")),
                               false, progress, [](const mv::Message&) { return mv::answerOk; })
                    .created);
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    putBytes(QStringLiteral("2014/bokforing/_status.kdb"), "l\xe5st");
    startShell();
    EXPECT_EQ(windowTitle(), QStringLiteral("MerValla för år  2014 ÅRET ÄR LÅST FÖR REDIGERING"));
    uitest::sendCommand(1016);
    EXPECT_FALSE(tk::isEnabled(button(1017)));
    uitest::sendCommand(1017);
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("2015")));

    uitest::sendCommand(1060);
    EXPECT_FALSE(tk::isEnabled(button(1061)));
}

TEST_F(YearPagesTest, ActivatingAMissingYearChangesNothing) {
    int progress = 0;
    mv::createYear(QStringLiteral("2014"), mv::buildPathTable(QStringLiteral("0000")), false,
                   progress, [](const mv::Message&) { return mv::answerOk; });
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    startShell();
    const QString title = windowTitle();
    uitest::sendCommand(1055);
    const int field = tk::focusedControl();
    tk::setText(field, QStringLiteral("2013"));
    ASSERT_TRUE(uitest::pressCommand(1018));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("VARNING"));
    EXPECT_EQ(uitest::boxes()[0].text, QStringLiteral("Året du försöker aktivera finns inte!"));
    EXPECT_EQ(windowTitle(), title);
    EXPECT_EQ(shell::state().selectedYear, QStringLiteral("2014"));
    EXPECT_EQ(shell::paths().year, QStringLiteral("2014"));
    EXPECT_EQ(bytesOf(QStringLiteral("drive_info/valdbokforingsar.kdb")), QByteArray("2014\r\n"));
}

TEST_F(YearPagesTest, GuardRepairsATouchedFileAndDropsTheCommand) {
    int progress = 0;
    mv::createYear(QStringLiteral("2014"), mv::buildPathTable(QStringLiteral("0000")), false,
                   progress, [](const mv::Message&) { return mv::answerOk; });
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    putBytes(QStringLiteral("2014/bokforing/__A_avstangkontroll.kdb"), "0\r\n");
    startShell();
    const mv::PathTable p = shell::paths();
    const QByteArray good = bytesOf(p.verCounter);
    putBytes(p.verCounter, "41");
    mv::setLastWriteTime(p.verCounter, QFileInfo(p.stamp).lastModified().addSecs(25));

    uitest::sendCommand(1015);
    const QStringList expected = {
        QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> VARNING <<<<<<<<<<<<<<<<<<<<<<<<<<<"),
        QStringLiteral(">>>>>>>>>>>>>>>>>>>>>>>>>>> REPARATION <<<<<<<<<<<<<<<<<<<<<<<<<<<")};
    EXPECT_EQ(boxTitles(), expected);
    EXPECT_EQ(pageState(shell::PageId::Tools), 0) << "the command was dropped";
    EXPECT_GT(pageState(shell::PageId::Welcome), 0);
    EXPECT_EQ(bytesOf(p.verCounter), good);
    EXPECT_EQ(shell::state().abortKey, 0);

    uitest::clearBoxes();
    uitest::sendCommand(1015);
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_GT(pageState(shell::PageId::Tools), 0);
}

TEST_F(YearPagesTest, SettingsFieldsAreAnEditorOfTheLoadedRecord) {
    int progress = 0;
    mv::createYear(QStringLiteral("2014"), mv::buildPathTable(QStringLiteral("0000")), false,
                   progress, [](const mv::Message&) { return mv::answerOk; });
    putBytes(QStringLiteral("drive_info/valdbokforingsar.kdb"), "2014\r\n");
    startShell();
    const QByteArray stored = bytesOf(QStringLiteral("2014/foretaget/installningar.kdb"));

    uitest::sendCommand(1060);
    EXPECT_EQ(pageState(shell::PageId::Settings), 1);
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(uitest::pressKey(QStringLiteral("Enter")));
    const int vat1 = tk::focusedControl();
    ASSERT_EQ(tk::text(vat1), QStringLiteral("25"));
    tk::setText(vat1, QString());
    ASSERT_TRUE(uitest::typeText(QStringLiteral("2 5")));
    // Not saved: the rest of the program still sees 25.
    EXPECT_TRUE(mv::yearRecord().settings.isVatRate(25));
    ASSERT_TRUE(uitest::pressCommand(1061));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].title, QStringLiteral("INMATNINGSFEL"));
    EXPECT_EQ(uitest::boxes()[0].text,
              QStringLiteral("Felaktigt värde i fältet 'Moms 1 i %'!\n\nSkriv ett tal."));
    EXPECT_EQ(uitest::boxes()[0].icon, QStringLiteral("EXCLAMATION"));
    EXPECT_EQ(bytesOf(QStringLiteral("2014/foretaget/installningar.kdb")), stored);
    EXPECT_EQ(tk::text(vat1), QStringLiteral("2 5")) << "a refused save leaves the form as typed";

    // Leaving and reopening the page shows the record again.
    uitest::sendCommand(1500);
    uitest::sendCommand(1060);
    EXPECT_EQ(tk::text(vat1), QStringLiteral("25"));

    uitest::clearBoxes();
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(uitest::pressKey(QStringLiteral("Enter")));
    const int answer = tk::focusedControl();
    tk::setText(answer, QString());
    ASSERT_TRUE(uitest::typeText(QStringLiteral("jA")));
    ASSERT_TRUE(uitest::pressCommand(1061));
    EXPECT_TRUE(uitest::boxes().empty());
    EXPECT_TRUE(
        bytesOf(QStringLiteral("2014/foretaget/installningar.kdb")).endsWith("\r\n50\r\nJA\r\n"));
    EXPECT_EQ(mv::yearRecord().wholeKronor, 1);
    EXPECT_GT(pageState(shell::PageId::Tools), 0);
}

} // namespace
