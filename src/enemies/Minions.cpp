// Scripts of the enemies that bosses and the carrier create: orbiters, falling mines and time
// bombs, chasers, missiles, and the four escort pods of the last stage's boss.
#include <cmath>
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"
#include "enemies/ScriptActions.h"

namespace {

// Whether one more step along the current heading would leave the field.
bool NextStepLeaves(const EnemyRecord& e) {
    const double x = e.X + e.Speed * CosDeg(e.Heading);
    const double y = e.Y + e.Speed * SinDeg(e.Heading);
    return x > 304 || x < 0 || y > 480 || y < 0;
}

// A burst of shots thrown toward the ship, within 60 degrees either way.
void Burst(ScriptActions& a, int slowest) {
    for (int i = 0; i < 6 + a.D; ++i) {
        const int16_t aim = a.Aim();
        const int spread = a.RandomBelow(121);
        const int speed = a.RandomBelow(7) + slowest;
        a.Shot(a.E.X, a.E.Y, aim - 60 + spread, speed);
    }
    a.E.DeathTimer = 1;
}

// Orbiter: circles until the boss launches it at the ship, and bursts at the field's edge.
void Orbiter(ScriptActions& a) {
    EnemyRecord& e = a.E;
    if (e.Timer < 80) {
        const double angle = kStepPi * e.Timer / 40;
        e.X = RoundToInt16(e.X - 4.71225 * std::sin(angle));
        e.Y = RoundToInt16(e.Y + 4.71225 * std::cos(angle));
        e.Heading = 0;
        e.Speed = 0;
        e.Timer += 1;
        if (e.Timer > 79) e.Timer = 1;
    } else if (e.Timer == 90) {
        e.Speed = 12;
        e.Heading = a.Aim();
        e.Timer += 1;
    } else {
        e.Timer += 1;
    }
    if (e.Hits < 100) e.Timer = 80;
    if (NextStepLeaves(e)) Burst(a, 2);
}

// Mines and time bombs fall, accelerating. A mine bursts into a homing ring near the ship; a time
// bomb leaves a large blast when its fuse runs out.
void FallingDevice(ScriptActions& a) {
    Game& g = a.G;
    EnemyRecord& e = a.E;
    e.Speed += e.Timer / 20;
    a.Flash(e.X, e.Y - 16);
    if (e.Kind == 6) {
        const double dx = static_cast<double>(g.Player.X) - e.X;
        const double dy = static_cast<double>(g.Player.Y) - e.Y;
        if (std::sqrt(dx * dx + dy * dy) < 80) {
            for (int i = 0; i <= 6 + a.D; ++i)
                a.Shot(e.X + 16 * CosDeg(40 * i), e.Y + 16 * SinDeg(40 * i), 40 * i, 6 + 2 * a.D, 1);
            e.DeathTimer = 1;
        }
    } else if (e.Timer == 15 * (e.Kind - 20)) {
        a.Shot(e.X, e.Y, 0, 0, 4);
        e.DeathTimer = 1;
    }
    e.Timer += 1;
    g.RemoveIfOffScreen(a.Slot);
}

// Chaser: hunts the ship, shooting when close, then shakes and bursts into twelve shots.
void Chaser(ScriptActions& a) {
    Game& g = a.G;
    EnemyRecord& e = a.E;
    const int t = e.Timer;
    if (t >= 0 && t <= 89) {
        if (std::abs(e.X - g.Player.X) < 80 && std::abs(e.Y - g.Player.Y) < 80) {
            e.Speed = 0;
            if (t % (8 - 3 * a.D) == 0) a.Shot(e.X, e.Y, a.Aim(), 6 + 2 * a.D);
        } else {
            e.Heading = a.Aim();
            e.Speed = 4;
        }
    } else if (t == 90) {
        e.Heading = 90;
        e.Speed = 8;
    } else if (t >= 91 && t <= 99) {
        e.Heading = Wrap16((e.Heading + 180) % 360);
    } else if (t == 100) {
        for (int i = 0; i < 12; ++i) a.Shot(e.X, e.Y, 30 * i, 8 + 2 * a.D);
        e.DeathTimer = 1;
    }
    e.Timer += 1;
    g.RemoveIfOffScreen(a.Slot);
}

// Missile: flies straight and bursts when its next step would leave the field.
void Missile(ScriptActions& a) {
    if (NextStepLeaves(a.E)) Burst(a, 3);
    a.E.Timer += 1;
}

// ------------------------------------------------------------------------------ escort pods
//
// The boss picks a pod's program by setting its Timer: A (up to 1000) with four pods, B (from
// 1001) with three, C (2001) with two, D (3001) with one; 4001 sends them away. Each program loops.

struct Point {
    double X, Y;
};

class Pod {
  public:
    Pod(Game& game, int slot) : a_(game, slot), g_(game), e_(a_.E), s_(slot % 4) {}

    void Run() {
        const int t = e_.Timer;
        if (t >= 5001) return;
        if (t >= 4001) {
            Exit(t);
            return;
        }
        if (t >= 3001)
            ProgramD(t);
        else if (t >= 2001)
            ProgramC(t);
        else if (t >= 1001)
            ProgramB(t);
        else
            ProgramA(t);
        e_.Timer += 1;
        static constexpr int kLoopEnd[4] = {781, 1650, 2701, 3601};
        static constexpr int kLoopStart[4] = {100, 1051, 2101, 3100};
        const int program = t >= 3001 ? 3 : t >= 2001 ? 2 : t >= 1001 ? 1 : 0;
        if (e_.Timer == kLoopEnd[program]) e_.Timer = Wrap16(kLoopStart[program]);
    }

  private:
    // Sets a course that reaches p in about n frames.
    void GoTo(Point p, int n) {
        int16_t distance = 0;
        g_.Distance(e_.X, e_.Y, p.X, p.Y, distance);
        e_.Speed = Wrap16(distance / n);
        e_.Heading = Wrap16(g_.Search_RINV(RoundToInt16(p.X), RoundToInt16(p.Y), e_.X, e_.Y));
    }
    void SnapTo(Point p) {
        e_.X = RoundToInt16(p.X);
        e_.Y = RoundToInt16(p.Y);
        e_.Speed = 0;
    }
    bool NearField(bool checkX) const {
        return -40 < e_.Y && e_.Y < 520 && (!checkX || (-40 < e_.X && e_.X < 360));
    }
    // The gun sits 24 pixels below the pod's centre.
    double GunY() const { return e_.Y + 24; }
    void AimedShot(int speed) {
        a_.Shot(e_.X, GunY(), a_.AimFrom(e_.X, GunY()), speed);
        a_.Flash(e_.X, GunY());
    }
    void Fan(int count, float step, int speed, bool aimed) {
        a_.Fan(e_.X, GunY(), count, step, speed, aimed);
        a_.Flash(e_.X, GunY());
    }
    void Beam(int charge, int duration) { g_.SpawnBeam(0, 0, a_.Slot, 0, 24, 20, charge, duration); }

    // Pentagon corners around the middle of the field; the fifth is the boss's.
    static Point PentagonCorner(int w) {
        return {160 + 120 * CosDeg(72 * w - 18), 240 + 120 * SinDeg(72 * w - 18)};
    }
    // Program A's linking shot toward the next pod's gun (pod 2 links to the boss).
    void LinkShot(int kind) {
        int16_t tx, ty;
        if (s_ == 2) {
            tx = g_.Boss.X;
            ty = Wrap16(g_.Boss.Y + 24);
        } else {
            const EnemyRecord& next = g_.EnemyTable[(s_ + 1) % 4];
            tx = next.X;
            ty = Wrap16(next.Y + 24);
        }
        const int32_t heading = g_.Search_RINV(tx, ty, e_.X, Wrap16(e_.Y + 24));
        a_.Shot(e_.X, GunY(), heading, 16, kind);
    }

    void ProgramA(int t) {
        static constexpr Point kQ[4] = {{40, 60}, {280, 60}, {40, 420}, {280, 420}};
        static constexpr Point kQOut[4] = {{40, -60}, {280, -60}, {40, 540}, {280, 540}};
        static constexpr int kCorner[4] = {3, 0, 2, 1};
        static constexpr int kLinkOrder[4] = {1, 2, 3, 0};
        const int s = s_;
        if (t <= 50) {
            if (10 * s < t && t < 11 + 10 * s) {
                e_.Speed = 8;
                e_.Heading = 90;
            } else {
                e_.Speed = 0;
            }
            if (t == 50) e_.Speed = 0;
        } else if (t <= 100) {
            if (t < 100) {
                e_.Speed = s < 2 ? 2 : 10;
                e_.Heading = s < 2 ? 270 : 90;
            } else {
                e_.Speed = s == 1 || s == 2 ? 4 : 0;
                e_.Heading += 180;
                if (s == 1) e_.X = g_.EnemyTable[3].X;
            }
        } else if (t <= 180) {
            if (t == 130) e_.Speed = 0;
            if (t % 5 == 0) AimedShot(12);
            if (t == 180) e_.Heading = s == 2 ? 0 : 180;
        } else if (t <= 360) {
            const int m = (t - 180) % 60;
            if (s == 1 || s == 2) e_.Speed = RoundToInt16(8 * std::fabs(std::cos(kStepPi * m / 60)));
            if (m > 49) e_.Heading += (t < 241 || t > 300) ? -18 : 18;
            if (t % 8 == 0) AimedShot(12);
            if (t == 360) GoTo(kQ[s], 20);
        } else if (t <= 380) {
            if (t == 380) {
                SnapTo(kQ[s]);
                e_.Heading = 0;
            }
        } else if (t <= 430) {
            if (t % 10 == 0) AimedShot(12);
        } else if (t <= 530) {
            if (t % 20 == 5 * s) Fan(3, 30, 8, true);
            if (t == 530) GoTo(PentagonCorner(kCorner[s]), 19);
        } else if (t <= 550) {
            // on the way
        } else if (t <= 650) {
            if (t == 551) SnapTo(PentagonCorner(kCorner[s]));
            if (t > 20 * kLinkOrder[s] + 570) LinkShot(5);
            if (t == 650) e_.Heading = Wrap16(72 * kCorner[s] - 18);
        } else if (t <= 740) {
            // The linked pentagon turns about its centre.
            LinkShot(2);
            e_.Speed = 0;
            e_.Heading += 4;
            e_.X = RoundToInt16(e_.X - 8 * SinDeg(e_.Heading));
            e_.Y = RoundToInt16(e_.Y + 8 * CosDeg(e_.Heading));
        } else if (t <= 750) {
            if (t == 750) GoTo(kQOut[s], 30);
        } else if (t <= 780) {
            if (t == 780) {
                SnapTo(kQOut[s]);
                e_.Heading = 0;
            }
        }
    }

    void ProgramB(int t) {
        const int s = s_;
        const bool front = s < 2; // pods 0 and 1
        if (t == 1001) {
            if (NearField(false))
                GoTo({40.0 + 60 * s, -60}, 20);
            else
                e_.Speed = 0;
        }
        if (t == 1021) e_.Speed = 0;
        if (t == 1051) {
            static constexpr int kX[4] = {100, 220, 160, 100};
            e_.X = kX[s];
            e_.Y = -40;
            e_.Heading = 90;
            e_.Speed = s == 2 ? 4 : 3;
        }
        if (t == 1101) e_.Speed = 0;
        if (t == 1111) {
            static constexpr int kHeading[4] = {180, 0, 90, 180};
            static constexpr int kSpeed[4] = {2, 2, 9, 2};
            e_.Heading = kHeading[s];
            e_.Speed = kSpeed[s];
        }
        if (t == 1141) {
            e_.Speed = 0;
            if (front) Beam(10, 90);
        }
        if (t >= 1141 && t <= 1230) {
            if (front) {
                if (t == 1151) {
                    e_.Speed = 10;
                    e_.Heading = 270;
                }
                if (t >= 1152 && t <= 1160) e_.Speed -= 1;
                if (t == 1161) {
                    e_.Speed = 1;
                    e_.Heading = s == 0 ? 0 : 180;
                }
            } else if (t % 10 == 0) {
                Fan(2, 6, 12, true);
            }
        }
        if (t == 1231) e_.Speed = 0;
        if (t == 1240) {
            if (front) {
                e_.Heading = Wrap16(120 - 60 * s);
                e_.Speed = 2;
            } else if (s == 2) {
                e_.Heading = 0;
            }
        }
        if (t >= 1241 && t <= 1300) {
            if (front) {
                e_.Heading += 1 - 2 * s;
                if (t == 1270) Fan(8, 45, 10, false);
            } else if (t % 10 == 0) {
                Fan(2, 6, 8, true);
            }
        }
        if (t >= 1301 && t <= 1400) {
            if (s == 2) {
                if (t % 4 == 0) {
                    const int16_t aim = a_.AimFrom(e_.X, GunY());
                    a_.Shot(e_.X - 8, GunY(), aim, 12);
                    a_.Shot(e_.X + 8, GunY(), aim, 12);
                    a_.Flash(e_.X, GunY());
                }
                if (t == 1306) {
                    e_.Speed = 4;
                    e_.Heading = 270;
                }
                if (t == 1400) {
                    e_.Speed = 0;
                    e_.Y = 60;
                }
            }
            if (front && t == 1400) {
                e_.X = Wrap16(100 + 120 * s);
                e_.Y = -40;
                e_.Speed = 4;
                e_.Heading = 90;
            }
        }
        if (t == 1420) {
            e_.Speed = 0;
            if (s == 2) {
                e_.Speed = 2;
                e_.Heading = 270;
            }
        }
        if (t >= 1421 && t <= 1500 && front && t % 10 == 0) Fan(4, 10, 12, true);
        if (t == 1510 && front) {
            e_.Speed = 4;
            e_.Heading = 270;
        }
        if (t == 1550 && front) e_.Speed = 0;
    }

    void ProgramC(int t) {
        const int s = s_;
        const int home = 80 + 160 * s;
        if (t == 2001) {
            if (NearField(true))
                GoTo({static_cast<double>(home), -60}, 20);
            else
                e_.Speed = 0;
        }
        if (t == 2021) e_.Speed = 0;
        if (t == 2051) {
            e_.X = Wrap16(home);
            e_.Y = -40;
            e_.Heading = 90;
            e_.Speed = 2;
        }
        if (t == 2101) {
            e_.Speed = 3;
            e_.Heading = Wrap16(180 * s);
        }
        if (t >= 2111 && t <= 2290) {
            if (t % 2 == 0) Fan(2, 20, 14, false);
            if (e_.X > 130 + 160 * s || e_.X < 30 + 160 * s) e_.Heading = Wrap16((e_.Heading + 180) % 360);
            if (t == 2290) GoTo({static_cast<double>(home), 60}, 10);
        }
        if (t == 2300) {
            e_.X = Wrap16(home);
            e_.Y = 60;
            e_.Speed = 6;
            e_.Heading = Wrap16(60 + 60 * s);
        }
        if (t >= 2301 && t <= 2360) {
            if (t % 5 == 0) AimedShot(12);
            e_.Heading += s == 0 ? -1 : 1;
        }
        if (t == 2400) {
            e_.Speed = 4;
            e_.X = Wrap16(40 + 240 * s);
            e_.Y = 520;
            e_.Heading = 270;
        }
        if (t == 2430) e_.Speed = 0;
        if (t >= 2431 && t <= 2450 && t % 2 == 0) Fan(6, 10, 12, true);
        const Point ring = {static_cast<double>(RoundHalfEven(160 + 40 * CosDeg(30 + 120 * s))),
                            static_cast<double>(RoundHalfEven(240 + 40 * SinDeg(30 + 120 * s)))};
        if (t == 2470) GoTo(ring, 20);
        if (t == 2490) {
            SnapTo(ring);
            e_.Heading = Wrap16(42 + 120 * s);
        }
        if (t >= 2491 && t <= 2610) {
            // Circling the middle of the field, spraying outward.
            for (int k = -1; k <= 1; ++k) a_.Shot(e_.X, GunY(), e_.Heading + 4 * k, 12, 2);
            e_.X = RoundToInt16(160 + 40 * CosDeg(e_.Heading));
            e_.Y = RoundToInt16(240 + 40 * SinDeg(e_.Heading));
            e_.Heading = Wrap16((e_.Heading + 12) % 360);
        }
        if (t == 2611) Beam(30, 90);
        if (t == 2640) GoTo({static_cast<double>(home), 60}, 30);
        if (t == 2671) {
            e_.X = Wrap16(home);
            e_.Y = 60;
            e_.Speed = 0;
        }
    }

    void ProgramD(int t) {
        if (t == 3001) {
            if (NearField(true))
                GoTo({220, -60}, 20);
            else
                e_.Speed = 0;
        }
        if (t == 3021) e_.Speed = 0;
        if (t == 3051) {
            e_.X = 220;
            e_.Y = -40;
            e_.Heading = 90;
            e_.Speed = 2;
        }
        if (t == 3100) {
            e_.Speed = 2;
            e_.Heading = 0;
        }
        if (t >= 3101 && t <= 3145) {
            if (t % 5 == 0) Fan(3, 15, 12, true);
            e_.Heading += 4;
            if (t == 3145) e_.Speed = 0;
        }
        if (t >= 3146 && t <= 3160) {
            e_.Heading = 180;
            e_.Speed = 1;
            if (t == 3146) Beam(30, 160);
        }
        if (t >= 3161 && t <= 3300) {
            // Riding at the boss's right side.
            e_.X = Wrap16(g_.Boss.X + 90);
            e_.Y = g_.Boss.Y;
            if (t == 3300) e_.Speed = 0;
        }
        if (t == 3301) GoTo({160, 20}, 20);
        if (t == 3320) SnapTo({160, 20});
        if (t == 3340) {
            for (int heading : {45, 75, 105, 135}) a_.Shot(e_.X, GunY(), heading, 6, 3);
            a_.Flash(e_.X, GunY());
        }
        if (t == 3361) GoTo({220, 60}, 30);
        if (t == 3390) SnapTo({220, 60});
        if (t >= 3391 && t <= 3570) {
            switch ((t - 3390) % 90) {
            case 10:
                Fan(3, 15, 10, true);
                break;
            case 20:
            case 30:
                Fan(2, 15, 14, true);
                break;
            case 50:
                Fan(5, 15, 12, true);
                break;
            case 70:
                Fan(3, 8, 12, true);
                break;
            default:
                break;
            }
        }
    }

    void Exit(int t) {
        static constexpr Point kExit[4] = {{40, -60}, {100, -60}, {220, -60}, {280, -60}};
        g_.RemoveIfOffScreen(a_.Slot);
        if (t == 4001 && -30 < e_.X && e_.X < 350 && -40 < e_.Y && e_.Y < 520) GoTo(kExit[s_], 20);
        e_.Timer += 1;
    }

    ScriptActions a_;
    Game& g_;
    EnemyRecord& e_;
    int s_; // the pod's place in the formation: its slot
};

} // namespace

void Game::RunMinionScript(int i) {
    ScriptActions a(*this, i);
    // A boss may place these without a score; whatever the slot held before never counts.
    a.E.Points = ChildEnemyPoints(a.E.Kind);
    switch (a.E.Kind) {
    case 5:
        Orbiter(a);
        break;
    case 6:
    case 21:
    case 22:
        FallingDevice(a);
        break;
    case 10:
        Chaser(a);
        break;
    case 12:
        Missile(a);
        break;
    case 31:
    case 32:
    case 33:
    case 34:
        Pod(*this, i).Run();
        break;
    default:
        break;
    }
}
