#pragma once
// Stage files: plain text, integers separated by commas or line breaks, five to a record (time in
// tens of frames, x, y, kind, parameter). Read with every count and value checked.
#include <istream>
#include <string>
#include <vector>

#include "core/Entities.h"

constexpr int kBossRecordKind = 36;

// Kinds a stage timeline may place, and the boss record.
bool IsTimelineKind(int kind);

struct StageFile {
    std::vector<ScriptRecord> Records; // at most 512, always ending in time order at a boss record
    std::string Error;                 // empty when the file can be used; else where and why
};

// Reads a whole stage file. The records up to the boss must be timeline kinds at times the stage
// clock reaches, in order; a file without a boss gets one after its last record.
StageFile ReadStageFile(std::istream& in);
