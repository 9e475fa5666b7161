#pragma once
// A stage played by the automatic player on the real game (content read from a game folder), up
// to its boss record: which kinds were destroyed and which got away, and where lives were lost.
#include <map>
#include <string>
#include <vector>

namespace stageinfo {

struct KindPlay {
    int Placed = 0, Destroyed = 0, Escaped = 0;
};

struct StagePlay {
    std::string Error;
    int Appeared = 0, Destroyed = 0; // the game's own tally (obstacles not counted)
    int Score = 0, Power = 0;
    bool BossReached = false, GameOver = false;
    std::vector<int> LivesLostAt;  // stage clock (frames) of each life lost
    std::map<int, KindPlay> Kinds; // timeline kinds only
    int Frames = 0;                // frames of play
};

struct PlaySettings {
    std::string GameDir;
    int Stage = 1, Ship = 0, Difficulty = 1, Power = 0;
    unsigned long long Seed = 1;
};

StagePlay PlayStage(const PlaySettings& settings);
std::string FormatPlay(const PlaySettings& settings, const StagePlay& play);

} // namespace stageinfo
