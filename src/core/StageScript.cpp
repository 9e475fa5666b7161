// The stage timeline: the stage files, the interpreter that fires their records frame by frame,
// and the start values of every enemy kind a timeline may place.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr int kBossKind = 36;
constexpr size_t kMaxRecords = 512;
// The stage clock stops at 30000 frames, so a later time would never come.
constexpr int kLastTime = 3000;

bool IsTimelineKind(int kind) {
    constexpr int kKinds[] = {0, 1, 2, 3, 4, 7, 8, 9, 11, 13, 14, 15, 16, 17, 18, 19, 20, 35, kBossKind};
    return std::find(std::begin(kKinds), std::end(kKinds), kind) != std::end(kKinds);
}

struct ParsedRecord {
    ScriptRecord Record;
    int Line = 0;
};

// Reads a stage file: integers separated by commas or line breaks, five to a record. Blank lines
// are ignored; spaces and tabs around a value are allowed. Stops at the first fault and describes
// it in `why`. Reads at most one record past the limit, so an enormous file costs nothing.
bool ParseStageFile(std::istream& in, std::vector<ParsedRecord>& records, std::string& why) {
    int line = 1;
    int values[5] = {};
    int count = 0;         // values of the record being read
    int recordLine = 0;    // where that record began
    int lastValueLine = 0; // where the last value was read
    std::string token;
    bool lineHasText = false;
    bool tokenTooLong = false;

    auto finishToken = [&]() -> bool {
        size_t b = token.find_first_not_of(" \t");
        size_t e = token.find_last_not_of(" \t");
        const std::string text = b == std::string::npos ? std::string() : token.substr(b, e - b + 1);
        token.clear();
        const bool tooLong = tokenTooLong;
        tokenTooLong = false;
        if (text.empty() && !tooLong) {
            why = "line " + std::to_string(line) + ": a value is missing";
            return false;
        }
        bool ok = !tooLong;
        size_t i = 0;
        if (ok && (text[0] == '-' || text[0] == '+')) i = 1;
        if (ok && (i == text.size() || text.size() - i > 6)) ok = false;
        long value = 0;
        for (size_t k = i; ok && k < text.size(); ++k) {
            if (text[k] < '0' || text[k] > '9')
                ok = false;
            else
                value = value * 10 + (text[k] - '0');
        }
        if (ok && text[0] == '-') value = -value;
        if (!ok || value < -32768 || value > 32767) {
            why = "line " + std::to_string(line) + ": \"" + (tooLong ? text + "..." : text) +
                  "\" is not a whole number from -32768 to 32767";
            return false;
        }
        if (count == 0) recordLine = line;
        lastValueLine = line;
        values[count++] = static_cast<int>(value);
        if (count == 5) {
            if (records.size() == kMaxRecords) {
                why = "line " + std::to_string(recordLine) + ": more than " + std::to_string(kMaxRecords) +
                      " records";
                return false;
            }
            ScriptRecord r;
            r.Time = static_cast<int16_t>(values[0]);
            r.X = static_cast<int16_t>(values[1]);
            r.Y = static_cast<int16_t>(values[2]);
            r.Kind = static_cast<int16_t>(values[3]);
            r.Param = static_cast<int16_t>(values[4]);
            records.push_back({r, recordLine});
            count = 0;
        }
        return true;
    };

    for (std::istreambuf_iterator<char> it(in), end; it != end; ++it) {
        const char c = *it;
        if (c == '\r') continue;
        if (c == ',') {
            lineHasText = true;
            if (!finishToken()) return false;
        } else if (c == '\n') {
            if (lineHasText && !finishToken()) return false;
            token.clear();
            lineHasText = false;
            ++line;
        } else {
            if (c != ' ' && c != '\t') lineHasText = true;
            if (token.size() < 24)
                token += c;
            else
                tokenTooLong = true;
        }
    }
    if (lineHasText && !finishToken()) return false;
    if (count != 0) {
        why = "line " + std::to_string(lastValueLine) + ": the values do not end with a whole record of five";
        return false;
    }
    return true;
}

// The records up to the boss must be timeline kinds at times the stage clock reaches, in order.
// A file without a boss gets one after its last record.
bool CheckStageRecords(std::vector<ParsedRecord>& records, std::string& why) {
    int previous = 0;
    for (const ParsedRecord& p : records) {
        const ScriptRecord& r = p.Record;
        const std::string where = "line " + std::to_string(p.Line) + ": ";
        if (!IsTimelineKind(r.Kind)) {
            why = where + "kind " + std::to_string(r.Kind) + " cannot be placed by a stage file";
            return false;
        }
        const char* fault = r.Time < 0           ? " is negative"
                            : r.Time > kLastTime ? " is later than the stage clock runs"
                            : r.Time < previous  ? " comes before the time of the record above it"
                                                 : nullptr;
        if (fault) {
            why = where + "time " + std::to_string(r.Time) + fault;
            return false;
        }
        previous = r.Time;
        if (r.Kind == kBossKind) return true;
    }
    if (records.size() == kMaxRecords) {
        why = "it has " + std::to_string(kMaxRecords) + " records and no boss record";
        return false;
    }
    ParsedRecord boss;
    boss.Record.Time = static_cast<int16_t>(previous);
    boss.Record.Kind = kBossKind;
    records.push_back(boss);
    return true;
}

} // namespace

void Game::LoadStageScript() {
    if (GameMode == 1) {
        StageScript[0] = {10, 160, 0, 35, 0};
        StageScript[1] = {21, 0, 0, 36, 0};
        return;
    }
    if (StageNumber >= 6) {
        StageScript[0] = {5, 160, 0, 35, 0};
        StageScript[1] = {8, 160, 0, 35, 0};
        StageScript[2] = {11, 160, 0, 35, 0};
        StageScript[3] = {21, 0, 0, 36, 0};
        return;
    }

    const std::string name = "s" + std::to_string(StageNumber) + ".dat";
    std::vector<ParsedRecord> records;
    std::string why;
    std::ifstream in(ProgramPath(name), std::ios::binary);
    if (!in)
        why = "it is missing or cannot be read";
    else if (ParseStageFile(in, records, why))
        CheckStageRecords(records, why);
    if (!why.empty()) {
        Fatal("The stage file \"" + name + "\" in the folder \"" + ProgramDirectory +
              "\" cannot be used: " + why + ".");
        return;
    }
    // Records past the new file's end keep what an earlier stage left; the boss record stops the
    // timeline before it reaches them.
    for (size_t i = 0; i < records.size(); ++i) StageScript[i] = records[i].Record;
}

void Game::FindWarningFrame() {
    for (const ScriptRecord& r : StageScript) {
        if (r.Kind == kBossKind) {
            WarningFrame = Wrap16(10 * r.Time - 100);
            return;
        }
    }
}

void Game::RunStageScript() {
    for (;;) {
        if (StagePhase > 1) return;
        if (ScriptIndex < 0 || ScriptIndex >= static_cast<int>(StageScript.size())) return;
        const ScriptRecord r = StageScript[ScriptIndex];
        if (10 * r.Time != FrameCounter) return;
        // A full table drops the record, but never the boss: the stage could not end without it.
        if (EnemyCount > 15 && r.Kind != kBossKind) {
            ScriptIndex += 1;
            continue;
        }
        if (r.Kind == kBossKind) {
            StartBoss();
        } else if (IsTimelineKind(r.Kind)) {
            if (r.Kind != 18) EnemiesAppeared += 1;
            for (int slot = 0; slot < static_cast<int>(EnemyTable.size()); ++slot) {
                if (EnemyTable[slot].Active) continue;
                EnemyCount += 1;
                PlaceTimelineEnemy(slot, r);
                break;
            }
        }
        ScriptIndex += 1;
    }
}

void Game::PlaceTimelineEnemy(int slot, const ScriptRecord& r) {
    EnemyRecord& e = EnemyTable[slot];
    e.Kind = r.Kind;
    e.Variant = r.Param;
    e.X = r.X;
    e.Y = r.Y;

    const bool easy = Difficulty == 0;
    auto set = [&](int heading, int speed, int width, int height, int spriteX, int spriteY, int timer,
                   int hits, int points) {
        e.Heading = Wrap16(heading);
        e.Speed = Wrap16(speed);
        e.Width = Wrap16(width);
        e.Height = Wrap16(height);
        e.SpriteX = Wrap16(spriteX);
        e.SpriteY = Wrap16(spriteY);
        e.Timer = Wrap16(timer);
        e.Hits = Wrap16(hits);
        e.Points = Wrap16(points);
    };
    const int v = e.Variant;
    switch (e.Kind) {
    case 0:
        set(90, 8, 32, 32, 0, 0, 0, easy ? 1 : 2, 50);
        break;
    case 1:
        set(90, 12, 32, 32, 32, 0, 0, easy ? 1 : 2, 50);
        break;
    // Left without points by the rules; given the value of its look-alike, kind 13.
    case 2:
        set(90, 6, 32, 32, 448, 64, 0, easy ? 2 : 4, 100);
        break;
    case 3:
        set(90, 4 + v / 2, 32, 32, 64, 0, 1 + 2 * (v % 2), easy ? 1 : 2, 100);
        break;
    case 4:
        set(90, 8, 32, 32, 0, 0, 0, easy ? 1 : 2, 50);
        break;
    case 7:
        set(90, 4, 64, 64, 192, 0, 0, easy ? 30 : 40, 500);
        break;
    case 8:
        set(90, 3, 64, 64, 256, 0, 0, easy ? 20 : 30, 500);
        break;
    case 9:
        set(0, 4, 64, 32, 96, 64, 0, easy ? 10 : 15, 200);
        break;
    case 11:
        set(90, 4, 128, 64, 320, 0, 0, 80 + 20 * Difficulty, 5000);
        break;
    case 13:
        set(90, 6, 32, 32, 448, 64, 0, easy ? 1 : 3, 100);
        break;
    case 14:
        set(270, 4, 32, 32, 480, 0, 0, 2, 200);
        break;
    case 15:
        set(90, 5, 32, 32, 448, 0, 0, easy ? 2 : 3, 100);
        break;
    // Headings left, down, right for pattern groups 0, 1, 2.
    case 16:
        set(180 - 90 * (v / 3), 2, 32, 32, 480, 64, 0, easy ? 5 : 10, 250);
        break;
    case 17:
        set(90, 3, 64, 32, 192, 128, 0, 10, 500);
        break;
    case 18:
        set(180 - 90 * v, 2, 128, 64, 256, 128, 0, 4096, 0);
        break;
    case 19:
        set(90, 2, 96, 96, 464 - 80 * v, 128, 0, easy ? 48 : 64, 1500);
        break;
    case 20:
        set(90, 2, 96, 80, 96, 128, 0, easy ? 48 : 64, 2000);
        break;
    case 35:
        set(90, 2, 48, 64, 512, 0, 0, 2, 100);
        break;
    default:
        return; // not a timeline kind: the slot stays free
    }
    e.DeathTimer = 0;
    e.Active = true;

    if (e.Kind == 11 && e.Variant == 1) {
        TimelineHold = true;
        BossMode = 0;
    }
    if (e.Kind == 35 && Player.PowerLevel == 3) e.Variant = 1;
}
