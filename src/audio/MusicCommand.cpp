#include "audio/MusicCommand.h"

#include <vector>

namespace {

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Splits at blanks; a double-quoted word may hold blanks. False on an unclosed quote.
bool SplitWords(std::string_view text, std::vector<std::string>& words) {
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (text[i] == '"') {
            size_t close = text.find('"', i + 1);
            if (close == std::string_view::npos) return false;
            words.emplace_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            size_t end = text.find_first_of(" \t", i);
            if (end == std::string_view::npos) end = text.size();
            words.emplace_back(text.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

} // namespace

MusicCommand ParseMusicCommand(std::string_view text) {
    using Verb = MusicCommand::Verb;
    MusicCommand result;
    std::vector<std::string> w;
    if (!SplitWords(text, w) || w.size() < 2) return result;
    const auto is = [&](size_t i, std::string_view word) { return i < w.size() && SameWord(w[i], word); };
    if (is(0, "open")) {
        if (w.size() == 4 && is(2, "alias") && is(3, "midi") && !w[1].empty()) {
            result.What = Verb::Open;
            result.FileName = w[1];
        }
        return result;
    }
    if (!is(1, "midi")) return result;
    if (w.size() == 2) {
        if (is(0, "play"))
            result.What = Verb::Play;
        else if (is(0, "pause"))
            result.What = Verb::Pause;
        else if (is(0, "stop"))
            result.What = Verb::Stop;
        else if (is(0, "close"))
            result.What = Verb::Close;
    } else if (w.size() == 4 && is(0, "seek") && is(2, "to") && is(3, "start")) {
        result.What = Verb::SeekToStart;
    } else if (w.size() == 3 && is(0, "status") && is(2, "mode")) {
        result.What = Verb::StatusMode;
    }
    return result;
}
