// Push buttons, single-line fields, check boxes and the operations every
// control shares.
#include "toolkit/text_viewer.h"
#include "toolkit/toolkit_internal.h"

#include "store/record_file.h"
#include "store/text_codec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTextEdit>
#include <qdrawutil.h>

namespace tk {

using namespace detail;

namespace {

// A push button whose text wraps over several lines and takes the
// alignment keyword. The sunken styles draw a flat face in a sunken edge
// (two lines, dark above and to the left, light below and to the right).
class TkButton : public QPushButton {
public:
    explicit TkButton(QWidget* parent) : QPushButton(parent), label_(new QLabel(this)) {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(3, 2, 3, 2);
        layout->addWidget(label_);
        label_->setWordWrap(true);
        label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    QLabel* label() const { return label_; }
    void setSunken(bool sunken) {
        sunken_ = sunken;
        setAttribute(Qt::WA_Hover, sunken);
        update();
    }
    bool sunken() const { return sunken_; }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (!sunken_) {
            QPushButton::paintEvent(event);
            return;
        }
        QPainter p(this);
        const QPalette& pal = palette();
        QColor face = pal.color(QPalette::Button);
        if (isDown()) {
            face = face.darker(112);
        } else if (isEnabled() && underMouse()) {
            face = face.lighter(106);
        }
        const QBrush fill(face);
        qDrawWinPanel(&p, rect(), pal, true, &fill);
        if (isDefault()) {
            p.setPen(pal.color(QPalette::Shadow));
            p.drawRect(rect().adjusted(2, 2, -3, -3));
        }
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
        }
    }

private:
    QLabel* label_;
    bool sunken_ = false;
};

bool sunkenStyle(const QString& style) {
    return style == u"SUNKEN" || style == u"SUNKEN_SHADOW" || style == u"EDGE" ||
           style == u"EDGE_SHADOW";
}

// A read-only field looks it: the window's colour instead of the white
// of a field that takes typing.
void showReadOnlyLook(QLineEdit* field, bool readOnly) {
    QPalette pal = field->palette();
    const QPalette standard = QApplication::palette(field);
    pal.setColor(QPalette::Base, standard.color(readOnly ? QPalette::Window : QPalette::Base));
    field->setPalette(pal);
}

Qt::Alignment buttonAlignment(const QString& k) {
    if (k == u"L") return Qt::AlignLeft | Qt::AlignVCenter;
    if (k == u"R") return Qt::AlignRight | Qt::AlignVCenter;
    if (k == u"T") return Qt::AlignHCenter | Qt::AlignTop;
    if (k == u"B") return Qt::AlignHCenter | Qt::AlignBottom;
    if (k == u"LB") return Qt::AlignLeft | Qt::AlignBottom;
    if (k == u"LT") return Qt::AlignLeft | Qt::AlignTop;
    if (k == u"RB") return Qt::AlignRight | Qt::AlignBottom;
    if (k == u"RT") return Qt::AlignRight | Qt::AlignTop;
    return Qt::AlignCenter;
}

void sendOwnCommand(QWidget* control) {
    const int command = control->property(kCommand).toInt();
    sendCommand(windowHandleOf(control), command);
}

} // namespace

// ---------------------------------------------------------------------------
// Any control

void showControl(int control) {
    if (QWidget* w = widgetOf(control)) w->show();
}

void hideControl(int control) {
    if (QWidget* w = widgetOf(control)) w->hide();
}

void enableControl(int control) {
    QWidget* w = widgetOf(control);
    if (!w) return;
    w->setEnabled(true);
    if (qobject_cast<QTextEdit*>(w)) {
        w->setBackgroundRole(QPalette::Base);
        w->setFocus(Qt::OtherFocusReason);
    }
}

void disableControl(int control) {
    if (QWidget* w = widgetOf(control)) w->setEnabled(false);
}

void moveControl(int control, int x, int y, int width, int height) {
    if (QWidget* w = widgetOf(control)) {
        if (auto* list = qobject_cast<QComboBox*>(w)) {
            list->setGeometry(x, y, width, list->sizeHint().height());
            return;
        }
        w->setGeometry(x, y, width, height);
    }
}

bool isVisible(int control) {
    QWidget* w = widgetOf(control);
    return w && w->isVisibleTo(w->window()) && w->window()->isVisible();
}

bool isEnabled(int control) {
    QWidget* w = widgetOf(control);
    return w && w->isEnabled();
}

void setFont(int control, int font) {
    if (QWidget* w = widgetOf(control)) w->setFont(fontOrSystem(font));
}

void setText(int control, const QString& value) {
    QWidget* w = widgetOf(control);
    if (!w) return;
    if (auto* b = dynamic_cast<TkButton*>(w)) {
        b->label()->setText(value);
    } else if (auto* f = qobject_cast<QLineEdit*>(w)) {
        f->setText(value);
        f->setCursorPosition(0);
    } else if (qobject_cast<QComboBox*>(w)) {
        setItem(control, 0, value);
    } else if (auto* viewer = dynamic_cast<TextViewer*>(w)) {
        viewer->setText(value);
    } else if (auto* view = qobject_cast<QTextEdit*>(w)) {
        view->setPlainText(value);
    } else if (auto* box = qobject_cast<QAbstractButton*>(w)) {
        box->setText(value);
    } else if (w->isWindow()) {
        w->setWindowTitle(value);
    }
}

QString text(int control) {
    QWidget* w = widgetOf(control);
    if (!w) return QString();
    if (auto* b = dynamic_cast<TkButton*>(w)) return b->label()->text();
    if (auto* f = qobject_cast<QLineEdit*>(w)) return f->text();
    if (qobject_cast<QComboBox*>(w)) return item(control, 0);
    if (auto* viewer = dynamic_cast<TextViewer*>(w)) return viewer->text();
    if (auto* view = qobject_cast<QTextEdit*>(w)) return view->toPlainText();
    if (auto* box = qobject_cast<QAbstractButton*>(w)) return box->text();
    if (w->isWindow()) return w->windowTitle();
    return QString();
}

int textLength(int control) { return int(text(control).size()); }

void setReadOnly(int control, const QString& keyword) {
    QWidget* w = widgetOf(control);
    if (!w) return;
    const bool readOnly = keyword == u"OFF";
    if (keyword != u"OFF" && keyword != u"ON") return;
    if (auto* f = qobject_cast<QLineEdit*>(w)) {
        f->setReadOnly(readOnly);
        showReadOnlyLook(f, readOnly);
    }
    if (auto* view = qobject_cast<QTextEdit*>(w)) view->setReadOnly(readOnly);
}

bool isReadOnly(int control) {
    QWidget* w = widgetOf(control);
    if (auto* f = qobject_cast<QLineEdit*>(w)) return f->isReadOnly();
    if (auto* view = qobject_cast<QTextEdit*>(w)) return view->isReadOnly();
    return dynamic_cast<TextViewer*>(w) != nullptr;
}

bool isSunkenButton(int control) {
    auto* b = dynamic_cast<TkButton*>(widgetOf(control));
    return b && b->sunken();
}

int commandOf(int control) {
    QWidget* w = widgetOf(control);
    return w ? w->property(kCommand).toInt() : 0;
}

int buttonWithCommand(int window, int command) {
    QWidget* top = widgetOf(window);
    if (!top) return 0;
    const auto buttons = top->findChildren<QAbstractButton*>();
    for (QAbstractButton* b : buttons) {
        const int h = handleOf(b);
        if (h && b->property(kCommand).toInt() == command && isVisible(h) && b->isEnabled()) return h;
    }
    return 0;
}

int pressButton(int control) {
    auto* b = qobject_cast<QAbstractButton*>(widgetOf(control));
    if (!b || !isVisible(control) || !b->isEnabled()) return 1;
    b->click();
    return 0;
}

int windowOf(int control) { return windowHandleOf(widgetOf(control)); }

// ---------------------------------------------------------------------------
// Push buttons

int createButton(int parent, int x, int y, int width, int height, const QString& label,
                 const QString& alignment, const QString& style, int command) {
    QWidget* p = widgetOf(parent);
    if (!p) return 0;
    auto* b = new TkButton(p);
    b->label()->setText(label);
    b->label()->setAlignment(buttonAlignment(alignment));
    b->setAutoDefault(false);
    if (style.endsWith(u"SHADOW")) b->setDefault(true);
    b->setSunken(sunkenStyle(style));
    b->setGeometry(x, y, width, height);
    b->setProperty(kCommand, command);
    QObject::connect(b, &QAbstractButton::clicked, b, [b] { sendOwnCommand(b); });
    b->show();
    return registerWidget(b);
}

// ---------------------------------------------------------------------------
// Single-line fields

int createField(int parent, int x, int y, int width, int height, const QString& alignment, int maxChars) {
    QWidget* p = widgetOf(parent);
    if (!p) return 0;
    auto* f = new QLineEdit(p);
    QString a = alignment;
    const bool digits = a.startsWith(u'N') && a.size() == 2;
    if (digits) a.remove(0, 1);
    Qt::Alignment align = Qt::AlignLeft;
    if (a == u"C") align = Qt::AlignHCenter;
    if (a == u"R") align = Qt::AlignRight;
    f->setAlignment(align | Qt::AlignVCenter);
    f->setProperty(kDigitsOnly, digits);
    f->setProperty(kMaxChars, std::max(0, maxChars));
    f->setGeometry(x, y, width, height);
    f->setFocusPolicy(Qt::StrongFocus);
    installFieldKeys(f);
    QObject::connect(f, &QLineEdit::textEdited, f, [f] { notifyEdited(f); });
    f->show();
    return registerWidget(f);
}

void setFieldBorder(int field, const QString& keyword) {
    if (auto* f = qobject_cast<QLineEdit*>(widgetOf(field))) f->setFrame(keyword != u"FLAT");
}

int loadFieldFile(int field, const QString& path) {
    auto* f = qobject_cast<QLineEdit*>(widgetOf(field));
    if (!f) return 2;
    QByteArray bytes;
    const int rc = readBytes(path, bytes);
    if (rc != 0) return rc;
    if (bytes.size() > 65535) return 4;
    QString value = mv::decodeStored(bytes);
    const int lineEnd = int(value.indexOf(u'\n'));
    if (lineEnd >= 0) value.truncate(lineEnd);
    value.remove(u'\r');
    f->setText(value);
    f->setCursorPosition(0);
    return 0;
}

int saveFieldFile(int field, const QString& path) {
    auto* f = qobject_cast<QLineEdit*>(widgetOf(field));
    if (!f) return 2;
    return mv::writeText(path, f->text());
}

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

int createCheckBox(int parent, int x, int y, const QString& kind, const QString& label, int command) {
    QWidget* p = widgetOf(parent);
    if (!p) return 0;
    QAbstractButton* b = nullptr;
    if (kind == u"ROUND") {
        b = new QRadioButton(label, p);
    } else {
        b = new QCheckBox(label, p);
    }
    const QFontMetrics fm(b->font());
    b->setGeometry(x, y, fm.horizontalAdvance(label) + 20, std::max(16, fm.height() + 2));
    b->setProperty(kCommand, command);
    QObject::connect(b, &QAbstractButton::clicked, b, [b] { sendOwnCommand(b); });
    b->show();
    return registerWidget(b);
}

void check(int box) {
    if (auto* b = qobject_cast<QAbstractButton*>(widgetOf(box))) b->setChecked(true);
}

void uncheck(int box) {
    if (auto* b = qobject_cast<QAbstractButton*>(widgetOf(box))) b->setChecked(false);
}

bool isChecked(int box) {
    auto* b = qobject_cast<QAbstractButton*>(widgetOf(box));
    return b && b->isChecked();
}

} // namespace tk
