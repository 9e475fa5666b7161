// The game: the real window, keys, pads and audio around the game object.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/Game.h"
#include "platform/sdl/SdlPlatform.h"

namespace {

std::string ProgramDirectory() {
    char* base = SDL_GetBasePath();
    std::string dir = base ? base : "./";
    SDL_free(base);
    if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

// Record.dat lives beside the game; if that folder is read-only, in the user's data folder.
std::string RecordPath(const std::string& programDirectory) {
    if (access(programDirectory.c_str(), W_OK) == 0) return programDirectory + "/Record.dat";
    char* pref = SDL_GetPrefPath("korvaxion", "korvaxion");
    std::string path = pref ? std::string(pref) + "Record.dat" : programDirectory + "/Record.dat";
    SDL_free(pref);
    return path;
}

} // namespace

int main(int, char**) {
    SdlPlatform platform;
    const std::string dir = ProgramDirectory();
    if (!platform.Open(dir)) return 1;
    const auto seed = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    Game game(platform, dir, seed);
    game.RecordPath = RecordPath(dir);
    if (!game.StartUp()) return 1;
    game.Run();
    return 0;
}
