#include "stageinfo/StageInfo.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <sstream>

#include "core/Game.h"
#include "platform/headless/HeadlessPlatform.h"

namespace stageinfo {

namespace {

constexpr int kFieldWidth = 320, kFieldHeight = 480;
// Further out than this an enemy of any size starts out of all reach of the field.
constexpr int kFarMargin = 100;
// A holding carrier cannot stop the clock for longer than its three rounds; this only guards
// against a stage that never ends.
constexpr int kMostFrames = 60000;
constexpr int kFramesPerSecond = 25;

std::string Plural(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Clock(int frames) {
    const int seconds = (frames + kFramesPerSecond / 2) / kFramesPerSecond;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

std::string ParamList(int kind) {
    const std::vector<int> params = ParamsOf(kind);
    if (params.size() == 1) return "only " + std::to_string(params[0]);
    if (params.size() == 2) return std::to_string(params[0]) + " or " + std::to_string(params[1]);
    return std::to_string(params.front()) + " to " + std::to_string(params.back());
}

// Records at the boss's own time count in the last window.
int WindowOf(const StageReport& rep, int time) {
    return std::min(time / kWindowTime, static_cast<int>(rep.Windows.size()) - 1);
}

// Flies the records before the boss through the game's own timeline and enemy code. The ship
// waits low in the middle and cannot be hit; nothing is ever destroyed by it.
void Fly(StageReport& rep, int difficulty, unsigned seed) {
    HeadlessPlatform host{std::string()};
    auto game = std::make_unique<Game>(host, ".", seed);
    Game& g = *game;
    g.Difficulty = static_cast<uint8_t>(difficulty);
    g.GameMode = 0;
    g.StageNumber = 1;
    g.StagePhase = 1;
    g.Player.X = 160;
    g.Player.Y = 400;
    g.Player.Arrived = false; // watching only: no body contact, no hits
    std::copy(rep.Records.begin(), rep.Records.begin() + rep.BossIndex, g.StageScript.begin());
    g.StageScript[rep.BossIndex] = ScriptRecord{3001, 0, 0, 0, 0}; // a time the clock never reaches

    rep.Flights.assign(rep.BossIndex, RecordFlight{});
    // The hits of each record as the timeline would place it, read off a scratch slot.
    for (int i = 0; i < rep.BossIndex; ++i) {
        g.PlaceTimelineEnemy(0, rep.Records[i]);
        rep.Flights[i].Hits = g.EnemyTable[0].Hits;
        g.EnemyTable[0] = EnemyRecord{};
    }
    g.TimelineHold = false;
    g.BossMode = 0;
    std::array<int, 16> owner;
    owner.fill(-1);
    const int bossFrame = 10 * rep.BossTime;
    for (int frame = 0; g.FrameCounter < bossFrame && frame < kMostFrames; ++frame) {
        std::array<bool, 16> wasActive{};
        for (int s = 0; s < 16; ++s) wasActive[s] = g.EnemyTable[s].Active;
        const int first = g.ScriptIndex;
        g.RunStageScript();
        // Records of one frame take the lowest free slots in file order until the table is full.
        std::vector<int> fresh;
        for (int s = 0; s < 16; ++s)
            if (g.EnemyTable[s].Active && !wasActive[s]) fresh.push_back(s);
        size_t next = 0;
        for (int i = first; i < g.ScriptIndex && i < rep.BossIndex; ++i) {
            rep.Flights[i].PlacedFrame = frame;
            if (next < fresh.size())
                owner[fresh[next++]] = i;
            else
                rep.Flights[i].Dropped = true;
        }

        g.UpdateEnemies();
        const int window =
            std::min<int>(g.FrameCounter / (10 * kWindowTime), static_cast<int>(rep.Windows.size()) - 1);
        StageWindow& w = rep.Windows[window];
        for (EnemyShotRecord& shot : g.EnemyShotTable) {
            if (!shot.Active) continue;
            const bool flash = shot.Speed == 0 && shot.Kind != 4;
            if (!flash && shot.Kind != 15) ++w.Shots;
            shot.Active = false; // counted once, the frame it was made
        }
        g.EnemyShotCount = 0;

        for (int s = 0; s < 16; ++s) {
            if (owner[s] < 0) continue;
            const EnemyRecord& e = g.EnemyTable[s];
            if (!e.Active) {
                owner[s] = -1;
                continue;
            }
            RecordFlight& f = rep.Flights[owner[s]];
            f.FramesAlive += 1;
            f.MostAlive = std::max<int>(f.MostAlive, g.EnemyCount);
            if (e.X >= 0 && e.X < kFieldWidth && e.Y >= 0 && e.Y < kFieldHeight) f.Seen = true;
        }
        w.MostAlive = std::max<int>(w.MostAlive, g.EnemyCount);
        rep.MostAlive = std::max<int>(rep.MostAlive, g.EnemyCount);
        if (g.TimelineHold)
            rep.HoldFrames += 1;
        else if (g.FrameCounter < 30000)
            g.FrameCounter += 1;
    }
}

} // namespace

std::vector<int> ParamsOf(int kind) {
    switch (kind) {
    case 0:
    case 2:
    case 4:
    case 7:
    case 8:
    case 9:
        return {0};
    case 1:
    case 11:
    case 17:
    case 19:
        return {0, 1};
    case 13:
    case 14:
    case 15:
    case 18:
    case 20:
    case 35:
        return {0, 1, 2};
    case 3: // turning direction and a little more speed per pair
        return {0, 1, 2, 3, 4, 5};
    case 16: // heading by thirds, firing pattern within each third
        return {0, 1, 2, 3, 4, 5, 6, 7, 8};
    default:
        return {};
    }
}

std::string FormatRecord(const ScriptRecord& r) {
    return std::to_string(r.Time) + "," + std::to_string(r.X) + "," + std::to_string(r.Y) + "," +
           std::to_string(r.Kind) + "," + std::to_string(r.Param);
}

StageReport InspectStage(const StageFile& file, int difficulty, unsigned seed) {
    StageReport rep;
    if (!file.Error.empty()) {
        rep.Error = file.Error;
        return rep;
    }
    rep.Records = file.Records;
    for (size_t i = 0; i < rep.Records.size(); ++i)
        if (rep.Records[i].Kind == kBossRecordKind) {
            rep.BossIndex = static_cast<int>(i);
            break;
        }
    if (rep.BossIndex < 0) { // the reader always ends a stage with one
        rep.Error = "it has no boss record";
        return rep;
    }
    rep.BossTime = rep.Records[rep.BossIndex].Time;
    rep.Windows.resize(std::max(1, (rep.BossTime + kWindowTime - 1) / kWindowTime));
    for (size_t w = 0; w < rep.Windows.size(); ++w)
        rep.Windows[w].FromTime = static_cast<int>(w) * kWindowTime;
    const int warningTime = rep.BossTime - 10;
    for (StageWindow& w : rep.Windows)
        w.Warning = w.FromTime + kWindowTime > warningTime && w.FromTime <= rep.BossTime;

    std::vector<bool> far(rep.BossIndex, false); // reported once, not again as never seen
    for (int i = 0; i < rep.BossIndex; ++i) {
        const ScriptRecord& r = rep.Records[i];
        rep.Kinds.insert(r.Kind);
        StageWindow& w = rep.Windows[WindowOf(rep, r.Time)];
        w.Kinds[r.Kind] += 1;
        if (r.Kind == 18)
            w.Obstacles += 1;
        else
            w.Placed += 1;
        if (r.Kind == 35) {
            (r.Param == 0 ? w.PowerUps : r.Param == 1 ? w.LargeBonus : w.SmallBonus) += 1;
        }
        const std::vector<int> params = ParamsOf(r.Kind);
        if (std::find(params.begin(), params.end(), r.Param) == params.end())
            rep.Issues.push_back({i, "kind " + std::to_string(r.Kind) + " knows no Param " +
                                         std::to_string(r.Param) + " (" + ParamList(r.Kind) + ")"});
        if (r.X < -kFarMargin || r.X > kFieldWidth + kFarMargin || r.Y < -kFarMargin ||
            r.Y > kFieldHeight + kFarMargin) {
            rep.Issues.push_back({i, "starts far outside the field"});
            far[i] = true;
        }
        // An item made outside 0..310 across or above the top edge is gone the frame it appears.
        if (r.Kind == 35 && (r.Y < 0 || r.X < 0 || r.X > 310))
            rep.Issues.push_back(
                {i, "is a carrier that can be destroyed where its item falls out of the field at "
                    "once: start it at Y 0 or lower, X 0 to 310"});
        for (int j = 0; j < i; ++j) {
            const ScriptRecord& o = rep.Records[j];
            if (o.Time == r.Time && o.X == r.X && o.Y == r.Y) {
                rep.Issues.push_back({i, "is placed on top of " + FormatRecord(o)});
                break;
            }
        }
    }
    const int unused = static_cast<int>(rep.Records.size()) - rep.BossIndex - 1;
    if (unused > 0)
        rep.Issues.push_back({-1, Plural(unused, "record comes", "records come") +
                                      " after the boss record and can never fire"});

    Fly(rep, difficulty, seed);
    for (int i = 0; i < rep.BossIndex; ++i)
        if (rep.Records[i].Kind != 18)
            rep.Windows[WindowOf(rep, rep.Records[i].Time)].Hits += rep.Flights[i].Hits;
    for (int i = 0; i < rep.BossIndex; ++i) {
        const RecordFlight& f = rep.Flights[i];
        if (f.Dropped)
            rep.Issues.push_back({i, "is dropped: 16 enemies are alive at frame " +
                                         std::to_string(f.PlacedFrame) + " even when none is destroyed"});
        else if (f.PlacedFrame >= 0 && !f.Seen && !far[i])
            rep.Issues.push_back({i, "is never seen: it does not fly into the field"});
    }
    std::stable_sort(rep.Issues.begin(), rep.Issues.end(),
                     [](const StageIssue& a, const StageIssue& b) { return a.Record < b.Record; });
    return rep;
}

StageReport InspectStageText(const std::string& text, int difficulty, unsigned seed) {
    std::istringstream in(text);
    return InspectStage(ReadStageFile(in), difficulty, seed);
}

std::string FormatReport(const std::string& name, const StageReport& rep, bool listRecords) {
    std::ostringstream out;
    if (!rep.Error.empty()) {
        out << name << ": cannot be used: " << rep.Error << "\n";
        return out.str();
    }
    const int bossFrame = 10 * rep.BossTime;
    out << name << ": " << rep.BossIndex << " records before the boss; boss record at Time " << rep.BossTime
        << " (" << Clock(bossFrame) << " of play, boss warning from frame " << bossFrame - 100 << ")\n";
    if (rep.HoldFrames > 0)
        out << "  a holding carrier stops the clock for up to " << Clock(rep.HoldFrames) << " more ("
            << Clock(bossFrame + rep.HoldFrames) << " in all) unless it is destroyed\n";
    out << "   time    placed  hits  items  alive  shots  kinds\n";
    int placed = 0, hits = 0, powerUps = 0, large = 0, small = 0;
    for (const StageWindow& w : rep.Windows) {
        std::string items =
            std::string(w.PowerUps, 'P') + std::string(w.LargeBonus, 'B') + std::string(w.SmallBonus, 'b');
        std::string kinds;
        for (const auto& [kind, n] : w.Kinds)
            kinds +=
                (kinds.empty() ? "" : " ") + std::to_string(kind) + (n > 1 ? "x" + std::to_string(n) : "");
        if (w.Warning) kinds += kinds.empty() ? "(boss warning)" : "  (boss warning)";
        char line[256];
        std::snprintf(line, sizeof line, "  %3d-%3d   %5d  %4d  %-5s  %5d  %5d  %s\n", w.FromTime,
                      std::min(w.FromTime + kWindowTime - 1, rep.BossTime), w.Placed, w.Hits, items.c_str(),
                      w.MostAlive, w.Shots, kinds.c_str());
        out << line;
        placed += w.Placed;
        hits += w.Hits;
        powerUps += w.PowerUps;
        large += w.LargeBonus;
        small += w.SmallBonus;
    }
    out << "  enemies placed " << placed << ", hits " << hits << "; carriers: " << powerUps << " power-up, "
        << large << " large bonus, " << small << " small bonus; most alive at once " << rep.MostAlive << "\n";
    out << "  kinds:";
    for (int k : rep.Kinds) out << " " << k;
    out << "\n";
    if (listRecords) {
        out << "  record               placed  alive  with\n";
        for (int i = 0; i < rep.BossIndex; ++i) {
            const RecordFlight& f = rep.Flights[i];
            char line[160];
            std::snprintf(line, sizeof line, "  %-20s %6d  %5.1fs  %4d%s\n",
                          FormatRecord(rep.Records[i]).c_str(), f.PlacedFrame,
                          f.FramesAlive / double(kFramesPerSecond), f.MostAlive,
                          f.Dropped ? "  dropped"
                          : f.Seen  ? ""
                                    : "  never seen");
            out << line;
        }
    }
    for (const StageIssue& issue : rep.Issues) {
        out << "  problem: ";
        if (issue.Record >= 0)
            out << "record " << issue.Record + 1 << " (" << FormatRecord(rep.Records[issue.Record]) << ") ";
        out << issue.Text << "\n";
    }
    if (rep.Issues.empty()) out << "  no problems\n";
    return out.str();
}

} // namespace stageinfo
