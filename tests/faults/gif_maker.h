// GIF files made at run time, hostile ones (huge canvases from a few bytes) and small good
// ones, so that no such file sits in the repository.
#pragma once

#include <cstdint>
#include <string>

namespace test {

struct GifFrame {
    std::uint16_t left = 0, top = 0, width = 1, height = 1;
};

// A looping GIF: a two-colour global table, and per frame a graphic control block and an
// image whose LZW data is only a clear code and the end code (a decoder still fills and
// converts its whole canvas).
inline std::string MakeGif(std::uint16_t screenWidth, std::uint16_t screenHeight,
                           std::initializer_list<GifFrame> frames, int repeat = 1,
                           bool trailer = true) {
    std::string out = "GIF89a";
    auto word = [&out](std::uint16_t value) { out += {char(value & 0xFF), char(value >> 8)}; };
    word(screenWidth);
    word(screenHeight);
    out += std::string("\x80\x00\x00\x00\x00\x00\xff\xff\xff", 9);
    out += std::string("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (int r = 0; r < repeat; ++r) {
        for (const GifFrame& f : frames) {
            out += std::string("\x21\xf9\x04\x04\x0a\x00\x00\x00\x2c", 9);
            for (const std::uint16_t value : {f.left, f.top, f.width, f.height})
                word(value);
            // No local table; code size 2: clear (4) then end (5), three bits each.
            out += std::string("\x00\x02\x01\x2c\x00", 5);
        }
    }
    return trailer ? out + '\x3b' : out;
}

} // namespace test
