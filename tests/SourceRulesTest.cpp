#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace fs = std::filesystem;

// Game code talks to the machine only through the platform layer: only src/platform and src/app
// may include SDL or other third-party headers.
TEST(SourceRules, OnlyThePlatformLayerAndMainIncludeSdl) {
    const fs::path src = fs::path(KORVAXION_SOURCE_DIR) / "src";
    const std::regex thirdParty(R"(#\s*include\s*[<"](SDL|fluidsynth|librsvg|cairo)[^>"]*[>"])");
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
        while (std::getline(in, line)) EXPECT_FALSE(std::regex_search(line, thirdParty)) << rel << ": " << line;
        ++checked;
    }
    EXPECT_GT(checked, 20);
}
