// A picture kept as the pixels a pixmap draws, so that reading it is no work: the pictures of the
// main window's first paint are compiled in this way beside their PNG and GIF sources, and start-up
// needs neither a decoder nor an image plugin.
#pragma once

#include <QByteArray>
#include <QImage>

namespace ui {

// `image` as a raw picture: a 16-byte header (the magic "TXPX", then the width, the height and the
// QImage format, as 32-bit integers in the machine's order) and the rows, 4 bytes a pixel with no
// padding. Opaque pictures are kept as RGB32, the others as premultiplied ARGB32: the formats a
// pixmap keeps as they come. Empty for a null image.
QByteArray ToRawPicture(const QImage& image);

// The picture in `data`: the image shares the bytes when they are 4-byte aligned (they must then
// outlive it, as compiled-in resources do), else it holds a copy. Null when `data` is not one
// whole raw picture.
QImage FromRawPicture(const uchar* data, qsizetype size);

} // namespace ui
