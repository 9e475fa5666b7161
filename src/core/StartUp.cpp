#include "core/Game.h"

bool Game::StartUp() {
    Host.SetCaption("KORVAXION");

    Picture1.Resize(480, 480);
    Picture1.SetBackColour(0);
    Picture1.SetKeepPicture(false);

    struct SheetLoad {
        Surface& target;
        int width, height;
        const char* file;
        bool autoSize;
    };
    const SheetLoad permanent[] = {
        {PicChr, 192, 256, "G1.kvx", false},
        {PicTeki, 560, 320, "G2.kvx", false},
        {PicStr, 312, 288, "G3.kvx", true},
    };
    for (const SheetLoad& s : permanent) {
        s.target.Resize(s.width, s.height);
        s.target.SetBackColour(0);
        s.target.SetKeepPicture(true);
        if (!LoadSheet(s.target, s.file, s.autoSize)) return false;
    }
    PicBoss.Resize(0, 0);
    PicBoss.SetKeepPicture(false);
    PicTemp.Resize(0, 0);
    PicTemp.SetKeepPicture(false);
    if (!ReloadFaceSheet()) return false;

    WaitSetting = 4;
    Difficulty = 1;
    SoundOn = true;
    MusicOn = true;
    UnlockFlags = 0;
    UnlockFlags2 = 0;
    LoadRecordFile();
    SoundOn = (SettingsByte & 128) != 0;
    MusicOn = (SettingsByte & 64) != 0;
    Difficulty = (SettingsByte & 48) / 16;
    WaitSetting = SettingsByte & 15;
    // A hand-edited record must not index tables out of range.
    if (Difficulty > 2) Difficulty = 1;
    if (WaitSetting > 10) WaitSetting = 4;

    DetectJoystick();
    LoadSoundEffects();

    ExtraFlagsA = 0;
    ExtraFlagsB = 0;
    SpeedSetting = 0;
    ShotRangeSetting = 0;
    StartStage = 1;
    BackgroundOff = false;
    JoystickEnabled = false;

    RunTitleScreen();
    return true;
}

void Game::ShutDown() { QuitProgram(); }
