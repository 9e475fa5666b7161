#include <gtest/gtest.h>

#include <algorithm>

#include "ShotWorld.h"

namespace {

TEST(Scenery, DriftsWithTheScrollAndLeavesByThreeEdges) {
    struct Case {
        int x, y, dx, dy, scrollDX, scrollDY;
        bool alive;
        int endX, endY;
    };
    const Case cases[] = {
        {100, 100, 1, 3, 0, 0, true, 101, 103},  {100, 100, -1, 2, 2, 5, true, 101, 107},
        {0, 100, -1, 2, 0, 0, false, -1, 102},  // centre past the left edge: gone, half still visible
        {319, 100, 1, 2, 0, 0, true, 320, 102}, // x = 320 still counts
        {320, 100, 1, 2, 0, 0, false, 321, 102}, {100, 478, 0, 3, 0, 0, false, 100, 481},
        {100, -45, 0, 2, 0, 0, true, 100, -43}, // above the top edge stays: objects are born there
    };
    for (const Case& c : cases) {
        ShotWorld w;
        w.g.SpawnScenery(2, c.x, c.y, c.dx, c.dy, 0);
        w.g.ScrollDX = static_cast<int16_t>(c.scrollDX);
        w.g.ScrollDY = static_cast<int16_t>(c.scrollDY);
        w.g.UpdateScenery();
        const SceneryRecord& s = w.g.SceneryTable[2];
        EXPECT_EQ(s.Active, c.alive) << c.x << "," << c.y;
        EXPECT_EQ(s.X, c.endX);
        EXPECT_EQ(s.Y, c.endY);
    }
}

TEST(Scenery, DrawnNarrowedAtThePanelAndErasedCleanly) {
    ShotWorld w;
    ShotWorld::OpaqueSprite(w.g.PicTeki, 0, 128, 32, 32, 0x406080);  // shape 0
    ShotWorld::OpaqueSprite(w.g.PicTeki, 50, 224, 19, 20, 0x804020); // shape 7, odd width
    w.g.SpawnScenery(0, 310, 100, 1, 3, 0);
    w.g.SpawnScenery(1, 100, 200, 0, 2, 7);
    w.g.UpdateScenery();
    EXPECT_EQ(w.Lit(290, 80, 330, 125), 25 * 32); // 295..319, rows 87..118
    EXPECT_EQ(w.Lit(320, 0, 479, 479), 0);
    EXPECT_EQ(w.Lit(91, 192, 109, 211), 19 * 20);
    for (int f = 0; f < 10; ++f) w.g.UpdateScenery();
    ASSERT_FALSE(w.g.SceneryTable[0].Active);
    ASSERT_TRUE(w.g.SceneryTable[1].Active);
    w.g.EraseScenery(0);
    w.g.EraseScenery(1);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(Scenery, BackgroundOffFreezesIt) {
    ShotWorld w;
    w.g.SpawnScenery(0, 100, 100, 1, 3, 0);
    w.g.BackgroundOff = true;
    w.g.UpdateScenery();
    EXPECT_EQ(w.g.SceneryTable[0].Y, 100);
}

// A stage boss in its death sequence at (155, 120).
void DyingBoss(Game& g) {
    g.StagePhase = 2;
    g.Boss = BossRecord{155, 120, 0, 0, 240, 224, 0, 0, 0, 10, 0, true};
}

TEST(Fragments, ScatterFromTheDyingBossAtThreeToNinePixelsAFrame) {
    ShotWorld w(11);
    DyingBoss(w.g);
    w.g.ScatterFragments();
    for (const FragmentRecord& f : w.g.FragmentTable) {
        EXPECT_EQ(f.X, 155);
        EXPECT_EQ(f.Y, 120);
        EXPECT_GE(std::abs(f.DX), 3);
        EXPECT_LE(std::abs(f.DX), 9);
        EXPECT_GE(std::abs(f.DY), 3);
        EXPECT_LE(std::abs(f.DY), 9);
    }
    // The extra boss's fragments start at its own centre.
    w.g.StagePhase = 5;
    w.g.ExtraBoss = BossRecord{60, 300, 0, 0, 48, 48, 0, 0, 0, 1, 0, true};
    w.g.ScatterFragments();
    EXPECT_EQ(w.g.FragmentTable[63].X, 60);
    EXPECT_EQ(w.g.FragmentTable[63].Y, 300);
}

TEST(Fragments, StopAtTheEdgeAndAreShownOnlyWellInside) {
    ShotWorld w;
    DyingBoss(w.g);
    struct Case {
        int x, y, dx, dy;
        int endX, endY;
        bool moving, shown;
    };
    const Case cases[] = {
        {100, 100, 5, -3, 105, 97, true, true},
        {312, 100, 5, 0, 317, 100, true, false}, // past 315: no longer drawn, still flying
        {317, 100, 3, 0, 320, 100, false, false},
        {5, 100, -9, 4, -4, 104, false, false},
        {100, 476, 0, 4, 100, 480, true, true},
        {200, 478, 0, 4, 200, 482, false, false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        w.g.FragmentTable[i] = FragmentRecord{static_cast<int16_t>(c.x), static_cast<int16_t>(c.y),
                                              static_cast<int16_t>(c.dx), static_cast<int16_t>(c.dy)};
    }
    for (size_t i = std::size(cases); i < 64; ++i) w.g.FragmentTable[i] = FragmentRecord{-50, -50, 0, 0};
    w.g.UpdateFragments();
    w.g.DrawFragments();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const FragmentRecord& f = w.g.FragmentTable[i];
        EXPECT_EQ(f.X, c.endX) << i;
        EXPECT_EQ(f.Y, c.endY) << i;
        EXPECT_EQ(f.DX != 0 || f.DY != 0, c.moving) << i;
        EXPECT_EQ(w.g.Picture1.Pixel(c.endX, std::min(c.endY, 479)) == 0xFFFFFF, c.shown) << i;
    }
    w.g.EraseFragments();
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(Fragments, RestWhenNoBossIsDying) {
    ShotWorld a(5), b(5);
    a.g.FragmentTable[0] = FragmentRecord{100, 100, 5, 5};
    a.g.Boss = BossRecord{155, 120, 0, 0, 240, 224, 0, 0, 0, 0, 10, true}; // fighting
    a.g.EraseFragments();
    a.g.UpdateFragments();
    a.g.DrawFragments();
    EXPECT_EQ(a.g.FragmentTable[0].X, 100);
    EXPECT_EQ(a.Lit(0, 0, 479, 479), 0);
    EXPECT_EQ(a.g.Random(), b.g.Random()) << "no colours drawn";
}

} // namespace
