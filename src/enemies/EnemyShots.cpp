// Enemy shots: bullets, and the flashes, sparks and puffs that share their table. Each frame every
// shot is erased, steps by its kind, is drawn again and is tested against the ship (hit or graze).
#include <algorithm>
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr uint8_t kEbStealth = 16; // ExtraFlagsB: enemy shots not drawn

struct ShotLook {
    int16_t SpriteX, SpriteY, Size; // mask lies Size pixels below the sprite
};

// Sprite of a shot kind on PicTeki; Size 0 for kinds drawn otherwise (or not at all).
ShotLook LookOf(const EnemyShotRecord& s) {
    switch (s.Kind) {
    case 0:
        return {0, 64, 16};
    case 1:
        return {16, 64, 16};
    case 2:
    case 5:
    case 7:
        return {32, 64, 16};
    case 3:
        return {48, 64, 16};
    case 6:
        return {0, 96, 16};
    case 15:
        return {static_cast<int16_t>(256 + 32 * (s.Age / 3)), 256, 32};
    default:
        return {0, 0, 0};
    }
}

} // namespace

bool Game::ShipCanBeHit() const {
    if (!Player.Arrived || Player.StateTimer > 0) return false;
    return !(SpecialTimer > 0 && Player.ShipType != 1 && Player.ShipType != 3);
}

void Game::FieldSprite(const Surface& sheet, int x, int y, int w, int h, int sx, int sy, bool draw) {
    w = std::min(w, 320 - x);
    if (w <= 0 || h <= 0) return;
    BitBlt(Picture1, x, y, w, h, sheet, sx, sy + h, RasterOp::SrcAnd);
    if (draw) BitBlt(Picture1, x, y, w, h, sheet, sx, sy, RasterOp::SrcPaint);
}

void Game::FieldDisc(int x, int y, int radius, uint32_t colour) {
    if (radius < 0) return;
    FilledCircle(x, y, radius, colour);
    CoverHud(x + radius, y - radius, y + radius);
}

void Game::RemoveEnemyShot(int k) {
    EnemyShotRecord& s = EnemyShotTable[k];
    s.Active = false;
    s.VanishTimer = 0;
    EnemyShotCount = Wrap16(EnemyShotCount - 1);
}

void Game::EraseEnemyShots() {
    for (int k = 0; k < 256; ++k)
        if (EnemyShotTable[k].Active && EnemyShotTable[k].Age > 0) EraseEnemyShot(k);
}

void Game::EraseEnemyShot(int k) {
    const EnemyShotRecord& s = EnemyShotTable[k];
    const uint32_t black = PaletteColor(0);
    Picture1.SetPenMode(PenMode::CopyPen);
    if (s.VanishTimer > 0) {
        Picture1.SetFillColour(black);
        Picture1.Circle(s.X, s.Y, 8 + s.VanishTimer, black);
        return;
    }
    if (s.Kind >= 0 && s.Kind <= 13 && (ExtraFlagsB & kEbStealth)) return;
    if (s.Kind == 4) {
        Picture1.SetFillColour(black);
        Picture1.Circle(s.X, s.Y, 50, black);
        return;
    }
    const ShotLook look = LookOf(s);
    if (look.Size == 0) return;
    const int half = look.Size / 2;
    FieldSprite(PicTeki, s.X - half, s.Y - half, look.Size, look.Size, look.SpriteX, look.SpriteY, false);
}

void Game::DrawEnemyShot(int k) {
    const EnemyShotRecord& s = EnemyShotTable[k];
    if (s.VanishTimer > 0) {
        Picture1.SetPenMode(PenMode::CopyPen);
        FieldDisc(s.X, s.Y, 8 + s.VanishTimer, PaletteColor(15));
        return;
    }
    if (s.Kind >= 0 && s.Kind <= 13 && (ExtraFlagsB & kEbStealth)) return;
    if (s.Kind == 4) {
        if (s.Age >= 45) return;
        // The blast is ORed onto whatever is below it and fades from yellow to nothing.
        const int level = 255 - 3 * s.Age;
        Picture1.SetPenMode(PenMode::MergePen);
        FieldDisc(s.X, s.Y, 50, RGB(level, level, 0));
        Picture1.SetPenMode(PenMode::CopyPen);
        return;
    }
    const ShotLook look = LookOf(s);
    if (look.Size == 0) return;
    const int half = look.Size / 2;
    FieldSprite(PicTeki, s.X - half, s.Y - half, look.Size, look.Size, look.SpriteX, look.SpriteY, true);
}

void Game::StepEnemyShot(int k) {
    EnemyShotRecord& s = EnemyShotTable[k];
    switch (s.Kind) {
    case 0:
    case 2:
        break;
    case 1:
        if (s.Age < 60) {
            const int a = Search_DR(static_cast<int16_t>(k));
            const int d = a - s.Heading;
            // Turn the short way round, toward the ship.
            const int turn = d > 180 ? -5 * Sign(d) : 5 * Sign(d);
            s.Heading = Wrap16(s.Heading + turn);
            if (s.Age == 0) s.Heading = Wrap16(a); // the first frame aims exactly
        }
        break;
    case 3:
        if (s.Age < 51 && s.Age % 2 == 0) {
            int a = Search_DR(static_cast<int16_t>(k));
            s.Heading = Wrap16(s.Heading + 6 * Sign(a - s.Heading));
            a = Search_DR(static_cast<int16_t>(k));
            if (std::abs(a - s.Heading) < 90) {
                int16_t distance = 0;
                Distance(s.X, s.Y, Player.X, Player.Y, distance);
                s.Speed = Wrap16(s.Speed + distance / 30);
            } else if (s.Speed > 5) {
                s.Speed = Wrap16(s.Speed - 1);
            }
            // It never turns upward, and never outruns the ship.
            if (s.Heading < 0) s.Heading = 0;
            if (s.Heading > 180) s.Heading = 180;
            if (s.Speed > 10) s.Speed = 10;
        }
        break;
    case 4:
        if (s.Age == 45) RemoveEnemyShot(k);
        break;
    case 5:
        if (s.Age == 14) s.VanishTimer = 6;
        break;
    case 6:
        if (s.Age > 0 && s.Age < 61) {
            // Three bursts that start at full speed and die down; a new direction after each.
            const double f = SinDeg(90 + 4.5 * (s.Age % 20));
            s.X = RoundToInt16(s.X + s.Speed * f * CosDeg(s.Heading));
            s.Y = RoundToInt16(s.Y + s.Speed * f * SinDeg(s.Heading));
            if (s.Age % 20 == 0) {
                const double r = Random();
                s.Heading = Wrap16(Int(360 * r));
            }
        } else if (s.Age > 60) {
            s.X = RoundToInt16(s.X + s.Speed * CosDeg(s.Heading));
            s.Y = RoundToInt16(s.Y + s.Speed * SinDeg(s.Heading));
        }
        break;
    case 7:
        if (s.Age == 10 || s.Age == 25) s.Heading = Search_DR(static_cast<int16_t>(k));
        break;
    case 15:
        if (s.Age == 11) RemoveEnemyShot(k);
        break;
    default:
        return; // unknown kinds never age and never move
    }
    s.Age = Wrap16(s.Age + 1);
}

void Game::UpdateEnemyShots() {
    for (int k = 0; k < 256; ++k) {
        EnemyShotRecord& s = EnemyShotTable[k];
        if (!s.Active) continue;
        StepEnemyShot(k);
        if (s.VanishTimer > 0) {
            s.Speed = 0;
            s.VanishTimer = Wrap16(s.VanishTimer + 1);
        }
        if (s.Age > 0 && s.Kind != 6) {
            s.X = RoundToInt16(s.X + s.Speed * CosDeg(s.Heading));
            s.Y = RoundToInt16(s.Y + s.Speed * SinDeg(s.Heading));
        }
        if (!s.Active) continue; // finished in its step
        if (s.X < 0 || s.X > 325 || s.Y > 480 || s.Y < 0 || s.VanishTimer == 8) {
            RemoveEnemyShot(k);
            continue;
        }
        DrawEnemyShot(k);
        EnemyShotHitsPlayer(k);
    }
}

void Game::EnemyShotHitsPlayer(int k) {
    if (StagePhase == 3 || !ShipCanBeHit()) return;
    EnemyShotRecord& s = EnemyShotTable[k];
    if (!s.Active || s.VanishTimer != 0 || s.Kind >= 14) return;
    const int dx = std::abs(Player.X - s.X);
    const int dy = std::abs(Player.Y - s.Y);
    const int reach = (Player.ShipType == 2 ? 5 : 6) + (s.Kind == 4 ? 35 : 0);
    if (dx < reach && dy < reach) {
        Picture1.SetPenMode(PenMode::CopyPen);
        Picture1.FillBoxSized(340, 310, 100, 25, PaletteColor(0));
        if (s.Kind != 4) s.VanishTimer = 1; // a blast keeps burning
        PlayerHit();
        return;
    }
    if (dx < 24 && dy < 24 && !(Player.ShipType == 3 && SpecialTimer > 0)) {
        Picture1.SetPenMode(PenMode::CopyPen);
        Picture1.FillBoxSized(340, 300, 100, 32, PaletteColor(0));
        int energy = Player.Energy + (Player.ShipType == 0 ? 2 : 1);
        if (energy > 100) energy = 100;
        Player.Energy = static_cast<int16_t>(energy);
        if (Player.Energy == 100) AddScore(10);
        Player.GrazeTimer = 8;
    }
}
