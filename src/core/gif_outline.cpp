#include "core/gif_outline.h"

#include "core/download_tick.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace online {

namespace {

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool has(std::size_t n) const { return bytes_.size() - at_ >= n; }
    std::uint8_t byte() { return static_cast<std::uint8_t>(bytes_[at_++]); }
    std::uint32_t word() {
        const std::uint32_t low = byte();
        return low | (static_cast<std::uint32_t>(byte()) << 8);
    }
    bool skip(std::size_t n) {
        if (!has(n))
            return false;
        at_ += n;
        return true;
    }
    // A colour table follows when the top bit of `flags` is set.
    bool skipColourTable(std::uint8_t flags) {
        return (flags & 0x80) == 0 || skip(std::size_t{3} << ((flags & 0x07) + 1));
    }
    // Data sub-blocks, up to and including the empty one that ends them.
    bool skipSubBlocks() {
        for (;;) {
            if (!has(1))
                return false;
            const std::uint8_t size = byte();
            if (size == 0)
                return true;
            if (!skip(size))
                return false;
        }
    }

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

} // namespace

GifOutline OutlineGif(std::string_view bytes) {
    GifOutline outline;
    if (!LooksLikeGif(bytes))
        return outline;
    Reader in(bytes);
    in.skip(6);
    if (!in.has(7))
        return outline;
    outline.screenWidth = in.word();
    outline.screenHeight = in.word();
    outline.canvasWidth = outline.screenWidth;
    outline.canvasHeight = outline.screenHeight;
    const std::uint8_t flags = in.byte();
    in.skip(2);
    if (!in.skipColourTable(flags))
        return outline;
    while (in.has(1)) {
        switch (in.byte()) {
        case kTrailer:
            outline.complete = true;
            return outline;
        case kExtension:
            if (!in.skip(1) || !in.skipSubBlocks())
                return outline;
            break;
        case kImage: {
            if (!in.has(9))
                return outline;
            const std::uint32_t left = in.word();
            const std::uint32_t top = in.word();
            const std::uint32_t width = in.word();
            const std::uint32_t height = in.word();
            outline.canvasWidth = std::max(outline.canvasWidth, left + width);
            outline.canvasHeight = std::max(outline.canvasHeight, top + height);
            // The LZW code size, then the image data.
            if (!in.skipColourTable(in.byte()) || !in.skip(1) || !in.skipSubBlocks())
                return outline;
            ++outline.frames;
            break;
        }
        default:
            return outline;
        }
    }
    return outline;
}

bool PlayableBannerOutline(const GifOutline& outline) {
    const std::uint64_t pixels =
        std::uint64_t{outline.canvasWidth} * std::uint64_t{outline.canvasHeight};
    return outline.complete && outline.frames >= 1 && outline.frames <= kMaxBannerFrames &&
           pixels >= 1 && pixels <= kMaxBannerPixels;
}

} // namespace online
