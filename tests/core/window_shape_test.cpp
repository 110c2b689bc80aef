#include "core/window_shape.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
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

// The 24-bit bitmap of the tour's arrow, bottom-up rows padded to four bytes.
class Bitmap final : public assistant::PixelReader {
  public:
    explicit Bitmap(const std::string& path)
        : bytes_(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()),
                 {}) {}
    int width() const override { return static_cast<int>(le(18, 4)); }
    int height() const override { return static_cast<int>(le(22, 4)); }
    std::uint32_t pixel(int x, int y) const override {
        const std::size_t stride = (static_cast<std::size_t>(width()) * 3 + 3) / 4 * 4;
        return le(le(10, 4) + static_cast<std::size_t>(height() - 1 - y) * stride +
                      static_cast<std::size_t>(x) * 3,
                  3);
    }

  private:
    std::uint32_t le(std::size_t at, int count) const {
        std::uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i)
            value = value << 8 |
                    static_cast<unsigned char>(bytes_.at(at + static_cast<std::size_t>(i)));
        return value;
    }
    std::vector<char> bytes_;
};

TEST(RegionFromPicture, RunsRowByRow) {
    const std::pair<std::vector<std::string>, std::vector<PixelRect>> cases[] = {
        {{"....", ".##.", "...."}, {{1, 1, 3, 2}}},
        {{".#..##."}, {{1, 0, 2, 1}, {4, 0, 6, 1}}},
        // Runs reaching the right edge close on their row and open nothing on the next.
        {{"..##", ".###", "...#"}, {{2, 0, 4, 1}, {1, 1, 4, 2}, {3, 2, 4, 3}}},
        {{".###", "#...", "...."}, {{1, 0, 4, 1}, {0, 1, 1, 2}}},
        {{".ab.c", "....."}, {{1, 0, 3, 1}, {4, 0, 5, 1}}}, // any other colour is inside
        {{"xxx", "xxx"}, {}},
        {{"x"}, {}},
        {{}, {}},
        // The top-left pixel sets the key colour, even where it is inside the figure.
        {{"#.#..##.", "##....##"}, {{1, 0, 2, 1}, {3, 0, 5, 1}, {7, 0, 8, 1}, {2, 1, 6, 2}}},
    };
    for (const auto& [rows, runs] : cases)
        EXPECT_EQ(RegionFromPicture(TextPicture(rows)), runs) << rows.size();
}

TEST(RegionFromPicture, TheArrowIsOneRunOnEachRowBetweenItsMargins) {
    const Bitmap arrow(std::string(TIRELIX_ASSETS) + "/arrow.bmp");
    ASSERT_EQ(arrow.width(), 43);
    ASSERT_EQ(arrow.height(), 45);
    const std::vector<PixelRect> runs = RegionFromPicture(arrow);
    ASSERT_EQ(runs.size(), 43u);
    const std::uint32_t white = 0xFFFFFF;
    for (int y = 0; y < 45; ++y) {
        for (int x = 0; x < 43; ++x) {
            bool covered = false;
            for (const auto& r : runs)
                covered = covered || (x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            EXPECT_EQ(covered, arrow.pixel(x, y) != white) << x << ',' << y;
        }
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].top, static_cast<int>(i) + 1);
        EXPECT_EQ(runs[i].bottom, runs[i].top + 1);
        EXPECT_GT(runs[i].left, 0);
        EXPECT_LT(runs[i].right, 43) << "row " << runs[i].top << " reaches the right edge";
    }
}

} // namespace
