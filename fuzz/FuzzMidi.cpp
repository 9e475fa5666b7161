// Any bytes as a MIDI file: read, and timed through its tempo map, without a read outside the
// buffer.
#include <cstddef>
#include <cstdint>

#include "audio/MidiFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto file = ReadMidiFile({data, size});
    if (file) (void)file->LengthMs();
    return 0;
}
