#include <cmath>

#include "EnemyTestSupport.h"

namespace {

struct Fixture {
    explicit Fixture(int difficulty = 1) {
        g.Difficulty = static_cast<uint8_t>(difficulty);
        g.Player.X = 160;
        g.Player.Y = 400;
    }
    TestGame t;
    Game& g = t.game;
};

// The four escort pods as the last stage's boss sets them up, with the given program clock.
void PlaceEscortPods(Game& g, int timer, int count = 4) {
    const int xs[4] = {100, 220, 40, 280};
    for (int s = 0; s < count; ++s) PlaceChild(g, s, 31 + s, xs[s], -40, 0, 0, timer, 150, 48, 64);
}

int Dist(int x1, int y1, int x2, int y2) {
    return static_cast<int>(std::lround(std::hypot(x2 - x1, y2 - y1)));
}

} // namespace

TEST(Minion, OrbiterCirclesUntilLaunchedOrDamaged) {
    Fixture f;
    EnemyRecord& orb = PlaceChild(f.g, 2, 5, 160, 100, 0, 0, 0, 200);
    RunEnemyFrames(f.g, 40); // half a turn of a circle of radius 60
    EXPECT_NEAR(orb.X, 40, 2);
    EXPECT_NEAR(orb.Y, 100, 6);
    EXPECT_EQ(orb.Points, 1000);

    // The boss ends the circling with 80 + slot; the dash comes at 90, aimed at the ship.
    orb.Timer = 82;
    const auto log = RunEnemyFrames(f.g, 9);
    EXPECT_EQ(orb.Speed, 12);
    EXPECT_EQ(orb.Heading, f.g.Search_R(2));
    EXPECT_TRUE(ShotFrames(log).empty());

    // Damaged while dashing: keeps its course.
    orb.Hits = 50;
    const int y = orb.Y;
    f.g.UpdateEnemies();
    EXPECT_EQ(orb.Timer, 80);
    EXPECT_GT(orb.Y, y);

    // Damaged while circling: stops where it is.
    Fixture g2;
    // (The hit lands after its frame's step, so it makes one more step first.)
    EnemyRecord& still = PlaceChild(g2.g, 0, 5, 160, 100, 0, 0, 30, 99);
    g2.g.UpdateEnemies();
    const int x = still.X, y2 = still.Y;
    RunEnemyFrames(g2.g, 20);
    EXPECT_EQ(still.X, x);
    EXPECT_EQ(still.Y, y2);
    EXPECT_EQ(still.Timer, 80);
}

TEST(Minion, OrbiterAndMissileBurstWhereTheirNextStepLeavesTheField) {
    struct Case {
        int kind, difficulty, slowest;
    } cases[] = {{5, 0, 2}, {5, 2, 2}, {12, 1, 3}};
    for (const Case& c : cases) {
        Fixture f(c.difficulty);
        f.g.Player.X = 160;
        f.g.Player.Y = 100;
        EnemyRecord& e = PlaceChild(f.g, 0, c.kind, 160, 400, 90, 16, 91, 200);
        const auto log = RunEnemyFrames(f.g, 8);
        // 400 + 16 x 5 = 480, and the step from there would leave.
        for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(CountMoving(log[frame]), 0) << frame;
        int burst = 0, puffs = 0;
        for (const EnemyShotRecord& s : log[5]) {
            puffs += IsPuff(s) ? 1 : 0;
            if (s.Kind != 0) continue; // puffs, and the parting shot on hard
            ++burst;
            EXPECT_TRUE(s.Heading >= 270 - 60 && s.Heading <= 270 + 60) << s.Heading;
            EXPECT_TRUE(s.Speed >= c.slowest && s.Speed <= c.slowest + 6) << s.Speed;
        }
        EXPECT_EQ(burst, 6 + c.difficulty) << c.kind;
        EXPECT_EQ(puffs, 3) << "the explosion starts in the same frame";
        EXPECT_EQ(e.Y, 480);
    }
}

TEST(Minion, MineFallsFasterAndRingsTheShipOnlyWhenClose) {
    Fixture f(2);
    f.g.SpawnEnemy(100, 0, 8, 6);
    const EnemyRecord& mine = f.g.EnemyTable[0];
    const auto far = RunEnemyFrames(f.g, 30);
    EXPECT_TRUE(ShotFrames(far).empty());
    for (const auto& frame : far) EXPECT_EQ(frame.size(), 1u) << "one exhaust flash a frame";
    EXPECT_EQ(mine.Speed, 18); // 8, then +1 a frame from frame 20

    Fixture near(2);
    near.g.SpawnEnemy(160, 330, 8, 6);
    const auto log = RunEnemyFrames(near.g, 1);
    std::vector<EnemyShotRecord> ring;
    for (const EnemyShotRecord& s : log[0])
        if (s.Kind == 1) ring.push_back(s);
    ASSERT_EQ(ring.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(ring[i].Kind, 1);
        EXPECT_EQ(ring[i].Heading, 40 * i);
        EXPECT_EQ(ring[i].Speed, 10);
        EXPECT_EQ(Dist(160, 330, ring[i].X, ring[i].Y), 16);
    }
    EXPECT_FALSE(near.g.EnemyTable[0].DeathTimer == 0);
}

TEST(Minion, TimeBombsBlastWhenTheirFuseRunsOut) {
    for (int kind : {21, 22}) {
        Fixture f;
        f.g.SpawnEnemy(160, 20, 10, kind);
        const auto log = RunEnemyFrames(f.g, 40);
        int blastAt = -1;
        for (size_t frame = 0; frame < log.size(); ++frame)
            for (const EnemyShotRecord& s : log[frame])
                if (s.Kind == 4) blastAt = static_cast<int>(frame);
        EXPECT_EQ(blastAt, 15 * (kind - 20));
        EXPECT_EQ(f.g.EnemyTable[0].Points, 100);
    }
}

TEST(Minion, ChaserHuntsShootsCloseByShakesAndBursts) {
    Fixture f(1);
    EnemyRecord& near = PlaceChild(f.g, 0, 10, 160, 350, 0, 0, 0, 20);
    const auto log = RunEnemyFrames(f.g, 101);
    std::map<int, int> expected;
    for (int frame = 0; frame < 90; frame += 5) expected[frame] = 1;
    expected[100] = 12;
    EXPECT_EQ(ShotFrames(log), expected);
    EXPECT_EQ(near.Points, 300);

    Fixture g2;
    EnemyRecord& hunter = PlaceChild(g2.g, 0, 10, 40, 100, 0, 0, 0, 20);
    RunEnemyFrames(g2.g, 10);
    EXPECT_EQ(hunter.Speed, 4);
    EXPECT_LT(Dist(hunter.X, hunter.Y, 160, 400), Dist(40, 100, 160, 400) - 35);
    hunter.Timer = 90;
    std::vector<int> ys;
    for (int frame = 0; frame < 6; ++frame) {
        g2.g.UpdateEnemies();
        ys.push_back(hunter.Y);
    }
    EXPECT_EQ(ys[1] - ys[0], -8) << "shakes up and down";
    EXPECT_EQ(ys[2] - ys[1], 8);
}

TEST(EscortPods, ProgramADropsThePodsInOneAfterAnother) {
    Fixture f;
    PlaceEscortPods(f.g, 0);
    RunEnemyFrames(f.g, 21);
    const int afterTwo[4] = {40, 40, -40, -40};
    for (int s = 0; s < 4; ++s) EXPECT_EQ(f.g.EnemyTable[s].Y, afterTwo[s]) << s;
    RunEnemyFrames(f.g, 30);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(f.g.EnemyTable[s].Y, 40) << s;
        EXPECT_EQ(f.g.EnemyTable[s].Speed, 0);
        EXPECT_EQ(f.g.EnemyTable[s].Points, 3000);
    }
}

TEST(EscortPods, ProgramAFormsALinkedPentagon) {
    Fixture f;
    PlaceEscortPods(f.g, 551);
    f.g.Boss.X = 160;
    f.g.Boss.Y = 120;
    std::vector<int> firstLink(4, -1);
    for (int frame = 0; frame < 100; ++frame) {
        f.g.UpdateEnemies();
        for (const EnemyShotRecord& s : TakeShots(f.g)) {
            if (s.Kind != 5) continue;
            for (int p = 0; p < 4; ++p)
                if (firstLink[p] < 0 && s.X == f.g.EnemyTable[p].X) firstLink[p] = 551 + frame;
        }
        if (frame == 0) {
            for (int s = 0; s < 4; ++s)
                EXPECT_EQ(Dist(f.g.EnemyTable[s].X, f.g.EnemyTable[s].Y, 160, 240), 120) << s;
        }
    }
    EXPECT_EQ(firstLink, (std::vector<int>{591, 611, 631, 571})) << "links appear in the order 3, 0, 1, 2";
}

TEST(EscortPods, EachProgramLoops) {
    struct Case {
        int last, next;
    } cases[] = {{780, 100}, {1649, 1051}, {2700, 2101}, {3600, 3100}, {5000, 5001}, {5001, 5001}};
    for (const Case& c : cases) {
        Fixture f;
        PlaceEscortPods(f.g, c.last, 1);
        f.g.EnemyTable[0].Y = 100;
        f.g.UpdateEnemies();
        EXPECT_EQ(f.g.EnemyTable[0].Timer, c.next) << c.last;
    }
}

TEST(EscortPods, NewProgramsMoveOnlyPodsNearTheField) {
    struct Case {
        int timer, x, y;
        bool moves;
    } cases[] = {
        {1001, 100, 100, true},  {1001, 100, 520, false}, {1001, 400, 100, true}, // B ignores x
        {2001, 400, 100, false}, {2001, 100, -39, true},  {3001, -40, 100, false},
    };
    for (const Case& c : cases) {
        Fixture f;
        PlaceEscortPods(f.g, c.timer, 1);
        EnemyRecord& pod = f.g.EnemyTable[0];
        pod.X = static_cast<int16_t>(c.x);
        pod.Y = static_cast<int16_t>(c.y);
        pod.Speed = 5;
        f.g.UpdateEnemies();
        EXPECT_EQ(pod.Speed != 0, c.moves) << c.timer << " at " << c.x << "," << c.y;
    }
    // Program B's first move: to (40 + 60 s, -60) in 20 frames.
    Fixture f;
    PlaceEscortPods(f.g, 1001, 2);
    f.g.EnemyTable[1].Y = 100;
    f.g.UpdateEnemies();
    const EnemyRecord& pod1 = f.g.EnemyTable[1];
    EXPECT_EQ(pod1.Speed, Dist(220, 100, 100, -60) / 20);
    EXPECT_EQ(pod1.Heading, f.g.Search_RINV(100, -60, 220, 100));
}

TEST(EscortPods, ProgramBOpensBeamsFromTheFrontPods) {
    Fixture f;
    PlaceEscortPods(f.g, 1141, 3);
    f.g.UpdateEnemies();
    ASSERT_EQ(f.g.BeamCount, 2);
    for (int b = 0; b < 2; ++b) {
        const BeamRecord& beam = f.g.BeamTable[b];
        EXPECT_EQ(beam.Owner, b);
        EXPECT_EQ(beam.OffsetY, 24);
        EXPECT_EQ(beam.Radius, 20);
        EXPECT_EQ(beam.ChargeTime, 10);
        EXPECT_EQ(beam.Duration, 90);
    }
}

TEST(EscortPods, ExitProgramFliesOffAndIsRemoved) {
    Fixture f;
    PlaceEscortPods(f.g, 4001, 2);
    f.g.EnemyTable[0].X = 100;
    f.g.EnemyTable[0].Y = 100;
    f.g.EnemyTable[1].X = 400; // outside: keeps its motion, here none, and stays
    f.g.EnemyTable[1].Y = 100;
    RunEnemyFrames(f.g, 40);
    EXPECT_FALSE(f.g.EnemyTable[0].Active);
    EXPECT_TRUE(f.g.EnemyTable[1].Active);
    EXPECT_EQ(f.g.EnemyCount, 1);
}

TEST(EscortPods, APodBeyondTheFourFormationSlotsIsHarmless) {
    Fixture f;
    PlaceChild(f.g, 9, 32, 160, -40, 0, 0, 0, 150, 48, 64);
    f.g.Boss.X = 160;
    f.g.Boss.Y = 120;
    for (int timer : {0, 1001, 2001, 3001, 4001}) {
        f.g.EnemyTable[9].Timer = static_cast<int16_t>(timer);
        f.g.EnemyTable[9].Active = true;
        for (int frame = 0; frame < 800; ++frame) {
            f.g.UpdateEnemies();
            TakeShots(f.g);
        }
    }
    SUCCEED();
}

TEST(Minion, ChildrenScoreTheirFixedValueWhateverTheSlotHeld) {
    struct Case {
        int kind, points;
    } cases[] = {{5, 1000}, {6, 100}, {10, 300}, {12, 1000}, {21, 100}, {22, 100}, {31, 3000}, {34, 3000}};
    for (const Case& c : cases) {
        Fixture f;
        EnemyRecord& e = PlaceChild(f.g, 0, c.kind, 160, 100, 90, 0, 0, 50);
        e.Points = 12345; // left by an earlier occupant
        f.g.UpdateEnemies();
        EXPECT_EQ(e.Points, c.points) << c.kind;
    }
}
