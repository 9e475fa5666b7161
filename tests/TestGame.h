#pragma once
// A real game on the headless machine, reading the content the build put beside the executable.
#include <gtest/gtest.h>

#include <memory>

#include "core/Game.h"
#include "platform/headless/HeadlessPlatform.h"

struct TestGame {
    explicit TestGame(uint64_t seed = 1, bool withFont = false)
        : host(withFont ? std::string(KORVAXION_GAME_DIR) + "/font.ttf" : std::string()),
          game(host, KORVAXION_GAME_DIR, seed) {
        // Never touch the build's own record file, nor another test's (tests run in parallel).
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        game.RecordPath = ::testing::TempDir() + "korvaxion-" + (test ? std::string(test->test_suite_name()) + "." +
                                                                     test->name() : std::string("test")) + ".dat";
    }
    HeadlessPlatform host;
    Game game;
};

// Starts a normal game at stage 1 with the given ship, as the ship selection does.
inline void StartGame(Game& g, int ship = 0) {
    g.Player.ShipType = static_cast<int16_t>(ship);
    g.GameMode = 0;
    g.StartStage = 1;
    g.ContinueUsed = false;
    g.StageNumber = 0;
    g.NextStage();
}
