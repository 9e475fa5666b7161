// The real audio backend, run on SDL's disk driver in real time: what it rendered is read back
// from the file and checked against what the game asked for.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "mml/Mml.h"
#include "platform/sdl/SdlAudio.h"
#include "sfx/Sfx.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Runs of output: loud (an effect at full level), quiet (anything else that sounds) or silent
// (below -78 dBFS: the synthesiser's dither may flicker in the last bit), in milliseconds.
struct Stretch {
    char Kind;
    double Ms;
};

std::vector<Stretch> Runs(const std::vector<int16_t>& stereo) {
    std::vector<Stretch> runs;
    for (size_t i = 0; i + 1 < stereo.size(); i += 2) {
        int level = std::max(std::abs(stereo[i]), std::abs(stereo[i + 1]));
        char kind = level <= 4 ? 's' : level > 12000 ? 'L' : 'q';
        if (runs.empty() || runs.back().Kind != kind) runs.push_back({kind, 0});
        runs.back().Ms += 1000.0 / 44100;
    }
    // Merge flickers shorter than 3 ms (zero crossings, the edges of a block) into their neighbours.
    std::vector<Stretch> merged;
    for (const Stretch& r : runs) {
        if (!merged.empty() && (merged.back().Kind == r.Kind || r.Ms < 3))
            merged.back().Ms += r.Ms;
        else
            merged.push_back(r);
    }
    return merged;
}

class DiskAudio : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::path(::testing::TempDir()) / "korvaxion-audio-device";
        std::filesystem::create_directories(dir_);
        // One file a test: ctest may run them side by side.
        raw_ =
            (dir_ / (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".raw"))
                .string();
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", raw_.c_str(), 1);
        unsetenv("SDL_DISKAUDIODELAY"); // real time
        ASSERT_EQ(SDL_Init(0), 0);
    }
    void TearDown() override {
        SDL_Quit();
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }
    std::vector<int16_t> Output() const {
        std::ifstream in(raw_, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }
    // Polls the status every 2 ms until it is no longer "playing"; returns how long that took.
    static std::chrono::milliseconds UntilStopped(SdlAudio& audio) {
        auto start = Clock::now();
        while (audio.Command("status Midi mode") == "playing" && Clock::now() - start < 5s)
            std::this_thread::sleep_for(2ms);
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    }

    std::filesystem::path dir_;
    std::string raw_;
};

TEST_F(DiskAudio, MusicEndsOnTimePausesInSilenceResumesWhereItWasRewindsAndStops) {
    // Half a second of held organ chord: it sounds without a break while it plays.
    mml::Result song = mml::Compile("#tempo 120\nA @17 V60 o4 q8 'ceg'8 'ceg'8\n");
    ASSERT_TRUE(song.Ok) << song.Error;
    const std::string midi = (dir_ / "organ.mid").string(); // only this test writes it
    std::ofstream(midi, std::ios::binary)
        .write(reinterpret_cast<const char*>(song.Midi.data()),
               static_cast<std::streamsize>(song.Midi.size()));

    SdlAudio audio;
    audio.Open(KORVAXION_GAME_DIR);
    EXPECT_EQ(audio.Command("status Midi mode"), "") << "nothing open";
    EXPECT_EQ(audio.Command("Open \"" + (dir_ / "missing.mid").string() + "\" alias Midi"), "");
    EXPECT_EQ(audio.Command("status Midi mode"), "") << "a missing file does not open";
    audio.Command("Open \"" + midi + "\" alias Midi");
    EXPECT_EQ(audio.Command("status Midi mode"), "stopped");

    audio.Command("Play Midi");
    EXPECT_EQ(audio.Command("status Midi mode"), "playing");
    std::this_thread::sleep_for(150ms);
    audio.Command("Pause Midi");
    EXPECT_EQ(audio.Command("status Midi mode"), "paused");
    std::this_thread::sleep_for(300ms);
    audio.Command("Play Midi");
    const auto rest = UntilStopped(audio);
    EXPECT_NEAR(rest.count(), 350, 90) << "resumed where it was paused";

    audio.Command("Seek Midi to Start");
    EXPECT_EQ(audio.Command("status Midi mode"), "stopped");
    audio.Command("Play Midi");
    const auto again = UntilStopped(audio);
    EXPECT_NEAR(again.count(), 500, 90) << "played again from the start";
    audio.Command("Stop Midi");
    audio.Command("Close Midi");
    EXPECT_EQ(audio.Command("status Midi mode"), "");

    // Quitting from a pause: nothing of the paused track (not even its reverb) is heard after.
    audio.Command("Open \"" + midi + "\" alias Midi");
    audio.Command("Play Midi");
    std::this_thread::sleep_for(200ms);
    audio.Command("Pause Midi");
    std::this_thread::sleep_for(100ms);
    audio.Command("Stop Midi");
    audio.Command("Close Midi");
    std::this_thread::sleep_for(400ms);
    audio.Close();

    // Silence before the track, the first 150 ms, exact silence for the pause, then sound again.
    std::vector<Stretch> runs = Runs(Output());
    ASSERT_GE(runs.size(), 4u);
    size_t i = runs[0].Kind == 's' ? 1 : 0;
    EXPECT_EQ(runs[i].Kind, 'q');
    EXPECT_NEAR(runs[i].Ms, 150, 60);
    EXPECT_EQ(runs[i + 1].Kind, 's');
    EXPECT_NEAR(runs[i + 1].Ms, 300, 60);
    EXPECT_EQ(runs[i + 2].Kind, 'q');
    EXPECT_GT(runs[i + 2].Ms, 700) << "the rest of the track and the whole of it again";
    EXPECT_EQ(runs.back().Kind, 's');
    EXPECT_GT(runs.back().Ms, 450) << "silent from the last pause on";
}

TEST_F(DiskAudio, ANewEffectStopsTheOneSounding) {
    // A loud half-second tone, interrupted after 100 ms by a quiet 50 ms one.
    auto tone = [](double seconds, double peakDb) {
        sfx::ParseResult p = sfx::Parse("peak " + std::to_string(peakDb) +
                                        "\nvoice\nwave square\nfreq 441\nattack 0.0001\nhold " +
                                        std::to_string(seconds) + "\nrelease 0.0001\n");
        EXPECT_TRUE(p.Ok) << p.Error;
        return sfx::WaveImage(sfx::Render(p.Sound), p.Sound.Rate);
    };
    const std::vector<uint8_t> loud = tone(0.5, -1), quiet = tone(0.05, -20);
    const std::vector<uint8_t> broken(loud.begin(), loud.begin() + 20);

    SdlAudio audio;
    audio.Open(KORVAXION_GAME_DIR);
    audio.PlaySound(loud);
    std::this_thread::sleep_for(100ms);
    audio.PlaySound(quiet);
    audio.PlaySound(broken); // plays nothing and leaves the quiet one alone
    std::this_thread::sleep_for(600ms);
    audio.Close();

    std::vector<Stretch> runs = Runs(Output());
    std::vector<Stretch> sounding;
    for (const Stretch& r : runs)
        if (r.Kind != 's' || !sounding.empty()) sounding.push_back(r);
    ASSERT_GE(sounding.size(), 3u);
    EXPECT_EQ(sounding[0].Kind, 'L');
    EXPECT_NEAR(sounding[0].Ms, 100, 50) << "the loud tone was cut short";
    EXPECT_EQ(sounding[1].Kind, 'q');
    EXPECT_NEAR(sounding[1].Ms, 50, 15);
    EXPECT_EQ(sounding[2].Kind, 's');
    EXPECT_GT(sounding[2].Ms, 350) << "and did not come back";
}

TEST_F(DiskAudio, WithoutASoundFontTracksStillRunTheirCourseSilently) {
    mml::Result song = mml::Compile("#tempo 120\nA @17 o4 q8 'ceg'4\n");
    ASSERT_TRUE(song.Ok) << song.Error;
    const std::string midi = (dir_ / "quarter.mid").string();
    std::ofstream(midi, std::ios::binary)
        .write(reinterpret_cast<const char*>(song.Midi.data()),
               static_cast<std::streamsize>(song.Midi.size()));

    SdlAudio audio;
    audio.Open(dir_.string()); // no SoundFont here
    audio.Command("Open \"" + midi + "\" alias Midi");
    audio.Command("Play Midi");
    EXPECT_NEAR(UntilStopped(audio).count(), 500, 90) << "the track keeps its time, so it still loops";
    EXPECT_EQ(audio.Command("status Midi mode"), "stopped");
    audio.Close();
    for (const Stretch& r : Runs(Output())) EXPECT_EQ(r.Kind, 's');
}

} // namespace
