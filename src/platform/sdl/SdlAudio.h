#pragma once
// Music and sound effects on SDL2_mixer. Music: libfluidsynth's MIDI player on one synthesiser
// (the SoundFont beside the executable, loaded once), rendered into the mixer's music hook.
// Effects: WAV images from memory on one reserved channel, so a new effect stops the old one.
// Without an audio device, a SoundFont or a file, everything goes on silently.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class SdlAudio {
  public:
    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the audio device; the game runs on silently when there is none.
    void Open(const std::string& programDirectory);
    void Close();
    // The music command strings ("open \"file\" alias Midi", "play Midi", "pause Midi",
    // "stop Midi", "seek Midi to Start", "close Midi", "status Midi mode").
    std::string Command(std::string_view command);
    void PlaySound(std::span<const uint8_t> wav);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};
