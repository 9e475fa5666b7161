#include <cmath>
#include <set>
#include <tuple>

#include "EnemyTestSupport.h"

namespace {

// Frame -> moving shots, for `frames` from..to stepping by `step`, each with `count` shots.
std::map<int, int> Volleys(int from, int to, int step, int count) {
    std::map<int, int> m;
    for (int f = from; f <= to; f += step) m[f] = count;
    return m;
}
std::map<int, int> Volleys(std::initializer_list<int> frames, int count) {
    std::map<int, int> m;
    for (int f : frames) m[f] = count;
    return m;
}
std::map<int, int> operator+(std::map<int, int> a, const std::map<int, int>& b) {
    for (const auto& [f, n] : b) a[f] += n;
    return a;
}

struct Fixture {
    explicit Fixture(int difficulty = 1, uint64_t seed = 1) : t(seed) {
        g.Difficulty = static_cast<uint8_t>(difficulty);
        g.Player.X = 160;
        g.Player.Y = 400;
    }
    TestGame t;
    Game& g = t.game;
};

} // namespace

// When each kind fires, and how many moving shots each time (flashes not counted), over its
// first frames. Frame f is the enemy's f-th run of the enemy routine.
TEST(Script, FiringFramesOfEveryStageKind) {
    struct Case {
        const char* what;
        int kind, variant, difficulty, x, y, frames;
        std::map<int, int> expected;
    } cases[] = {
        {"diver: one shot at 20", 0, 0, 1, 160, -16, 40, Volleys({20}, 1)},
        {"looping diver, easy: 5 shots", 1, 0, 0, 160, 60, 30, Volleys(12, 16, 1, 1)},
        {"looping diver, hard: 13 shots", 1, 1, 2, 160, 60, 30, Volleys(8, 20, 1, 1)},
        {"slowing gunship: five-way every 40", 2, 0, 1, 160, -16, 125, Volleys({39, 79, 119}, 5)},
        {"weaver: d + 1 stacked shots at each turn", 3, 0, 1, 160, 0, 85, Volleys({15, 47, 79}, 2)},
        {"charger: homing shot past y 120", 4, 0, 1, 160, 0, 30, Volleys({16}, 1)},
        {"turret: pairs at 21..24, 41..44, 61..64", 7, 0, 1, 160, -32, 100,
         Volleys(21, 24, 1, 2) + Volleys(41, 44, 1, 2) + Volleys(61, 64, 1, 2)},
        {"sweeping gunship, normal", 8, 0, 1, 160, -32, 60,
         Volleys(31, 36, 1, 2) + Volleys(41, 46, 1, 2) + Volleys(51, 56, 1, 2)},
        {"sweeping gunship, easy, with its stream", 8, 0, 0, 160, -32, 80,
         Volleys(31, 34, 1, 2) + Volleys(41, 44, 1, 2) + Volleys(51, 54, 1, 2) + Volleys(61, 64, 1, 2) +
             Volleys(71, 74, 1, 2) + Volleys(70, 77, 1, 4)},
        {"hunter, normal: stream only", 9, 0, 1, 160, -16, 95, Volleys(60, 90, 1, 4)},
        {"hunter, hard: shots while hunting", 9, 0, 2, 160, -16, 85,
         Volleys(0, 30, 5, 1) + Volleys(50, 80, 1, 4)},
        {"curving diver: aimed and homing", 13, 0, 1, 120, -16, 60, Volleys({30, 50}, 1)},
        {"curving diver, fast variant: silent", 13, 2, 1, 160, -16, 35, {}},
        {"rising turner: pairs every 15", 14, 0, 1, 60, 496, 50, Volleys(0, 45, 15, 2)},
        {"stopping diver, easy", 15, 0, 0, 160, -16, 60, Volleys({30, 45}, 3)},
        {"stopping diver, normal", 15, 1, 1, 160, -16, 60, Volleys({35, 50}, 3)},
        {"stopping diver, hard", 15, 2, 2, 160, -16, 60, Volleys({25, 40}, 3)},
        {"gun pod, X pattern", 16, 4, 1, 160, 100, 45, Volleys({0, 20, 40}, 4)},
        {"gun pod below y 440: silent", 16, 4, 1, 160, 440, 25, {}},
        {"gun pod, bar of four", 16, 3, 2, 160, 100, 45, Volleys({0, 20, 40}, 4)},
        {"gun pod, rotating stream, easy", 16, 5, 0, 160, 100, 45,
         Volleys(0, 17, 1, 1) + Volleys(40, 44, 1, 1)},
        {"gun platform, spray and fans", 17, 0, 1, 160, -16, 75,
         Volleys(26, 50, 2, 1) + Volleys({60}, 5) + Volleys({70}, 2)},
        {"gun platform, sweep", 17, 1, 1, 160, -16, 90, Volleys(26, 85, 1, 1)},
        {"twin-cannon ship", 20, 0, 1, 160, -40, 101, Volleys(32, 70, 2, 2) + Volleys({95, 100}, 30)},
    };
    for (const Case& c : cases) {
        Fixture f(c.difficulty);
        const int slot = PlaceEnemy(f.g, c.kind, c.variant, c.x, c.y);
        const auto log = RunEnemyFrames(f.g, c.frames);
        EXPECT_EQ(ShotFrames(log), c.expected) << c.what;
        EXPECT_TRUE(f.g.EnemyTable[slot].Active) << c.what << ": left the field during the test";
    }
}

// The shape of one volley: heading, speed and kind of each shot that can hurt, with the ship
// straight below the enemy so that aimed shots head 90.
TEST(Script, VolleyShapes) {
    using Shot = std::tuple<int, int, int>; // heading, speed, kind
    std::multiset<Shot> crossingFans;
    for (int m = 0; m < 15; ++m) {
        crossingFans.insert({90 - 5 * (m + 1), 12 - m / 2, 0});
        crossingFans.insert({90 + 5 * (m + 1), 12 - m / 2, 0});
    }
    struct Case {
        const char* what;
        int kind, variant, difficulty, frame;
        std::multiset<Shot> expected;
    } cases[] = {
        {"gunship five-way", 2, 0, 1, 39, {{60, 8, 0}, {75, 8, 0}, {90, 8, 0}, {105, 8, 0}, {120, 8, 0}}},
        {"turret, first pair", 7, 0, 1, 21, {{90, 11, 0}, {90, 11, 0}}},
        {"turret, last pair", 7, 0, 2, 64, {{90, 6, 0}, {90, 6, 0}}},
        {"sweeping guns", 8, 0, 1, 33, {{50, 10, 0}, {110, 10, 0}}},
        {"hunter, hard", 9, 0, 2, 5, {{90, 8, 0}}},
        {"curving diver, homing", 13, 1, 2, 50, {{90, 7, 1}}},
        {"rising turner", 14, 1, 1, 15, {{95, 8, 0}, {85, 8, 0}}},
        {"stopping diver", 15, 1, 1, 35, {{98, 8, 0}, {90, 8, 0}, {82, 8, 0}}},
        {"gun pod bar", 16, 3, 2, 20, {{90, 10, 2}, {90, 10, 2}, {90, 10, 2}, {90, 10, 2}}},
        {"gun pod X", 16, 4, 1, 20, {{45, 10, 0}, {135, 10, 0}, {225, 10, 0}, {315, 10, 0}}},
        {"gun pod rotating, hard", 16, 5, 2, 7, {{70, 12, 0}}},
        {"gun platform sweep", 17, 1, 0, 40, {{45, 8, 0}}},
        {"twin cannons crossing fans", 20, 1, 1, 95, crossingFans},
    };
    for (const Case& c : cases) {
        Fixture f(c.difficulty);
        PlaceEnemy(f.g, c.kind, c.variant, 160, c.kind == 14 ? 496 : -16);
        const auto log = RunEnemyFrames(f.g, c.frame + 1);
        std::multiset<Shot> got;
        for (const EnemyShotRecord& s : log[c.frame])
            if (!IsFlash(s) && !IsPuff(s)) got.insert({s.Heading, s.Speed, s.Kind});
        EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST(Script, DiverMovesAtSixFromItsFirstFrame) {
    Fixture f;
    const int slot = PlaceEnemy(f.g, 0, 0, 160, 0);
    f.g.UpdateEnemies();
    EXPECT_EQ(f.g.EnemyTable[slot].Y, 6);
}

TEST(Script, SlowingGunshipHaltsThenBacksAwayFaster) {
    Fixture f;
    const int slot = PlaceEnemy(f.g, 2, 0, 160, -16);
    const EnemyRecord& e = f.g.EnemyTable[slot];
    int lowest = -100;
    for (int frame = 0; frame < 200; ++frame) {
        f.g.UpdateEnemies();
        TakeShots(f.g);
        if (e.Timer == 120) {
            EXPECT_EQ(e.Speed, 0);
        }
        lowest = std::max<int>(lowest, e.Y);
    }
    EXPECT_EQ(lowest, 398);
    EXPECT_EQ(e.Speed, -4);
    EXPECT_LT(e.Y, lowest);
}

TEST(Script, WeaverVariantsTurnOppositeWaysAndOddOnesAreFaster) {
    struct Case {
        int variant, heading, speed;
    } cases[] = {{0, 94, 4}, {1, 86, 4}, {2, 94, 5}, {3, 86, 5}};
    for (const Case& c : cases) {
        Fixture f;
        const int slot = PlaceEnemy(f.g, 3, c.variant, 160, 0);
        f.g.UpdateEnemies();
        EXPECT_EQ(f.g.EnemyTable[slot].Heading, c.heading) << c.variant;
        EXPECT_EQ(f.g.EnemyTable[slot].Speed, c.speed) << c.variant;
    }
    // No volley once low on the field.
    Fixture low;
    PlaceEnemy(low.g, 3, 0, 160, 400);
    EXPECT_TRUE(ShotFrames(RunEnemyFrames(low.g, 20)).empty());
}

TEST(Script, ChargerTurnsOnTheShipOnce) {
    Fixture f(2);
    f.g.Player.X = 300;
    const int slot = PlaceEnemy(f.g, 4, 0, 100, 0);
    const auto log = RunEnemyFrames(f.g, 30);
    const EnemyRecord& e = f.g.EnemyTable[slot];
    ASSERT_EQ(log[16].size(), 1u);
    EXPECT_EQ(log[16][0].Kind, 1);
    EXPECT_EQ(log[16][0].Speed, 7);
    EXPECT_EQ(e.Speed, 12);
    EXPECT_EQ(e.Heading, log[16][0].Heading);
    EXPECT_EQ(e.Timer, 3);
}

TEST(Script, CarrierDropsMinesFollowsTheShipAndLeavesAfterThreeCycles) {
    for (int variant : {0, 1}) {
        Fixture f(1);
        f.g.Player.X = 60;
        const int slot = PlaceEnemy(f.g, 11, variant, 160, -32);
        const EnemyRecord& e = f.g.EnemyTable[slot];
        EXPECT_EQ(f.g.TimelineHold, variant == 1);
        std::vector<int> mineFrames;
        int leftAt = -1;
        for (int frame = 0; frame < 900 && leftAt < 0; ++frame) {
            const int before = f.g.EnemyCount;
            f.g.UpdateEnemies();
            TakeShots(f.g);
            if (frame < 100 && f.g.EnemyCount > before) mineFrames.push_back(frame);
            // Keep only the carrier: the mines would otherwise fill the table.
            for (int i = 0; i < 16; ++i) {
                if (i != slot && f.g.EnemyTable[i].Active) {
                    EXPECT_EQ(f.g.EnemyTable[i].Kind, 6);
                    EXPECT_EQ(f.g.EnemyTable[i].Points, 100);
                    f.g.EnemyTable[i].Active = false;
                    f.g.EnemyCount -= 1;
                }
            }
            if (frame == 120) {
                EXPECT_EQ(e.Heading, 180) << "follows the ship to the left";
            }
            if (e.Heading == 270 && leftAt < 0) leftAt = frame;
        }
        EXPECT_EQ(mineFrames, (std::vector<int>{40, 60})) << variant;
        EXPECT_EQ(leftAt, 229 + 2 * 210) << "three cycles of 210 frames";
        EXPECT_EQ(e.Timer, 231);
        EXPECT_FALSE(f.g.TimelineHold);
        EXPECT_EQ(f.g.BossMode, 0);
    }
}

TEST(Script, StoppingDiverTurnsAwayInOneOfThreeDirections) {
    std::set<int> finals;
    for (uint64_t seed = 1; seed <= 40 && finals.size() < 3; ++seed) {
        Fixture f(1, seed);
        const int slot = PlaceEnemy(f.g, 15, 1, 160, -16);
        RunEnemyFrames(f.g, 80);
        const int h = f.g.EnemyTable[slot].Heading;
        EXPECT_TRUE(h == 0 || h == 90 || h == 180) << h;
        finals.insert(h);
    }
    EXPECT_EQ(finals, (std::set<int>{0, 90, 180}));
}

TEST(Script, HeavyPlatformJumpsToItsFanPhaseWhenItFindsTheShip) {
    Fixture f(1);
    f.g.Player.X = 200;
    const int slot = PlaceEnemy(f.g, 19, 0, 150, -48);
    const EnemyRecord& e = f.g.EnemyTable[slot];
    int reached = -1;
    for (int frame = 0; frame < 100 && reached < 0; ++frame) {
        f.g.UpdateEnemies();
        TakeShots(f.g);
        if (e.Timer == 201) reached = frame;
    }
    // Slides right at 2 from frame 36 until within 16 of the ship's column.
    EXPECT_EQ(reached, 54);
    EXPECT_EQ(e.Speed, 0);
    EXPECT_LT(std::abs(e.X - 200), 16);
    // Then fans of ten, straight down, every tenth frame.
    const auto log = RunEnemyFrames(f.g, 10);
    EXPECT_EQ(CountMoving(log[9]), 10);
}

TEST(Script, TwinCannonShipMovesToItsStation) {
    struct Case {
        int variant, x, y;
    } cases[] = {{0, 50, 60}, {1, 160, 240}, {2, 270, 60}};
    for (const Case& c : cases) {
        Fixture f(1);
        const int slot = PlaceEnemy(f.g, 20, c.variant, 160, -40);
        RunEnemyFrames(f.g, 91);
        const EnemyRecord& e = f.g.EnemyTable[slot];
        EXPECT_EQ(e.Speed, 0);
        EXPECT_LE(std::abs(e.X - c.x), 12) << c.variant << ": " << e.X;
        EXPECT_LE(std::abs(e.Y - c.y), 12) << c.variant << ": " << e.Y;
    }
}
