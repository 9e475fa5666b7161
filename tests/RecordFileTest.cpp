#include <filesystem>
#include <fstream>

#include "TestGame.h"

namespace fs = std::filesystem;

TEST(RecordFile, AMissingOrWrongSizedFileGivesTheDefaults) {
    for (int size : {-1, 0, 844}) {
        TestGame t;
        Game& g = t.game;
        fs::remove(g.RecordPath);
        if (size >= 0) {
            std::ofstream out(g.RecordPath, std::ios::binary);
            out << std::string(static_cast<size_t>(size), '\x7F');
        }
        g.LoadRecordFile();
        EXPECT_EQ(fs::file_size(g.RecordPath), 843u) << size;
        EXPECT_EQ(g.SettingsByte, 212);
        EXPECT_EQ(g.HighScores[0], 100000);
        EXPECT_EQ(g.HighScores[119], 20000);
        EXPECT_EQ(g.HighScoreNames[0], 'V');
        EXPECT_EQ(g.HighScoreNames[359], 'B');
    }
}

TEST(RecordFile, SavedValuesComeBackAndBadSettingsAreTamed) {
    TestGame t;
    Game& g = t.game;
    fs::remove(g.RecordPath);
    g.LoadRecordFile();
    g.HighScores[42] = -5;
    g.UnlockFlags = 0x81;
    g.UnlockFlags2 = 0x22;
    g.SettingsByte = 128 + 48 + 15; // difficulty 3 and wait 15 are out of range
    g.HighScoreNames[100] = 'Q';
    g.SaveRecordFile();
    EXPECT_FALSE(fs::exists(g.RecordPath + ".new"));

    TestGame u;
    u.game.RecordPath = g.RecordPath;
    ASSERT_TRUE(u.game.StartUp());
    EXPECT_EQ(u.game.HighScores[42], -5);
    EXPECT_EQ(u.game.UnlockFlags, 0x81);
    EXPECT_EQ(u.game.UnlockFlags2, 0x22);
    EXPECT_EQ(u.game.HighScoreNames[100], 'Q');
    EXPECT_TRUE(u.game.SoundOn);
    EXPECT_FALSE(u.game.MusicOn);
    EXPECT_EQ(u.game.Difficulty, 1);
    EXPECT_EQ(u.game.WaitSetting, 4);
}

TEST(RecordFile, AHighScoreIsRankedBelowAnEqualOne) {
    TestGame t;
    Game& g = t.game;
    fs::remove(g.RecordPath);
    g.LoadRecordFile();
    g.Player.ShipType = 1;
    g.GameMode = 1;
    g.Difficulty = 2;
    const int base = 30 + 15 + 10;
    EXPECT_EQ(g.InsertHighScore(100000), 1);
    EXPECT_EQ(g.HighScores[base + 0], 100000);
    EXPECT_EQ(g.HighScores[base + 1], 100000);
    EXPECT_EQ(g.HighScores[base + 2], 80000);
    EXPECT_EQ(g.HighScores[base + 4], 40000);
    // The letters moved down with their score; the new rank keeps the old letters until named.
    EXPECT_EQ(g.HighScoreNames[(base + 2) * 3], 'Q');
    EXPECT_EQ(g.HighScoreNames[(base + 1) * 3], 'Q');
    EXPECT_EQ(g.InsertHighScore(40000), -1);
    EXPECT_EQ(g.HighScores[base - 1], 20000); // the list before is untouched
}
