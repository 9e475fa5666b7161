#include "platform/headless/InputScript.h"

#include <algorithm>
#include <cctype>
#include <sstream>

int KeyCodeByName(const std::string& name) {
    static const std::map<std::string, int> names = {
        {"Z", 90},     {"X", 88},    {"SHIFT", 16}, {"ESC", 27},  {"LEFT", 37}, {"RIGHT", 39}, {"UP", 38},
        {"DOWN", 40},  {"U", 85},    {"KP2", 98},   {"KP4", 100}, {"KP6", 102}, {"KP8", 104},  {"ENTER", 13},
    };
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto it = names.find(upper);
    if (it != names.end()) return it->second;
    if (!upper.empty() && upper.size() <= 3 && std::all_of(upper.begin(), upper.end(), ::isdigit)) {
        const int code = std::stoi(upper);
        if (code >= 1 && code <= 255) return code;
    }
    return -1;
}

InputScript InputScript::Parse(const std::string& text) {
    InputScript script;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string frameText;
        if (!(words >> frameText)) continue;
        long long frame = -1;
        try {
            size_t used = 0;
            frame = std::stoll(frameText, &used);
            if (used != frameText.size()) frame = -1;
        } catch (...) {
            frame = -1;
        }
        if (frame < 0) {
            script.Error = "line " + std::to_string(lineNumber) + ": \"" + frameText + "\" is not a frame number";
            return script;
        }
        std::set<int> keys;
        std::string key;
        while (words >> key) {
            if (key == "-") continue;
            const int code = KeyCodeByName(key);
            if (code < 0) {
                script.Error = "line " + std::to_string(lineNumber) + ": unknown key \"" + key + "\"";
                return script;
            }
            keys.insert(code);
        }
        script.Changes[frame] = std::move(keys);
    }
    return script;
}
