#include "stageinfo/StagePlay.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <unistd.h>

#include "core/Game.h"
#include "core/StageFile.h"
#include "platform/headless/Bot.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/Replay.h"

namespace stageinfo {

namespace {

// Kinds only bosses and carriers make: not the stage's own enemies.
bool IsChild(int kind) {
    return !IsTimelineKind(kind);
}

} // namespace

StagePlay PlayStage(const PlaySettings& set) {
    StagePlay play;
    namespace fs = std::filesystem;
    // A record file of our own: the player's settings and scores stay untouched.
    const fs::path record =
        fs::temp_directory_path() / ("korvaxion-stageplay-" + std::to_string(getpid()) + ".dat");
    std::error_code ec;
    fs::remove(record, ec);
    HeadlessPlatform host(set.GameDir + "/font.ttf");
    auto game = std::make_unique<Game>(host, set.GameDir, set.Seed);
    Game& g = *game;
    g.RecordPath = record.string();
    if (!g.StartUp()) {
        play.Error = host.Errors.empty() ? "the game did not start" : host.Errors.front();
        return play;
    }
    StartGameDirectly(g, set.Ship, set.Stage, set.Difficulty, 0);
    g.Player.PowerLevel = static_cast<int16_t>(set.Power);

    int bossIndex = -1;
    for (int i = 0; i < static_cast<int>(g.StageScript.size()); ++i)
        if (g.StageScript[i].Kind == kBossRecordKind) {
            bossIndex = i;
            break;
        }
    // Per slot, at the end of the previous frame: a stage enemy there, and whether it was alive.
    std::array<bool, 16> tracked{}, alive{};
    std::array<int, 16> kind{};
    bool wasDying = false;
    for (int frame = 0; frame < 60000; ++frame) {
        host.HoldKeys(BotKeys(g));
        const bool running = g.RunOneFrame();
        play.Frames = frame + 1;
        if (!host.Errors.empty()) {
            play.Error = host.Errors.front();
            break;
        }
        if (!running || g.StagePhase == 0 || g.StageNumber != set.Stage) {
            play.GameOver = true;
            break;
        }
        // A slot freed in a frame is refilled only in a later one, so each change is seen.
        for (int s = 0; s < 16; ++s) {
            const EnemyRecord& e = g.EnemyTable[s];
            const bool here = e.Active && !IsChild(e.Kind);
            if (alive[s]) {
                if (!here)
                    play.Kinds[kind[s]].Escaped += 1; // left the field without exploding
                else if (e.DeathTimer > 0)
                    play.Kinds[kind[s]].Destroyed += 1;
            } else if (here && !tracked[s]) {
                play.Kinds[e.Kind].Placed += 1;
                if (e.DeathTimer > 0) play.Kinds[e.Kind].Destroyed += 1; // shot in its first frame
            }
            tracked[s] = here;
            alive[s] = here && e.DeathTimer == 0;
            kind[s] = e.Kind;
        }
        const bool dying = g.Player.Arrived && g.Player.StateTimer > 0;
        if (dying && !wasDying) play.LivesLostAt.push_back(g.FrameCounter);
        wasDying = dying;
        if (bossIndex >= 0 && g.ScriptIndex > bossIndex) {
            play.BossReached = true;
            break;
        }
    }
    play.Appeared = g.EnemiesAppeared;
    play.Destroyed = g.EnemiesDestroyed;
    play.Score = g.Score;
    play.Power = g.Player.PowerLevel;
    fs::remove(record, ec);
    return play;
}

std::string FormatPlay(const PlaySettings& set, const StagePlay& play) {
    std::ostringstream out;
    static const char* kNames[] = {"easy", "normal", "hard"};
    out << "stage " << set.Stage << ", ship " << set.Ship << ", " << kNames[set.Difficulty % 3] << ", power "
        << set.Power << ", seed " << set.Seed << ": ";
    if (!play.Error.empty()) {
        out << "cannot be played: " << play.Error << "\n";
        return out.str();
    }
    const double rate = play.Appeared > 0 ? 100.0 * play.Destroyed / play.Appeared : 0;
    char line[200];
    std::snprintf(line, sizeof line,
                  "destroyed %d of %d (%.0f%%), lives lost %zu, boss %s, score %d, power %d\n",
                  play.Destroyed, play.Appeared, rate, play.LivesLostAt.size(),
                  play.BossReached ? "reached"
                  : play.GameOver  ? "not reached (game over)"
                                   : "not reached",
                  play.Score, play.Power);
    out << line;
    if (!play.LivesLostAt.empty()) {
        out << "  lives lost at Time";
        for (int f : play.LivesLostAt) out << " " << f / 10;
        out << "\n";
    }
    out << "  kind  placed  destroyed  got away  still there at the boss\n";
    for (const auto& [k, n] : play.Kinds) {
        std::snprintf(line, sizeof line, "  %4d  %6d  %9d  %8d  %6d\n", k, n.Placed, n.Destroyed, n.Escaped,
                      n.Placed - n.Destroyed - n.Escaped);
        out << line;
    }
    return out.str();
}

} // namespace stageinfo
