#pragma once
// The game object: every piece of game state, and every routine of the game as a member
// function. Declarations are grouped by subsystem; each group is defined in the folder named in
// its heading. Nothing here knows about SDL: the machine is reached through Platform.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Entities.h"
#include "core/Random.h"
#include "core/ScreenDriver.h"
#include "platform/Platform.h"
#include "platform/Surface.h"

class Game : private KeyDownListener {
public:
    // programDirectory: where sheets, stages, music and sounds are read from.
    Game(Platform& host, std::string programDirectory, uint64_t seed);
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // ===================================================================== core/ (Game.cpp)
    // The one loop: pumps events, runs a frame of the current screen, presents, paces. Returns
    // when the program ends, or after maxFrames loop iterations when maxFrames > 0.
    void Run(long long maxFrames = 0);
    // Runs one iteration of the one loop. Returns false once the program has ended.
    bool RunOneFrame();
    double Random() { return Rng.Next(); }
    // A file the game cannot run without is missing or damaged: tell the player and end.
    void Fatal(std::string_view message);
    std::string ProgramPath(std::string_view fileName) const;

    // ------------------------------------------------------- start-up and shutdown (StartUp.cpp)
    bool StartUp();
    void ShutDown();

    // ------------------------------------------------------ frame loop (FrameLoop.cpp)
    void RunFrameLoop(); // enters the play screen
    void PlayFrame();    // one frame of the play screen, after events were pumped
    void PlayAfterWait();
    void UpdateStarField();
    void RespawnStar(StarRecord& star);

    // ------------------------------------------------------ game flow (GameFlow.cpp)
    void NextStage();
    void NextBossModeStage();
    void StartNewGameValues();
    void DeactivateStageTables();
    void ResetPlayerAndCounters();
    void ResetStageValues();
    void StartStageNormal();

    // ------------------------------------------------------ stage timeline (StageScript.cpp)
    void LoadStageScript();
    void FindWarningFrame();
    void RunStageScript();
    void PlaceTimelineEnemy(int slot, const ScriptRecord& record);

    // ===================================================================== input/
    bool Kof(int KeyCode);
    void ReadJoystick(int32_t& X, int32_t& Y, bool& Button1, bool& Button2);
    bool JoyState(int Code);
    bool JoyPressed(int Code);
    bool DetectJoystick();
    void RecordKey(int32_t KeyCode);
    // Movement and buttons of play, keyboard or stick.
    bool InputLeft();
    bool InputRight();
    bool InputUp();
    bool InputDown();
    bool InputFire();
    bool InputSpecial();
    // Reads and consumes the newest typed key (menus).
    int32_t TakeKey();

    // ===================================================================== player/
    void ResetPlayerForStage();
    void MovePlayer();
    void UpdatePlayerEntry();
    void ErasePlayer();
    void DrawPlayer();
    void PlayerHit();
    void PlayerDeath();
    void SpawnExhaust(int x, int y);
    void PaintEnergyGaugeBlack();
    void PaintPowerGaugeBlack();
    int ShipSpeed() const;
    void PutShipAtEntry();
    int ShipColumn() const;
    bool ShipBlinkedOut() const;
    // Filled circle whose outline and inside share one colour.
    void FilledCircle(int X, int Y, int Radius, uint32_t Colour);
    // Paints the panel side (x >= 320) of a shape black again, up to its right edge.
    void CoverHud(int Right, int Top, int Bottom);

    void FirePlayerShots();
    void FireVolley(int shipType, int power, int x, int y, int counter);
    bool SpawnPlayerShot(int& searchFrom, int kind, int x, int y, int speed, int heading);
    bool SpawnPlayerShotBelow(int& searchFrom, int limit, int kind, int x, int y, int speed, int heading);
    void StartSpecialAttack();
    void UpdateSpecialAttack();
    void DrawSpecialEffect();
    void RechargeEnergy();
    int32_t ComboBonus(int N) const;
    void EndSpecialAttack();

    void UpdateItems();
    void DrawItem(const ItemRecord& item, bool visible); // visible false: the mask alone erases it
    void CollectItems(int current);
    bool ShipIsDying() const { return Player.Arrived && Player.StateTimer > 0; }
    bool ShipIsEntering() const { return !Player.Arrived && Player.StateTimer > 0; }
    bool ShipIsSwooping() const { return !Player.Arrived && Player.StateTimer > 30; }

    // ===================================================================== score/
    void AddScore(int32_t Points);
    void AddLife();
    void EraseComboText();
    void DrawComboText();
    void DrawText(int X, int Y, bool Visible, std::string_view Text);
    void DrawText(int X, int Y, bool Visible, long long Number);
    void PrintText(int X, int Y, int Size, uint32_t Colour, std::string_view Text);
    void PrintText(int X, int Y, int Size, uint32_t Colour, long long Number);
    void DrawHudLabels();
    void DrawHudValues();
    int LivesShown() const;
    // A number in white, size 20, right-aligned on the panel's number column.
    void PrintRightAligned(int Y, int32_t Number);

    // ===================================================================== enemies/
    // pools and spawners (Pools.cpp); arguments are rounded to 16-bit when stored
    void SpawnEnemyShot(double X, double Y, double Heading, double Speed, double Kind);
    void SpawnShotFan(double X, double Y, int Count, float Step, double Speed, double Kind, int Aimed);
    void SpawnEnemy(double X, double Y, double Speed, double Kind);
    void SpawnBeam(double X, double Y, double Owner, double OffsetX, double OffsetY, double Radius, double ChargeTime,
                   double Duration);
    void SpawnItem(int EnemySlot, int Kind);
    void SpawnScenery(int Slot, double X, double Y, double DX, double DY, int Shape);
    void SpawnRandomScenery(int Mode);
    void Distance(double X1, double Y1, double X2, double Y2, int16_t& Result);
    // Score of an enemy made by another enemy or a boss (fixed, whatever the slot held before).
    static int16_t ChildEnemyPoints(int kind);

    // aiming (Aiming.cpp)
    int16_t Search_RXY(int16_t XX, int16_t YY);
    int16_t Search_R(int16_t k);
    int16_t Search_DR(int16_t k);
    int32_t Search_RINV(int16_t XX, int16_t YY, int16_t PX, int16_t PY);

    // enemies (Enemies.cpp, EnemyScripts.cpp, Minions.cpp)
    void EraseEnemies();
    void UpdateEnemies();
    void DrawEnemy(int i);
    void EnemyRamsPlayer(int i);
    void RemoveIfOffScreen(int i);
    // The kind's script, for a live enemy that is not exploding (EnemyScripts.cpp).
    void RunEnemyScript(int i);
    // Scripts of the kinds the bosses and the carrier create (Minions.cpp).
    void RunMinionScript(int i);

    // shots (EnemyShots.cpp, PlayerShots.cpp)
    void EraseEnemyShots();
    void UpdateEnemyShots();
    void UpdatePlayerShots();
    void PlayerShotsHitBoss();
    void PlayerShotsHitExtraBoss();
    void BossRamsPlayer();
    void ExtraBossRamsPlayer();
    void StepEnemyShot(int k);
    void DrawEnemyShot(int k);
    void EraseEnemyShot(int k);
    void EnemyShotHitsPlayer(int k);
    void RemoveEnemyShot(int k);
    void ErasePlayerShot(int k);
    void DrawPlayerShot(int k);
    void PlayerShotSprite(const PlayerShotRecord& s, bool draw);
    void PlayerShotCancelsShots(int k);
    void PlayerShotHitsEnemies(int k);
    // Shot kills of ship 3 during its special pay twice; special-attack kills pay double once.
    enum class KillBy { Shot, Special };
    void DestroyEnemy(int i, KillBy cause);
    void ShotHitsBoss(BossRecord& boss);
    void BossBodyHitsPlayer(const BossRecord& boss);
    // Collisions leave the ship alone while it is entering or dying, and while the special
    // attack of ship 0 or 2 protects it.
    bool ShipCanBeHit() const;
    // A colour disc on the play field, with whatever spills over the panel painted black again.
    void FieldDisc(int x, int y, int radius, uint32_t colour);
    // A sprite of the play field (mask h pixels below the image), narrowed so nothing reaches
    // x >= 320: mask and image when drawing, the mask alone when erasing.
    void FieldSprite(const Surface& sheet, int x, int y, int w, int h, int sx, int sy, bool draw);

    // special-attack damage (SpecialDamage.cpp)
    void EraseSpecial();
    void SpecialHitsEnemies();
    void SpecialCancelsShots();
    void SpecialHitsBoss();
    void SpecialHitsExtraBoss();
    void SpecialHitsOneBoss(BossRecord& boss);

    // beams (Beams.cpp), scenery and fragments (Scenery.cpp)
    void UpdateBeams();
    void EraseBeam(int k);
    void DrawBeam(int k);
    void PaintBeam(const BeamRecord& beam, uint32_t colour, bool drawing);
    void BeamHitsPlayer(int k);
    void UpdateScenery();
    void EraseScenery(int k);
    void DrawScenery(int k);
    void EraseFragments();
    void UpdateFragments();
    void DrawFragments();
    void ScatterFragments();
    bool FragmentsFlying() const;

    // ===================================================================== bosses/
    void StartBoss();
    void UpdateBoss();
    void UpdateExtraBoss();
    void SetUpExtraBoss();
    void DefeatBoss();
    void BossTimeOut();
    void LoadBossSheet();
    void ReleaseBossSheet();
    void EraseBossSprite();
    void DrawBossSprite();
    void EraseExtraBossSprite();
    void DrawExtraBossSprite();

    // ===================================================================== screens/
    void RunTitleScreen();
    void RunContinueScreen();
    void RunGameOverScreen();
    void RunAllClearScreen();
    void RunStaffRoll();
    void RunRanking();
    void EraseBanners();
    void DrawBannersAndResults();
    void AwardStageBonus();

    // ===================================================================== resources/
    // Reads a sheet file and returns it as an ordinary bitmap file image (nothing is written).
    // On a missing or damaged file, shows the error and returns an empty image.
    std::vector<uint8_t> DecodeSheetFile(std::string_view fileName);
    // Loads a sheet into a surface; false (after the error has been shown) when it cannot.
    bool LoadSheet(Surface& target, std::string_view fileName, bool autoSize);
    bool ReloadFaceSheet();
    void UnloadFaceSheet();
    void LoadRecordFile();
    void SaveRecordFile();
    int InsertHighScore(int32_t s);

    // ===================================================================== audio/
    void SendMusicCommand(std::string_view Word);
    void PlayStageMusic();
    void PlayBossMusic();
    void PlayClearMusic();
    void PlayContinueMusic();
    void PlaySelectMusic();
    void PlayEndingMusic();
    void PlayGameOverMusic();
    void StopMusic();
    void LoopMusic();
    void QuitProgram();
    void LoadSoundEffects();
    void PlayHitSound();
    void PlayHit2Sound();
    void PlayHit3Sound();
    void PlayBeamSound();
    void PlaySelectSound();
    void PlayDecideSound();
    void PlayItemSound();
    void PlayWarnSound();
    void PlayUpSound();

    // ===================================================================== state
    // ---- settings and persistent data
    uint8_t WaitSetting = 0;
    uint8_t Difficulty = 0;
    bool SoundOn = false;
    bool MusicOn = false;
    uint8_t SettingsByte = 0;
    uint8_t UnlockFlags = 0;
    uint8_t UnlockFlags2 = 0;
    std::array<int32_t, 120> HighScores{};
    std::array<uint8_t, 360> HighScoreNames{};
    uint8_t ExtraFlagsA = 0;
    uint8_t ExtraFlagsB = 0;
    uint8_t SpeedSetting = 0;
    uint8_t ShotRangeSetting = 0;
    int16_t StartStage = 0;
    uint8_t GameMode = 0;
    bool BackgroundOff = false;
    bool JoystickEnabled = false;
    int32_t JoystickId = 0;
    bool JoyLatch = false;
    std::array<int32_t, 10> KeyHistory{};
    std::vector<uint8_t> HitSound, Hit2Sound, Hit3Sound, BeamSound, SelectSound, DecideSound, ItemSound,
        WarnSound, UpSound;
    std::string MidiFileName;

    // ---- current game
    int32_t Score = 0;
    int16_t Lives = 0;
    int16_t StageNumber = 0;
    bool ContinueUsed = false;
    int32_t ErasedShots = 0;
    bool PodAllowed = false;
    bool PodBonus = false;
    std::array<std::string, 6> BossNames;
    std::array<std::string, 6> ExtraBossNames;
    int16_t BossMaxEnergy = 0;
    int32_t SeparatorColor = 0;

    // ---- current stage
    int16_t StagePhase = 0;
    int32_t FrameCounter = 0;
    bool TimelineHold = false;
    int16_t ScriptIndex = 0;
    int16_t WarningFrame = 0;
    int16_t EnemyCount = 0;
    int16_t EnemyShotCount = 0;
    int16_t PlayerShotCount = 0;
    int16_t BeamCount = 0;
    uint8_t ItemCount = 0;
    bool CancelBeams = false;
    int16_t ScrollDX = 0, ScrollDY = 0;
    int16_t BossStep = 0;
    int16_t BossMode = 0;
    std::array<PointRecord, 4> BossPoints{};
    int16_t EnemiesAppeared = 0;
    int16_t EnemiesDestroyed = 0;
    int16_t MaxCombo = 0;
    int32_t StageBonus = 0;
    bool NoMissStage = false;
    bool BossTimedOut = false;

    // ---- player and weapons
    PlayerRecord Player;
    int16_t FireCounter = 0;
    int16_t SpecialTimer = 0;
    int16_t SpecialKills = 0;
    int16_t SpecialX = 0, SpecialY = 0;
    int16_t ComboTimer = 0;
    bool SpecialPressed = false;
    bool MoveStarted = false;

    // ---- entity tables
    std::array<StarRecord, 16> StarTable{};
    std::array<EnemyRecord, 16> EnemyTable{};
    std::array<ScriptRecord, 512> StageScript{};
    std::array<PlayerShotRecord, 256> PlayerShotTable{};
    std::array<EnemyShotRecord, 256> EnemyShotTable{};
    std::array<BeamRecord, 8> BeamTable{};
    std::array<FragmentRecord, 64> FragmentTable{};
    std::array<ItemRecord, 8> ItemTable{};
    std::array<SceneryRecord, 16> SceneryTable{};
    BossRecord Boss;
    BossRecord ExtraBoss;

    // ---- frame loop (live while the play screen runs)
    bool Paused = false;
    uint32_t FrameStart = 0;

    // ---- surfaces
    Surface Picture1;
    Surface PicChr, PicTeki, PicStr, PicKao, PicBoss, PicTemp;
    Surface FormPicture; // the window's own background picture (title)

    // ---- the machine and the program around the game
    Platform& Host;
    std::string ProgramDirectory;
    std::string RecordPath; // Record.dat in the program folder unless set
    Random01 Rng;
    ScreenDriver Screens;
    bool KeyRecording = false; // the window passes key-downs to RecordKey while set
    bool Ended = false;        // QuitProgram has run
    long long LoopFrames = 0;  // iterations of the one loop so far

private:
    void OnKeyDown(int virtualKey) override;
};
