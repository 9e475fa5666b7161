// Beams: a column of light hanging below an origin down to the bottom of the field. It charges
// as a growing disc, stands at full width, then narrows; it follows its owner and dies with it.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

constexpr uint8_t kEbStealth = 16; // ExtraFlagsB: enemy shots and beams not drawn

enum class BeamStage { Charging, Full, Fading };

BeamStage StageAt(const BeamRecord& b, int age) {
    const int c = b.ChargeTime;
    if (c > 0 && age < c) return BeamStage::Charging;
    // Without a charge time the beam is at full width for its whole life.
    if (c <= 0 || age < b.Duration - c) return BeamStage::Full;
    return BeamStage::Fading;
}

// The charging radius, in single precision.
float ChargingRadius(const BeamRecord& b, int age) {
    return static_cast<float>(b.Radius) * static_cast<float>(age) / static_cast<float>(b.ChargeTime);
}

int FadingRadius(const BeamRecord& b, int age) {
    const long long c = b.ChargeTime;
    const long long left = c - (age - (static_cast<long long>(b.Duration) - c));
    return static_cast<int>(b.Radius * left / c);
}

// Half-width of the beam's shape at its age, in whole pixels.
int ShapeRadius(const BeamRecord& b) {
    switch (StageAt(b, b.Age)) {
    case BeamStage::Charging:
        return static_cast<int>(RoundHalfEven(ChargingRadius(b, b.Age)));
    case BeamStage::Full:
        return b.Radius;
    case BeamStage::Fading:
        return FadingRadius(b, b.Age);
    }
    return 0;
}

} // namespace

void Game::PaintBeam(const BeamRecord& b, uint32_t colour, bool drawing) {
    if (ExtraFlagsB & kEbStealth) return;
    const int r = ShapeRadius(b);
    const uint32_t black = PaletteColor(0);
    Picture1.SetPenMode(PenMode::CopyPen);
    Picture1.SetFillColour(colour);
    Picture1.Circle(b.X, b.Y, r, colour);
    // Whatever the disc spilled over the panel is painted black again.
    if (drawing && b.X > 320 - r) Picture1.FillBox(320, b.Y - r, b.X + r, b.Y + r, black);
    // A column whose left edge is already past the panel has nothing on the field to show.
    if (StageAt(b, b.Age) != BeamStage::Charging && b.X - r <= 320)
        Picture1.FillBox(b.X - r, b.Y, std::min(b.X + r, 320), 480, colour);
}

void Game::EraseBeam(int k) {
    PaintBeam(BeamTable[k], PaletteColor(0), false);
}

void Game::DrawBeam(int k) {
    PaintBeam(BeamTable[k], PaletteColor(14), true);
}

void Game::BeamHitsPlayer(int k) {
    if (SpecialTimer > 0 && Player.ShipType != 1 && Player.ShipType != 3) return;
    const BeamRecord& b = BeamTable[k];
    if (!b.Active || !Player.Arrived || Player.StateTimer != 0) return;
    const double dx = static_cast<double>(Player.X) - b.X;
    const double dy = static_cast<double>(Player.Y) - b.Y;
    const double d = std::sqrt(dx * dx + dy * dy);
    bool hit = false;
    switch (StageAt(b, b.Age)) {
    case BeamStage::Charging:
        hit = d < ChargingRadius(b, b.Age);
        break;
    case BeamStage::Full:
    case BeamStage::Fading: {
        // Inside the disc, or anywhere in the column below the origin.
        const int r = StageAt(b, b.Age) == BeamStage::Full ? b.Radius : FadingRadius(b, b.Age);
        hit = d < r || (std::abs(b.X - Player.X) < r && Player.Y > b.Y);
        break;
    }
    }
    if (hit) PlayerHit();
}

void Game::UpdateBeams() {
    for (int k = 0; k < 8; ++k) {
        BeamRecord& b = BeamTable[k];
        if (!b.Active) continue;
        EraseBeam(k);
        bool ends = false;
        auto follow = [&](int16_t x, int16_t y, bool ownerAlive) {
            b.X = Wrap16(x + b.OffsetX);
            b.Y = Wrap16(y + b.OffsetY);
            if (!ownerAlive) ends = true;
        };
        if (b.Owner >= 0 && b.Owner < 16) {
            const EnemyRecord& e = EnemyTable[b.Owner];
            follow(e.X, e.Y, e.Active);
        } else if (b.Owner == 16) {
            follow(Boss.X, Boss.Y, Boss.Active);
        } else if (b.Owner == 17) {
            follow(ExtraBoss.X, ExtraBoss.Y, ExtraBoss.Active);
        }
        b.Age = Wrap16(b.Age + 1);
        if (b.Age >= b.Duration || CancelBeams) ends = true;
        if (ends) {
            b.Active = false;
            BeamCount = Wrap16(BeamCount - 1);
            continue;
        }
        BeamHitsPlayer(k);
        DrawBeam(k);
    }
    CancelBeams = false;
}
