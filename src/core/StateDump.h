#pragma once
// The whole game state as JSON, every member and table under its own name; and a hash of it, so
// a replay can check that playing it back reaches the same state.
#include <cstdint>
#include <string>

class Game;

std::string DumpState(const Game& game);
uint64_t StateHash(const Game& game);
