// mml: compiles one MML file into a Standard MIDI File.
//   mml [-v] input.mml output.mid
// -v prints every part's length in bars, so parts that drift apart show up while composing.
#include <cstdio>
#include <sstream>
#include <string>

#include "Mml.h"
#include "common/ToolFiles.h"

int main(int argc, char** argv) {
    bool verbose = false;
    int first = 1;
    if (argc > 1 && std::string(argv[1]) == "-v") {
        verbose = true;
        first = 2;
    }
    if (argc - first != 2) {
        std::fprintf(stderr, "usage: mml [-v] input.mml output.mid\n");
        return 2;
    }
    std::string source;
    if (!toolfiles::ReadText(argv[first], source)) {
        std::fprintf(stderr, "mml: cannot read %s\n", argv[first]);
        return 1;
    }
    mml::Result r = mml::Compile(source);
    if (!r.Ok) {
        std::fprintf(stderr, "%s:%s\n", argv[first], r.Error.c_str());
        return 1;
    }
    if (verbose) {
        for (const auto& p : r.Parts)
            std::fprintf(stderr, "  part %c  channel %2d  %4u notes  %7.2f bars%s\n", p.Name, p.Channel,
                         p.Notes, static_cast<double>(p.EndTick) / r.TicksPerBar,
                         p.EndTick == r.EndTick ? "" : "  (short)");
        std::fprintf(stderr, "  %.2f bars, %.1f s\n", static_cast<double>(r.EndTick) / r.TicksPerBar,
                     r.LengthSeconds);
    }
    if (!toolfiles::WriteReplacing(argv[first + 1], r.Midi)) {
        std::fprintf(stderr, "mml: cannot write %s\n", argv[first + 1]);
        return 1;
    }
    return 0;
}
