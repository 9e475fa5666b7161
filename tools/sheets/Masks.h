#pragma once
// Turning rendered art into the two cells the game blits: the picture on pure black and the
// 1-bit mask (black where the picture is, white elsewhere).
#include <cstdint>
#include <vector>

#include "SvgRender.h"

namespace kvx::sheets {

// A canvas pixel counts as part of a masked sprite from this alpha on. Cairo's coverage of an
// edge pixel is about the share of the pixel inside the shape, so this keeps pixels that are
// at least half covered.
constexpr uint8_t kCoverageThreshold = 128;

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

struct CellPixels {
    int W = 0, H = 0;
    std::vector<uint32_t> Image; // 0xRRGGBB
    std::vector<uint32_t> Mask;  // kBlack or kWhite; empty for unmasked pictures
};

// Masked sprite from the w x h area at (x, y) of the canvas: covered pixels keep their full,
// un-premultiplied colour, so the edge is as clean as the mask.
CellPixels DeriveMasked(const Canvas& canvas, int x, int y, int w, int h);
// Unmasked picture: the art laid over black.
CellPixels FlattenOnBlack(const Canvas& canvas, int x, int y, int w, int h);

} // namespace kvx::sheets
