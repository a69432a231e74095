// The keyboard model of the single-line fields: keys become commands to the
// window, Tab and Enter set the advance flag, one Enter moves one step, and
// typed characters (å ä ö too) still arrive within the typed-length limit.
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = tk::createWindow(QStringLiteral("Prov"), 0, 0, 400, 300, QStringLiteral("EMPTYLIST"));
        ASSERT_NE(window, 0);
        tk::WindowProcedure proc;
        proc.onCommand = [this](int c) { commands.push_back(c); };
        proc.onFieldEdited = [this](int control) { edited.push_back(control); };
        tk::setWindowProcedure(window, proc);
        a = tk::createField(window, 10, 10, 100, 20, QStringLiteral("L"), 40);
        b = tk::createField(window, 10, 40, 100, 20, QStringLiteral("R"), 20);
        c = tk::createField(window, 10, 70, 100, 20, QStringLiteral("C"), 20);
        tk::setAdvanceFlag(false);
        tk::processEvents();
        tk::setFocus(a);
        tk::processEvents();
        ASSERT_EQ(tk::hasFocus(a), 0);
    }
    void TearDown() override {
        tk::destroyWindow(window);
        tk::processEvents();
    }
    // The page's Enter handler: the pairs of its fields in tab order.
    void enterHandler() {
        tk::advanceFocus(a, b);
        tk::advanceFocus(b, c);
    }

    int window = 0;
    int a = 0;
    int b = 0;
    int c = 0;
    std::vector<int> commands;
    std::vector<int> edited;
};

TEST_F(KeyboardTest, EnterPostsThirteenSetsTheFlagAndMovesOneStep) {
    tk::setText(a, QStringLiteral("100"));
    ASSERT_EQ(tk::pressKey(QStringLiteral("Enter")), 0);
    EXPECT_TRUE(tk::advanceFlag());
    EXPECT_TRUE(commands.empty()) << "the command is posted, not sent";
    tk::processEvents();
    ASSERT_EQ(commands, std::vector<int>{13});
    EXPECT_EQ(tk::text(a), QStringLiteral("100")) << "Enter types nothing";
    enterHandler();
    EXPECT_EQ(tk::hasFocus(b), 0);
    EXPECT_EQ(tk::hasFocus(c), 1);
    EXPECT_FALSE(tk::advanceFlag());
    // Without a new Enter the handler moves nothing.
    enterHandler();
    EXPECT_EQ(tk::hasFocus(b), 0);
    tk::pressKey(QStringLiteral("Enter"));
    tk::processEvents();
    enterHandler();
    EXPECT_EQ(tk::hasFocus(c), 0);
}

TEST_F(KeyboardTest, TabAndDownBecomeCommandsAndDoNotMoveTheFocusThemselves) {
    tk::pressKey(QStringLiteral("Tab"));
    tk::processEvents();
    EXPECT_EQ(commands, std::vector<int>{9});
    EXPECT_TRUE(tk::advanceFlag());
    EXPECT_EQ(tk::hasFocus(a), 0);
    tk::setAdvanceFlag(false);
    tk::pressKey(QStringLiteral("Down"));
    tk::processEvents();
    EXPECT_EQ(commands, (std::vector<int>{9, 40}));
    EXPECT_FALSE(tk::advanceFlag()) << "Down does not advance";
    EXPECT_EQ(tk::hasFocus(a), 0);
    EXPECT_EQ(tk::pressKey(QStringLiteral("Bogus")), 2);
    EXPECT_EQ(tk::pressKey(QStringLiteral("enter")), 2) << "key names are exact";
}

TEST_F(KeyboardTest, EscapeOnTheWindowItselfIsAKeyDownForTheWindow) {
    std::vector<int> keys;
    tk::WindowProcedure proc;
    proc.onCommand = [this](int cmd) { commands.push_back(cmd); };
    proc.onKeyDown = [&keys](int key) { keys.push_back(key); };
    tk::setWindowProcedure(window, proc);
    tk::setFocus(window);
    tk::processEvents();
    EXPECT_EQ(tk::focusedControl(), window);
    tk::pressKey(QStringLiteral("Escape"));
    tk::processEvents();
    EXPECT_EQ(keys, std::vector<int>{27});
    EXPECT_TRUE(commands.empty());
    // In a field Escape is a command like any other key.
    tk::setFocus(b);
    tk::pressKey(QStringLiteral("Escape"));
    tk::processEvents();
    EXPECT_EQ(keys, std::vector<int>{27});
    EXPECT_EQ(commands, std::vector<int>{27});
}

TEST_F(KeyboardTest, DeleteAndBackspaceDeleteAndStillSendTheirCodes) {
    tk::setText(a, QStringLiteral("1234"));
    tk::pressKey(QStringLiteral("Home"));
    tk::pressKey(QStringLiteral("Delete"));
    tk::processEvents();
    EXPECT_EQ(tk::text(a), QStringLiteral("234")) << "Delete takes the character after the cursor";
    EXPECT_EQ(commands, std::vector<int>{46}) << "Home is not a command";
    tk::pressKey(QStringLiteral("End"));
    tk::pressKey(QStringLiteral("Backspace"));
    tk::processEvents();
    EXPECT_EQ(tk::text(a), QStringLiteral("23")) << "Backspace takes the one before it";
    EXPECT_EQ(commands, (std::vector<int>{46, 8}));
    EXPECT_FALSE(tk::advanceFlag());
    EXPECT_TRUE(edited.size() >= 2u) << "deleting is an edit the window hears of";
}

TEST_F(KeyboardTest, TypedCharactersArriveIncludingSwedishLetters) {
    ASSERT_EQ(tk::typeText(QStringLiteral("Åsa Öberg, räksmörgås 12.50")), 0);
    tk::processEvents();
    EXPECT_EQ(tk::text(a), QStringLiteral("Åsa Öberg, räksmörgås 12.50"));
    // Each key-down is also posted as its key code: 'Å' 221, 's' 83.
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], 221);
    EXPECT_EQ(commands[1], 83);
    // The window hears about the edit for its live recalculation.
    ASSERT_FALSE(edited.empty());
    EXPECT_EQ(edited.back(), a);
}

TEST_F(KeyboardTest, TypedLengthLimitDoesNotCutTextTheProgramSets) {
    const int small = tk::createField(window, 150, 10, 60, 20, QStringLiteral("L"), 4);
    tk::setFocus(small);
    tk::processEvents();
    tk::typeText(QStringLiteral("123456"));
    EXPECT_EQ(tk::text(small), QStringLiteral("1234"));
    tk::setText(small, QStringLiteral("Longer than four"));
    EXPECT_EQ(tk::text(small), QStringLiteral("Longer than four"));
    EXPECT_EQ(tk::textLength(small), 16);
    tk::pressKey(QStringLiteral("End"));
    tk::typeText(QStringLiteral("x"));
    EXPECT_EQ(tk::text(small), QStringLiteral("Longer than four"));
    tk::pressKey(QStringLiteral("Backspace"));
    EXPECT_EQ(tk::text(small), QStringLiteral("Longer than fou"));
}

TEST_F(KeyboardTest, DigitFieldsAcceptDigitsOnlyAndReadOnlyFieldsNothing) {
    const int number = tk::createField(window, 150, 40, 60, 20, QStringLiteral("NR"), 10);
    tk::setFocus(number);
    tk::processEvents();
    tk::typeText(QStringLiteral("12a-3,4"));
    EXPECT_EQ(tk::text(number), QStringLiteral("1234"));
    tk::setReadOnly(number, QStringLiteral("OFF"));
    EXPECT_TRUE(tk::isReadOnly(number));
    tk::typeText(QStringLiteral("5"));
    EXPECT_EQ(tk::text(number), QStringLiteral("1234"));
    tk::setReadOnly(number, QStringLiteral("ON"));
    EXPECT_FALSE(tk::isReadOnly(number));
    tk::typeText(QStringLiteral("5"));
    EXPECT_EQ(tk::text(number), QStringLiteral("12345"));
}

TEST_F(KeyboardTest, ButtonsSendTheirCommandAtOnce) {
    const int save = tk::createButton(window, 200, 200, 80, 30, QStringLiteral("Spara"), QStringLiteral("C"),
                                      QStringLiteral("SUNKEN"), 1020);
    EXPECT_EQ(tk::commandOf(save), 1020);
    EXPECT_EQ(tk::buttonWithCommand(window, 1020), save);
    EXPECT_EQ(tk::pressButton(save), 0);
    EXPECT_EQ(commands, std::vector<int>{1020});
    tk::disableControl(save);
    EXPECT_EQ(tk::pressButton(save), 1);
    EXPECT_EQ(tk::buttonWithCommand(window, 1020), 0);
    tk::enableControl(save);
    tk::hideControl(save);
    EXPECT_EQ(tk::buttonWithCommand(window, 1020), 0);
    tk::showControl(save);
    // A click at the button's place presses it, as a user would.
    EXPECT_EQ(tk::clickAt(window, 240, 215), 0);
    EXPECT_EQ(commands, (std::vector<int>{1020, 1020}));
}

TEST_F(KeyboardTest, ClickingAFieldGivesItTheFocus) {
    EXPECT_EQ(tk::clickAt(window, 50, 80), 0);
    tk::processEvents();
    EXPECT_EQ(tk::hasFocus(c), 0);
    EXPECT_EQ(tk::focusedControl(), c);
}

TEST_F(KeyboardTest, CloseRequestIsReportedAndTheWindowStays) {
    int requests = 0;
    tk::WindowProcedure proc;
    proc.onCloseRequest = [&requests] { ++requests; };
    tk::setWindowProcedure(window, proc);
    EXPECT_EQ(tk::requestClose(window), 0);
    EXPECT_EQ(requests, 0) << "posted, not called inside the close event";
    tk::processEvents();
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(tk::isVisible(a)) << "the window and its controls stay";
    EXPECT_EQ(tk::showWindow(window, QStringLiteral("SHOW")), 0) << "it was not hidden";
    tk::destroyWindow(window);
    EXPECT_EQ(tk::text(a), QString()) << "its controls are gone with it";
    EXPECT_EQ(tk::requestClose(window), 1);
    window = 0;
}

} // namespace
