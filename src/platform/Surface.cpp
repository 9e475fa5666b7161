#include "platform/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "resources/Bitmap8.h"

namespace {

// Runs of pixels are combined four at a time (plain SSE2-sized vectors, whatever the compiler
// flags), then one by one for the rest of the run.
using Pixels4 = uint32_t __attribute__((vector_size(16)));

inline Pixels4 Load4(const uint32_t* p) {
    Pixels4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void Store4(uint32_t* p, Pixels4 v) { std::memcpy(p, &v, sizeof v); }

inline void AndRun(uint32_t* d, const uint32_t* s, int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) Store4(d + i, Load4(d + i) & Load4(s + i));
    for (; i < n; ++i) d[i] &= s[i];
}

inline void OrRun(uint32_t* d, const uint32_t* s, int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) Store4(d + i, Load4(d + i) | Load4(s + i));
    for (; i < n; ++i) d[i] |= s[i];
}

inline void FillRun(uint32_t* d, uint32_t* end, uint32_t c) {
    const Pixels4 v = {c, c, c, c};
    for (; end - d >= 4; d += 4) Store4(d, v);
    for (; d != end; ++d) *d = c;
}

inline void OrFillRun(uint32_t* d, uint32_t* end, uint32_t c) {
    const Pixels4 v = {c, c, c, c};
    for (; end - d >= 4; d += 4) Store4(d, Load4(d) | v);
    for (; d != end; ++d) *d |= c;
}

} // namespace

Surface::Surface(int width, int height) { Resize(width, height); }

void Surface::Resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(static_cast<size_t>(width_) * height_, backColour_);
    if (background_) background_->assign(pixels_.size(), 0);
}

uint32_t Surface::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Surface::SetBackColour(uint32_t colour) {
    backColour_ = colour & 0xFFFFFF;
    std::fill(pixels_.begin(), pixels_.end(), backColour_);
}

void Surface::Clear() {
    if (background_)
        pixels_ = *background_;
    else
        std::fill(pixels_.begin(), pixels_.end(), backColour_);
}

void Surface::SetBackgroundPicture(const Surface& picture) {
    std::vector<uint32_t> bg(pixels_.size(), 0);
    const int w = std::min(width_, picture.width_);
    const int h = std::min(height_, picture.height_);
    for (int y = 0; y < h; ++y) std::copy(picture.Row(y), picture.Row(y) + w, bg.begin() + static_cast<ptrdiff_t>(y) * width_);
    background_ = std::move(bg);
}

void Surface::ClearBackgroundPicture() { background_.reset(); }

void Surface::LoadPicture(const kvx::Bitmap8& picture, bool autoSize) {
    if (autoSize)
        Resize(picture.Width, picture.Height);
    else
        std::fill(pixels_.begin(), pixels_.end(), backColour_);
    const int w = std::min(width_, picture.Width);
    const int h = std::min(height_, picture.Height);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = Row(y);
        for (int x = 0; x < w; ++x) row[x] = picture.Palette[picture.At(x, y)] & 0xFFFFFF;
    }
}

uint32_t Surface::Pen(uint32_t dst, uint32_t colour) const {
    switch (penMode_) {
    case PenMode::MergePen: return dst | (colour & 0xFFFFFF);
    case PenMode::MergeNotPen: return dst | (~colour & 0xFFFFFF);
    case PenMode::CopyPen: break;
    }
    return colour & 0xFFFFFF;
}

void Surface::Plot(int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    uint32_t& p = pixels_[static_cast<size_t>(y) * width_ + x];
    p = Pen(p, colour);
}

void Surface::SetPixel(int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = colour & 0xFFFFFF;
}

void Surface::HLine(int x1, int x2, int y, uint32_t colour) {
    if (y < 0 || y >= height_) return;
    x1 = std::max(x1, 0);
    x2 = std::min(x2, width_ - 1);
    if (x1 > x2) return;
    // The pen mode is chosen once per run, so plain runs are simple fills.
    uint32_t* first = Row(y) + x1;
    uint32_t* last = Row(y) + x2 + 1;
    switch (penMode_) {
    case PenMode::CopyPen: FillRun(first, last, colour & 0xFFFFFF); return;
    case PenMode::MergePen: OrFillRun(first, last, colour & 0xFFFFFF); return;
    case PenMode::MergeNotPen: OrFillRun(first, last, ~colour & 0xFFFFFF); return;
    }
}

void Surface::Line(int x1, int y1, int x2, int y2, uint32_t colour) {
    // Bresenham, both end points included; the same call always sets the same pixels. Coordinates
    // are 16-bit in the game, so walking the whole line is cheap.
    const long long dx = std::llabs(static_cast<long long>(x2) - x1);
    const long long dy = -std::llabs(static_cast<long long>(y2) - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    long long err = dx + dy;
    long long x = x1, y = y1;
    for (;;) {
        Plot(static_cast<int>(x), static_cast<int>(y), colour);
        if (x == x2 && y == y2) break;
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void Surface::FillBox(int x1, int y1, int x2, int y2, uint32_t colour) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    for (int y = std::max(y1, 0); y <= std::min(y2, height_ - 1); ++y) HLine(x1, x2, y, colour);
}

void Surface::OutlineBox(int x1, int y1, int x2, int y2, uint32_t colour) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    for (int y = std::max(y1, 0); y <= std::min(y2, height_ - 1); ++y) {
        if (y == y1 || y == y2) {
            HLine(x1, x2, y, colour);
        } else {
            Plot(x1, y, colour);
            if (x2 > x1) {
                HLine(x1 + 1, x2 - 1, y, fillColour_);
                Plot(x2, y, colour);
            }
        }
    }
}

void Surface::Circle(int cx, int cy, int radius, uint32_t colour) {
    if (radius < 0) return;
    // A pixel is inside when dx^2 + dy^2 <= r^2 + r; it is outline when a 4-neighbour is not.
    // Drawn row by row: on each row the inside is one run, and its outline is the run's two
    // ends plus whatever sticks out past the rows above and below.
    const long long r = radius;
    const long long limit = r * r + r;
    auto halfWidth = [&](long long dy) -> long long {
        const long long rest = limit - dy * dy;
        if (rest < 0) return -1;
        long long w = static_cast<long long>(std::sqrt(static_cast<double>(rest)));
        while (w * w > rest) --w;
        while ((w + 1) * (w + 1) <= rest) ++w;
        return w;
    };
    auto run = [&](long long y, long long x1, long long x2, uint32_t c) {
        x1 = std::max(x1 + cx, -1LL);
        x2 = std::min(x2 + cx, static_cast<long long>(width_));
        HLine(static_cast<int>(x1), static_cast<int>(x2), static_cast<int>(y), c);
    };
    const long long dyFirst = std::max(-r, -static_cast<long long>(cy));
    const long long dyLast = std::min(r, static_cast<long long>(height_) - 1 - cy);
    for (long long dy = dyFirst; dy <= dyLast; ++dy) {
        const long long y = cy + dy;
        const long long w = halfWidth(dy);
        if (w < 0) continue;
        const long long inner = std::min({halfWidth(dy - 1), halfWidth(dy + 1), w - 1});
        if (inner < 0) {
            run(y, -w, w, colour);
            continue;
        }
        run(y, -w, -inner - 1, colour);
        run(y, -inner, inner, fillColour_);
        run(y, inner + 1, w, colour);
    }
}

void BitBlt(Surface& dst, int dx, int dy, int w, int h, const Surface& src, int sx, int sy, RasterOp op) {
    if (w <= 0 || h <= 0) return;
    // Clip against both surfaces at once, in 64-bit so no sum can overflow.
    long long x0 = 0, y0 = 0, x1 = w, y1 = h;
    x0 = std::max({x0, -static_cast<long long>(dx), -static_cast<long long>(sx)});
    y0 = std::max({y0, -static_cast<long long>(dy), -static_cast<long long>(sy)});
    x1 = std::min({x1, static_cast<long long>(dst.Width()) - dx, static_cast<long long>(src.Width()) - sx});
    y1 = std::min({y1, static_cast<long long>(dst.Height()) - dy, static_cast<long long>(src.Height()) - sy});
    if (x0 >= x1 || y0 >= y1) return;
    const int n = static_cast<int>(x1 - x0);
    const bool self = &dst == &src; // overlapping runs go pixel by pixel, as they always did
    for (long long j = y0; j < y1; ++j) {
        const uint32_t* s = src.Row(static_cast<int>(sy + j)) + sx + x0;
        uint32_t* d = dst.Row(static_cast<int>(dy + j)) + dx + x0;
        switch (op) {
        case RasterOp::SrcCopy: std::copy(s, s + n, d); break;
        case RasterOp::SrcAnd:
            if (self) {
                for (int i = 0; i < n; ++i) d[i] &= s[i];
            } else {
                AndRun(d, s, n);
            }
            break;
        case RasterOp::SrcPaint:
            if (self) {
                for (int i = 0; i < n; ++i) d[i] |= s[i];
            } else {
                OrRun(d, s, n);
            }
            break;
        }
    }
}

void StretchBlt(Surface& dst, int dx, int dy, int dw, int dh, const Surface& src, int sx, int sy, int sw, int sh,
                RasterOp op) {
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
    const bool mirrorX = (dw < 0) != (sw < 0);
    const bool mirrorY = (dh < 0) != (sh < 0);
    // Normalise both rectangles to positive extents covering the same pixels.
    auto normalise = [](long long& origin, long long& extent) {
        if (extent < 0) {
            origin += extent;
            extent = -extent;
        }
    };
    long long ox = dx, oy = dy, ow = dw, oh = dh, px = sx, py = sy, pw = sw, ph = sh;
    normalise(ox, ow);
    normalise(oy, oh);
    normalise(px, pw);
    normalise(py, ph);
    for (long long j = 0; j < oh; ++j) {
        const long long ty = oy + j;
        if (ty < 0 || ty >= dst.Height()) continue;
        long long srow = (2 * j + 1) * ph / (2 * oh);
        if (mirrorY) srow = ph - 1 - srow;
        const long long fy = py + srow;
        if (fy < 0 || fy >= src.Height()) continue;
        uint32_t* d = dst.Row(static_cast<int>(ty));
        const uint32_t* s = src.Row(static_cast<int>(fy));
        for (long long i = 0; i < ow; ++i) {
            const long long tx = ox + i;
            if (tx < 0 || tx >= dst.Width()) continue;
            long long scol = (2 * i + 1) * pw / (2 * ow);
            if (mirrorX) scol = pw - 1 - scol;
            const long long fx = px + scol;
            if (fx < 0 || fx >= src.Width()) continue;
            switch (op) {
            case RasterOp::SrcCopy: d[tx] = s[fx]; break;
            case RasterOp::SrcAnd: d[tx] &= s[fx]; break;
            case RasterOp::SrcPaint: d[tx] |= s[fx]; break;
            }
        }
    }
}

uint32_t PaletteColor(int n) {
    static constexpr uint32_t kPalette[16] = {
        RGB(0, 0, 0),     RGB(0, 0, 128),     RGB(0, 128, 0),   RGB(0, 128, 128),
        RGB(128, 0, 0),   RGB(128, 0, 128),   RGB(128, 128, 0), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(0, 255, 255),
        RGB(255, 0, 0),   RGB(255, 0, 255),   RGB(255, 255, 0), RGB(255, 255, 255),
    };
    return kPalette[n & 15];
}
