#include "PlayerTestSetup.h"

namespace {

constexpr int kFire = 90;
constexpr int kSpecial = 88;

// One frame of the special-attack routine, with the special input as the loop samples it.
void SpecialFrame(Game& g, bool pressed) {
    g.SpecialPressed = pressed;
    g.UpdateSpecialAttack();
}

} // namespace

TEST(SpecialAttack, StartConditionsAndCosts) {
    struct Case {
        const char* name;
        int type, energy;
        bool arrived;
        int stateTimer;
        bool starts;
        int energyAfter;
    };
    const Case cases[] = {
        {"ship 0 needs a full gauge", 0, 99, true, 0, false, 99},
        {"ship 0 at 100", 0, 100, true, 0, true, 100},
        {"ship 0 not while swooping", 0, 100, false, 31, false, 100},
        {"ship 1 at 25 pays 25", 1, 25, true, 0, true, 0},
        {"ship 1 at 24", 1, 24, true, 0, false, 24},
        {"ship 1 not while swooping", 1, 100, false, 31, false, 100},
        {"ship 1 while controllable", 1, 100, false, 30, true, 75},
        {"ship 2 at 50 pays 1", 2, 50, true, 0, true, 49},
        {"ship 2 at 49", 2, 49, true, 0, false, 49},
        {"ship 2 not while dying", 2, 100, true, 3, false, 100},
        {"ship 3 at 10 pays 1", 3, 10, true, 0, true, 9},
        {"ship 3 at 9", 3, 9, true, 0, false, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        ShipInControl(g, c.type);
        g.Player.Energy = static_cast<int16_t>(c.energy);
        g.Player.Arrived = c.arrived;
        g.Player.StateTimer = static_cast<int16_t>(c.stateTimer);
        g.SpecialKills = 9;
        g.ComboTimer = 12;
        SpecialFrame(g, false);
        EXPECT_EQ(g.SpecialTimer, 0); // nothing happens without the button
        SpecialFrame(g, true);
        EXPECT_EQ(g.SpecialTimer, c.starts ? 1 : 0);
        EXPECT_EQ(g.Player.Energy, c.energyAfter);
        if (c.starts) {
            EXPECT_EQ(g.SpecialKills, 0);
            EXPECT_EQ(g.ComboTimer, 0);
        }
    }
}

TEST(SpecialAttack, ShipZeroBeamDrainsTheGaugeToEmptyAtFrameSixty) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    ShipInControl(g, 0);
    g.Score = 0;
    SpecialFrame(g, true);
    for (int frame = 2; frame <= 59; ++frame) {
        SpecialFrame(g, frame < 10); // holding the button changes nothing
        ASSERT_EQ(g.SpecialTimer, frame);
    }
    EXPECT_EQ(g.Player.Energy, 5);
    g.SpecialKills = 10;
    SpecialFrame(g, false);
    EXPECT_EQ(g.SpecialTimer, 0);
    EXPECT_EQ(g.Player.Energy, 0);
    EXPECT_EQ(g.Score, 50); // the combo bonus of 10 kills
    EXPECT_EQ(g.MaxCombo, 10);
}

TEST(SpecialAttack, ShipOneFullBombFlashesAndCancelsEveryShot) {
    for (int energy : {100, 99}) {
        SCOPED_TRACE(energy);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        g.Picture1.SetBackColour(0);
        ShipInControl(g, 1, 120, 250);
        g.Player.Energy = static_cast<int16_t>(energy);
        g.EnemyShotTable[0] = {0, 10, 10, 3, 90, 0, 0, true};
        g.EnemyShotTable[1] = {13, 300, 400, 3, 90, 0, 0, true};
        g.EnemyShotTable[2] = {14, 20, 20, 3, 90, 0, 0, true}; // not a bullet
        g.EnemyShotTable[3] = {2, 30, 30, 3, 90, 0, 5, true};  // already dissolving
        g.EnemyShotCount = 4;
        const bool full = energy == 100;

        SpecialFrame(g, true);
        EXPECT_EQ(g.SpecialX, 120);
        EXPECT_EQ(g.SpecialY, 250);
        EXPECT_EQ(g.Player.Energy, energy - 25);
        EXPECT_EQ(g.EnemyShotTable[0].VanishTimer, full ? 1 : 0);
        EXPECT_EQ(g.EnemyShotTable[1].VanishTimer, full ? 1 : 0);
        EXPECT_EQ(g.EnemyShotTable[2].VanishTimer, 0);
        EXPECT_EQ(g.EnemyShotTable[3].VanishTimer, 5);
        EXPECT_EQ(g.SpecialKills, full ? 2 : 0);
        for (int frame = 2; frame <= 4; ++frame) {
            EXPECT_EQ(g.Picture1.Pixel(5, 5), full ? PaletteColor(15) : 0u) << "frame " << frame - 1;
            SpecialFrame(g, false);
        }
        EXPECT_EQ(g.Picture1.Pixel(5, 5), 0u);
        for (int frame = 5; frame <= 24; ++frame) SpecialFrame(g, frame == 10);
        EXPECT_EQ(g.SpecialTimer, 0);
        EXPECT_EQ(g.MaxCombo, full ? 2 : 0);
    }
}

TEST(SpecialAttack, ShipTwoAuraRunsUntilEmptyThenTheShipIsItselfAgain) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    ShipInControl(g, 2);
    g.Player.Energy = 60;
    SpecialFrame(g, true);
    EXPECT_EQ(g.Player.SpriteX, 64);
    EXPECT_EQ(g.Player.SpriteY, 128);
    EXPECT_EQ(g.ShipSpeed(), 10);
    int frames = 1;
    while (g.SpecialTimer > 0 && frames < 200) {
        SpecialFrame(g, false);
        ++frames;
        if (g.SpecialTimer == 6) {
            EXPECT_EQ(g.Player.SpriteX, 128);
        }
        if (g.SpecialTimer > 0 && g.Player.Energy < 5) {
            EXPECT_EQ(g.Player.SpriteX, 64);
        }
    }
    EXPECT_EQ(frames, 60);
    EXPECT_EQ(g.Player.Energy, 0);
    EXPECT_EQ(g.Player.SpriteX, 128);
    EXPECT_EQ(g.Player.SpriteY, 64);
    EXPECT_EQ(g.ShipSpeed(), 6);
}

TEST(SpecialAttack, ShipThreeSpraysFourShotsAFrameWhileEnergyLasts) {
    TestGame t(5);
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    ShipInControl(g, 3, 100, 300);
    g.Player.Energy = 20;
    SpecialFrame(g, true);
    EXPECT_EQ(g.Player.Energy, 19);
    EXPECT_EQ(g.PlayerShotCount, 0); // the spray starts on the next frame
    int frames = 0;
    while (g.SpecialTimer > 0 && frames < 50) {
        SpecialFrame(g, false);
        ++frames;
    }
    EXPECT_EQ(frames, 10); // 19, 17, ..., 1, then below zero
    EXPECT_EQ(g.Player.Energy, 0);
    EXPECT_EQ(g.PlayerShotCount, 40);
    for (const PlayerShotRecord& s : LivePlayerShots(g)) {
        EXPECT_EQ(s.Speed, 32);
        EXPECT_EQ(s.Y, 284);
        EXPECT_GE(s.Heading, 210);
        EXPECT_LE(s.Heading, 329);
    }
    EXPECT_EQ(LiveEnemyShots(g), 10); // one muzzle flash per frame
}

TEST(SpecialAttack, ComboBonusIsComputedInSinglePrecision) {
    const std::pair<int, int32_t> cases[] = {{0, 0},   {1, 0},    {3, 0},      {4, 10},           {5, 10},
                                             {10, 50}, {20, 210}, {100, 5050}, {30001, 450044990}};
    TestGame t;
    for (auto [kills, bonus] : cases) EXPECT_EQ(t.game.ComboBonus(kills), bonus) << kills << " kills";
}

TEST(SpecialAttack, AnEmptyComboPaysNothingAndShowsNothing) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    PaintTestSprites(g);
    g.Picture1.SetBackColour(0);
    g.Score = 700;
    g.MaxCombo = 3;
    g.SpecialTimer = 24;
    g.SpecialKills = 0;
    g.EndSpecialAttack();
    EXPECT_EQ(g.Score, 700);
    EXPECT_EQ(g.MaxCombo, 3);
    g.DrawComboText();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 320; ++x) ASSERT_EQ(g.Picture1.Pixel(x, y), 0u);
}

TEST(Energy, MaxEnergyRefillsOnlyAShipInControlWithoutASpecial) {
    struct Case {
        const char* name;
        uint8_t flagsA;
        int energy, stateTimer, specialTimer;
        int want;
    };
    const Case cases[] = {
        {"refills by 2", 2, 50, 0, 0, 52},     {"stops at 100", 2, 99, 0, 0, 100},
        {"switch off", 0, 50, 0, 0, 50},       {"while dying", 2, 50, 4, 0, 50},
        {"during a special", 2, 50, 0, 3, 50},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        Game& g = t.game;
        ShipInControl(g, 1);
        g.ExtraFlagsA = c.flagsA;
        g.Player.Energy = static_cast<int16_t>(c.energy);
        g.Player.StateTimer = static_cast<int16_t>(c.stateTimer);
        g.SpecialTimer = static_cast<int16_t>(c.specialTimer);
        g.RechargeEnergy();
        EXPECT_EQ(g.Player.Energy, c.want);
    }
}

// The whole game running: ship 0 holding fire at full power, and each ship's special attack.
TEST(WeaponsInPlay, HoldingFireAndEverySpecialRunThroughTheFrameLoop) {
    for (int ship = 0; ship < 4; ++ship) {
        SCOPED_TRACE(testing::Message() << "ship " << ship);
        TestGame t(static_cast<uint64_t>(ship + 1), true);
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        g.ExtraFlagsA = 16; // POWER MAX
        StartGame(g, ship);
        for (int frame = 0; frame < 62; ++frame) g.RunOneFrame(); // the entry
        ASSERT_TRUE(g.Player.Arrived);
        ASSERT_EQ(g.Player.PowerLevel, 3);
        if (ship == 0) {
            t.host.HoldKeys({kFire});
            for (int frame = 0; frame < 100; ++frame) g.RunOneFrame();
            EXPECT_GT(g.PlayerShotCount, 0);
        }
        t.host.HoldKeys({kSpecial});
        g.RunOneFrame();
        t.host.HoldKeys({});
        bool ran = false;
        for (int frame = 0; frame < 150 && (g.SpecialTimer > 0 || !ran); ++frame) {
            g.RunOneFrame();
            ran = ran || g.SpecialTimer > 0;
        }
        EXPECT_TRUE(ran);
        EXPECT_EQ(g.SpecialTimer, 0);
        EXPECT_STREQ(g.Screens.Current()->Name(), "play");
    }
}
