#include "platform/headless/HeadlessAudio.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "audio/MidiFile.h"
#include "audio/MusicCommand.h"
#include "audio/WaveFile.h"

namespace {

std::optional<uint32_t> TrackLengthOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto file = ReadMidiFile(bytes);
    if (!file) return std::nullopt;
    return static_cast<uint32_t>(std::lround(file->LengthMs()));
}

} // namespace

std::string HeadlessAudio::Command(std::string_view command) {
    using Verb = MusicCommand::Verb;
    Commands.emplace_back(command);
    MusicCommand c = ParseMusicCommand(command);
    if (c.What == Verb::Invalid) return {};
    if (c.What == Verb::Open) {
        if (mode_ != Mode::Closed) return {}; // the alias is taken
        auto length = TrackLengthMs ? TrackLengthMs : TrackLengthOf(c.FileName);
        if (!length) return {};
        mode_ = Mode::Stopped;
        file_ = c.FileName;
        length_ = *length;
        position_ = 0;
        return {};
    }
    if (mode_ == Mode::Closed) return {};
    switch (c.What) {
    case Verb::Play:
        mode_ = position_ < length_ ? Mode::Playing : Mode::Stopped;
        break;
    case Verb::Pause:
        if (mode_ == Mode::Playing) mode_ = Mode::Paused;
        break;
    case Verb::Stop:
        mode_ = Mode::Stopped;
        break;
    case Verb::SeekToStart:
        mode_ = Mode::Stopped;
        position_ = 0;
        break;
    case Verb::Close:
        mode_ = Mode::Closed;
        file_.clear();
        break;
    case Verb::StatusMode:
        return mode_ == Mode::Playing ? "playing" : mode_ == Mode::Paused ? "paused" : "stopped";
    default:
        break;
    }
    return {};
}

void HeadlessAudio::PlaySound(std::span<const uint8_t> wav) {
    SoundStarts.push_back({wav.data(), wav.size()});
    // One voice: a playable image replaces the one sounding; a broken one changes nothing.
    if (auto wave = ReadWaveFile(wav)) {
        sound_ = wav.data();
        soundLeftMs_ = wave->LengthMs();
    }
}

void HeadlessAudio::Advance(uint32_t ms) {
    soundLeftMs_ = std::max(0.0, soundLeftMs_ - ms);
    if (mode_ != Mode::Playing) return;
    position_ = ms >= length_ - position_ ? length_ : position_ + ms;
    if (position_ >= length_) mode_ = Mode::Stopped;
}
