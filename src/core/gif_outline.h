// The block structure of a GIF file, read without decoding a pixel: how large a canvas its
// decoder will allocate, how many frames it holds, whether it is whole. A banner file comes
// from the network or from the program folder, so it is judged on this before it is played.
#pragma once

#include <cstdint>
#include <string_view>

namespace online {

struct GifOutline {
    // The logical screen of the header.
    std::uint32_t screenWidth = 0;
    std::uint32_t screenHeight = 0;
    // The screen grown to hold every frame: a decoder sizes its canvas from the frames when
    // the screen is empty, and decodes each frame's rows whatever the screen.
    std::uint32_t canvasWidth = 0;
    std::uint32_t canvasHeight = 0;
    std::uint32_t frames = 0;
    // Every block was there up to the trailer.
    bool complete = false;
};

GifOutline OutlineGif(std::string_view bytes);

// Far beyond what the banner strip (460 × 61) shows, far below what would load the machine.
inline constexpr std::uint64_t kMaxBannerPixels = 1024 * 1024;
inline constexpr std::uint32_t kMaxBannerFrames = 512;

// A whole GIF with one frame at least, within the limits above.
bool PlayableBannerOutline(const GifOutline& outline);

} // namespace online
