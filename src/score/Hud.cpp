// The HUD panel: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::DrawHudLabels() {}
void Game::DrawHudValues() {}
int Game::LivesShown() const { return 0; }
