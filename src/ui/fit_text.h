// The windows' fonts were chosen for a narrower face than the ones found on Linux desktops;
// where a text would overflow its designed box, its font is made smaller until it fits.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace ui {

// `design`, or the largest smaller size (by quarter points, not below 6 pt) at which `text`
// fits `box` when drawn with the Qt::TextFlag/alignment `flags` (Qt::TextWordWrap to wrap).
QFont FontFitting(const QFont& design, const QString& text, const QSize& box, int flags);

} // namespace ui
