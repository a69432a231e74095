// The application object, the handle registry and top-level windows with
// their window procedure.
#include "toolkit/toolkit_internal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <map>

namespace tk {

namespace detail {

namespace {

struct Registry {
    int next = 0;
    std::map<int, QPointer<QWidget>> widgets;
    std::map<int, QImage> bitmaps;
    std::map<int, QFont> fonts;
};

Registry& registry() {
    static Registry r;
    return r;
}

constexpr const char* kHandle = "tkHandle";

} // namespace

int newHandle() { return ++registry().next; }

int registerWidget(QWidget* widget) {
    const int h = newHandle();
    registerWidgetAs(h, widget);
    return h;
}

void registerWidgetAs(int handle, QWidget* widget) {
    registry().widgets[handle] = widget;
    widget->setProperty(kHandle, handle);
}

void forgetWidget(int handle) { registry().widgets.erase(handle); }

void forgetWidgetTree(const QWidget* top) {
    auto& w = registry().widgets;
    for (auto it = w.begin(); it != w.end();) {
        const QWidget* widget = it->second.data();
        if (!widget || widget == top || top->isAncestorOf(widget)) {
            it = w.erase(it);
        } else {
            ++it;
        }
    }
}

QWidget* widgetOf(int handle) {
    auto& w = registry().widgets;
    const auto it = w.find(handle);
    if (it == w.end()) return nullptr;
    if (it->second.isNull()) {
        w.erase(it);
        return nullptr;
    }
    return it->second.data();
}

int handleOf(const QWidget* widget) {
    if (!widget) return 0;
    const QVariant v = widget->property(kHandle);
    if (!v.isValid()) return 0;
    const int h = v.toInt();
    return widgetOf(h) == widget ? h : 0;
}

TkWindow* windowWidget(int handle) { return dynamic_cast<TkWindow*>(widgetOf(handle)); }

int windowHandleOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* t = dynamic_cast<const TkWindow*>(w)) return t->handle();
    }
    return 0;
}

QImage* bitmapOf(int handle) {
    auto& b = registry().bitmaps;
    const auto it = b.find(handle);
    return it == b.end() ? nullptr : &it->second;
}

int registerBitmap(const QImage& image) {
    const int h = newHandle();
    registry().bitmaps[h] = image;
    return h;
}

void removeBitmap(int handle) { registry().bitmaps.erase(handle); }

const QFont* fontOf(int handle) {
    auto& f = registry().fonts;
    const auto it = f.find(handle);
    return it == f.end() ? nullptr : &it->second;
}

int registerFont(const QFont& font) {
    const int h = newHandle();
    registry().fonts[h] = font;
    return h;
}

QFont fontOrSystem(int handle) {
    const QFont* f = fontOf(handle);
    return f ? *f : QApplication::font();
}

QColor colourOf(int colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int colourValue(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

int readBytes(const QString& path, QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 2;
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return 3;
    return 0;
}

void notifyEdited(QWidget* control) {
    TkWindow* w = windowWidget(windowHandleOf(control));
    const int h = handleOf(control);
    if (w && h && w->procedure().onFieldEdited) w->procedure().onFieldEdited(h);
}

// ---------------------------------------------------------------------------

TkWindow::TkWindow(int handle, Qt::WindowFlags flags) : QWidget(nullptr, flags), handle_(handle) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void TkWindow::resizeSurface(int width, int height) {
    surface_ = QImage(width, height, QImage::Format_RGB32);
    surface_.fill(Qt::white);
}

void TkWindow::scheduleRepaint() {
    if (inPaint_) return;
    showOnly_ = true;
    update();
}

void TkWindow::invalidatePaint() {
    if (inPaint_) return;
    dirty_ = true;
    fresh_ = false;
    update();
}

void TkWindow::paintNow() {
    if (inPaint_) return;
    if (procedure_.onPaint) {
        inPaint_ = true;
        procedure_.onPaint();
        inPaint_ = false;
    }
    dirty_ = false;
    fresh_ = true;
    repaint();
}

void TkWindow::updateNow() {
    if (inPaint_) return;
    if (dirty_) {
        paintNow();
        return;
    }
    showOnly_ = true;
    repaint();
}

// The paint callback runs when the window was invalidated or the platform
// asks for the picture (exposed, rendered); drawing that only has to be
// shown is shown as it is.
void TkWindow::paintEvent(QPaintEvent*) {
    const bool runCallback = !fresh_ && (dirty_ || !showOnly_);
    dirty_ = showOnly_ = fresh_ = false;
    if (runCallback && procedure_.onPaint && !inPaint_) {
        inPaint_ = true;
        procedure_.onPaint();
        inPaint_ = false;
    }
    QPainter p(this);
    p.drawImage(0, 0, surface_);
}

void TkWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    // A close request from outside never destroys the window: the program
    // decides, from the message loop, what closing means.
    event->ignore();
    if (procedure_.onCloseRequest) {
        QMetaObject::invokeMethod(
            this, [this] {
                if (procedure_.onCloseRequest) procedure_.onCloseRequest();
            },
            Qt::QueuedConnection);
    }
}

void TkWindow::keyPressEvent(QKeyEvent* event) {
    const int vk = virtualKey(event);
    if (vk && procedure_.onKeyDown) procedure_.onKeyDown(vk);
}

void TkWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && procedure_.onLeftButtonDown) {
        const QPoint p = event->position().toPoint();
        procedure_.onLeftButtonDown(p.x(), p.y());
    }
}

} // namespace detail

using namespace detail;

// ---------------------------------------------------------------------------
// Application

struct Application::Impl {
    std::unique_ptr<QApplication> app;
};

Application::Application(int& argc, char** argv, bool offscreen) : d(std::make_unique<Impl>()) {
    if (offscreen) qputenv("QT_QPA_PLATFORM", "offscreen");
    d->app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // The program places texts at fixed pixel positions; faces with the
    // metrics of the ones it was laid out for keep them inside their frames.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont ui(QStringLiteral("Liberation Sans"));
    ui.setPointSize(8);
    QApplication::setFont(ui);
}

Application::~Application() = default;

int runMessageLoop() { return QApplication::exec(); }

void quitMessageLoop(int code) { QApplication::exit(code); }

void processEvents() {
    QApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::AllEvents);
}

// ---------------------------------------------------------------------------
// Windows

namespace {

Qt::WindowFlags flagsForStyle(const QString& style) {
    const Qt::WindowFlags base = Qt::CustomizeWindowHint;
    const Qt::WindowFlags caption = Qt::WindowTitleHint;
    const Qt::WindowFlags menu = Qt::WindowSystemMenuHint;
    const Qt::WindowFlags close = Qt::WindowCloseButtonHint;
    const Qt::WindowFlags help = Qt::WindowContextHelpButtonHint;
    if (style == u"NOLIST") return Qt::Dialog | base;
    if (style == u"TOOLWIN") return Qt::Tool | base | caption;
    if (style == u"TOOLWIN_CLO") return Qt::Tool | base | caption | menu | close;
    if (style == u"TOOLWIN_NOCLO") return Qt::Tool | base | caption | menu;
    if (style == u"CLO") return Qt::Window | base | caption | menu | close;
    if (style == u"NOCLO") return Qt::Window | base | caption | menu;
    if (style == u"QUE_CLO") return Qt::Window | base | caption | menu | close | help;
    if (style == u"QUE_NOCLO") return Qt::Window | base | caption | menu | help;
    const Qt::WindowFlags min = Qt::WindowMinimizeButtonHint;
    const Qt::WindowFlags max = Qt::WindowMaximizeButtonHint;
    if (style == u"MIN_MAX_CLO") return Qt::Window | base | caption | menu | min | max | close;
    if (style == u"MIN_MAX_NOCLO") return Qt::Window | base | caption | menu | min | max;
    if (style == u"MIN_NOMAX_CLO") return Qt::Window | base | caption | menu | min | close;
    if (style == u"MIN_NOMAX_NOCLO") return Qt::Window | base | caption | menu | min;
    if (style == u"NOMIN_MAX_CLO") return Qt::Window | base | caption | menu | max | close;
    if (style == u"NOMIN_MAX_NOCLO") return Qt::Window | base | caption | menu | max;
    return Qt::Window | base | caption; // "EMPTYLIST" and anything else
}

} // namespace

int createWindow(const QString& titleText, int x, int y, int width, int height, const QString& style) {
    if (width <= 0 || height <= 0) return 0;
    const int h = newHandle();
    auto* w = new TkWindow(h, flagsForStyle(style));
    registerWidgetAs(h, w);
    w->setWindowTitle(titleText);
    w->resizeSurface(width, height);
    w->setFixedSize(width, height);
    w->move(x, y);
    w->show();
    return h;
}

void setWindowProcedure(int window, WindowProcedure procedure) {
    if (TkWindow* w = windowWidget(window)) w->procedure() = std::move(procedure);
}

void changeStyle(int window, const QString& style) {
    TkWindow* w = windowWidget(window);
    if (!w) return;
    const bool shown = w->isVisible();
    w->setWindowFlags(flagsForStyle(style));
    if (shown) w->show();
}

void setBorder(int window, const QString& keyword) {
    QWidget* w = widgetOf(window);
    if (!w) return;
    // Frames belong to the window manager; only transparency is ours.
    w->setAttribute(Qt::WA_TranslucentBackground, keyword == u"TRANSPARENT");
    w->update();
}

int showWindow(int window, const QString& keyword) {
    QWidget* w = widgetOf(window);
    if (!w) return 0;
    const int wasHidden = w->isVisible() ? 0 : 1;
    if (keyword == u"HIDE") {
        w->hide();
    } else if (keyword == u"MAXI" || keyword == u"ACTIVMAXI") {
        w->showMaximized();
    } else if (keyword == u"MINI" || keyword == u"ACTIVMINI") {
        w->showMinimized();
    } else if (keyword == u"INACTMINI") {
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        w->showMinimized();
    } else if (keyword == u"INACTIV" || keyword == u"INACTRESENT") {
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        w->show();
    } else if (keyword == u"RESTORE" || keyword == u"NORMAL") {
        w->showNormal();
    } else {
        w->show();
    }
    return wasHidden;
}

void setTitle(int window, const QString& text) {
    if (QWidget* w = widgetOf(window)) w->setWindowTitle(text);
}

QString title(int window) {
    QWidget* w = widgetOf(window);
    return w ? w->windowTitle() : QString();
}

int setWindowIcon(int window, const QStringList& imageFiles) {
    QWidget* w = widgetOf(window);
    if (!w) return 1;
    QIcon icon;
    for (const QString& file : imageFiles) {
        const QPixmap picture(file);
        if (!picture.isNull()) icon.addPixmap(picture);
    }
    if (icon.isNull()) return 2;
    w->setWindowIcon(icon);
    return 0;
}

QList<int> windowIconSizes(int window) {
    QList<int> sizes;
    if (QWidget* w = widgetOf(window))
        for (const QSize& size : w->windowIcon().availableSizes()) sizes << size.width();
    return sizes;
}

void setDesktopEntryName(const QString& name) { QGuiApplication::setDesktopFileName(name); }

void centreWindow(int window) {
    QWidget* w = widgetOf(window);
    if (!w) return;
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QRect frame = w->frameGeometry();
    w->move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
}

void destroyWindow(int window) {
    QWidget* w = widgetOf(window);
    if (!w) return;
    if (TkWindow* t = windowWidget(window)) t->allowClose();
    w->hide();
    w->deleteLater();
    forgetWidgetTree(w);
}

void sendCommand(int window, int command) {
    TkWindow* w = windowWidget(window);
    if (w && w->procedure().onCommand) w->procedure().onCommand(command);
}

void postCommand(int window, int command) {
    TkWindow* w = windowWidget(window);
    if (!w) return;
    QPointer<TkWindow> guard(w);
    QMetaObject::invokeMethod(
        w, [guard, command] {
            if (guard && guard->procedure().onCommand) guard->procedure().onCommand(command);
        },
        Qt::QueuedConnection);
}

} // namespace tk
