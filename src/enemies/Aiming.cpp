// The four aiming functions: a heading in whole degrees from one point toward another, -90..270.
#include <cmath>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

// arctan of the quotient in degrees, rounded; 180 added for targets on the left; straight up
// or down when dx is 0 (a target on the same point counts as below).
long long AimDegrees(long long dx, long long dy, double quotient) {
    if (dx == 0) return dy >= 0 ? 90 : 270;
    const long long a = RoundHalfEven(std::atan(quotient) * 180 / kAimPi);
    return dx < 0 ? a + 180 : a;
}

long long AimSingle(long long dx, long long dy) {
    const float q = dx == 0 ? 0.0f : static_cast<float>(dy) / static_cast<float>(dx);
    return AimDegrees(dx, dy, q);
}

long long AimDouble(long long dx, long long dy) {
    const double q = dx == 0 ? 0.0 : static_cast<double>(dy) / static_cast<double>(dx);
    return AimDegrees(dx, dy, q);
}

} // namespace

int16_t Game::Search_RXY(int16_t XX, int16_t YY) {
    return Wrap16(AimSingle(static_cast<long long>(Player.X) - XX, static_cast<long long>(Player.Y) - YY));
}

int16_t Game::Search_R(int16_t k) {
    long long x = 0, y = 0;
    if (k >= 0 && k < 16) {
        x = EnemyTable[k].X;
        y = EnemyTable[k].Y;
    } else if (k == 16) {
        x = Boss.X;
        y = Boss.Y;
    } else if (k == 17) {
        x = ExtraBoss.X;
        y = ExtraBoss.Y;
    } else {
        return 90; // no such mover: straight down
    }
    return Wrap16(AimDouble(Player.X - x, Player.Y - y));
}

int16_t Game::Search_DR(int16_t k) {
    if (k < 0 || k >= 256) return 90;
    const EnemyShotRecord& s = EnemyShotTable[k];
    return Wrap16(AimDouble(static_cast<long long>(Player.X) - s.X, static_cast<long long>(Player.Y) - s.Y));
}

int32_t Game::Search_RINV(int16_t XX, int16_t YY, int16_t PX, int16_t PY) {
    return Wrap32(AimSingle(static_cast<long long>(XX) - PX, static_cast<long long>(YY) - PY));
}
