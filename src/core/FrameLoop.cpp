#include <iterator>

#include "core/Game.h"
#include "core/Numeric.h"

namespace {

class PlayScreen final : public Screen {
public:
    const char* Name() const override { return "play"; }
    void Enter(Game& game) override {
        game.Picture1.SetFillColour(PaletteColor(0));
        game.Paused = false;
        game.SpecialPressed = false;
        game.KeyRecording = false; // typed keys are for menus only
        game.FrameStart = game.Host.GetTickCount();
    }
    void Frame(Game& game) override { game.PlayFrame(); }
    void AfterWait(Game& game) override { game.PlayAfterWait(); }
    int PaceMs(const Game& game) const override { return game.Paused ? -1 : game.WaitSetting * 10; }
};

using Routine = void (Game::*)();

// The frame routines, in the order they run.
constexpr Routine kBackground[] = {&Game::UpdateStarField, &Game::UpdateScenery};
constexpr Routine kStageBoss[] = {&Game::EraseFragments, &Game::UpdateFragments, &Game::EraseBossSprite,
                                  &Game::UpdateBoss,     &Game::DrawBossSprite,  &Game::DrawFragments};
constexpr Routine kExtraBoss[] = {&Game::EraseFragments,     &Game::UpdateFragments,
                                  &Game::EraseExtraBossSprite, &Game::UpdateExtraBoss,
                                  &Game::DrawExtraBossSprite, &Game::DrawFragments};
constexpr Routine kEverything[] = {
    &Game::EraseEnemies,        &Game::RunStageScript,        &Game::UpdateEnemies,
    &Game::UpdateBeams,         &Game::EraseComboText,        &Game::EraseSpecial,
    &Game::ErasePlayer,         &Game::MovePlayer,            &Game::UpdateSpecialAttack,
    &Game::UpdatePlayerEntry,   &Game::DrawPlayer,            &Game::DrawSpecialEffect,
    &Game::FirePlayerShots,     &Game::UpdatePlayerShots,     &Game::EraseEnemyShots,
    &Game::UpdateEnemyShots,    &Game::UpdateItems,           &Game::PlayerShotsHitBoss,
    &Game::PlayerShotsHitExtraBoss, &Game::SpecialHitsEnemies, &Game::SpecialCancelsShots,
    &Game::SpecialHitsBoss,     &Game::SpecialHitsExtraBoss,  &Game::BossRamsPlayer,
    &Game::ExtraBossRamsPlayer, &Game::BossTimeOut,           &Game::RechargeEnergy,
    &Game::DrawHudLabels,       &Game::DrawHudValues,         &Game::DrawComboText,
    &Game::EraseBanners,        &Game::DrawBannersAndResults, &Game::AwardStageBonus,
};
static_assert(std::size(kBackground) + std::size(kStageBoss) + std::size(kExtraBoss) + std::size(kEverything) ==
              47);

} // namespace

void Game::RunFrameLoop() { Screens.HandOver(std::make_unique<PlayScreen>()); }

void Game::PlayFrame() {
    if (StagePhase <= 0) return; // the loop has ended; whoever ended it has handed over

    if (Paused && Kof(88)) {
        StopMusic();
        Host.SetCaption("KORVAXION");
        Paused = false;
        StagePhase = 0;
        RunTitleScreen();
        return;
    }
    if (Host.GetAsyncKeyState(16) & 1) {
        if (Paused) {
            Picture1.SetKeepPicture(false);
            Paused = false;
            Host.SetCaption("KORVAXION");
            SendMusicCommand("play");
        } else {
            Paused = true;
            Host.SetCaption("KORVAXION -Pause");
            SendMusicCommand("pause");
            Picture1.SetKeepPicture(true);
        }
    }
    if (Paused) return;

    // A routine that hands over (stage end, game over) abandons the rest of the frame.
    const uint64_t generation = Screens.Generation();
    auto runAll = [&](auto& routines) {
        for (Routine r : routines) {
            (this->*r)();
            if (Screens.Generation() != generation) return false;
        }
        return true;
    };
    if (!runAll(kBackground)) return;
    if (StagePhase == 2 && !runAll(kStageBoss)) return;
    if (StagePhase > 3 && !runAll(kExtraBoss)) return;
    if (!runAll(kEverything)) return;

    if (FrameCounter < 30000 && !TimelineHold) FrameCounter += 1;
    SpecialPressed = InputSpecial();
    const long long scenery = Int(Random() * 26);
    if (scenery == 0) SpawnRandomScenery(0);
}

void Game::PlayAfterWait() {
    if (StagePhase != 3 && !Paused) LoopMusic();
}

void Game::RespawnStar(StarRecord& star) {
    const double r1 = Random();
    const double r2 = Random();
    const double r3 = Random();
    star.X = Wrap16(Int(r1 * 310) + 5);
    star.Y = Wrap16(-Int(r2 * 100));
    star.Speed = Wrap16(Int(r3 * 6) + 3);
    star.Active = true;
}

void Game::UpdateStarField() {
    if (BackgroundOff) return;
    for (StarRecord& star : StarTable) {
        if (star.Active) {
            BitBlt(Picture1, star.X - 4, star.Y - 4, 8, 8, PicChr, 128, 24, RasterOp::SrcAnd);
            star.X = Wrap16(star.X + ScrollDX);
            star.Y = Wrap16(star.Y + star.Speed + ScrollDY);
        } else {
            RespawnStar(star);
        }
        if (star.Y > 480 || star.X > 320 || star.X < 0) {
            RespawnStar(star);
            continue;
        }
        BitBlt(Picture1, star.X - 4, star.Y - 4, 8, 8, PicChr, 128, 24, RasterOp::SrcAnd);
        BitBlt(Picture1, star.X - 4, star.Y - 4, 8, 8, PicChr, 128, 16, RasterOp::SrcPaint);
    }
}
