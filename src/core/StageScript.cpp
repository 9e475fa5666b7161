// The stage timeline: the interpreter that fires a stage's records frame by frame, and the start
// values of every enemy kind a timeline may place.
#include <algorithm>
#include <fstream>
#include <string>

#include "core/Game.h"
#include "core/Numeric.h"
#include "core/StageFile.h"

void Game::LoadStageScript() {
    if (GameMode == 1) {
        StageScript[0] = {10, 160, 0, 35, 0};
        StageScript[1] = {21, 0, 0, 36, 0};
        return;
    }
    if (StageNumber >= 6) {
        StageScript[0] = {5, 160, 0, 35, 0};
        StageScript[1] = {8, 160, 0, 35, 0};
        StageScript[2] = {11, 160, 0, 35, 0};
        StageScript[3] = {21, 0, 0, 36, 0};
        return;
    }

    const std::string name = "s" + std::to_string(StageNumber) + ".dat";
    std::ifstream in(ProgramPath(name), std::ios::binary);
    StageFile file;
    if (in)
        file = ReadStageFile(in);
    else
        file.Error = "it is missing or cannot be read";
    if (!file.Error.empty()) {
        Fatal("The stage file \"" + name + "\" in the folder \"" + ProgramDirectory +
              "\" cannot be used: " + file.Error + ".");
        return;
    }
    // Records past the new file's end keep what an earlier stage left; the boss record stops the
    // timeline before it reaches them.
    std::copy(file.Records.begin(), file.Records.end(), StageScript.begin());
}

void Game::FindWarningFrame() {
    for (const ScriptRecord& r : StageScript) {
        if (r.Kind == kBossRecordKind) {
            WarningFrame = Wrap16(10 * r.Time - 100);
            return;
        }
    }
}

void Game::RunStageScript() {
    for (;;) {
        if (StagePhase > 1) return;
        if (ScriptIndex < 0 || ScriptIndex >= static_cast<int>(StageScript.size())) return;
        const ScriptRecord r = StageScript[ScriptIndex];
        if (10 * r.Time != FrameCounter) return;
        // A full table drops the record, but never the boss: the stage could not end without it.
        if (EnemyCount > 15 && r.Kind != kBossRecordKind) {
            ScriptIndex += 1;
            continue;
        }
        if (r.Kind == kBossRecordKind) {
            StartBoss();
        } else if (IsTimelineKind(r.Kind)) {
            if (r.Kind != 18) EnemiesAppeared += 1;
            for (int slot = 0; slot < static_cast<int>(EnemyTable.size()); ++slot) {
                if (EnemyTable[slot].Active) continue;
                EnemyCount += 1;
                PlaceTimelineEnemy(slot, r);
                break;
            }
        }
        ScriptIndex += 1;
    }
}

void Game::PlaceTimelineEnemy(int slot, const ScriptRecord& r) {
    EnemyRecord& e = EnemyTable[slot];
    e.Kind = r.Kind;
    e.Variant = r.Param;
    e.X = r.X;
    e.Y = r.Y;

    const bool easy = Difficulty == 0;
    auto set = [&](int heading, int speed, int width, int height, int spriteX, int spriteY, int timer,
                   int hits, int points) {
        e.Heading = Wrap16(heading);
        e.Speed = Wrap16(speed);
        e.Width = Wrap16(width);
        e.Height = Wrap16(height);
        e.SpriteX = Wrap16(spriteX);
        e.SpriteY = Wrap16(spriteY);
        e.Timer = Wrap16(timer);
        e.Hits = Wrap16(hits);
        e.Points = Wrap16(points);
    };
    const int v = e.Variant;
    switch (e.Kind) {
    case 0:
        set(90, 8, 32, 32, 0, 0, 0, easy ? 1 : 2, 50);
        break;
    case 1:
        set(90, 12, 32, 32, 32, 0, 0, easy ? 1 : 2, 50);
        break;
    // Left without points by the rules; given the value of its look-alike, kind 13.
    case 2:
        set(90, 6, 32, 32, 448, 64, 0, easy ? 2 : 4, 100);
        break;
    case 3:
        set(90, 4 + v / 2, 32, 32, 64, 0, 1 + 2 * (v % 2), easy ? 1 : 2, 100);
        break;
    case 4:
        set(90, 8, 32, 32, 0, 0, 0, easy ? 1 : 2, 50);
        break;
    case 7:
        set(90, 4, 64, 64, 192, 0, 0, easy ? 30 : 40, 500);
        break;
    case 8:
        set(90, 3, 64, 64, 256, 0, 0, easy ? 20 : 30, 500);
        break;
    case 9:
        set(0, 4, 64, 32, 96, 64, 0, easy ? 10 : 15, 200);
        break;
    case 11:
        set(90, 4, 128, 64, 320, 0, 0, 80 + 20 * Difficulty, 5000);
        break;
    case 13:
        set(90, 6, 32, 32, 448, 64, 0, easy ? 1 : 3, 100);
        break;
    case 14:
        set(270, 4, 32, 32, 480, 0, 0, 2, 200);
        break;
    case 15:
        set(90, 5, 32, 32, 448, 0, 0, easy ? 2 : 3, 100);
        break;
    // Headings left, down, right for pattern groups 0, 1, 2.
    case 16:
        set(180 - 90 * (v / 3), 2, 32, 32, 480, 64, 0, easy ? 5 : 10, 250);
        break;
    case 17:
        set(90, 3, 64, 32, 192, 128, 0, 10, 500);
        break;
    case 18:
        set(180 - 90 * v, 2, 128, 64, 256, 128, 0, 4096, 0);
        break;
    case 19:
        set(90, 2, 96, 96, 464 - 80 * v, 128, 0, easy ? 48 : 64, 1500);
        break;
    case 20:
        set(90, 2, 96, 80, 96, 128, 0, easy ? 48 : 64, 2000);
        break;
    case 35:
        set(90, 2, 48, 64, 512, 0, 0, 2, 100);
        break;
    default:
        return; // not a timeline kind: the slot stays free
    }
    e.DeathTimer = 0;
    e.Active = true;

    if (e.Kind == 11 && e.Variant == 1) {
        TimelineHold = true;
        BossMode = 0;
    }
    if (e.Kind == 35 && Player.PowerLevel == 3) e.Variant = 1;
}
