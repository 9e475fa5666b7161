// The boss controller: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::StartBoss() {}
void Game::UpdateBoss() {}
void Game::UpdateExtraBoss() {}
void Game::SetUpExtraBoss() {}
void Game::DefeatBoss() {}
void Game::BossTimeOut() {}
void Game::LoadBossSheet() {}
void Game::ReleaseBossSheet() {}
