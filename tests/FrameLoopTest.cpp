#include "TestGame.h"

TEST(StarField, StarsFallAndComeBackAtTheTopInRange) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    g.Picture1.SetBackColour(0);
    for (int frame = 0; frame < 400; ++frame) {
        std::array<StarRecord, 16> before = g.StarTable;
        g.UpdateStarField();
        for (size_t i = 0; i < 16; ++i) {
            const StarRecord& s = g.StarTable[i];
            ASSERT_TRUE(s.Active);
            const bool respawned = !before[i].Active || before[i].Y + before[i].Speed > 480;
            if (respawned) {
                EXPECT_GE(s.X, 5);
                EXPECT_LE(s.X, 314);
                EXPECT_GE(s.Y, -99);
                EXPECT_LE(s.Y, 0);
            } else {
                EXPECT_EQ(s.Y, before[i].Y + before[i].Speed);
            }
            EXPECT_GE(s.Speed, 3);
            EXPECT_LE(s.Speed, 8);
        }
    }
}

TEST(StarField, AStarLeavingTheFieldIsNotDrawnThatFrame) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    g.Picture1.SetBackColour(0);
    for (StarRecord& s : g.StarTable) s = StarRecord{100, 476, 8, true}; // all leave this frame
    g.ScrollDX = 0;
    g.UpdateStarField();
    for (uint32_t p : g.Picture1.Pixels()) ASSERT_EQ(p, 0u);
    g.BackgroundOff = true;
    const auto before = g.StarTable;
    g.UpdateStarField();
    for (size_t i = 0; i < 16; ++i) EXPECT_EQ(g.StarTable[i].Y, before[i].Y);
}

TEST(StarField, ScrollDriftMovesStarsOffTheSides) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    for (StarRecord& s : g.StarTable) s = StarRecord{318, 100, 3, true};
    g.ScrollDX = 5; // past x 320: respawned
    g.UpdateStarField();
    for (const StarRecord& s : g.StarTable) EXPECT_LE(s.Y, 0);
}

TEST(FrameLoop, PauseStopsTheGameAndXQuitsToTheTitle) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    StartGame(g);
    for (int i = 0; i < 10; ++i) g.RunOneFrame();
    ASSERT_STREQ(g.Screens.Current()->Name(), "play");
    const int32_t counter = g.FrameCounter;
    EXPECT_GT(counter, 0);

    t.host.TapKey(16);
    g.RunOneFrame();
    EXPECT_TRUE(g.Paused);
    EXPECT_EQ(t.host.Captions.back(), "KORVAXION -Pause");
    for (int i = 0; i < 5; ++i) g.RunOneFrame();
    EXPECT_EQ(g.FrameCounter, counter);

    t.host.TapKey(16);
    g.RunOneFrame();
    EXPECT_FALSE(g.Paused);
    EXPECT_EQ(t.host.Captions.back(), "KORVAXION");
    EXPECT_EQ(g.FrameCounter, counter + 1);

    // X is the special attack while playing, not quit.
    t.host.TapKey(88);
    g.RunOneFrame();
    EXPECT_STREQ(g.Screens.Current()->Name(), "play");

    t.host.TapKey(16);
    g.RunOneFrame();
    t.host.TapKey(88);
    g.RunOneFrame();
    EXPECT_STREQ(g.Screens.Current()->Name(), "title");
    EXPECT_EQ(g.StagePhase, 0);
    EXPECT_FALSE(g.Paused);
    EXPECT_EQ(t.host.Captions.back(), "KORVAXION");
}

TEST(FrameLoop, CounterStopsAtItsLimitAndWhileTheTimelineHolds) {
    TestGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    StartGame(g);
    g.RunOneFrame();
    g.FrameCounter = 29999;
    g.RunOneFrame();
    EXPECT_EQ(g.FrameCounter, 30000);
    g.RunOneFrame();
    EXPECT_EQ(g.FrameCounter, 30000);
    g.FrameCounter = 10;
    g.TimelineHold = true;
    g.RunOneFrame();
    EXPECT_EQ(g.FrameCounter, 10);
}

TEST(FrameLoop, FramesArePacedByTheWaitSetting) {
    for (int wait : {0, 4, 10}) {
        TestGame t;
        Game& g = t.game;
        ASSERT_TRUE(g.StartUp());
        g.WaitSetting = static_cast<uint8_t>(wait);
        StartGame(g);
        g.RunOneFrame();
        const uint32_t start = t.host.GetTickCount();
        for (int i = 0; i < 10; ++i) g.RunOneFrame();
        // Strictly more than the frame time passes every frame.
        EXPECT_EQ(t.host.GetTickCount() - start, 10u * (wait * 10 + 1)) << wait;
    }
}
