// The player ship: entry, movement, banking, graze glow, hits, lives and the fly-off.
#include <cstdlib>
#include <memory>
#include <vector>

#include "core/Game.h"
#include "core/Numeric.h"
#include "screens/Screens.h"

namespace {

struct ShipLook {
    int16_t spriteX, spriteY, speed;
};
constexpr ShipLook kShips[4] = {{32, 0, 8}, {32, 64, 10}, {128, 64, 6}, {32, 192, 9}};

const ShipLook& LookOf(int shipType) {
    return kShips[shipType & 3];
}

constexpr uint8_t kMissless = 4;  // ExtraFlagsA
constexpr uint8_t kPowerMax = 16; // ExtraFlagsA
constexpr uint8_t kNinja = 32;    // ExtraFlagsB

} // namespace

void Game::FilledCircle(int X, int Y, int Radius, uint32_t Colour) {
    Picture1.SetFillColour(Colour);
    Picture1.Circle(X, Y, Radius, Colour);
    Picture1.SetFillColour(PaletteColor(0));
}

void Game::CoverHud(int Right, int Top, int Bottom) {
    if (Right < 320) return;
    const PenMode mode = Picture1.GetPenMode();
    Picture1.SetPenMode(PenMode::CopyPen); // plain black, whatever the shape was drawn with
    Picture1.FillBox(320, Top, Right, Bottom, PaletteColor(0));
    Picture1.SetPenMode(mode);
}

void Game::PutShipAtEntry() {
    Player.X = 224;
    Player.Y = 480;
    Player.DX = 0;
    Player.DY = 0;
    Player.Energy = 0;
    Player.GrazeTimer = 0;
    Player.AnimCounter = 0;
    Player.StateTimer = 60;
    Player.Arrived = false;
}

void Game::ResetPlayerForStage() {
    PutShipAtEntry();
    Player.SpriteX = LookOf(Player.ShipType).spriteX;
    Player.SpriteY = LookOf(Player.ShipType).spriteY;
}

int Game::ShipSpeed() const {
    if (SpeedSetting != 0) return SpeedSetting;
    const bool special = SpecialTimer > 0;
    switch (Player.ShipType) {
    case 2:
        return special ? 10 : 6;
    case 3:
        return special ? 4 : 9;
    default:
        return LookOf(Player.ShipType).speed;
    }
}

void Game::SpawnExhaust(int x, int y) {
    SpawnEnemyShot(x, y, 90, 4, 15);
    SpawnEnemyShot(x, y, 0, 0, 0);
}

void Game::PaintEnergyGaugeBlack() {
    Picture1.FillBoxSized(340, 300, 100, 32, PaletteColor(0));
}
void Game::PaintPowerGaugeBlack() {
    Picture1.FillBoxSized(340, 238, 120, 20, PaletteColor(0));
}

void Game::MovePlayer() {
    Player.AnimCounter = static_cast<int16_t>((Player.AnimCounter + 1) % 266);

    if (ShipIsSwooping()) {
        const double a = (60 - Player.StateTimer) * 5.0;
        Player.X = RoundToInt16(Player.X - 3 * SinDeg(a));
        Player.Y = RoundToInt16(Player.Y - 8 * CosDeg(a));
        return;
    }

    if (Player.GrazeTimer > 0) Player.GrazeTimer -= 1;

    if (StagePhase == 3 && FrameCounter > 150) {
        Player.Y = Wrap16(Player.Y - (static_cast<long long>(FrameCounter) - 150));
        SpawnExhaust(Player.X, Player.Y + 24);
        if (Player.Y < -16) NextStage();
        return;
    }

    if (ShipIsDying()) {
        Player.StateTimer += 1;
        if (Player.StateTimer == 30) PlayerDeath();
        return;
    }

    int s = ShipSpeed();
    if (!MoveStarted) {
        s /= 2; // every move starts at half speed
        MoveStarted = true;
    }
    Player.DX = Wrap16(s * (int(InputRight()) - int(InputLeft())));
    Player.DY = Wrap16(s * (int(InputDown()) - int(InputUp())));
    if (Player.DX == 0 && Player.DY == 0) MoveStarted = false;

    const int x = Player.X + Player.DX;
    Player.X = static_cast<int16_t>(x < 16 ? 16 : x > 304 ? 304 : x);
    const int y = Player.Y + Player.DY;
    Player.Y = static_cast<int16_t>(y < 16 ? 16 : y > 464 ? 464 : y);
}

void Game::UpdatePlayerEntry() {
    if (!ShipIsEntering()) return;
    if (Player.StateTimer > 40) SpawnExhaust(Player.X, Player.Y + 24);
    Player.StateTimer -= 1;
    PaintEnergyGaugeBlack();
    if (Player.StateTimer > 40)
        Player.Energy += 3;
    else if (Player.StateTimer > 30)
        Player.Energy += 4;
    else if (Player.StateTimer == 30)
        Player.Energy = 100;
    if (Player.StateTimer == 0) Player.Arrived = true;
}

int Game::ShipColumn() const {
    if (Player.SpriteX == 64) return 64; // the one frame without banking
    return Player.SpriteX + 32 * Sign(Player.DX);
}

bool Game::ShipBlinkedOut() const {
    return ShipIsEntering() && Player.StateTimer % 2 == 0;
}

void Game::ErasePlayer() {
    if (ShipBlinkedOut()) return;
    if (ShipIsDying() && Player.StateTimer > 1) return;
    if (Player.GrazeTimer > 0) FilledCircle(Player.X, Player.Y, 32, PaletteColor(0));
    if (!(ExtraFlagsB & kNinja))
        BitBlt(Picture1, Player.X - 16, Player.Y - 16, 32, 32, PicChr, ShipColumn(), Player.SpriteY + 32,
               RasterOp::SrcAnd);
}

void Game::DrawPlayer() {
    if (ShipBlinkedOut() || ShipIsDying()) return;
    if (Player.GrazeTimer > 0) {
        for (int i = 0; i < 8; ++i) {
            const int k = 15 * (std::abs(Player.AnimCounter - i) % 14);
            const uint32_t colour = Player.Energy == 100 ? RGB(30 + k, 30 + k, 30 + k) : RGB(30, 30, 30 + k);
            FilledCircle(Player.X, Player.Y, 32 - 4 * i, colour);
        }
    }
    // The glow must not spill onto the panel.
    if (Player.X + 32 > 320)
        Picture1.FillBox(320, Player.Y - 32, Player.X + 32, Player.Y + 32, PaletteColor(0));
    if (!(ExtraFlagsB & kNinja)) {
        const int column = ShipColumn();
        BitBlt(Picture1, Player.X - 16, Player.Y - 16, 32, 32, PicChr, column, Player.SpriteY + 32,
               RasterOp::SrcAnd);
        BitBlt(Picture1, Player.X - 16, Player.Y - 16, 32, 32, PicChr, column, Player.SpriteY,
               RasterOp::SrcPaint);
    }
}

void Game::PlayerHit() {
    if (ExtraFlagsA & kMissless) return;
    if (Player.ShipType == 3 && Player.Energy > 30) {
        // Ship 3's shield takes the hit out of the energy gauge.
        Player.Energy -= 30;
        PaintEnergyGaugeBlack();
        return;
    }
    PlayHit3Sound();
    Player.StateTimer = 1;
    for (int i = 0; i < 16; ++i) {
        const double r1 = Random();
        const double r2 = Random();
        const long long heading = 15 + Int(r1 * 151);
        const long long speed = Int(r2 * 6) + 5;
        SpawnEnemyShot(Player.X, Player.Y, static_cast<double>(heading), static_cast<double>(speed), 15);
    }
    DrawText(372, 176, false, static_cast<long long>(LivesShown()));
    Lives -= 1;
    DrawText(372, 176, true, static_cast<long long>(LivesShown()));
    PaintPowerGaugeBlack();
    if (Player.PowerLevel > 0 && !(ExtraFlagsA & kPowerMax)) Player.PowerLevel -= 1;
}

void Game::PlayerDeath() {
    NoMissStage = false;
    if (Lives <= 0) { // never below zero in play; a stray extra hit must still end the game
        StagePhase = 0;
        if (GameMode == 0 && StageNumber < 6) {
            RunContinueScreen();
        } else {
            PlayContinueMusic();
            std::vector<std::unique_ptr<Screen>> ending;
            ending.push_back(MakeRankingScreen());
            ending.push_back(MakeGameOverScreen());
            Screens.HandOverSequence(std::move(ending));
        }
        return;
    }
    PutShipAtEntry(); // the power level carries over to the new ship
    if (Player.ShipType == 3 && SpecialTimer > 0) SpecialTimer = 0;
    if (StagePhase == 5) PodAllowed = false;
}
