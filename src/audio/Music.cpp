// Music: the dispatcher that turns the game's music words into device commands, the track
// routines, and the once-a-frame poll that makes every track loop.
#include <string>

#include "core/Game.h"

namespace {

std::string Lower(std::string_view word) {
    std::string s(word);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

void Game::SendMusicCommand(std::string_view Word) {
    if (!MusicOn) return;
    const std::string word = Lower(Word);
    if (word == "open") {
        if (MidiFileName.empty()) {
            Host.ShowError("ファイルが指定されていません");
            return;
        }
        Host.MusicCommand("Open \"" + MidiFileName + "\" alias Midi");
    } else if (word == "play") {
        Host.MusicCommand("Play Midi");
    } else if (word == "stop") {
        Host.MusicCommand("Stop Midi");
    } else if (word == "pause") {
        Host.MusicCommand("Pause Midi");
    } else if (word == "prev") {
        Host.MusicCommand("Seek Midi to Start");
    } else if (word == "close") {
        Host.MusicCommand("Close Midi");
    } else {
        Host.ShowError("未知の命令を実行しようとしました。");
    }
}

namespace {

// Closes whatever plays and starts fileName; fileName empty keeps the previous track.
void StartTrack(Game& game, std::string_view fileName) {
    if (!game.MusicOn) return;
    game.SendMusicCommand("stop");
    game.SendMusicCommand("close");
    if (!fileName.empty()) game.MidiFileName = game.ProgramPath(fileName);
    game.SendMusicCommand("open");
    game.SendMusicCommand("play");
}

} // namespace

void Game::PlayStageMusic() {
    std::string_view file;
    switch (StageNumber) {
    case 1:
    case 3:
        file = "main1.mid";
        break;
    case 2:
    case 4:
        file = "main2.mid";
        break;
    case 5:
    case 6:
        file = "main3.mid";
        break;
    default:
        break; // any other stage replays the track named last
    }
    StartTrack(*this, file);
}

void Game::PlayBossMusic() {
    StartTrack(*this, StageNumber == 5 ? "boss2.mid" : "boss1.mid");
}
void Game::PlayClearMusic() {
    StartTrack(*this, "clear.mid");
}
void Game::PlayContinueMusic() {
    StartTrack(*this, "cont.mid");
}
void Game::PlaySelectMusic() {
    StartTrack(*this, "csel.mid");
}
void Game::PlayEndingMusic() {
    StartTrack(*this, "end.mid");
}
void Game::PlayGameOverMusic() {
    StartTrack(*this, "over.mid");
}

void Game::StopMusic() {
    if (!MusicOn) return;
    SendMusicCommand("stop");
    SendMusicCommand("close");
}

void Game::LoopMusic() {
    // Asked of the device directly, music on or off: with nothing open the answer is empty.
    std::string mode = Host.MusicCommand("status Midi mode");
    mode.resize(std::min<size_t>(mode.size(), 15)); // the reply buffer holds 16 characters
    if (mode.compare(0, 7, "stopped") == 0) {
        SendMusicCommand("prev");
        SendMusicCommand("play");
    }
}

void Game::QuitProgram() {
    SendMusicCommand("stop");
    SendMusicCommand("close");
    Ended = true;
    Screens.Clear();
}
