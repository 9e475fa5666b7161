#pragma once
// An automatic player for play-testing and soak runs: it fires all the time, shoots the item
// carriers first and picks up their items, lines up under the nearest enemy, and dodges by
// playing out each direction over the next frames against the shots, bodies and streams it can
// see (a shot only after a human's reaction time). It uses its special when cornered, or with a
// full gauge when things get busy. Deterministic: the same game gives the same keys.
#include <set>

class Game;

std::set<int> BotKeys(const Game& game);
