#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless/Replay.h"

namespace fs = std::filesystem;

// Every golden replay in tests/replays must reach all its checkpoints again. Re-recording one is
// a deliberate change: korvaxion-sim --write-replay.
TEST(Replays, GoldenReplaysReachEveryCheckpoint) {
    const fs::path folder = fs::path(KORVAXION_SOURCE_DIR) / "tests" / "replays";
    int played = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".rpl") continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        const Replay replay = Replay::Parse(text.str());
        ASSERT_TRUE(replay.Error.empty()) << entry.path() << ": " << replay.Error;
        ASSERT_FALSE(replay.Checkpoints.empty()) << entry.path();
        const ReplayRun run = RunReplay(replay, KORVAXION_GAME_DIR);
        EXPECT_TRUE(run.Error.empty()) << entry.path() << ": " << run.Error;
        EXPECT_EQ(run.FirstMismatch, -1) << entry.path() << " differs first at frame " << run.FirstMismatch;
        ++played;
    }
    EXPECT_GT(played, 0);
}

TEST(Replays, AChangedCheckpointIsReportedAtItsFrame) {
    Replay replay;
    replay.Seed = 5;
    replay.Ship = 2;
    replay.Frames = 300;
    replay.InputText = "0 -\n40 RIGHT Z\n120 UP\n";
    const ReplayRun first = RunReplay(replay, KORVAXION_GAME_DIR, 100);
    ASSERT_TRUE(first.Error.empty()) << first.Error;
    ASSERT_EQ(first.Hashes.size(), 3u);
    replay.Checkpoints = first.Hashes;
    replay.Checkpoints[200] ^= 1;

    const Replay reread = Replay::Parse(replay.Format());
    ASSERT_TRUE(reread.Error.empty()) << reread.Error;
    EXPECT_EQ(reread.Checkpoints, replay.Checkpoints);
    const ReplayRun second = RunReplay(reread, KORVAXION_GAME_DIR);
    EXPECT_EQ(second.FirstMismatch, 200);
    EXPECT_EQ(second.Hashes.at(100), first.Hashes.at(100));
}

TEST(Replays, BadReplayTextIsRejected) {
    EXPECT_FALSE(Replay::Parse("seed x\n").Error.empty());
    EXPECT_FALSE(Replay::Parse("start 7 1 1 normal\n").Error.empty());
    EXPECT_FALSE(Replay::Parse("checkpoint 10 zz\n").Error.empty());
    EXPECT_FALSE(Replay::Parse("frames 10\ninput\n5 JUMP\n").Error.empty());
    EXPECT_TRUE(Replay::Parse("# a comment\nseed 3\nframes 10\ninput\n0 Z\n").Error.empty());
}
