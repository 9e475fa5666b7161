#include "core/Game.h"

Game::Game(Platform& host, std::string programDirectory, uint64_t seed)
    : Host(host), ProgramDirectory(std::move(programDirectory)), Rng(seed) {
    RecordPath = ProgramPath("Record.dat");
    Host.SetKeyDownListener(this);
}

Game::~Game() { Host.SetKeyDownListener(nullptr); }

std::string Game::ProgramPath(std::string_view fileName) const {
    std::string path = ProgramDirectory;
    if (!path.empty() && path.back() != '/') path += '/';
    path += fileName;
    return path;
}

void Game::OnKeyDown(int virtualKey) {
    if (KeyRecording) RecordKey(virtualKey);
}

void Game::Fatal(std::string_view message) {
    Host.ShowError(message);
    QuitProgram();
    Ended = true;
    Screens.Clear();
}

namespace {
// Waits until strictly more than paceMs have passed since start. Sleeps for most of the wait and
// polls only for the last millisecond, so a frame does not burn a core.
void WaitForPace(Platform& host, uint32_t start, uint32_t paceMs) {
    for (;;) {
        const uint32_t elapsed = host.GetTickCount() - start; // unsigned: safe across the wrap
        if (elapsed > paceMs) return;
        const uint32_t remaining = paceMs - elapsed;
        host.Delay(remaining > 1 ? remaining - 1 : 0);
    }
}
} // namespace

bool Game::RunOneFrame() {
    if (Ended || Screens.Empty()) return false;
    ++LoopFrames;
    if (!Host.PumpEvents()) {
        ShutDown();
        return false;
    }
    FrameStart = Host.GetTickCount();
    const uint64_t generation = Screens.Generation();
    Screen* screen = Screens.Current();
    Screens.RunFrame(*this);
    if (Ended) return false;
    Host.Present(Picture1);
    // A screen that handed over is gone: the next one starts at once, without a wait.
    if (Screens.Generation() != generation) return !Screens.Empty();
    const int pace = screen->PaceMs(*this);
    if (pace >= 0)
        WaitForPace(Host, FrameStart, static_cast<uint32_t>(pace));
    else
        Host.Delay(10); // a paused game only polls its keys; no need to spin
    screen->AfterWait(*this);
    return !Ended && !Screens.Empty();
}

void Game::Run(long long maxFrames) {
    const long long stopAt = LoopFrames + maxFrames;
    while (RunOneFrame()) {
        if (maxFrames > 0 && LoopFrames >= stopAt) break;
    }
}
