#include "SvgRender.h"

#include <cairo.h>
#include <cmath>
#include <librsvg/rsvg.h>

// Fontconfig loads its configuration once and keeps it until the process ends, so the leak
// checker of a sanitizer build would report it after every run that sets text.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}

namespace kvx::sheets {

Parsed<Size> RenderSvg(const std::string& path, Canvas& canvas, int x, int y) {
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &error);
    if (!handle) {
        std::string message = error ? error->message : "cannot read";
        if (error) g_error_free(error);
        return {{}, path + ": " + message};
    }
    rsvg_handle_set_dpi(handle, 96.0);
    Parsed<Size> out;
    double w = 0, h = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h)) {
        g_object_unref(handle);
        return {{}, path + ": the svg element needs a width and a height"};
    }
    out.Value = {static_cast<int>(std::lround(w)), static_cast<int>(std::lround(h))};

    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(canvas.Argb.data()), CAIRO_FORMAT_ARGB32, canvas.Width,
        canvas.Height, canvas.Width * 4);
    cairo_t* cr = cairo_create(surface);
    const RsvgRectangle viewport{double(x), double(y), w, h};
    if (!rsvg_handle_render_document(handle, cr, &viewport, &error)) {
        out.Error = path + ": " + (error ? error->message : "cannot render");
        if (error) g_error_free(error);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    g_object_unref(handle);
    return out;
}

} // namespace kvx::sheets
