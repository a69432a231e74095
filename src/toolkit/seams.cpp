// Input through the real widgets for tests and scripted runs, pictures of a
// window and the closing of modal windows left open.
#include "toolkit/toolkit_internal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

namespace tk {

using namespace detail;

namespace {

// Where keys go: the focused widget, else the active modal window, else the
// active window.
QWidget* keyTarget() {
    if (QWidget* w = QApplication::focusWidget()) return w;
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    return QApplication::activeWindow();
}

void sendKey(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QPointer<QWidget> guard(target);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    if (!guard) return;
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

} // namespace

int clickAt(int window, int x, int y) {
    QWidget* top = widgetOf(window);
    if (!top || !top->rect().contains(x, y)) return 1;
    QWidget* target = top->childAt(x, y);
    if (!target) target = top;
    const QPointF local = target->mapFrom(top, QPoint(x, y));
    const QPointF global = top->mapToGlobal(QPoint(x, y));
    // A press gives the focus to the first widget from the target outwards
    // that takes it on a click, as the platform's click handling does.
    for (QWidget* f = target; f; f = f->parentWidget()) {
        if (f->isEnabled() && (f->focusPolicy() & Qt::ClickFocus)) {
            f->setFocus(Qt::MouseFocusReason);
            break;
        }
        if (f->isWindow()) break;
    }
    QPointer<QWidget> guard(target);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    if (!guard) return 0;
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
    return 0;
}

int typeText(const QString& text) {
    if (!QApplication::focusWidget() || !focusedControl()) return 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        QWidget* target = QApplication::focusWidget();
        if (!target) return 1;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            // A character outside the basic plane (an emoji) is one key, as a keyboard sends it.
            sendKey(target, Qt::Key_unknown, text.mid(i, 2));
            ++i;
        } else if (c == u'\n' || c == u'\r') {
            sendKey(target, Qt::Key_Return, QStringLiteral("\r"));
        } else if (c == u'\t') {
            sendKey(target, Qt::Key_Tab, QStringLiteral("\t"));
        } else {
            const Qt::KeyboardModifiers mods = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
            sendKey(target, qtKeyForCharacter(c), QString(c), mods);
        }
    }
    return 0;
}

int pressKey(const QString& name) {
    struct Named {
        const char* name;
        int key;
        const char* text;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    static const Named keys[] = {
        {"Enter", Qt::Key_Return, "\r"},
        {"Tab", Qt::Key_Tab, "\t"},
        {"Down", Qt::Key_Down, ""},
        {"Up", Qt::Key_Up, ""},
        {"Escape", Qt::Key_Escape, "\x1b"},
        {"Delete", Qt::Key_Delete, ""},
        {"Backspace", Qt::Key_Backspace, "\b"},
        {"Left", Qt::Key_Left, ""},
        {"Right", Qt::Key_Right, ""},
        {"Home", Qt::Key_Home, ""},
        {"End", Qt::Key_End, ""},
        {"Ctrl+A", Qt::Key_A, "\x01", Qt::ControlModifier},
        {"Ctrl+V", Qt::Key_V, "\x16", Qt::ControlModifier},
    };
    for (const Named& k : keys) {
        if (name == QLatin1String(k.name)) {
            QWidget* target = keyTarget();
            if (!target) return 1;
            sendKey(target, k.key, QString::fromLatin1(k.text), k.modifiers);
            return 0;
        }
    }
    return 2;
}

int chooseItem(int list, int index) {
    auto* combo = qobject_cast<QComboBox*>(widgetOf(list));
    if (!combo || !combo->isVisible() || !combo->isEnabled() || index < 1 || index > combo->count())
        return 1;
    // A choice in the open list closes it, as a click there does.
    if (combo->view() && combo->view()->isVisible()) combo->hidePopup();
    combo->setCurrentIndex(index - 1);
    Q_EMIT combo->activated(index - 1);
    return 0;
}

int requestClose(int window) {
    QWidget* w = widgetOf(window);
    if (!w || !w->isWindow()) return 1;
    w->close();
    return 0;
}

int saveWindowPicture(int window, const QString& pngPath) {
    QWidget* w = widgetOf(window);
    if (!w) return 1;
    QPixmap picture = w->grab(w->rect());
    // An open drop-down list is a pop-up window of its own: it is drawn
    // where it lies over the window, as the user sees it.
    {
        QPainter p(&picture);
        for (QWidget* popup : QApplication::topLevelWidgets()) {
            if (!popup->isVisible() || popup->windowType() != Qt::Popup) continue;
            if (!popup->parentWidget() || popup->parentWidget()->window() != w) continue;
            p.drawPixmap(w->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
        }
    }
    return picture.save(pngPath, "PNG") ? 0 : 3;
}

bool modalWindowOpen() { return QApplication::activeModalWidget() != nullptr; }

int closeModalWindows() {
    int closed = 0;
    for (int guard = 0; guard < 20; ++guard) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) break;
        modal->close();
        if (modal->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            } else {
                modal->hide();
            }
        }
        ++closed;
    }
    return closed;
}

} // namespace tk
