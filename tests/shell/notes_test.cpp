// The notes box: what the user typed survives the close of the window,
// whether through "X" or through the window manager, and is saved whole.
#include "shell/exit_procedure.h"
#include "shell/main_window.h"
#include "shell/notes_box.h"
#include "shell/page.h"
#include "store/backup.h"
#include "store/record_file.h"
#include "store/user_message.h"
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

using uitest::ShellTest;

namespace {

const QString notesPath = QStringLiteral("drive_info/anteckningar.txt");

class NotesTest : public ShellTest {
protected:
    void typeIntoNotes(const QString& text) {
        ASSERT_TRUE(uitest::clickAt(300, 560)); // inside the notes box
        ASSERT_EQ(tk::hasFocus(shell::notesBox()), 0);
        ASSERT_TRUE(uitest::typeText(text));
    }
    void TearDown() override {
        mv::setWriteHook(nullptr);
        ShellTest::TearDown();
    }
};

TEST_F(NotesTest, WindowManagerCloseSavesTheNotesAndEnds) {
    putBytes(notesPath, "Moms 12 maj\r\n");
    startShell();
    typeIntoNotes(QStringLiteral("Möte med revisorn på fredag, ta med kvitton (åäö)"));
    ASSERT_TRUE(uitest::requestWindowClose());
    EXPECT_TRUE(shell::programEnded());
    const QByteArray saved = bytesOf(notesPath);
    EXPECT_TRUE(saved.contains(QStringLiteral("Möte med revisorn på fredag, ta med kvitton (åäö)")
                                   .toLatin1()))
        << saved.constData();
    EXPECT_TRUE(saved.startsWith("Moms 12 maj\r\n")) << saved.constData();
}

TEST_F(NotesTest, ClosingDuringTheCashStepAsksFirstAndLeavesTheBookingUnsaved) {
    putBytes(notesPath, "Gammal\r\n");
    startShell();
    typeIntoNotes(QStringLiteral("Ny rad"));
    shell::state().cashStepWaiting = 1;
    shell::setTopBarEnabled(false); // a booking waits for its cash step
    EXPECT_TRUE(tk::isEnabled(shell::closeButton()));
    uitest::answerNextBox(mv::answerNo);
    ASSERT_TRUE(uitest::requestWindowClose());
    EXPECT_FALSE(shell::programEnded());
    ASSERT_FALSE(uitest::boxes().empty());
    EXPECT_EQ(uitest::boxes().back().text, mv::backup::unsavedBookingQuestion().text);
    // "Ja" leaves the booking unsaved and goes on to the backup question.
    uitest::answerNextBox(mv::answerYes);
    uitest::answerNextBox(mv::answerNo);
    ASSERT_TRUE(uitest::requestWindowClose());
    EXPECT_TRUE(shell::programEnded());
    EXPECT_TRUE(bytesOf(notesPath).contains("Ny rad"));
}

TEST_F(NotesTest, CloseButtonSavesNotesLongerThanAnyOldLimit) {
    startShell();
    QString longNotes;
    for (int i = 0; i < 4000; ++i) longNotes += QStringLiteral("Rad %1 med anteckningar\n").arg(i);
    tk::setText(shell::notesBox(), longNotes);
    ASSERT_TRUE(uitest::pressCommand(1090));
    EXPECT_TRUE(shell::programEnded());
    const QByteArray saved = bytesOf(notesPath);
    EXPECT_GT(saved.size(), 65535);
    EXPECT_TRUE(saved.endsWith("Rad 3999 med anteckningar\r\n"));
}

TEST_F(NotesTest, FailedSaveLeavesTheOldNotesWhole) {
    putBytes(notesPath, "Viktigt: deklaration 2 maj\r\n");
    startShell();
    tk::setText(shell::notesBox(), QStringLiteral("X"));
    // The disk refuses the write (as if the program died while saving).
    mv::setWriteHook([](const QString& path) { return !path.endsWith(QLatin1String("anteckningar.txt")); });
    EXPECT_NE(shell::storeNotes(QStringLiteral("X")), 0);
    EXPECT_EQ(bytesOf(notesPath), QByteArray("Viktigt: deklaration 2 maj\r\n\r\n\r\n"));
}

} // namespace
