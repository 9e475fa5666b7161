#include <tuple>

#include "PlayerTestSetup.h"

namespace {

constexpr int kFire = 90;

struct Shot {
    int kind, x, y, speed, heading;
    bool operator==(const Shot&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shot& s) {
    return out << "{kind " << s.kind << " at " << s.x << "," << s.y << " speed " << s.speed << " heading "
               << s.heading << "}";
}

std::vector<Shot> Fired(const Game& g) {
    std::vector<Shot> shots;
    for (const PlayerShotRecord& s : LivePlayerShots(g)) {
        EXPECT_EQ(s.Age, 0);
        EXPECT_EQ(s.HitTimer, 0);
        shots.push_back({s.Kind, s.X, s.Y, s.Speed, s.Heading});
    }
    return shots;
}

} // namespace

TEST(Volleys, KindsPositionsHeadingsPerShipPowerAndCounter) {
    struct Case {
        int type, power, counter;
        std::vector<Shot> want;
    };
    // The ship is at (160, 300).
    const Case cases[] = {
        {0, 0, 1, {{2, 160, 284, 32, 270}}},
        {0, 1, 7, {{2, 152, 284, 32, 270}, {2, 168, 284, 32, 270}}},
        {0,
         2,
         3,
         {{2, 152, 284, 32, 270}, {2, 168, 284, 32, 270}, {1, 152, 286, 32, 255}, {3, 168, 286, 32, 285}}},
        {0,
         3,
         5,
         {{2, 152, 284, 32, 270},
          {2, 168, 284, 32, 270},
          {1, 152, 288, 32, 255},
          {3, 168, 288, 32, 285},
          {0, 152, 292, 32, 240},
          {4, 168, 292, 32, 300}}},
        {1, 0, 1, {{0, 160, 292, 32, 270}, {0, 160, 284, 32, 270}}},
        {1,
         3,
         9,
         {{0, 160, 292, 32, 270},
          {0, 160, 284, 32, 270},
          {0, 160, 276, 32, 270},
          {0, 160, 268, 32, 270},
          {0, 160, 260, 32, 270}}},
        {2, 0, 1, {{0, 152, 284, 32, 270}, {0, 168, 284, 32, 270}}},
        {2,
         1,
         1,
         {{0, 152, 284, 32, 270}, {0, 168, 284, 32, 270}, {0, 160, 285, 32, 267}, {0, 160, 285, 32, 273}}},
        {2,
         3,
         13,
         {{0, 152, 284, 32, 270},
          {0, 168, 284, 32, 270},
          {0, 160, 297, 32, 231},
          {0, 160, 297, 32, 309},
          {0, 160, 297, 32, 186},
          {0, 160, 297, 32, 354},
          {0, 160, 297, 32, 141},
          {0, 160, 297, 32, 399}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "ship " << c.type << " power " << c.power << " counter " << c.counter);
        TestGame t;
        Game& g = t.game;
        g.FireVolley(c.type, c.power, 160, 300, c.counter);
        EXPECT_EQ(Fired(g), c.want);
        EXPECT_EQ(g.PlayerShotCount, static_cast<int>(c.want.size()));
    }
}

TEST(Volleys, ShipThreeSpraysShortRandomShots) {
    TestGame t(11);
    Game& g = t.game;
    for (int power = 0; power <= 3; ++power) {
        for (PlayerShotRecord& s : g.PlayerShotTable) s.Active = false;
        g.FireVolley(3, power, 160, 300, 1);
        const std::vector<Shot> shots = Fired(g);
        ASSERT_EQ(shots.size(), static_cast<size_t>(power + 1));
        for (const Shot& s : shots) {
            EXPECT_EQ(s.kind, 0);
            EXPECT_EQ(s.x, 160);
            EXPECT_EQ(s.y, 284);
            EXPECT_GE(s.speed, 12);
            EXPECT_LE(s.speed, 16);
            EXPECT_GE(s.heading, 240);
            EXPECT_LE(s.heading, 299);
        }
    }
}

TEST(Volleys, AVolleyFillsTheLowestFreeSlotsAroundLiveShots) {
    TestGame t;
    Game& g = t.game;
    g.PlayerShotTable[0].Active = true;
    g.PlayerShotTable[2].Active = true;
    g.FireVolley(1, 1, 100, 100, 1);
    EXPECT_TRUE(g.PlayerShotTable[1].Active);
    EXPECT_TRUE(g.PlayerShotTable[3].Active);
    EXPECT_TRUE(g.PlayerShotTable[4].Active);
    EXPECT_EQ(g.PlayerShotTable[1].Y, 92); // the first shot of the column takes the first gap
    EXPECT_EQ(g.PlayerShotTable[4].Y, 76);
}

TEST(FireButton, CadencePerShipTypeAndMachineGun) {
    struct Case {
        int type;
        uint8_t flagsB;
        std::vector<int> firingFrames; // over 20 frames of holding fire
    };
    const Case cases[] = {
        {0, 0, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19}},
        {1, 0, {1, 3, 5, 7, 9, 11, 13, 15, 17, 19}},
        {2, 0, {1, 4, 7, 10, 13, 16, 19}},
        {3, 0, {1, 4, 7, 10, 13, 17, 20}},
        {0, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20}},
        {2, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ship " << c.type << " flags " << int(c.flagsB));
        TestGame t;
        Game& g = t.game;
        ShipInControl(g, c.type);
        g.ExtraFlagsB = c.flagsB;
        t.host.HoldKeys({kFire});
        std::vector<int> firing;
        for (int frame = 1; frame <= 20; ++frame) {
            const int before = g.PlayerShotCount;
            g.FirePlayerShots();
            if (g.PlayerShotCount != before) firing.push_back(frame);
        }
        EXPECT_EQ(firing, c.firingFrames);
    }
}

TEST(FireButton, ReleasingRestartsTheCycleAndTheFlashFollowsEachVolley) {
    TestGame t;
    Game& g = t.game;
    ShipInControl(g, 0, 100, 200);
    t.host.HoldKeys({kFire});
    g.FirePlayerShots(); // counter 1: fires
    g.FirePlayerShots(); // counter 2
    EXPECT_EQ(g.PlayerShotCount, 1);
    t.host.HoldKeys({});
    g.FirePlayerShots();
    EXPECT_EQ(g.FireCounter, 0);
    t.host.HoldKeys({kFire});
    g.FirePlayerShots();
    EXPECT_EQ(g.FireCounter, 1);
    EXPECT_EQ(g.PlayerShotCount, 2);

    int flashes = 0;
    for (const EnemyShotRecord& s : g.EnemyShotTable) {
        if (!s.Active) continue;
        ++flashes;
        EXPECT_EQ(s.X, 100);
        EXPECT_EQ(s.Y, 180);
        EXPECT_EQ(s.Speed, 0);
        EXPECT_EQ(s.Kind, 0);
    }
    EXPECT_EQ(flashes, 2);

    g.ExtraFlagsB = 64; // MB STEALTH: no flash
    g.FireCounter = 0;
    g.FirePlayerShots();
    EXPECT_EQ(g.PlayerShotCount, 3);
    EXPECT_EQ(LiveEnemyShots(g), 2);
}

TEST(FireButton, NoVolleyWhenTheShipCannotFire) {
    struct Case {
        const char* name;
        int type;
        bool arrived;
        int stateTimer, specialTimer, shotCount;
        bool fires;
    };
    const Case cases[] = {
        {"early in the swoop", 0, false, 41, 0, 0, false},
        {"late in the swoop", 0, false, 40, 0, 0, true},
        {"dying", 1, true, 5, 0, 0, false},
        {"ship 0 beam running", 0, true, 0, 10, 0, false},
        {"ship 3 spray running", 3, true, 0, 10, 0, false},
        {"ship 1 fires during its blast", 1, true, 0, 10, 0, true},
        {"ship 2 fires inside its aura", 2, true, 0, 10, 0, true},
        {"200 shots live", 0, true, 0, 0, 200, true},
        {"201 shots live", 3, true, 0, 0, 201, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        Game& g = t.game;
        ShipInControl(g, c.type);
        g.Player.PowerLevel = 3;
        g.Player.Arrived = c.arrived;
        g.Player.StateTimer = static_cast<int16_t>(c.stateTimer);
        g.SpecialTimer = static_cast<int16_t>(c.specialTimer);
        g.PlayerShotCount = static_cast<int16_t>(c.shotCount);
        t.host.HoldKeys({kFire});
        g.FirePlayerShots();
        EXPECT_EQ(!LivePlayerShots(g).empty(), c.fires);
    }
}
