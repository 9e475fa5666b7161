#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

// Game code talks to the machine only through the platform layer: only src/platform and src/app
// may include SDL or other third-party headers.
TEST(SourceRules, OnlyThePlatformLayerAndMainIncludeSdl) {
    const fs::path src = fs::path(KORVAXION_SOURCE_DIR) / "src";
    auto includesThirdParty = [](const std::string& line) {
        const auto hash = line.find_first_not_of(" \t");
        if (hash == std::string::npos || line[hash] != '#' || line.find("include") == std::string::npos) return false;
        for (const char* name : {"<SDL", "\"SDL", "<fluidsynth", "<librsvg", "<cairo"})
            if (line.find(name) != std::string::npos) return true;
        return false;
    };
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const fs::path rel = fs::relative(entry.path(), src);
        const std::string top = rel.begin()->string();
        if (top == "platform" || top == "app") {
            // The surface and the interface are game-facing: they stay free of SDL too.
            if (rel.parent_path() != fs::path("platform")) continue;
        }
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) EXPECT_FALSE(includesThirdParty(line)) << rel << ": " << line;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}
