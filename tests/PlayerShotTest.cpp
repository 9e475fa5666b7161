#include <gtest/gtest.h>

#include "ShotWorld.h"

namespace {

void Frames(Game& g, int n) {
    for (int i = 0; i < n; ++i) g.UpdatePlayerShots();
}

TEST(PlayerShotHitsEnemies, BoxIsAThirdOfTheWidthAndMostOfTheHeight) {
    struct Case {
        int w, h, dx, dy;
        bool hit;
    };
    const Case cases[] = {
        {32, 32, 10, 0, true},    {32, 32, 11, 0, false}, {32, 32, 0, 26, true},   {32, 32, 0, -27, false},
        {32, 32, -10, -26, true}, {64, 64, 21, 0, true},  {64, 64, 22, 0, false},  {64, 64, 0, 53, true},
        {64, 64, 0, 54, false},   {128, 64, 42, 0, true}, {128, 64, 43, 0, false},
    };
    for (const Case& c : cases) {
        ShotWorld w;
        EnemyRecord& e = w.Enemy(0, 160, 200, c.w, c.h, 5);
        const int k = w.PlayerShot(160 + c.dx, 200 + c.dy);
        Frames(w.g, 1);
        EXPECT_EQ(e.Hits, c.hit ? 4 : 5) << c.w << "x" << c.h << " at " << c.dx << "," << c.dy;
        EXPECT_EQ(w.g.PlayerShotTable[k].HitTimer, c.hit ? 1 : 0);
    }
}

TEST(PlayerShotHitsEnemies, OneShotDamagesEveryEnemyItOverlapsButNotTheDyingOnes) {
    ShotWorld w;
    EnemyRecord& a = w.Enemy(0, 160, 200, 32, 32, 5);
    EnemyRecord& b = w.Enemy(1, 165, 210, 32, 32, 5);
    EnemyRecord& dying = w.Enemy(2, 160, 200, 32, 32, 5);
    dying.DeathTimer = 3;
    w.PlayerShot(160, 205);
    Frames(w.g, 1);
    EXPECT_EQ(a.Hits, 4);
    EXPECT_EQ(b.Hits, 4);
    EXPECT_EQ(dying.Hits, 5);
}

TEST(PlayerShotHitsEnemies, BurstingShotShowsAGrowingDiscThenGoes) {
    ShotWorld w;
    ShotWorld::OpaqueSprite(w.g.PicChr, 96, 0, 8, 8, 0x00FF00);
    w.Enemy(0, 160, 100, 32, 32, 5);
    const int k = w.PlayerShot(160, 140, 32, 270); // reaches the enemy in its first step
    Frames(w.g, 1);
    const PlayerShotRecord& s = w.g.PlayerShotTable[k];
    ASSERT_EQ(s.HitTimer, 1);
    EXPECT_EQ(s.Y, 108);
    for (int radius : {6, 9}) {
        Frames(w.g, 1);
        EXPECT_EQ(s.Y, 108) << "stopped";
        EXPECT_NE(w.g.Picture1.Pixel(160 + radius, 108), 0u);
        EXPECT_EQ(w.g.Picture1.Pixel(160 + radius + 1, 108), 0u);
    }
    Frames(w.g, 1);
    EXPECT_FALSE(s.Active);
    EXPECT_EQ(w.g.PlayerShotCount, 0);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(PlayerShotHitsEnemies, Ship3ShotsPassThroughAndLiveElevenFrames) {
    ShotWorld w;
    w.g.Player.ShipType = 3;
    ShotWorld::OpaqueSprite(w.g.PicTeki, 256, 256, 128, 32, 0x8080FF);
    EnemyRecord& e = w.Enemy(0, 160, 200, 32, 32, 100);
    const int k = w.PlayerShot(160, 200);
    Frames(w.g, 11);
    EXPECT_TRUE(w.g.PlayerShotTable[k].Active);
    EXPECT_EQ(w.g.PlayerShotTable[k].HitTimer, 0);
    EXPECT_EQ(e.Hits, 89);
    Frames(w.g, 1);
    EXPECT_FALSE(w.g.PlayerShotTable[k].Active);
    EXPECT_EQ(e.Hits, 89);
    EXPECT_EQ(w.g.PlayerShotCount, 0);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(PlayerShotHitsEnemies, ShotsPastTheRightEdgeGoBeforeHitting) {
    ShotWorld w;
    EnemyRecord& e = w.Enemy(0, 318, 200, 32, 32, 5);
    const int k = w.PlayerShot(300, 200, 17, 0);
    Frames(w.g, 1);
    EXPECT_FALSE(w.g.PlayerShotTable[k].Active);
    EXPECT_EQ(e.Hits, 5);
}

TEST(PlayerShotHitsEnemies, ShortRangeEndsShotsWithoutAFlash) {
    ShotWorld w;
    w.g.ShotRangeSetting = 3;
    ShotWorld::OpaqueSprite(w.g.PicChr, 96, 0, 8, 8, 0x00FF00);
    const int k = w.PlayerShot(160, 400, 8, 270);
    Frames(w.g, 3);
    EXPECT_TRUE(w.g.PlayerShotTable[k].Active);
    Frames(w.g, 1);
    EXPECT_FALSE(w.g.PlayerShotTable[k].Active);
    EXPECT_EQ(w.g.PlayerShotCount, 0);
    EXPECT_EQ(w.Lit(0, 0, 479, 479), 0);
}

TEST(PlayerShotHitsEnemies, DestroyingAnEnemy) {
    struct Case {
        const char* what;
        int kind, variant, phase, ship, specialTimer, powerful, hits;
        bool destroyed;
        int counted;
        int32_t score;
    };
    const Case cases[] = {
        {"plain kill counts", 0, 0, 1, 0, 0, 0, 1, true, 1, 250},
        {"two hit points survive one shot", 0, 0, 1, 0, 0, 0, 2, false, 0, 0},
        {"powerful takes two", 0, 0, 1, 1, 0, 64, 2, true, 1, 250},
        {"orbiters are not counted", 5, 0, 1, 0, 0, 0, 1, true, 0, 250},
        {"obstacles are not counted", 18, 0, 1, 0, 0, 0, 1, true, 0, 250},
        {"boss phase does not count", 0, 0, 2, 0, 0, 0, 1, true, 0, 250},
        {"ship 3 during its special pays twice", 0, 0, 1, 3, 5, 0, 1, true, 1, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShotWorld w;
        w.g.StagePhase = static_cast<int16_t>(c.phase);
        w.g.Player.ShipType = static_cast<int16_t>(c.ship);
        w.g.SpecialTimer = static_cast<int16_t>(c.specialTimer);
        w.g.ExtraFlagsA = static_cast<uint8_t>(c.powerful);
        EnemyRecord& e = w.Enemy(3, 160, 200, 32, 32, c.hits, 250, c.kind);
        e.Variant = static_cast<int16_t>(c.variant);
        w.PlayerShot(160, 200);
        Frames(w.g, 1);
        EXPECT_EQ(e.DeathTimer, c.destroyed ? 1 : 0);
        EXPECT_EQ(w.g.EnemiesDestroyed, c.counted);
        EXPECT_EQ(w.g.Score, c.score);
    }
}

TEST(PlayerShotHitsEnemies, CarrierDropsItsItemAndTheHoldingCarrierReleasesTheTimeline) {
    {
        ShotWorld w;
        EnemyRecord& e = w.Enemy(2, 160, 200, 48, 64, 1, 100, 35);
        e.Variant = 1;
        w.PlayerShot(160, 200);
        Frames(w.g, 1);
        EXPECT_EQ(w.g.ItemCount, 1);
        EXPECT_EQ(w.g.ItemTable[0].Kind, 1);
        EXPECT_EQ(w.g.ItemTable[0].Y, 200);
    }
    {
        ShotWorld w;
        w.g.ItemCount = 7;
        for (int i = 0; i < 7; ++i) w.g.ItemTable[i].Active = true;
        w.Enemy(2, 160, 200, 48, 64, 1, 100, 35);
        w.PlayerShot(160, 200);
        Frames(w.g, 1);
        EXPECT_FALSE(w.g.ItemTable[7].Active) << "a full item table drops nothing";
    }
    {
        ShotWorld w;
        w.g.TimelineHold = true;
        w.g.BossMode = 1;
        EnemyRecord& e = w.Enemy(0, 160, 200, 128, 64, 1, 5000, 11);
        e.Variant = 1;
        w.PlayerShot(160, 200);
        Frames(w.g, 1);
        EXPECT_FALSE(w.g.TimelineHold);
        EXPECT_EQ(w.g.BossMode, 0);
    }
}

TEST(PlayerShotCancelsShots, Ship3SpecialShotsDissolveNearbyEnemyShots) {
    ShotWorld w;
    w.g.Player.ShipType = 3;
    w.g.SpecialTimer = 3;
    const int ps = w.PlayerShot(160, 200);
    w.g.PlayerShotTable[ps].Age = 11; // runs out this frame, and still cancels
    const int nearShot = w.Shot(0, 160 + 81, 200 - 81, 3);
    const int farShot = w.Shot(0, 160 + 82, 200, 3);
    const int blast = w.Shot(4, 160, 200, 0);
    const int puff = w.Shot(15, 160, 200, 3);
    Frames(w.g, 1);
    EXPECT_FALSE(w.g.PlayerShotTable[ps].Active);
    EXPECT_EQ(w.g.EnemyShotTable[nearShot].VanishTimer, 1);
    EXPECT_EQ(w.g.EnemyShotTable[farShot].VanishTimer, 0);
    EXPECT_EQ(w.g.EnemyShotTable[blast].VanishTimer, 0);
    EXPECT_EQ(w.g.EnemyShotTable[puff].VanishTimer, 0);
    EXPECT_EQ(w.g.ErasedShots, 1);
    EXPECT_EQ(w.g.SpecialKills, 1);

    w.g.SpecialTimer = 0; // only while the special runs
    w.PlayerShot(242, 200);
    Frames(w.g, 1);
    EXPECT_EQ(w.g.EnemyShotTable[farShot].VanishTimer, 0);
}

struct BossFixture {
    ShotWorld w;
    explicit BossFixture(int phase, BossRecord& (*pick)(Game&)) : boss(pick(w.g)) {
        w.g.StagePhase = static_cast<int16_t>(phase);
        boss.X = 155;
        boss.Y = 120;
        boss.Width = 240;
        boss.Height = 224;
        boss.Active = true;
        boss.Energy = 100;
    }
    BossRecord& boss;
};

BossRecord& StageBoss(Game& g) {
    return g.Boss;
}
BossRecord& ExtraBoss(Game& g) {
    return g.ExtraBoss;
}

TEST(PlayerShotsHitBoss, BoxAndPhase) {
    struct Case {
        int phase;
        bool extra;
        int dx, dy, countdown;
        bool hit;
    };
    // 240 x 224: reach 105 by 98 either way.
    const Case cases[] = {
        {2, false, 104, 97, 0, true}, {2, false, 105, 0, 0, false}, {2, false, 0, -98, 0, false},
        {2, false, 0, 0, 3, false},   {5, false, 0, 0, 0, false},   {5, true, -104, -97, 0, true},
        {2, true, 0, 0, 0, false},    {4, true, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        BossFixture f(c.phase, c.extra ? ExtraBoss : StageBoss);
        f.boss.Countdown = static_cast<int16_t>(c.countdown);
        f.w.g.Picture1.FillBox(330, 370, 449, 401, 0xFFFFFF);
        const int k = f.w.PlayerShot(155 + c.dx, 120 + c.dy);
        f.w.g.PlayerShotsHitBoss();
        f.w.g.PlayerShotsHitExtraBoss();
        EXPECT_EQ(f.boss.Energy, c.hit ? 99 : 100) << c.phase << " " << c.dx << "," << c.dy;
        EXPECT_EQ(f.w.g.PlayerShotTable[k].HitTimer, c.hit ? 1 : 0);
        EXPECT_EQ(f.w.g.Picture1.Pixel(335, 375) == 0, c.hit) << "boss gauge cleared";
    }
}

TEST(PlayerShotsHitBoss, TwoShotsInTheKillingFramePayOnce) {
    BossFixture f(2, StageBoss);
    f.boss.Energy = 2;
    f.w.g.ExtraFlagsA = 64; // powerful: the first shot kills
    const int first = f.w.PlayerShot(150, 120);
    const int second = f.w.PlayerShot(160, 120);
    f.w.g.PlayerShotsHitBoss();
    EXPECT_EQ(f.boss.Energy, 0);
    EXPECT_EQ(f.w.g.PlayerShotTable[first].HitTimer, 1);
    EXPECT_EQ(f.w.g.PlayerShotTable[second].HitTimer, 0);
    EXPECT_EQ(f.w.g.Score, 5000);
}

TEST(BossRamsPlayer, QuarterSizedBodyBox) {
    struct Case {
        int dx, dy, specialShip;
        bool hit;
    };
    // 240 x 224: 60 by 56 either way.
    const Case cases[] = {
        {59, 55, -1, true}, {60, 0, -1, false}, {0, 56, -1, false}, {0, 0, 0, false}, {0, 0, 1, true}};
    for (const Case& c : cases) {
        BossFixture f(2, StageBoss);
        f.w.g.Lives = 3;
        f.w.g.Player.X = static_cast<int16_t>(155 + c.dx);
        f.w.g.Player.Y = static_cast<int16_t>(120 + c.dy);
        if (c.specialShip >= 0) {
            f.w.g.Player.ShipType = static_cast<int16_t>(c.specialShip);
            f.w.g.SpecialTimer = 5;
        }
        f.w.g.BossRamsPlayer();
        EXPECT_EQ(f.w.g.Player.StateTimer, c.hit ? 1 : 0) << c.dx << "," << c.dy;
    }
}

} // namespace
