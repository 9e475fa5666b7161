#include "audio/MidiFile.h"

#include <algorithm>
#include <map>

namespace {

class Reader {
  public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t Left() const { return bytes_.size() - pos_; }
    size_t Pos() const { return pos_; }
    bool Byte(uint8_t& v) {
        if (Left() < 1) return false;
        v = bytes_[pos_++];
        return true;
    }
    bool Peek(uint8_t& v) const {
        if (Left() < 1) return false;
        v = bytes_[pos_];
        return true;
    }
    bool U16(uint16_t& v) {
        if (Left() < 2) return false;
        v = static_cast<uint16_t>(bytes_[pos_] << 8 | bytes_[pos_ + 1]);
        pos_ += 2;
        return true;
    }
    bool U32(uint32_t& v) {
        if (Left() < 4) return false;
        v = static_cast<uint32_t>(bytes_[pos_]) << 24 | static_cast<uint32_t>(bytes_[pos_ + 1]) << 16 |
            static_cast<uint32_t>(bytes_[pos_ + 2]) << 8 | bytes_[pos_ + 3];
        pos_ += 4;
        return true;
    }
    // Variable-length quantity: at most four bytes (28 bits).
    bool Vlq(uint32_t& v) {
        v = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!Byte(b)) return false;
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Take(size_t n, std::span<const uint8_t>& out) {
        if (Left() < n) return false;
        out = bytes_.subspan(pos_, n);
        pos_ += n;
        return true;
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

bool Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

int DataBytes(uint8_t status) {
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 1;
    default:
        return 2;
    }
}

bool ReadTrack(std::span<const uint8_t> chunk, MidiTrack& track, std::string* error) {
    Reader r(chunk);
    uint32_t tick = 0;
    uint8_t running = 0;
    while (r.Left() > 0) {
        uint32_t delta;
        if (!r.Vlq(delta)) return Fail(error, "bad delta time");
        if (delta > UINT32_MAX - tick) return Fail(error, "track too long");
        tick += delta;

        MidiEvent ev;
        ev.Tick = tick;
        uint8_t first;
        if (!r.Peek(first)) return Fail(error, "event cut short");
        if (first == 0xFF) {
            r.Byte(first);
            uint32_t length;
            std::span<const uint8_t> payload;
            if (!r.Byte(ev.Data1) || !r.Vlq(length) || !r.Take(length, payload))
                return Fail(error, "meta event cut short");
            ev.Status = 0xFF;
            ev.Payload.assign(payload.begin(), payload.end());
            if (ev.Data1 == 0x2F) {
                track.EndTick = tick;
                track.Events.push_back(std::move(ev));
                return true; // anything after the end of the track is ignored
            }
        } else if (first == 0xF0 || first == 0xF7) {
            r.Byte(first);
            uint32_t length;
            std::span<const uint8_t> payload;
            if (!r.Vlq(length) || !r.Take(length, payload)) return Fail(error, "sysex cut short");
            ev.Status = first;
            ev.Payload.assign(payload.begin(), payload.end());
            running = 0;
        } else if (first >= 0xF1) {
            return Fail(error, "system message in a file");
        } else {
            if (first & 0x80) {
                r.Byte(first);
                running = first;
            } else if (running == 0) {
                return Fail(error, "data byte without a status");
            }
            ev.Status = running;
            if (!r.Byte(ev.Data1) || (DataBytes(running) == 2 && !r.Byte(ev.Data2)))
                return Fail(error, "channel message cut short");
            if ((ev.Data1 | ev.Data2) & 0x80) return Fail(error, "data byte out of range");
        }
        track.Events.push_back(std::move(ev));
    }
    // No end-of-track event: the track ends with its last event.
    track.EndTick = tick;
    return true;
}

} // namespace

std::optional<MidiFile> ReadMidiFile(std::span<const uint8_t> bytes, std::string* error) {
    Reader r(bytes);
    std::span<const uint8_t> id;
    uint32_t headerLength;
    if (!r.Take(4, id) || !std::equal(id.begin(), id.end(), "MThd") || !r.U32(headerLength) ||
        headerLength < 6) {
        Fail(error, "not a MIDI file");
        return std::nullopt;
    }
    MidiFile file;
    uint16_t trackCount;
    std::span<const uint8_t> rest;
    if (!r.U16(file.Format) || !r.U16(trackCount) || !r.U16(file.TicksPerQuarter) ||
        !r.Take(headerLength - 6, rest)) {
        Fail(error, "header cut short");
        return std::nullopt;
    }
    if (file.Format > 1) {
        Fail(error, "only formats 0 and 1 are played");
        return std::nullopt;
    }
    if (file.TicksPerQuarter == 0 || (file.TicksPerQuarter & 0x8000)) {
        Fail(error, "time division not in ticks per quarter note");
        return std::nullopt;
    }
    if (trackCount == 0 || (file.Format == 0 && trackCount != 1)) {
        Fail(error, "wrong number of tracks");
        return std::nullopt;
    }
    while (file.Tracks.size() < trackCount) {
        uint32_t length;
        std::span<const uint8_t> chunk;
        if (!r.Take(4, id) || !r.U32(length) || !r.Take(length, chunk)) {
            Fail(error, "track " + std::to_string(file.Tracks.size()) + " cut short");
            return std::nullopt;
        }
        if (!std::equal(id.begin(), id.end(), "MTrk")) continue; // unknown chunks are skipped
        MidiTrack track;
        std::string why;
        if (!ReadTrack(chunk, track, &why)) {
            Fail(error, "track " + std::to_string(file.Tracks.size()) + ": " + why);
            return std::nullopt;
        }
        file.Tracks.push_back(std::move(track));
    }
    return file;
}

uint32_t MidiFile::EndTick() const {
    uint32_t end = 0;
    for (const auto& t : Tracks) end = std::max(end, t.EndTick);
    return end;
}

double MidiFile::TickToMs(uint32_t tick) const {
    if (TicksPerQuarter == 0) return 0;
    // Tempo changes from every track, later ones at the same tick winning.
    std::map<uint32_t, uint32_t> tempos; // tick -> microseconds per quarter
    for (const auto& t : Tracks)
        for (const auto& e : t.Events)
            if (e.Status == 0xFF && e.Data1 == 0x51 && e.Payload.size() == 3)
                tempos[e.Tick] = static_cast<uint32_t>(e.Payload[0] << 16 | e.Payload[1] << 8 | e.Payload[2]);
    double ms = 0;
    uint32_t at = 0;
    uint32_t usPerQuarter = 500000;
    for (const auto& [changeTick, value] : tempos) {
        if (changeTick >= tick) break;
        ms += static_cast<double>(changeTick - at) * usPerQuarter / 1000.0 / TicksPerQuarter;
        at = changeTick;
        usPerQuarter = value;
    }
    ms += static_cast<double>(tick - at) * usPerQuarter / 1000.0 / TicksPerQuarter;
    return ms;
}
