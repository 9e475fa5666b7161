#include <algorithm>

#include "TestGame.h"
#include "platform/headless/Bot.h"

// A whole game on the headless machine: the title is silent, the stage track plays, and
// destroying enemies sounds.
TEST(GameSounds, TitleIsSilentAndPlaySoundsOnItsEvents) {
    TestGame t(4);
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    for (int i = 0; i < 30; ++i) g.RunOneFrame();
    auto opened = [&] {
        return std::count_if(t.host.Audio.Commands.begin(), t.host.Audio.Commands.end(),
                             [](const std::string& c) { return c.rfind("Open ", 0) == 0; });
    };
    EXPECT_EQ(opened(), 0);
    EXPECT_TRUE(t.host.Audio.SoundStarts.empty());

    StartGame(g, 0);
    for (int i = 0; i < 1500 && g.StagePhase > 0; ++i) {
        t.host.HoldKeys(BotKeys(g));
        g.RunOneFrame();
    }
    EXPECT_EQ(opened(), 1);
    EXPECT_NE(t.host.Audio.OpenFile().find("main1.mid"), std::string::npos);
    ASSERT_GT(g.EnemiesDestroyed, 0);
    const bool hitSounded = std::any_of(t.host.Audio.SoundStarts.begin(), t.host.Audio.SoundStarts.end(),
                                        [&](const auto& s) { return s.Data == g.HitSound.data(); });
    EXPECT_TRUE(hitSounded);
}
