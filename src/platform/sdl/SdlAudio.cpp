#include "platform/sdl/SdlAudio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <vector>

#include "audio/MidiFile.h"
#include "audio/MusicCommand.h"
#include "audio/WaveFile.h"

namespace {

constexpr int SampleRate = 44100;
constexpr int ChunkFrames = 512; // about 12 ms of latency
// Loudness of the synthesiser: with the game's tracks its peaks stay a few dB below full scale,
// leaving room for the effects on top.
constexpr double SynthGain = 0.4;
constexpr const char* SoundFontName = "TimGM6mb.sf2";
constexpr std::streamsize MaxMidiBytes = 16 << 20;

} // namespace

struct SdlAudio::Impl {
    enum class Mode { Closed, Stopped, Playing, Paused };

    bool audioSubsystem = false;
    bool mixerOpen = false;

    // Shared with the mixer's thread, guarded by lock. Never call into SDL_mixer while holding
    // it: the mixer calls the music hook with its own lock held.
    std::mutex lock;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    Mode mode = Mode::Closed;
    // The player has played to the end of the track. Seen by the mixer's thread after rendering,
    // because the player's position only moves while it renders.
    bool atEnd = false;
    // Stopping a paused track: the reverb frozen with it would ring out over whatever comes next,
    // so it is rendered away unheard.
    int muteFrames = 0;

    std::map<std::pair<const uint8_t*, size_t>, Mix_Chunk*> chunks; // converted effects, by image

    static void MusicHook(void* user, Uint8* stream, int length) {
        Impl& a = *static_cast<Impl*>(user);
        std::lock_guard guard(a.lock);
        // Paused: nothing renders, so the player and every sounding voice stand still and go on
        // exactly where they were.
        if (!a.synth || a.mode == Mode::Paused) {
            std::memset(stream, 0, static_cast<size_t>(length));
            return;
        }
        fluid_synth_write_s16(a.synth, length / 4, stream, 0, 2, stream, 1, 2);
        if (a.muteFrames > 0) {
            std::memset(stream, 0, static_cast<size_t>(length));
            a.muteFrames -= length / 4;
        }
        if (a.player && a.mode == Mode::Playing) {
            int total = fluid_player_get_total_ticks(a.player);
            if (total > 0 && fluid_player_get_current_tick(a.player) >= total) a.atEnd = true;
        }
    }

    bool OpenMixer() {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        audioSubsystem = true;
        if (Mix_OpenAudioDevice(SampleRate, AUDIO_S16SYS, 2, ChunkFrames, nullptr, 0) == 0) return true;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioSubsystem = false;
        return false;
    }

    void ReleasePlayer() {
        if (!player) return;
        fluid_player_stop(player);
        delete_fluid_player(player);
        player = nullptr;
        fluid_synth_all_sounds_off(synth, -1);
        fluid_synth_system_reset(synth);
    }

    std::string Music(const MusicCommand& c) {
        using Verb = MusicCommand::Verb;
        if (c.What == Verb::Open) {
            if (mode != Mode::Closed || !synth) return {};
            std::ifstream in(c.FileName, std::ios::binary | std::ios::ate);
            const std::streamsize size = in ? static_cast<std::streamsize>(in.tellg()) : -1;
            if (size <= 0 || size > MaxMidiBytes) return {};
            std::vector<uint8_t> bytes(static_cast<size_t>(size));
            in.seekg(0);
            if (!in.read(reinterpret_cast<char*>(bytes.data()), size) || !ReadMidiFile(bytes)) return {};
            std::lock_guard guard(lock);
            player = new_fluid_player(synth);
            if (!player) return {};
            if (fluid_player_add_mem(player, bytes.data(), bytes.size()) != FLUID_OK) { // copies the bytes
                delete_fluid_player(player);
                player = nullptr;
                return {};
            }
            mode = Mode::Stopped;
            atEnd = false;
            return {};
        }
        std::lock_guard guard(lock);
        if (mode == Mode::Closed) return {};
        switch (c.What) {
        case Verb::Play:
            if (mode != Mode::Paused) fluid_player_play(player);
            mode = Mode::Playing;
            muteFrames = 0;
            break;
        case Verb::Pause:
            if (mode == Mode::Playing) mode = Mode::Paused;
            break;
        case Verb::Stop:
            if (mode == Mode::Paused) muteFrames = 3 * SampleRate;
            fluid_player_stop(player);
            fluid_synth_all_notes_off(synth, -1);
            mode = Mode::Stopped;
            break;
        case Verb::SeekToStart:
            fluid_player_stop(player);
            fluid_player_seek(player, 0);
            mode = Mode::Stopped;
            atEnd = false;
            break;
        case Verb::Close:
            ReleasePlayer();
            mode = Mode::Closed;
            atEnd = false;
            break;
        case Verb::StatusMode:
            if (mode == Mode::Paused) return "paused";
            return mode == Mode::Playing && !atEnd ? "playing" : "stopped";
        default:
            break;
        }
        return {};
    }
};

SdlAudio::SdlAudio() : impl_(std::make_unique<Impl>()) {}
SdlAudio::~SdlAudio() {
    Close();
}

void SdlAudio::Open(const std::string& programDirectory) {
    Close();
    Impl& a = *impl_;
    if (!a.OpenMixer()) {
        // No sound device: the dummy driver keeps the mixer, and so the music's timing, running.
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
        a.OpenMixer();
    }
    a.mixerOpen = a.audioSubsystem;
    if (a.mixerOpen) {
        Mix_AllocateChannels(1);
        Mix_ReserveChannels(1);
    }

    // The game writes no log: keep the synthesiser quiet too.
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
    a.settings = new_fluid_settings();
    if (a.settings) {
        fluid_settings_setnum(a.settings, "synth.sample-rate", SampleRate);
        fluid_settings_setnum(a.settings, "synth.gain", SynthGain);
        fluid_settings_setint(a.settings, "synth.cpu-cores", 1);
        a.synth = new_fluid_synth(a.settings);
    }
    if (a.synth) {
        std::string font = programDirectory;
        if (!font.empty() && font.back() != '/') font += '/';
        font += SoundFontName;
        fluid_synth_sfload(a.synth, font.c_str(), 1); // missing: the music plays silently
    }
    if (a.mixerOpen) Mix_HookMusic(&Impl::MusicHook, &a);
}

void SdlAudio::Close() {
    Impl& a = *impl_;
    if (a.mixerOpen) {
        Mix_HookMusic(nullptr, nullptr);
        Mix_HaltChannel(-1);
        for (auto& [key, chunk] : a.chunks)
            if (chunk) Mix_FreeChunk(chunk);
        a.chunks.clear();
        Mix_CloseAudio();
        a.mixerOpen = false;
    }
    if (a.audioSubsystem) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        a.audioSubsystem = false;
    }
    // The hook is gone: nothing else touches the synthesiser now.
    if (a.synth) a.ReleasePlayer();
    a.mode = Impl::Mode::Closed;
    if (a.synth) delete_fluid_synth(a.synth);
    if (a.settings) delete_fluid_settings(a.settings);
    a.synth = nullptr;
    a.settings = nullptr;
}

std::string SdlAudio::Command(std::string_view command) {
    return impl_->Music(ParseMusicCommand(command));
}

void SdlAudio::PlaySound(std::span<const uint8_t> wav) {
    Impl& a = *impl_;
    if (!a.mixerOpen || wav.empty() || wav.size() > INT32_MAX) return;
    auto key = std::make_pair(wav.data(), wav.size());
    auto found = a.chunks.find(key);
    if (found == a.chunks.end()) {
        // Converted once; a broken image is remembered as nothing to play.
        Mix_Chunk* chunk = nullptr;
        if (ReadWaveFile(wav))
            chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1);
        found = a.chunks.emplace(key, chunk).first;
    }
    if (found->second) Mix_PlayChannel(0, found->second, 0);
}
