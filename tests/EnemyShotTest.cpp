#include <gtest/gtest.h>

#include "ShotWorld.h"
#include "core/Numeric.h"

namespace {

constexpr uint32_t kRed = 0xC00000;

// Opaque sprites for every enemy-shot look, so drawing and erasing can be checked by pixels.
void PaintShotSprites(Game& g) {
    ShotWorld::OpaqueSprite(g.PicTeki, 0, 64, 64, 16, kRed);         // kinds 0..3 (and 5, 7)
    ShotWorld::OpaqueSprite(g.PicTeki, 0, 96, 16, 16, 0x00C000);     // kind 6
    ShotWorld::OpaqueSprite(g.PicTeki, 256, 256, 128, 32, 0x8080FF); // kind 15, four frames
}

void Frames(Game& g, int n) {
    for (int i = 0; i < n; ++i) {
        g.EraseEnemyShots();
        g.UpdateEnemyShots();
    }
}

TEST(EnemyShotSteps, LifetimesByKind) {
    struct Case {
        const char* what;
        int kind, speed;
        int lastFrameAlive; // the shot is gone one update later
    };
    const Case cases[] = {
        {"muzzle flash shows for one frame", 0, 0, 1},
        {"blast burns 45 frames", 4, 0, 45},
        {"kind 5 dissolves from age 14", 5, 4, 15},
        {"puff lives 11 frames", 15, 3, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShotWorld w;
        w.g.Player.Arrived = false; // out of the way
        const int k = w.Shot(c.kind, 100, 100, c.speed, 90);
        Frames(w.g, c.lastFrameAlive);
        EXPECT_TRUE(w.g.EnemyShotTable[k].Active);
        Frames(w.g, 1);
        EXPECT_FALSE(w.g.EnemyShotTable[k].Active);
        EXPECT_EQ(w.g.EnemyShotCount, 0);
    }
}

TEST(EnemyShotSteps, StraightShotsMoveAndUnknownKindsStandStill) {
    ShotWorld w;
    w.g.Player.Arrived = false;
    const int straight = w.Shot(0, 100, 100, 4, 90);
    const int odd = w.Shot(9, 200, 100, 4, 90);
    Frames(w.g, 10);
    EXPECT_EQ(w.g.EnemyShotTable[straight].X, 100);
    EXPECT_EQ(w.g.EnemyShotTable[straight].Y, 140);
    EXPECT_EQ(w.g.EnemyShotTable[odd].Y, 100);
    EXPECT_EQ(w.g.EnemyShotTable[odd].Age, 0);
}

TEST(EnemyShotSteps, HomingShotAimsOnItsFirstFrameThenTurnsFiveDegrees) {
    ShotWorld w;
    w.g.Player.StateTimer = 5; // dying: steering still follows the ship, nothing hits
    const int k = w.Shot(1, 100, 100, 3, 0);
    const int16_t aim = w.g.Search_DR(static_cast<int16_t>(k));
    Frames(w.g, 1);
    EXPECT_EQ(w.g.EnemyShotTable[k].Heading, aim);

    // Later frames turn 5 degrees, the short way round while the gap is above 180.
    struct Case {
        int heading, playerX, playerY, expected;
    };
    const Case turns[] = {
        {90, 300, 200, 85},   // ship straight ahead at 0: turn toward it
        {-45, 100, 164, -50}, // ship at 200, 245 degrees ahead: the short way is backwards
        {250, 300, 100, 245}, // ship at -45, 295 behind: no reversal for negative gaps
    };
    for (const Case& c : turns) {
        ShotWorld t;
        t.g.Player.StateTimer = 5;
        t.g.Player.X = static_cast<int16_t>(c.playerX);
        t.g.Player.Y = static_cast<int16_t>(c.playerY);
        const int s = t.Shot(1, 200, 200, 1, c.heading);
        t.g.EnemyShotTable[s].Age = 1;
        Frames(t.g, 1);
        EXPECT_EQ(t.g.EnemyShotTable[s].Heading, c.expected) << "from " << c.heading;
    }

    // From its 60th frame on it flies straight, wherever the ship goes.
    Frames(w.g, 59);
    const int16_t settled = w.g.EnemyShotTable[k].Heading;
    w.g.Player.X = 10;
    w.g.Player.Y = 10;
    Frames(w.g, 5);
    EXPECT_EQ(w.g.EnemyShotTable[k].Heading, settled);
}

TEST(EnemyShotSteps, SpeedControlledShotNeverHeadsUpAndCapsItsSpeed) {
    {
        // Ship far ahead: speed grows by distance / 30, capped at 10.
        ShotWorld w;
        w.g.Player.StateTimer = 5;
        const int k = w.Shot(3, 160, 100, 3, 90);
        Frames(w.g, 1);
        EXPECT_EQ(w.g.EnemyShotTable[k].Speed, 10);
        EXPECT_EQ(w.g.EnemyShotTable[k].Y, 110);
    }
    {
        // Ship behind it: turn 6 degrees and slow down by one.
        ShotWorld w;
        w.g.Player.StateTimer = 5;
        w.g.Player.X = 40;
        w.g.Player.Y = 100;
        const int k = w.Shot(3, 160, 100, 8, 0);
        Frames(w.g, 1);
        EXPECT_EQ(w.g.EnemyShotTable[k].Heading, 6);
        EXPECT_EQ(w.g.EnemyShotTable[k].Speed, 7);
        Frames(w.g, 1); // odd age: no steering
        EXPECT_EQ(w.g.EnemyShotTable[k].Heading, 6);
    }
    {
        // Ship above it: the heading is held within 0..180 in every frame.
        ShotWorld w;
        w.g.Player.StateTimer = 5;
        w.g.Player.X = 150;
        w.g.Player.Y = 20;
        const int k = w.Shot(3, 160, 300, 2, 170);
        for (int f = 0; f < 50 && w.g.EnemyShotTable[k].Active; ++f) {
            Frames(w.g, 1);
            EXPECT_GE(w.g.EnemyShotTable[k].Heading, 0);
            EXPECT_LE(w.g.EnemyShotTable[k].Heading, 180);
            EXPECT_LE(w.g.EnemyShotTable[k].Speed, 10);
        }
    }
}

TEST(EnemyShotSteps, ReaimingShotTurnsAtAgesTenAndTwentyFive) {
    ShotWorld w;
    w.g.Player.StateTimer = 5;
    w.g.Player.X = 300;
    w.g.Player.Y = 150;
    const int k = w.Shot(7, 100, 100, 1, 90);
    Frames(w.g, 10);
    EXPECT_EQ(w.g.EnemyShotTable[k].Heading, 90);
    const int16_t aim = w.g.Search_DR(static_cast<int16_t>(k));
    Frames(w.g, 1);
    EXPECT_EQ(w.g.EnemyShotTable[k].Heading, aim);
    w.g.Player.X = 20;
    Frames(w.g, 14);
    const int16_t again = w.g.Search_DR(static_cast<int16_t>(k));
    EXPECT_NE(w.g.EnemyShotTable[k].Heading, again);
    Frames(w.g, 1);
    EXPECT_EQ(w.g.EnemyShotTable[k].Heading, again);
}

TEST(EnemyShotSteps, WandererTurnsRandomlyAtAges20_40_60ThenFliesStraight) {
    ShotWorld a(7), b(7);
    a.g.Player.Arrived = false;
    const int k = a.Shot(6, 160, 240, 1, 0);
    Frames(a.g, 1);
    EXPECT_EQ(a.g.EnemyShotTable[k].X, 160); // still on its first frame
    Frames(a.g, 19);
    EXPECT_EQ(a.g.EnemyShotTable[k].Heading, 0);
    Frames(a.g, 1);
    EXPECT_EQ(a.g.EnemyShotTable[k].Heading, static_cast<int16_t>(Int(360 * b.g.Random())));
    Frames(a.g, 49);
    ASSERT_TRUE(a.g.EnemyShotTable[k].Active);
    for (int i = 0; i < 2; ++i) b.g.Random();
    EXPECT_EQ(a.g.Random(), b.g.Random()) << "three numbers drawn in all";
}

TEST(EnemyShotDrawing, RemovalBoundsAndPanelEdge) {
    struct Case {
        int x, y;
        bool alive;
    };
    const Case cases[] = {{323, 200, true},  {325, 200, true}, {326, 200, false}, {-1, 200, false},
                          {100, 481, false}, {100, 480, true}, {100, -1, false}};
    for (const Case& c : cases) {
        ShotWorld w;
        PaintShotSprites(w.g);
        w.g.Player.Arrived = false;
        const int k = w.Shot(0, c.x, c.y - 1, 1, 90); // one pixel down per frame
        Frames(w.g, 1);
        EXPECT_EQ(w.g.EnemyShotTable[k].Active, c.alive) << c.x << "," << c.y;
        EXPECT_EQ(w.Lit(320, 0, 479, 479), 0) << "nothing on the panel";
        if (c.alive && c.x > 316) {
            EXPECT_GT(w.Lit(c.x - 8, c.y - 8, 319, c.y + 7), 0);
        }
    }
}

TEST(EnemyShotDrawing, DissolvingShotGrowsFromTenToFifteenAndKeepsOffThePanel) {
    ShotWorld w;
    w.g.Player.Arrived = false;
    const int k = w.Shot(0, 315, 200, 2, 90);
    w.g.EnemyShotTable[k].VanishTimer = 1; // cancelled
    for (int radius = 10; radius <= 15; ++radius) {
        Frames(w.g, 1);
        const EnemyShotRecord& s = w.g.EnemyShotTable[k];
        ASSERT_TRUE(s.Active);
        EXPECT_EQ(s.Y, 200) << "stopped";
        EXPECT_NE(w.g.Picture1.Pixel(s.X - radius, s.Y), 0u);
        EXPECT_EQ(w.g.Picture1.Pixel(s.X - radius - 1, s.Y), 0u);
        EXPECT_EQ(w.Lit(320, 0, 479, 479), 0);
    }
    Frames(w.g, 1);
    EXPECT_FALSE(w.g.EnemyShotTable[k].Active);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(EnemyShotDrawing, BlastIsOredOntoTheFieldAndFades) {
    ShotWorld w;
    w.g.Player.Arrived = false;
    w.g.Picture1.SetPixel(100, 100, 0x0000FF); // something already there
    const int k = w.Shot(4, 100, 100, 0, 90);
    Frames(w.g, 1);
    EXPECT_EQ(w.g.Picture1.Pixel(100, 100), RGB(252, 252, 255));
    EXPECT_EQ(w.g.Picture1.Pixel(100, 150), RGB(252, 252, 0));
    EXPECT_EQ(w.g.Picture1.Pixel(100, 151), 0u);
    EXPECT_EQ(w.g.Picture1.GetPenMode(), PenMode::CopyPen);
    Frames(w.g, 43);
    EXPECT_EQ(w.g.Picture1.Pixel(130, 100), RGB(123, 123, 0)); // age 44
    Frames(w.g, 1);
    EXPECT_TRUE(w.g.EnemyShotTable[k].Active);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0) << "age 45 is not drawn";
}

TEST(EnemyShotDrawing, EraseLeavesTheFieldBlackForEveryKind) {
    ShotWorld w(3);
    PaintShotSprites(w.g);
    w.g.Player.Arrived = false;
    const int kinds[] = {0, 1, 2, 3, 4, 5, 6, 7, 15};
    for (int i = 0; i < 60; ++i) {
        const int kind = kinds[i % 9];
        const int speed = kind == 4 ? 0 : i % 4; // some still shots: flashes
        w.Shot(kind, 20 + (i * 37) % 300, 20 + (i * 53) % 440, speed, (i * 71) % 360);
    }
    w.g.EnemyShotTable[5].VanishTimer = 1;
    for (int f = 0; f < 30; ++f) {
        Frames(w.g, 1);
        if (f == 10) w.Shot(0, 318, 240, 0, 0); // a flash at the panel edge
    }
    ASSERT_GT(w.g.EnemyShotCount, 0);
    EXPECT_EQ(w.Lit(320, 0, 479, 479), 0);
    w.g.EraseEnemyShots();
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(EnemyShotDrawing, EbStealthHidesShotsButNotPuffs) {
    ShotWorld w;
    PaintShotSprites(w.g);
    w.g.ExtraFlagsB = 16;
    w.g.Player.X = 100;
    w.g.Player.Y = 300;
    const int shot = w.Shot(0, 110, 299, 1, 90); // grazing
    w.Shot(15, 200, 200, 1, 90);
    Frames(w.g, 1);
    EXPECT_EQ(w.Lit(90, 280, 130, 320), 0);
    EXPECT_GT(w.Lit(180, 180, 220, 220), 0);
    EXPECT_EQ(w.g.Player.GrazeTimer, 8);
    EXPECT_TRUE(w.g.EnemyShotTable[shot].Active);
}

// The shot is placed so that after its one-pixel step it lies at (dx, dy) from the ship.
enum class Outcome { Hit, Graze, Nothing };

struct HitCase {
    const char* what;
    int ship, kind, dx, dy;
    Outcome outcome;
    int specialTimer = 0;
    int phase = 1;
};

TEST(EnemyShotHitsPlayer, HitAndGrazeBoxes) {
    const HitCase cases[] = {
        {"inside the hit box", 0, 0, 5, -5, Outcome::Hit},
        {"edge of the hit box", 0, 0, 6, 0, Outcome::Graze},
        {"ship 2 is smaller", 2, 0, 5, 0, Outcome::Graze},
        {"ship 2 inside", 2, 0, 4, 4, Outcome::Hit},
        {"graze edge", 1, 0, 23, -23, Outcome::Graze},
        {"beyond the graze box", 1, 0, 24, 0, Outcome::Nothing},
        {"blast reaches 41", 0, 4, 40, 40, Outcome::Hit},
        {"ship 2: blast reaches 40", 2, 4, 39, -39, Outcome::Hit},
        {"ship 2: blast edge", 2, 4, 40, 0, Outcome::Nothing},
        {"puffs never hurt", 0, 15, 0, 0, Outcome::Nothing},
        {"ship 0 special protects", 0, 0, 0, 0, Outcome::Nothing, 5},
        {"ship 2 special protects", 2, 0, 0, 0, Outcome::Nothing, 5},
        {"ship 1 special does not", 1, 0, 0, 0, Outcome::Hit, 5},
        {"ship 3 special: hit", 3, 0, 0, 0, Outcome::Hit, 5},
        {"ship 3 special: no graze", 3, 0, 10, 0, Outcome::Nothing, 5},
        {"stage cleared", 0, 0, 0, 0, Outcome::Nothing, 0, 3},
    };
    for (const HitCase& c : cases) {
        SCOPED_TRACE(c.what);
        ShotWorld w;
        w.g.Player.ShipType = static_cast<int16_t>(c.ship);
        w.g.SpecialTimer = static_cast<int16_t>(c.specialTimer);
        w.g.StagePhase = static_cast<int16_t>(c.phase);
        w.g.Player.Energy = 20;                             // too little for ship 3 to shrug a hit off
        w.g.Picture1.FillBox(340, 300, 439, 334, 0xFFFFFF); // the energy panel
        const int speed = c.kind == 4 ? 0 : 1;
        const int k = w.Shot(c.kind, w.g.Player.X + c.dx, w.g.Player.Y + c.dy - speed, speed, 90);
        Frames(w.g, 1);
        const EnemyShotRecord& s = w.g.EnemyShotTable[k];
        const bool hitBox = w.g.Picture1.Pixel(345, 320) == 0 && w.g.Picture1.Pixel(345, 305) != 0;
        const bool grazeBox = w.g.Picture1.Pixel(345, 305) == 0;
        EXPECT_EQ(hitBox, c.outcome == Outcome::Hit);
        EXPECT_EQ(grazeBox, c.outcome == Outcome::Graze);
        EXPECT_EQ(w.g.Player.GrazeTimer, c.outcome == Outcome::Graze ? 8 : 0);
        EXPECT_EQ(s.VanishTimer, c.outcome == Outcome::Hit && c.kind != 4 ? 1 : 0);
    }
}

TEST(EnemyShotHitsPlayer, ShipIsKnockedOutOncePerHit) {
    ShotWorld w;
    w.g.Lives = 3;
    w.Shot(0, 160, 399, 1, 90);
    w.Shot(0, 161, 399, 1, 90);
    Frames(w.g, 1);
    EXPECT_EQ(w.g.Player.StateTimer, 1);
    EXPECT_EQ(w.g.Lives, 2);
}

TEST(EnemyShotHitsPlayer, BlastKeepsBurningAndHitsAgain) {
    ShotWorld w;
    w.g.ExtraFlagsA = 4; // MISSLESS: the ship stays in play
    const int k = w.Shot(4, 170, 410, 0, 90);
    for (int f = 0; f < 3; ++f) {
        w.g.Picture1.FillBox(340, 300, 439, 334, 0xFFFFFF);
        Frames(w.g, 1);
        EXPECT_EQ(w.g.Picture1.Pixel(345, 320), 0u) << "hit in frame " << f;
        EXPECT_EQ(w.g.EnemyShotTable[k].VanishTimer, 0);
    }
}

TEST(EnemyShotHitsPlayer, GrazingFillsTheGaugeAndPaysAtFullEnergy) {
    struct Case {
        int ship, energy, frames, expectedEnergy;
        int32_t expectedScore;
    };
    const Case cases[] = {
        {0, 50, 3, 56, 0},   // ship 0: 2 a frame
        {1, 50, 3, 53, 0},   // others: 1 a frame
        {0, 97, 3, 100, 20}, // 99, 100 (+10), 100 (+10)
        {2, 100, 2, 100, 20},
    };
    for (const Case& c : cases) {
        ShotWorld w;
        w.g.Player.ShipType = static_cast<int16_t>(c.ship);
        w.g.Player.Energy = static_cast<int16_t>(c.energy);
        // A slow shot keeps grazing while it passes.
        w.Shot(0, 175, 390, 1, 90);
        Frames(w.g, c.frames);
        EXPECT_EQ(w.g.Player.Energy, c.expectedEnergy) << "ship " << c.ship;
        EXPECT_EQ(w.g.Score, c.expectedScore);
    }
}

} // namespace
