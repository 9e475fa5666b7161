#pragma once
// The plain records of the game's fixed tables. Field order is the order the game lists them in.
#include <cstdint>

struct PlayerRecord {
    int16_t X = 0, Y = 0;             // centre of the ship
    int16_t DX = 0, DY = 0;           // movement of the current frame
    int16_t SpriteX = 0, SpriteY = 0; // image on PicChr; mask 32 lower
    int16_t PowerLevel = 0;           // 0..3
    int16_t Energy = 0;               // 0..100
    int16_t GrazeTimer = 0;
    int16_t AnimCounter = 0;
    int16_t StateTimer = 0; // entry or death clock
    int16_t ShipType = 0;   // 0..3
    bool Arrived = false;
};

struct BossRecord {
    int16_t X = 0, Y = 0;
    int16_t VX = 0, VY = 0;
    int16_t Width = 0, Height = 0;
    int16_t SheetX = 0, SheetY = 0;
    int16_t Timer = 0;
    int16_t Countdown = 0;
    int16_t Energy = 0;
    bool Active = false;
};

struct StarRecord {
    int16_t X = 0, Y = 0, Speed = 0;
    bool Active = false;
};

struct EnemyRecord {
    int16_t Kind = 0, Variant = 0;
    int16_t X = 0, Y = 0;
    int16_t Heading = 0, Speed = 0;
    int16_t Width = 0, Height = 0;
    int16_t SpriteX = 0, SpriteY = 0;
    int16_t Timer = 0, DeathTimer = 0;
    int16_t Hits = 0;
    bool Active = false;
    int16_t Points = 0;
};

struct ScriptRecord {
    int16_t Time = 0, X = 0, Y = 0, Kind = 0, Param = 0;
};

struct PlayerShotRecord {
    int16_t Kind = 0, X = 0, Y = 0, Speed = 0, Heading = 0, Age = 0, HitTimer = 0;
    bool Active = false;
};

struct EnemyShotRecord {
    int16_t Kind = 0, X = 0, Y = 0, Speed = 0, Heading = 0, Age = 0, VanishTimer = 0;
    bool Active = false;
};

struct BeamRecord {
    int16_t X = 0, Y = 0, Owner = 0, OffsetX = 0, OffsetY = 0, Radius = 0, ChargeTime = 0, Duration = 0, Age = 0;
    bool Active = false;
};

struct FragmentRecord {
    int16_t X = 0, Y = 0, DX = 0, DY = 0;
};

struct ItemRecord {
    int16_t Kind = 0, X = 0, Y = 0, DX = 0, DY = 0;
    bool Active = false;
};

struct SceneryRecord {
    int16_t X = 0, Y = 0, DX = 0, DY = 0, SpriteX = 0, SpriteY = 0, Width = 0, Height = 0;
    bool Active = false;
};

struct PointRecord {
    int16_t X = 0, Y = 0;
};
