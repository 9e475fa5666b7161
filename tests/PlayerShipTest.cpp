#include "PlayerTestSetup.h"

namespace {

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

// The player's part of one frame, in frame order.
void PlayerFrame(Game& g) {
    g.ErasePlayer();
    g.MovePlayer();
    g.UpdateSpecialAttack();
    g.UpdatePlayerEntry();
    g.DrawPlayer();
}

} // namespace

TEST(PlayerEntry, SwoopsInFromTheBottomAndArrivesWithAFullGauge) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    g.Player.ShipType = 1;
    g.Player.PowerLevel = 2;
    g.ResetPlayerForStage();
    EXPECT_EQ(g.Player.PowerLevel, 2);
    EXPECT_EQ(g.Player.SpriteY, 64);
    t.host.HoldKeys({kLeft, kUp}); // no control during the swoop

    for (int frame = 0; frame < 30; ++frame) PlayerFrame(g);
    EXPECT_EQ(g.Player.X, 160);
    EXPECT_EQ(g.Player.Y, 426);
    EXPECT_EQ(g.Player.StateTimer, 30);
    EXPECT_EQ(g.Player.Energy, 100);
    EXPECT_FALSE(g.Player.Arrived);
    EXPECT_EQ(LiveEnemyShots(g), 40); // two exhaust puffs in each of the first 20 frames

    for (int frame = 0; frame < 30; ++frame) PlayerFrame(g);
    EXPECT_TRUE(g.Player.Arrived);
    EXPECT_EQ(g.Player.StateTimer, 0);
    EXPECT_LT(g.Player.X, 160); // controllable for the last 30 frames of the entry
}

TEST(PlayerMovement, FirstStepIsHalfSpeedAndStoppingReArmsIt) {
    struct Case {
        int type;
        int speedSetting;
        int special;
        int half, full;
    };
    const Case cases[] = {
        {0, 0, 0, 4, 8},  {1, 0, 0, 5, 10}, {2, 0, 0, 3, 6}, {3, 0, 0, 4, 9},
        {2, 0, 5, 5, 10}, {3, 0, 5, 2, 4},  {0, 7, 0, 3, 7}, {3, 7, 5, 3, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ship " << c.type << " setting " << c.speedSetting);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        ShipInControl(g, c.type, 100, 300);
        g.SpeedSetting = static_cast<uint8_t>(c.speedSetting);
        g.SpecialTimer = static_cast<int16_t>(c.special);
        t.host.HoldKeys({kRight});
        g.MovePlayer();
        EXPECT_EQ(g.Player.X, 100 + c.half);
        g.MovePlayer();
        EXPECT_EQ(g.Player.X, 100 + c.half + c.full);
        t.host.HoldKeys({});
        g.MovePlayer();
        t.host.HoldKeys({kDown});
        g.MovePlayer();
        EXPECT_EQ(g.Player.Y, 300 + c.half);
        EXPECT_EQ(g.Player.DX, 0);
    }
}

TEST(PlayerMovement, OppositeKeysCancelAndTheFieldEdgesStopTheShip) {
    struct Case {
        int x, y;
        std::set<int> keys;
        int wantX, wantY;
    };
    const Case cases[] = {
        {20, 200, {kLeft}, 16, 200},
        {300, 200, {kRight}, 304, 200},
        {100, 20, {kUp}, 100, 16},
        {100, 460, {kDown}, 100, 464},
        {24, 200, {kLeft}, 16, 200},
        {100, 200, {kLeft, kRight}, 100, 200},
        {300, 462, {kRight, kDown}, 304, 464},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.x << "," << c.y);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        ShipInControl(g, 0, c.x, c.y);
        g.MoveStarted = true; // full steps of 8
        t.host.HoldKeys(c.keys);
        g.MovePlayer();
        EXPECT_EQ(g.Player.X, c.wantX);
        EXPECT_EQ(g.Player.Y, c.wantY);
    }
}

TEST(PlayerHit, ShieldMisslessLivesAndPowerLoss) {
    struct Case {
        const char* name;
        int type, energy, power;
        uint8_t flagsA;
        bool destroyed;
        int wantEnergy, wantPower;
    };
    const Case cases[] = {
        {"ship 3 absorbs with 31 energy", 3, 31, 2, 0, false, 1, 2},
        {"ship 3 falls with 30 energy", 3, 30, 2, 0, true, 30, 1},
        {"ship 0 loses a power level", 0, 100, 3, 0, true, 100, 2},
        {"power never drops below 0", 1, 100, 0, 0, true, 100, 0},
        {"POWER MAX keeps the level", 2, 100, 3, 16, true, 100, 3},
        {"MISSLESS ignores the hit", 0, 100, 3, 4, false, 100, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        ShipInControl(g, c.type);
        g.Player.Energy = static_cast<int16_t>(c.energy);
        g.Player.PowerLevel = static_cast<int16_t>(c.power);
        g.ExtraFlagsA = c.flagsA;
        g.PlayerHit();
        EXPECT_EQ(g.Player.Energy, c.wantEnergy);
        EXPECT_EQ(g.Player.PowerLevel, c.wantPower);
        EXPECT_EQ(g.Lives, c.destroyed ? 2 : 3);
        EXPECT_EQ(g.ShipIsDying(), c.destroyed);
        EXPECT_EQ(LiveEnemyShots(g), c.destroyed ? 16 : 0);
    }
}

TEST(PlayerHit, DebrisFansDownwardsAtFiveToTenPixels) {
    TestGame t(7);
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    ShipInControl(g, 0, 120, 200);
    g.PlayerHit();
    int seen = 0;
    for (const EnemyShotRecord& s : g.EnemyShotTable) {
        if (!s.Active) continue;
        ++seen;
        EXPECT_EQ(s.Kind, 15);
        EXPECT_EQ(s.X, 120);
        EXPECT_EQ(s.Y, 200);
        EXPECT_GE(s.Heading, 15);
        EXPECT_LE(s.Heading, 165);
        EXPECT_GE(s.Speed, 5);
        EXPECT_LE(s.Speed, 10);
    }
    EXPECT_EQ(seen, 16);
}

TEST(PlayerDeath, TheDeathClockBringsANewShipKeepingPower) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    ShipInControl(g, 3, 50, 50);
    g.Player.Energy = 0;
    g.Player.PowerLevel = 2;
    g.StagePhase = 5;
    g.PodAllowed = true;
    g.NoMissStage = true;
    g.PlayerHit();
    g.SpecialTimer = 7; // a ship-3 special does not outlive its ship
    for (int frame = 0; frame < 28; ++frame) PlayerFrame(g);
    EXPECT_TRUE(g.ShipIsDying());
    EXPECT_EQ(g.Player.StateTimer, 29);
    PlayerFrame(g);
    EXPECT_FALSE(g.Player.Arrived);
    EXPECT_EQ(g.Player.StateTimer, 59); // 60, then this frame's entry step
    EXPECT_EQ(g.Player.PowerLevel, 1);
    EXPECT_EQ(g.SpecialTimer, 0);
    EXPECT_FALSE(g.NoMissStage);
    EXPECT_FALSE(g.PodAllowed);
    EXPECT_EQ(g.Lives, 2);
}

TEST(PlayerDeath, LosingTheLastLifeEndsTheGame) {
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode == 0 ? "normal game" : "boss mode");
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        StartGame(g, 0);
        g.GameMode = static_cast<uint8_t>(mode);
        g.RunOneFrame();
        ASSERT_STREQ(g.Screens.Current()->Name(), "play");
        g.Player.StateTimer = 0;
        g.Player.Arrived = true;
        g.Lives = 1;
        g.PlayerHit();
        EXPECT_EQ(g.Lives, 0);
        for (int frame = 0; frame < 40 && g.StagePhase != 0; ++frame) g.RunOneFrame();
        EXPECT_EQ(g.StagePhase, 0);
        EXPECT_EQ(g.Lives, 0);
        EXPECT_STRNE(g.Screens.Current()->Name(), "play");
    }
}

TEST(PlayerFlyOff, TheShipAcceleratesUpAndTheNextStageStarts) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    StartGame(g, 2);
    g.RunOneFrame();
    g.Player.StateTimer = 0;
    g.Player.Arrived = true;
    g.Player.Y = 400;
    g.StagePhase = 3;
    g.FrameCounter = 151;
    std::vector<int> ys;
    for (int frame = 0; frame < 40 && g.StageNumber == 1; ++frame) {
        g.RunOneFrame();
        ys.push_back(g.Player.Y);
    }
    ASSERT_EQ(g.StageNumber, 2);
    ASSERT_GE(ys.size(), 3u);
    EXPECT_EQ(ys[0], 399);
    EXPECT_EQ(ys[1], 397);
    EXPECT_EQ(ys[2], 394);
    EXPECT_EQ(g.StagePhase, 1);
}

TEST(PlayerDrawing, BlinksWhileEnteringAndLeavesNoTrace) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    g.Picture1.SetBackColour(0);
    g.Player.ShipType = 0;
    g.ResetPlayerForStage();
    g.Player.Y = 200; // on screen from the start
    auto shipPixels = [&] {
        int n = 0;
        for (int y = g.Player.Y - 16; y < g.Player.Y + 16; ++y)
            for (int x = g.Player.X - 16; x < g.Player.X + 16; ++x) n += g.Picture1.Pixel(x, y) != 0;
        return n;
    };
    int shown = 0, hidden = 0;
    for (int frame = 0; frame < 20; ++frame) {
        PlayerFrame(g);
        (shipPixels() > 0 ? shown : hidden) += 1;
    }
    EXPECT_EQ(shown, 10);
    EXPECT_EQ(hidden, 10);
    // The graze glow next to the panel: nothing may spill over x = 320.
    ShipInControl(g, 0, 304, 200);
    g.Player.GrazeTimer = 8;
    g.DrawPlayer();
    for (int y = 160; y <= 240; ++y)
        for (int x = 321; x < 340; ++x) ASSERT_EQ(g.Picture1.Pixel(x, y), 0u) << x << "," << y;
    for (int frame = 0; frame < 10; ++frame) PlayerFrame(g);
    g.ErasePlayer();
    for (uint32_t p : g.Picture1.Pixels()) ASSERT_EQ(p, 0u);
}
