#pragma once
// The music device's command strings, parsed once for both backends. Words are matched without
// regard to case; the only device alias is "Midi".
#include <string>
#include <string_view>

struct MusicCommand {
    enum class Verb { Open, Play, Pause, Stop, SeekToStart, Close, StatusMode, Invalid };
    Verb What = Verb::Invalid;
    std::string FileName; // Open only
};

MusicCommand ParseMusicCommand(std::string_view text);
