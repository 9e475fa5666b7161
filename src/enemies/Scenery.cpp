// Scenery and explosion fragments: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::UpdateScenery() {}
void Game::EraseFragments() {}
void Game::UpdateFragments() {}
void Game::DrawFragments() {}
void Game::ScatterFragments() {}
