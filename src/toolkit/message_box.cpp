// Message boxes: the button keywords, Swedish button texts, result codes and
// the hook that answers boxes in tests and scripted runs.
#include "toolkit/toolkit_internal.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <map>

namespace tk {

using namespace detail;

namespace {

MessageBoxHook& boxHook() {
    static MessageBoxHook hook;
    return hook;
}

constexpr int kHelp = 0;

struct Word {
    const char* lower;
    int code;
    const char* text;
};

// The words a button keyword may consist of, in lower case.
const Word kWords[] = {
    {"ok", BoxOk, "OK"},          {"cancel", BoxCancel, "Avbryt"}, {"retry", BoxRetry, "Försök igen"},
    {"yes", BoxYes, "Ja"},        {"no", BoxNo, "Nej"},            {"ignore", BoxIgnore, "Ignorera"},
    {"help", kHelp, "Hjälp"},
};

// The button sets of the table, in lower case, without help.
const char* const kSets[] = {"ok", "ok_cancel", "retry_cancel", "yes_no", "yes_no_cancel", "cancel_retry_ignore"};

} // namespace

BoxButtons boxButtons(const QString& keyword) {
    BoxButtons result;
    const QStringList words = keyword.split(u'_');
    QStringList lower;
    int upperIndex = -1;
    int upperCount = 0;
    bool valid = !keyword.isEmpty();
    for (int i = 0; i < words.size() && valid; ++i) {
        const QString& w = words[i];
        const QString l = w.toLower();
        if (w == w.toUpper() && w != l) {
            ++upperCount;
            upperIndex = i;
        } else if (w != l) {
            valid = false; // mixed case: not a keyword
        }
        lower << l;
    }
    bool hasHelp = !lower.isEmpty() && lower.last() == u"help";
    QStringList set = lower;
    if (hasHelp) set.removeLast();
    bool known = false;
    for (const char* s : kSets) known = known || set.join(u'_') == QLatin1String(s);
    // One upper-case word exactly; "OK" alone is upper case by nature.
    if (!valid || !known || upperCount != 1) {
        result.codes = {BoxOk};
        result.texts = {QStringLiteral("OK")};
        result.defaultIndex = 0;
        return result;
    }
    for (const QString& l : lower) {
        for (const Word& w : kWords) {
            if (l == QLatin1String(w.lower)) {
                result.codes << w.code;
                result.texts << QString::fromUtf8(w.text);
            }
        }
    }
    result.defaultIndex = upperIndex;
    return result;
}

int defaultBoxResult(const QString& buttonKeyword) {
    const BoxButtons b = boxButtons(buttonKeyword);
    const int code = b.codes.value(b.defaultIndex);
    return code == kHelp ? b.codes.value(0) : code;
}

void setMessageBoxHook(MessageBoxHook hook) { boxHook() = std::move(hook); }

MessageBoxHook messageBoxHook() { return boxHook(); }

QString boxLine(const BoxRecord& box, int code) {
    QString text = box.text;
    text.replace(u'\n', QStringLiteral("\\n"));
    return QStringLiteral("BOX %1 | %2 | %3 | %4 -> %5")
        .arg(box.title, text, box.icon, box.buttons, QString::number(code));
}

namespace {

// The answer when the box goes away without a button: Cancel when it has
// Cancel or Abort, else OK when it is an OK box, else its default button.
int closedAnswer(const BoxButtons& b) {
    if (b.codes.contains(BoxCancel)) return BoxCancel;
    if (b.codes == QList<int>{BoxOk}) return BoxOk;
    return b.codes.value(b.defaultIndex);
}

QMessageBox::Icon iconFor(const QString& keyword) {
    if (keyword == u"EXCLAMATION") return QMessageBox::Warning;
    if (keyword == u"INFORMATION") return QMessageBox::Information;
    if (keyword == u"QUESTION") return QMessageBox::Question;
    if (keyword == u"STOP") return QMessageBox::Critical;
    return QMessageBox::NoIcon;
}

// The owner of a box: the owner's window when it is shown, else the active
// window. A window on its way out is no owner.
QWidget* boxOwner(int owner) {
    QWidget* parent = widgetOf(owner);
    if (parent) parent = parent->window();
    if (!parent || !parent->isVisible()) parent = QApplication::activeWindow();
    return parent && parent->isVisible() ? parent : nullptr;
}

int showBox(int owner, const QString& title, const QString& text, const QString& icon, const BoxButtons& b) {
    // On the heap and watched: the owner may go away while the box is open.
    QPointer<QMessageBox> box = new QMessageBox(boxOwner(owner));
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->setWindowTitle(title);
    box->setText(text);
    box->setIcon(iconFor(icon));
    box->setTextFormat(Qt::PlainText);
    std::map<QAbstractButton*, int> codes;
    QPushButton* cancel = nullptr;
    for (int i = 0; i < b.codes.size(); ++i) {
        // One role for all keeps the buttons in the keyword's order.
        QPushButton* button = box->addButton(b.texts[i], QMessageBox::ActionRole);
        codes[button] = b.codes[i];
        if (b.codes[i] == kHelp) QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        if (b.codes[i] == BoxCancel) cancel = button;
        if (i == b.defaultIndex) box->setDefaultButton(button);
    }
    if (cancel) {
        box->setEscapeButton(cancel);
    } else if (b.codes == QList<int>{BoxOk}) {
        box->setEscapeButton(box->defaultButton());
    }
    box->exec();
    if (!box) return closedAnswer(b);
    const auto it = codes.find(box->clickedButton());
    delete box.data();
    if (it == codes.end() || it->second == kHelp) return closedAnswer(b);
    return it->second;
}

} // namespace

int messageBox(int owner, const QString& title, const QString& text, const QString& icon, const QString& buttons) {
    const BoxButtons b = boxButtons(buttons);
    if (boxHook()) {
        BoxRecord record{title, text, icon, buttons, defaultBoxResult(buttons)};
        const int answer = boxHook()(record);
        return answer != kHelp && b.codes.contains(answer) ? answer : record.defaultCode;
    }
    return showBox(owner, title, text, icon, b);
}

int simpleMessage(int owner, const QString& title, QString& text, const QString& flag) {
    messageBox(owner, title, text, QString(), QStringLiteral("OK"));
    if (flag == u"D") text.clear();
    return 0;
}

} // namespace tk
