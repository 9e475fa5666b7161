#pragma once
// Music and sound effects on SDL2_mixer. (Placeholder until the audio subsystem lands: silent.)
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class SdlAudio {
public:
    // Opens the audio device; the game runs on silently when there is none.
    void Open(const std::string& programDirectory);
    void Close();
    std::string Command(std::string_view command);
    void PlaySound(std::span<const uint8_t> wav);
};
