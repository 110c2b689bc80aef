// The program's own pictures (compiled-in resources), decoded once.
#pragma once

#include <QPixmap>
#include <QString>

namespace ui {

// The picture at `path`. A compiled-in picture that also has a raw copy (":/assets/x.png" and
// ":/raw/assets/x.png") is drawn from that copy's bytes, without decoding; any other is read by
// the decoder its extension names (left to guess, Qt would load every image plugin of the system
// to ask each whether it reads the format). Null when it cannot be read. Kept in the pixmap cache.
QPixmap Picture(const QString& path);

} // namespace ui
