#include "audio/WaveFile.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

} // namespace

std::optional<WaveFile> ReadWaveFile(std::span<const uint8_t> bytes) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    // The RIFF length is often wrong (streamed or truncated files): only the bytes we have count.
    const size_t end = bytes.size();
    WaveFile wave;
    bool haveFormat = false, haveData = false;
    size_t pos = 12;
    while (end - pos >= 8 && !haveData) {
        const uint8_t* head = bytes.data() + pos;
        const size_t length = Le32(head + 4);
        const size_t bodyAt = pos + 8;
        const size_t available = end - bodyAt;
        if (std::memcmp(head, "fmt ", 4) == 0) {
            if (length < 16 || length > available) return std::nullopt;
            const uint8_t* f = bytes.data() + bodyAt;
            if (Le16(f) != 1) return std::nullopt; // integer PCM only
            wave.Channels = Le16(f + 2);
            wave.SampleRate = Le32(f + 4);
            wave.BitsPerSample = Le16(f + 14);
            haveFormat = true;
        } else if (std::memcmp(head, "data", 4) == 0) {
            if (!haveFormat) return std::nullopt;
            // A data length running past the image is cut to what is there.
            wave.Data = bytes.subspan(bodyAt, std::min(length, available));
            haveData = true;
        } else if (length > available) {
            return std::nullopt;
        }
        pos = bodyAt + length + (length & 1);
        if (pos > end) break;
    }
    if (!haveData || (wave.Channels != 1 && wave.Channels != 2) ||
        (wave.BitsPerSample != 8 && wave.BitsPerSample != 16) || wave.SampleRate < 8000 ||
        wave.SampleRate > 192000)
        return std::nullopt;
    const size_t frameBytes = wave.Channels * (wave.BitsPerSample / 8u);
    wave.Data = wave.Data.first(wave.Data.size() - wave.Data.size() % frameBytes);
    return wave;
}

double WaveFile::Sample(uint32_t frame, uint16_t channel) const {
    const size_t frameBytes = Channels * (BitsPerSample / 8u);
    const size_t at = frame * frameBytes + channel * (BitsPerSample / 8u);
    if (at + BitsPerSample / 8u > Data.size()) return 0;
    if (BitsPerSample == 8) return (static_cast<int>(Data[at]) - 128) / 128.0;
    return static_cast<int16_t>(Le16(Data.data() + at)) / 32768.0;
}
