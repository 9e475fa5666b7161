// The MML compiler: what is written comes back out of the MIDI file it makes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <tuple>

#include "audio/MidiFile.h"
#include "mml/Mml.h"

namespace {

struct Note {
    uint32_t On, Off;
    int Channel, Pitch, Velocity;
    bool operator==(const Note&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Note& n) {
    return os << "{" << n.On << "," << n.Off << ",ch" << n.Channel << ",p" << n.Pitch << ",v" << n.Velocity
              << "}";
}

// Every note of the file, in order of start, then channel, then pitch.
std::vector<Note> NotesOf(const MidiFile& file) {
    std::vector<Note> notes;
    for (const auto& track : file.Tracks) {
        std::map<std::pair<int, int>, std::pair<uint32_t, int>> sounding;
        for (const auto& e : track.Events) {
            bool on = e.Kind() == 0x90 && e.Data2 > 0;
            bool off = e.Kind() == 0x80 || (e.Kind() == 0x90 && e.Data2 == 0);
            auto key = std::make_pair(e.Channel() + 1, static_cast<int>(e.Data1));
            if (on) {
                EXPECT_FALSE(sounding.contains(key))
                    << "note " << key.second << " struck twice at " << e.Tick;
                sounding[key] = {e.Tick, e.Data2};
            } else if (off && sounding.contains(key)) {
                notes.push_back({sounding[key].first, e.Tick, key.first, key.second, sounding[key].second});
                sounding.erase(key);
            }
        }
        EXPECT_TRUE(sounding.empty()) << "notes left sounding at the end of a track";
    }
    std::sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) {
        return std::tie(a.On, a.Channel, a.Pitch) < std::tie(b.On, b.Channel, b.Pitch);
    });
    return notes;
}

MidiFile CompileAndRead(std::string_view source) {
    mml::Result r = mml::Compile(source);
    EXPECT_TRUE(r.Ok) << r.Error;
    std::string error;
    auto file = ReadMidiFile(r.Midi, &error);
    EXPECT_TRUE(file) << error;
    return file.value_or(MidiFile{});
}

constexpr uint32_t Q = 480; // ticks per quarter note

TEST(MmlCompiler, NotesComeBackWithTheirPitchTimeLengthAndVelocity) {
    const char* source = R"(#tempo 150
A o4 l8 q8 c d+ e- f4. v90 g&g / a^16 r16 >c<b-
B o2 l4 q4 'c e g'2 '>c< g'
J l16 n36 n42,8 n38,%30
)";
    MidiFile file = CompileAndRead(source);
    const std::vector<Note> expected = {
        {0, Q / 2, 1, 60, 100}, // c8 (q8: full length)
        {0, Q, 2, 36, 100},     // chord c e g, half note at q4: sounds a quarter
        {0, Q, 2, 40, 100},
        {0, Q, 2, 43, 100},
        {0, 105, 10, 36, 100}, // drums by key number; default gate 7/8
        {120, 330, 10, 42, 100},
        {Q / 2, Q, 1, 63, 100},             // d+
        {360, 386, 10, 38, 100},            // length in ticks
        {Q, 3 * Q / 2, 1, 63, 100},         // e- is the same key as d+
        {3 * Q / 2, 3 * Q, 1, 65, 100},     // f4.
        {2 * Q, 2 * Q + Q / 2, 2, 43, 100}, // octave shifts stay inside the chord: c3 g2
        {2 * Q, 2 * Q + Q / 2, 2, 48, 100},
        {3 * Q, 4 * Q, 1, 67, 90},             // g&g: one held note
        {4 * Q, 4 * Q + 3 * Q / 4, 1, 69, 90}, // a^16
        {5 * Q, 5 * Q + Q / 2, 1, 72, 90},     // after r16: >c
        {5 * Q + Q / 2, 6 * Q, 1, 70, 90},     // <b-
    };
    EXPECT_EQ(NotesOf(file), expected);
    // Every track ends together; 150 bpm makes six quarters 2.4 s.
    EXPECT_EQ(file.EndTick(), 6 * Q);
    for (const auto& t : file.Tracks) EXPECT_EQ(t.EndTick, 6 * Q);
    EXPECT_NEAR(file.LengthMs(), 2400, 0.01);
}

TEST(MmlCompiler, RepeatsMacrosAndPartsSharingALine) {
    const char* source = R"(#def RIFF c [d | e]3 f
AB l4 $RIFF
B k12 c
  c
#channel B 3
)";
    std::vector<int> a, b;
    for (const Note& n : NotesOf(CompileAndRead(source))) (n.Channel == 1 ? a : b).push_back(n.Pitch);
    EXPECT_EQ(a, (std::vector<int>{60, 62, 64, 62, 64, 62, 65}));
    EXPECT_EQ(b, (std::vector<int>{60, 62, 64, 62, 64, 62, 65, 72, 72}));
}

TEST(MmlCompiler, ChannelSettingsTempoChangesAndResetsAreWritten) {
    MidiFile file = CompileAndRead("#tempo 120\nA @30 V90 p20 y1,5 c4 t60 c4\n");
    ASSERT_EQ(file.Tracks.size(), 2u);
    // The conductor resets the channel before the part speaks, so a rewound track sounds the same.
    std::vector<std::tuple<int, int, int>> controls;
    for (const auto& track : file.Tracks)
        for (const auto& e : track.Events)
            if (e.Kind() == 0xB0 || e.Kind() == 0xC0) controls.emplace_back(e.Kind(), e.Data1, e.Data2);
    const std::vector<std::tuple<int, int, int>> expected = {
        {0xB0, 121, 0}, {0xB0, 7, 100}, {0xB0, 10, 64}, {0xC0, 0, 0},  // conductor
        {0xC0, 29, 0},  {0xB0, 7, 90},  {0xB0, 10, 20}, {0xB0, 1, 5}}; // the part
    EXPECT_EQ(controls, expected);
    EXPECT_NEAR(file.LengthMs(), 500 + 1000, 0.01);
}

TEST(MmlCompiler, MistakesAreReportedWithTheirPlace) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"A c d x", "1:7: unknown command 'x'"},
        {"A c\nA [c d", "2:3: [ without ]"},
        {"A c ]", "1:5: ] without ["},
        {"A c7", "1:4: no note value 7"},
        {"A o9 g g+", "1:8: note out of the MIDI range"},
        {"A @0 c", "1:4: @ needs a number from 1 to 128"},
        {"#def X c q9\nA $X", "1:11: q needs a number from 1 to 8"},
        {"A $Y", "1:3: unknown macro $Y"},
        {"#def X $X\nA $X", "macros nested too deeply"},
        {"Q c", "part Q needs a #channel"},
        {"A [c1]1000 [c1]1000 [[c1]1000]1000", "longer than an hour"},
        {"A 'c e g", "chord without closing '"},
        {"#meter 3/4\nA c2 / c2. /", "2:6: bar line 960 ticks into a bar"},
        {"#tempo fast\nA c", "1:1: #tempo needs a number"},
        {"c d e", "1:1: a line starts with part letters"},
        {"", "no parts"},
    };
    for (const auto& [source, message] : cases) {
        mml::Result r = mml::Compile(source);
        EXPECT_FALSE(r.Ok) << source;
        EXPECT_NE(r.Error.find(message), std::string::npos) << source << " gave: " << r.Error;
    }
}

TEST(MmlCompiler, TheBuiltTracksAreWholeLoopsWithEveryVoice) {
    // Length in seconds; every track has drums and at least three pitched parts (melody,
    // harmony, bass), and every track of a file ends on the same tick, so a restart is seamless.
    const std::vector<std::tuple<const char*, double, double>> tracks = {
        {"main1", 60, 120}, {"main2", 60, 120}, {"main3", 60, 120}, {"boss1", 40, 90}, {"boss2", 40, 90},
        {"clear", 4, 12},   {"cont", 20, 45},   {"csel", 20, 60},   {"end", 80, 150},  {"over", 5, 15},
    };
    double longestOther = 0, ending = 0;
    for (const auto& [name, shortest, longest] : tracks) {
        std::filesystem::path path = std::filesystem::path(KORVAXION_GAME_DIR) / (std::string(name) + ".mid");
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string error;
        auto file = ReadMidiFile(bytes, &error);
        ASSERT_TRUE(file) << name << ": " << error;
        const double seconds = file->LengthMs() / 1000;
        EXPECT_GE(seconds, shortest) << name;
        EXPECT_LE(seconds, longest) << name;
        if (std::string(name) == "end")
            ending = seconds;
        else
            longestOther = std::max(longestOther, seconds);
        std::set<int> pitched;
        bool drums = false;
        for (const auto& track : file->Tracks) {
            EXPECT_EQ(track.EndTick, file->EndTick()) << name;
            for (const auto& e : track.Events) {
                if (e.Kind() != 0x90 || e.Data2 == 0) continue;
                if (e.Channel() == 9)
                    drums = true;
                else
                    pitched.insert(e.Channel());
            }
        }
        EXPECT_TRUE(drums) << name;
        EXPECT_GE(pitched.size(), 3u) << name;
    }
    EXPECT_GT(ending, longestOther) << "the ending is the longest track";
}

} // namespace
