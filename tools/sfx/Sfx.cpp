#include "Sfx.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace sfx {
namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double MaxSeconds = 20;

struct ParseError {
    int Line;
    std::string What;
};

double NoteHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

class Oscillator {
  public:
    explicit Oscillator(const Voice& v) : v_(v), noiseState_(v.Seed ? v.Seed : 1) { NextNoise(); }

    // One sample at this frequency (Hz) and sample rate.
    double Next(double hz, double rate) {
        phase_ += hz / rate;
        const bool wrapped = phase_ >= 1;
        phase_ -= std::floor(phase_);
        switch (v_.Shape) {
        case Wave::Square:
            return phase_ < v_.Duty ? 1.0 : -1.0;
        case Wave::Saw:
            return 2 * phase_ - 1;
        case Wave::Triangle:
            return phase_ < 0.5 ? 4 * phase_ - 1 : 3 - 4 * phase_;
        case Wave::Sine:
            return std::sin(2 * Pi * phase_);
        case Wave::Noise:
            if (wrapped) NextNoise();
            return noise_;
        }
        return 0;
    }

  private:
    void NextNoise() {
        // xorshift32: the same seed gives the same noise on every machine.
        noiseState_ ^= noiseState_ << 13;
        noiseState_ ^= noiseState_ >> 17;
        noiseState_ ^= noiseState_ << 5;
        noise_ = static_cast<double>(noiseState_) / 2147483648.0 - 1.0;
    }

    const Voice& v_;
    double phase_ = 0;
    uint32_t noiseState_;
    double noise_ = 0;
};

// Zero-delay-feedback state-variable low-pass: stable for any cutoff below Nyquist.
class LowPass {
  public:
    double Next(double x, double cutoff, double q, double rate) {
        const double g = std::tan(Pi * std::min(cutoff, rate * 0.45) / rate);
        const double k = 1 / q;
        const double a1 = 1 / (1 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = x - ic2_;
        const double v1 = a1 * ic1_ + a2 * v3;
        const double v2 = ic2_ + a2 * ic1_ + a3 * v3;
        ic1_ = 2 * v1 - ic1_;
        ic2_ = 2 * v2 - ic2_;
        return v2;
    }

  private:
    double ic1_ = 0, ic2_ = 0;
};

double Envelope(const Voice& v, double t) {
    if (t < 0) return 0;
    if (t < v.Attack) return t / v.Attack;
    t -= v.Attack;
    if (t < v.Decay) return 1 - (1 - v.Sustain) * (t / v.Decay);
    t -= v.Decay;
    if (t < v.Hold) return v.Sustain;
    t -= v.Hold;
    if (t < v.Release) {
        // Exponential-looking fall: quick at first, soft at the end.
        double x = 1 - t / v.Release;
        return v.Sustain * x * x;
    }
    return 0;
}

double Pitch(const Voice& v, double t) {
    double hz;
    if (!v.Notes.empty()) {
        size_t i = static_cast<size_t>(t / v.Step);
        i = v.Cycle ? i % v.Notes.size() : std::min(i, v.Notes.size() - 1);
        hz = NoteHz(v.Notes[i]);
    } else {
        hz = v.Freq;
        if (v.SlideTo > 0) {
            double span = v.SlideTime > 0 ? v.SlideTime : v.Length();
            hz *= std::pow(v.SlideTo / v.Freq, std::min(t / span, 1.0));
        }
    }
    if (v.VibratoDepth > 0) hz *= std::pow(2.0, v.VibratoDepth * std::sin(2 * Pi * v.VibratoRate * t) / 12);
    return hz;
}

void RenderVoice(const Voice& v, int rate, std::vector<double>& mix) {
    Oscillator osc(v);
    LowPass filter;
    const size_t first = static_cast<size_t>(std::lround(v.Start * rate));
    const size_t count = static_cast<size_t>(std::lround(v.Length() * rate));
    for (size_t n = 0; n < count && first + n < mix.size(); ++n) {
        double t = static_cast<double>(n) / rate;
        double s = osc.Next(Pitch(v, t), rate);
        if (v.CutoffStart > 0) {
            double end = v.CutoffEnd > 0 ? v.CutoffEnd : v.CutoffStart;
            double cutoff = v.CutoffStart * std::pow(end / v.CutoffStart, t / v.Length());
            s = filter.Next(s, cutoff, v.Resonance, rate);
        }
        mix[first + n] += s * Envelope(v, t) * v.Level;
    }
}

double Number(std::istringstream& in, int line, const std::string& name, double low, double high) {
    double value;
    if (!(in >> value) || value < low || value > high) {
        std::ostringstream what;
        what << name << " needs a number from " << low << " to " << high;
        throw ParseError{line, what.str()};
    }
    return value;
}

} // namespace

ParseResult Parse(std::string_view text) {
    ParseResult result;
    Patch& patch = result.Sound;
    int lineNumber = 0;
    try {
        std::istringstream lines{std::string(text)};
        std::string line;
        while (std::getline(lines, line)) {
            ++lineNumber;
            if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
            std::istringstream in(line);
            std::string name;
            if (!(in >> name)) continue;
            Voice* v = patch.Voices.empty() ? nullptr : &patch.Voices.back();
            auto voiceOnly = [&]() -> Voice& {
                if (!v) throw ParseError{lineNumber, name + " belongs to a voice"};
                return *v;
            };
            auto num = [&](double low, double high) { return Number(in, lineNumber, name, low, high); };
            if (name == "voice")
                patch.Voices.emplace_back();
            else if (name == "rate")
                patch.Rate = static_cast<int>(num(8000, 96000));
            else if (name == "peak")
                patch.PeakDb = num(-40, 0);
            else if (name == "drive")
                patch.Drive = num(0, 20);
            else if (name == "tail")
                patch.Tail = num(0, MaxSeconds);
            else if (name == "wave") {
                std::string w;
                in >> w;
                Voice& voice = voiceOnly();
                if (w == "square")
                    voice.Shape = Wave::Square;
                else if (w == "saw")
                    voice.Shape = Wave::Saw;
                else if (w == "triangle")
                    voice.Shape = Wave::Triangle;
                else if (w == "sine")
                    voice.Shape = Wave::Sine;
                else if (w == "noise")
                    voice.Shape = Wave::Noise;
                else
                    throw ParseError{lineNumber, "wave is square, saw, triangle, sine or noise"};
            } else if (name == "start")
                voiceOnly().Start = num(0, MaxSeconds);
            else if (name == "attack")
                voiceOnly().Attack = num(0.0001, MaxSeconds);
            else if (name == "decay")
                voiceOnly().Decay = num(0, MaxSeconds);
            else if (name == "hold")
                voiceOnly().Hold = num(0, MaxSeconds);
            else if (name == "release")
                voiceOnly().Release = num(0, MaxSeconds);
            else if (name == "sustain")
                voiceOnly().Sustain = num(0, 1);
            else if (name == "level")
                voiceOnly().Level = num(0, 10);
            else if (name == "freq")
                voiceOnly().Freq = num(1, 20000);
            else if (name == "slide")
                voiceOnly().SlideTo = num(1, 20000);
            else if (name == "slidetime")
                voiceOnly().SlideTime = num(0.001, MaxSeconds);
            else if (name == "step")
                voiceOnly().Step = num(0.001, MaxSeconds);
            else if (name == "cycle")
                voiceOnly().Cycle = true;
            else if (name == "duty")
                voiceOnly().Duty = num(0.01, 0.99);
            else if (name == "resonance")
                voiceOnly().Resonance = num(0.5, 8);
            else if (name == "seed")
                voiceOnly().Seed = static_cast<uint32_t>(num(1, 4294967295.0));
            else if (name == "vibrato") {
                Voice& voice = voiceOnly();
                voice.VibratoDepth = num(0, 24);
                voice.VibratoRate = num(0, 100);
            } else if (name == "lowpass") {
                Voice& voice = voiceOnly();
                voice.CutoffStart = num(20, 20000);
                double end;
                voice.CutoffEnd = (in >> end) ? std::clamp(end, 20.0, 20000.0) : voice.CutoffStart;
            } else if (name == "notes") {
                Voice& voice = voiceOnly();
                voice.Notes.clear();
                int note;
                while (in >> note) {
                    if (note < 0 || note > 127)
                        throw ParseError{lineNumber, "notes are MIDI numbers 0 to 127"};
                    voice.Notes.push_back(note);
                }
                if (voice.Notes.empty()) throw ParseError{lineNumber, "notes needs at least one note"};
            } else
                throw ParseError{lineNumber, "unknown setting " + name};
            std::string extra;
            if (in.clear(), in >> extra) throw ParseError{lineNumber, "unexpected " + extra};
        }
        if (patch.Voices.empty()) throw ParseError{lineNumber, "no voice"};
        for (const Voice& v : patch.Voices)
            if (v.Start + v.Length() > MaxSeconds)
                throw ParseError{lineNumber, "a voice runs past 20 seconds"};
        result.Ok = true;
    } catch (const ParseError& e) {
        result.Ok = false;
        result.Error = std::to_string(e.Line) + ": " + e.What;
    }
    return result;
}

std::vector<int16_t> Render(const Patch& patch) {
    double seconds = 0;
    for (const Voice& v : patch.Voices) seconds = std::max(seconds, v.Start + v.Length());
    seconds += patch.Tail;
    std::vector<double> mix(static_cast<size_t>(std::lround(seconds * patch.Rate)), 0.0);
    for (const Voice& v : patch.Voices) RenderVoice(v, patch.Rate, mix);

    if (patch.Drive > 0) {
        const double norm = std::tanh(patch.Drive);
        double peak = 0;
        for (double s : mix) peak = std::max(peak, std::abs(s));
        if (peak > 0)
            for (double& s : mix) s = std::tanh(patch.Drive * s / peak) / norm;
    }

    // A few milliseconds of fade at the very end, so a cut-off tail never clicks.
    const size_t fade = std::min<size_t>(mix.size(), static_cast<size_t>(patch.Rate / 200));
    for (size_t i = 0; i < fade; ++i) mix[mix.size() - 1 - i] *= static_cast<double>(i) / fade;

    double peak = 0;
    for (double s : mix) peak = std::max(peak, std::abs(s));
    const double scale = peak > 0 ? std::pow(10.0, patch.PeakDb / 20) * 32767 / peak : 0;
    std::vector<int16_t> out(mix.size());
    for (size_t i = 0; i < mix.size(); ++i)
        out[i] = static_cast<int16_t>(std::clamp<long>(std::lround(mix[i] * scale), -32768, 32767));
    return out;
}

std::vector<uint8_t> WaveImage(const std::vector<int16_t>& samples, int rate) {
    std::vector<uint8_t> out;
    auto put16 = [&](uint32_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto put32 = [&](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(36 + dataBytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(16);
    put16(1); // PCM
    put16(1); // mono
    put32(static_cast<uint32_t>(rate));
    put32(static_cast<uint32_t>(rate) * 2);
    put16(2);
    put16(16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(dataBytes);
    for (int16_t s : samples) put16(static_cast<uint16_t>(s));
    return out;
}

} // namespace sfx
