#pragma once
// A started game with the ship put straight into the field, for driving player routines by hand.
#include "TestGame.h"

// The ship of the given type in control at (x, y), full energy, stage 1 running.
inline void ShipInControl(Game& g, int type, int x = 160, int y = 300) {
    g.Player.ShipType = static_cast<int16_t>(type);
    g.ResetPlayerForStage();
    g.Player.X = static_cast<int16_t>(x);
    g.Player.Y = static_cast<int16_t>(y);
    g.Player.StateTimer = 0;
    g.Player.Arrived = true;
    g.Player.Energy = 100;
    g.StagePhase = 1;
    g.StageNumber = 1;
    g.Lives = 3;
    g.SpecialTimer = 0;
    g.SpecialKills = 0;
    g.MoveStarted = false;
}

inline int LiveEnemyShots(const Game& g) {
    int n = 0;
    for (const EnemyShotRecord& s : g.EnemyShotTable) n += s.Active;
    return n;
}

inline std::vector<PlayerShotRecord> LivePlayerShots(const Game& g) {
    std::vector<PlayerShotRecord> shots;
    for (const PlayerShotRecord& s : g.PlayerShotTable)
        if (s.Active) shots.push_back(s);
    return shots;
}
