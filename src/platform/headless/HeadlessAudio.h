#pragma once
// Music and sound for tests and the simulator: records every command and every sound start.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class HeadlessAudio {
public:
    std::string Command(std::string_view command);
    void PlaySound(std::span<const uint8_t> wav);
    // The virtual clock moved on by ms.
    void Advance(uint32_t ms);

    std::vector<std::string> Commands;
    std::vector<size_t> SoundsPlayed; // byte size of each image played, in order
};
