// The windows' fonts were chosen for a narrower face than the ones found on Linux desktops;
// where a text would overflow its designed box, its font is made smaller until it fits.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class QLineEdit;

namespace ui {

// `design`, or the largest smaller size (by quarter points, not below 6 pt) at which `text`
// fits `box` when drawn with the Qt::TextFlag/alignment `flags` (Qt::TextWordWrap to wrap).
QFont FontFitting(const QFont& design, const QString& text, const QSize& box, int flags);

// From now on, a text too wide for the one-line `box` at its present font is shown in the
// largest smaller size that holds it whole (FontFitting), and a text that fits at the present
// font in that font again: a long figure is read whole rather than cut.
void ShowWholeText(QLineEdit* box);

} // namespace ui
