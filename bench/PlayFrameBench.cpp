// The cost of one play frame on the headless machine: a worst case (every pool as full as play
// fills it, a boss dying, everything drawn) and a typical busy moment of a stage. Each iteration
// runs one whole frame (the 47 routines) from the same starting state.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/Game.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resources/PngWriter.h"

namespace {

// Everything a frame changes that the next iteration must find as it was.
struct Snapshot {
    std::array<EnemyRecord, 16> enemies;
    std::array<PlayerShotRecord, 256> playerShots;
    std::array<EnemyShotRecord, 256> enemyShots;
    std::array<BeamRecord, 8> beams;
    std::array<FragmentRecord, 64> fragments;
    std::array<SceneryRecord, 16> scenery;
    std::array<ItemRecord, 8> items;
    PlayerRecord player;
    BossRecord boss, extraBoss;
    int16_t enemyCount, enemyShotCount, playerShotCount, beamCount, stagePhase, specialTimer;
    uint8_t itemCount;
    int32_t frameCounter;

    void Take(const Game& g) {
        enemies = g.EnemyTable;
        playerShots = g.PlayerShotTable;
        enemyShots = g.EnemyShotTable;
        beams = g.BeamTable;
        fragments = g.FragmentTable;
        scenery = g.SceneryTable;
        items = g.ItemTable;
        player = g.Player;
        boss = g.Boss;
        extraBoss = g.ExtraBoss;
        enemyCount = g.EnemyCount;
        enemyShotCount = g.EnemyShotCount;
        playerShotCount = g.PlayerShotCount;
        beamCount = g.BeamCount;
        stagePhase = g.StagePhase;
        specialTimer = g.SpecialTimer;
        itemCount = g.ItemCount;
        frameCounter = g.FrameCounter;
    }
    void Restore(Game& g) const {
        g.EnemyTable = enemies;
        g.PlayerShotTable = playerShots;
        g.EnemyShotTable = enemyShots;
        g.BeamTable = beams;
        g.FragmentTable = fragments;
        g.SceneryTable = scenery;
        g.ItemTable = items;
        g.Player = player;
        g.Boss = boss;
        g.ExtraBoss = extraBoss;
        g.EnemyCount = enemyCount;
        g.EnemyShotCount = enemyShotCount;
        g.PlayerShotCount = playerShotCount;
        g.BeamCount = beamCount;
        g.StagePhase = stagePhase;
        g.SpecialTimer = specialTimer;
        g.ItemCount = itemCount;
        g.FrameCounter = frameCounter;
        g.CancelBeams = false;
    }
};

struct Bench {
    Bench() : host(std::string(KORVAXION_GAME_DIR) + "/font.ttf"), game(host, KORVAXION_GAME_DIR, 12345) {
        game.RecordPath = "/dev/null"; // never write the build's record file
        ok = game.StartUp();
        Game& g = game;
        g.Lives = 3;
        g.StageNumber = 1;
        g.StagePhase = 1;
        g.WaitSetting = 0;
        g.ExtraFlagsA = 4; // MISSLESS: the ship stays in play whatever hits it
        g.Player.ShipType = 0;
        g.Player.PowerLevel = 3;
        g.Player.X = 160;
        g.Player.Y = 420;
        g.Player.SpriteX = 32;
        g.Player.SpriteY = 0;
        g.Player.Arrived = true;
        g.Player.Energy = 60;
        g.TimelineHold = true; // nothing new arrives from the timeline
        g.FrameCounter = 5;    // and no record is due
    }

    void Enemy(int i, int x, int y, int w, int h, int kind, int sx, int sy) {
        EnemyRecord& e = game.EnemyTable[i];
        e = EnemyRecord{};
        e.Kind = static_cast<int16_t>(kind);
        e.X = static_cast<int16_t>(x);
        e.Y = static_cast<int16_t>(y);
        e.Heading = 90;
        e.Width = static_cast<int16_t>(w);
        e.Height = static_cast<int16_t>(h);
        e.SpriteX = static_cast<int16_t>(sx);
        e.SpriteY = static_cast<int16_t>(sy);
        e.Timer = 1;
        e.Hits = 30000; // they take hits all frame long, and stay
        e.Points = 100;
        e.Active = true;
        game.EnemyCount += 1;
    }

    void PlayerShots(int n) {
        for (int i = 0; i < n; ++i) {
            PlayerShotRecord& s = game.PlayerShotTable[i];
            s = PlayerShotRecord{};
            s.Kind = static_cast<int16_t>(i % 5);
            s.X = static_cast<int16_t>(16 + (i * 37) % 296);
            s.Y = static_cast<int16_t>(60 + (i * 89) % 400);
            s.Speed = 32;
            s.Heading = static_cast<int16_t>(240 + (i * 13) % 61);
            s.Age = static_cast<int16_t>(i % 6);
            s.HitTimer = static_cast<int16_t>(i % 17 == 0 ? 2 : 0);
            s.Active = true;
            game.PlayerShotCount += 1;
        }
    }

    // Mixed kinds spread over the field, as a late boss fight throws them.
    void EnemyShots(int n, bool withBlasts) {
        static constexpr int kKinds[] = {0, 1, 2, 3, 2, 5, 6, 7, 0, 2, 15, 1, 3, 0, 2, 7};
        for (int i = 0; i < n; ++i) {
            int kind = kKinds[i % 16];
            if (withBlasts && i % 64 == 5) kind = 4;
            const double speed = kind == 4 ? 0 : 2 + i % 6;
            game.SpawnEnemyShot(8 + (i * 53) % 304, 8 + (i * 71) % 460, (i * 29) % 360, speed, kind);
            EnemyShotRecord& s = game.EnemyShotTable[i];
            s.Age = static_cast<int16_t>(1 + (kind == 15 ? i % 9 : i % 40));
            if (i % 23 == 0) s.VanishTimer = 3; // some dissolving
        }
    }

    void Beams(int n) {
        static constexpr int kRadius[] = {20, 40, 60, 20, 30, 15, 40, 20};
        for (int i = 0; i < n; ++i) {
            game.SpawnBeam(20 + i * 40, 40 + (i % 3) * 30, -1, 0, 0, kRadius[i], 10, 30000);
            game.BeamTable[i].Age = 40;
        }
    }

    void DyingBoss() {
        Game& g = game;
        g.StagePhase = 2;
        g.Boss = BossRecord{155, 120, 0, 0, 240, 224, 0, 0, 0, 30, 0, true};
        g.ScatterFragments();
        for (int i = 0; i < 8; ++i) g.UpdateFragments(); // spread out, some off the field
    }

    HeadlessPlatform host;
    Game game;
    bool ok = false;
    Snapshot start;
};

std::unique_ptr<Bench> WorstCase() {
    auto b = std::make_unique<Bench>();
    const int teki[][2] = {{0, 0}, {32, 0}, {64, 0}, {448, 0}, {480, 0}, {448, 64}};
    for (int i = 0; i < 16; ++i) {
        if (i < 12)
            b->Enemy(i, 24 + (i % 6) * 54, 60 + (i / 6) * 200, 32, 32, 0, teki[i % 6][0], teki[i % 6][1]);
        else
            b->Enemy(i, 50 + (i - 12) * 70, 300, 64, 64, 7, 192, 0);
    }
    b->PlayerShots(200);
    b->EnemyShots(255, true);
    b->Beams(8);
    b->DyingBoss();
    b->game.SpawnRandomScenery(1);
    b->start.Take(b->game);
    return b;
}

std::unique_ptr<Bench> TypicalCase() {
    auto b = std::make_unique<Bench>();
    for (int i = 0; i < 6; ++i) b->Enemy(i, 40 + i * 48, 80 + (i % 3) * 60, 32, 32, 0, 32 * (i % 3), 0);
    b->PlayerShots(30);
    b->EnemyShots(40, false);
    b->Beams(1);
    for (int i = 0; i < 5; ++i) b->game.SpawnRandomScenery(0);
    b->start.Take(b->game);
    return b;
}

void RunFrames(benchmark::State& state, Bench& b, const char* name) {
    if (!b.ok) {
        state.SkipWithError("the game content is missing: build game_content first");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        b.start.Restore(b.game);
        state.ResumeTiming();
        b.game.PlayFrame();
        benchmark::DoNotOptimize(b.game.Picture1.Pixels().data());
    }
    // Set KORVAXION_BENCH_PNG to a folder to look at the scene: a few frames played from the
    // starting state on a clean field.
    if (const char* dir = std::getenv("KORVAXION_BENCH_PNG")) {
        b.start.Restore(b.game);
        b.game.Picture1.SetBackColour(0);
        for (int f = 0; f < 3; ++f) b.game.PlayFrame();
        WritePng(b.game.Picture1, std::string(dir) + "/" + name + ".png");
        WritePng(b.game.PicTeki, std::string(dir) + "/teki.png");
    }
}

void BM_WorstCaseFrame(benchmark::State& state) {
    static auto b = WorstCase();
    RunFrames(state, *b, "worst");
}

void BM_TypicalFrame(benchmark::State& state) {
    static auto b = TypicalCase();
    RunFrames(state, *b, "typical");
}

BENCHMARK(BM_WorstCaseFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypicalFrame)->Unit(benchmark::kMicrosecond);

} // namespace
