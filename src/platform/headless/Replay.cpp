#include "platform/headless/Replay.h"

#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "core/Game.h"
#include "core/StateDump.h"
#include "platform/headless/Bot.h"
#include "platform/headless/HeadlessPlatform.h"

Replay Replay::Parse(const std::string& text) {
    Replay r;
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '#') continue;
        bool ok = true;
        if (word == "seed") {
            ok = static_cast<bool>(words >> r.Seed);
        } else if (word == "start") {
            std::string mode;
            ok = static_cast<bool>(words >> r.Ship >> r.Stage >> r.Difficulty >> mode) &&
                 (mode == "normal" || mode == "boss") && r.Ship >= 0 && r.Ship <= 3 && r.Stage >= 1 &&
                 r.Stage <= 6 && r.Difficulty >= 0 && r.Difficulty <= 2;
            r.Mode = mode == "boss" ? 1 : 0;
            if (ok && (words >> r.Power)) ok = r.Power >= 0 && r.Power <= 3;
        } else if (word == "frames") {
            ok = static_cast<bool>(words >> r.Frames) && r.Frames >= 0;
        } else if (word == "checkpoint") {
            long long frame = -1;
            std::string hex;
            ok = static_cast<bool>(words >> frame >> hex) && frame >= 0 && !hex.empty() && hex.size() <= 16;
            if (ok) {
                try {
                    r.Checkpoints[frame] = std::stoull(hex, nullptr, 16);
                } catch (...) {
                    ok = false;
                }
            }
        } else if (word == "input") {
            std::stringstream rest;
            rest << in.rdbuf();
            r.InputText = rest.str();
            const InputScript script = InputScript::Parse(r.InputText);
            if (!script.Error.empty()) r.Error = "input " + script.Error;
            return r;
        } else {
            ok = false;
        }
        if (!ok) {
            r.Error = "line " + std::to_string(lineNumber) + ": cannot read \"" + line + "\"";
            return r;
        }
    }
    return r;
}

std::string Replay::Format() const {
    std::ostringstream out;
    out << "seed " << Seed << "\nstart " << Ship << ' ' << Stage << ' ' << Difficulty << ' '
        << (Mode == 1 ? "boss" : "normal");
    if (Power >= 0) out << ' ' << Power;
    out << "\nframes " << Frames << '\n';
    for (const auto& [frame, hash] : Checkpoints) out << "checkpoint " << frame << ' ' << std::hex << hash << std::dec << '\n';
    out << "input\n" << InputText;
    if (!InputText.empty() && InputText.back() != '\n') out << '\n';
    return out.str();
}

void StartGameDirectly(Game& game, int ship, int stage, int difficulty, int mode) {
    game.Difficulty = static_cast<uint8_t>(difficulty);
    game.GameMode = static_cast<uint8_t>(mode);
    game.StartStage = static_cast<int16_t>(stage);
    if (stage > 1) game.ExtraFlagsA |= 1; // as the stage select does
    game.Player.ShipType = static_cast<int16_t>(ship);
    game.ContinueUsed = false;
    game.StageNumber = 0;
    game.KeyRecording = false;
    game.UnloadFaceSheet();
    game.NextStage();
}

namespace {
std::string KeyLine(long long frame, const std::set<int>& keys) {
    std::string line = std::to_string(frame);
    if (keys.empty()) line += " -";
    for (int k : keys) line += ' ' + std::to_string(k);
    return line + '\n';
}
} // namespace

ReplayRun RunReplay(const Replay& replay, const std::string& gameDir, long long every, bool bot) {
    ReplayRun run;
    const InputScript script = InputScript::Parse(replay.InputText);
    if (!script.Error.empty()) {
        run.Error = script.Error;
        return run;
    }
    // A replay always starts from a new record file (default settings and scores), whatever the
    // player's own record holds.
    namespace fs = std::filesystem;
    const fs::path record = fs::temp_directory_path() / ("korvaxion-replay-" + std::to_string(getpid()) + ".dat");
    std::error_code ec;
    fs::remove(record, ec);
    HeadlessPlatform host(gameDir + "/font.ttf");
    Game game(host, gameDir, replay.Seed);
    game.RecordPath = record.string();
    if (!game.StartUp()) {
        run.Error = host.Errors.empty() ? "the game did not start" : host.Errors.front();
        fs::remove(record, ec);
        return run;
    }
    StartGameDirectly(game, replay.Ship, replay.Stage, replay.Difficulty, replay.Mode);
    // A later stage is reached with the power gathered before it.
    if (replay.Power >= 0) game.Player.PowerLevel = static_cast<int16_t>(replay.Power);
    std::set<int> held;
    for (long long f = 1; f <= replay.Frames; ++f) {
        if (bot) {
            const std::set<int> keys = BotKeys(game);
            if (f == 1 || keys != held) run.RecordedInput += KeyLine(f - 1, keys);
            held = keys;
            host.HoldKeys(keys);
        } else if (auto change = script.Changes.find(f - 1); change != script.Changes.end()) {
            host.HoldKeys(change->second);
        }
        if (!game.RunOneFrame()) {
            run.Error = "the game ended at frame " + std::to_string(f);
            break;
        }
        const bool asked = replay.Checkpoints.count(f) || (every > 0 && f % every == 0);
        if (!asked) continue;
        const uint64_t hash = StateHash(game);
        run.Hashes[f] = hash;
        auto expected = replay.Checkpoints.find(f);
        if (run.FirstMismatch < 0 && expected != replay.Checkpoints.end() && expected->second != hash)
            run.FirstMismatch = f;
    }
    fs::remove(record, ec);
    return run;
}
