#pragma once
// Rendering SVG sources into a premultiplied ARGB canvas (librsvg + cairo), one SVG unit per pixel.
#include <cstdint>
#include <string>
#include <vector>

#include "resources/Bitmap8.h"

namespace kvx::sheets {

struct Canvas {
    Canvas() = default;
    Canvas(int width, int height)
        : Width(width), Height(height), Argb(static_cast<size_t>(width) * height, 0) {}
    int Width = 0, Height = 0;
    std::vector<uint32_t> Argb; // premultiplied 0xAARRGGBB, top row first

    uint32_t At(int x, int y) const { return Argb[static_cast<size_t>(y) * Width + x]; }
    uint8_t Alpha(int x, int y) const { return uint8_t(At(x, y) >> 24); }
};

struct Size {
    int W = 0, H = 0;
};

// Draws the SVG file with its top-left corner at (x, y) of the canvas; art outside the SVG's own
// box is drawn too, so a caller can see whether it strays. Gives the SVG's own size in pixels.
Parsed<Size> RenderSvg(const std::string& path, Canvas& canvas, int x, int y);

} // namespace kvx::sheets
