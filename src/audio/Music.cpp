// Music dispatcher and tracks. (Placeholder until the audio subsystem lands: silent.)
#include "core/Game.h"

void Game::SendMusicCommand(std::string_view) {}
void Game::PlayStageMusic() {}
void Game::PlayBossMusic() {}
void Game::PlayClearMusic() {}
void Game::PlayContinueMusic() {}
void Game::PlaySelectMusic() {}
void Game::PlayEndingMusic() {}
void Game::PlayGameOverMusic() {}
void Game::StopMusic() {}
void Game::LoopMusic() {}
void Game::QuitProgram() {
    Ended = true;
    Screens.Clear();
}
