// The ship's shots: moved, drawn and tested against the enemies every frame; the boss hit tests
// and the bosses' body contact with the ship; and what destroying an enemy pays.
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr uint8_t kPowerful = 64;  // ExtraFlagsA: double damage
constexpr uint8_t kMbStealth = 64; // ExtraFlagsB: own shots not drawn

bool CountsAsDestroyed(int kind) {
    // Orbiters, mines, chasers, missiles and obstacles are not part of the stage's tally.
    return kind != 5 && kind != 6 && kind != 10 && kind != 12 && kind != 18;
}

} // namespace

void Game::DestroyEnemy(int i, KillBy cause) {
    EnemyRecord& e = EnemyTable[i];
    // Ship 0's beam kills silently.
    if (cause == KillBy::Shot || Player.ShipType != 0) PlayHitSound();
    e.DeathTimer = 1;
    if (cause == KillBy::Special) {
        AddScore(2 * static_cast<int32_t>(e.Points));
    } else {
        AddScore(e.Points);
        if (Player.ShipType == 3 && SpecialTimer > 0) AddScore(e.Points);
    }
    if (StagePhase == 1 && CountsAsDestroyed(e.Kind)) EnemiesDestroyed = Wrap16(EnemiesDestroyed + 1);
    if (e.Kind == 35) SpawnItem(i, e.Variant);
    if (e.Kind == 11 && e.Variant == 1) {
        TimelineHold = false;
        BossMode = 0;
    }
}

// The shot's picture by ship type: ship 0's five kinds, one image each for ships 1 and 2, and
// ship 3's short-lived sparks, which reuse the explosion frames. Drawn, or erased with the mask.
void Game::PlayerShotSprite(const PlayerShotRecord& s, bool draw) {
    switch (Player.ShipType) {
    case 0: FieldSprite(PicChr, s.X - 4, s.Y - 4, 8, 8, 96 + 8 * s.Kind, 0, draw); break;
    case 1: FieldSprite(PicChr, s.X - 4, s.Y - 4, 8, 8, 96, 16, draw); break;
    case 2: FieldSprite(PicChr, s.X - 4, s.Y - 4, 8, 8, 104, 16, draw); break;
    case 3: FieldSprite(PicTeki, s.X - 16, s.Y - 16, 32, 32, 256 + 32 * (s.Age / 3), 256, draw); break;
    default: break;
    }
}

void Game::ErasePlayerShot(int k) {
    const PlayerShotRecord& s = PlayerShotTable[k];
    Picture1.SetPenMode(PenMode::CopyPen);
    if (s.HitTimer > 0) {
        Picture1.SetFillColour(PaletteColor(0));
        Picture1.Circle(s.X, s.Y, 3 * s.HitTimer, PaletteColor(0));
        return;
    }
    if (ExtraFlagsB & kMbStealth) return;
    PlayerShotSprite(s, false);
}

void Game::DrawPlayerShot(int k) {
    const PlayerShotRecord& s = PlayerShotTable[k];
    if (!s.Active) return;
    if (s.HitTimer > 0) {
        // The burst of a shot that hit.
        Picture1.SetPenMode(PenMode::CopyPen);
        FieldDisc(s.X, s.Y, 3 * s.HitTimer, PaletteColor(15));
        return;
    }
    if (ExtraFlagsB & kMbStealth) return;
    PlayerShotSprite(s, true);
}

void Game::UpdatePlayerShots() {
    for (int k = 0; k < 256; ++k) {
        PlayerShotRecord& s = PlayerShotTable[k];
        if (!s.Active) continue;
        ErasePlayerShot(k);
        if (s.HitTimer > 0) {
            s.Speed = 0;
            s.HitTimer = Wrap16(s.HitTimer + 1);
        }
        s.X = RoundToInt16(s.X + s.Speed * CosDeg(s.Heading));
        s.Y = RoundToInt16(s.Y + s.Speed * SinDeg(s.Heading));
        if (s.X < 0 || s.X > 316 || s.Y > 480 || s.Y < 0 || s.HitTimer == 4) {
            s.Active = false;
            s.HitTimer = 0;
            PlayerShotCount = Wrap16(PlayerShotCount - 1);
            continue;
        }
        if (ShotRangeSetting > 0 && s.Age == ShotRangeSetting && s.HitTimer == 0) {
            s.Active = false;
            PlayerShotCount = Wrap16(PlayerShotCount - 1);
        }
        if (Player.ShipType == 3 && (s.Age == 11 || s.HitTimer > 0)) {
            // Ship 3 sprays short-lived shots.
            if (s.Active) {
                s.Active = false;
                PlayerShotCount = Wrap16(PlayerShotCount - 1);
            }
        } else if (s.HitTimer == 0) {
            s.Age = Wrap16(s.Age + 1);
        }
        DrawPlayerShot(k);
        PlayerShotCancelsShots(k); // even a shot that has just run out
        PlayerShotHitsEnemies(k);
    }
}

void Game::PlayerShotCancelsShots(int k) {
    if (Player.ShipType != 3 || SpecialTimer <= 0) return;
    const PlayerShotRecord& p = PlayerShotTable[k];
    for (EnemyShotRecord& s : EnemyShotTable) {
        if (!s.Active || s.VanishTimer != 0 || s.Kind == 4 || s.Kind >= 14) continue;
        if (std::abs(s.X - p.X) >= 82 || std::abs(s.Y - p.Y) >= 82) continue;
        s.VanishTimer = 1;
        ErasedShots = Wrap32(static_cast<long long>(ErasedShots) + 1);
        AddScore(10);
        SpecialKills = Wrap16(SpecialKills + 1);
    }
}

void Game::PlayerShotHitsEnemies(int k) {
    PlayerShotRecord& s = PlayerShotTable[k];
    if (!s.Active || s.HitTimer != 0 || s.X >= 320) return;
    const int damage = (ExtraFlagsA & kPowerful) ? 2 : 1;
    // One shot may damage every enemy it overlaps.
    for (int i = 0; i < 16; ++i) {
        EnemyRecord& e = EnemyTable[i];
        if (!e.Active || e.DeathTimer != 0) continue;
        if (std::abs(s.X - e.X) >= e.Width / 2 - e.Width / 6) continue;
        if (std::abs(s.Y - e.Y) >= e.Height - e.Height / 6) continue;
        if (Player.ShipType != 3) s.HitTimer = 1; // ship 3's shots pass through
        e.Hits = Wrap16(e.Hits - damage);
        if (e.Hits < 1) DestroyEnemy(i, KillBy::Shot);
    }
}

void Game::ShotHitsBoss(BossRecord& boss) {
    if (boss.Countdown != 0) return;
    const int reachX = boss.Width / 2 - boss.Width / 16;
    const int reachY = boss.Height / 2 - boss.Height / 16;
    const int damage = (ExtraFlagsA & kPowerful) ? 2 : 1;
    for (PlayerShotRecord& s : PlayerShotTable) {
        if (!s.Active || s.HitTimer != 0 || s.X >= 320) continue;
        if (std::abs(s.X - boss.X) >= reachX || std::abs(s.Y - boss.Y) >= reachY) continue;
        Picture1.SetPenMode(PenMode::CopyPen);
        Picture1.FillBoxSized(330, 370, 120, 32, PaletteColor(0));
        if (Player.ShipType != 3) s.HitTimer = 1;
        boss.Energy = Wrap16(boss.Energy - damage);
        if (boss.Energy < 1) {
            boss.Energy = 0;
            AddScore(5000);
            if (Player.ShipType == 3 && SpecialTimer > 0) AddScore(5000);
            DefeatBoss();
            return; // later shots of this frame find it destroyed
        }
    }
}

void Game::PlayerShotsHitBoss() {
    if (StagePhase == 2) ShotHitsBoss(Boss);
}

void Game::PlayerShotsHitExtraBoss() {
    if (StagePhase == 5) ShotHitsBoss(ExtraBoss);
}

void Game::BossBodyHitsPlayer(const BossRecord& boss) {
    if (boss.Countdown != 0 || !ShipCanBeHit()) return;
    if (std::abs(Player.X - boss.X) < boss.Width / 2 - boss.Width / 4 &&
        std::abs(Player.Y - boss.Y) < boss.Height / 2 - boss.Height / 4)
        PlayerHit();
}

void Game::BossRamsPlayer() {
    if (StagePhase == 2) BossBodyHitsPlayer(Boss);
}

void Game::ExtraBossRamsPlayer() {
    if (StagePhase == 5) BossBodyHitsPlayer(ExtraBoss);
}
