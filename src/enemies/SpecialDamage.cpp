// What the special attacks do to the world: enemies damaged, enemy shots cancelled, bosses hurt,
// and the black pass that erases last frame's special-attack shapes.
#include <algorithm>
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr uint8_t kPowerful = 64; // ExtraFlagsA: double damage

// Ship 0's beam: a box centred 20 pixels above the ship, and the column above it to the top.
bool InBeamOfShip0(int x, int y, int px, int py, int box, int column) {
    return (std::abs(x - px) < box && std::abs(y - py + 20) < box) ||
           (std::abs(x - px) < column && y < py - 40);
}

// Whether the running special attack reaches an enemy or an enemy shot at (x, y).
bool SpecialReaches(const Game& g, int x, int y, bool shotsOnly) {
    const int t = g.SpecialTimer;
    const PlayerRecord& p = g.Player;
    switch (p.ShipType) {
    case 0:
        return t >= 21 && InBeamOfShip0(x, y, p.X, p.Y, 40, 30);
    case 1:
        return t >= 1 && std::abs(x - g.SpecialX) < 60 && std::abs(y - g.SpecialY) < 60;
    case 2:
        return shotsOnly && t >= 11 && p.Energy > 10 && std::abs(x - p.X) < 32 && std::abs(y - p.Y) < 32;
    default:
        return false;
    }
}

} // namespace

void Game::SpecialHitsEnemies() {
    if (SpecialTimer <= 0 || (Player.ShipType != 0 && Player.ShipType != 1)) return;
    const int damage = (ExtraFlagsA & kPowerful) ? 4 : 2;
    for (int i = 0; i < 16; ++i) {
        EnemyRecord& e = EnemyTable[i];
        if (!e.Active || e.DeathTimer != 0 || !SpecialReaches(*this, e.X, e.Y, false)) continue;
        e.Hits = Wrap16(e.Hits - damage);
        if (e.Hits < 1) DestroyEnemy(i, KillBy::Special);
    }
}

void Game::SpecialCancelsShots() {
    if (SpecialTimer <= 0) return;
    for (EnemyShotRecord& s : EnemyShotTable) {
        if (!s.Active || s.VanishTimer != 0 || s.Kind == 4 || s.Kind >= 14) continue;
        if (!SpecialReaches(*this, s.X, s.Y, true)) continue;
        s.VanishTimer = 1;
        ErasedShots = Wrap32(static_cast<long long>(ErasedShots) + 1);
        SpecialKills = Wrap16(SpecialKills + 1);
        AddScore(10);
    }
}

void Game::SpecialHitsOneBoss(BossRecord& boss) {
    if (SpecialTimer < 21 || !boss.Active || boss.Countdown != 0) return;
    const PlayerRecord& p = Player;
    bool reached = false;
    if (p.ShipType == 0)
        reached = InBeamOfShip0(boss.X, boss.Y, p.X, p.Y, 70, 60);
    else if (p.ShipType == 1)
        reached = std::abs(boss.X - SpecialX) < 60 + boss.Width / 2 &&
                  std::abs(boss.Y - SpecialY) < 60 + boss.Height / 2;
    if (!reached) return;
    Picture1.SetPenMode(PenMode::CopyPen);
    Picture1.FillBoxSized(330, 370, 120, 32, PaletteColor(0));
    boss.Energy = Wrap16(boss.Energy - ((ExtraFlagsA & kPowerful) ? 4 : 2));
    if (boss.Energy < 1) {
        boss.Energy = 0;
        AddScore(10000);
        DefeatBoss();
    }
}

void Game::SpecialHitsBoss() {
    if (StagePhase == 2) SpecialHitsOneBoss(Boss);
}

void Game::SpecialHitsExtraBoss() {
    if (StagePhase == 5) SpecialHitsOneBoss(ExtraBoss);
}

void Game::EraseSpecial() {
    const int t = SpecialTimer;
    if (t <= 0) return;
    const uint32_t black = PaletteColor(0);
    Picture1.SetPenMode(PenMode::CopyPen);
    Picture1.SetFillColour(black);
    const int px = Player.X, py = Player.Y;
    switch (Player.ShipType) {
    case 0:
        if (t < 20) {
            Picture1.Circle(px, py, 40 - 2 * t, black);
            Picture1.Circle(px, py - 40, 2 * t, black);
        } else {
            // The beam narrows in its last frames.
            const int s = t > 55 ? t - 55 : 0;
            const int k = 30 - 7 * s;
            Picture1.Circle(px, py - 40, 40 - 10 * s, black);
            Picture1.FillBox(px - k, 0, px + k, py - 40, black);
        }
        break;
    case 1:
        Picture1.Circle(SpecialX, SpecialY, 60, black);
        break;
    case 2:
        if (t > 10) Picture1.Circle(px, py, 40, black);
        break;
    default:
        break;
    }
}
