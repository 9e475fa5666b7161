// Pools and spawners: every moving thing but the ship and the bosses lives in a fixed table. A
// spawn fills the lowest free slot or, when the pool is full, does nothing at all.
#include <cmath>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

template <typename Table> int LowestFree(const Table& table) {
    for (size_t i = 0; i < table.size(); ++i)
        if (!table[i].Active) return static_cast<int>(i);
    return -1;
}

struct SceneryShape {
    int16_t SpriteX, SpriteY, Width, Height;
};
constexpr SceneryShape kSceneryShapes[10] = {
    {0, 128, 32, 32}, {0, 192, 32, 32}, {32, 128, 32, 48}, {0, 256, 22, 12}, {0, 279, 7, 6},
    {32, 224, 18, 13}, {32, 250, 12, 10}, {50, 224, 19, 20}, {50, 264, 28, 13}, {69, 224, 18, 13},
};

} // namespace

int16_t Game::ChildEnemyPoints(int kind) {
    // Children never inherit a score from whatever last used their slot.
    switch (kind) {
    case 5:
    case 12: return 1000;
    case 10: return 300;
    case 31:
    case 32:
    case 33:
    case 34: return 3000;
    default: return 100; // mines and time bombs (6, 21, 22) and anything else
    }
}

void Game::SpawnEnemyShot(double X, double Y, double Heading, double Speed, double Kind) {
    if (EnemyShotCount >= 255) return;
    const int slot = LowestFree(EnemyShotTable);
    if (slot < 0) return;
    EnemyShotRecord& s = EnemyShotTable[slot];
    s.Kind = RoundToInt16(Kind);
    s.X = RoundToInt16(X);
    s.Y = RoundToInt16(Y);
    s.Speed = RoundToInt16(Speed);
    s.Heading = RoundToInt16(Heading);
    s.Age = 0;
    // A still shot is a flash: it starts out dissolving (the blast, kind 4, does not).
    s.VanishTimer = (s.Speed == 0 && s.Kind != 4) ? 6 : 0;
    s.Active = true;
    EnemyShotCount += 1;
}

void Game::SpawnShotFan(double X, double Y, int Count, float Step, double Speed, double Kind, int Aimed) {
    if (Count < 1) return;
    const long long base = Aimed == 1 ? Search_RXY(RoundToInt16(X), RoundToInt16(Y)) : 90;
    const float spread = static_cast<float>(Count - 1) * Step;
    const long long half = RoundHalfEven(spread) / 2;
    for (int i = 0; i < Count; ++i) {
        const float heading = static_cast<float>(base + half) - static_cast<float>(i) * Step;
        SpawnEnemyShot(X, Y, static_cast<double>(RoundHalfEven(heading) % 360), Speed, Kind);
    }
}

void Game::SpawnEnemy(double X, double Y, double Speed, double Kind) {
    if (EnemyCount > 14) return;
    const int slot = LowestFree(EnemyTable);
    if (slot < 0) return;
    EnemyRecord& e = EnemyTable[slot];
    e.Kind = RoundToInt16(Kind);
    e.X = RoundToInt16(X);
    e.Y = RoundToInt16(Y);
    e.Speed = RoundToInt16(Speed);
    e.Heading = 90;
    e.Width = 32;
    e.Height = 32;
    e.SpriteX = 160;
    e.SpriteY = 0;
    e.Timer = 0;
    e.DeathTimer = 0;
    e.Hits = 10;
    e.Active = true;
    e.Points = ChildEnemyPoints(e.Kind);
    EnemyCount += 1;
}

void Game::SpawnBeam(double X, double Y, double Owner, double OffsetX, double OffsetY, double Radius,
                     double ChargeTime, double Duration) {
    if (BeamCount >= 8) return;
    const int slot = LowestFree(BeamTable);
    if (slot < 0) return;
    BeamRecord& b = BeamTable[slot];
    b.X = RoundToInt16(X);
    b.Y = RoundToInt16(Y);
    b.Owner = RoundToInt16(Owner);
    b.OffsetX = RoundToInt16(OffsetX);
    b.OffsetY = RoundToInt16(OffsetY);
    b.Radius = RoundToInt16(Radius);
    b.ChargeTime = RoundToInt16(ChargeTime);
    b.Duration = RoundToInt16(Duration);
    b.Age = 0;
    b.Active = true;
    BeamCount += 1;
}

void Game::SpawnItem(int EnemySlot, int Kind) {
    if (ItemCount >= 7) return;
    if (EnemySlot < 0 || EnemySlot >= 16) return;
    const int slot = LowestFree(ItemTable);
    if (slot < 0) return;
    ItemRecord& item = ItemTable[slot];
    item.Kind = Wrap16(Kind);
    item.X = EnemyTable[EnemySlot].X;
    item.Y = EnemyTable[EnemySlot].Y;
    item.DX = 0;
    item.DY = 2;
    item.Active = true;
    ItemCount += 1;
}

void Game::SpawnScenery(int Slot, double X, double Y, double DX, double DY, int Shape) {
    if (Slot < 0 || Slot >= 16) return;
    SceneryRecord& s = SceneryTable[Slot];
    s.X = RoundToInt16(X);
    s.Y = RoundToInt16(Y);
    s.DX = RoundToInt16(DX);
    s.DY = RoundToInt16(DY);
    s.Active = true;
    if (Shape >= 0 && Shape < 10) {
        const SceneryShape& shape = kSceneryShapes[Shape];
        s.SpriteX = shape.SpriteX;
        s.SpriteY = shape.SpriteY;
        s.Width = shape.Width;
        s.Height = shape.Height;
    }
}

void Game::SpawnRandomScenery(int Mode) {
    if (BackgroundOff) return;
    if (Mode == 0) {
        const int slot = LowestFree(SceneryTable);
        if (slot < 0) return;
        const double r1 = Random(), r2 = Random(), r3 = Random(), r4 = Random(), r5 = Random();
        SpawnScenery(slot, static_cast<double>(Int(320 * r1)), static_cast<double>(Int(50 * r2) - 50),
                     static_cast<double>(Int(3 * r3) - 1), static_cast<double>(Int(4 * r4) + 2),
                     static_cast<int>(Int(10 * r5)));
    } else if (Mode == 1) {
        for (int slot = 0; slot < 16; ++slot) {
            if (SceneryTable[slot].Active) continue;
            const double r1 = Random(), r2 = Random(), r3 = Random(), r4 = Random(), r5 = Random();
            SpawnScenery(slot, static_cast<double>(Int(320 * r1)), static_cast<double>(50 - Int(50 * r2)),
                         static_cast<double>(Int(3 * r3) - 1), static_cast<double>(Int(6 * r4) + 10),
                         static_cast<int>(Int(3 * r5)));
        }
    }
}

void Game::Distance(double X1, double Y1, double X2, double Y2, int16_t& Result) {
    const double dx = X2 - X1, dy = Y2 - Y1;
    Result = RoundToInt16(std::sqrt(dx * dx + dy * dy));
}
