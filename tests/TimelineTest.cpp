#include <array>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "EnemyTestSupport.h"

namespace {

namespace fs = std::filesystem;

// A program folder holding one stage file as s1.dat.
struct StageFolder {
    explicit StageFolder(const std::string& name)
        : dir(fs::path(::testing::TempDir()) / ("korvaxion-stage-" + name)) {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void Copy(const std::string& fixture) const {
        fs::copy_file(fs::path(KORVAXION_FIXTURE_DIR) / "stages" / fixture, dir / "s1.dat");
    }
    void Write(const std::string& text) const { std::ofstream(dir / "s1.dat", std::ios::binary) << text; }
    fs::path dir;
};

struct Loaded {
    std::vector<std::string> errors;
    bool ended = false;
    std::array<ScriptRecord, 512> script{};
    int16_t warningFrame = 0;
};

Loaded LoadStage(const StageFolder& folder) {
    HeadlessPlatform host;
    Game g(host, folder.dir.string(), 1);
    g.GameMode = 0;
    g.StageNumber = 1;
    g.LoadStageScript();
    g.FindWarningFrame();
    return {host.Errors, g.Ended, g.StageScript, g.WarningFrame};
}

// Fires the timeline as the frame loop does, with the stage clock at `frame`.
void RunTimelineAt(Game& g, int frame) {
    g.FrameCounter = frame;
    g.RunStageScript();
}

int LiveEnemies(const Game& g) {
    int n = 0;
    for (const EnemyRecord& e : g.EnemyTable) n += e.Active ? 1 : 0;
    return n;
}

} // namespace

TEST(StageFile, BadFilesStopWithTheFileAndLine) {
    struct Case {
        const char* fixture; // nullptr: no file at all
        const char* where;
    } cases[] = {
        {nullptr, "missing"},           {"not_a_number.dat", "line 2: \"O\""}, {"short_record.dat", "line 3"},
        {"out_of_order.dat", "line 3"}, {"not_a_timeline_kind.dat", "line 2"},
    };
    for (const Case& c : cases) {
        StageFolder folder(c.fixture ? c.fixture : "missing");
        if (c.fixture) folder.Copy(c.fixture);
        const Loaded l = LoadStage(folder);
        ASSERT_EQ(l.errors.size(), 1u) << (c.fixture ? c.fixture : "missing");
        EXPECT_NE(l.errors[0].find("\"s1.dat\""), std::string::npos) << l.errors[0];
        EXPECT_NE(l.errors[0].find(c.where), std::string::npos) << l.errors[0];
        EXPECT_TRUE(l.ended);
        EXPECT_EQ(l.script[0].Kind, 0) << "a rejected file leaves the timeline as it was";
    }
}

TEST(StageFile, MoreThan512RecordsIsAnError) {
    std::string text;
    for (int i = 0; i < 512; ++i) text += "1,10,10,0,0\n";
    StageFolder exact("512");
    exact.Write(text + "2,0,0,36,0\n");
    EXPECT_NE(LoadStage(exact).errors.at(0).find("line 513"), std::string::npos);

    // 511 records and the boss fill the table exactly.
    text.resize(text.size() - 12);
    exact.Write(text + "2,0,0,36,0\n");
    const Loaded full = LoadStage(exact);
    EXPECT_TRUE(full.errors.empty());
    EXPECT_EQ(full.script[511].Kind, 36);
}

TEST(StageFile, LayoutIsLooseAndAMissingBossIsAdded) {
    StageFolder loose("loose");
    loose.Copy("loose_layout.dat");
    const Loaded l = LoadStage(loose);
    ASSERT_TRUE(l.errors.empty()) << l.errors.at(0);
    const ScriptRecord expected[] = {{3, 160, -32, 35, 0}, {4, 60, -16, 0, 1}, {21, 0, 0, 36, 0}};
    for (int i = 0; i < 3; ++i) {
        const ScriptRecord& r = l.script[i];
        EXPECT_TRUE(r.Time == expected[i].Time && r.X == expected[i].X && r.Y == expected[i].Y &&
                    r.Kind == expected[i].Kind && r.Param == expected[i].Param)
            << "record " << i;
    }
    EXPECT_EQ(l.warningFrame, 110);

    StageFolder noBoss("no-boss");
    noBoss.Copy("no_boss.dat");
    const Loaded n = LoadStage(noBoss);
    ASSERT_TRUE(n.errors.empty());
    EXPECT_EQ(n.script[3].Kind, 36);
    EXPECT_EQ(n.script[3].Time, 12); // right after the last record
    EXPECT_EQ(n.warningFrame, 20);
}

TEST(StageFile, DevelopmentStageLoadsAndPlacesEveryTimelineKind) {
    StageFolder folder("dev");
    fs::copy_file(fs::path(KORVAXION_SOURCE_DIR) / "assets" / "stages" / "dev.dat", folder.dir / "s1.dat");
    const Loaded l = LoadStage(folder);
    ASSERT_TRUE(l.errors.empty()) << l.errors.at(0);
    std::set<int> kinds;
    for (const ScriptRecord& r : l.script) {
        if (r.Kind == 36) break;
        kinds.insert(r.Kind);
    }
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 7, 8, 9, 11, 13, 14, 15, 16, 17, 18, 19, 20, 35}));
}

TEST(Timeline, BuiltInStagesOfStageSixAndBossMode) {
    struct Case {
        int mode, stage;
        std::vector<int> carrierFrames;
        int bossFrame;
    } cases[] = {{0, 6, {50, 80, 110}, 210}, {1, 3, {100}, 210}};
    for (const Case& c : cases) {
        TestGame t;
        Game& g = t.game;
        g.GameMode = static_cast<uint8_t>(c.mode);
        g.StageNumber = static_cast<int16_t>(c.stage);
        g.LoadStageScript();
        g.FindWarningFrame();
        EXPECT_EQ(g.WarningFrame, c.bossFrame - 100);
        g.StagePhase = 1;
        std::vector<int> placed;
        int bossAt = -1;
        for (int frame = 0; frame <= 250 && bossAt < 0; ++frame) {
            const int before = g.EnemyCount;
            const int index = g.ScriptIndex;
            RunTimelineAt(g, frame);
            if (g.EnemyCount > before) placed.push_back(frame);
            if (g.ScriptIndex > index && g.StageScript[index].Kind == 36) bossAt = frame;
        }
        EXPECT_EQ(placed, c.carrierFrames);
        EXPECT_EQ(bossAt, c.bossFrame);
        EXPECT_EQ(g.EnemyTable[0].Kind, 35);
        EXPECT_EQ(g.EnemyTable[0].X, 160);
    }
}

TEST(Timeline, RecordsOfOneTimeFireTogetherInFileOrder) {
    TestGame t;
    Game& g = t.game;
    g.StagePhase = 1;
    g.StageScript[0] = {2, 10, 0, 0, 0};
    g.StageScript[1] = {2, 20, 0, 18, 1};
    g.StageScript[2] = {2, 30, 0, 13, 0};
    g.StageScript[3] = {4, 40, 0, 0, 0};
    RunTimelineAt(g, 19);
    EXPECT_EQ(g.ScriptIndex, 0);
    RunTimelineAt(g, 20);
    EXPECT_EQ(g.ScriptIndex, 3);
    EXPECT_EQ(g.EnemyTable[0].X, 10);
    EXPECT_EQ(g.EnemyTable[1].X, 20);
    EXPECT_EQ(g.EnemyTable[2].X, 30);
    EXPECT_EQ(g.EnemyCount, 3);
    EXPECT_EQ(g.EnemiesAppeared, 2) << "the obstacle (kind 18) is not an enemy that appeared";
    RunTimelineAt(g, 30); // nothing is due
    EXPECT_EQ(g.ScriptIndex, 3);
}

TEST(Timeline, AFullTableDropsEnemiesWithoutDelay) {
    TestGame t;
    Game& g = t.game;
    g.StagePhase = 1;
    for (int i = 0; i < 16; ++i) PlaceEnemy(g, 0, 0, 10 * i, 100);
    g.StageScript[0] = {1, 100, 0, 13, 0};
    g.StageScript[1] = {1, 0, 0, 36, 0};
    g.StageScript[2] = {2, 50, 0, 0, 0};
    RunTimelineAt(g, 10);
    EXPECT_EQ(g.ScriptIndex, 2);
    EXPECT_EQ(g.EnemiesAppeared, 0);
    EXPECT_EQ(LiveEnemies(g), 16);

    // Dropped, not delayed: a free slot later does not bring the record back.
    g.EnemyTable[5].Active = false;
    g.EnemyCount = 15;
    RunTimelineAt(g, 10);
    EXPECT_EQ(LiveEnemies(g), 15);
}

TEST(Timeline, PlacementRulesThatDependOnTheRecordAndTheGame) {
    TestGame t;
    Game& g = t.game;
    g.Difficulty = 2;
    g.Player.PowerLevel = 3;
    const int weaver = PlaceEnemy(g, 3, 5, 0, 0);    // odd: turns the other way, faster by 5 \ 2
    const int podRight = PlaceEnemy(g, 16, 7, 0, 0); // 7 \ 3 = 2: heading right
    const int platform = PlaceEnemy(g, 19, 1, 0, 0); // right-gun version
    const int carrier = PlaceEnemy(g, 11, 1, 0, 0);  // holds the stage clock
    const int items = PlaceEnemy(g, 35, 0, 0, 0);    // power is full: points instead
    const int gunship = PlaceEnemy(g, 2, 0, 0, 0);
    EXPECT_EQ(g.EnemyTable[weaver].Speed, 6);
    EXPECT_EQ(g.EnemyTable[weaver].Timer, 3);
    EXPECT_EQ(g.EnemyTable[podRight].Heading, 0);
    EXPECT_EQ(g.EnemyTable[platform].SpriteX, 384);
    EXPECT_EQ(g.EnemyTable[carrier].Hits, 120);
    EXPECT_TRUE(g.TimelineHold);
    EXPECT_EQ(g.EnemyTable[items].Variant, 1);
    EXPECT_EQ(g.EnemyTable[gunship].Points, 100);
    EXPECT_EQ(g.EnemyTable[gunship].Hits, 4);

    g.Difficulty = 0;
    const int easy = PlaceEnemy(g, 13, 0, 0, 0);
    EXPECT_EQ(g.EnemyTable[easy].Hits, 1);
}
