// Any bytes as a sheet file: decoded, parsed and loaded into a surface without a read or write
// outside a buffer.
#include <cstddef>
#include <cstdint>

#include "platform/Surface.h"
#include "resources/Bitmap8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto bmp = kvx::SheetToBmp({data, size});
    if (!bmp.Ok()) return 0;
    const auto picture = kvx::ParseBmp(bmp.Value);
    if (!picture.Ok()) return 0;
    Surface fixed(64, 64);
    fixed.LoadPicture(picture.Value, false);
    if (picture.Value.Width <= 2048 && picture.Value.Height <= 2048) {
        Surface sized;
        sized.LoadPicture(picture.Value, true);
    }
    return 0;
}
