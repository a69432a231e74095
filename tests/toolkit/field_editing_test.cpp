// Editing a single-line field as on any desktop: the cursor keys, select
// all, and every way text gets in (typing, pasting with the keys, the context
// menu or the middle button, dropping) checked the same way: the first line,
// code page 1252, printable characters, digits in a digit field, the
// typed-length limit. A read-only field looks read-only.
#include "support/ui_harness.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QMimeData>
#include <QtCore/QTemporaryDir>
#include <QtGui/QClipboard>
#include <QtGui/QDropEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>

namespace {

class FieldEditingTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = tk::createWindow(QStringLiteral("Prov"), 0, 0, 400, 300, QStringLiteral("EMPTYLIST"));
        ASSERT_NE(window, 0);
        limited = tk::createField(window, 10, 10, 150, 20, QStringLiteral("L"), 8);
        digits = tk::createField(window, 10, 40, 150, 20, QStringLiteral("NL"), 10);
        tk::processEvents();
        focus(limited);
    }
    void TearDown() override {
        tk::destroyWindow(window);
        tk::processEvents();
    }
    static void focus(int field) {
        tk::setFocus(field);
        tk::processEvents();
        ASSERT_EQ(tk::hasFocus(field), 0);
    }
    static void paste(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        ASSERT_EQ(tk::pressKey(QStringLiteral("Ctrl+V")), 0);
    }
    // The widget under the window's point: what the user sees there.
    QColor seenAt(int x, int y) {
        const QString png = tmp.path() + QStringLiteral("/w.png");
        EXPECT_EQ(tk::saveWindowPicture(window, png), 0);
        return QImage(png).pixelColor(x, y);
    }

    int window = 0;
    int limited = 0;
    int digits = 0;
    QTemporaryDir tmp;
};

TEST_F(FieldEditingTest, CursorKeysMoveAndSelectAllReplaces) {
    tk::setText(limited, QStringLiteral("2014-03"));
    tk::pressKey(QStringLiteral("End"));
    tk::pressKey(QStringLiteral("Left"));
    tk::pressKey(QStringLiteral("Backspace"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("2014-3"));
    tk::pressKey(QStringLiteral("Home"));
    tk::pressKey(QStringLiteral("Right"));
    tk::pressKey(QStringLiteral("Delete"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("214-3"));
    tk::typeText(QStringLiteral("0"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("2014-3"));
    // Ctrl+A selects everything: typing replaces it, Backspace empties.
    tk::pressKey(QStringLiteral("Ctrl+A"));
    tk::typeText(QStringLiteral("2015"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("2015"));
    tk::pressKey(QStringLiteral("Ctrl+A"));
    tk::pressKey(QStringLiteral("Backspace"));
    EXPECT_EQ(tk::text(limited), QString());
    // A full field takes a character again once a selection makes room.
    tk::typeText(QStringLiteral("12345678"));
    tk::typeText(QStringLiteral("9"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("12345678"));
    tk::pressKey(QStringLiteral("Ctrl+A"));
    tk::typeText(QStringLiteral("9"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("9"));
}

TEST_F(FieldEditingTest, TypedCharactersOutsideCodePage1252AreRefused) {
    tk::typeText(QString::fromUtf8("a\u03a9b\u2603c\u20ac"));
    EXPECT_EQ(tk::text(limited), QString::fromUtf8("abc\u20ac")) << "the euro sign is in code page 1252";
}

TEST_F(FieldEditingTest, PasteTakesTheFirstLineOfWhatCouldBeTyped) {
    paste(QString::fromUtf8("Åsa Öberg AB\nrad två"));
    EXPECT_EQ(tk::text(limited), QString::fromUtf8("Åsa Öber")) << "cut to the eight of the limit";
    // Pasted over a selection: the selection's room counts.
    tk::pressKey(QStringLiteral("Ctrl+A"));
    paste(QString::fromUtf8("x\ty\nz"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("xy")) << "no tab, and the first line only";
    // A character a stored file cannot hold refuses the whole paste, with its message.
    uitest::clearBoxes();
    paste(QString::fromUtf8("v\u03a9w\u2603"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("xy"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, QString::fromUtf8("Tecknet '\u03a9' kan inte sparas!"));
    tk::pressKey(QStringLiteral("Ctrl+A"));
    paste(QString::fromUtf8("xyz"));
    EXPECT_EQ(tk::text(limited), QStringLiteral("xyz"));
    // Digits only in a digit field.
    focus(digits);
    paste(QStringLiteral("12 34-5,6"));
    EXPECT_EQ(tk::text(digits), QStringLiteral("123456"));
    // Nothing into a read-only field.
    tk::setReadOnly(digits, QStringLiteral("OFF"));
    paste(QStringLiteral("7"));
    EXPECT_EQ(tk::text(digits), QStringLiteral("123456"));
}

TEST_F(FieldEditingTest, ContextMenuPasteIsCheckedToo) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Kund med ett långt namn"));
    QWidget* field = QApplication::focusWidget();
    ASSERT_NE(field, nullptr);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(field, &menuEvent);
    tk::processEvents();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "the field's own menu is shown";
    QAction* pasteAction = nullptr;
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions())
        if (action->text().section(u'\t', 0, 0) == pasteText) pasteAction = action;
    ASSERT_NE(pasteAction, nullptr);
    pasteAction->trigger();
    menu->close();
    tk::processEvents();
    EXPECT_EQ(tk::text(limited), QStringLiteral("Kund med"));
}

TEST_F(FieldEditingTest, DroppedTextIsCheckedAndGoesWhereItIsDropped) {
    tk::setText(limited, QStringLiteral("ab"));
    QWidget* field = QApplication::focusWidget();
    ASSERT_NE(field, nullptr);
    QMimeData data;
    data.setText(QString::fromUtf8("12345678"));
    // As a drag from another program arrives: it enters, then drops.
    QDragEnterEvent enter(QPoint(100, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &drop);
    EXPECT_EQ(tk::text(limited), QStringLiteral("ab123456"));
    // A drop holding a character a stored file cannot hold is refused whole.
    tk::setText(limited, QStringLiteral("ab"));
    uitest::clearBoxes();
    data.setText(QString::fromUtf8("\u03a91"));
    QDragEnterEvent again(QPoint(100, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &again);
    QDropEvent refused(QPointF(100, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &refused);
    EXPECT_EQ(tk::text(limited), QStringLiteral("ab"));
    ASSERT_EQ(uitest::boxes().size(), 1u);
    EXPECT_EQ(uitest::boxes()[0].text, QString::fromUtf8("Tecknet '\u03a9' kan inte sparas!"));
}

TEST_F(FieldEditingTest, ReadOnlyFieldLooksReadOnly) {
    EXPECT_EQ(seenAt(140, 20), QColor(Qt::white)) << "a field that takes typing is white";
    tk::setReadOnly(limited, QStringLiteral("OFF"));
    tk::processEvents();
    const QColor readOnly = seenAt(140, 20);
    EXPECT_NE(readOnly, QColor(Qt::white));
    EXPECT_LT(readOnly.lightness(), 250);
    tk::setReadOnly(limited, QStringLiteral("ON"));
    tk::processEvents();
    EXPECT_EQ(seenAt(140, 20), QColor(Qt::white));
}

TEST_F(FieldEditingTest, SunkenButtonsAreDrawnSunken) {
    const int sunken = tk::createButton(window, 10, 100, 80, 30, QStringLiteral("Inkomst"), QStringLiteral("C"),
                                        QStringLiteral("SUNKEN"), 1036);
    const int normal = tk::createButton(window, 200, 100, 80, 30, QStringLiteral("Spara"), QStringLiteral("C"),
                                        QStringLiteral("NORMAL"), 1041);
    tk::processEvents();
    EXPECT_TRUE(tk::isSunkenButton(sunken));
    EXPECT_FALSE(tk::isSunkenButton(normal));
    // Dark above and to the left, light below and to the right.
    const QColor top = seenAt(50, 100), left = seenAt(10, 115);
    const QColor bottom = seenAt(50, 129), right = seenAt(89, 115);
    EXPECT_LT(top.lightness() + 40, bottom.lightness());
    EXPECT_LT(left.lightness() + 40, right.lightness());
    // The raised button is not drawn that way.
    const QColor normalLeft = seenAt(200, 115), normalRight = seenAt(279, 115);
    EXPECT_LT(std::abs(normalLeft.lightness() - normalRight.lightness()), 40);
}

} // namespace
