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

// Test art: every font glyph a solid 16 x 16 square in its own colour (mask black under it, white
// around it), and the three items solid squares in their own colours.
inline uint32_t GlyphColour(int g) {
    return RGB(200, 100 + g, 255);
}
inline uint32_t ItemColour(int kind) {
    return RGB(255, 50 * kind, 10);
}

inline void PaintTestSprites(Game& g) {
    auto square = [](Surface& s, int x, int y, int cell, int inset, uint32_t inside, uint32_t outside) {
        s.FillBoxSized(x, y, cell, cell, outside);
        s.FillBoxSized(x + inset, y + inset, cell - 2 * inset, cell - 2 * inset, inside);
    };
    g.PicStr.SetPenMode(PenMode::CopyPen);
    for (int glyph = 0; glyph < 40; ++glyph) {
        const int x = 24 * (glyph % 10), y = 24 * (glyph / 10);
        square(g.PicStr, x, y, 24, 4, GlyphColour(glyph), 0);
        square(g.PicStr, x, y + 96, 24, 4, 0, RGB(255, 255, 255));
    }
    g.PicChr.SetPenMode(PenMode::CopyPen);
    for (int kind = 0; kind < 3; ++kind) {
        square(g.PicChr, 96 + 16 * kind, 32, 16, 0, ItemColour(kind), 0);
        square(g.PicChr, 96 + 16 * kind, 48, 16, 0, 0, RGB(255, 255, 255));
    }
}

// How many boxes of a gauge are filled, probing the middle of each box from the left.
inline int GaugeSegments(const Game& g, int x0, int pitch, int probeY) {
    int n = 0;
    while (x0 + pitch * n + pitch / 2 < 480 && g.Picture1.Pixel(x0 + pitch * n + pitch / 2, probeY) != 0) ++n;
    return n;
}
