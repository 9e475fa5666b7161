#pragma once
// File handling shared by the build-time content tools.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace toolfiles {

// The command line every content tool takes: [-v] INPUT OUTPUT. False when it does not fit.
struct ToolArgs {
    bool Verbose = false;
    std::string Input, Output;
};
inline bool ParseToolArgs(int argc, char** argv, ToolArgs& args) {
    int first = 1;
    if (argc > 1 && std::string(argv[1]) == "-v") {
        args.Verbose = true;
        first = 2;
    }
    if (argc - first != 2) return false;
    args.Input = argv[first];
    args.Output = argv[first + 1];
    return true;
}

inline bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Writes beside the target and renames over it, so an interrupted build never leaves half a file
// that looks finished.
inline bool WriteReplacing(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

} // namespace toolfiles
