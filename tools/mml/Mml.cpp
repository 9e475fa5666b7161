#include "Mml.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <stdexcept>

namespace mml {
namespace {

constexpr int WholeNote = 4 * TicksPerQuarter;
constexpr uint32_t MaxTicks = 60u * 60 * 8 * TicksPerQuarter; // an hour at 480 bpm: runaway repeats
constexpr int MaxMacroDepth = 16;

// A character of a part's text with the place it was written (macros keep their own place).
struct SourceChar {
    char C;
    int Line;
    int Column;
};

struct CompileError : std::runtime_error {
    CompileError(int line, int column, const std::string& what)
        : std::runtime_error(std::to_string(line) + ":" + std::to_string(column) + ": " + what) {}
};

struct Event {
    uint32_t Tick;
    int Order; // at one tick: note-offs, then controls, then note-ons
    size_t Sequence;
    std::vector<uint8_t> Bytes;
};

struct Part {
    char Name = 0;
    int Channel = 0;
    int FirstLine = 0;
    std::vector<SourceChar> Text;
    std::vector<Event> Events;
    uint32_t EndTick = 0;
    uint32_t Notes = 0;
};

struct Song {
    std::string Title;
    double Tempo = 120;
    int MeterNumerator = 4, MeterDenominator = 4;
    uint32_t TicksPerBar = WholeNote;
    std::map<char, int> Channels;
    std::map<std::string, std::pair<std::vector<SourceChar>, int>> Macros; // name -> text, line
    std::map<char, Part> Parts;
    std::vector<std::pair<uint32_t, uint32_t>> Tempos; // tick, microseconds per quarter
};

bool IsPartLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::vector<SourceChar> Chars(std::string_view text, int line, int column) {
    std::vector<SourceChar> out;
    for (size_t i = 0; i < text.size(); ++i) out.push_back({text[i], line, column + static_cast<int>(i)});
    return out;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// ---------------------------------------------------------------- reading the file

void ReadLines(std::string_view source, Song& song) {
    int lineNumber = 0;
    std::vector<char> lastParts;
    size_t at = 0;
    while (at <= source.size()) {
        size_t end = source.find('\n', at);
        if (end == std::string_view::npos) end = source.size();
        std::string_view line = source.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (size_t comment = line.find(';'); comment != std::string_view::npos)
            line = line.substr(0, comment);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (Trim(line).empty()) continue;

        if (line[0] == '#') {
            lastParts.clear();
            size_t space = line.find_first_of(" \t");
            std::string_view word = line.substr(0, space);
            std::string_view rest = space == std::string_view::npos ? "" : Trim(line.substr(space));
            if (word == "#title") {
                song.Title = rest;
            } else if (word == "#tempo") {
                char* stop = nullptr;
                std::string value(rest);
                song.Tempo = std::strtod(value.c_str(), &stop);
                if (value.empty() || *stop || song.Tempo < 10 || song.Tempo > 1000)
                    throw CompileError(lineNumber, 1, "#tempo needs a number from 10 to 1000");
            } else if (word == "#meter") {
                int n = 0, d = 0;
                if (std::sscanf(std::string(rest).c_str(), "%d/%d", &n, &d) != 2 || n < 1 || n > 32 ||
                    (d != 2 && d != 4 && d != 8 && d != 16))
                    throw CompileError(lineNumber, 1, "#meter needs n/d, for example 3/4");
                song.MeterNumerator = n;
                song.MeterDenominator = d;
                song.TicksPerBar = static_cast<uint32_t>(WholeNote * n / d);
            } else if (word == "#channel") {
                int channel = 0;
                char part = 0;
                if (std::sscanf(std::string(rest).c_str(), "%c %d", &part, &channel) != 2 ||
                    !IsPartLetter(part) || channel < 1 || channel > 16)
                    throw CompileError(lineNumber, 1,
                                       "#channel needs a part letter and a channel from 1 to 16");
                song.Channels[part] = channel;
            } else if (word == "#def") {
                size_t nameEnd = 0;
                while (nameEnd < rest.size() && IsNameChar(rest[nameEnd])) ++nameEnd;
                if (nameEnd == 0) throw CompileError(lineNumber, 1, "#def needs a name");
                std::string name(rest.substr(0, nameEnd));
                std::string_view body = Trim(rest.substr(nameEnd));
                int column = static_cast<int>(body.data() - line.data()) + 1;
                song.Macros[name] = {Chars(body, lineNumber, column), lineNumber};
            } else {
                throw CompileError(lineNumber, 1, "unknown directive " + std::string(word));
            }
            continue;
        }

        std::string_view body;
        int column;
        if (line[0] == ' ' || line[0] == '\t') {
            // Continues the parts of the line above.
            if (lastParts.empty())
                throw CompileError(lineNumber, 1, "indented line without a part line above");
            body = line;
            column = 1;
        } else {
            size_t i = 0;
            lastParts.clear();
            while (i < line.size() && IsPartLetter(line[i])) lastParts.push_back(line[i++]);
            if (lastParts.empty() || i == line.size() || (line[i] != ' ' && line[i] != '\t'))
                throw CompileError(lineNumber, 1, "a line starts with part letters (A-Z) and a blank, or #");
            body = line.substr(i);
            column = static_cast<int>(i) + 1;
        }
        for (char name : lastParts) {
            Part& part = song.Parts[name];
            if (part.Name == 0) {
                part.Name = name;
                part.FirstLine = lineNumber;
            }
            auto chars = Chars(body, lineNumber, column);
            part.Text.insert(part.Text.end(), chars.begin(), chars.end());
            part.Text.push_back({' ', lineNumber, column + static_cast<int>(body.size())});
        }
    }
}

void Expand(const Song& song, const std::vector<SourceChar>& in, std::vector<SourceChar>& out, int depth) {
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i].C != '$') {
            out.push_back(in[i]);
            continue;
        }
        size_t j = i + 1;
        std::string name;
        while (j < in.size() && IsNameChar(in[j].C)) name += in[j++].C;
        auto macro = song.Macros.find(name);
        if (name.empty() || macro == song.Macros.end())
            throw CompileError(in[i].Line, in[i].Column, "unknown macro $" + name);
        if (depth >= MaxMacroDepth) throw CompileError(in[i].Line, in[i].Column, "macros nested too deeply");
        out.push_back({' ', in[i].Line, in[i].Column});
        Expand(song, macro->second.first, out, depth + 1);
        out.push_back({' ', in[i].Line, in[i].Column});
        i = j - 1;
    }
}

// ---------------------------------------------------------------- playing a part

class PartReader {
  public:
    PartReader(Song& song, Part& part, std::vector<SourceChar> text)
        : song_(song), part_(part), t_(std::move(text)) {
        MatchBrackets();
    }

    void Run() {
        while (pos_ < t_.size()) Step();
        if (!loops_.empty()) Fail(loops_.back().Open, "[ without ]");
        Flush();
        part_.EndTick = tick_;
    }

  private:
    struct Loop {
        size_t Open, Close;
        int Count, Pass;
    };
    struct Pending {
        std::vector<int> Pitches;
        uint32_t On = 0, Length = 0;
        int Velocity = 0, Gate = 8;
        bool Tie = false;
    };

    [[noreturn]] void Fail(size_t at, const std::string& what) const {
        const SourceChar& c = at < t_.size() ? t_[at] : t_.back();
        throw CompileError(c.Line, c.Column, what);
    }
    char Peek() const { return pos_ < t_.size() ? t_[pos_].C : '\0'; }
    void SkipBlanks() {
        while (pos_ < t_.size() && (t_[pos_].C == ' ' || t_[pos_].C == '\t')) ++pos_;
    }

    void MatchBrackets() {
        std::vector<size_t> open;
        for (size_t i = 0; i < t_.size(); ++i) {
            if (t_[i].C == '[')
                open.push_back(i);
            else if (t_[i].C == ']') {
                if (open.empty()) Fail(i, "] without [");
                closeOf_[open.back()] = i;
                open.pop_back();
            }
        }
        if (!open.empty()) Fail(open.back(), "[ without ]");
    }

    std::optional<long> Number(bool allowSign = false) {
        size_t start = pos_;
        bool negative = false;
        if (allowSign && (Peek() == '-' || Peek() == '+')) {
            negative = Peek() == '-';
            ++pos_;
        }
        long value = 0;
        int digits = 0;
        while (Peek() >= '0' && Peek() <= '9') {
            if (++digits > 7) Fail(start, "number too long");
            value = value * 10 + (Peek() - '0');
            ++pos_;
        }
        if (digits == 0) {
            pos_ = start;
            return std::nullopt;
        }
        return negative ? -value : value;
    }
    long RequireNumber(long low, long high, const char* what, bool allowSign = false) {
        size_t at = pos_;
        auto n = Number(allowSign);
        if (!n || *n < low || *n > high)
            Fail(at, std::string(what) + " needs a number from " + std::to_string(low) + " to " +
                         std::to_string(high));
        return *n;
    }

    // A length: a note value (4 = quarter), "%ticks", or nothing (the default); then dots.
    uint32_t Length() {
        size_t at = pos_;
        uint32_t ticks = defaultLength_;
        if (Peek() == '%') {
            ++pos_;
            ticks = static_cast<uint32_t>(RequireNumber(1, WholeNote * 16, "%"));
        } else if (auto n = Number()) {
            if (*n < 1 || WholeNote % *n != 0)
                Fail(at, "no note value " + std::to_string(*n) + " at this resolution");
            ticks = static_cast<uint32_t>(WholeNote / *n);
        }
        uint32_t add = ticks;
        while (Peek() == '.') {
            ++pos_;
            if (add % 2) Fail(at, "dotted length does not divide into ticks");
            add /= 2;
            ticks += add;
        }
        return ticks;
    }

    int Semitone(char letter) {
        static const int base[] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
        int s = base[letter - 'a'];
        while (Peek() == '+' || Peek() == '#' || Peek() == '-') {
            s += Peek() == '-' ? -1 : 1;
            ++pos_;
        }
        return s;
    }

    int Pitch(size_t at, int octave, int semitone) const {
        int p = (octave + 1) * 12 + semitone + transpose_;
        if (p < 0 || p > 127) Fail(at, "note out of the MIDI range");
        return p;
    }

    void Emit(uint32_t tick, int order, std::vector<uint8_t> bytes) {
        part_.Events.push_back({tick, order, part_.Events.size(), std::move(bytes)});
    }
    void Control(int number, int value) {
        Emit(tick_, 1,
             {static_cast<uint8_t>(0xB0 | (part_.Channel - 1)), static_cast<uint8_t>(number),
              static_cast<uint8_t>(value)});
    }

    void Flush() {
        if (pending_.Pitches.empty()) return;
        uint32_t sounding =
            pending_.Tie ? pending_.Length : std::max<uint32_t>(1, pending_.Length * pending_.Gate / 8);
        const uint8_t status = static_cast<uint8_t>(part_.Channel - 1);
        for (int p : pending_.Pitches) {
            Emit(pending_.On, 2,
                 {static_cast<uint8_t>(0x90 | status), static_cast<uint8_t>(p),
                  static_cast<uint8_t>(pending_.Velocity)});
            Emit(pending_.On + sounding, 0,
                 {static_cast<uint8_t>(0x80 | status), static_cast<uint8_t>(p), 0});
        }
        part_.Notes += static_cast<uint32_t>(pending_.Pitches.size());
        pending_ = {};
    }

    void Advance(size_t at, uint32_t ticks) {
        if (ticks > MaxTicks - tick_) Fail(at, "the part runs longer than an hour");
        tick_ += ticks;
    }

    void Note(size_t at, std::vector<int> pitches) {
        uint32_t length = Length();
        SkipBlanks();
        bool tieAfter = false;
        if (Peek() == '&') {
            ++pos_;
            tieAfter = true;
        }
        if (!pending_.Pitches.empty() && pending_.Tie && pending_.Pitches == pitches) {
            pending_.Length += length; // one held note
        } else {
            Flush(); // a tie to another pitch is a slur: the earlier note sounds its full length
            pending_.Pitches = std::move(pitches);
            pending_.On = tick_;
            pending_.Length = length;
            pending_.Velocity = velocity_;
            pending_.Gate = gate_;
        }
        pending_.Tie = tieAfter;
        Advance(at, length);
    }

    void Step() {
        size_t at = pos_;
        char c = t_[pos_++].C;
        switch (c) {
        case ' ':
        case '\t':
            return;
        case 'c':
        case 'd':
        case 'e':
        case 'f':
        case 'g':
        case 'a':
        case 'b': {
            int s = Semitone(c);
            Note(at, {Pitch(at, octave_, s)});
            return;
        }
        case 'n': {
            int p = static_cast<int>(RequireNumber(0, 127, "n"));
            if (Peek() == ',') ++pos_;
            Note(at, {p}); // a fixed key: drums are not transposed
            return;
        }
        case '\'': {
            std::vector<int> pitches;
            int octave = octave_;
            while (Peek() != '\'') {
                if (pos_ >= t_.size()) Fail(at, "chord without closing '");
                size_t noteAt = pos_;
                char d = t_[pos_++].C;
                if (d >= 'a' && d <= 'g') {
                    int s = Semitone(d);
                    pitches.push_back(Pitch(noteAt, octave, s));
                } else if (d == '>')
                    ++octave;
                else if (d == '<')
                    --octave;
                else if (d != ' ')
                    Fail(noteAt, "only notes, < and > inside a chord");
            }
            ++pos_;
            if (pitches.empty()) Fail(at, "empty chord");
            std::sort(pitches.begin(), pitches.end());
            Note(at, std::move(pitches));
            return;
        }
        case 'r':
            Flush();
            Advance(at, Length());
            return;
        case '^': {
            if (pending_.Pitches.empty()) Fail(at, "^ without a note before it");
            uint32_t length = Length();
            pending_.Length += length;
            Advance(at, length);
            return;
        }
        case '&':
            if (pending_.Pitches.empty()) Fail(at, "& without a note before it");
            pending_.Tie = true;
            return;
        case 'l':
            defaultLength_ = Length();
            return;
        case 'o':
            octave_ = static_cast<int>(RequireNumber(-1, 9, "o"));
            return;
        case '>':
            ++octave_;
            return;
        case '<':
            --octave_;
            return;
        case 'q':
            gate_ = static_cast<int>(RequireNumber(1, 8, "q"));
            return;
        case 'k':
            transpose_ = static_cast<int>(RequireNumber(-48, 48, "k", true));
            return;
        case 'v': {
            if (Peek() == '+' || Peek() == '-') {
                long delta = RequireNumber(-127, 127, "v+/v-", true);
                velocity_ = static_cast<int>(std::clamp<long>(velocity_ + delta, 1, 127));
            } else {
                velocity_ = static_cast<int>(RequireNumber(1, 127, "v"));
            }
            return;
        }
        case 'V':
            Control(7, static_cast<int>(RequireNumber(0, 127, "V")));
            return;
        case 'E':
            Control(11, static_cast<int>(RequireNumber(0, 127, "E")));
            return;
        case 'p':
            Control(10, static_cast<int>(RequireNumber(0, 127, "p")));
            return;
        case 'y': {
            int number = static_cast<int>(RequireNumber(0, 119, "y"));
            if (Peek() != ',') Fail(pos_, "y needs controller,value");
            ++pos_;
            Control(number, static_cast<int>(RequireNumber(0, 127, "y")));
            return;
        }
        case '@': {
            int program = static_cast<int>(RequireNumber(1, 128, "@"));
            Emit(tick_, 1,
                 {static_cast<uint8_t>(0xC0 | (part_.Channel - 1)), static_cast<uint8_t>(program - 1)});
            return;
        }
        case 't': {
            long bpm = RequireNumber(10, 1000, "t");
            song_.Tempos.emplace_back(tick_, static_cast<uint32_t>(std::lround(60000000.0 / bpm)));
            return;
        }
        case '[': {
            size_t close = closeOf_.at(at);
            size_t after = close + 1;
            std::swap(pos_, after);
            int count = static_cast<int>(Number().value_or(2));
            std::swap(pos_, after);
            if (count < 1 || count > 1000) Fail(close, "repeat count must be 1 to 1000");
            loops_.push_back({at, close, count, 0});
            return;
        }
        case '/':
            if (tick_ % song_.TicksPerBar != 0)
                Fail(at, "bar line " + std::to_string(tick_ % song_.TicksPerBar) + " ticks into a bar");
            return;
        case '|':
            if (loops_.empty()) Fail(at, "| outside [ ]");
            if (loops_.back().Pass == loops_.back().Count - 1) pos_ = loops_.back().Close;
            return;
        case ']': {
            Loop& loop = loops_.back();
            if (++loop.Pass < loop.Count) {
                pos_ = loop.Open + 1;
            } else {
                loops_.pop_back();
                Number();
            }
            return;
        }
        default:
            Fail(at, std::string("unknown command '") + c + "'");
        }
    }

    Song& song_;
    Part& part_;
    std::vector<SourceChar> t_;
    std::map<size_t, size_t> closeOf_;
    std::vector<Loop> loops_;
    size_t pos_ = 0;
    uint32_t tick_ = 0;
    uint32_t defaultLength_ = TicksPerQuarter;
    int octave_ = 4, velocity_ = 100, gate_ = 7, transpose_ = 0;
    Pending pending_;
};

// ---------------------------------------------------------------- writing the file

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v >> 16);
    Put16(out, v & 0xFFFF);
}
void PutVlq(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7F;
    while (v >>= 7) bytes[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
    while (n) out.push_back(bytes[--n]);
}

std::vector<uint8_t> Meta(uint8_t type, std::vector<uint8_t> data) {
    std::vector<uint8_t> bytes{0xFF, type};
    PutVlq(bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

void WriteTrack(std::vector<uint8_t>& out, std::vector<Event> events, uint32_t endTick) {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.Tick != b.Tick     ? a.Tick < b.Tick
               : a.Order != b.Order ? a.Order < b.Order
                                    : a.Sequence < b.Sequence;
    });
    std::vector<uint8_t> body;
    uint32_t last = 0;
    for (const Event& e : events) {
        PutVlq(body, e.Tick - last);
        last = e.Tick;
        body.insert(body.end(), e.Bytes.begin(), e.Bytes.end());
    }
    PutVlq(body, endTick - last);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    Put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

} // namespace

Result Compile(std::string_view source) {
    Result result;
    try {
        Song song;
        ReadLines(source, song);
        if (song.Parts.empty()) throw CompileError(1, 1, "no parts");
        song.Tempos.emplace_back(0, static_cast<uint32_t>(std::lround(60000000.0 / song.Tempo)));

        std::map<int, char> firstPartOfChannel;
        for (auto& [name, part] : song.Parts) {
            auto assigned = song.Channels.find(name);
            if (assigned != song.Channels.end())
                part.Channel = assigned->second;
            else if (name <= 'P')
                part.Channel = name - 'A' + 1;
            else
                throw CompileError(part.FirstLine, 1, std::string("part ") + name + " needs a #channel");
            firstPartOfChannel.emplace(part.Channel, name);
            std::vector<SourceChar> text;
            Expand(song, part.Text, text, 0);
            PartReader(song, part, std::move(text)).Run();
            result.EndTick = std::max(result.EndTick, part.EndTick);
        }

        // Conductor track: title, meter, tempo, and each channel's controllers reset before any
        // part speaks, so a restarted track sounds the same every time round.
        std::vector<Event> conductor;
        auto add = [&](uint32_t tick, std::vector<uint8_t> bytes) {
            conductor.push_back({tick, 1, conductor.size(), std::move(bytes)});
        };
        if (!song.Title.empty())
            add(0, Meta(0x03, std::vector<uint8_t>(song.Title.begin(), song.Title.end())));
        uint8_t denominatorPower =
            static_cast<uint8_t>(std::countr_zero(static_cast<unsigned>(song.MeterDenominator)));
        add(0, Meta(0x58, {static_cast<uint8_t>(song.MeterNumerator), denominatorPower, 24, 8}));
        // Later tempo changes at one tick win: keep the file order.
        std::stable_sort(song.Tempos.begin(), song.Tempos.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto [tick, us] : song.Tempos)
            add(tick, Meta(0x51, {static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                                  static_cast<uint8_t>(us)}));
        for (auto [channel, name] : firstPartOfChannel) {
            uint8_t status = static_cast<uint8_t>(0xB0 | (channel - 1));
            add(0, {status, 121, 0});
            add(0, {status, 7, 100});
            add(0, {status, 10, 64});
            if (channel != 10) add(0, {static_cast<uint8_t>(0xC0 | (channel - 1)), 0});
        }

        std::vector<uint8_t>& out = result.Midi;
        out.insert(out.end(), {'M', 'T', 'h', 'd'});
        Put32(out, 6);
        Put16(out, 1);
        Put16(out, static_cast<uint32_t>(song.Parts.size() + 1));
        Put16(out, TicksPerQuarter);
        WriteTrack(out, std::move(conductor), result.EndTick);
        for (auto& [name, part] : song.Parts) {
            std::vector<Event> events = std::move(part.Events);
            events.push_back({0, -1, 0, Meta(0x03, {static_cast<uint8_t>(name)})});
            WriteTrack(out, std::move(events), result.EndTick);
            result.Parts.push_back({name, part.Channel, part.EndTick, part.Notes});
        }

        result.TicksPerBar = song.TicksPerBar;
        double seconds = 0;
        for (size_t i = 0; i < song.Tempos.size(); ++i) {
            uint32_t from = song.Tempos[i].first;
            uint32_t to = i + 1 < song.Tempos.size() ? song.Tempos[i + 1].first : result.EndTick;
            if (to > from) seconds += (to - from) * (song.Tempos[i].second / 1e6) / TicksPerQuarter;
        }
        result.LengthSeconds = seconds;
        result.Ok = true;
    } catch (const CompileError& e) {
        result = {};
        result.Error = e.what();
    }
    return result;
}

} // namespace mml
