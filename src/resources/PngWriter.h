#pragma once
// Writes a surface as a PNG file (RGB, uncompressed deflate blocks: simple, exact and the same
// bytes for the same picture).
#include <cstdint>
#include <string>
#include <vector>

class Surface;

std::vector<uint8_t> EncodePng(const Surface& picture);
bool WritePng(const Surface& picture, const std::string& path);
