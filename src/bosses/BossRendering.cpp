// Boss rendering: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::EraseBossSprite() {}
void Game::DrawBossSprite() {}
void Game::EraseExtraBossSprite() {}
void Game::DrawExtraBossSprite() {}
