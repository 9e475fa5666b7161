// The effect synthesiser and the nine effects the build renders with it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "audio/WaveFile.h"
#include "sfx/Sfx.h"

namespace {

double PeakDb(const WaveFile& w) {
    double peak = 0;
    for (uint32_t i = 0; i < w.FrameCount(); ++i) peak = std::max(peak, std::abs(w.Sample(i, 0)));
    return 20 * std::log10(peak + 1e-12);
}

TEST(SfxSynth, RendersAWaveImageOfTheRightFormatLengthAndPeak) {
    const char* patch = R"(rate 22050
peak -6
voice
wave square
notes 60 64 67
step 0.05
attack 0.01
hold 0.1
release 0.09
voice           # starts later, so it sets the length: 0.3 + 0.2
wave noise
start 0.3
attack 0.01
hold 0.1
release 0.09
lowpass 3000 200
)";
    sfx::ParseResult parsed = sfx::Parse(patch);
    ASSERT_TRUE(parsed.Ok) << parsed.Error;
    std::vector<uint8_t> image = sfx::WaveImage(sfx::Render(parsed.Sound), parsed.Sound.Rate);
    auto wave = ReadWaveFile(image);
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->Channels, 1);
    EXPECT_EQ(wave->BitsPerSample, 16);
    EXPECT_EQ(wave->SampleRate, 22050u);
    EXPECT_EQ(wave->FrameCount(), 11025u);
    EXPECT_NEAR(PeakDb(*wave), -6, 0.01);
    // Both voices sound: neither half is silent.
    double first = 0, second = 0;
    for (uint32_t i = 0; i < 11025; ++i) (i < 6615 ? first : second) += std::abs(wave->Sample(i, 0));
    EXPECT_GT(first / 6615, 0.05);
    EXPECT_GT(second / 4410, 0.005);
    // The same patch gives the same bytes.
    EXPECT_EQ(image, sfx::WaveImage(sfx::Render(parsed.Sound), parsed.Sound.Rate));
}

TEST(SfxSynth, MistakesInAPatchNameTheirLine) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"wave square", "1: wave belongs to a voice"},
        {"voice\nwave organ", "2: wave is square"},
        {"voice\nsustain 2", "2: sustain needs a number from 0 to 1"},
        {"voice\nfreq", "2: freq needs a number"},
        {"voice\nhold 0.1 0.2", "2: unexpected 0.2"},
        {"voice\nnotes 60 200", "2: notes are MIDI numbers"},
        {"voice\nwobble 3", "2: unknown setting wobble"},
        {"voice\nstart 15\nhold 10", "a voice runs past 20 seconds"},
        {"peak -3", "no voice"},
    };
    for (const auto& [text, message] : cases) {
        sfx::ParseResult r = sfx::Parse(text);
        EXPECT_FALSE(r.Ok) << text;
        EXPECT_NE(r.Error.find(message), std::string::npos) << text << " gave: " << r.Error;
    }
}

TEST(SfxSynth, TheBuiltEffectsFitTheirEvents) {
    // Lengths in seconds: blips for menus, a long heavy blast for a boss, the beam as long as the
    // special attack at the default frame time.
    const std::vector<std::tuple<const char*, double, double>> effects = {
        {"hit", 0.15, 0.5}, {"hit2", 1.8, 3.5},     {"hit3", 0.7, 1.6},
        {"beam", 2.0, 2.8}, {"select", 0.03, 0.12}, {"decide", 0.1, 0.35},
        {"item", 0.2, 0.6}, {"warn", 1.2, 2.5},     {"up", 0.4, 1.2},
    };
    for (const auto& [name, shortest, longest] : effects) {
        std::filesystem::path path = std::filesystem::path(KORVAXION_GAME_DIR) / (std::string(name) + ".wav");
        std::ifstream in(path, std::ios::binary);
        ASSERT_TRUE(in) << path;
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        auto wave = ReadWaveFile(bytes);
        ASSERT_TRUE(wave) << name;
        EXPECT_GE(wave->LengthMs(), shortest * 1000) << name;
        EXPECT_LE(wave->LengthMs(), longest * 1000) << name;
        EXPECT_GT(PeakDb(*wave), -20) << name << " is nearly silent";
        EXPECT_LT(PeakDb(*wave), -0.5) << name << " touches full scale";
    }
}

} // namespace
