// Pools and spawners: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::SpawnEnemyShot(double, double, double, double, double) {}
void Game::SpawnShotFan(double, double, int, float, double, double, int) {}
void Game::SpawnEnemy(double, double, double, double) {}
void Game::SpawnBeam(double, double, double, double, double, double, double, double) {}
void Game::SpawnItem(int, int) {}
void Game::SpawnScenery(int, double, double, double, double, int) {}
void Game::SpawnRandomScenery(int) {}
void Game::Distance(double, double, double, double, int16_t& Result) { Result = 0; }
