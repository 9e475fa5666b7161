#pragma once
// Factories of the screens outside play. Game code strings them together with the screen driver:
// HandOver for a screen that never returns, Call for one that returns to its caller, and
// sequences for "this screen, then that one".
#include <functional>
#include <memory>

#include "core/ScreenDriver.h"

class Game;

std::unique_ptr<Screen> MakeTitleScreen();
std::unique_ptr<Screen> MakeContinueScreen();
std::unique_ptr<Screen> MakeGameOverScreen();
std::unique_ptr<Screen> MakeAllClearScreen();
std::unique_ptr<Screen> MakeStaffRollScreen();
std::unique_ptr<Screen> MakeRankingScreen();

// Runs game code once the screens before it in a sequence have finished; the code is expected
// to hand over (for example by entering the frame loop).
std::unique_ptr<Screen> MakeContinuation(std::function<void(Game&)> step);
