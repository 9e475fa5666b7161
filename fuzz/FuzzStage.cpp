// Any bytes as a stage file: read without a read or write outside a buffer, and a file that is
// accepted is one the timeline can run to its boss.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/StageFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const StageFile file = ReadStageFile(in);
    if (!file.Error.empty()) {
        if (!file.Records.empty()) __builtin_trap();
        return 0;
    }
    if (file.Records.empty() || file.Records.size() > 512) __builtin_trap();
    int previous = 0;
    for (const ScriptRecord& r : file.Records) {
        if (!IsTimelineKind(r.Kind) || r.Time < previous || r.Time > 3000) __builtin_trap();
        previous = r.Time;
        if (r.Kind == kBossRecordKind) return 0;
    }
    __builtin_trap(); // no boss: the stage would never end
}
