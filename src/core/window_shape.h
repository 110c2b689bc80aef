// Cutting a borderless window to the outline of its picture: every pixel of the colour at
// (0, 0) is outside, every other pixel inside.
#pragma once

#include <cstdint>
#include <vector>

namespace assistant {

// The picture as the scan sees it; colours are compared as whole values.
class PixelReader {
  public:
    virtual ~PixelReader() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual std::uint32_t pixel(int x, int y) const = 0;
};

// One run of shape pixels on one row; right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The runs, row by row from the top and left to right within a row. Empty: no shape at all
// (a picture of one colour), and the window stays rectangular.
std::vector<PixelRect> RegionFromPicture(const PixelReader& picture);

} // namespace assistant
