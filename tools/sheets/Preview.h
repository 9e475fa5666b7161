#pragma once
// Review pictures: each sheet as stored beside the same sheet drawn the way the game draws it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "SheetLayout.h"
#include "resources/Bitmap8.h"

namespace kvx::sheets {

// Writes 0xRRGGBB pixels as a PNG, each pixel enlarged to scale x scale. Gives an error message.
std::string WritePng(const std::vector<uint32_t>& rgb, int width, int height, int scale,
                     const std::filesystem::path& file);

// Left: the sheet as stored. Right: every cell blitted (mask AND, picture OR) over a checkerboard,
// so stray pixels, holes in masks and fringes show up.
std::string WriteSheetPreview(const SheetLayout& layout, const Bitmap8& sheet,
                              const std::filesystem::path& file);

std::vector<uint32_t> ToRgb(const Bitmap8& sheet);

} // namespace kvx::sheets
