#pragma once
// The small vocabulary every enemy script is written in: aiming at the ship, single shots,
// muzzle flashes, fast streams and fans, and random whole numbers.
#include "core/Game.h"
#include "core/Numeric.h"

struct ScriptActions {
    Game& G;
    int Slot;
    EnemyRecord& E;
    int D; // difficulty: 0 easy, 1 normal, 2 hard

    ScriptActions(Game& game, int slot) : G(game), Slot(slot), E(game.EnemyTable[slot]), D(game.Difficulty) {}

    // Heading from the enemy's centre to the ship, and from any point to the ship.
    int16_t Aim() const { return G.Search_R(static_cast<int16_t>(Slot)); }
    int16_t AimFrom(double x, double y) const { return G.Search_RXY(RoundToInt16(x), RoundToInt16(y)); }

    void Shot(double x, double y, double heading, double speed, int kind = 0) const {
        G.SpawnEnemyShot(x, y, heading, speed, kind);
    }
    // A zero-speed shot: shown for one frame, harmless.
    void Flash(double x, double y) const { G.SpawnEnemyShot(x, y, 0, 0, 0); }
    // Four fast shots one above the other, straight down.
    void Stream(double x, double y) const {
        for (int i = 0; i < 4; ++i) G.SpawnEnemyShot(x, y + 8 * i, 90, 32, 2);
    }
    void Fan(double x, double y, int count, float step, double speed, bool aimed) const {
        G.SpawnShotFan(x, y, count, step, speed, 0, aimed ? 1 : 0);
    }
    // Int(n r) for a fresh random r: 0 .. n - 1.
    int RandomBelow(int n) const {
        const double r = G.Random();
        return static_cast<int>(Int(n * r));
    }
};
