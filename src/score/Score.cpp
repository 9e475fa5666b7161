// Score, extra lives and combo text: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::AddScore(int32_t) {}
void Game::AddLife() {}
void Game::EraseComboText() {}
void Game::DrawComboText() {}
