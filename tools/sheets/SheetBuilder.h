#pragma once
// Builds the sheet pictures from the layout, the manifest and the SVG sources, checking that
// every rectangle is filled, that no source strays outside its rectangles and that shared
// pixels agree.
#include <filesystem>
#include <string>
#include <vector>

#include "SheetLayout.h"
#include "resources/Bitmap8.h"

namespace kvx::sheets {

struct BuiltSheet {
    std::string Name;
    Bitmap8 Picture;
};

struct BuildResult {
    std::vector<BuiltSheet> Sheets;
    std::vector<std::string> Errors; // empty when every check passed
};

// Art more than this many pixels beyond a sheet's edge is not seen by the spill check.
constexpr int kSpillMargin = 32;

BuildResult BuildSheets(const Layout& layout, const std::vector<Source>& sources,
                        const std::filesystem::path& artDir);

// Reads layout.txt and manifest.txt from the art folder and builds from them.
BuildResult BuildArtFolder(const std::filesystem::path& artDir);

// The bytes of a sheet file (.kvx) for a built picture.
std::vector<uint8_t> SheetFileBytes(const Bitmap8& picture);

} // namespace kvx::sheets
