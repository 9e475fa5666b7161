#pragma once
// Reducing a sheet's colours to one 256-entry table.
#include <array>
#include <cstdint>
#include <vector>

namespace kvx::sheets {

struct Quantised {
    std::array<uint32_t, 256> Palette{}; // 0xRRGGBB; entry 0 is pure black, entry 255 pure white
    std::vector<uint8_t> Indices;        // one per input pixel
};

// Pure black and pure white always keep exact entries (the game ANDs and ORs real colours, so
// masks and backgrounds must stay exact). With at most 254 other colours they are all kept;
// otherwise a median cut seeds a few rounds of k-means. Deterministic: the same pixels always
// give the same table.
Quantised Quantise(const std::vector<uint32_t>& rgb);

} // namespace kvx::sheets
