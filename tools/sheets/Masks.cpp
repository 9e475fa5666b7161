#include "Masks.h"

namespace kvx::sheets {
namespace {

uint32_t Channel(uint32_t argb, int shift) {
    return (argb >> shift) & 0xFF;
}

} // namespace

CellPixels DeriveMasked(const Canvas& canvas, int x, int y, int w, int h) {
    CellPixels out{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, kBlack),
                   std::vector<uint32_t>(static_cast<size_t>(w) * h, kWhite)};
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const uint32_t p = canvas.At(x + i, y + j);
            const uint32_t a = p >> 24;
            if (a < kCoverageThreshold) continue;
            uint32_t rgb = 0;
            for (int shift = 16; shift >= 0; shift -= 8) {
                const uint32_t c = std::min<uint32_t>(255, (Channel(p, shift) * 255 + a / 2) / a);
                rgb |= c << shift;
            }
            const size_t k = static_cast<size_t>(j) * w + i;
            out.Image[k] = rgb;
            out.Mask[k] = kBlack;
        }
    return out;
}

CellPixels FlattenOnBlack(const Canvas& canvas, int x, int y, int w, int h) {
    CellPixels out{w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, kBlack), {}};
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            out.Image[static_cast<size_t>(j) * w + i] = canvas.At(x + i, y + j) & 0xFFFFFF;
    return out;
}

} // namespace kvx::sheets
