#include "platform/sdl/SdlAudio.h"

void SdlAudio::Open(const std::string&) {}
void SdlAudio::Close() {}
std::string SdlAudio::Command(std::string_view) { return {}; }
void SdlAudio::PlaySound(std::span<const uint8_t>) {}
