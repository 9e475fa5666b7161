#pragma once
// Mock screens made from the built sheet files, drawn with the game's own raster operations, for
// judging the art in place: the play field at 1x and 2x, every boss, the title, option and
// ship-selection screens.
#include <filesystem>
#include <map>
#include <string>

#include "SheetLayout.h"
#include "resources/Bitmap8.h"

namespace kvx::sheets {

struct LoadedSheets {
    Layout Map;
    std::map<std::string, Bitmap8> Pictures;
};

// Reads layout.txt from the art folder and every G*.kvx from the game folder, through the game's
// own sheet decoder and bitmap reader.
LoadedSheets LoadBuiltSheets(const std::filesystem::path& artDir, const std::filesystem::path& gameDir,
                             std::string& error);

std::string WriteMockScenes(const LoadedSheets& sheets, const std::filesystem::path& outDir);

} // namespace kvx::sheets
