#include "core/Game.h"
#include "screens/Screens.h"

namespace {
constexpr const char* kBossNames[6] = {"THE SPIDER", "EVIL EYE", "TENTACLES", "THE DEATH", "RENOIR", "R S F"};
constexpr const char* kExtraBossNames[6] = {"MITCHAM KAI", "MITCHAM MK2", "MITCHAM 3",
                                            "MITCHAM 4",   "HENDLIXON MK2", "HENDLIXON MK2"};

template <typename Table> void Deactivate(Table& table) {
    for (auto& record : table) record.Active = false;
}
} // namespace

void Game::StartNewGameValues() {
    Score = 0;
    Lives = (ExtraFlagsA & 8) ? 100 : 3;
    Player.PowerLevel = (ExtraFlagsA & 16) ? 3 : 0;
    Player.Energy = 0;
    PodBonus = true;
    PodAllowed = true;
    BossMaxEnergy = 400;
    Boss.Energy = 0;
    SeparatorColor = static_cast<int32_t>(PaletteColor(0));
    for (int i = 0; i < 6; ++i) {
        BossNames[i] = kBossNames[i];
        ExtraBossNames[i] = kExtraBossNames[i];
    }
}

void Game::DeactivateStageTables() {
    Deactivate(EnemyShotTable);
    Deactivate(PlayerShotTable);
    Deactivate(EnemyTable);
    Deactivate(StarTable);
    Deactivate(SceneryTable);
    Deactivate(BeamTable);
    Deactivate(ItemTable);
}

void Game::NextStage() {
    if (GameMode == 1) {
        NextBossModeStage();
        return;
    }
    MoveStarted = false;
    Picture1.SetBackColour(PaletteColor(0));
    DeactivateStageTables();
    StageNumber += 1;

    const bool extras = ExtraFlagsA != 0;
    if (StageNumber == 7 || (StageNumber == 6 && (ContinueUsed || extras))) {
        StagePhase = 0;
        std::vector<std::unique_ptr<Screen>> ending;
        if (StageNumber == 6 && !extras) {
            UnlockFlags |= 1;
            ending.push_back(MakeAllClearScreen());
        }
        if (StageNumber == 7 && !extras) {
            UnlockFlags |= 2;
            PlayEndingMusic();
        }
        ending.push_back(MakeRankingScreen());
        ending.push_back(MakeGameOverScreen());
        Screens.HandOverSequence(std::move(ending));
        return;
    }
    if (StageNumber == 6) {
        // Stage 5 cleared cleanly: the all-clear screen and staff roll, then the extra stage.
        StagePhase = 0;
        UnlockFlags |= 1;
        if (Difficulty > 0) UnlockFlags |= Player.ShipType == 3 ? 128 : (4 << Player.ShipType);
        std::vector<std::unique_ptr<Screen>> sequence;
        sequence.push_back(MakeAllClearScreen());
        sequence.push_back(MakeStaffRollScreen());
        sequence.push_back(MakeContinuation([](Game& game) { game.StartStageNormal(); }));
        Screens.HandOverSequence(std::move(sequence));
        return;
    }
    if (StageNumber == 1) {
        ErasedShots = 0;
        StageNumber = StartStage;
        StartNewGameValues();
    }
    StartStageNormal();
}

void Game::ResetStageValues() {
    BossTimedOut = false;
    StageBonus = 0;
    FrameCounter = 0;
    StagePhase = 1;
    ItemCount = 0;
    BeamCount = 0;
    CancelBeams = false;
    ScrollDX = 0;
    ScrollDY = 0;
    LoadStageScript();
    ScriptIndex = 0;
    TimelineHold = false;
    BossMode = 0;
    BossStep = 0;
    ComboTimer = 0;
    FindWarningFrame();
}

void Game::ResetPlayerAndCounters() {
    ResetPlayerForStage();
    SpecialTimer = 0;
    SpecialKills = 0;
    EnemiesAppeared = 0;
    EnemiesDestroyed = 0;
    NoMissStage = true;
    MaxCombo = 0;
    PlayerShotCount = 0;
    EnemyShotCount = 0;
    EnemyCount = 0;
}

void Game::StartStageNormal() {
    ResetPlayerAndCounters();
    ResetStageValues();
    if (Ended) return; // the stage file could not be read
    Picture1.Clear();
    DrawHudLabels();
    PlayStageMusic();
    RunFrameLoop();
}

void Game::NextBossModeStage() {
    MoveStarted = false;
    Picture1.SetBackColour(PaletteColor(0));
    Deactivate(BeamTable);
    Deactivate(ItemTable);
    StageNumber += 1;
    if (StageNumber == 7) {
        if (SpecialTimer > 0) AddScore(ComboBonus(SpecialKills));
        StagePhase = 0;
        std::vector<std::unique_ptr<Screen>> ending;
        ending.push_back(MakeAllClearScreen());
        ending.push_back(MakeStaffRollScreen());
        ending.push_back(MakeRankingScreen());
        ending.push_back(MakeGameOverScreen());
        Screens.HandOverSequence(std::move(ending));
        return;
    }
    if (StageNumber == 1) {
        DeactivateStageTables();
        ErasedShots = 0;
        StartStage = 1;
        UnlockFlags &= ~1;
        StageNumber = 1;
        StartNewGameValues();
        ResetPlayerAndCounters();
    }
    ResetStageValues();
    if (Ended) return;
    PlayStageMusic();
    // Only the first boss enters the frame loop; later bosses go on in the running one.
    if (StageNumber == 1) RunFrameLoop();
}
