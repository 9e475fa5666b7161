#pragma once
// Stage inspection: what a stage file places and when, and the records that break the rules a
// stage must keep (values a kind does not know, enemies that are never seen, records that cannot
// fire). The timeline is flown through the game's own enemy code with a ship that only watches,
// so lifetimes and the number of enemies alive are those of a player who destroys nothing.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/StageFile.h"

namespace stageinfo {

constexpr int kWindowTime = 25; // ten seconds of the stage clock at 25 frames per second

// The Param values a timeline kind gives a meaning to; empty for a kind that is not placeable.
std::vector<int> ParamsOf(int kind);

// What became of one record while the stage was flown.
struct RecordFlight {
    int PlacedFrame = -1; // frame of play it fired at (-1: never reached)
    bool Dropped = false; // fired while 16 enemies were alive, so nothing was placed
    bool Seen = false;    // some part of it was inside the field
    int FramesAlive = 0;  // until it left the field (or the boss came)
    int MostAlive = 0;    // enemies alive together with it, at most
    int Hits = 0;         // as placed on the difficulty inspected
};

struct StageWindow {
    int FromTime = 0; // first Time unit of the window
    int Placed = 0;   // enemies placed (obstacles not counted, as the stage tally does)
    int Obstacles = 0;
    int Hits = 0; // total hits of everything placed
    int PowerUps = 0, LargeBonus = 0, SmallBonus = 0;
    int MostAlive = 0;        // enemies alive at once, at most, if none is destroyed
    int Shots = 0;            // enemy shots fired (no flashes) at a ship waiting mid-bottom
    bool Warning = false;     // the boss warning runs in this window
    std::map<int, int> Kinds; // kind -> count
};

struct StageIssue {
    int Record = -1; // index into the records, or -1 for the stage as a whole
    std::string Text;
};

struct StageReport {
    std::string Error; // the file cannot be used at all (reader's message)
    std::vector<ScriptRecord> Records;
    int BossIndex = -1;
    int BossTime = 0;
    int HoldFrames = 0; // frames the clock stood still for a holding carrier
    int MostAlive = 0;
    std::set<int> Kinds; // timeline kinds used before the boss
    std::vector<StageWindow> Windows;
    std::vector<RecordFlight> Flights; // one per record before the boss
    std::vector<StageIssue> Issues;
};

// Inspects a stage already read by the game's reader. `seed` only feeds the few random choices of
// the enemies' scripts.
StageReport InspectStage(const StageFile& file, int difficulty = 1, unsigned seed = 1);
StageReport InspectStageText(const std::string& text, int difficulty = 1, unsigned seed = 1);

// The report as a table for people.
std::string FormatReport(const std::string& name, const StageReport& report, bool listRecords);
std::string FormatRecord(const ScriptRecord& r);

} // namespace stageinfo
