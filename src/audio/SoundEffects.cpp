// Sound effects. (Placeholder until the audio subsystem lands: silent.)
#include "core/Game.h"

void Game::LoadSoundEffects() {}
void Game::PlayHitSound() {}
void Game::PlayHit2Sound() {}
void Game::PlayHit3Sound() {}
void Game::PlayBeamSound() {}
void Game::PlaySelectSound() {}
void Game::PlayDecideSound() {}
void Game::PlayItemSound() {}
void Game::PlayWarnSound() {}
void Game::PlayUpSound() {}
