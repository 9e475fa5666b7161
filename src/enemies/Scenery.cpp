// Harmless decoration: drifting scenery, and the coloured fragments a dying boss throws out.
#include "core/Game.h"
#include "core/Numeric.h"

namespace {

// Fragments are shown, and erased, only while well inside the field.
bool FragmentShown(const FragmentRecord& f) {
    return f.X >= 0 && f.X < 316 && f.Y >= 0 && f.Y < 481;
}

} // namespace

void Game::EraseScenery(int k) {
    const SceneryRecord& s = SceneryTable[k];
    FieldSprite(PicTeki, s.X - s.Width / 2, s.Y - s.Height / 2, s.Width, s.Height, s.SpriteX, s.SpriteY,
                false);
}

void Game::DrawScenery(int k) {
    const SceneryRecord& s = SceneryTable[k];
    if (!s.Active) return;
    FieldSprite(PicTeki, s.X - s.Width / 2, s.Y - s.Height / 2, s.Width, s.Height, s.SpriteX, s.SpriteY,
                true);
}

void Game::UpdateScenery() {
    if (BackgroundOff) return;
    for (int k = 0; k < 16; ++k) {
        SceneryRecord& s = SceneryTable[k];
        if (!s.Active) continue;
        EraseScenery(k);
        s.X = Wrap16(s.X + s.DX + ScrollDX);
        s.Y = Wrap16(s.Y + s.DY + ScrollDY);
        // Objects are born above the top edge, so only the other three edges end them.
        if (s.Y > 480 || s.X > 320 || s.X < 0)
            s.Active = false;
        else
            DrawScenery(k);
    }
}

bool Game::FragmentsFlying() const {
    return (Boss.Active && Boss.Countdown != 0) || (ExtraBoss.Active && ExtraBoss.Countdown != 0);
}

void Game::EraseFragments() {
    if (!FragmentsFlying()) return;
    const uint32_t black = PaletteColor(0);
    Picture1.SetPenMode(PenMode::CopyPen);
    Picture1.SetFillColour(black);
    for (const FragmentRecord& f : FragmentTable)
        if (FragmentShown(f)) Picture1.Circle(f.X, f.Y, 4, black);
}

void Game::UpdateFragments() {
    if (!FragmentsFlying()) return;
    for (FragmentRecord& f : FragmentTable) {
        f.X = Wrap16(f.X + f.DX);
        f.Y = Wrap16(f.Y + f.DY);
        // A fragment that leaves the field stops there, unseen.
        if (f.X < 0 || f.X > 319 || f.Y < 0 || f.Y > 480) {
            f.DX = 0;
            f.DY = 0;
        }
    }
}

void Game::DrawFragments() {
    if (!FragmentsFlying()) return;
    Picture1.SetPenMode(PenMode::CopyPen);
    Picture1.SetFillColour(PaletteColor(15));
    for (const FragmentRecord& f : FragmentTable) {
        if (!FragmentShown(f)) continue;
        const double r = Random();
        Picture1.Circle(f.X, f.Y, 4, PaletteColor(static_cast<int>(Int(15 * r)) + 1));
    }
}

void Game::ScatterFragments() {
    const BossRecord& boss = StagePhase == 2 ? Boss : ExtraBoss;
    for (FragmentRecord& f : FragmentTable) {
        f.X = boss.X;
        f.Y = boss.Y;
        const double r1 = Random();
        const double r2 = Random();
        const double r3 = Random();
        const double r4 = Random();
        f.DX = Wrap16(Sign(0.5 - r1) * (Int(r2 * 7) + 3));
        f.DY = Wrap16(Sign(0.5 - r3) * (Int(r4 * 7) + 3));
    }
}
