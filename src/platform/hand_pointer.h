// The per-window pointer setting: the hand of MainTacheG.ico over a whole window, its controls
// included, or the ordinary arrow.
#pragma once

#include <QString>

class QWidget;

namespace ui {

inline constexpr const char* kHandPointerFile = "MainTacheG.ico";

// The hand over `window` and every control in it. A missing or unreadable icon shows the arrow.
void ShowHandPointer(QWidget& window, const QString& programFolder);
// Every control back to its own pointer.
void RestoreDefaultPointer(QWidget& window);
bool HandPointerShown(const QWidget& window);

} // namespace ui
