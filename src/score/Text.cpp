// Bitmap and system-font text: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::DrawText(int, int, bool, std::string_view) {}
void Game::DrawText(int, int, bool, long long) {}
void Game::PrintText(int, int, int, uint32_t, std::string_view) {}
void Game::PrintText(int, int, int, uint32_t, long long) {}
