// Shot volleys, the four special attacks and the energy they run on.
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr uint8_t kMaxEnergy = 2;  // ExtraFlagsA
constexpr uint8_t kMachineGun = 2; // ExtraFlagsB
constexpr uint8_t kMbStealth = 64; // ExtraFlagsB
constexpr int kShotSpeed = 32;

// A computed colour channel saturates instead of wrapping round to dark.
uint32_t Rgb(int r, int g, int b) {
    auto clamp = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    return RGB(clamp(r), clamp(g), clamp(b));
}

} // namespace

bool Game::SpawnPlayerShot(int& searchFrom, int kind, int x, int y, int speed, int heading) {
    return SpawnPlayerShotBelow(searchFrom, static_cast<int>(PlayerShotTable.size()), kind, x, y, speed,
                                heading);
}

bool Game::SpawnPlayerShotBelow(int& searchFrom, int limit, int kind, int x, int y, int speed, int heading) {
    int slot = searchFrom < 0 ? 0 : searchFrom;
    while (slot < limit && PlayerShotTable[slot].Active) ++slot;
    if (slot >= limit) return false;
    PlayerShotRecord& shot = PlayerShotTable[slot];
    shot.Kind = Wrap16(kind);
    shot.X = Wrap16(x);
    shot.Y = Wrap16(y);
    shot.Speed = Wrap16(speed);
    shot.Heading = Wrap16(heading);
    shot.Age = 0;
    shot.HitTimer = 0;
    shot.Active = true;
    PlayerShotCount += 1;
    searchFrom = slot + 1;
    return true;
}

void Game::FireVolley(int shipType, int power, int x, int y, int counter) {
    int from = 0;
    switch (shipType) {
    case 0: {
        if (power == 0) {
            SpawnPlayerShot(from, 2, x, y - 16, kShotSpeed, 270);
        } else {
            SpawnPlayerShot(from, 2, x - 8, y - 16, kShotSpeed, 270);
            SpawnPlayerShot(from, 2, x + 8, y - 16, kShotSpeed, 270);
        }
        if (power >= 2) {
            static constexpr int kKinds[4] = {1, 3, 0, 4};
            static constexpr int kHeadings[4] = {255, 285, 240, 300};
            const int count = power == 3 ? 4 : 2;
            for (int i = 0; i < count; ++i) {
                const int sx = i % 2 == 0 ? x - 8 : x + 8;
                const int sy = y - 16 + (i < 2 ? 2 : 4) * (counter / 2); // side shots trail behind
                SpawnPlayerShot(from, kKinds[i], sx, sy, kShotSpeed, kHeadings[i]);
            }
        }
        break;
    }
    case 1:
        for (int i = 0; i <= power + 1; ++i) SpawnPlayerShot(from, 0, x, y - 8 - 8 * i, kShotSpeed, 270);
        break;
    case 2:
        for (int i = 0; i <= 2 * power + 1; ++i) {
            if (i < 2) {
                SpawnPlayerShot(from, 0, i == 0 ? x - 8 : x + 8, y - 16, kShotSpeed, 270);
            } else {
                const int d = 45 * (i / 2) - std::abs(45 - 3 * counter);
                SpawnPlayerShot(from, 0, x, y - 16 + counter, kShotSpeed, i % 2 == 0 ? 270 - d : 270 + d);
            }
        }
        break;
    case 3:
        for (int i = 0; i <= power; ++i) {
            const double r1 = Random();
            const double r2 = Random();
            const int speed = static_cast<int>(Int(r1 * 5)) + 12;
            const int heading = static_cast<int>(Int(r2 * 60)) + 240;
            SpawnPlayerShot(from, 0, x, y - 16, speed, heading);
        }
        break;
    default:
        break;
    }
}

void Game::FirePlayerShots() {
    if (!Player.Arrived && Player.StateTimer > 40) return;
    if (ShipIsDying()) return;
    if ((Player.ShipType == 0 || Player.ShipType == 3) && SpecialTimer > 0) return;

    if (!InputFire()) {
        FireCounter = 0;
        return;
    }
    FireCounter += 1;
    if (FireCounter > (Player.ShipType == 2 ? 14 : 15)) {
        FireCounter = 0;
        return;
    }
    if (!(ExtraFlagsB & kMachineGun)) {
        const int k = Player.ShipType == 2 || Player.ShipType == 3 ? 3 : 2;
        if (FireCounter % k != 1) return;
    }
    if (PlayerShotCount > 200) return;
    FireVolley(Player.ShipType, Player.PowerLevel, Player.X, Player.Y, FireCounter);
    if (!(ExtraFlagsB & kMbStealth)) SpawnEnemyShot(Player.X, Player.Y - 20, 0, 0, 0);
}

int32_t Game::ComboBonus(int N) const {
    const float product = static_cast<float>(1 + N) * (static_cast<float>(N) / 2.0f);
    const long long rounded = RoundHalfEven(product);
    return Wrap32(rounded / 10 * 10);
}

void Game::EndSpecialAttack() {
    SpecialTimer = 0;
    AddScore(ComboBonus(SpecialKills));
    if (SpecialKills > MaxCombo) MaxCombo = SpecialKills;
}

void Game::StartSpecialAttack() {
    SpecialTimer = 1;
    SpecialKills = 0;
    ComboTimer = 0;
}

void Game::UpdateSpecialAttack() {
    if (!SpecialPressed && SpecialTimer == 0) return;
    if (SpecialTimer > 0) SpecialTimer += 1;

    switch (Player.ShipType) {
    case 0:
        if (ShipIsSwooping() || ShipIsDying()) return;
        if (SpecialTimer > 20 && SpecialTimer % 2 == 0) Player.Energy -= 5;
        if (Player.Energy == 100 && SpecialTimer == 0 && SpecialPressed) {
            StartSpecialAttack();
            PlayBeamSound();
        }
        if (SpecialTimer == 60) {
            PaintEnergyGaugeBlack();
            EndSpecialAttack();
        }
        break;

    case 1:
        // The entry test is the clock alone, as it has always been.
        if (Player.Energy > 24 && Player.StateTimer < 31 && SpecialTimer == 0 && SpecialPressed) {
            StartSpecialAttack();
            SpecialX = Player.X;
            SpecialY = Player.Y;
            if (Player.Energy == 100) {
                // A full gauge flashes the screen and wipes out every enemy shot.
                Picture1.SetBackColour(PaletteColor(15));
                for (EnemyShotRecord& shot : EnemyShotTable) {
                    if (shot.Active && shot.Kind < 14 && shot.VanishTimer == 0) {
                        shot.VanishTimer = 1;
                        SpecialKills += 1;
                    }
                }
            }
            Player.Energy -= 25;
        }
        if (SpecialTimer == 4 && Player.Energy > 74) {
            Picture1.SetBackColour(PaletteColor(0));
            Picture1.Clear();
        }
        if (SpecialTimer == 24) EndSpecialAttack();
        break;

    case 2:
        if (ShipIsSwooping() || ShipIsDying()) return;
        if (SpecialTimer > 0) {
            Player.Energy -= 1;
            Player.SpriteX = SpecialTimer < 6 || Player.Energy < 5 ? 64 : 128;
        }
        if (Player.Energy == 0 && SpecialTimer > 0) {
            DrawHudValues();
            Player.SpriteX = 128;
            Player.SpriteY = 64;
            EndSpecialAttack();
        }
        if (Player.Energy > 49 && SpecialTimer == 0 && SpecialPressed) {
            StartSpecialAttack();
            Player.SpriteX = 64;
            Player.SpriteY = 128;
            Player.Energy -= 1;
        }
        break;

    case 3:
        if (ShipIsSwooping() || ShipIsDying()) return;
        if (SpecialTimer > 0) {
            int from = 0;
            for (int i = 0; i < 4; ++i) {
                const double r = Random();
                const int heading = static_cast<int>(Int(r * 120)) + 210;
                // Slot 255 is never used by this spray.
                if (!SpawnPlayerShotBelow(from, 255, 0, Player.X, Player.Y - 16, kShotSpeed, heading)) {
                    Player.Energy -= 1;
                    return;
                }
            }
            SpawnEnemyShot(Player.X, Player.Y - 20, 0, 0, 0);
            Player.Energy -= 2;
        }
        if (Player.Energy < 0 && SpecialTimer > 0) {
            Player.Energy = 0;
            DrawHudValues();
            EndSpecialAttack();
        }
        if (Player.Energy > 9 && SpecialTimer == 0 && SpecialPressed) {
            StartSpecialAttack();
            Player.Energy -= 1;
        }
        break;

    default:
        break;
    }
}

void Game::DrawSpecialEffect() {
    if (SpecialTimer <= 0) return;
    const int T = SpecialTimer;
    const int x = Player.X;
    const int y = Player.Y;
    const uint32_t white = PaletteColor(15);
    switch (Player.ShipType) {
    case 0:
        if (T < 20) {
            // Charging: one ring closes on the ship while another grows above it.
            FilledCircle(x, y, 40 - 2 * T, white);
            CoverHud(x + 40 - 2 * T, y - 40 + 2 * T, y + 40 - 2 * T);
            FilledCircle(x, y - 40, 2 * T, white);
            CoverHud(x + 2 * T, y - 40 - 2 * T, y - 40 + 2 * T);
        } else {
            const int s = T > 55 ? T - 55 : 0; // the beam narrows in its last frames
            const int r = 40 - 10 * s;
            FilledCircle(x, y - 40, r, white);
            CoverHud(x + r, y - 40 - r, y - 40 + r);
            const int half = 30 - 7 * s;
            Picture1.FillBox(x - half, 0, x + half, y - 40, white);
            CoverHud(x + half, 0, y - 40);
        }
        break;
    case 1:
        for (int i = 0; i < 12; ++i) {
            const int k = 10 * (std::abs(24 - T - i) % 24);
            FilledCircle(SpecialX, SpecialY, 60 - 5 * i, Rgb(30 + k, 30 + k, 30 + k));
        }
        CoverHud(SpecialX + 60, SpecialY - 60, SpecialY + 60);
        DrawPlayer();
        break;
    case 2:
        if (T > 10 && Player.Energy > 0) {
            for (int i = 0; i < 10; ++i) {
                const int k = 20 * (std::abs(T - i) % 10);
                const uint32_t colour = Player.Energy > 15 ? Rgb(50 + k, 50 + k, 50) : Rgb(50 + k, 50, 50);
                FilledCircle(x, y, 40 - 4 * i, colour);
            }
            CoverHud(x + 40, y - 40, y + 40);
            DrawPlayer();
        }
        break;
    default:
        break;
    }
}

void Game::RechargeEnergy() {
    if (!(ExtraFlagsA & kMaxEnergy)) return;
    if (!Player.Arrived || Player.StateTimer != 0 || SpecialTimer != 0 || Player.Energy >= 100) return;
    PaintEnergyGaugeBlack();
    Player.Energy = static_cast<int16_t>(Player.Energy + 2 > 100 ? 100 : Player.Energy + 2);
}
