// The bounded readers that stand between the sound files and the players.
#include <gtest/gtest.h>

#include "audio/MidiFile.h"
#include "audio/MusicCommand.h"
#include "audio/WaveFile.h"
#include "mml/Mml.h"
#include "sfx/Sfx.h"

namespace {

TEST(AudioFormats, DamagedMidiFilesAreRejectedNotReadPastTheirEnd) {
    mml::Result song = mml::Compile("A l8 @20 c d e f t90 g a b > c\nJ n36 n38 n42,16 n42,16");
    ASSERT_TRUE(song.Ok) << song.Error;
    const std::vector<uint8_t>& good = song.Midi;
    ASSERT_TRUE(ReadMidiFile(good));
    // Every truncation: whole tracks missing are an error; nothing is read past the end.
    for (size_t n = 0; n < good.size(); ++n) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<long>(n));
        EXPECT_FALSE(ReadMidiFile(cut)) << "cut at " << n;
    }
    // Lengths and counts that lie.
    auto damaged = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> copy = good;
        copy[at] = value;
        return copy;
    };
    std::string error;
    EXPECT_FALSE(ReadMidiFile(damaged(18, 0x7F), &error)) << "first track length far too long";
    EXPECT_FALSE(ReadMidiFile(damaged(11, 9), &error)) << "more tracks than the file holds";
    EXPECT_FALSE(ReadMidiFile(damaged(12, 0x80), &error)) << "SMPTE time";
    EXPECT_FALSE(ReadMidiFile(damaged(9, 2), &error)) << "format 2";
    // A meta event whose length runs past its track.
    std::vector<uint8_t> meta = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0,    0,    1,    0,   96,
                                 'M', 'T', 'r', 'k', 0, 0, 0, 6, 0, 0xFF, 0x01, 0x7F, 'a', 'b'};
    EXPECT_FALSE(ReadMidiFile(meta, &error));
    EXPECT_EQ(error, "track 0: meta event cut short");
}

TEST(AudioFormats, WaveImagesAreCheckedChunkByChunk) {
    std::vector<uint8_t> good = sfx::WaveImage(std::vector<int16_t>(100, 1000), 44100);
    ASSERT_TRUE(ReadWaveFile(good));
    EXPECT_EQ(ReadWaveFile(good)->FrameCount(), 100u);
    for (size_t n = 0; n < 44; ++n) EXPECT_FALSE(ReadWaveFile(std::span(good).first(n))) << "cut at " << n;
    // A data chunk cut short keeps the whole frames that are there.
    auto cut = ReadWaveFile(std::span(good).first(good.size() - 3));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->FrameCount(), 98u);

    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> copy = good;
        std::copy(bytes.begin(), bytes.end(), copy.begin() + static_cast<long>(at));
        return copy;
    };
    EXPECT_FALSE(ReadWaveFile(with(16, {0xFF, 0xFF, 0xFF, 0x7F}))) << "format chunk longer than the file";
    EXPECT_FALSE(ReadWaveFile(with(20, {3, 0}))) << "floating-point samples";
    EXPECT_FALSE(ReadWaveFile(with(22, {0, 0}))) << "no channels";
    EXPECT_FALSE(ReadWaveFile(with(34, {24, 0}))) << "24-bit samples";
    EXPECT_FALSE(ReadWaveFile(with(12, {'d', 'a', 't', 'a'}))) << "data before the format";
    EXPECT_FALSE(ReadWaveFile(with(8, {'A', 'V', 'I', ' '})));
    // A RIFF length shorter than its own header, and a format chunk running past the end.
    std::vector<uint8_t> shortRiff = with(4, {1, 0, 0, 0});
    shortRiff.resize(20);
    EXPECT_FALSE(ReadWaveFile(shortRiff));
}

TEST(AudioFormats, MusicCommandStrings) {
    using V = MusicCommand::Verb;
    const std::vector<std::tuple<const char*, V, const char*>> cases = {
        {"Open \"/games/k v x/main1.mid\" alias Midi", V::Open, "/games/k v x/main1.mid"},
        {"open \"x.mid\" ALIAS midi", V::Open, "x.mid"},
        {"Play Midi", V::Play, ""},
        {"PAUSE MIDI", V::Pause, ""},
        {"Stop Midi", V::Stop, ""},
        {"Seek Midi to Start", V::SeekToStart, ""},
        {"Close Midi", V::Close, ""},
        {"status Midi mode", V::StatusMode, ""},
        {"Open \"\" alias Midi", V::Invalid, ""},
        {"Open \"x.mid alias Midi", V::Invalid, ""},
        {"Open \"x.mid\" alias Other", V::Invalid, ""},
        {"Play Other", V::Invalid, ""},
        {"Play Midi now", V::Invalid, ""},
        {"Rewind Midi", V::Invalid, ""},
        {"", V::Invalid, ""},
    };
    for (const auto& [text, verb, file] : cases) {
        MusicCommand c = ParseMusicCommand(text);
        EXPECT_EQ(c.What, verb) << text;
        EXPECT_EQ(c.FileName, file) << text;
    }
}

} // namespace
