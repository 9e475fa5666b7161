// korvaxion-sim: the real game on the headless machine. Drives it with a scripted input for a
// number of frames and writes the state and the picture at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/StateDump.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/InputScript.h"
#include "platform/headless/Bot.h"
#include "platform/headless/Replay.h"
#include "resources/PngWriter.h"

namespace {

struct Options {
    uint64_t seed = 1;
    long long frames = 500;
    std::string input, dump, png, dir, record, replay, writeReplay;
    long long every = 500;
    int ship = -1, stage = 1, difficulty = -1, mode = 0, power = -1;
    bool bench = false, bot = false, report = false, stopAtBoss = false;
};

void Usage() {
    std::fprintf(stderr,
                 "usage: korvaxion-sim [--seed N] [--frames N] [--input FILE] [--dump FILE] [--png FILE]\n"
                 "                     [--dir DIR] [--record FILE] [--start SHIP [--stage N] [--difficulty D]\n"
                 "                     [--mode normal|boss] [--power P]] [--bot] [--report] [--stop-at-boss] [--bench]\n"
                 "       korvaxion-sim --replay FILE [--dir DIR]\n"
                 "       korvaxion-sim --write-replay FILE [--every N] --start SHIP ... [--input FILE] [--frames N]\n");
}

bool ParseNumber(const char* text, long long& out) {
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    return end != text && *end == 0;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        long long n = 0;
        if (a == "--bench" || a == "--bot" || a == "--report" || a == "--stop-at-boss") {
            (a == "--bench" ? o.bench : a == "--bot" ? o.bot : a == "--report" ? o.report : o.stopAtBoss) = true;
            continue;
        }
        const char* v = value();
        if (!v) return false;
        if (a == "--seed" && ParseNumber(v, n)) o.seed = static_cast<uint64_t>(n);
        else if (a == "--frames" && ParseNumber(v, n) && n >= 0) o.frames = n;
        else if (a == "--input") o.input = v;
        else if (a == "--dump") o.dump = v;
        else if (a == "--png") o.png = v;
        else if (a == "--dir") o.dir = v;
        else if (a == "--record") o.record = v;
        else if (a == "--replay") o.replay = v;
        else if (a == "--write-replay") o.writeReplay = v;
        else if (a == "--every" && ParseNumber(v, n) && n > 0) o.every = n;
        else if (a == "--start" && ParseNumber(v, n) && n >= 0 && n <= 3) o.ship = static_cast<int>(n);
        else if (a == "--stage" && ParseNumber(v, n) && n >= 1 && n <= 6) o.stage = static_cast<int>(n);
        else if (a == "--difficulty" && ParseNumber(v, n) && n >= 0 && n <= 2) o.difficulty = static_cast<int>(n);
        else if (a == "--power" && ParseNumber(v, n) && n >= 0 && n <= 3) o.power = static_cast<int>(n);
        else if (a == "--mode" && (std::strcmp(v, "normal") == 0 || std::strcmp(v, "boss") == 0))
            o.mode = std::strcmp(v, "boss") == 0 ? 1 : 0;
        else return false;
    }
    return true;
}

std::string ExecutableDirectory(const char* argv0) {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(argv0);
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// What a play-test wants to know about a run.
struct PlayReport {
    int deaths = 0;
    int highestPhase = 0;
    bool wasDying = false;
    void Observe(const Game& g) {
        const bool dying = g.Player.Arrived && g.Player.StateTimer > 0;
        if (dying && !wasDying) ++deaths;
        wasDying = dying;
        highestPhase = std::max<int>(highestPhase, g.StagePhase);
    }
    bool BossReached(const Game& g) const {
        int bossRecord = -1;
        for (int i = 0; i < 512; ++i)
            if (g.StageScript[i].Kind == 36) {
                bossRecord = i;
                break;
            }
        return highestPhase >= 2 || (bossRecord >= 0 && g.ScriptIndex > bossRecord);
    }
    void Print(const Game& g) const {
        const bool bossReached = BossReached(g);
        const double rate = g.EnemiesAppeared > 0 ? 100.0 * g.EnemiesDestroyed / g.EnemiesAppeared : 0.0;
        std::printf("stage %d  appeared %d  destroyed %d  rate %.0f%%  lives lost %d  boss reached %s  "
                    "score %d  frame %d  phase %d  power %d\n",
                    g.StageNumber, g.EnemiesAppeared, g.EnemiesDestroyed, rate, deaths, bossReached ? "yes" : "no",
                    g.Score, g.FrameCounter, g.StagePhase, g.Player.PowerLevel);
    }
};

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        Usage();
        return 2;
    }
    const std::string dir = o.dir.empty() ? ExecutableDirectory(argv[0]) : o.dir;

    InputScript script;
    if (!o.input.empty()) {
        std::ifstream in(o.input);
        if (!in) {
            std::fprintf(stderr, "korvaxion-sim: cannot read %s\n", o.input.c_str());
            return 2;
        }
        std::stringstream text;
        text << in.rdbuf();
        script = InputScript::Parse(text.str());
        if (!script.Error.empty()) {
            std::fprintf(stderr, "korvaxion-sim: %s: %s\n", o.input.c_str(), script.Error.c_str());
            return 2;
        }
    }

    const std::string recordPath = o.record.empty() ? dir + "/Record.dat" : o.record;
    if (!o.replay.empty()) {
        std::ifstream in(o.replay);
        std::stringstream text;
        text << in.rdbuf();
        const Replay replay = Replay::Parse(text.str());
        if (!in || !replay.Error.empty()) {
            std::fprintf(stderr, "korvaxion-sim: %s: %s\n", o.replay.c_str(), in ? replay.Error.c_str() : "cannot read");
            return 2;
        }
        const ReplayRun run = RunReplay(replay, dir);
        if (!run.Error.empty()) std::fprintf(stderr, "korvaxion-sim: %s\n", run.Error.c_str());
        if (run.FirstMismatch >= 0) {
            std::printf("replay differs first at frame %lld\n", run.FirstMismatch);
            return 1;
        }
        if (!run.Error.empty() || run.Hashes.size() != replay.Checkpoints.size()) return 1;
        std::printf("replay matches at all %zu checkpoints\n", run.Hashes.size());
        return 0;
    }
    if (!o.writeReplay.empty()) {
        if (o.ship < 0) {
            std::fprintf(stderr, "korvaxion-sim: --write-replay needs --start\n");
            return 2;
        }
        Replay replay;
        replay.Seed = o.seed;
        replay.Ship = o.ship;
        replay.Stage = o.stage;
        replay.Difficulty = o.difficulty >= 0 ? o.difficulty : 1;
        replay.Mode = o.mode;
        replay.Power = o.power;
        replay.Frames = o.frames;
        if (!o.input.empty()) {
            std::ifstream in(o.input);
            std::stringstream text;
            text << in.rdbuf();
            replay.InputText = text.str();
        }
        const ReplayRun run = RunReplay(replay, dir, o.every, o.bot);
        if (!run.Error.empty()) {
            std::fprintf(stderr, "korvaxion-sim: %s\n", run.Error.c_str());
            return 1;
        }
        replay.Checkpoints = run.Hashes;
        if (o.bot) replay.InputText = "# keys of the automatic player\n" + run.RecordedInput;
        std::ofstream out(o.writeReplay);
        out << replay.Format();
        return out ? 0 : 1;
    }

    HeadlessPlatform host(dir + "/font.ttf");
    Game game(host, dir, o.seed);
    game.RecordPath = recordPath;
    if (!game.StartUp()) {
        for (const auto& e : host.Errors) std::fprintf(stderr, "korvaxion-sim: %s\n", e.c_str());
        return 1;
    }
    if (o.ship >= 0) StartGameDirectly(game, o.ship, o.stage, o.difficulty >= 0 ? o.difficulty : game.Difficulty, o.mode);
    // A later stage is reached with the power gathered before it.
    if (o.ship >= 0 && o.power >= 0) game.Player.PowerLevel = static_cast<int16_t>(o.power);

    std::vector<double> costs;
    costs.reserve(static_cast<size_t>(o.frames));
    const auto started = std::chrono::steady_clock::now();
    PlayReport report;
    for (long long f = 0; f < o.frames; ++f) {
        auto change = script.Changes.find(f);
        if (change != script.Changes.end()) host.HoldKeys(change->second);
        if (o.bot) host.HoldKeys(BotKeys(game));
        report.Observe(game);
        const auto t0 = std::chrono::steady_clock::now();
        const bool running = game.RunOneFrame();
        costs.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        if (!running) break;
        if (o.stopAtBoss && report.BossReached(game)) break;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    for (const auto& e : host.Errors) std::fprintf(stderr, "korvaxion-sim: message box: %s\n", e.c_str());
    if (!o.dump.empty()) {
        std::ofstream out(o.dump, std::ios::binary);
        out << DumpState(game) << '\n';
    }
    if (!o.png.empty() && !WritePng(game.Picture1, o.png)) {
        std::fprintf(stderr, "korvaxion-sim: cannot write %s\n", o.png.c_str());
        return 1;
    }
    if (o.report) report.Print(game);
    if (o.bench && !costs.empty()) {
        std::vector<double> sorted = costs;
        std::sort(sorted.begin(), sorted.end());
        std::printf("frames %zu  frames/s %.0f  median %.1f us  worst %.1f us\n", costs.size(),
                    static_cast<double>(costs.size()) / seconds, sorted[sorted.size() / 2], sorted.back());
    }
    return 0;
}
