#include "resources/Bitmap8.h"

#include <limits>

namespace kvx {
namespace {

uint32_t Read32(std::span<const uint8_t> b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t Read16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
size_t RowStride(int width) { return (static_cast<size_t>(width) + 3) & ~size_t(3); }

} // namespace

Parsed<Bitmap8> ParseBmp(std::span<const uint8_t> b) {
    Parsed<Bitmap8> out;
    if (b.size() < kPixelOffset) return {{}, "file is shorter than the bitmap headers"};
    if (b[0] != 'B' || b[1] != 'M') return {{}, "not a bitmap file (no BM signature)"};
    const uint32_t pixelOffset = Read32(b, 10);
    const uint32_t infoSize = Read32(b, 14);
    if (infoSize < kInfoHeaderSize) return {{}, "unsupported bitmap information header"};
    const int32_t width = static_cast<int32_t>(Read32(b, 18));
    const int32_t rawHeight = static_cast<int32_t>(Read32(b, 22));
    const uint16_t bpp = Read16(b, 28);
    const uint32_t compression = Read32(b, 30);
    if (bpp != 8 || compression != 0) return {{}, "only uncompressed 8-bit bitmaps are supported"};
    if (width <= 0 || rawHeight == 0 || rawHeight == std::numeric_limits<int32_t>::min())
        return {{}, "bitmap has no pixels"};
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;
    if (width > 16384 || height > 16384) return {{}, "bitmap is too large"};
    const size_t stride = RowStride(width);
    const size_t tableAt = kFileHeaderSize + infoSize;
    if (tableAt + kColourTableSize > b.size()) return {{}, "colour table runs past the end of the file"};
    if (pixelOffset > b.size() || stride * static_cast<size_t>(height) > b.size() - pixelOffset)
        return {{}, "pixel data runs past the end of the file"};

    Bitmap8& bm = out.Value;
    bm.Width = width;
    bm.Height = height;
    for (size_t i = 0; i < 256; ++i) {
        const size_t e = tableAt + 4 * i;
        bm.Palette[i] = uint32_t(b[e + 2]) << 16 | uint32_t(b[e + 1]) << 8 | b[e];
    }
    bm.Pixels.resize(static_cast<size_t>(width) * height);
    for (int32_t row = 0; row < height; ++row) {
        const int32_t y = topDown ? row : height - 1 - row;
        const uint8_t* src = b.data() + pixelOffset + stride * row;
        std::copy(src, src + width, bm.Pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    return out;
}

std::vector<uint8_t> EncodeBmp(const Bitmap8& bm) {
    const size_t stride = RowStride(bm.Width);
    const uint32_t imageSize = static_cast<uint32_t>(stride * bm.Height);
    std::vector<uint8_t> b;
    b.reserve(kPixelOffset + imageSize);
    b.push_back('B');
    b.push_back('M');
    Put32(b, static_cast<uint32_t>(kPixelOffset) + imageSize);
    Put32(b, 0);
    Put32(b, static_cast<uint32_t>(kPixelOffset));
    Put32(b, kInfoHeaderSize);
    Put32(b, static_cast<uint32_t>(bm.Width));
    Put32(b, static_cast<uint32_t>(bm.Height)); // bottom-up, as Windows writes them
    Put16(b, 1);
    Put16(b, 8);
    Put32(b, 0);
    Put32(b, imageSize);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 256);
    Put32(b, 0);
    for (uint32_t c : bm.Palette) {
        b.push_back(uint8_t(c));
        b.push_back(uint8_t(c >> 8));
        b.push_back(uint8_t(c >> 16));
        b.push_back(0);
    }
    for (int row = 0; row < bm.Height; ++row) {
        const int y = bm.Height - 1 - row;
        const uint8_t* src = bm.Pixels.data() + static_cast<size_t>(y) * bm.Width;
        b.insert(b.end(), src, src + bm.Width);
        b.insert(b.end(), stride - bm.Width, 0);
    }
    return b;
}

Parsed<std::vector<uint8_t>> SheetToBmp(std::span<const uint8_t> s) {
    // Sheet order: colour table, information header, pixels, file header.
    constexpr size_t infoAt = kColourTableSize;
    constexpr size_t pixelsAt = kColourTableSize + kInfoHeaderSize;
    if (s.size() < pixelsAt) return {{}, "file is shorter than its headers"};
    const uint32_t n = Read32(s, infoAt + 20);
    if (n == 0) return {{}, "image size field is zero"};
    if (n > s.size() - pixelsAt || s.size() - pixelsAt - n < kFileHeaderSize)
        return {{}, "file is shorter than its image size field says"};
    std::vector<uint8_t> bmp;
    bmp.reserve(kPixelOffset + n);
    const auto fileHeader = s.subspan(pixelsAt + n, kFileHeaderSize);
    bmp.insert(bmp.end(), fileHeader.begin(), fileHeader.end());
    bmp.insert(bmp.end(), s.begin() + infoAt, s.begin() + pixelsAt);
    bmp.insert(bmp.end(), s.begin(), s.begin() + kColourTableSize);
    bmp.insert(bmp.end(), s.begin() + pixelsAt, s.begin() + pixelsAt + n);
    return {std::move(bmp), {}};
}

Parsed<std::vector<uint8_t>> BmpToSheet(std::span<const uint8_t> b) {
    // Validate through the full parser so a sheet we write is always one the game can read.
    auto parsed = ParseBmp(b);
    if (!parsed.Ok()) return {{}, parsed.Error};
    if (Read32(b, 10) != kPixelOffset || Read32(b, 14) != kInfoHeaderSize)
        return {{}, "bitmap must have a 40-byte header and a full 256-entry colour table"};
    const Bitmap8& bm = parsed.Value;
    const uint32_t n = static_cast<uint32_t>(RowStride(bm.Width) * bm.Height);
    std::vector<uint8_t> bmp(b.begin(), b.begin() + kPixelOffset + n);
    // Fill in the fields a sheet relies on, in case the writer left them zero.
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = uint8_t(v >> (8 * i));
    };
    put32(2, static_cast<uint32_t>(kPixelOffset) + n);
    put32(34, n);
    std::vector<uint8_t> s;
    s.reserve(bmp.size());
    s.insert(s.end(), bmp.begin() + kFileHeaderSize + kInfoHeaderSize, bmp.begin() + kPixelOffset);
    s.insert(s.end(), bmp.begin() + kFileHeaderSize, bmp.begin() + kFileHeaderSize + kInfoHeaderSize);
    s.insert(s.end(), bmp.begin() + kPixelOffset, bmp.end());
    s.insert(s.end(), bmp.begin(), bmp.begin() + kFileHeaderSize);
    return {std::move(s), {}};
}

} // namespace kvx
