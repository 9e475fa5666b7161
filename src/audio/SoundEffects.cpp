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
    if (SoundOn) Host.PlaySound(HitSound);
}
void Game::PlayHit2Sound() {
    if (SoundOn) Host.PlaySound(Hit2Sound);
}
void Game::PlayHit3Sound() {
    if (SoundOn) Host.PlaySound(Hit3Sound);
}
void Game::PlayBeamSound() {
    if (SoundOn) Host.PlaySound(BeamSound);
}
void Game::PlaySelectSound() {
    if (SoundOn) Host.PlaySound(SelectSound);
}
void Game::PlayDecideSound() {
    if (SoundOn) Host.PlaySound(DecideSound);
}
void Game::PlayItemSound() {
    if (SoundOn) Host.PlaySound(ItemSound);
}
void Game::PlayWarnSound() {
    if (SoundOn) Host.PlaySound(WarnSound);
}
void Game::PlayUpSound() {
    if (SoundOn) Host.PlaySound(UpSound);
}
