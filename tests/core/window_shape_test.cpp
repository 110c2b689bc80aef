// The real arrow's mask, pixel by pixel, is the assistant window test's; here the edge cases.
#include "core/window_shape.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using assistant::PixelRect;
using assistant::RegionFromPicture;

// A picture drawn in text: one character a pixel, each character its own colour.
class TextPicture final : public assistant::PixelReader {
  public:
    explicit TextPicture(std::vector<std::string> rows) : rows_(std::move(rows)) {}
    int width() const override { return rows_.empty() ? 0 : static_cast<int>(rows_[0].size()); }
    int height() const override { return static_cast<int>(rows_.size()); }
    std::uint32_t pixel(int x, int y) const override {
        return static_cast<unsigned char>(
            rows_[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
    }

  private:
    std::vector<std::string> rows_;
};

TEST(RegionFromPicture, RunsRowByRow) {
    const std::pair<std::vector<std::string>, std::vector<PixelRect>> cases[] = {
        // Runs reaching the right edge close on their row and open nothing on the next.
        {{"..##", ".###", "...#"}, {{2, 0, 4, 1}, {1, 1, 4, 2}, {3, 2, 4, 3}}},
        {{".ab.c", "....."}, {{1, 0, 3, 1}, {4, 0, 5, 1}}}, // any other colour is inside
        {{}, {}},
        // The top-left pixel sets the key colour, even where it is inside the figure.
        {{"#.#..##.", "##....##"}, {{1, 0, 2, 1}, {3, 0, 5, 1}, {7, 0, 8, 1}, {2, 1, 6, 2}}},
    };
    for (const auto& [rows, runs] : cases)
        EXPECT_EQ(RegionFromPicture(TextPicture(rows)), runs) << rows.size();
}

} // namespace
