// Scripts of the enemy kinds the stage timeline places. Each runs once per frame for a live enemy
// that is not exploding; the frame routine then moves, draws and collides it.
#include "core/Game.h"
#include "core/Numeric.h"
#include "enemies/ScriptActions.h"

namespace {

// Most kinds end their frame this way; the test uses the position the script ran with.
void EndFrame(ScriptActions& a) {
    a.E.Timer += 1;
    a.G.RemoveIfOffScreen(a.Slot);
}

// Straight diver: one aimed shot at frame 20.
void StraightDiver(ScriptActions& a) {
    EnemyRecord& e = a.E;
    e.Heading = 90;
    e.Speed = 6;
    if (e.Timer == 20) a.Shot(e.X, e.Y, a.Aim(), 6 + a.D);
    EndFrame(a);
}

// Looping diver: circles at 4 degrees a frame, with a short burst of aimed shots early on.
void LoopingDiver(ScriptActions& a) {
    EnemyRecord& e = a.E;
    e.Heading += e.Variant >= 1 ? 4 : -4;
    e.Speed = 6;
    e.Timer += 1;
    if (12 - 2 * a.D < e.Timer && e.Timer < 18 + 2 * a.D) a.Shot(e.X, e.Y, a.Aim(), 9 + a.D);
    a.G.RemoveIfOffScreen(a.Slot);
}

// Slowing gunship: loses a unit of speed every 20 frames (and so backs away upward in the end),
// firing a five-way volley every 40.
void SlowingGunship(ScriptActions& a) {
    EnemyRecord& e = a.E;
    e.Timer += 1;
    if (e.Timer % 20 == 0) e.Speed -= 1;
    if (e.Timer % 40 == 0) {
        for (int i = 0; i < 5; ++i) a.Shot(e.X, e.Y, a.Aim() - 30 + 15 * i, 8);
    }
    a.G.RemoveIfOffScreen(a.Slot);
}

// Weaver: swings between 30 and 150 degrees; Timer is only its turning direction.
void Weaver(ScriptActions& a) {
    EnemyRecord& e = a.E;
    if (e.Timer == 1) e.Heading += 4;
    if (e.Timer == 3) e.Heading -= 4;
    bool volley = false;
    if (e.Heading > 150) {
        e.Timer = 3;
        volley = true;
    } else if (e.Heading < 30) {
        e.Timer = 1;
        volley = true;
    }
    if (volley && e.Y < 400) {
        for (int i = 0; i <= a.D; ++i) a.Shot(e.X, e.Y, a.Aim(), 6 + a.D);
    }
    a.G.RemoveIfOffScreen(a.Slot);
}

// Aimed charger: drops to y 120, then turns on the ship once and charges, leaving a homing shot.
void AimedCharger(ScriptActions& a) {
    EnemyRecord& e = a.E;
    if (e.Timer == 0) e.Timer = 1;
    if (e.Timer == 1 && e.Y > 120) e.Timer = 2;
    if (e.Timer == 2) {
        e.Heading = a.Aim();
        e.Speed = Wrap16(8 + 2 * a.D);
        a.Shot(e.X, e.Y, a.Aim(), 5 + a.D, 1);
        e.Timer = 3;
    }
    a.G.RemoveIfOffScreen(a.Slot);
}

// Twin-gun turret: stands for a while firing pairs of slowing aimed shots, then leaves upward.
void TwinGunTurret(ScriptActions& a) {
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    if (t >= 21 && t <= 79) {
        e.Heading = 0;
        e.Speed = 0;
        const int m = t % 20;
        if (m >= 1 && m <= 4) {
            const int speed = 12 + a.D - 2 * m;
            a.Shot(e.X - 24, e.Y, a.Aim(), speed);
            a.Shot(e.X + 24, e.Y, a.Aim(), speed);
        }
    }
    if (t == 110) {
        e.Speed = 3;
        e.Heading = 270;
    }
    EndFrame(a);
}

// Sweeping gunship: two guns sweep toward the middle; a flash then a stream from its nose.
void SweepingGunship(ScriptActions& a) {
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    if (t == 30) {
        e.Heading = 90;
        e.Speed = 0;
    }
    const int m = t % 10;
    if (t > 30 && m >= 1 && m <= 4 + 2 * a.D) {
        a.Shot(e.X + 24, e.Y + 24, 35 + 5 * m, 8 + 2 * a.D);
        a.Shot(e.X - 24, e.Y + 24, 125 - 5 * m, 8 + 2 * a.D);
    }
    if (t >= 61 && t <= 69) a.Flash(e.X, e.Y + 8);
    if (t >= 70 && t <= 77) a.Stream(e.X, e.Y - 24);
    if (t == 80) {
        e.Heading = 270;
        e.Speed = 4;
    }
    EndFrame(a);
}

// Hunter: slides toward the ship, charges, fires a stream, then dives faster and faster.
void Hunter(ScriptActions& a) {
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    const int shift = 10 * a.D;
    if (t < 51 - shift) {
        e.Heading = 90;
        e.Speed = 0;
        e.X = RoundToInt16(e.X + 6 * CosDeg(a.Aim()));
        e.Y = RoundToInt16(e.Y + 4 * SinDeg(a.Aim()));
        if (a.D == 2 && t % 5 == 0) {
            a.Shot(e.X, e.Y + 16, a.AimFrom(e.X, e.Y + 16), 8);
            a.Flash(e.X, e.Y + 16);
        }
    } else if (t < 70 - shift) {
        e.Speed = 0;
        a.Flash(e.X, e.Y + 16);
    } else if (t < 101 - shift) {
        a.Stream(e.X, e.Y - 16);
    } else {
        e.Heading = 90;
        e.Speed += 1;
    }
    EndFrame(a);
}

// Carrier: drops mines, follows the ship sideways with shot pairs, then fires streams; after three
// cycles it leaves. With Variant 1 the stage clock waits for it.
void Carrier(ScriptActions& a) {
    Game& g = a.G;
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    if (t <= 20) {
        e.Heading = 90;
        e.Speed = 3;
        if (t == 20) e.Speed = 0;
    } else if (t <= 79) {
        if (t % 20 == 0) {
            g.SpawnEnemy(e.X - 40, e.Y, 8, 6);
            g.SpawnEnemy(e.X + 40, e.Y, 8, 6);
        }
    } else if (t <= 160) {
        e.Heading = e.X > g.Player.X ? 180 : 0;
        e.Speed = 1;
        if (t % 20 == 0) {
            for (int pair = 0; pair < 6; ++pair) {
                int aim = a.Aim();
                int heading = aim - 10 + a.RandomBelow(30);
                int speed = a.RandomBelow(7) + 6 + 2 * a.D;
                a.Shot(e.X - 18, e.Y + 12, heading, speed);
                aim = a.Aim();
                heading = aim + 10 - a.RandomBelow(30);
                speed = a.RandomBelow(7) + 6 + 2 * a.D;
                a.Shot(e.X + 18, e.Y + 12, heading, speed);
            }
        }
        if (t == 160) {
            e.Heading = 0;
            e.Speed = 0;
        }
    } else if (t <= 179) {
        a.Flash(e.X - 62, e.Y);
        a.Flash(e.X + 62, e.Y);
        a.Flash(e.X, e.Y + 20);
    } else {
        a.Stream(e.X - 62, e.Y - 32);
        a.Stream(e.X + 62, e.Y - 32);
        a.Stream(e.X, e.Y - 12);
    }
    e.Timer += 1;
    if (e.Timer == 230) {
        e.Timer = 20;
        g.BossMode += 1;
    }
    if (g.BossMode == 3) {
        e.Speed = 3;
        e.Heading = 270;
        e.Timer = 231;
        g.BossMode = 0;
        g.TimelineHold = false;
    }
    g.RemoveIfOffScreen(a.Slot);
}

// Curving diver: bends left or right (or dives fast, Variant 2), with an aimed and a homing shot.
void CurvingDiver(ScriptActions& a) {
    EnemyRecord& e = a.E;
    if (e.Variant <= 0)
        e.Heading -= 1;
    else if (e.Variant == 1)
        e.Heading += 1;
    e.Speed = e.Variant == 2 ? Wrap16(12 + a.D) : 6;
    if (e.Variant == 0 || e.Variant == 1) {
        if (e.Timer == 30) a.Shot(e.X, e.Y, a.Aim(), 8);
        if (e.Timer == 50) a.Shot(e.X, e.Y, 90, 5 + a.D, 1);
    }
    EndFrame(a);
}

// Rising turner: climbs from below, bending early, speeding up, dropping pairs of shots.
void RisingTurner(ScriptActions& a) {
    EnemyRecord& e = a.E;
    if (e.Timer < 30) {
        if (e.Variant == 0)
            e.Heading += 3;
        else if (e.Variant == 1)
            e.Heading -= 3;
    }
    if (e.Timer % 20 == 0) e.Speed += 1;
    if (e.Timer % 15 == 0) a.Fan(e.X, e.Y, 2, 10, 7 + a.D, false);
    EndFrame(a);
}

// Diver that stops, fires two aimed fans and turns away to one side or straight down.
void StoppingDiver(ScriptActions& a) {
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    if (t <= 20) {
        if (e.Variant == 0)
            e.Heading += 2;
        else if (e.Variant >= 2)
            e.Heading -= 2;
        if (t == 20) e.Speed = 0;
    } else if (t <= 50) {
        if (t % 15 == 5 * a.D) a.Fan(e.X, e.Y, 3, 8, 7 + a.D, true);
        if (t == 50) {
            e.Heading = Wrap16(50 + 40 * a.RandomBelow(3));
            e.Speed = 6;
        }
    } else if (e.Heading % 90 != 0) {
        e.Heading += 2 * Sign(e.Heading - 90);
    }
    EndFrame(a);
}

// Slow gun pod: one of three firing patterns, silent once low on the field.
void GunPod(ScriptActions& a) {
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    const int d = a.D;
    if (e.Y < 440) {
        switch (e.Variant % 3) {
        case 0:
            if (t % (40 - 10 * d) == 0) {
                const int16_t aim = a.Aim();
                for (int i = 0; i < 4; ++i)
                    a.Shot(e.X + 8 * i * CosDeg(aim), e.Y + 8 * i * SinDeg(aim), aim, 10, 2);
            }
            break;
        case 1:
            if (t % (25 - 5 * d) == 0) {
                for (int i = 0; i < 4; ++i) a.Shot(e.X, e.Y, 45 + 90 * i, 8 + 2 * d);
            }
            break;
        case 2: {
            const int m = t % (40 + 10 * d);
            if (m < 18 * (1 + 1.5 * d)) a.Shot(e.X, e.Y, (20 - 5 * d) * m, 8 + 2 * d);
            break;
        }
        default:
            break;
        }
    }
    EndFrame(a);
}

// Gun platform: a spray and two aimed fans (Variant 0) or a sweeping arc of shots (Variant 1).
void GunPlatform(ScriptActions& a) {
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    if (e.Variant == 0) {
        if (t == 25) e.Speed = 0;
        if (t >= 26 && t <= 50) {
            if (t % 2 == 0) {
                const int heading = a.RandomBelow(121) + 30;
                const int speed = a.RandomBelow(6) + 4;
                a.Shot(e.X, e.Y, heading, speed);
            }
            a.Flash(e.X, e.Y + 16);
        }
        const int s = a.D == 0 ? 14 : 12;
        if (t == 60) a.Fan(e.X, e.Y, 5, 8, s, true);
        if (t == 70) {
            a.Fan(e.X, e.Y, 2, 8, s, true);
            e.Speed = 3;
            e.Heading = 270;
        }
    } else if (e.Variant == 1) {
        if (t == 25) e.Speed = 0;
        if (t >= 26 && t <= 85) {
            const int h = 3 * (t - 25);
            const double x = e.X + 16 * CosDeg(h);
            const double y = e.Y + 16 * SinDeg(h);
            a.Shot(x, y, h, 8 + 2 * a.D);
            a.Flash(x, y);
        }
        if (t == 85) {
            e.Speed = 3;
            e.Heading = 270;
        }
    }
    EndFrame(a);
}

// Heavy gun platform, left-gun version: hunts the ship's column, then fans and a stream.
void HeavyPlatformLeft(ScriptActions& a) {
    EnemyRecord& e = a.E;
    const int gx = e.X - 40, gy = e.Y + 44;
    if (e.Timer >= 36 && e.Timer <= 200) {
        e.Heading = e.X > a.G.Player.X ? 180 : 0;
        if (std::abs(e.X - a.G.Player.X) < 16) e.Timer = 200;
        if (e.Timer % 10 == 0) {
            a.Shot(gx, gy, a.AimFrom(gx, gy), 7 + a.D);
            a.Flash(gx, gy);
        }
        if (e.Timer == 200) e.Speed = 0;
    } else if (e.Timer >= 201 && e.Timer <= 230) {
        if (e.Timer % 10 == 0) {
            a.Fan(e.X - 38, e.Y + 40, 10, 5, 10 + 2 * a.D, false);
            a.Flash(gx, gy);
        }
    } else if (e.Timer >= 231 && e.Timer <= 240) {
        a.Flash(gx, gy);
    } else if (e.Timer >= 241 && e.Timer <= 260) {
        a.Flash(gx, gy);
        a.Stream(gx, e.Y + 28);
        if (e.Timer == 260) {
            e.Heading = 270;
            e.Speed = 2;
        }
    }
    EndFrame(a);
}

// Heavy gun platform, right-gun version: charges two guns, streams, then a long random spray.
void HeavyPlatformRight(ScriptActions& a) {
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    if (t == 35) e.Speed = 0;
    if (t >= 36 && t <= 70) {
        a.Flash(e.X + 40, e.Y + 44);
        a.Flash(e.X + 20, e.Y + 20);
        if (t >= 51) {
            a.Stream(e.X + 40, e.Y + 28);
            a.Stream(e.X + 20, e.Y + 4);
        }
    } else if (t >= 71 && t <= 200) {
        if (t % 4 == 0) {
            const int heading = a.RandomBelow(151) + 15;
            const int speed = a.RandomBelow(6) + 4;
            a.Shot(e.X + 40, e.Y + 44, heading, speed);
            a.Flash(e.X + 40, e.Y + 44);
        }
        if (t == 200) {
            e.Heading = 270;
            e.Speed = 2;
        }
    }
    EndFrame(a);
}

// Twin-cannon ship: parallel aimed pairs, a move to one of three stations, crossing fans there.
void TwinCannonShip(ScriptActions& a) {
    Game& g = a.G;
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    if (t == 30) e.Speed = 0;
    if (((t >= 31 && t <= 70) || (t >= 111 && t <= 150)) && t % 2 == 0) {
        const int16_t aim = a.AimFrom(e.X - 16, e.Y - 24);
        a.Shot(e.X - 16, e.Y - 24, aim, 12);
        a.Shot(e.X + 16, e.Y - 24, aim, 12);
        a.Flash(e.X - 16, e.Y - 24);
        a.Flash(e.X + 16, e.Y - 24);
    }
    if (t == 70) {
        // Variants 0..2 name a station; 3 draws one at random starting from itself, which lies
        // beyond the right edge, as do larger values.
        int n = e.Variant;
        if (n == 3) n += a.RandomBelow(3);
        const int dx = 50 + 110 * n;
        const int dy = n == 1 ? 240 : 60;
        e.Heading = Wrap16(g.Search_RINV(Wrap16(dx), Wrap16(dy), e.X, e.Y));
        const double distance = std::sqrt(static_cast<double>(dx - e.X) * (dx - e.X) +
                                          static_cast<double>(dy - e.Y) * (dy - e.Y));
        e.Speed = RoundToInt16(distance / 20);
    }
    if (t == 90) e.Speed = 0;
    if (t >= 91 && t <= 110) {
        if (t % (a.D == 0 ? 10 : 5) == 0) {
            for (int i = 0; i < 30; ++i) {
                const int m = i % 15;
                const bool left = i < 15;
                a.Shot(left ? e.X - 16 : e.X + 16, e.Y - 24, left ? 90 - 5 * (m + 1) : 90 + 5 * (m + 1),
                       12 - m / 2);
            }
            a.Flash(e.X - 16, e.Y - 24);
            a.Flash(e.X + 16, e.Y - 24);
        }
        if (t == 110) e.Speed = 0;
    }
    if (t == 150) {
        e.Speed = 2;
        e.Heading = 270;
    }
    EndFrame(a);
}

} // namespace

void Game::RunEnemyScript(int i) {
    ScriptActions a(*this, i);
    switch (a.E.Kind) {
    case 0:
        StraightDiver(a);
        break;
    case 1:
        LoopingDiver(a);
        break;
    case 2:
        SlowingGunship(a);
        break;
    case 3:
        Weaver(a);
        break;
    case 4:
        AimedCharger(a);
        break;
    case 7:
        TwinGunTurret(a);
        break;
    case 8:
        SweepingGunship(a);
        break;
    case 9:
        Hunter(a);
        break;
    case 11:
        Carrier(a);
        break;
    case 13:
        CurvingDiver(a);
        break;
    case 14:
        RisingTurner(a);
        break;
    case 15:
        StoppingDiver(a);
        break;
    case 16:
        GunPod(a);
        break;
    case 17:
        GunPlatform(a);
        break;
    case 19:
        if (a.E.Variant == 0)
            HeavyPlatformLeft(a);
        else if (a.E.Variant == 1)
            HeavyPlatformRight(a);
        else
            EndFrame(a);
        break;
    case 20:
        TwinCannonShip(a);
        break;
    case 18: // obstacle
    case 35: // item carrier
        EndFrame(a);
        break;
    case 5:
    case 6:
    case 10:
    case 12:
    case 21:
    case 22:
    case 31:
    case 32:
    case 33:
    case 34:
        RunMinionScript(i);
        break;
    default:
        break; // no script: the common steps only
    }
}
