#include <gtest/gtest.h>

#include "ShotWorld.h"

namespace {

// Ship at (160, 400); ship 1's blast was set off at (100, 300) and the ship has moved on.
struct SpecialCase {
    const char* what;
    int ship, timer, energy, dx, dy; // enemy or shot position relative to the ship (ship 1: to the blast)
    bool reached;
};

void ArmSpecial(ShotWorld& w, const SpecialCase& c) {
    w.g.Player.ShipType = static_cast<int16_t>(c.ship);
    w.g.SpecialTimer = static_cast<int16_t>(c.timer);
    w.g.Player.Energy = static_cast<int16_t>(c.energy);
    w.g.SpecialX = 100;
    w.g.SpecialY = 300;
}

int OriginX(const ShotWorld& w) {
    return w.g.Player.ShipType == 1 ? w.g.SpecialX : w.g.Player.X;
}
int OriginY(const ShotWorld& w) {
    return w.g.Player.ShipType == 1 ? w.g.SpecialY : w.g.Player.Y;
}

const SpecialCase kAreaCases[] = {
    {"ship 0 charging", 0, 20, 100, 0, -20, false},
    {"ship 0 beam box", 0, 21, 100, 0, -20, true},
    {"ship 0 box corner", 0, 30, 100, 39, -58, true},
    {"ship 0 box bottom edge", 0, 30, 100, 0, 20, false},
    {"ship 0 box side", 0, 30, 100, 35, -50, true},
    {"ship 0 beside the column", 0, 30, 100, 35, -60, false},
    {"ship 0 column far up", 0, 30, 100, 29, -390, true},
    {"ship 0 column edge", 0, 30, 100, 30, -390, false},
    {"ship 1 blast", 1, 1, 50, 59, -59, true},
    {"ship 1 blast edge", 1, 1, 50, 60, 0, false},
    {"ship 3", 3, 5, 50, 0, 0, false},
};

TEST(SpecialHitsEnemies, AreasByShip) {
    for (const SpecialCase& c : kAreaCases) {
        SCOPED_TRACE(c.what);
        ShotWorld w;
        ArmSpecial(w, c);
        EnemyRecord& e = w.Enemy(4, OriginX(w) + c.dx, OriginY(w) + c.dy, 32, 32, 10);
        w.g.SpecialHitsEnemies();
        EXPECT_EQ(e.Hits, c.reached ? 8 : 10);
    }
    // Ship 2's aura only cancels shots.
    ShotWorld w;
    ArmSpecial(w, {"", 2, 20, 50, 0, 0, false});
    EnemyRecord& e = w.Enemy(0, 160, 400, 32, 32, 10);
    w.g.SpecialHitsEnemies();
    EXPECT_EQ(e.Hits, 10);
}

TEST(SpecialHitsEnemies, KillsPayDoubleOnceWithTheUsualConsequences) {
    for (int ship : {0, 1}) {
        ShotWorld w;
        w.g.Player.ShipType = static_cast<int16_t>(ship);
        w.g.SpecialTimer = 30;
        w.g.SpecialX = 160;
        w.g.SpecialY = 300;
        w.g.ExtraFlagsA = 64; // powerful: 4 a frame
        EnemyRecord& tough = w.Enemy(0, 160, 300, 32, 32, 5, 150);
        EnemyRecord& weak = w.Enemy(1, 165, 310, 32, 32, 4, 150, 35);
        w.g.SpecialHitsEnemies();
        EXPECT_EQ(tough.Hits, 1);
        EXPECT_EQ(tough.DeathTimer, 0);
        EXPECT_EQ(weak.DeathTimer, 1);
        EXPECT_EQ(w.g.EnemiesDestroyed, 1);
        EXPECT_EQ(w.g.ItemCount, 1) << "the carrier drops its item";
        EXPECT_EQ(w.g.Score, 300);
    }
}

TEST(SpecialCancelsShots, AreasByShip) {
    const SpecialCase cases[] = {
        {"ship 0 beam", 0, 21, 100, 0, -300, true},
        {"ship 1 blast, wherever the ship is", 1, 23, 50, -59, 59, true},
        {"ship 2 from frame 11", 2, 11, 11, 31, -31, true},
        {"ship 2 before frame 11", 2, 10, 40, 0, 0, false},
        {"ship 2 low on energy", 2, 30, 10, 0, 0, false},
        {"ship 2 edge", 2, 30, 40, 32, 0, false},
        {"ship 3 works through its shots", 3, 5, 40, 0, 0, false},
    };
    for (const SpecialCase& c : cases) {
        SCOPED_TRACE(c.what);
        ShotWorld w;
        ArmSpecial(w, c);
        const int shot = w.Shot(2, OriginX(w) + c.dx, OriginY(w) + c.dy, 5);
        const int blast = w.Shot(4, OriginX(w) + c.dx, OriginY(w) + c.dy, 0);
        const int puff = w.Shot(15, OriginX(w) + c.dx, OriginY(w) + c.dy, 2);
        w.g.SpecialCancelsShots();
        EXPECT_EQ(w.g.EnemyShotTable[shot].VanishTimer, c.reached ? 1 : 0);
        EXPECT_EQ(w.g.EnemyShotTable[blast].VanishTimer, 0);
        EXPECT_EQ(w.g.EnemyShotTable[puff].VanishTimer, 0);
        EXPECT_EQ(w.g.ErasedShots, c.reached ? 1 : 0);
        EXPECT_EQ(w.g.SpecialKills, c.reached ? 1 : 0);
    }
}

TEST(SpecialHitsBoss, AreasTimingAndTheKill) {
    struct Case {
        const char* what;
        int ship, timer, phase;
        bool extra;
        int bx, by, countdown;
        bool active, reached;
    };
    // Ship at (160, 400); ship 1's blast at (100, 300); the boss is 96 x 80.
    const Case cases[] = {
        {"ship 0 box", 0, 21, 2, false, 229, 331, 0, true, true},
        {"ship 0 box edge", 0, 21, 2, false, 230, 380, 0, true, false},
        {"ship 0 column", 0, 40, 2, false, 101, 60, 0, true, true},
        {"ship 0 column edge", 0, 40, 2, false, 220, 60, 0, true, false},
        {"ship 0 charging", 0, 20, 2, false, 160, 380, 0, true, false},
        {"ship 1 blast reaches by the boss's size", 1, 21, 2, false, 100 + 107, 300 - 99, 0, true, true},
        {"ship 1 blast edge", 1, 23, 2, false, 100 + 108, 300, 0, true, false},
        {"ship 1 early frames", 1, 20, 2, false, 100, 300, 0, true, false},
        {"extra boss", 0, 30, 5, true, 160, 380, 0, true, true},
        {"wrong phase", 0, 30, 4, true, 160, 380, 0, true, false},
        {"entering", 0, 30, 2, false, 160, 380, 12, false, false},
        {"dying", 0, 30, 2, false, 160, 380, 12, true, false},
        {"ship 2", 2, 30, 2, false, 160, 380, 0, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShotWorld w;
        w.g.Player.ShipType = static_cast<int16_t>(c.ship);
        w.g.Player.Energy = 50;
        w.g.SpecialTimer = static_cast<int16_t>(c.timer);
        w.g.SpecialX = 100;
        w.g.SpecialY = 300;
        w.g.StagePhase = static_cast<int16_t>(c.phase);
        BossRecord& b = c.extra ? w.g.ExtraBoss : w.g.Boss;
        b.X = static_cast<int16_t>(c.bx);
        b.Y = static_cast<int16_t>(c.by);
        b.Width = 96;
        b.Height = 80;
        b.Countdown = static_cast<int16_t>(c.countdown);
        b.Active = c.active;
        b.Energy = 50;
        w.g.SpecialHitsBoss();
        w.g.SpecialHitsExtraBoss();
        EXPECT_EQ(b.Energy, c.reached ? 48 : 50);
    }

    ShotWorld w;
    w.g.StagePhase = 2;
    w.g.SpecialTimer = 30;
    w.g.ExtraFlagsA = 64;
    w.g.Boss = BossRecord{160, 300, 0, 0, 96, 80, 0, 0, 0, 0, 4, true};
    w.g.SpecialHitsBoss();
    EXPECT_EQ(w.g.Boss.Energy, 0);
    EXPECT_EQ(w.g.Score, 10000);
}

TEST(EraseSpecial, PaintsLastFramesShapesBlack) {
    struct Case {
        const char* what;
        int ship, timer;
        int litX, litY;     // a point the shape covered: now black
        int clearX, clearY; // a point just outside it: left alone
    };
    // Ship at (160, 400); ship 1's blast at (100, 300).
    const Case cases[] = {
        {"ship 0 charging: shrinking ring", 0, 5, 160 + 30, 400, 160 + 31, 400},
        {"ship 0 charging: growing disc", 0, 5, 160, 360 - 10, 160, 360 - 11},
        {"ship 0 beam column", 0, 30, 160 + 30, 0, 160 + 31, 0},
        {"ship 0 beam head", 0, 30, 160 + 40, 360, 160 + 41, 360},
        {"ship 0 narrowing column", 0, 57, 160 + 16, 10, 160 + 17, 10},
        {"ship 1 blast", 1, 10, 100 - 60, 300, 100 - 61, 300},
        {"ship 2 aura", 2, 11, 160, 400 + 40, 160, 400 + 41},
        {"ship 2 before its aura", 2, 10, 0, 0, 160, 400},
        {"ship 3 has no shapes", 3, 10, 0, 0, 160, 400},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ShotWorld w;
        w.g.Player.ShipType = static_cast<int16_t>(c.ship);
        w.g.SpecialTimer = static_cast<int16_t>(c.timer);
        w.g.SpecialX = 100;
        w.g.SpecialY = 300;
        w.g.Picture1.SetBackColour(0xFFFFFF);
        w.g.Picture1.SetPixel(0, 0, 0);
        w.g.EraseSpecial();
        EXPECT_EQ(w.g.Picture1.Pixel(c.litX, c.litY), 0u);
        EXPECT_NE(w.g.Picture1.Pixel(c.clearX, c.clearY), 0u);
    }
}

} // namespace
