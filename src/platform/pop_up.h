// The Qt side of the assistant's window mechanics: placing a pop-up at the pointer and cutting
// a window to its picture.
#pragma once

#include <QImage>
#include <QRegion>

class QWidget;

namespace assistant {

// At load, before the window is shown: centred on the mouse pointer, inside the pointer's
// screen, in the always-on-top layer, by the window's outer size (a window manager's frame is
// known only once it has framed the window: the placement is then made again).
void PlaceAtCursor(QWidget& window);

// The picture's shape pixels (all but the colour at (0, 0)); empty for a one-colour picture.
QRegion RegionFromPicture(const QImage& picture);

} // namespace assistant
