// The player ship: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::ResetPlayerForStage() {}
void Game::MovePlayer() {}
void Game::UpdatePlayerEntry() {}
void Game::ErasePlayer() {}
void Game::DrawPlayer() {}
void Game::PlayerHit() {}
void Game::PlayerDeath() {}
void Game::SpawnExhaust(int, int) {}
void Game::PaintEnergyGaugeBlack() {}
void Game::PaintPowerGaugeBlack() {}
int Game::ShipSpeed() const { return 0; }
