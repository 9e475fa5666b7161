// stageinfo: prints what stage files place, per ten seconds of the stage clock, and every record
// that breaks the rules of a stage. Exit status 0 when all files are clean, 1 when some record
// breaks a rule, 2 when a file cannot be read at all.
// With --play it plays a stage of a built game with the automatic player instead, and shows what
// was destroyed, what got away and where lives were lost.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

#include "stageinfo/StageInfo.h"
#include "stageinfo/StagePlay.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: stageinfo [--difficulty 0|1|2] [--seed N] [--records] FILE...\n"
                 "  --records  also list each record: frame placed, time alive, enemies alive with it\n");
}

std::string ExecutableDirectory() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    const std::string path = n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string(".");
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

} // namespace

int main(int argc, char** argv) {
    int difficulty = 1, stage = 0, ship = 0, power = 0;
    int seed = 1;
    bool records = false;
    std::string dir;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--records") {
            records = true;
        } else if (a == "--dir" && i + 1 < argc) {
            dir = argv[++i];
        } else if ((a == "--difficulty" || a == "--seed" || a == "--play" || a == "--ship" ||
                    a == "--power") &&
                   i + 1 < argc) {
            char* end = nullptr;
            const long v = std::strtol(argv[++i], &end, 10);
            const long most = a == "--difficulty" ? 2 : a == "--play" ? 5 : a == "--seed" ? 1L << 30 : 3;
            if (*end != 0 || v < (a == "--play" ? 1 : 0) || v > most) {
                Usage();
                return 2;
            }
            (a == "--difficulty" ? difficulty
             : a == "--play"     ? stage
             : a == "--ship"     ? ship
             : a == "--power"    ? power
                                 : seed) = static_cast<int>(v);
        } else if (!a.empty() && a[0] == '-') {
            Usage();
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (stage > 0) {
        stageinfo::PlaySettings set;
        set.GameDir = dir.empty() ? ExecutableDirectory() + "/.." : dir;
        set.Stage = stage;
        set.Ship = ship;
        set.Difficulty = difficulty;
        set.Power = power;
        set.Seed = seed;
        const stageinfo::StagePlay play = stageinfo::PlayStage(set);
        std::fputs(stageinfo::FormatPlay(set, play).c_str(), stdout);
        return play.Error.empty() ? 0 : 2;
    }
    if (files.empty()) {
        Usage();
        return 2;
    }

    int status = 0;
    std::set<int> kinds;
    for (const std::string& name : files) {
        std::ifstream in(name, std::ios::binary);
        StageFile file;
        if (in)
            file = ReadStageFile(in);
        else
            file.Error = "it is missing or cannot be read";
        const stageinfo::StageReport report = stageinfo::InspectStage(file, difficulty, seed);
        std::fputs(stageinfo::FormatReport(name, report, records).c_str(), stdout);
        if (!report.Error.empty())
            status = 2;
        else if (!report.Issues.empty() && status == 0)
            status = 1;
        kinds.insert(report.Kinds.begin(), report.Kinds.end());
    }
    if (files.size() > 1) {
        std::string missing;
        for (int k = 0; k < 36; ++k)
            if (!stageinfo::ParamsOf(k).empty() && !kinds.count(k)) missing += " " + std::to_string(k);
        std::printf("all files: %zu timeline kinds used%s%s\n", kinds.size(),
                    missing.empty() ? "" : "; unused:", missing.c_str());
    }
    return status;
}
