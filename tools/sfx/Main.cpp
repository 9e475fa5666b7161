// sfx: renders one sound-effect patch into a WAV file.
//   sfx [-v] patch.txt output.wav
// -v prints the length, peak and RMS level.
#include <cmath>
#include <cstdio>
#include <string>

#include "Sfx.h"
#include "common/ToolFiles.h"

int main(int argc, char** argv) {
    toolfiles::ToolArgs args;
    if (!toolfiles::ParseToolArgs(argc, argv, args)) {
        std::fprintf(stderr, "usage: sfx [-v] patch.txt output.wav\n");
        return 2;
    }
    std::string text;
    if (!toolfiles::ReadText(args.Input, text)) {
        std::fprintf(stderr, "sfx: cannot read %s\n", args.Input.c_str());
        return 1;
    }
    sfx::ParseResult parsed = sfx::Parse(text);
    if (!parsed.Ok) {
        std::fprintf(stderr, "%s:%s\n", args.Input.c_str(), parsed.Error.c_str());
        return 1;
    }
    std::vector<int16_t> samples = sfx::Render(parsed.Sound);
    if (args.Verbose) {
        double peak = 0, sum = 0;
        for (int16_t s : samples) {
            peak = std::max(peak, std::abs(s / 32768.0));
            sum += (s / 32768.0) * (s / 32768.0);
        }
        double rms = samples.empty() ? 0 : std::sqrt(sum / samples.size());
        std::fprintf(stderr, "  %.3f s  peak %.1f dBFS  RMS %.1f dBFS\n",
                     static_cast<double>(samples.size()) / parsed.Sound.Rate, 20 * std::log10(peak + 1e-12),
                     20 * std::log10(rms + 1e-12));
    }
    std::vector<uint8_t> image = sfx::WaveImage(samples, parsed.Sound.Rate);
    if (!toolfiles::WriteReplacing(args.Output, image)) {
        std::fprintf(stderr, "sfx: cannot write %s\n", args.Output.c_str());
        return 1;
    }
    return 0;
}
