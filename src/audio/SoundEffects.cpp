// Sound effects: nine WAV images read once at start-up and played from memory on one voice.
#include <fstream>
#include <iterator>

#include "core/Game.h"

namespace {

// A missing or unreadable file leaves the buffer empty, and an empty buffer plays nothing.
std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// One voice, and nothing at all while sound effects are off.
void Play(Game& game, const std::vector<uint8_t>& sound) {
    if (game.SoundOn) game.Host.PlaySound(sound);
}

} // namespace

void Game::LoadSoundEffects() {
    HitSound = ReadWholeFile(ProgramPath("hit.wav"));
    Hit2Sound = ReadWholeFile(ProgramPath("hit2.wav"));
    Hit3Sound = ReadWholeFile(ProgramPath("hit3.wav"));
    BeamSound = ReadWholeFile(ProgramPath("beam.wav"));
    SelectSound = ReadWholeFile(ProgramPath("select.wav"));
    DecideSound = ReadWholeFile(ProgramPath("decide.wav"));
    ItemSound = ReadWholeFile(ProgramPath("item.wav"));
    WarnSound = ReadWholeFile(ProgramPath("warn.wav"));
    UpSound = ReadWholeFile(ProgramPath("up.wav"));
}

void Game::PlayHitSound() {
    Play(*this, HitSound);
}
void Game::PlayHit2Sound() {
    Play(*this, Hit2Sound);
}
void Game::PlayHit3Sound() {
    Play(*this, Hit3Sound);
}
void Game::PlayBeamSound() {
    Play(*this, BeamSound);
}
void Game::PlaySelectSound() {
    Play(*this, SelectSound);
}
void Game::PlayDecideSound() {
    Play(*this, DecideSound);
}
void Game::PlayItemSound() {
    Play(*this, ItemSound);
}
void Game::PlayWarnSound() {
    Play(*this, WarnSound);
}
void Game::PlayUpSound() {
    Play(*this, UpSound);
}
