#pragma once
// A small synthesiser for the game's sound effects. A patch is a handful of voices, each an
// oscillator (square, saw, triangle, sine or noise) with an attack/decay/sustain/release
// envelope, a pitch slide or a note sequence, vibrato and a resonant low-pass filter. The voices
// are summed, optionally driven into soft saturation, and scaled to the patch's peak level.
// Output is 16-bit mono PCM and the same patch always renders the same bytes.
//
// Patch text: one setting a line, "name value...", '#' starts a comment. Settings before the
// first "voice" line belong to the whole sound:
//   rate 44100        sample rate in Hz
//   peak -1           peak level of the result in dBFS (the voices are scaled to it)
//   drive 0           soft saturation amount (0 = none)
//   tail 0            seconds of silence added after the last voice
// "voice" starts a voice; its settings (times in seconds, frequencies in Hz):
//   wave square|saw|triangle|sine|noise
//   start 0           when the voice begins
//   attack decay hold release   envelope stage lengths; sustain 0..1 is the level during hold
//   level 1           loudness relative to the other voices
//   freq 440          pitch (noise: how often a new random value is drawn)
//   slide 110         pitch at the end of the slide (exponential glide)...
//   slidetime 0.2     ...taking this long (default: the whole voice)
//   notes 72 76 79    a sequence of MIDI note numbers instead of freq, each lasting "step"
//   step 0.06         seconds per note of the sequence
//   cycle             the sequence repeats instead of holding its last note
//   vibrato 0.3 6     depth in semitones, rate in Hz
//   duty 0.5          square pulse width
//   lowpass 8000 400  cutoff at the start and at the end of the voice (exponential sweep)
//   resonance 0.7     filter Q (0.5 .. 8)
//   seed 1            noise generator seed
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sfx {

enum class Wave { Square, Saw, Triangle, Sine, Noise };

struct Voice {
    Wave Shape = Wave::Square;
    double Start = 0;
    double Attack = 0.002, Decay = 0, Hold = 0.1, Release = 0.05, Sustain = 1;
    double Level = 1;
    double Freq = 440;
    double SlideTo = 0; // 0: no slide
    double SlideTime = 0;
    std::vector<int> Notes;
    double Step = 0.05;
    bool Cycle = false;
    double VibratoDepth = 0, VibratoRate = 0;
    double Duty = 0.5;
    double CutoffStart = 0, CutoffEnd = 0; // 0: no filter
    double Resonance = 0.7071;
    uint32_t Seed = 1;

    double Length() const { return Attack + Decay + Hold + Release; }
};

struct Patch {
    int Rate = 44100;
    double PeakDb = -1;
    double Drive = 0;
    double Tail = 0;
    std::vector<Voice> Voices;
};

struct ParseResult {
    bool Ok = false;
    std::string Error; // "line: message"
    Patch Sound;
};

ParseResult Parse(std::string_view text);
std::vector<int16_t> Render(const Patch& patch);
// A complete WAV file image: RIFF, PCM, 16-bit mono.
std::vector<uint8_t> WaveImage(const std::vector<int16_t>& samples, int rate);

} // namespace sfx
