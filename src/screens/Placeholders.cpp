// Stand-ins for the screens outside play, until each real screen is built: a title that starts a
// game with Z (ship from the left/right keys) and ends the program with Shift or Esc, and end-of-
// game screens that pass straight on.
#include "core/Game.h"
#include "screens/Screens.h"

namespace {

class MenuScreen : public Screen {
public:
    void Enter(Game& game) override {
        game.KeyRecording = true;
        game.KeyHistory[9] = 0;
    }
    int PaceMs(const Game&) const override { return 20; }
};

class TitlePlaceholder final : public MenuScreen {
public:
    const char* Name() const override { return "title"; }
    void Enter(Game& game) override {
        MenuScreen::Enter(game);
        game.StopMusic();
        game.StagePhase = 0;
        game.StageNumber = 0;
        game.Picture1.ClearBackgroundPicture();
        game.Picture1.SetBackColour(0);
        if (game.LoadSheet(game.FormPicture, "G7.kvx", true)) game.Picture1.SetBackgroundPicture(game.FormPicture);
    }
    void Frame(Game& game) override {
        const int32_t key = game.TakeKey();
        if (key == 90 || game.JoyPressed(1)) {
            game.KeyRecording = false;
            game.GameMode = 0;
            game.Player.ShipType = static_cast<int16_t>(ship_);
            game.ContinueUsed = false;
            game.Picture1.ClearBackgroundPicture();
            game.Picture1.SetBackColour(0);
            game.UnloadFaceSheet();
            game.NextStage();
            return;
        }
        if (key == 16 || key == 27) {
            game.QuitProgram();
            return;
        }
        if (key == 37) ship_ = (ship_ + 3) % 4;
        if (key == 39) ship_ = (ship_ + 1) % 4;
        if (key == 85) game.JoystickEnabled = !game.JoystickEnabled;
        game.Picture1.Clear();
        // The menu corner of the title picture: the cursor, GAME START and the ship to fly.
        BitBlt(game.Picture1, 60, 364, 32, 32, game.PicChr, 32, 160, RasterOp::SrcAnd);
        BitBlt(game.Picture1, 60, 364, 32, 32, game.PicChr, 32, 128, RasterOp::SrcPaint);
        game.DrawText(110, 380, true, "GAME START");
        static constexpr int kShipCells[4][2] = {{32, 0}, {32, 64}, {128, 64}, {32, 192}};
        BitBlt(game.Picture1, 110, 414, 32, 32, game.PicChr, kShipCells[ship_][0], kShipCells[ship_][1] + 32,
               RasterOp::SrcAnd);
        BitBlt(game.Picture1, 110, 414, 32, 32, game.PicChr, kShipCells[ship_][0], kShipCells[ship_][1],
               RasterOp::SrcPaint);
        game.PrintText(150, 412, 12, RGB(200, 210, 255), "LEFT / RIGHT: SHIP   Z: START");
        game.PrintText(150, 432, 12, RGB(140, 150, 190), "ESC: QUIT");
    }

private:
    int ship_ = 0;
};

// Passes straight on to whatever follows it.
class PassThrough final : public Screen {
public:
    explicit PassThrough(const char* name, bool toTitle) : name_(name), toTitle_(toTitle) {}
    const char* Name() const override { return name_; }
    void Enter(Game& game) override {
        if (toTitle_)
            game.RunTitleScreen();
        else
            game.Screens.Return();
    }
    void Frame(Game&) override {}
    int PaceMs(const Game&) const override { return 20; }

private:
    const char* name_;
    bool toTitle_;
};

} // namespace

std::unique_ptr<Screen> MakeTitleScreen() { return std::make_unique<TitlePlaceholder>(); }
std::unique_ptr<Screen> MakeContinueScreen() { return std::make_unique<PassThrough>("continue", false); }
std::unique_ptr<Screen> MakeGameOverScreen() { return std::make_unique<PassThrough>("game over", true); }
std::unique_ptr<Screen> MakeAllClearScreen() { return std::make_unique<PassThrough>("all clear", false); }
std::unique_ptr<Screen> MakeStaffRollScreen() { return std::make_unique<PassThrough>("staff roll", false); }
std::unique_ptr<Screen> MakeRankingScreen() { return std::make_unique<PassThrough>("ranking", false); }

void Game::RunTitleScreen() { Screens.HandOver(MakeTitleScreen()); }
void Game::RunContinueScreen() {
    // No continue yet: the game ends as if it had been refused.
    std::vector<std::unique_ptr<Screen>> sequence;
    sequence.push_back(MakeRankingScreen());
    sequence.push_back(MakeGameOverScreen());
    Screens.HandOverSequence(std::move(sequence));
}
void Game::RunGameOverScreen() { Screens.HandOver(MakeGameOverScreen()); }
void Game::RunAllClearScreen() { Screens.Call(MakeAllClearScreen()); }
void Game::RunStaffRoll() { Screens.Call(MakeStaffRollScreen()); }
void Game::RunRanking() { Screens.Call(MakeRankingScreen()); }
