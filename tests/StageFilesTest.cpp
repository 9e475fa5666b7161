// The five shipped stages, checked the way stageinfo checks them, so a bad edit fails the build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "stageinfo/StageInfo.h"

namespace fs = std::filesystem;

namespace {

stageinfo::StageReport Inspect(int stage, int difficulty) {
    const fs::path path =
        fs::path(KORVAXION_SOURCE_DIR) / "assets" / "stages" / ("s" + std::to_string(stage) + ".dat");
    std::ifstream in(path, std::ios::binary);
    StageFile file;
    if (in)
        file = ReadStageFile(in);
    else
        file.Error = "missing";
    return stageinfo::InspectStage(file, difficulty);
}

int PowerUps(const stageinfo::StageReport& r) {
    int n = 0;
    for (const auto& w : r.Windows) n += w.PowerUps;
    return n;
}

} // namespace

TEST(ShippedStages, KeepEveryRuleOnEveryDifficulty) {
    for (int stage = 1; stage <= 5; ++stage)
        for (int difficulty = 0; difficulty <= 2; ++difficulty) {
            const stageinfo::StageReport r = Inspect(stage, difficulty);
            ASSERT_TRUE(r.Error.empty()) << "s" << stage << ".dat: " << r.Error;
            EXPECT_TRUE(r.Issues.empty())
                << stageinfo::FormatReport("s" + std::to_string(stage) + ".dat", r, false);
            EXPECT_LE(r.MostAlive, 16);
        }
}

TEST(ShippedStages, TeachEveryKindGraduallyAndGrowLonger) {
    std::set<int> seen;
    int previousLength = 0;
    for (int stage = 1; stage <= 5; ++stage) {
        const stageinfo::StageReport r = Inspect(stage, 1);
        ASSERT_TRUE(r.Error.empty()) << r.Error;
        std::set<int> fresh;
        for (int kind : r.Kinds)
            if (!seen.count(kind)) fresh.insert(kind);
        EXPECT_GE(fresh.size(), 1u) << "stage " << stage << " brings nothing new";
        EXPECT_LE(fresh.size(), 7u) << "stage " << stage << " brings too much at once";
        if (stage < 4) {
            EXPECT_FALSE(r.Kinds.count(19) || r.Kinds.count(20)) << "heavy platforms before stage 4";
        }
        seen.insert(r.Kinds.begin(), r.Kinds.end());
        EXPECT_GT(r.BossTime, previousLength);
        previousLength = r.BossTime;
        if (stage == 1) {
            EXPECT_TRUE(r.BossTime >= 280 && r.BossTime <= 320) << r.BossTime;
        }
        if (stage == 5) {
            EXPECT_TRUE(r.BossTime >= 430 && r.BossTime <= 470) << r.BossTime;
        }
    }
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 7, 8, 9, 11, 13, 14, 15, 16, 17, 18, 19, 20, 35}));
}

TEST(ShippedStages, PowerUpsForFullPowerInStageTwoAndToWinBackALostLevel) {
    std::vector<int> powerUps;
    for (int stage = 1; stage <= 5; ++stage) powerUps.push_back(PowerUps(Inspect(stage, 1)));
    EXPECT_LT(powerUps[0], 3) << "full power already in stage 1";
    EXPECT_GE(powerUps[0] + powerUps[1], 3) << "no full power in stage 2";
    for (int stage = 2; stage <= 5; ++stage) EXPECT_GE(powerUps[stage - 1], 2) << "stage " << stage;
}
