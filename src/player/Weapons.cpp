// Weapons and special attacks: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::FirePlayerShots() {}
void Game::FireVolley(int, int, int, int, int) {}
bool Game::SpawnPlayerShot(int&, int, int, int, int, int) { return false; }
void Game::UpdateSpecialAttack() {}
void Game::DrawSpecialEffect() {}
void Game::RechargeEnergy() {}
int32_t Game::ComboBonus(int) const { return 0; }
void Game::EndSpecialAttack() {}
