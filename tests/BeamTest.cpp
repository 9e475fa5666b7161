#include <gtest/gtest.h>

#include "ShotWorld.h"

namespace {

constexpr uint32_t kYellow = RGB(255, 255, 0);

// A beam standing still at (x, y), not attached to anything.
int FixedBeam(ShotWorld& w, int x, int y, int radius, int charge, int duration) {
    int slot = 0;
    while (w.g.BeamTable[slot].Active) ++slot;
    w.g.SpawnBeam(x, y, -1, 0, 0, radius, charge, duration);
    return slot;
}

// Half-width of what is drawn on row y, measured from x to the right.
int HalfWidthAt(const ShotWorld& w, int x, int y) {
    int r = -1;
    while (w.g.Picture1.Pixel(x + r + 1, y) == kYellow) ++r;
    return r;
}

TEST(BeamShape, ByAge) {
    struct Case {
        int radius, charge, duration, age;
        int disc;   // -1: nothing drawn at the origin
        int column; // -1: no column below it
    };
    const Case cases[] = {
        {20, 10, 90, 1, 2, -1},   {20, 10, 90, 5, 10, -1},  {20, 10, 90, 9, 18, -1},
        {20, 10, 90, 10, 20, 20}, {20, 10, 90, 79, 20, 20}, {20, 10, 90, 80, 20, 20},
        {20, 10, 90, 85, 10, 10}, {20, 10, 90, 89, 2, 2},   {5, 2, 50, 1, 2, -1}, // 2.5 rounds to even
        {7, 2, 50, 1, 4, -1},                                                     // 3.5 rounds to even
        {7, 3, 20, 18, 4, 4},    // fading divides and truncates: 14 / 3
        {10, 0, 20, 1, 10, 10},  // no charge: full from the start
        {10, 15, 20, 10, 7, -1}, // charging wins over fading when they overlap
    };
    for (const Case& c : cases) {
        ShotWorld w;
        const int k = FixedBeam(w, 100, 100, c.radius, c.charge, c.duration);
        w.g.BeamTable[k].Age = static_cast<int16_t>(c.age);
        w.g.DrawBeam(k);
        const std::string at = "R" + std::to_string(c.radius) + " C" + std::to_string(c.charge) + " age " +
                               std::to_string(c.age);
        EXPECT_EQ(HalfWidthAt(w, 100, 100), c.disc) << at;
        EXPECT_EQ(HalfWidthAt(w, 100, 479), c.column) << at;
        w.g.EraseBeam(k);
        EXPECT_EQ(w.Lit(0, 0, 479, 479), 0) << at;
    }
}

TEST(BeamShape, LivesItsDurationAndLeavesNothingBehind) {
    ShotWorld w;
    const int k = FixedBeam(w, 150, 60, 20, 10, 90);
    for (int f = 1; f <= 89; ++f) {
        w.g.UpdateBeams();
        ASSERT_TRUE(w.g.BeamTable[k].Active) << f;
        EXPECT_EQ(w.g.BeamTable[k].Age, f);
    }
    w.g.UpdateBeams();
    EXPECT_FALSE(w.g.BeamTable[k].Active);
    EXPECT_EQ(w.g.BeamCount, 0);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(BeamShape, StaysOffThePanel) {
    struct Case {
        int x, age;
    };
    const Case cases[] = {{310, 5}, {310, 20}, {330, 20}, {350, 20}};
    for (const Case& c : cases) {
        ShotWorld w;
        const int k = FixedBeam(w, c.x, 100, 20, 10, 90);
        w.g.BeamTable[k].Age = static_cast<int16_t>(c.age);
        w.g.DrawBeam(k);
        // x = 320 is the panel's separator line, which the panel redraws every frame.
        EXPECT_EQ(w.Lit(321, 0, 479, 479), 0) << c.x << " age " << c.age;
        if (c.x == 310) {
            EXPECT_GT(w.Lit(300, 0, 319, 479), 0);
        }
    }
}

TEST(BeamShape, EbStealthHidesBeams) {
    ShotWorld w;
    w.g.ExtraFlagsB = 16;
    FixedBeam(w, 100, 100, 20, 0, 90);
    w.g.UpdateBeams();
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(BeamOwner, FollowsItsOwnerAndEndsWhenTheSlotIsFreed) {
    ShotWorld w;
    EnemyRecord& pod = w.Enemy(3, 100, 50);
    w.g.SpawnBeam(0, 0, 3, 0, 24, 20, 10, 90);
    w.g.UpdateBeams();
    EXPECT_EQ(w.g.BeamTable[0].X, 100);
    EXPECT_EQ(w.g.BeamTable[0].Y, 74);
    pod.X = 140;
    pod.DeathTimer = 5; // exploding: the beam goes on
    w.g.UpdateBeams();
    EXPECT_EQ(w.g.BeamTable[0].X, 140);
    EXPECT_TRUE(w.g.BeamTable[0].Active);
    pod.Active = false;
    w.g.UpdateBeams();
    EXPECT_FALSE(w.g.BeamTable[0].Active);
    EXPECT_EQ(w.g.BeamCount, 0);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(BeamOwner, BossBeamsFollowTheBossAndAllEndOnCancel) {
    ShotWorld w;
    w.g.Boss = BossRecord{155, 120, 0, 0, 240, 224, 0, 0, 0, 0, 100, true};
    w.g.ExtraBoss = BossRecord{60, 80, 0, 0, 48, 48, 0, 0, 0, 0, 100, true};
    w.g.SpawnBeam(0, 0, 16, -40, 30, 20, 10, 90);
    w.g.SpawnBeam(0, 0, 17, 0, 0, 20, 10, 90);
    FixedBeam(w, 250, 0, 10, 0, 20);
    w.g.UpdateBeams();
    EXPECT_EQ(w.g.BeamTable[0].X, 115);
    EXPECT_EQ(w.g.BeamTable[0].Y, 150);
    EXPECT_EQ(w.g.BeamTable[1].X, 60);
    EXPECT_EQ(w.g.BeamTable[2].X, 250);
    w.g.CancelBeams = true;
    w.g.UpdateBeams();
    EXPECT_EQ(w.g.BeamCount, 0);
    EXPECT_FALSE(w.g.CancelBeams);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(BeamHitsPlayer, DiscAndColumn) {
    struct Case {
        const char* what;
        int age, dx, dy; // ship relative to the origin (100, 100); R 20, C 10, D 90
        bool hit;
        int specialShip = -1;
    };
    const Case cases[] = {
        {"charging disc", 5, 9, 0, true},
        {"outside the charging disc", 5, 10, 0, false},
        {"charging: no column yet", 5, 0, 200, false},
        {"full disc", 40, 14, -14, true},
        {"above the origin, outside the disc", 40, 0, -20, false},
        {"in the column", 40, 19, 300, true},
        {"beside the column", 40, 20, 300, false},
        {"fading column", 85, 9, 300, true},
        {"outside the fading column", 85, 10, 300, false},
        {"ship 2's aura protects", 40, 0, 200, false, 2},
        {"ship 1's blast does not", 40, 0, 200, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShotWorld w;
        w.g.Lives = 3;
        w.g.Player.X = static_cast<int16_t>(100 + c.dx);
        w.g.Player.Y = static_cast<int16_t>(100 + c.dy);
        if (c.specialShip >= 0) {
            w.g.Player.ShipType = static_cast<int16_t>(c.specialShip);
            w.g.SpecialTimer = 5;
        }
        const int k = FixedBeam(w, 100, 100, 20, 10, 90);
        w.g.BeamTable[k].Age = static_cast<int16_t>(c.age - 1);
        w.g.UpdateBeams();
        EXPECT_EQ(w.g.Player.StateTimer, c.hit ? 1 : 0);
    }
}

} // namespace
