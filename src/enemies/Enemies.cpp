// The enemy frame routine: every live enemy runs its script, then the steps all kinds share:
// the explosion, the move along its heading, drawing and the body contact with the ship.
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr uint8_t kEnemyStealth = 8; // ExtraFlagsB: enemies are invisible
constexpr int kPanelEdge = 320;

} // namespace

void Game::EraseEnemies() {
    if (ExtraFlagsB & kEnemyStealth) return;
    for (const EnemyRecord& e : EnemyTable) {
        if (!e.Active || e.DeathTimer > 1 || e.X >= kPanelEdge) continue;
        FieldSprite(PicTeki, e.X - e.Width / 2, e.Y - e.Height / 2, e.Width, e.Height, e.SpriteX, e.SpriteY, false);
    }
}

void Game::DrawEnemy(int i) {
    const EnemyRecord& e = EnemyTable[i];
    if (!e.Active || e.DeathTimer != 0 || e.X >= kPanelEdge || (ExtraFlagsB & kEnemyStealth)) return;
    FieldSprite(PicTeki, e.X - e.Width / 2, e.Y - e.Height / 2, e.Width, e.Height, e.SpriteX, e.SpriteY, true);
}

void Game::EnemyRamsPlayer(int i) {
    const EnemyRecord& e = EnemyTable[i];
    if (!e.Active || e.DeathTimer != 0) return;
    const int reachX = e.Width / 2 - (8 * e.Width) / 32;
    const int reachY = e.Height / 2 - (8 * e.Height) / 32;
    if (std::abs(Player.X - e.X) < reachX && std::abs(Player.Y - e.Y) < reachY) PlayerHit();
}

void Game::RemoveIfOffScreen(int i) {
    EnemyRecord& e = EnemyTable[i];
    const double c = e.Speed * CosDeg(e.Heading);
    const double s = e.Speed * SinDeg(e.Heading);
    const bool gone = (e.X < -(e.Width / 2) && c < 0) || (e.X > kPanelEdge + e.Width / 2 && c > 0) ||
                      (e.Y > 480 + e.Height / 2 && s > 0) || (e.Y < -(e.Height / 2) && s < 0);
    if (!gone) return;
    e.Active = false;
    e.DeathTimer = 0;
    EnemyCount -= 1;
}

void Game::UpdateEnemies() {
    for (int i = 0; i < static_cast<int>(EnemyTable.size()); ++i) {
        EnemyRecord& e = EnemyTable[i];
        if (!e.Active) continue;

        if (e.DeathTimer == 0) RunEnemyScript(i);

        if (e.DeathTimer > 0) {
            if (e.DeathTimer == 1) {
                const int puffs = e.Width / 16 + 1;
                for (int p = 0; p < puffs; ++p) {
                    const double r1 = Random();
                    const double r2 = Random();
                    SpawnEnemyShot(e.X, e.Y, static_cast<double>(Int(360 * r1)),
                                   static_cast<double>(Int(5 * r2) + 1), 15);
                }
            }
            e.DeathTimer += 1;
            e.Heading = 0;
            e.Speed = 0;
            if (Difficulty == 2 && e.DeathTimer == 2) {
                const int16_t aim = Search_R(static_cast<int16_t>(i));
                const double r = Random();
                SpawnEnemyShot(e.X, e.Y, aim, static_cast<double>(Int(5 * r) + 8), 2);
            }
            if (e.DeathTimer >= 11) {
                if (e.Kind == 11 && e.Variant == 1) {
                    TimelineHold = false;
                    BossMode = 0;
                }
                e.Active = false;
                e.DeathTimer = 0;
                EnemyCount -= 1;
            }
        }

        if (e.Timer > 0) {
            e.X = RoundToInt16(e.X + e.Speed * CosDeg(e.Heading));
            e.Y = RoundToInt16(e.Y + e.Speed * SinDeg(e.Heading));
        }

        DrawEnemy(i);

        const bool shipOpen = Player.Arrived && Player.StateTimer == 0;
        const bool shielded = SpecialTimer != 0 && Player.ShipType != 1 && Player.ShipType != 3;
        if (StagePhase != 3 && shipOpen && !shielded) EnemyRamsPlayer(i);
    }
}
