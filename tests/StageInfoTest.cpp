#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "stageinfo/StageInfo.h"
#include "stageinfo/StagePlay.h"

namespace fs = std::filesystem;
using stageinfo::InspectStageText;
using stageinfo::StageReport;

namespace {

// The problems of a report as one text, for matching.
std::string Problems(const StageReport& r) {
    std::string text = r.Error;
    for (const auto& issue : r.Issues) text += "[" + std::to_string(issue.Record) + "] " + issue.Text + "\n";
    return text;
}

} // namespace

TEST(StageInfo, FindsTheRecordThatBreaksEachRule) {
    struct Case {
        const char* name;
        std::string stage;
        int record;       // the record named, -1 for the stage as a whole
        const char* text; // part of the problem
    } cases[] = {
        {"a Param the kind does not know", "10,160,-16,19,2\n40,0,0,36,0\n", 0, "knows no Param 2"},
        {"far outside the field", "10,160,-16,0,0\n10,700,-16,0,0\n40,0,0,36,0\n", 1, "far outside"},
        {"a pod sliding along the top edge", "10,40,-16,16,7\n60,0,0,36,0\n", 0, "never seen"},
        {"a riser placed above the field", "10,160,-16,14,2\n40,0,0,36,0\n", 0, "never seen"},
        {"a carrier whose item would be lost", "10,160,-32,35,0\n40,0,0,36,0\n", 0, "carrier"},
        {"two enemies on one spot", "10,100,-16,3,0\n10,100,-16,3,1\n40,0,0,36,0\n", 1, "on top of"},
        {"records after the boss", "10,100,-16,3,0\n40,0,0,36,0\n50,100,-16,3,0\n", -1, "after the boss"},
    };
    for (const Case& c : cases) {
        const StageReport r = InspectStageText(c.stage);
        ASSERT_TRUE(r.Error.empty()) << c.name << ": " << r.Error;
        ASSERT_EQ(r.Issues.size(), 1u) << c.name << "\n" << Problems(r);
        EXPECT_EQ(r.Issues[0].Record, c.record) << c.name;
        EXPECT_NE(r.Issues[0].Text.find(c.text), std::string::npos) << c.name << ": " << r.Issues[0].Text;
    }

    // Seventeen at once: the last finds sixteen alive and is dropped, whatever the player does.
    std::string crowd;
    for (int i = 0; i < 17; ++i) crowd += "10," + std::to_string(20 + 16 * i) + ",-16,3,0\n";
    const StageReport full = InspectStageText(crowd + "40,0,0,36,0\n");
    ASSERT_EQ(full.Issues.size(), 1u) << Problems(full);
    EXPECT_EQ(full.Issues[0].Record, 16);
    EXPECT_NE(full.Issues[0].Text.find("dropped"), std::string::npos);
    EXPECT_EQ(full.MostAlive, 16);

    // Faults of the file itself come from the game's reader, unchanged.
    EXPECT_NE(InspectStageText("20,100,-16,3,0\n10,100,-16,3,0\n40,0,0,36,0\n").Error.find("line 2"),
              std::string::npos);
    EXPECT_NE(InspectStageText("10,100,-16,6,0\n40,0,0,36,0\n").Error.find("kind 6"), std::string::npos);
}

TEST(StageInfo, TablePerTenSecondsFromTheEnemiesThemselves) {
    // Window 0: two weavers; window 1: a power-up and a small-bonus carrier and a rock (not counted
    // as an enemy, as the stage tally does not count it); window 2: a holding carrier.
    const StageReport r = InspectStageText("5,100,-16,3,0\n6,200,-16,3,1\n"
                                           "30,100,0,35,0\n30,200,0,35,2\n30,384,200,18,0\n"
                                           "55,160,-32,11,1\n70,0,0,36,0\n",
                                           2);
    ASSERT_TRUE(r.Error.empty()) << r.Error;
    EXPECT_TRUE(r.Issues.empty()) << Problems(r);
    EXPECT_EQ(r.BossTime, 70);
    ASSERT_EQ(r.Windows.size(), 3u);
    EXPECT_EQ(r.Windows[0].Placed, 2);
    EXPECT_EQ(r.Windows[0].Hits, 4); // two hits each on hard
    EXPECT_EQ(r.Windows[0].Kinds.at(3), 2);
    EXPECT_EQ(r.Windows[1].Placed, 2);
    EXPECT_EQ(r.Windows[1].Obstacles, 1);
    EXPECT_EQ(r.Windows[1].Hits, 4);
    EXPECT_EQ(r.Windows[1].PowerUps, 1);
    EXPECT_EQ(r.Windows[1].SmallBonus, 1);
    EXPECT_EQ(r.Windows[2].Hits, 120);
    EXPECT_TRUE(r.Windows[2].Warning);
    EXPECT_FALSE(r.Windows[1].Warning);
    EXPECT_GT(r.Windows[0].Shots, 0) << "weavers fire at every turn";
    // The carrier holds the clock through its three rounds before it leaves.
    EXPECT_GT(r.HoldFrames, 600);
    EXPECT_LT(r.HoldFrames, 800);
}

TEST(StageInfo, ToolExitsCleanOnlyForCleanFiles) {
    const fs::path dir = fs::path(::testing::TempDir()) / "stageinfo-tool";
    fs::create_directories(dir);
    std::ofstream(dir / "clean.dat") << "10,100,-16,3,0\n40,0,0,36,0\n";
    std::ofstream(dir / "faulty.dat") << "10,100,-16,3,9\n40,0,0,36,0\n";
    std::ofstream(dir / "broken.dat") << "10,100,-16,3\n";
    const std::string tool = std::string(KORVAXION_TOOL_DIR) + "/stageinfo ";
    auto status = [&](const std::string& file) {
        const int s = std::system((tool + (dir / file).string() + " >/dev/null").c_str());
        return WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    };
    EXPECT_EQ(status("clean.dat"), 0);
    EXPECT_EQ(status("faulty.dat"), 1);
    EXPECT_EQ(status("broken.dat"), 2);
    EXPECT_EQ(status("missing.dat"), 2);
}

TEST(StageInfo, PlayedStageAccountsForEveryEnemyTheGameCounted) {
    stageinfo::PlaySettings set;
    set.GameDir = KORVAXION_GAME_DIR;
    set.Stage = 1;
    set.Ship = 0;
    const stageinfo::StagePlay play = stageinfo::PlayStage(set);
    ASSERT_TRUE(play.Error.empty()) << play.Error;
    EXPECT_TRUE(play.BossReached);
    int placed = 0, destroyed = 0;
    for (const auto& [kind, n] : play.Kinds) {
        EXPECT_LE(n.Destroyed + n.Escaped, n.Placed) << "kind " << kind;
        if (kind == 18) continue; // rocks are not in the game's tally
        placed += n.Placed;
        destroyed += n.Destroyed;
    }
    EXPECT_EQ(placed, play.Appeared);
    EXPECT_EQ(destroyed, play.Destroyed);
    EXPECT_GT(play.Destroyed, 0);
}
