#pragma once
// An 8-bit, 256-colour picture and the two byte layouts it is stored in: the ordinary Windows
// bitmap file and the sheet file (.kvx), which holds the same four blocks in another order.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kvx {

struct Bitmap8 {
    int Width = 0;
    int Height = 0;
    std::array<uint32_t, 256> Palette{}; // 0xRRGGBB
    std::vector<uint8_t> Pixels;         // Width * Height indices, top row first

    uint8_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    uint8_t& At(int x, int y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

// Result of a parse: either a value or a message saying what is wrong with the bytes.
template <typename T> struct Parsed {
    T Value{};
    std::string Error; // empty when the parse succeeded
    bool Ok() const { return Error.empty(); }
};

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kColourTableSize = 1024;
constexpr size_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kColourTableSize; // 1078

// Ordinary bitmap file: 8 bits per pixel, uncompressed, bottom-up or top-down rows.
Parsed<Bitmap8> ParseBmp(std::span<const uint8_t> bytes);
std::vector<uint8_t> EncodeBmp(const Bitmap8& bitmap);

// Sheet file <-> ordinary bitmap file, block reordering only (no field is changed).
// The decode checks every length against the buffer and rejects a zero image size.
Parsed<std::vector<uint8_t>> SheetToBmp(std::span<const uint8_t> sheet);
Parsed<std::vector<uint8_t>> BmpToSheet(std::span<const uint8_t> bmp);

} // namespace kvx
