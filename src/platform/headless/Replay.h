#pragma once
// Replays: a seed, how the game was started, the scripted input and state hashes at checkpoints.
// Playing one back must reach every hash again; the first frame that differs is reported.
//
//   seed 9
//   start 0 1 1 normal [3]    ship, stage, difficulty, mode, and the power the ship brings
//   frames 3000
//   checkpoint 500 1f2e...    frame and state hash (hex), any number of lines
//   input                     the rest of the file is an input script
//   0 -
//   40 LEFT Z
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/headless/InputScript.h"

class Game;

struct Replay {
    uint64_t Seed = 1;
    int Ship = 0, Stage = 1, Difficulty = 1, Mode = 0;
    int Power = -1; // -1: the power a new game starts with
    long long Frames = 0;
    std::string InputText;
    std::map<long long, uint64_t> Checkpoints;
    std::string Error; // empty when parsed

    static Replay Parse(const std::string& text);
    std::string Format() const;
};

struct ReplayRun {
    std::map<long long, uint64_t> Hashes; // at every checkpoint frame asked for
    long long FirstMismatch = -1;         // the first checkpoint frame whose hash differs
    std::string Error;
    std::string RecordedInput;            // the automatic player's keys, as an input script
};

// Starts a game as the ship selection would, skipping the menus.
void StartGameDirectly(Game& game, int ship, int stage, int difficulty, int mode);

// Plays the replay on a headless game reading gameDir, from a new record file. Hashes are taken
// at the replay's own checkpoints and, when every > 0, at every multiple of it. With bot set, the
// automatic player holds the keys instead of the script, and its keys are recorded.
ReplayRun RunReplay(const Replay& replay, const std::string& gameDir, long long every = 0, bool bot = false);
