// The stage timeline: placeholder bodies until this part of the game is built.
#include "core/Game.h"

void Game::LoadStageScript() {}
void Game::FindWarningFrame() {}
void Game::RunStageScript() {}
void Game::PlaceTimelineEnemy(int, const ScriptRecord&) {}
