#pragma once
// Music and sound for tests and the simulator. Follows the same command strings as the real
// device and keeps the same state (closed, stopped, playing, paused), with tracks that advance on
// the virtual clock; records every command and every sound start.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class HeadlessAudio {
  public:
    enum class Mode { Closed, Stopped, Playing, Paused };
    struct SoundStart {
        const uint8_t* Data;
        size_t Size;
    };

    std::string Command(std::string_view command);
    void PlaySound(std::span<const uint8_t> wav);
    // The virtual clock moved on by ms.
    void Advance(uint32_t ms);

    // Length of every track opened from now on. Unset: a track lasts as long as its MIDI file
    // says, and a missing or unreadable file does not open (as on the real device).
    std::optional<uint32_t> TrackLengthMs;

    std::vector<std::string> Commands;   // every command string, in order
    std::vector<SoundStart> SoundStarts; // each image played, in order

    Mode State() const { return mode_; }
    const std::string& OpenFile() const { return file_; }
    uint32_t PositionMs() const { return position_; }
    uint32_t LengthMs() const { return length_; }
    // The image sounding now; null when it has ended or none was played.
    const uint8_t* SoundPlaying() const { return soundLeftMs_ > 0 ? sound_ : nullptr; }

  private:
    Mode mode_ = Mode::Closed;
    std::string file_;
    uint32_t position_ = 0, length_ = 0;
    const uint8_t* sound_ = nullptr;
    double soundLeftMs_ = 0;
};
