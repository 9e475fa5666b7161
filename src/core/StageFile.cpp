// Reading stage files. Nothing here trusts the file: every value is checked, the record count is
// bounded, and a fault names its line.
#include "core/StageFile.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr size_t kMaxRecords = 512;
// The stage clock stops at 30000 frames, so a later time would never come.
constexpr int kLastTime = 3000;

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
        if (r.Kind == kBossRecordKind) return true;
    }
    if (records.size() == kMaxRecords) {
        why = "it has " + std::to_string(kMaxRecords) + " records and no boss record";
        return false;
    }
    ParsedRecord boss;
    boss.Record.Time = static_cast<int16_t>(previous);
    boss.Record.Kind = kBossRecordKind;
    records.push_back(boss);
    return true;
}

} // namespace

bool IsTimelineKind(int kind) {
    constexpr int kKinds[] = {
        0, 1, 2, 3, 4, 7, 8, 9, 11, 13, 14, 15, 16, 17, 18, 19, 20, 35, kBossRecordKind};
    return std::find(std::begin(kKinds), std::end(kKinds), kind) != std::end(kKinds);
}

StageFile ReadStageFile(std::istream& in) {
    std::vector<ParsedRecord> parsed;
    StageFile file;
    if (ParseStageFile(in, parsed, file.Error)) CheckStageRecords(parsed, file.Error);
    if (!file.Error.empty()) return file;
    for (const ParsedRecord& p : parsed) file.Records.push_back(p.Record);
    return file;
}
