#include "core/window_shape.h"

#include <cstdint>

namespace assistant {

std::vector<PixelRect> RegionFromPicture(const PixelReader& picture) {
    std::vector<PixelRect> runs;
    const int width = picture.width();
    const int height = picture.height();
    if (width <= 0 || height <= 0)
        return runs;
    const std::uint32_t key = picture.pixel(0, 0);
    for (int y = 0; y < height; ++y) {
        int start = -1;
        for (int x = 0; x < width; ++x) {
            const bool inside = picture.pixel(x, y) != key;
            if (inside && start < 0) {
                start = x;
            } else if (!inside && start >= 0) {
                runs.push_back({start, y, x, y + 1});
                start = -1;
            }
        }
        // A run never carries over to the next row.
        if (start >= 0)
            runs.push_back({start, y, width, y + 1});
    }
    return runs;
}

} // namespace assistant
