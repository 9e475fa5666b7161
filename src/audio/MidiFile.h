#pragma once
// A bounded reader for Standard MIDI Files (formats 0 and 1, metrical time). Every count, length
// and offset is checked against the buffer, so a damaged file is rejected instead of read past
// its end. The players hand files on only after this reader accepted them.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct MidiEvent {
    uint32_t Tick = 0;            // absolute, in ticks from the start of the track
    uint8_t Status = 0;           // channel message status (0x80..0xEF), 0xFF meta, 0xF0/0xF7 sysex
    uint8_t Data1 = 0;            // channel messages: first data byte; meta: the meta type
    uint8_t Data2 = 0;            // channel messages: second data byte (0 for one-byte messages)
    std::vector<uint8_t> Payload; // meta and sysex contents

    uint8_t Kind() const { return Status & 0xF0; }
    uint8_t Channel() const { return Status & 0x0F; }
};

struct MidiTrack {
    std::vector<MidiEvent> Events; // in file order
    uint32_t EndTick = 0;          // tick of the end-of-track event
};

struct MidiFile {
    uint16_t Format = 0;
    uint16_t TicksPerQuarter = 0;
    std::vector<MidiTrack> Tracks;

    // The latest end-of-track tick over all tracks.
    uint32_t EndTick() const;
    // Milliseconds from the start to tick, following the tempo changes of every track.
    double TickToMs(uint32_t tick) const;
    double LengthMs() const { return TickToMs(EndTick()); }
};

// Parses a complete file image. On failure returns nothing and, if error is given, says why.
std::optional<MidiFile> ReadMidiFile(std::span<const uint8_t> bytes, std::string* error = nullptr);
