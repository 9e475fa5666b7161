#include "platform/headless/HeadlessAudio.h"

std::string HeadlessAudio::Command(std::string_view command) {
    Commands.emplace_back(command);
    return {};
}

void HeadlessAudio::PlaySound(std::span<const uint8_t> wav) { SoundsPlayed.push_back(wav.size()); }

void HeadlessAudio::Advance(uint32_t) {}
