// The folder, file and find dialogs and opening outside programs, answered
// through their hooks as tests and scripted runs do.
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = tk::createWindow(QStringLiteral("Dialoger"), 0, 0, 400, 300, QStringLiteral("EMPTYLIST"));
        field = tk::createField(window, 10, 10, 300, 20, QStringLiteral("L"), 0);
        tk::setDialogHook([this](const tk::DialogRequest& r) {
            requests.push_back(r);
            return answer;
        });
    }
    void TearDown() override {
        tk::setDialogHook({});
        tk::setExternalHook({});
        tk::destroyWindow(window);
        tk::processEvents();
    }

    int window = 0;
    int field = 0;
    QString answer;
    std::vector<tk::DialogRequest> requests;
};

TEST_F(DialogTest, FolderChosenOrCancelled) {
    answer = QStringLiteral("/hem/anna/Säkerhetskopior");
    QString result = QStringLiteral("oförändrad");
    EXPECT_EQ(tk::browseForFolder(window, QStringLiteral("Sökväg till platsen för kopian"), result,
                                  QStringLiteral("FILSYSTEM")),
              0);
    EXPECT_EQ(result, QStringLiteral("/hem/anna/Säkerhetskopior"));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, QStringLiteral("FOLDER"));
    EXPECT_EQ(requests[0].title, QStringLiteral("Sökväg till platsen för kopian"));
    EXPECT_EQ(requests[0].keyword, QStringLiteral("FILSYSTEM"));
    answer.clear();
    EXPECT_EQ(tk::browseForFolder(window, QStringLiteral("x"), result, QStringLiteral("FILSYSTEM")), 1);
    EXPECT_EQ(result, QStringLiteral("/hem/anna/Säkerhetskopior")) << "a cancel leaves the result";
}

TEST_F(DialogTest, FileDialogsPutTheNameOrPathIntoTheTarget) {
    answer = QStringLiteral("/data/2014/fakturor/faktura_12.kdb");
    QString result;
    EXPECT_EQ(tk::openFileDialog(field, QStringLiteral("Öppna"), QStringLiteral("FILENAME"),
                                 QStringLiteral("TXT_FILTER"), QString(), result),
              0);
    EXPECT_EQ(result, QStringLiteral("faktura_12.kdb"));
    EXPECT_EQ(tk::text(field), QStringLiteral("faktura_12.kdb"));
    EXPECT_EQ(requests.back().filters, (QStringList{"Text filer (*.txt)", "Alla filer (*.*)"}));
    EXPECT_EQ(tk::saveFileDialog(window, QStringLiteral("Spara"), QStringLiteral("PATH"),
                                 QStringLiteral("NONE_FILTER"), QString(), result),
              0);
    EXPECT_EQ(tk::title(window), QStringLiteral("/data/2014/fakturor/faktura_12.kdb"));
    EXPECT_EQ(requests.back().kind, QStringLiteral("SAVE"));
    answer.clear();
    tk::setText(field, QStringLiteral("kvar"));
    EXPECT_EQ(tk::openFileDialog(field, QStringLiteral("Öppna"), QStringLiteral("PATH"), QString(), QString(), result),
              1);
    EXPECT_EQ(tk::text(field), QStringLiteral("kvar"));
}

TEST_F(DialogTest, FilterKeywords) {
    const QStringList all = tk::fileFilters(QStringLiteral("ALL_FILTER"), QString());
    ASSERT_GE(all.size(), 4);
    EXPECT_EQ(all.mid(0, 3),
              (QStringList{"Text filer (*.txt)", "Write-dokument (*.wri)", "RTF-dokument (*.rtf)"}));
    EXPECT_EQ(all.last(), QStringLiteral("Alla filer (*.*)"));
    EXPECT_EQ(tk::fileFilters(QStringLiteral("C_DEV_FILTER"), QString()).first(),
              QStringLiteral("Programkod (*.c,*.cpp,*.h)"));
    EXPECT_EQ(tk::fileFilters(QStringLiteral("OWN_FILTER"), QStringLiteral("Bilder (*.png);;Alla (*)")),
              (QStringList{"Bilder (*.png)", "Alla (*)"}));
    EXPECT_EQ(tk::fileFilters(QStringLiteral("txt_filter"), QString()), QStringList{"Alla filer (*.*)"});
}

TEST_F(DialogTest, FindNextSelectsTheNextMatchAndWraps) {
    const int view = tk::createRichView(window, 0, 0, 300, 200, QStringLiteral("VSCROLL"), 0);
    tk::setText(view, QStringLiteral("Moms 25\nmoms 12\nMOMS 6"));
    tk::selectRange(view, 0, 0);
    EXPECT_EQ(tk::findNext(view, QStringLiteral("moms"), false), 0);
    EXPECT_EQ(tk::findNext(view, QStringLiteral("moms"), false), 8);
    EXPECT_EQ(tk::findNext(view, QStringLiteral("moms"), false), 16);
    EXPECT_EQ(tk::findNext(view, QStringLiteral("moms"), false), 0) << "wraps to the start";
    EXPECT_EQ(tk::findNext(view, QStringLiteral("moms"), true), 8);
    EXPECT_EQ(tk::selectedText(view), QStringLiteral("moms"));
    EXPECT_EQ(tk::findNext(view, QStringLiteral("skatt"), false), -1);
    const int dialog = tk::openFindDialog(window, view);
    EXPECT_NE(dialog, 0);
    EXPECT_EQ(tk::title(dialog), QStringLiteral("Sök"));
    tk::destroyWindow(dialog);
}

TEST_F(DialogTest, OutsideProgramsGoThroughTheHook) {
    std::vector<QString> opened;
    tk::setExternalHook([&opened](const QString& target) {
        opened.push_back(target);
        return target.isEmpty() ? 1 : 0;
    });
    EXPECT_EQ(tk::openExternal(QStringLiteral("drive_info\\faktura.png")), 0);
    EXPECT_EQ(tk::openExternal(QString()), 1);
    EXPECT_EQ(opened, (std::vector<QString>{"drive_info\\faktura.png", ""}));
}

} // namespace
