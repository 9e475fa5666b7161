#pragma once
// A small play field for the shot, beam and scenery tests: a game on the headless machine with a
// black play surface, blank sheets (tests paint the sprites they look at), and the ship in
// control at (160, 400). Nothing is read from disk.
#include <gtest/gtest.h>

#include "core/Game.h"
#include "platform/headless/HeadlessPlatform.h"

struct ShotWorld {
    explicit ShotWorld(uint64_t seed = 1) : g(host, KORVAXION_GAME_DIR, seed) {
        g.Picture1.Resize(480, 480);
        g.Picture1.SetBackColour(0);
        g.PicChr.Resize(192, 256);
        g.PicChr.SetBackColour(0xFFFFFF);
        g.PicTeki.Resize(560, 320);
        g.PicTeki.SetBackColour(0xFFFFFF);
        g.StagePhase = 1;
        g.Difficulty = 1;
        g.Player.X = 160;
        g.Player.Y = 400;
        g.Player.Arrived = true;
        g.Player.StateTimer = 0;
        g.Player.ShipType = 0;
        g.Player.Energy = 50;
    }

    // A fully opaque w x h sprite in one colour, its mask h pixels below.
    static void OpaqueSprite(Surface& sheet, int sx, int sy, int w, int h, uint32_t colour) {
        sheet.FillBoxSized(sx, sy, w, h, colour);
        sheet.FillBoxSized(sx, sy + h, w, h, 0);
    }

    // The enemy-shot slot that a spawn of these values takes.
    int Shot(int kind, int x, int y, int speed = 0, int heading = 90) {
        int slot = 0;
        while (slot < 256 && g.EnemyShotTable[slot].Active) ++slot;
        g.SpawnEnemyShot(x, y, heading, speed, kind);
        return slot;
    }

    // An enemy in slot i, alive, with a w x h body.
    EnemyRecord& Enemy(int i, int x, int y, int w = 32, int h = 32, int hits = 1, int points = 100,
                       int kind = 0) {
        EnemyRecord& e = g.EnemyTable[i];
        e = EnemyRecord{};
        e.Kind = static_cast<int16_t>(kind);
        e.X = static_cast<int16_t>(x);
        e.Y = static_cast<int16_t>(y);
        e.Width = static_cast<int16_t>(w);
        e.Height = static_cast<int16_t>(h);
        e.Hits = static_cast<int16_t>(hits);
        e.Points = static_cast<int16_t>(points);
        e.Active = true;
        g.EnemyCount += 1;
        return e;
    }

    // A player shot in the lowest free slot, standing still unless given a speed.
    int PlayerShot(int x, int y, int speed = 0, int heading = 270, int kind = 0) {
        int slot = 0;
        while (g.PlayerShotTable[slot].Active) ++slot;
        PlayerShotRecord& s = g.PlayerShotTable[slot];
        s = PlayerShotRecord{};
        s.Kind = static_cast<int16_t>(kind);
        s.X = static_cast<int16_t>(x);
        s.Y = static_cast<int16_t>(y);
        s.Speed = static_cast<int16_t>(speed);
        s.Heading = static_cast<int16_t>(heading);
        s.Active = true;
        g.PlayerShotCount += 1;
        return slot;
    }

    // Pixels of the play surface that are not black in a rectangle (corners inclusive).
    int Lit(int x1, int y1, int x2, int y2) const {
        int n = 0;
        for (int y = y1; y <= y2; ++y)
            for (int x = x1; x <= x2; ++x) n += g.Picture1.Pixel(x, y) != 0;
        return n;
    }

    HeadlessPlatform host;
    Game g;
};
