#pragma once
// Shared inside the toolkit only: the handle registry, the top-level window
// class and small conversions. Nothing outside src/toolkit includes this.
#include "toolkit/toolkit.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

namespace tk::detail {

// A top-level window: keeps its client picture and its window procedure.
class TkWindow : public QWidget {
public:
    TkWindow(int handle, Qt::WindowFlags flags);

    int handle() const { return handle_; }
    QImage& surface() { return surface_; }
    WindowProcedure& procedure() { return procedure_; }
    bool inPaint() const { return inPaint_; }
    // Shows what was drawn on the client picture (no paint callback), later.
    void scheduleRepaint();
    // Marks the window for a paint with the callback (ignored inside it).
    void invalidatePaint();
    // Runs the paint callback now and shows the result, also while the
    // platform has not exposed the window yet.
    void paintNow();
    // A pending invalidation is painted now; else what was drawn is shown.
    void updateNow();
    // Allows the next close to go through (destroyWindow).
    void allowClose() { closing_ = true; }
    void resizeSurface(int width, int height);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int handle_;
    QImage surface_;
    WindowProcedure procedure_;
    bool inPaint_ = false;
    bool fresh_ = false;    // the picture was just painted by paintNow()
    bool dirty_ = false;    // invalidated: the next paint runs the callback
    bool showOnly_ = false; // only drawing to show: no callback
    bool closing_ = false;
};

// Registry: widgets (windows and controls), memory bitmaps and fonts share
// one counter, so a handle names exactly one object.
int newHandle();
int registerWidget(QWidget* widget);
void registerWidgetAs(int handle, QWidget* widget);
void forgetWidget(int handle);
// Forgets the widget and every widget inside it.
void forgetWidgetTree(const QWidget* top);
QWidget* widgetOf(int handle);
int handleOf(const QWidget* widget); // 0 when not one of ours
TkWindow* windowWidget(int handle);
// The top-level window of ours that holds the widget (0 when none).
int windowHandleOf(const QWidget* widget);
QImage* bitmapOf(int handle);
int registerBitmap(const QImage& image);
void removeBitmap(int handle);
const QFont* fontOf(int handle);
int registerFont(const QFont& font);
// The font of a handle, or the system font for 0 or an unknown handle.
QFont fontOrSystem(int handle);

// Widget properties used by the controls.
inline constexpr const char* kCommand = "tkCommand";
inline constexpr const char* kMaxChars = "tkMaxChars";
inline constexpr const char* kDigitsOnly = "tkDigitsOnly";
inline constexpr const char* kSorted = "tkSorted";
inline constexpr const char* kFieldPart = "tkFieldPart";

QColor colourOf(int colour);
int colourValue(const QColor& colour);

// The virtual-key code of a key event (0 when it has none).
int virtualKey(const QKeyEvent* event);
// The Qt key that types the character (Qt::Key_unknown when none).
int qtKeyForCharacter(QChar c);

// Installs the keyboard model on a single-line field.
void installFieldKeys(QWidget* field);
// Calls onFieldEdited of the control's window.
void notifyEdited(QWidget* control);

// The file's bytes; 0 done, 2 cannot open, 3 read error.
int readBytes(const QString& path, QByteArray& bytes);

} // namespace tk::detail
