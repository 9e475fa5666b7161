// mml: compiles one MML file into a Standard MIDI File.
//   mml [-v] input.mml output.mid
// -v prints every part's length in bars, so parts that drift apart show up while composing.
#include <cstdio>
#include <sstream>
#include <string>

#include "Mml.h"
#include "common/ToolFiles.h"

int main(int argc, char** argv) {
    toolfiles::ToolArgs args;
    if (!toolfiles::ParseToolArgs(argc, argv, args)) {
        std::fprintf(stderr, "usage: mml [-v] input.mml output.mid\n");
        return 2;
    }
    std::string source;
    if (!toolfiles::ReadText(args.Input, source)) {
        std::fprintf(stderr, "mml: cannot read %s\n", args.Input.c_str());
        return 1;
    }
    mml::Result r = mml::Compile(source);
    if (!r.Ok) {
        std::fprintf(stderr, "%s:%s\n", args.Input.c_str(), r.Error.c_str());
        return 1;
    }
    if (args.Verbose) {
        for (const auto& p : r.Parts)
            std::fprintf(stderr, "  part %c  channel %2d  %4u notes  %7.2f bars%s\n", p.Name, p.Channel,
                         p.Notes, static_cast<double>(p.EndTick) / r.TicksPerBar,
                         p.EndTick == r.EndTick ? "" : "  (short)");
        std::fprintf(stderr, "  %.2f bars, %.1f s\n", static_cast<double>(r.EndTick) / r.TicksPerBar,
                     r.LengthSeconds);
    }
    if (!toolfiles::WriteReplacing(args.Output, r.Midi)) {
        std::fprintf(stderr, "mml: cannot write %s\n", args.Output.c_str());
        return 1;
    }
    return 0;
}
