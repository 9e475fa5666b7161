// Special-attack damage: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::EraseSpecial() {}
void Game::SpecialHitsEnemies() {}
void Game::SpecialCancelsShots() {}
void Game::SpecialHitsBoss() {}
void Game::SpecialHitsExtraBoss() {}
