// Stage banners and results: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::EraseBanners() {}
void Game::DrawBannersAndResults() {}
void Game::AwardStageBonus() {}
