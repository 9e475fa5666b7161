#pragma once
// A simple automatic player for play-testing and soak runs: it fires all the time, dodges the
// shots and bodies it can see coming a few frames ahead, lines up under the nearest enemy, picks
// up items and uses its special when the gauge is full and things get busy.
#include <set>

class Game;

std::set<int> BotKeys(const Game& game);
