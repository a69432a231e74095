#pragma once
// Whether a window can be shown at all, asked before Qt is started so that a
// machine without a display gets a clear sentence instead of a Qt abort.
#include <QString>

namespace tk {

// Empty when a display is available (or an offscreen platform was asked
// for); otherwise one line that explains why the window cannot be shown.
QString missingDisplayReason();

} // namespace tk
