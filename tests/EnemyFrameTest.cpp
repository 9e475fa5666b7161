#include "EnemyTestSupport.h"

namespace {

constexpr int kNoScript = 23; // a kind without a script runs only the common steps

// A sheet whose sprite at (0, 0) is white on its 32 x 32 cell, with a black mask below it.
void WhiteSpriteSheet(Game& g) {
    g.PicTeki = Surface(64, 64);
    g.PicTeki.SetBackColour(0xFFFFFF);
    g.PicTeki.FillBox(0, 32, 31, 63, 0);
}

} // namespace

TEST(EnemyFrame, ExplosionPuffsBySizeThenTheSlotIsFreed) {
    struct Case {
        int width, puffs;
    } cases[] = {{32, 3}, {48, 4}, {64, 5}, {96, 7}, {128, 9}};
    for (const Case& c : cases) {
        for (int difficulty : {1, 2}) {
            TestGame t;
            Game& g = t.game;
            g.Difficulty = static_cast<uint8_t>(difficulty);
            g.Player.X = 100;
            g.Player.Y = 400;
            EnemyRecord& e = PlaceChild(g, 4, kNoScript, 100, 100, 45, 5, 7, 0, c.width, 32);
            e.DeathTimer = 1;
            g.UpdateEnemies();
            const auto shots = TakeShots(g);
            int puffs = 0, parting = 0;
            for (const EnemyShotRecord& s : shots) {
                if (s.Kind == 15) {
                    ++puffs;
                    EXPECT_TRUE(s.Heading >= 0 && s.Heading < 360 && s.Speed >= 1 && s.Speed <= 5);
                } else if (s.Kind == 2) {
                    ++parting;
                    EXPECT_EQ(s.Heading, 90); // aimed at the ship straight below
                    EXPECT_TRUE(s.Speed >= 8 && s.Speed <= 12);
                }
            }
            EXPECT_EQ(puffs, c.puffs) << c.width;
            EXPECT_EQ(parting, difficulty == 2 ? 1 : 0);
            EXPECT_EQ(e.X, 100) << "an exploding enemy stands still";
            EXPECT_EQ(e.Speed, 0);

            for (int f = 0; f < 8; ++f) g.UpdateEnemies();
            EXPECT_TRUE(e.Active);
            g.UpdateEnemies();
            EXPECT_FALSE(e.Active);
            EXPECT_EQ(e.DeathTimer, 0);
            EXPECT_EQ(g.EnemyCount, 0);
            EXPECT_TRUE(TakeShots(g).empty()) << "only the first explosion frame makes shots";
        }
    }
}

TEST(EnemyFrame, HoldingCarrierReleasesTheClockWhenItsExplosionEnds) {
    TestGame t;
    Game& g = t.game;
    const int slot = PlaceEnemy(g, 11, 1, 160, 100);
    g.BossMode = 2;
    ASSERT_TRUE(g.TimelineHold);
    g.EnemyTable[slot].DeathTimer = 1;
    for (int f = 0; f < 9; ++f) g.UpdateEnemies();
    EXPECT_TRUE(g.TimelineHold);
    g.UpdateEnemies();
    EXPECT_FALSE(g.TimelineHold);
    EXPECT_EQ(g.BossMode, 0);
}

TEST(EnemyFrame, MovesOnlyOnceItsTimerRuns) {
    TestGame t;
    Game& g = t.game;
    EnemyRecord& still = PlaceChild(g, 0, kNoScript, 100, 100, 90, 5, 0, 1);
    EnemyRecord& moving = PlaceChild(g, 1, kNoScript, 100, 100, 60, 10, 1, 1);
    g.UpdateEnemies();
    EXPECT_EQ(still.Y, 100);
    EXPECT_EQ(moving.X, 105);
    EXPECT_EQ(moving.Y, 109); // 100 + 8.66

    // A kind-4 charger sets its timer in its first frame and so moves at once.
    const int charger = PlaceEnemy(g, 4, 0, 200, 0);
    g.UpdateEnemies();
    EXPECT_EQ(g.EnemyTable[charger].Y, 8);
}

TEST(EnemyFrame, OffScreenRemovalNeedsOutsideAndMovingAway) {
    struct Case {
        int x, y, heading, speed;
        bool removed;
    } cases[] = {
        {-17, 100, 180, 2, true},  {-16, 100, 180, 2, false}, {-17, 100, 0, 2, false},
        {-17, 100, 180, 0, false}, {337, 100, 0, 2, true},    {336, 100, 0, 2, false},
        {100, 497, 90, 2, true},   {100, 496, 90, 2, false},  {100, -17, 270, 2, true},
        {100, -17, 90, -3, true}, // backing away upward
        {100, -17, 90, 3, false}, // coming in
        {340, 100, 90, 2, true},  // "straight down" still drifts right with the game's pi
    };
    for (const Case& c : cases) {
        TestGame t;
        Game& g = t.game;
        EnemyRecord& e = PlaceChild(g, 6, kNoScript, c.x, c.y, c.heading, c.speed, 1, 1);
        g.RemoveIfOffScreen(6);
        EXPECT_EQ(!e.Active, c.removed)
            << c.x << "," << c.y << " heading " << c.heading << " speed " << c.speed;
        EXPECT_EQ(g.EnemyCount, c.removed ? 0 : 1);
    }
}

TEST(EnemyFrame, DrawingStopsAtThePanelAndErasingUndoesIt) {
    TestGame t;
    Game& g = t.game;
    WhiteSpriteSheet(g);
    g.Picture1 = Surface(480, 480);
    g.Picture1.FillBox(320, 0, 479, 479, RGB(40, 40, 40)); // the panel
    const uint32_t panel = RGB(40, 40, 40);

    PlaceChild(g, 0, kNoScript, 312, 100, 0, 0, 0, 1); // hangs 8 pixels over the edge
    PlaceChild(g, 1, kNoScript, 320, 200, 0, 0, 0, 1); // centre on the panel: never drawn
    PlaceChild(g, 2, kNoScript, 100, 300, 0, 0, 0, 1);
    g.EnemyTable[2].DeathTimer = 2; // exploding: neither drawn nor erased
    g.Picture1.FillBox(84, 284, 115, 315, RGB(0, 0, 200));

    g.UpdateEnemies();
    EXPECT_EQ(g.Picture1.Pixel(296, 100), 0xFFFFFFu);
    EXPECT_EQ(g.Picture1.Pixel(319, 100), 0xFFFFFFu);
    EXPECT_EQ(g.Picture1.Pixel(320, 100), panel);
    EXPECT_EQ(g.Picture1.Pixel(327, 100), panel);
    EXPECT_EQ(g.Picture1.Pixel(320, 200), panel);
    EXPECT_EQ(g.Picture1.Pixel(100, 300), RGB(0, 0, 200));

    g.EraseEnemies();
    EXPECT_EQ(g.Picture1.Pixel(296, 100), 0u);
    EXPECT_EQ(g.Picture1.Pixel(319, 100), 0u);
    EXPECT_EQ(g.Picture1.Pixel(320, 100), panel);
    EXPECT_EQ(g.Picture1.Pixel(100, 300), RGB(0, 0, 200));

    // ENEMY STEALTH: nothing is drawn.
    g.ExtraFlagsB = 8;
    g.UpdateEnemies();
    EXPECT_EQ(g.Picture1.Pixel(300, 100), 0u);
}

TEST(EnemyFrame, BodyContactBoxIsAQuarterOfTheSizeEachWay) {
    struct Case {
        int width, height, dx, dy;
        bool hit;
    } cases[] = {
        {32, 32, 7, -7, true},   {32, 32, 8, 0, false},   {32, 32, 0, -8, false}, {128, 64, -31, 15, true},
        {128, 64, 32, 0, false}, {128, 64, 0, 16, false}, {96, 80, 23, 19, true}, {96, 80, 24, 0, false},
    };
    for (const Case& c : cases) {
        TestGame t;
        Game& g = t.game;
        g.StagePhase = 1;
        g.Lives = 3;
        g.Player.Arrived = true;
        g.Player.X = static_cast<int16_t>(200 + c.dx);
        g.Player.Y = static_cast<int16_t>(300 + c.dy);
        PlaceChild(g, 0, kNoScript, 200, 300, 0, 0, 0, 1, c.width, c.height);
        g.UpdateEnemies();
        EXPECT_EQ(g.Lives, c.hit ? 2 : 3) << c.width << "x" << c.height << " at " << c.dx << "," << c.dy;
    }
}

TEST(EnemyFrame, BodyContactOnlyWhileTheShipIsOpenToIt) {
    struct Case {
        const char* what;
        int phase, shipType, specialTimer, stateTimer, deathTimer, x;
        bool arrived, hit;
    } cases[] = {
        {"in play", 1, 0, 0, 0, 0, 200, true, true},
        {"centre on the panel: not drawn, still solid", 1, 0, 0, 0, 0, 330, true, true},
        {"stage cleared", 3, 0, 0, 0, 0, 200, true, false},
        {"entering", 1, 0, 0, 0, 0, 200, false, false},
        {"dying", 1, 0, 0, 5, 0, 200, true, false},
        {"ship 0 special", 1, 0, 3, 0, 0, 200, true, false},
        {"ship 1 special", 1, 1, 3, 0, 0, 200, true, true},
        {"exploding enemy", 1, 0, 0, 0, 3, 200, true, false},
    };
    for (const Case& c : cases) {
        TestGame t;
        Game& g = t.game;
        g.StagePhase = static_cast<int16_t>(c.phase);
        g.Lives = 3;
        g.Player.ShipType = static_cast<int16_t>(c.shipType);
        g.SpecialTimer = static_cast<int16_t>(c.specialTimer);
        g.Player.StateTimer = static_cast<int16_t>(c.stateTimer);
        g.Player.Arrived = c.arrived;
        g.Player.X = static_cast<int16_t>(c.x);
        g.Player.Y = 300;
        EnemyRecord& e = PlaceChild(g, 0, kNoScript, c.x, 300, 0, 0, 0, 1);
        e.DeathTimer = static_cast<int16_t>(c.deathTimer);
        g.UpdateEnemies();
        EXPECT_EQ(g.Lives, c.hit ? 2 : 3) << c.what;
    }
}
