// The HUD panel on the right of the play field.
#include <cstdlib>

#include "core/Game.h"
#include "core/Numeric.h"
#include "score/NumberText.h"

namespace {

constexpr uint32_t kWhite = 16777215;

// The colour-cycle brightness of gauge segment i.
int Cycle(int animCounter, int i, int m) {
    return 10 * (std::abs(animCounter - i) % m);
}

// Segments that would start beyond the right edge of the panel are not drawn: they would not show.
constexpr int kMaxPowerSegments = 18;
constexpr int kMaxEnergySegments = 28;
constexpr int kMaxBossSegments = 25;

} // namespace

int Game::LivesShown() const {
    return Lives == 0 ? 0 : Lives - 1;
}

void Game::DrawHudLabels() {
    SeparatorColor = static_cast<int32_t>(RGB(100, 100, 250));
    Picture1.Line(320, 0, 320, 480, static_cast<uint32_t>(SeparatorColor));
    DrawText(388, 20, true, "HI");
    DrawText(350, 96, true, "SCORE");
    const int iconX = Player.ShipType == 2 ? 128 : Player.SpriteX;
    const int iconY = Player.ShipType == 2 ? 64 : Player.SpriteY;
    BitBlt(Picture1, 340, 160, 32, 32, PicChr, iconX, iconY, RasterOp::SrcCopy);
    DrawText(350, 220, true, "POWER");
    DrawText(338, 280, true, "ENERGY");
    DrawText(360, 355, true, "BOSS");
    DrawText(350, 420, true, "STAGE");
}

void Game::DrawHudValues() {
    const int anim = Player.AnimCounter;
    const int list = Player.ShipType * 30 + GameMode * 15 + Difficulty * 5;
    if (list >= 0 && list < static_cast<int>(HighScores.size())) PrintRightAligned(40, HighScores[list]);
    PrintRightAligned(112, Score);
    DrawText(372, 176, true, static_cast<long long>(LivesShown()));

    const int powerSegments = Player.PowerLevel > 0 ? 5 * Player.PowerLevel : 1;
    for (int i = 0; i < powerSegments && i < kMaxPowerSegments; ++i) {
        const int k = Cycle(anim, i, 14);
        Picture1.SetFillColour(RGB(50 + k, 50 + k, 50));
        Picture1.OutlineBoxSized(340 + 8 * i, 238, 8, 20, PaletteColor(0));
    }

    if (SpecialTimer > 0) Picture1.FillBoxSized(340, 300, 100, 32, PaletteColor(0));
    if (Player.Energy > 4) {
        for (int i = 0; i < Player.Energy / 5 && i < kMaxEnergySegments; ++i) {
            const int c = Cycle(anim, i, 19);
            uint32_t fill = 0;
            switch (Player.ShipType) {
            case 0:
                fill = RGB(50 + c, 50, 50);
                break;
            case 1:
                fill = RGB(50, 50 + c, 50);
                break;
            case 2:
                fill = RGB(50, 50, 50 + c);
                break;
            default:
                fill = RGB(50, 50 + c, 50 + c);
                break;
            }
            Picture1.SetFillColour(fill);
            Picture1.OutlineBoxSized(340 + 5 * i, 300, 5, 32, PaletteColor(0));
        }
    }
    PrintText(350, 300, 24, Player.Energy == 100 ? PaletteColor(14) : PaletteColor(15),
              NumberText(Player.Energy) + "%");

    // Ratios in single precision, as the gauge has always been scaled.
    const float max = static_cast<float>(BossMaxEnergy);
    int bossSegments = 0;
    if (max > 0) {
        if (StagePhase == 2 && Boss.Energy > Int(Boss.Energy / max))
            bossSegments = static_cast<int>(Int(20.0f * Boss.Energy / max));
        else if (StagePhase == 5 && ExtraBoss.Energy > 0)
            bossSegments = static_cast<int>(Int(19.0f * ExtraBoss.Energy / max)) + 1;
    }
    for (int i = 0; i < bossSegments && i < kMaxBossSegments; ++i) {
        const int k = Cycle(anim, i, 19);
        Picture1.SetFillColour(RGB(50 + k, 50 + k, 50 + k));
        Picture1.OutlineBoxSized(330 + 6 * i, 370, 6, 32, PaletteColor(0));
    }
    Picture1.SetFillColour(PaletteColor(0));

    if (GameMode == 1 || StageNumber == 6)
        DrawText(352, 450, true, "EXTRA");
    else
        DrawText(370, 450, true, static_cast<long long>(StageNumber));
}
