// Enemy shots: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::EraseEnemyShots() {}
void Game::UpdateEnemyShots() {}
