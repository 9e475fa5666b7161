// The game's side of music and sound: the words it sends, the tracks it picks, how tracks loop,
// pause and resume, and the one-voice effects.
#include <filesystem>
#include <fstream>

#include "TestGame.h"

namespace {

using Mode = HeadlessAudio::Mode;

std::string Track(std::string_view name) {
    return std::string(KORVAXION_GAME_DIR) + "/" + std::string(name);
}
std::string OpenCommand(std::string_view name) {
    return "Open \"" + Track(name) + "\" alias Midi";
}

struct AudioGame : TestGame {
    AudioGame() {
        game.MusicOn = true;
        game.SoundOn = true;
        host.Audio.TrackLengthMs = 1000;
    }
    std::vector<std::string> TakeCommands() { return std::exchange(host.Audio.Commands, {}); }
};

TEST(AudioGame, TheDispatcherSendsItsCommandStringsInAnyCase) {
    AudioGame t;
    Game& g = t.game;
    g.MidiFileName = "/games/kvx/main1.mid";
    const std::vector<std::pair<const char*, const char*>> words = {
        {"open", "Open \"/games/kvx/main1.mid\" alias Midi"},
        {"OPEN", "Open \"/games/kvx/main1.mid\" alias Midi"},
        {"Play", "Play Midi"},
        {"stop", "Stop Midi"},
        {"pAuse", "Pause Midi"},
        {"prev", "Seek Midi to Start"},
        {"CLOSE", "Close Midi"},
    };
    for (const auto& [word, command] : words) {
        g.SendMusicCommand(word);
        EXPECT_EQ(t.TakeCommands(), std::vector<std::string>{command}) << word;
    }
    EXPECT_TRUE(t.host.Errors.empty());

    // Unknown words and an open without a file name send nothing and say so.
    g.SendMusicCommand("rewind");
    g.MidiFileName.clear();
    g.SendMusicCommand("open");
    EXPECT_TRUE(t.TakeCommands().empty());
    EXPECT_EQ(t.host.Errors, (std::vector<std::string>{"未知の命令を実行しようとしました。",
                                                       "ファイルが指定されていません"}));

    // Music off: no word reaches the device, not even a wrong one.
    g.MusicOn = false;
    for (const char* word : {"open", "play", "stop", "rewind"}) g.SendMusicCommand(word);
    g.PlayStageMusic();
    g.StopMusic();
    EXPECT_TRUE(t.TakeCommands().empty());
    EXPECT_EQ(t.host.Errors.size(), 2u);
    EXPECT_TRUE(g.MidiFileName.empty());
}

TEST(AudioGame, EachTrackRoutineClosesTheOldTrackAndStartsItsFile) {
    AudioGame t;
    Game& g = t.game;
    using Routine = void (Game::*)();
    struct Case {
        Routine routine;
        int stage;
        const char* file; // nullptr: the previous track again
    };
    const std::vector<Case> cases = {
        {&Game::PlayStageMusic, 1, "main1.mid"},   {&Game::PlayStageMusic, 3, "main1.mid"},
        {&Game::PlayStageMusic, 2, "main2.mid"},   {&Game::PlayStageMusic, 4, "main2.mid"},
        {&Game::PlayStageMusic, 5, "main3.mid"},   {&Game::PlayStageMusic, 6, "main3.mid"},
        {&Game::PlayStageMusic, 7, nullptr},       {&Game::PlayStageMusic, 0, nullptr},
        {&Game::PlayBossMusic, 1, "boss1.mid"},    {&Game::PlayBossMusic, 4, "boss1.mid"},
        {&Game::PlayBossMusic, 6, "boss1.mid"},    {&Game::PlayBossMusic, 5, "boss2.mid"},
        {&Game::PlayClearMusic, 5, "clear.mid"},   {&Game::PlayContinueMusic, 2, "cont.mid"},
        {&Game::PlaySelectMusic, 0, "csel.mid"},   {&Game::PlayEndingMusic, 6, "end.mid"},
        {&Game::PlayGameOverMusic, 3, "over.mid"},
    };
    std::string previous = "boss2.mid";
    g.MidiFileName = Track(previous);
    for (const Case& c : cases) {
        g.StageNumber = static_cast<int16_t>(c.stage);
        (g.*c.routine)();
        const std::string file = c.file ? c.file : previous;
        EXPECT_EQ(t.TakeCommands(),
                  (std::vector<std::string>{"Stop Midi", "Close Midi", OpenCommand(file), "Play Midi"}))
            << "stage " << c.stage << " expecting " << file;
        EXPECT_EQ(t.host.Audio.State(), Mode::Playing);
        previous = file;
    }

    g.StopMusic();
    EXPECT_EQ(t.TakeCommands(), (std::vector<std::string>{"Stop Midi", "Close Midi"}));
    EXPECT_EQ(t.host.Audio.State(), Mode::Closed);
}

TEST(AudioGame, StageMusicLoopsWithinAFrameOfItsEndButTheClearFanfarePlaysOnce) {
    AudioGame t;
    Game& g = t.game;
    ASSERT_TRUE(g.StartUp());
    g.MusicOn = true;
    g.WaitSetting = 4;
    StartGame(g);
    ASSERT_EQ(t.host.Audio.OpenFile(), Track("main1.mid"));
    t.TakeCommands();

    // A one-second track: each restart comes in the frame the track ends, so it never stays
    // stopped past a frame.
    int restarts = 0;
    const uint32_t start = t.host.GetTickCount();
    for (int frame = 0; frame < 100; ++frame) {
        g.RunOneFrame();
        auto commands = t.TakeCommands();
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(commands[0], "status Midi mode");
        if (commands.size() > 1) {
            EXPECT_EQ(commands,
                      (std::vector<std::string>{"status Midi mode", "Seek Midi to Start", "Play Midi"}));
            ++restarts;
        }
        EXPECT_EQ(t.host.Audio.State(), Mode::Playing) << "frame " << frame;
    }
    const uint32_t frameMs = (t.host.GetTickCount() - start) / 100;
    const int framesPerPass = static_cast<int>((1000 + frameMs - 1) / frameMs);
    EXPECT_EQ(restarts, 100 / framesPerPass);

    // In the stage-clear phase nothing is polled, so a finished fanfare stays finished.
    g.PlayClearMusic();
    g.StagePhase = 3;
    for (int frame = 0; frame < 40; ++frame) g.PlayAfterWait(), t.host.Delay(40);
    EXPECT_EQ(t.host.Audio.State(), Mode::Stopped);
    g.StagePhase = 1;
    g.PlayAfterWait();
    EXPECT_EQ(t.host.Audio.State(), Mode::Playing);

    // The poll goes to the device even with music off, and changes nothing.
    g.StopMusic();
    g.MusicOn = false;
    t.TakeCommands();
    g.LoopMusic();
    EXPECT_EQ(t.TakeCommands(), std::vector<std::string>{"status Midi mode"});
}

TEST(AudioGame, PauseHoldsTheTrackAndResumeContinuesItWhereItWas) {
    AudioGame t;
    Game& g = t.game;
    t.host.Audio.TrackLengthMs = 60000;
    ASSERT_TRUE(g.StartUp());
    g.MusicOn = true;
    StartGame(g);
    for (int i = 0; i < 25; ++i) g.RunOneFrame();
    const uint32_t before = t.host.Audio.PositionMs();
    EXPECT_GT(before, 900u);

    t.host.TapKey(16);
    g.RunOneFrame();
    ASSERT_TRUE(g.Paused);
    const uint32_t atPause = t.host.Audio.PositionMs();
    t.TakeCommands();
    for (int i = 0; i < 50; ++i) g.RunOneFrame();
    EXPECT_EQ(t.host.Audio.State(), Mode::Paused);
    EXPECT_EQ(t.host.Audio.PositionMs(), atPause);
    EXPECT_TRUE(t.TakeCommands().empty()) << "nothing is polled while paused";

    t.host.TapKey(16);
    g.RunOneFrame();
    auto commands = t.TakeCommands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0], "Play Midi");
    EXPECT_EQ(t.host.Audio.State(), Mode::Playing);
    EXPECT_GT(t.host.Audio.PositionMs(), atPause);
    EXPECT_LT(t.host.Audio.PositionMs(), atPause + 100) << "resumed, not restarted or skipped ahead";

    // Quitting from the pause closes the track; the title is silent.
    t.host.TapKey(16);
    g.RunOneFrame();
    t.host.TapKey(88);
    g.RunOneFrame();
    for (int i = 0; i < 5; ++i) g.RunOneFrame();
    EXPECT_EQ(t.host.Audio.State(), Mode::Closed);
    g.QuitProgram();
    EXPECT_TRUE(g.Ended);
}

TEST(AudioGame, EffectsPlayTheirOwnImageOnOneVoiceOnlyWhileSoundIsOn) {
    AudioGame t;
    Game& g = t.game;
    g.LoadSoundEffects();
    using Routine = void (Game::*)();
    const std::vector<std::tuple<Routine, std::vector<uint8_t>*, const char*>> effects = {
        {&Game::PlayHitSound, &g.HitSound, "hit.wav"},
        {&Game::PlayHit2Sound, &g.Hit2Sound, "hit2.wav"},
        {&Game::PlayHit3Sound, &g.Hit3Sound, "hit3.wav"},
        {&Game::PlayBeamSound, &g.BeamSound, "beam.wav"},
        {&Game::PlaySelectSound, &g.SelectSound, "select.wav"},
        {&Game::PlayDecideSound, &g.DecideSound, "decide.wav"},
        {&Game::PlayItemSound, &g.ItemSound, "item.wav"},
        {&Game::PlayWarnSound, &g.WarnSound, "warn.wav"},
        {&Game::PlayUpSound, &g.UpSound, "up.wav"},
    };
    for (const auto& [play, buffer, file] : effects) {
        EXPECT_EQ(buffer->size(), std::filesystem::file_size(Track(file))) << file;
        (g.*play)();
        ASSERT_FALSE(t.host.Audio.SoundStarts.empty());
        EXPECT_EQ(t.host.Audio.SoundStarts.back().Data, buffer->data()) << file;
        EXPECT_EQ(t.host.Audio.SoundPlaying(), buffer->data())
            << file << ": the newest effect is the one heard";
    }

    // Two in one frame: only the second is heard; it ends on its own.
    g.PlayHit2Sound();
    g.PlaySelectSound();
    EXPECT_EQ(t.host.Audio.SoundPlaying(), g.SelectSound.data());
    t.host.Delay(200);
    EXPECT_EQ(t.host.Audio.SoundPlaying(), nullptr);

    g.SoundOn = false;
    const size_t played = t.host.Audio.SoundStarts.size();
    for (const auto& [play, buffer, file] : effects) (g.*play)();
    EXPECT_EQ(t.host.Audio.SoundStarts.size(), played);
}

TEST(AudioGame, MissingFilesPlaySilenceWithoutAMessage) {
    const std::string empty = ::testing::TempDir() + "korvaxion-no-audio";
    std::filesystem::create_directories(empty);
    HeadlessPlatform host;
    Game g(host, empty, 1);
    g.MusicOn = true;
    g.SoundOn = true;
    g.LoadSoundEffects();
    EXPECT_TRUE(g.HitSound.empty());
    g.PlayHitSound();
    EXPECT_EQ(host.Audio.SoundPlaying(), nullptr);

    g.StageNumber = 1;
    g.PlayStageMusic(); // the file is not there: the device stays closed
    EXPECT_EQ(host.Audio.State(), Mode::Closed);
    g.LoopMusic();
    EXPECT_EQ(host.Audio.Commands.back(), "status Midi mode");
    EXPECT_TRUE(host.Errors.empty());
}

} // namespace
