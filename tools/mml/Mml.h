#pragma once
// Compiles music written in MML text into a Standard MIDI File. The dialect is described in
// assets/music/README.md.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mml {

constexpr int TicksPerQuarter = 480;

struct PartSummary {
    char Name = 0;
    int Channel = 0; // 1..16
    uint32_t EndTick = 0;
    uint32_t Notes = 0;
};

struct Result {
    bool Ok = false;
    std::string Error; // "line:column: message" when not Ok
    std::vector<uint8_t> Midi;
    std::vector<PartSummary> Parts;
    uint32_t EndTick = 0;
    uint32_t TicksPerBar = 0;
    double LengthSeconds = 0;
};

Result Compile(std::string_view source);

} // namespace mml
