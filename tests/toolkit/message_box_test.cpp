// Message boxes: the button keywords, default buttons and result codes, the
// hook that answers them, and real boxes answered by keys or closed.
#include "toolkit/toolkit.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    // The test main may answer boxes through its own hook: put it back after.
    void SetUp() override { saved = tk::messageBoxHook(); }
    void TearDown() override { tk::setMessageBoxHook(saved); }
    // Real boxes: no hook.
    void realBoxes() { tk::setMessageBoxHook({}); }
    // Timers that act on real boxes end with the test.
    QObject scope;

    tk::MessageBoxHook saved;

    // Shows a box through the hook, which answers `answer`; the record is kept.
    int ask(const QString& buttons, int answer, const QString& icon = QStringLiteral("EXCLAMATION")) {
        tk::setMessageBoxHook([this, answer](const tk::BoxRecord& box) {
            seen.push_back(box);
            return answer;
        });
        return tk::messageBox(0, QStringLiteral("VARNING"), QStringLiteral("Rad ett\nRad två"), icon, buttons);
    }

    std::vector<tk::BoxRecord> seen;
};

TEST_F(MessageBoxTest, ButtonSetsInOrderWithSwedishTexts) {
    const tk::BoxButtons yn = tk::boxButtons(QStringLiteral("yes_NO"));
    EXPECT_EQ(yn.codes, (QList<int>{4, 1}));
    EXPECT_EQ(yn.texts, (QStringList{"Ja", "Nej"}));
    EXPECT_EQ(yn.defaultIndex, 1);

    const tk::BoxButtons ync = tk::boxButtons(QStringLiteral("YES_no_cancel"));
    EXPECT_EQ(ync.codes, (QList<int>{4, 1, 6}));
    EXPECT_EQ(ync.texts, (QStringList{"Ja", "Nej", "Avbryt"}));
    EXPECT_EQ(ync.defaultIndex, 0);

    const tk::BoxButtons oc = tk::boxButtons(QStringLiteral("ok_CANCEL"));
    EXPECT_EQ(oc.codes, (QList<int>{5, 6}));
    EXPECT_EQ(oc.texts, (QStringList{"OK", "Avbryt"}));
    EXPECT_EQ(oc.defaultIndex, 1);

    const tk::BoxButtons ari = tk::boxButtons(QStringLiteral("cancel_retry_IGNORE_help"));
    EXPECT_EQ(ari.codes, (QList<int>{6, 3, 2, 0}));
    EXPECT_EQ(ari.defaultIndex, 2);
    EXPECT_EQ(ari.texts.last(), QStringLiteral("Hjälp"));
}

TEST_F(MessageBoxTest, DefaultButtonIsTheUpperCaseWord) {
    EXPECT_EQ(tk::defaultBoxResult(QStringLiteral("yes_NO")), 1);
    EXPECT_EQ(tk::defaultBoxResult(QStringLiteral("YES_no")), 4);
    EXPECT_EQ(tk::defaultBoxResult(QStringLiteral("yes_no_CANCEL")), 6);
    EXPECT_EQ(tk::defaultBoxResult(QStringLiteral("RETRY_cancel")), 3);
    EXPECT_EQ(tk::defaultBoxResult(QStringLiteral("retry_CANCEL")), 6);
    EXPECT_EQ(tk::defaultBoxResult(QStringLiteral("cancel_RETRY_ignore")), 3);
    EXPECT_EQ(tk::defaultBoxResult(QStringLiteral("OK")), 5);
}

TEST_F(MessageBoxTest, UnknownEmptyOrWronglyCasedKeywordsGiveAnOkBox) {
    for (const char* k : {"", "yes_no", "YES_NO", "Yes_no", "maybe_NOT", "OK_ok"}) {
        const tk::BoxButtons b = tk::boxButtons(QString::fromLatin1(k));
        EXPECT_EQ(b.codes, QList<int>{5}) << k;
        EXPECT_EQ(b.texts, QStringList{"OK"}) << k;
    }
}

TEST_F(MessageBoxTest, HookRecordsTheBoxAndItsAnswerIsTheResult) {
    EXPECT_EQ(ask(QStringLiteral("YES_no"), 4), 4);
    EXPECT_EQ(ask(QStringLiteral("YES_no"), 1), 1);
    EXPECT_EQ(ask(QStringLiteral("ok_CANCEL"), 5), 5);
    EXPECT_EQ(ask(QStringLiteral("ok_CANCEL"), 6), 6);
    EXPECT_EQ(ask(QStringLiteral("RETRY_cancel"), 3), 3);
    EXPECT_EQ(ask(QStringLiteral("cancel_retry_IGNORE"), 2), 2);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].title, QStringLiteral("VARNING"));
    EXPECT_EQ(seen[0].text, QStringLiteral("Rad ett\nRad två"));
    EXPECT_EQ(seen[0].icon, QStringLiteral("EXCLAMATION"));
    EXPECT_EQ(seen[0].buttons, QStringLiteral("YES_no"));
    EXPECT_EQ(seen[0].defaultCode, 4);
    EXPECT_EQ(seen[3].defaultCode, 6);
}

TEST_F(MessageBoxTest, AnAnswerTheBoxCannotGiveIsItsDefault) {
    EXPECT_EQ(ask(QStringLiteral("yes_NO"), 5), 1);  // no OK button
    EXPECT_EQ(ask(QStringLiteral("OK"), 6), 5);      // no Cancel button
    EXPECT_EQ(ask(QStringLiteral(""), 4), 5);        // empty keyword: OK box
    EXPECT_EQ(ask(QStringLiteral("ok_HELP"), 0), 5); // Help answers nothing
}

TEST_F(MessageBoxTest, SimpleMessageIsAnOkBoxWithoutIconAndMayEmptyTheText) {
    tk::setMessageBoxHook([this](const tk::BoxRecord& box) {
        seen.push_back(box);
        return 5;
    });
    QString kept = QStringLiteral("Funktionen är ej klar ännu!");
    EXPECT_EQ(tk::simpleMessage(0, QStringLiteral("PROGRAMUTVECKLING"), kept), 0);
    EXPECT_EQ(kept, QStringLiteral("Funktionen är ej klar ännu!"));
    QString emptied = QStringLiteral("Klart");
    EXPECT_EQ(tk::simpleMessage(0, QStringLiteral("MEDDELANDE"), emptied, QStringLiteral("D")), 0);
    EXPECT_TRUE(emptied.isEmpty());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].icon, QString());
    EXPECT_EQ(seen[0].buttons, QStringLiteral("OK"));
    EXPECT_EQ(seen[1].text, QStringLiteral("Klart"));
}

TEST_F(MessageBoxTest, BoxLineForScriptedRuns) {
    const tk::BoxRecord box{QStringLiteral("STOPP"), QStringLiteral("Ett\nTvå"), QStringLiteral("STOP"),
                            QStringLiteral("yes_NO"), 1};
    EXPECT_EQ(tk::boxLine(box, 1), QStringLiteral("BOX STOPP | Ett\\nTvå | STOP | yes_NO -> 1"));
}

// Real boxes: answered by pressing a key, or closed as the close box would.
TEST_F(MessageBoxTest, EnterOnARealBoxPressesTheDefaultButton) {
    realBoxes();
    QTimer::singleShot(50, &scope, [] { tk::pressKey(QStringLiteral("Enter")); });
    EXPECT_EQ(tk::messageBox(0, QStringLiteral("FRÅGA"), QStringLiteral("Spara?"), QStringLiteral("QUESTION"),
                             QStringLiteral("yes_NO")),
              1);
    QTimer::singleShot(50, &scope, [] { tk::pressKey(QStringLiteral("Enter")); });
    EXPECT_EQ(tk::messageBox(0, QStringLiteral("FRÅGA"), QStringLiteral("Spara?"), QStringLiteral("QUESTION"),
                             QStringLiteral("YES_no")),
              4);
}

TEST_F(MessageBoxTest, AClosedBoxWithCancelGivesSixAndAnOkBoxFive) {
    realBoxes();
    QTimer::singleShot(50, &scope, [] { tk::closeModalWindows(); });
    EXPECT_EQ(tk::messageBox(0, QStringLiteral("VARNING"), QStringLiteral("Fortsätt?"), QStringLiteral("EXCLAMATION"),
                             QStringLiteral("OK_cancel")),
              6);
    QTimer::singleShot(50, &scope, [] { tk::closeModalWindows(); });
    EXPECT_EQ(tk::messageBox(0, QStringLiteral("MEDDELANDE"), QStringLiteral("Klart"), QStringLiteral("INFORMATION"),
                             QStringLiteral("OK")),
              5);
    QTimer::singleShot(50, &scope, [] { tk::closeModalWindows(); });
    EXPECT_EQ(tk::messageBox(0, QStringLiteral("VARNING"), QStringLiteral("Avbryt?"), QString(),
                             QStringLiteral("YES_no_cancel")),
              6);
    EXPECT_FALSE(tk::modalWindowOpen());
}

} // namespace
