// Player shots and their hits: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::UpdatePlayerShots() {}
void Game::PlayerShotsHitBoss() {}
void Game::PlayerShotsHitExtraBoss() {}
void Game::BossRamsPlayer() {}
void Game::ExtraBossRamsPlayer() {}
