#include "TestGame.h"

TEST(Pools, SpawnsAreRefusedAtTheirLimits) {
    TestGame t;
    Game& g = t.game;
    for (int i = 0; i < 255; ++i) g.SpawnEnemyShot(10, 10, 90, 4, 0);
    EXPECT_EQ(g.EnemyShotCount, 255);
    g.SpawnEnemyShot(10, 10, 90, 4, 0); // one slot free, but the counter says full
    EXPECT_EQ(g.EnemyShotCount, 255);
    EXPECT_FALSE(g.EnemyShotTable[255].Active);

    for (int i = 0; i < 15; ++i) g.SpawnEnemy(i, 0, 2, 6);
    EXPECT_EQ(g.EnemyCount, 15);
    g.SpawnEnemy(1, 1, 1, 6);
    EXPECT_EQ(g.EnemyCount, 15);
    EXPECT_EQ(g.EnemyTable[3].Points, 100);
    EXPECT_EQ(g.EnemyTable[3].Hits, 10);
    EXPECT_EQ(g.EnemyTable[3].Heading, 90);

    for (int i = 0; i < 9; ++i) g.SpawnBeam(0, 0, 99, 0, 0, 8, 5, 40);
    EXPECT_EQ(g.BeamCount, 8);

    for (int i = 0; i < 8; ++i) g.SpawnItem(0, 2);
    EXPECT_EQ(g.ItemCount, 7);
    EXPECT_FALSE(g.ItemTable[7].Active);
    EXPECT_EQ(g.ItemTable[0].DY, 2);
}

TEST(Pools, StillShotsAreFlashesExceptTheBlast) {
    TestGame t;
    Game& g = t.game;
    g.SpawnEnemyShot(5.5, 6.5, 0, 0, 0); // coordinates round halves to even
    g.SpawnEnemyShot(5, 5, 0, 0, 4);
    g.SpawnEnemyShot(5, 5, 0, 3, 0);
    EXPECT_EQ(g.EnemyShotTable[0].VanishTimer, 6);
    EXPECT_EQ(g.EnemyShotTable[0].X, 6);
    EXPECT_EQ(g.EnemyShotTable[0].Y, 6);
    EXPECT_EQ(g.EnemyShotTable[1].VanishTimer, 0);
    EXPECT_EQ(g.EnemyShotTable[2].VanishTimer, 0);
}

TEST(Pools, FansSpreadAroundTheirBase) {
    struct Case {
        int count;
        float step;
        int aimed;
        std::vector<int> headings;
    } cases[] = {
        {0, 10, 0, {}},
        {1, 10, 0, {90}},
        {2, 10, 0, {95, 85}},
        {3, 8, 0, {98, 90, 82}},
        {10, 5, 0, {112, 107, 102, 97, 92, 87, 82, 77, 72, 67}},
        {3, 2.5f, 0, {92, 90, 87}}, // half spread 2; 89.5 rounds to the even 90
        {3, 100, 0, {190, 90, -10}}, // reduced keeping the sign
        {2, 10, 1, {5, -5}},         // aimed at the player, straight right
    };
    for (const Case& c : cases) {
        TestGame t;
        Game& g = t.game;
        g.Player.X = 200;
        g.Player.Y = 100;
        g.SpawnShotFan(100, 100, c.count, c.step, 6, 1, c.aimed);
        ASSERT_EQ(g.EnemyShotCount, static_cast<int>(c.headings.size())) << c.count;
        for (size_t i = 0; i < c.headings.size(); ++i) EXPECT_EQ(g.EnemyShotTable[i].Heading, c.headings[i]);
    }
}

TEST(Pools, RandomSceneryStaysInItsRangesAndRespectsTheOption) {
    TestGame t(3);
    Game& g = t.game;
    g.SpawnRandomScenery(1);
    for (const SceneryRecord& s : g.SceneryTable) {
        ASSERT_TRUE(s.Active);
        EXPECT_TRUE(s.Y >= 1 && s.Y <= 50);
        EXPECT_TRUE(s.DY >= 10 && s.DY <= 15);
        EXPECT_TRUE(s.SpriteY == 128 || s.SpriteY == 192);
    }
    g.SpawnScenery(2, 1, 2, 3, 4, 12); // unknown shape: sprite left as it was
    EXPECT_EQ(g.SceneryTable[2].X, 1);
    for (auto& s : g.SceneryTable) s.Active = false;
    g.BackgroundOff = true;
    g.SpawnRandomScenery(0);
    g.SpawnRandomScenery(1);
    for (const SceneryRecord& s : g.SceneryTable) EXPECT_FALSE(s.Active);
    g.BackgroundOff = false;
    for (int i = 0; i < 200; ++i) {
        for (auto& s : g.SceneryTable) s.Active = false;
        g.SpawnRandomScenery(0);
        const SceneryRecord& s = g.SceneryTable[0];
        EXPECT_TRUE(s.X >= 0 && s.X <= 319 && s.Y >= -50 && s.Y <= -1 && s.DX >= -1 && s.DX <= 1);
        EXPECT_TRUE(s.DY >= 2 && s.DY <= 5);
    }
    int16_t d = 0;
    g.Distance(0, 0, 3, 4, d);
    EXPECT_EQ(d, 5);
    g.Distance(0, 0, 1, 1, d); // 1.414
    EXPECT_EQ(d, 1);
}

TEST(Aiming, HeadingsTowardThePlayer) {
    struct Case {
        int dx, dy, heading;
    } cases[] = {
        {0, 50, 90}, {0, -50, 270}, {50, 0, 0}, {-50, 0, 180}, {40, -40, -45}, {-40, 40, 135},
        {-40, -40, 225}, {0, 0, 90}, {1, -400, -90}, {-1, -400, 270}, {100, 50, 27}, {-100, 50, 153},
    };
    for (const Case& c : cases) {
        TestGame t;
        Game& g = t.game;
        g.Player.X = static_cast<int16_t>(160 + c.dx);
        g.Player.Y = static_cast<int16_t>(240 + c.dy);
        g.EnemyTable[3].X = 160;
        g.EnemyTable[3].Y = 240;
        g.EnemyShotTable[7].X = 160;
        g.EnemyShotTable[7].Y = 240;
        g.Boss.X = 160;
        g.Boss.Y = 240;
        EXPECT_EQ(g.Search_RXY(160, 240), c.heading) << c.dx << "," << c.dy;
        EXPECT_EQ(g.Search_R(3), c.heading);
        EXPECT_EQ(g.Search_R(16), c.heading);
        EXPECT_EQ(g.Search_DR(7), c.heading);
        // From the enemy toward the player is the same as Search_RINV(player, enemy).
        EXPECT_EQ(g.Search_RINV(g.Player.X, g.Player.Y, 160, 240), c.heading);
    }
}
