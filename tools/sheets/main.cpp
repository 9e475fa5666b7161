// Build-time sheet tool.
//   sheets build ART_DIR OUT_DIR               render the artwork into G1.kvx .. G8.kvx
//   sheets preview ART_DIR GAME_DIR OUT_DIR    review pictures of the built sheets and mock scenes
//   sheets look SVG PNG [SCALE]                one source as a masked sprite, enlarged, for drawing
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Masks.h"
#include "MockScenes.h"
#include "Preview.h"
#include "SheetBuilder.h"

namespace fs = std::filesystem;
using namespace kvx;
using namespace kvx::sheets;

namespace {

bool WriteFileAtomically(const fs::path& file, const std::vector<uint8_t>& bytes) {
    const fs::path temp = file.string() + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    return !ec;
}

int Build(const fs::path& artDir, const fs::path& outDir) {
    const auto start = std::chrono::steady_clock::now();
    BuildResult result = BuildArtFolder(artDir);
    if (!result.Errors.empty()) {
        for (const std::string& e : result.Errors) std::fprintf(stderr, "sheets: %s\n", e.c_str());
        std::fprintf(stderr, "sheets: %zu problem(s); no sheet written\n", result.Errors.size());
        return 1;
    }
    fs::create_directories(outDir);
    for (const BuiltSheet& s : result.Sheets) {
        if (!WriteFileAtomically(outDir / (s.Name + ".kvx"), SheetFileBytes(s.Picture))) {
            std::fprintf(stderr, "sheets: cannot write %s\n", (outDir / (s.Name + ".kvx")).c_str());
            return 1;
        }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("sheets: %zu sheets written in %.0f ms\n", result.Sheets.size(), ms);
    return 0;
}

int Preview(const fs::path& artDir, const fs::path& gameDir, const fs::path& outDir) {
    std::string error;
    const LoadedSheets loaded = LoadBuiltSheets(artDir, gameDir, error);
    if (!error.empty()) {
        std::fprintf(stderr, "sheets: %s\n", error.c_str());
        return 1;
    }
    fs::create_directories(outDir);
    for (const SheetLayout& s : loaded.Map.Sheets) {
        error = WriteSheetPreview(s, loaded.Pictures.at(s.Name), outDir / (s.Name + ".png"));
        if (!error.empty()) break;
    }
    if (error.empty()) error = WriteMockScenes(loaded, outDir);
    if (!error.empty()) {
        std::fprintf(stderr, "sheets: %s\n", error.c_str());
        return 1;
    }
    std::printf("sheets: review pictures in %s\n", outDir.c_str());
    return 0;
}

// One source as the game would show it: over black and over a checkerboard, enlarged, and at 1x.
int Look(const fs::path& svg, const fs::path& png, int scale) {
    Canvas probe(1, 1);
    const Parsed<Size> size = RenderSvg(svg.string(), probe, 0, 0);
    if (!size.Ok()) {
        std::fprintf(stderr, "sheets: %s\n", size.Error.c_str());
        return 1;
    }
    const int w = size.Value.W, h = size.Value.H;
    Canvas canvas(w, h);
    RenderSvg(svg.string(), canvas, 0, 0);
    const CellPixels px = DeriveMasked(canvas, 0, 0, w, h);
    const int gap = 4, total = 2 * (w * scale + gap) + w + gap + 2 * w;
    const int height = std::max(h * scale, 2 * h);
    std::vector<uint32_t> out(static_cast<size_t>(total) * height, 0x202020);
    auto put = [&](int x, int y, uint32_t c) { out[static_cast<size_t>(y) * total + x] = c; };
    for (int y = 0; y < h * scale; ++y)
        for (int x = 0; x < w * scale; ++x) {
            const size_t k = static_cast<size_t>(y / scale) * w + x / scale;
            const uint32_t checker = ((x / scale / 4 + y / scale / 4) & 1) ? 0x5A6470 : 0x3C4450;
            put(x, y, px.Image[k]);
            put(w * scale + gap + x, y, (checker & px.Mask[k]) | px.Image[k]);
        }
    const int x1 = 2 * (w * scale + gap);
    for (int y = 0; y < 2 * h; ++y)
        for (int x = 0; x < w; ++x) {
            if (y < h) put(x1 + x, y, px.Image[static_cast<size_t>(y) * w + x]);
            put(x1 + w + gap + x, y, px.Image[static_cast<size_t>(y / 2) * w + x / 2]);
            put(x1 + w + gap + w + x, y, px.Image[static_cast<size_t>(y / 2) * w + (x + w) / 2]);
        }
    const std::string error = WritePng(out, total, height, 1, png);
    if (!error.empty()) std::fprintf(stderr, "sheets: %s\n", error.c_str());
    return error.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string cmd = argc > 1 ? argv[1] : "";
    if (cmd == "build" && argc == 4) return Build(argv[2], argv[3]);
    if (cmd == "preview" && argc == 5) return Preview(argv[2], argv[3], argv[4]);
    if (cmd == "look" && (argc == 4 || argc == 5))
        return Look(argv[2], argv[3], argc == 5 ? std::atoi(argv[4]) : 8);
    std::fprintf(stderr,
                 "usage: sheets build ART_DIR OUT_DIR\n       sheets preview ART_DIR GAME_DIR OUT_DIR\n"
                 "       sheets look SVG PNG [SCALE]\n");
    return 2;
}
