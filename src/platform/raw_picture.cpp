#include "platform/raw_picture.h"

#include <cstdint>
#include <cstring>

namespace ui {

namespace {

constexpr char kMagic[4] = {'T', 'X', 'P', 'X'};

struct Header {
    char magic[4];
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t format;
};
static_assert(sizeof(Header) == 16);

// Far above any picture of the program, and low enough that the byte count cannot overflow.
constexpr std::uint32_t kMaxSide = 16384;

bool isOpaque(const QImage& argb) {
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

} // namespace

QByteArray ToRawPicture(const QImage& image) {
    if (image.isNull())
        return {};
    QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    pixels = isOpaque(pixels) ? pixels.convertToFormat(QImage::Format_RGB32)
                              : pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Header header{};
    std::memcpy(header.magic, kMagic, sizeof kMagic);
    header.width = static_cast<std::uint32_t>(pixels.width());
    header.height = static_cast<std::uint32_t>(pixels.height());
    header.format = static_cast<std::uint32_t>(pixels.format());
    const qsizetype rowBytes = qsizetype(pixels.width()) * 4;
    QByteArray raw(reinterpret_cast<const char*>(&header), sizeof header);
    raw.reserve(raw.size() + rowBytes * pixels.height());
    for (int y = 0; y < pixels.height(); ++y)
        raw.append(reinterpret_cast<const char*>(pixels.constScanLine(y)), rowBytes);
    return raw;
}

QImage FromRawPicture(const uchar* data, qsizetype size) {
    Header header;
    if (!data || size < qsizetype(sizeof header))
        return {};
    std::memcpy(&header, data, sizeof header);
    if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || header.width == 0 ||
        header.height == 0 || header.width > kMaxSide || header.height > kMaxSide)
        return {};
    const auto format = static_cast<QImage::Format>(header.format);
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return {};
    const qsizetype rowBytes = qsizetype(header.width) * 4;
    if (size - qsizetype(sizeof header) != rowBytes * qsizetype(header.height))
        return {};
    const uchar* pixels = data + sizeof header;
    const QImage shared(pixels, int(header.width), int(header.height), rowBytes, format);
    // QImage asks for 32-bit aligned rows; copied otherwise.
    return reinterpret_cast<std::uintptr_t>(pixels) % 4 == 0 ? shared : shared.copy();
}

} // namespace ui
