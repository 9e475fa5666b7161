#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {
std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace

TEST(Simulator, SameSeedAndInputGiveIdenticalStateAndPicture) {
    const fs::path dir = fs::path(::testing::TempDir()) / "sim-determinism";
    fs::create_directories(dir);
    {
        std::ofstream input(dir / "input.txt");
        input << "# sweep and fire\n0 -\n40 LEFT Z\n90 RIGHT UP Z\n150 X\n160 DOWN KP4\n";
    }
    const std::string sim = std::string(KORVAXION_GAME_DIR) + "/korvaxion-sim";
    for (const char* run : {"a", "b"}) {
        const std::string cmd = sim + " --start 0 --frames 500 --seed 9 --input " + (dir / "input.txt").string() +
                                " --record " + (dir / "Record.dat").string() + " --dump " +
                                (dir / (std::string(run) + ".json")).string() + " --png " +
                                (dir / (std::string(run) + ".png")).string();
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    }
    const std::string a = ReadText(dir / "a.json");
    EXPECT_NE(a.find("\"StagePhase\":1"), std::string::npos);
    EXPECT_NE(a.find("\"Player\":{"), std::string::npos);
    EXPECT_EQ(a, ReadText(dir / "b.json"));
    EXPECT_EQ(ReadText(dir / "a.png"), ReadText(dir / "b.png"));
    EXPECT_GT(fs::file_size(dir / "a.png"), 480u * 480u * 3u);
}

TEST(Simulator, RejectsABadInputScript) {
    const fs::path dir = fs::path(::testing::TempDir()) / "sim-bad-input";
    fs::create_directories(dir);
    {
        std::ofstream input(dir / "input.txt");
        input << "10 Z JUMP\n";
    }
    const std::string cmd = std::string(KORVAXION_GAME_DIR) + "/korvaxion-sim --frames 5 --record " +
                            (dir / "Record.dat").string() + " --input " + (dir / "input.txt").string() +
                            " 2>/dev/null";
    EXPECT_NE(std::system(cmd.c_str()), 0);
}
