#include "PlayerTestSetup.h"

namespace {

void PlaceItem(Game& g, int slot, int kind, int x, int y) {
    g.ItemTable[slot] =
        ItemRecord{static_cast<int16_t>(kind), static_cast<int16_t>(x), static_cast<int16_t>(y), 0, 2, true};
    g.ItemCount += 1;
}

} // namespace

TEST(Items, AtMostSevenLiveItems) {
    TestGame t;
    Game& g = t.game;
    g.EnemyTable[3].X = 100;
    g.EnemyTable[3].Y = 50;
    for (int i = 0; i < 8; ++i) g.SpawnItem(3, 2);
    EXPECT_EQ(g.ItemCount, 7);
    EXPECT_TRUE(g.ItemTable[6].Active);
    EXPECT_FALSE(g.ItemTable[7].Active);
    EXPECT_EQ(g.ItemTable[0].DY, 2);
}

TEST(Items, CollectionEffects) {
    struct Case {
        const char* name;
        int kind, power;
        int32_t score;
        int wantPower;
        int32_t wantScore;
    };
    const Case cases[] = {
        {"power-up", 0, 1, 0, 2, 0},
        {"power-up at the top is still used up", 0, 3, 0, 3, 0},
        {"large bonus", 1, 0, 500, 0, 10500},
        {"small bonus", 2, 0, 500, 0, 1500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        ShipInControl(g, 0, 100, 300);
        g.Player.PowerLevel = static_cast<int16_t>(c.power);
        g.Score = c.score;
        PlaceItem(g, 0, c.kind, 110, 283); // 15 away on both axes after drifting 2 down
        g.UpdateItems();
        EXPECT_EQ(g.Player.PowerLevel, c.wantPower);
        EXPECT_EQ(g.Score, c.wantScore);
        EXPECT_EQ(g.ItemCount, 0);
        EXPECT_FALSE(g.ItemTable[0].Active);
    }
}

TEST(Items, TheShipCollectsWhileEnteringButNotWhileDying) {
    for (bool dying : {false, true}) {
        SCOPED_TRACE(dying ? "dying" : "entering");
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        ShipInControl(g, 0, 100, 300);
        g.Player.Arrived = dying;
        g.Player.StateTimer = dying ? 5 : 45;
        PlaceItem(g, 2, 2, 100, 298);
        g.UpdateItems();
        EXPECT_EQ(g.ItemTable[2].Active, dying);
        EXPECT_EQ(g.ItemTable[2].Y, 300);
    }
}

TEST(Items, DriftingOffTheFieldRemovesWithoutEffect) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    ShipInControl(g, 0, 100, 464);
    g.Player.PowerLevel = 0;
    PlaceItem(g, 0, 0, 100, 479);
    PlaceItem(g, 1, 0, 200, 100);
    g.ItemTable[1].DX = 111; // beyond x 310
    g.UpdateItems();
    EXPECT_FALSE(g.ItemTable[0].Active);
    EXPECT_FALSE(g.ItemTable[1].Active);
    EXPECT_EQ(g.ItemCount, 0);
    EXPECT_EQ(g.Player.PowerLevel, 0);
}

TEST(Items, AnItemCaughtDuringAnotherItemsTurnLeavesNoPicture) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    PaintTestSprites(g);
    g.Picture1.SetBackColour(0);
    ShipInControl(g, 0, 150, 300);
    PlaceItem(g, 0, 1, 40, 100);
    PlaceItem(g, 1, 2, 150, 330); // the ship is moved onto it before its turn
    g.UpdateItems();              // both are drawn
    g.Player.Y = 335;
    g.UpdateItems(); // item 1 is caught on item 0's turn, where it was last drawn
    EXPECT_FALSE(g.ItemTable[1].Active);
    for (int y = 320; y < 345; ++y)
        for (int x = 140; x < 160; ++x) ASSERT_EQ(g.Picture1.Pixel(x, y), 0u) << x << "," << y;
    EXPECT_EQ(g.Picture1.Pixel(40, 104), ItemColour(1));
}
