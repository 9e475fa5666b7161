#pragma once
// A picture surface: a plain 24-bit RGB pixel buffer (stored as 0x00RRGGBB) with the raster
// operations the game draws with. Every shape rasterises deterministically, so drawing a shape
// again in black erases exactly what it drew. Everything clips at every edge.
#include <cstdint>
#include <optional>
#include <vector>

namespace kvx {
struct Bitmap8;
}

enum class RasterOp : uint32_t {
    SrcCopy = 13369376,  // dst = src
    SrcAnd = 8913094,    // dst = dst & src
    SrcPaint = 15597702, // dst = dst | src
};

enum class PenMode {
    CopyPen,     // dst = colour
    MergePen,    // dst = dst | colour
    MergeNotPen, // dst = dst | ~colour
};

constexpr uint32_t RGB(int r, int g, int b) {
    return (uint32_t(r & 255) << 16) | (uint32_t(g & 255) << 8) | uint32_t(b & 255);
}

class Surface {
public:
    Surface() = default;
    Surface(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Resizing keeps nothing: the new area is painted in the back colour.
    void Resize(int width, int height);

    uint32_t Pixel(int x, int y) const;
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }

    // Setting the back colour repaints the whole surface in it.
    void SetBackColour(uint32_t colour);
    uint32_t BackColour() const { return backColour_; }
    // Clear: restore the background picture if one is set, otherwise paint the back colour.
    void Clear();
    // Picture shown under the drawing; Clear restores it. Sized to the surface (cut or padded black).
    void SetBackgroundPicture(const Surface& picture);
    void ClearBackgroundPicture();
    bool HasBackgroundPicture() const { return background_.has_value(); }

    void SetFillColour(uint32_t colour) { fillColour_ = colour; }
    uint32_t FillColour() const { return fillColour_; }
    void SetPenMode(PenMode mode) { penMode_ = mode; }
    PenMode GetPenMode() const { return penMode_; }
    // The window keeps repainting from this picture while the switch is on (pause).
    void SetKeepPicture(bool on) { keepPicture_ = on; }
    bool KeepPicture() const { return keepPicture_; }

    // Loads an 8-bit picture; the surface takes the picture's size when autoSize is set,
    // otherwise keeps its size and shows the picture's top-left part over the back colour.
    void LoadPicture(const kvx::Bitmap8& picture, bool autoSize);

    // Shapes, drawn with the pen mode. Corners are inclusive.
    void Line(int x1, int y1, int x2, int y2, uint32_t colour);
    void FillBox(int x1, int y1, int x2, int y2, uint32_t colour);    // corners, solid colour
    void OutlineBox(int x1, int y1, int x2, int y2, uint32_t colour); // outline, inside in fill colour
    void FillBoxSized(int x, int y, int w, int h, uint32_t colour) { FillBox(x, y, x + w - 1, y + h - 1, colour); }
    void OutlineBoxSized(int x, int y, int w, int h, uint32_t colour) {
        OutlineBox(x, y, x + w - 1, y + h - 1, colour);
    }
    // Circle outlined in colour and filled with the fill colour. A negative radius draws nothing.
    void Circle(int cx, int cy, int radius, uint32_t colour);

    // One pixel through the pen mode (clipped).
    void Plot(int x, int y, uint32_t colour);
    // One pixel, raw (clipped), for text renderers and tests.
    void SetPixel(int x, int y, uint32_t colour);

private:
    uint32_t Pen(uint32_t dst, uint32_t colour) const;
    void HLine(int x1, int x2, int y, uint32_t colour);

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    std::optional<std::vector<uint32_t>> background_;
    uint32_t backColour_ = 0;
    uint32_t fillColour_ = 0;
    PenMode penMode_ = PenMode::CopyPen;
    bool keepPicture_ = false;
};

// Copies a w x h block from src (sx, sy) to dst (dx, dy). Pixels outside either surface are
// skipped: nothing outside a buffer is read or written.
void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp op);

// Stretches src (sx, sy, sw, sh) onto dst (dx, dy, dw, dh), nearest neighbour. A negative width
// or height on one side mirrors the copy.
void StretchBlt(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh,
                RasterOp op);

// The 16-colour palette.
uint32_t PaletteColor(int n);
