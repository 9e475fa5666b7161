#include "Preview.h"

#include <algorithm>
#include <cairo.h>

namespace kvx::sheets {

std::vector<uint32_t> ToRgb(const Bitmap8& sheet) {
    std::vector<uint32_t> rgb(sheet.Pixels.size());
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = sheet.Palette[sheet.Pixels[i]] & 0xFFFFFF;
    return rgb;
}

std::string WritePng(const std::vector<uint32_t>& rgb, int width, int height, int scale,
                     const std::filesystem::path& file) {
    const int w = width * scale, h = height * scale;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int x = 0; x < w; ++x) row[x] = rgb[static_cast<size_t>(y / scale) * width + x / scale];
    }
    cairo_surface_mark_dirty(s);
    const cairo_status_t status = cairo_surface_write_to_png(s, file.string().c_str());
    cairo_surface_destroy(s);
    return status == CAIRO_STATUS_SUCCESS ? "" : "cannot write " + file.string();
}

std::string WriteSheetPreview(const SheetLayout& layout, const Bitmap8& sheet,
                              const std::filesystem::path& file) {
    const int w = sheet.Width, h = sheet.Height, gap = 8;
    const std::vector<uint32_t> stored = ToRgb(sheet);
    const int total = 2 * w + gap;
    std::vector<uint32_t> out(static_cast<size_t>(total) * h, 0x202020);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            out[static_cast<size_t>(y) * total + x] = stored[static_cast<size_t>(y) * w + x];
            out[static_cast<size_t>(y) * total + w + gap + x] = ((x / 4 + y / 4) & 1) ? 0x5A6470 : 0x3C4450;
        }
    for (const Cell& c : layout.Cells) {
        for (int j = 0; j < c.Image.H; ++j)
            for (int i = 0; i < c.Image.W; ++i) {
                const uint32_t img = stored[static_cast<size_t>(c.Image.Y + j) * w + c.Image.X + i];
                uint32_t& dst = out[static_cast<size_t>(c.Image.Y + j) * total + w + gap + c.Image.X + i];
                if (c.Mask)
                    dst = (dst & stored[static_cast<size_t>(c.Mask->Y + j) * w + c.Mask->X + i]) | img;
                else
                    dst = img;
            }
    }
    const int scale = std::clamp(std::min(2400 / total, 2400 / h), 1, 4);
    return WritePng(out, total, h, scale, file);
}

} // namespace kvx::sheets
