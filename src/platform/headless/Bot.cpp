#include "platform/headless/Bot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kFire = 90, kSpecial = 88;

int Speed(const Game& g) {
    if (g.SpeedSetting != 0) return g.SpeedSetting;
    static constexpr int kSpeeds[4] = {8, 10, 6, 9};
    return kSpeeds[g.Player.ShipType & 3];
}

// How dangerous it is to be at (x, y) during the next few frames.
double Danger(const Game& g, int x, int y) {
    double danger = 0;
    for (const EnemyShotRecord& s : g.EnemyShotTable) {
        if (!s.Active || s.VanishTimer > 0 || s.Kind >= 14) continue;
        const int reach = s.Kind == 4 ? 44 : 9;
        for (int k = 1; k <= 4; ++k) {
            const double sx = s.X + k * s.Speed * CosDeg(s.Heading);
            const double sy = s.Y + k * s.Speed * SinDeg(s.Heading);
            const double d = std::max(std::abs(sx - x), std::abs(sy - y));
            if (d < reach) danger += 1000.0 / k;
            else if (d < reach + 14) danger += 30.0 / k;
        }
    }
    for (const EnemyRecord& e : g.EnemyTable) {
        if (!e.Active || e.DeathTimer > 0) continue;
        const int w = e.Width / 2 + 14, h = e.Height / 2 + 14;
        const int ey = e.Y + 2 * e.Speed; // bodies keep coming
        if (std::abs(e.X - x) < w && std::abs(ey - y) < h) danger += 600;
    }
    for (const BossRecord* b : {&g.Boss, &g.ExtraBoss}) {
        if (!b->Active) continue;
        if (std::abs(b->X - x) < b->Width / 2 + 16 && std::abs(b->Y - y) < b->Height / 2 + 16) danger += 800;
    }
    return danger;
}

} // namespace

std::set<int> BotKeys(const Game& g) {
    std::set<int> keys{kFire};
    const PlayerRecord& p = g.Player;
    if (g.StagePhase <= 0 || g.StagePhase == 3) return keys;

    // Where it would like to be: under the lowest enemy, or on an item, low on the screen.
    int wantX = 160, wantY = 400;
    int lowest = -1000;
    for (const EnemyRecord& e : g.EnemyTable)
        if (e.Active && e.DeathTimer == 0 && e.Y > lowest && e.Y > 0 && e.Y < p.Y - 40) {
            lowest = e.Y;
            wantX = e.X;
        }
    if (g.Boss.Active) wantX = g.Boss.X;
    for (const ItemRecord& item : g.ItemTable)
        if (item.Active) {
            wantX = item.X;
            wantY = std::max<int>(item.Y + 30, 200);
            break;
        }

    const int s = Speed(g);
    int bestDx = 0, bestDy = 0;
    double best = 1e18;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = std::clamp(p.X + dx * s, 16, 304);
            const int y = std::clamp(p.Y + dy * s, 16, 464);
            const double cost = Danger(g, x, y) + 0.05 * std::abs(x - wantX) + 0.03 * std::abs(y - wantY);
            if (cost < best - 1e-9) {
                best = cost;
                bestDx = dx;
                bestDy = dy;
            }
        }
    if (bestDx < 0) keys.insert(kLeft);
    if (bestDx > 0) keys.insert(kRight);
    if (bestDy < 0) keys.insert(kUp);
    if (bestDy > 0) keys.insert(kDown);

    // The special when the gauge is full and shots crowd in (or a boss is up).
    int near = 0;
    for (const EnemyShotRecord& sh : g.EnemyShotTable)
        if (sh.Active && sh.VanishTimer == 0 && std::abs(sh.X - p.X) < 80 && std::abs(sh.Y - p.Y) < 80) ++near;
    const bool ready = p.Energy == 100 || (p.ShipType == 1 && p.Energy > 24);
    if (ready && g.SpecialTimer == 0 && (near >= 6 || g.Boss.Active)) keys.insert(kSpecial);
    return keys;
}
