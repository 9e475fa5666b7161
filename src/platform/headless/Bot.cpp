#include "platform/headless/Bot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kFire = 90, kSpecial = 88;
// How far ahead each plan is played out, in frames.
constexpr int kHorizon = 14;
// A shot is noticed only once it has flown this many frames: a person's reaction time, so the
// bot misses what a quick player would miss.
constexpr int kReaction = 6;
// A plan: hold one direction for a number of frames, then stand still.
constexpr int kHoldFrames[] = {1, 3, 6, kHorizon};

int ShipSpeed(const Game& g) {
    if (g.SpeedSetting != 0) return g.SpeedSetting;
    switch (g.Player.ShipType & 3) {
    case 0:
        return 8;
    case 1:
        return 10;
    case 2:
        return g.SpecialTimer > 0 ? 10 : 6;
    default:
        return g.SpecialTimer > 0 ? 4 : 9;
    }
}

// Something that hurts, followed over the horizon: where it will be at each frame and how close
// the ship's centre may come to it on either axis. Columns hurt everything below their origin.
struct Threat {
    std::array<float, kHorizon + 1> X{}, Y{};
    float HalfW = 0, HalfH = 0;
    int From = 1, To = kHorizon; // the frames it is dangerous in
    bool Column = false;
    double Soft = 0; // when above 0, coming this close costs this much instead of a life
};

double Aim(double fromX, double fromY, double toX, double toY) {
    double a = std::atan2(toY - fromY, toX - fromX) * 180.0 / kAimPi;
    if (a < -90) a += 360;
    return a;
}

void AddShots(const Game& g, std::vector<Threat>& threats) {
    const double hit = g.Player.ShipType == 2 ? 5 : 6;
    for (const EnemyShotRecord& s : g.EnemyShotTable) {
        if (!s.Active || s.VanishTimer > 0 || s.Kind >= 14 || s.Age < kReaction) continue;
        Threat t;
        t.HalfW = t.HalfH = static_cast<float>(hit + (s.Kind == 4 ? 35 : 0) + 3);
        double x = s.X, y = s.Y, heading = s.Heading;
        int age = s.Age;
        t.X[0] = static_cast<float>(x);
        t.Y[0] = static_cast<float>(y);
        for (int k = 1; k <= kHorizon; ++k, ++age) {
            if (s.Kind == 1 && age < 60) { // homing: turns toward where the ship is now
                const double a = Aim(x, y, g.Player.X, g.Player.Y);
                double diff = a - heading;
                const int turn = diff > 180 ? -5 : diff < -180 ? 5 : diff > 0 ? 5 : diff < 0 ? -5 : 0;
                heading += turn;
            }
            if (s.Kind != 4) {
                x += s.Speed * CosDeg(heading);
                y += s.Speed * SinDeg(heading);
            }
            t.X[k] = static_cast<float>(x);
            t.Y[k] = static_cast<float>(y);
            if (s.Kind == 4 && age >= 45) t.To = std::min(t.To, k - 1);
            if (s.Kind == 5 && age >= 14) t.To = std::min(t.To, k - 1);
        }
        threats.push_back(t);
    }
}

void AddColumn(std::vector<Threat>& threats, double x, double y, int from, int to, float halfWidth = 14) {
    if (to < 1 || from > kHorizon) return;
    Threat t;
    t.Column = true;
    t.HalfW = halfWidth;
    t.From = std::max(1, from);
    t.To = std::min(kHorizon, to);
    t.X.fill(static_cast<float>(x));
    t.Y.fill(static_cast<float>(y));
    threats.push_back(t);
}

// Bodies, and the straight-down streams the scripts are about to fire (a player who knows the
// enemies sees them coming from the muzzle flashes).
void AddEnemies(const Game& g, std::vector<Threat>& threats) {
    const int d = g.Difficulty;
    for (const EnemyRecord& e : g.EnemyTable) {
        if (!e.Active || e.DeathTimer > 0) continue;
        Threat t;
        t.HalfW = static_cast<float>(e.Width / 2 - e.Width / 4 + 6);
        t.HalfH = static_cast<float>(e.Height / 2 - e.Height / 4 + 6);
        for (int k = 0; k <= kHorizon; ++k) {
            t.X[k] = static_cast<float>(e.X + k * e.Speed * CosDeg(e.Heading));
            t.Y[k] = static_cast<float>(e.Y + k * e.Speed * SinDeg(e.Heading));
        }
        threats.push_back(t);
        if (e.Kind == 6) { // a mine bursts into homing shots when the ship comes within 80 pixels
            t.HalfW = t.HalfH = 88;
            t.Soft = 3000;
            threats.push_back(t);
        }

        const int time = e.Timer;
        switch (e.Kind) {
        case 8:
            AddColumn(threats, e.X, e.Y - 24, 70 - time, 78 - time);
            break;
        case 9:
            AddColumn(threats, e.X, e.Y - 16, 70 - 10 * d - time, 101 - 10 * d - time);
            break;
        case 11:
            if (time >= 150 && time < 230)
                for (int dx : {-62, 0, 62}) AddColumn(threats, e.X + dx, e.Y - 32, 180 - time, 230 - time);
            break;
        case 19:
            if (e.Variant == 0)
                AddColumn(threats, e.X - 40, e.Y + 28, 241 - time, 261 - time);
            else
                for (int dx : {40, 20}) AddColumn(threats, e.X + dx, e.Y, 51 - time, 71 - time);
            break;
        default:
            break;
        }
    }
    for (const BeamRecord& b : g.BeamTable)
        if (b.Active) AddColumn(threats, b.X, b.Y, 1, kHorizon, static_cast<float>(b.Radius + 8));
    for (const BossRecord* b : {&g.Boss, &g.ExtraBoss}) {
        if (!b->Active) continue;
        Threat t;
        t.HalfW = static_cast<float>(b->Width / 2 - b->Width / 4 + 10);
        t.HalfH = static_cast<float>(b->Height / 2 - b->Height / 4 + 10);
        t.X.fill(b->X);
        t.Y.fill(b->Y);
        threats.push_back(t);
    }
}

struct Outcome {
    double Danger = 0; // a hit counts far more than a near miss, and an early one more than a late one
    int EndX = 0, EndY = 0;
};

Outcome PlayOut(const Game& g, const std::vector<Threat>& threats, int dx, int dy, int hold, int speed) {
    Outcome o;
    int x = g.Player.X, y = g.Player.Y;
    bool started = g.MoveStarted;
    for (int k = 1; k <= kHorizon; ++k) {
        if (k <= hold && (dx != 0 || dy != 0)) {
            const int s = started ? speed : speed / 2;
            started = true;
            x = std::clamp(x + dx * s, 16, 304);
            y = std::clamp(y + dy * s, 16, 464);
        } else {
            started = false;
        }
        bool hit = false;
        for (const Threat& t : threats) {
            if (k < t.From || k > t.To) continue;
            const float ax = std::abs(t.X[k] - x);
            if (t.Column) {
                if (ax < t.HalfW && y > t.Y[k])
                    hit = true;
                else if (ax < t.HalfW + 12 && y > t.Y[k])
                    o.Danger += 20.0 / k;
                continue;
            }
            const float ay = std::abs(t.Y[k] - y);
            if (t.Soft > 0) {
                if (ax < t.HalfW && ay < t.HalfH) o.Danger += t.Soft / k;
                continue;
            }
            if (ax < t.HalfW && ay < t.HalfH)
                hit = true;
            else if (ax < t.HalfW + 14 && ay < t.HalfH + 14)
                o.Danger += 30.0 / k;
        }
        if (hit) {
            o.Danger += 100000.0 / k;
            break;
        }
    }
    o.EndX = x;
    o.EndY = y;
    return o;
}

// Where the ship would like to be: on a falling item, under a carrier, else under the enemy that
// comes closest. Ship 3's spray reaches little more than a hundred pixels, so it closes in.
void ChooseTarget(const Game& g, int& wantX, int& wantY) {
    const PlayerRecord& p = g.Player;
    const int reach = p.ShipType == 3 ? 110 : 0;
    wantX = 160;
    wantY = 400;
    for (const ItemRecord& item : g.ItemTable)
        if (item.Active && item.Y > 0) {
            wantX = item.X;
            wantY = std::clamp<int>(item.Y, 280, 440); // wait below it, then meet it
            return;
        }
    const EnemyRecord* target = nullptr;
    for (const EnemyRecord& e : g.EnemyTable) {
        if (!e.Active || e.DeathTimer > 0 || e.Y < 0 || e.Y > p.Y - 40 || e.X < 0 || e.X > 320) continue;
        if (e.Kind == 18) continue; // an obstacle only soaks up shots
        const bool carrier = e.Kind == 35;
        if (!target || (carrier && target->Kind != 35) ||
            (carrier == (target->Kind == 35) && e.Y > target->Y))
            target = &e;
    }
    if (g.Boss.Active) {
        wantX = g.Boss.X;
        if (reach) wantY = std::clamp<int>(g.Boss.Y + g.Boss.Height / 2 + reach, 200, 440);
        return;
    }
    if (target) {
        wantX = target->X;
        if (reach) wantY = std::clamp<int>(target->Y + reach, 200, 440);
    }
}

} // namespace

std::set<int> BotKeys(const Game& g) {
    std::set<int> keys{kFire};
    const PlayerRecord& p = g.Player;
    if (g.StagePhase <= 0 || g.StagePhase == 3) return keys;

    std::vector<Threat> threats;
    AddShots(g, threats);
    AddEnemies(g, threats);
    int wantX = 160, wantY = 400;
    ChooseTarget(g, wantX, wantY);

    const int speed = ShipSpeed(g);
    int bestDx = 0, bestDy = 0;
    double best = 1e18, bestDanger = 0;
    for (int hold : kHoldFrames)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                if (dx == 0 && dy == 0 && hold != kHoldFrames[0]) continue;
                const Outcome o = PlayOut(g, threats, dx, dy, hold, speed);
                const double cost = o.Danger + 0.05 * std::abs(o.EndX - wantX) +
                                    0.03 * std::abs(o.EndY - wantY) +
                                    0.3 * std::max(0, 200 - o.EndY) + // up among the enemies only to escape
                                    (dx != 0 || dy != 0 ? 0.01 : 0.0);
                if (cost < best - 1e-9) {
                    best = cost;
                    bestDanger = o.Danger;
                    bestDx = dx;
                    bestDy = dy;
                }
            }
    if (bestDx < 0) keys.insert(kLeft);
    if (bestDx > 0) keys.insert(kRight);
    if (bestDy < 0) keys.insert(kUp);
    if (bestDy > 0) keys.insert(kDown);

    // The special: when every way out is hit within the horizon, or when shots crowd in with a full
    // gauge, or against a boss.
    int near = 0;
    for (const EnemyShotRecord& sh : g.EnemyShotTable)
        if (sh.Active && sh.VanishTimer == 0 && sh.Kind < 14 && std::abs(sh.X - p.X) < 80 &&
            std::abs(sh.Y - p.Y) < 80)
            ++near;
    // Ship 1's blast only clears shots at a full gauge; ship 2's aura and ship 3's spray work sooner.
    const bool ready =
        p.Energy == 100 || (p.ShipType == 2 && p.Energy > 49) || (p.ShipType == 3 && p.Energy > 9);
    const bool cornered = bestDanger >= 100000.0 / kHorizon;
    if (ready && g.SpecialTimer == 0 && (cornered || (p.Energy == 100 && (near >= 6 || g.Boss.Active))))
        keys.insert(kSpecial);
    return keys;
}
