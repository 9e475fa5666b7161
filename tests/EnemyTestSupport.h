#pragma once
// Helpers for the enemy tests: place an enemy as the stage timeline does, run the enemy routine
// on its own, and collect the shots each frame produced.
#include <map>
#include <vector>

#include "TestGame.h"

// Puts a timeline enemy into the lowest free slot; returns the slot.
inline int PlaceEnemy(Game& g, int kind, int variant, int x, int y) {
    for (int slot = 0; slot < 16; ++slot) {
        if (g.EnemyTable[slot].Active) continue;
        g.EnemyCount += 1;
        g.PlaceTimelineEnemy(slot, ScriptRecord{0, static_cast<int16_t>(x), static_cast<int16_t>(y),
                                                static_cast<int16_t>(kind), static_cast<int16_t>(variant)});
        return slot;
    }
    return -1;
}

// Puts a child enemy into slot `slot` the way a boss does: only the fields it writes.
inline EnemyRecord& PlaceChild(Game& g, int slot, int kind, int x, int y, int heading, int speed, int timer,
                               int hits, int width = 32, int height = 32) {
    EnemyRecord& e = g.EnemyTable[slot];
    if (!e.Active) g.EnemyCount += 1;
    e.Kind = static_cast<int16_t>(kind);
    e.X = static_cast<int16_t>(x);
    e.Y = static_cast<int16_t>(y);
    e.Heading = static_cast<int16_t>(heading);
    e.Speed = static_cast<int16_t>(speed);
    e.Width = static_cast<int16_t>(width);
    e.Height = static_cast<int16_t>(height);
    e.Timer = static_cast<int16_t>(timer);
    e.Hits = static_cast<int16_t>(hits);
    e.DeathTimer = 0;
    e.Active = true;
    return e;
}

// The enemy shots made since the last call. The table is emptied, so each frame starts fresh.
inline std::vector<EnemyShotRecord> TakeShots(Game& g) {
    std::vector<EnemyShotRecord> shots;
    for (EnemyShotRecord& s : g.EnemyShotTable) {
        if (!s.Active) continue;
        shots.push_back(s);
        s.Active = false;
    }
    g.EnemyShotCount = 0;
    return shots;
}

inline bool IsFlash(const EnemyShotRecord& s) {
    return s.Speed == 0 && s.Kind != 4;
}
inline bool IsPuff(const EnemyShotRecord& s) {
    return s.Kind == 15;
}

// Shots that can hurt: neither flashes nor explosion puffs.
inline int CountMoving(const std::vector<EnemyShotRecord>& shots) {
    int n = 0;
    for (const EnemyShotRecord& s : shots) n += IsFlash(s) || IsPuff(s) ? 0 : 1;
    return n;
}

// Runs the enemy routine alone for `frames` frames; per frame, the shots it made.
inline std::vector<std::vector<EnemyShotRecord>> RunEnemyFrames(Game& g, int frames) {
    std::vector<std::vector<EnemyShotRecord>> log;
    for (int f = 0; f < frames; ++f) {
        g.UpdateEnemies();
        log.push_back(TakeShots(g));
    }
    return log;
}

// Frame -> number of shots that can hurt, for the frames that had any.
inline std::map<int, int> ShotFrames(const std::vector<std::vector<EnemyShotRecord>>& log) {
    std::map<int, int> frames;
    for (size_t f = 0; f < log.size(); ++f) {
        const int n = CountMoving(log[f]);
        if (n > 0) frames[static_cast<int>(f)] = n;
    }
    return frames;
}
