// Build-time sheet tool.
//   sheets build ART_DIR OUT_DIR               render the artwork into G1.kvx .. G8.kvx
//   sheets preview ART_DIR GAME_DIR OUT_DIR    review pictures of the built sheets and mock scenes
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "MockScenes.h"
#include "Preview.h"
#include "SheetBuilder.h"

namespace fs = std::filesystem;
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

} // namespace

int main(int argc, char** argv) {
    const std::string cmd = argc > 1 ? argv[1] : "";
    if (cmd == "build" && argc == 4) return Build(argv[2], argv[3]);
    if (cmd == "preview" && argc == 5) return Preview(argv[2], argv[3], argv[4]);
    std::fprintf(stderr,
                 "usage: sheets build ART_DIR OUT_DIR\n       sheets preview ART_DIR GAME_DIR OUT_DIR\n");
    return 2;
}
