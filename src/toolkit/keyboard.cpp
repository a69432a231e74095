// The keyboard model of the single-line fields (keys as commands, editing as
// on any desktop, pastes checked as typed text), virtual-key codes, focus
// and the advance flag.
#include "toolkit/toolkit_internal.h"

#include "store/storable_text.h"
#include "store/text_codec.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace tk {

using namespace detail;

namespace {

bool& advance() {
    static bool flag = false;
    return flag;
}

// The virtual-key code of a character key as a Swedish keyboard has it.
int characterKey(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
    switch (qtKey) {
    case Qt::Key_Space: return 32;
    case Qt::Key_Aring: return 221;
    case Qt::Key_Adiaeresis: return 222;
    case Qt::Key_Odiaeresis: return 192;
    case Qt::Key_Plus: case Qt::Key_Question: return 187;
    case Qt::Key_Comma: case Qt::Key_Semicolon: return 188;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
    case Qt::Key_Period: case Qt::Key_Colon: return 190;
    case Qt::Key_Apostrophe: case Qt::Key_Asterisk: return 191;
    case Qt::Key_Less: case Qt::Key_Greater: case Qt::Key_Bar: return 226;
    default: return 0; // shifted digits and the rest: no command
    }
}

class FieldKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

// What a paste or a drop may put into the field: the first line of the
// text, only the characters that could be typed there (printable, code page
// 1252, digits in a digit field), cut to the room the typed-length limit
// leaves beside the text that stays.
QString insertable(const QLineEdit* field, QString text) {
    const int lineEnd = int(text.indexOf(u'\n'));
    if (lineEnd >= 0) text.truncate(lineEnd);
    const bool digitsOnly = field->property(kDigitsOnly).toBool();
    QString kept;
    for (const QChar c : text) {
        if (!c.isPrint() || !mv::isCp1252(QString(c))) continue;
        if (digitsOnly && !c.isDigit()) continue;
        kept += c;
    }
    const int max = field->property(kMaxChars).toInt();
    if (max > 0) {
        const int room = max - int(field->text().size()) + int(field->selectedText().size());
        kept.truncate(std::max(0, room));
    }
    return kept;
}

// A character a stored file cannot hold is refused where it is typed,
// pasted or dropped, with the message, rather than left out without a word:
// true when the text (its first line, as it would go in) holds one.
bool refusedCharacter(const QLineEdit* field, const QString& text) {
    const std::optional<QString> c = mv::unholdableCharacter(text.section(u'\n', 0, 0));
    if (!c) return false;
    const mv::Message m = mv::characterRefusal(*c);
    messageBox(windowHandleOf(field), m.title, m.text, m.icon, m.buttons);
    return true;
}

void pasteChecked(QLineEdit* field, QClipboard::Mode mode = QClipboard::Clipboard) {
    if (field->isReadOnly()) return;
    if (refusedCharacter(field, QApplication::clipboard()->text(mode))) return;
    const QString text = insertable(field, QApplication::clipboard()->text(mode));
    if (!text.isEmpty()) field->insert(text);
}

// Text dropped on the field goes in where it was dropped, checked as a paste.
bool dropChecked(QLineEdit* field, QDropEvent* drop) {
    if (field->isReadOnly() || !drop->mimeData()->hasText()) return true;
    field->deselect();
    if (refusedCharacter(field, drop->mimeData()->text())) return true;
    field->setCursorPosition(field->cursorPositionAt(drop->position().toPoint()));
    const QString text = insertable(field, drop->mimeData()->text());
    if (!text.isEmpty()) field->insert(text);
    drop->acceptProposedAction();
    field->setFocus(Qt::MouseFocusReason);
    return true;
}

// The field's own context menu, whose "Klistra in" pastes checked text.
bool contextMenuChecked(QLineEdit* field, QContextMenuEvent* event) {
    QMenu* menu = field->createStandardContextMenu();
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        const bool paste = action->objectName() == QLatin1String("edit-paste") ||
                           action->text().section(u'\t', 0, 0) == pasteText;
        if (!paste) continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QObject::connect(action, &QAction::triggered, field, [field] { pasteChecked(field); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    return true;
}

// Whether a typed character may go into the field (printable, code page
// 1252, digits-only fields, the typed-length limit; text the program set
// beyond the limit stays).
bool mayType(QLineEdit* field, const QString& typed) {
    if (field->isReadOnly()) return true; // the field itself refuses it
    for (const QChar c : typed) {
        if (!c.isPrint() || !mv::isCp1252(QString(c))) return false;
    }
    if (field->property(kDigitsOnly).toBool()) {
        for (const QChar c : typed) {
            if (!c.isDigit()) return false;
        }
    }
    const int max = field->property(kMaxChars).toInt();
    if (max <= 0) return true;
    return field->text().size() - field->selectedText().size() + typed.size() <= max;
}

// Everything but the keys: pastes with the mouse, drops, the context menu
// and input-method text are checked as typed text is.
bool otherInput(QLineEdit* field, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection on X11: checked here.
        if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton) return false;
        if (event->type() == QEvent::MouseButtonRelease && QApplication::clipboard()->supportsSelection())
            pasteChecked(field, QClipboard::Selection);
        return true;
    }
    case QEvent::Drop: return dropChecked(field, static_cast<QDropEvent*>(event));
    case QEvent::ContextMenu: return contextMenuChecked(field, static_cast<QContextMenuEvent*>(event));
    case QEvent::InputMethod: {
        auto* im = static_cast<QInputMethodEvent*>(event);
        const QString commit = im->commitString();
        if (commit.isEmpty() || field->isReadOnly()) return false;
        if (refusedCharacter(field, commit)) return true;
        const QString text = insertable(field, commit);
        if (text == commit) return false;
        if (!text.isEmpty()) field->insert(text);
        return true;
    }
    default: return false;
    }
}

bool FieldKeys::eventFilter(QObject* object, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(object);
    if (!field) return false;
    if (event->type() != QEvent::KeyPress) return otherInput(field, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int vk = virtualKey(key);
    const int window = windowHandleOf(field);
    const int k = key->key();
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Return || k == Qt::Key_Enter) {
        advance() = true;
        postCommand(window, vk);
        return true;
    }
    const bool cursorKey = vk == 35 || vk == 36 || vk == 37 || vk == 39;
    if (cursorKey) return false;
    if (vk > 0 && vk < 256) postCommand(window, vk);
    // The field edits as any desktop field does: Backspace and Delete
    // delete, select all, copy, cut, undo and redo work; a paste is checked
    // as typed text is.
    if (k == Qt::Key_Backspace || k == Qt::Key_Delete) return false;
    if (key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy) ||
        key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo) ||
        key->matches(QKeySequence::Redo))
        return false;
    if (key->matches(QKeySequence::Paste)) {
        pasteChecked(field);
        return true;
    }
    const QString typed = key->text();
    const bool withControl = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!withControl && !field->isReadOnly() && refusedCharacter(field, typed)) return true;
    bool printable = !typed.isEmpty();
    for (const QChar c : typed) printable = printable && c.isPrint();
    if (!printable || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) return true;
    return !mayType(field, typed);
}

} // namespace

namespace detail {

int virtualKey(const QKeyEvent* event) {
    const int k = event->key();
    switch (k) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: break;
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    const int c = characterKey(k);
    if (c) return c;
    // Any other ASCII letter or digit: its own code.
    if (!event->text().isEmpty()) {
        const QChar ch = event->text().at(0);
        if (ch.isLetterOrNumber() && ch.unicode() < 128) return ch.toUpper().unicode();
    }
    return 0;
}

int qtKeyForCharacter(QChar c) {
    if (c == u'\n' || c == u'\r') return Qt::Key_Return;
    if (c == u'\t') return Qt::Key_Tab;
    const QChar upper = c.toUpper();
    if (upper.unicode() >= 0x20 && upper.unicode() <= 0xFF) return upper.unicode();
    return Qt::Key_unknown;
}

void installFieldKeys(QWidget* field) { field->installEventFilter(new FieldKeys(field)); }

} // namespace detail

void setFocus(int control) {
    if (QWidget* w = widgetOf(control)) {
        if (w->window() && !w->window()->isActiveWindow()) w->window()->activateWindow();
        w->setFocus(Qt::OtherFocusReason);
    }
}

int hasFocus(int control) {
    QWidget* w = widgetOf(control);
    return w && focusedControl() == control ? 0 : 1;
}

int focusedControl() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (const int h = handleOf(w)) return h;
        // The open list of a drop-down list is a pop-up window of its own:
        // the focus there belongs to the drop-down list.
        if (w->isWindow() && w->windowType() != Qt::Popup) break;
    }
    return 0;
}

bool advanceFlag() { return advance(); }

void setAdvanceFlag(bool on) { advance() = on; }

void advanceFocus(int from, int to) {
    if (advance() && hasFocus(from) == 0 && widgetOf(to)) {
        setFocus(to);
        advance() = false;
    }
}

} // namespace tk
