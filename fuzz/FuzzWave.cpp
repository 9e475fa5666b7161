// Any bytes as a WAV image: read, and every sample visited, without a read outside the buffer.
#include <cstddef>
#include <cstdint>

#include "audio/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto wave = ReadWaveFile({data, size});
    if (!wave) return 0;
    double sum = 0;
    for (uint32_t i = 0; i < wave->FrameCount(); ++i)
        for (uint16_t c = 0; c < wave->Channels; ++c) sum += wave->Sample(i, c);
    return sum > 1e300; // keeps the loop
}
