// Enemies: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::EraseEnemies() {}
void Game::UpdateEnemies() {}
void Game::DrawEnemy(int) {}
void Game::EnemyRamsPlayer(int) {}
void Game::RemoveIfOffScreen(int) {}
