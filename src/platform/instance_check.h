// Refusing a second start on the same desktop.
#pragma once

#include <QString>

class QWidget;

namespace shell {

// True when another top-level window of the desktop, of any program and mapped or not, carries
// exactly `title`; the window manager is then asked to bring that window forward. `window` is the
// starting instance's own main window: it must exist (hidden) and carry the title, and the
// program's own windows count as the one match expected.
bool CheckAlreadyRunning(QWidget& window, const QString& title);

} // namespace shell
