#pragma once
// A bounded reader for RIFF WAVE images holding PCM samples. Every chunk length is checked against
// the buffer; the sound players hand an image on only after this reader accepted it.
#include <cstdint>
#include <optional>
#include <span>

struct WaveFile {
    uint16_t Channels = 0;
    uint32_t SampleRate = 0;
    uint16_t BitsPerSample = 0;    // 8 or 16
    std::span<const uint8_t> Data; // the sample bytes, inside the image given to ReadWaveFile

    uint32_t FrameCount() const {
        return static_cast<uint32_t>(Data.size() / (Channels * (BitsPerSample / 8u)));
    }
    double LengthMs() const { return SampleRate ? FrameCount() * 1000.0 / SampleRate : 0; }
    // Sample value of a frame and channel, scaled to -1..1.
    double Sample(uint32_t frame, uint16_t channel) const;
};

// Accepts 8- or 16-bit integer PCM, 1 or 2 channels, 8 to 192 kHz.
std::optional<WaveFile> ReadWaveFile(std::span<const uint8_t> bytes);
