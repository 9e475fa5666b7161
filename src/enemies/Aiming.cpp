// Aiming: placeholder bodies until this part of the game is built.
#include "core/Game.h"

int16_t Game::Search_RXY(int16_t, int16_t) { return 90; }
int16_t Game::Search_R(int16_t) { return 90; }
int16_t Game::Search_DR(int16_t) { return 90; }
int32_t Game::Search_RINV(int16_t, int16_t, int16_t, int16_t) { return 90; }
