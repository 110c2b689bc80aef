// The outline read from a banner file before Qt decodes it: canvas, frames, wholeness, and the
// limits past which the banner refuses to play it.
#include "core/gif_outline.h"
#include "gif_maker.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

using test::MakeGif;

std::ifstream shipped(TIRELIX_ASSETS "/Pub1.gif", std::ios::binary);
const std::string kShippedBanner{std::istreambuf_iterator<char>(shipped), {}};

TEST(GifOutline, CanvasFramesWholenessAndTheBannerLimits) {
    const struct {
        const char* name;
        std::string bytes;
        std::uint32_t width, height, frames;
        bool complete, playable;
    } cases[] = {
        {"shipped banner", kShippedBanner, 460, 61, 15, true, true},
        {"GIF87a", "GIF87a" + MakeGif(3, 2, {{0, 0, 3, 2}}).substr(6), 3, 2, 1, true, true},
        {"frames beyond the screen", MakeGif(10, 10, {{5, 5, 20, 30}}), 25, 35, 1, true, true},
        {"one pixel over", MakeGif(1025, 1024, {{0, 0, 1, 1}}), 1025, 1024, 1, true, false},
        {"huge frame", MakeGif(1, 1, {{0, 0, 10000, 10000}}), 10000, 10000, 1, true, false},
        {"far offset", MakeGif(1, 1, {{65535, 65535, 65535, 65535}}), 131070, 131070, 1, true,
         false},
        {"one frame too many", MakeGif(4, 4, {{0, 0, 4, 4}}, 513), 4, 4, 513, true, false},
        {"no frame", MakeGif(4, 4, {}), 4, 4, 0, true, false},
        {"no trailer", MakeGif(4, 4, {{0, 0, 4, 4}}, 1, false), 4, 4, 1, false, false},
        {"unknown block", MakeGif(4, 4, {}, 1, false) + "\x99\x3b", 4, 4, 0, false, false},
        {"not a GIF", "\x89PNG\r\n\x1a\n", 0, 0, 0, false, false},
    };
    for (const auto& c : cases) {
        const online::GifOutline o = online::OutlineGif(c.bytes);
        EXPECT_EQ(std::make_tuple(o.canvasWidth, o.canvasHeight, o.frames, o.complete),
                  std::make_tuple(c.width, c.height, c.frames, c.complete))
            << c.name;
        EXPECT_EQ(online::PlayableBannerOutline(o), c.playable) << c.name;
    }
}

// However a download or a copy is cut short, the file is not whole.
TEST(GifOutline, CutsAreNeverWhole) {
    const std::string whole = kShippedBanner;
    ASSERT_TRUE(online::OutlineGif(whole).complete);
    for (std::size_t size = 0; size < whole.size(); ++size)
        ASSERT_FALSE(online::OutlineGif(std::string_view(whole).substr(0, size)).complete) << size;
}

} // namespace
