// The program's own pictures (compiled-in resources), decoded once.
#pragma once

#include <QPixmap>
#include <QString>

namespace ui {

// The picture at `path`, read by the decoder its extension names (left to guess, Qt would load
// every image plugin of the system to ask each whether it reads the format). Null when it cannot
// be read. On a screen of more than one device pixel a pixel, the picture drawn at twice the
// size (Qt's "@2x" name) where there is one, of device-pixel ratio 2. Kept in the pixmap cache.
QPixmap Picture(const QString& path);

} // namespace ui
