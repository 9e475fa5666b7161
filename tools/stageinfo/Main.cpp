// stageinfo: prints what stage files place, per ten seconds of the stage clock, and every record
// that breaks the rules of a stage. Exit status 0 when all files are clean, 1 when some record
// breaks a rule, 2 when a file cannot be read at all.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "stageinfo/StageInfo.h"

namespace {

void Usage() {
    std::fprintf(stderr,
                 "usage: stageinfo [--difficulty 0|1|2] [--seed N] [--records] FILE...\n"
                 "  --records  also list each record: frame placed, time alive, enemies alive with it\n");
}

} // namespace

int main(int argc, char** argv) {
    int difficulty = 1;
    unsigned seed = 1;
    bool records = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--records") {
            records = true;
        } else if ((a == "--difficulty" || a == "--seed") && i + 1 < argc) {
            char* end = nullptr;
            const long v = std::strtol(argv[++i], &end, 10);
            if (*end != 0 || v < 0 || (a == "--difficulty" && v > 2)) {
                Usage();
                return 2;
            }
            if (a == "--difficulty")
                difficulty = static_cast<int>(v);
            else
                seed = static_cast<unsigned>(v);
        } else if (!a.empty() && a[0] == '-') {
            Usage();
            return 2;
        } else {
            files.push_back(a);
        }
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
