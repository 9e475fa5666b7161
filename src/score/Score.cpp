// Score, extra lives and the floating combo text.
#include <string>

#include "core/Game.h"
#include "core/Numeric.h"
#include "score/NumberText.h"

namespace {
constexpr uint32_t kWhite = 16777215;
constexpr int32_t kFirstExtraLife = 50000;
constexpr int32_t kExtraLifeEvery = 100000;
constexpr int kMaxLives = 10;
} // namespace

void Game::PrintRightAligned(int Y, int32_t Number) {
    const int n = static_cast<int>(NumberText(Number).size());
    PrintText(360 + 14 * (6 - n), Y, 20, kWhite, static_cast<long long>(Number));
}

void Game::AddScore(int32_t Points) {
    Picture1.FillBoxSized(320, 112, 160, 22, PaletteColor(0));
    long long points = Points;
    long long score = Score;
    if (score < kFirstExtraLife && score + points > kFirstExtraLife - 1) {
        AddLife();
        points -= kFirstExtraLife - score;
        score = kFirstExtraLife;
        PlayUpSound();
    }
    const long long r = (score - kFirstExtraLife) % kExtraLifeEvery;
    if (score > kFirstExtraLife - 1 && r + points > kExtraLifeEvery - 1) {
        const long long lives = (points - (kExtraLifeEvery - r)) / kExtraLifeEvery + 1;
        for (long long i = 0; i < lives; ++i) AddLife();
        PlayUpSound();
    }
    Score = Wrap32(score + points);
    PrintRightAligned(112, Score);
}

void Game::AddLife() {
    DrawText(372, 176, false, static_cast<long long>(LivesShown()));
    if (Lives < kMaxLives) Lives += 1;
    DrawText(372, 176, true, static_cast<long long>(LivesShown()));
}

namespace {
std::string ComboLine(int kills) {
    return NumberText(kills) + " COMBO";
}
} // namespace

void Game::EraseComboText() {
    if (SpecialKills == 0) return;
    DrawText(80, 100 - 4 * ComboTimer, false, ComboLine(SpecialKills));
    if (ComboTimer > 0)
        DrawText(80, 150 - 4 * ComboTimer, false, static_cast<long long>(ComboBonus(SpecialKills)));
    if (SpecialTimer == 0) {
        ComboTimer += 1;
        if (ComboTimer >= 30) {
            SpecialKills = 0;
            ComboTimer = 0;
        }
    }
}

void Game::DrawComboText() {
    if (SpecialKills == 0) return;
    DrawText(80, 100 - 4 * ComboTimer, true, ComboLine(SpecialKills));
    if (ComboTimer > 0)
        DrawText(80, 150 - 4 * ComboTimer, true, static_cast<long long>(ComboBonus(SpecialKills)));
}
