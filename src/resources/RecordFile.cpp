#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "core/Game.h"

namespace {
constexpr size_t kRecordSize = 843;
constexpr const char* kDefaultNames[5] = {"VEX", "QRV", "ZUL", "DOR", "JUB"};

std::vector<uint8_t> RecordImage(const Game& g) {
    std::vector<uint8_t> b;
    b.reserve(kRecordSize);
    for (int32_t s : g.HighScores)
        for (int i = 0; i < 4; ++i) b.push_back(uint8_t(static_cast<uint32_t>(s) >> (8 * i)));
    b.push_back(g.UnlockFlags);
    b.push_back(g.SettingsByte);
    b.insert(b.end(), g.HighScoreNames.begin(), g.HighScoreNames.end());
    b.push_back(g.UnlockFlags2);
    return b;
}

// Writes a new file beside the old one, flushes it to disk and renames it over the old one, so a
// crash or a full disk mid-save leaves the previous record intact.
bool WriteAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temp = path + ".new";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}
} // namespace

void Game::LoadRecordFile() {
    std::vector<uint8_t> b;
    {
        std::ifstream in(RecordPath, std::ios::binary | std::ios::ate);
        if (in) {
            const std::streamoff size = in.tellg();
            if (size == static_cast<std::streamoff>(kRecordSize)) {
                b.resize(kRecordSize);
                in.seekg(0);
                if (!in.read(reinterpret_cast<char*>(b.data()), kRecordSize)) b.clear();
            }
        }
    }
    if (b.size() != kRecordSize) {
        for (int list = 0; list < 24; ++list)
            for (int rank = 0; rank < 5; ++rank) {
                HighScores[list * 5 + rank] = 100000 - 20000 * rank;
                for (int letter = 0; letter < 3; ++letter)
                    HighScoreNames[list * 15 + rank * 3 + letter] = static_cast<uint8_t>(kDefaultNames[rank][letter]);
            }
        UnlockFlags = 0;
        SettingsByte = 212;
        WriteAtomically(RecordPath, RecordImage(*this));
        return;
    }
    for (int i = 0; i < 120; ++i)
        HighScores[i] = static_cast<int32_t>(uint32_t(b[4 * i]) | uint32_t(b[4 * i + 1]) << 8 |
                                             uint32_t(b[4 * i + 2]) << 16 | uint32_t(b[4 * i + 3]) << 24);
    UnlockFlags = b[480];
    SettingsByte = b[481];
    std::copy(b.begin() + 482, b.begin() + 842, HighScoreNames.begin());
    UnlockFlags2 = b[842];
}

void Game::SaveRecordFile() { WriteAtomically(RecordPath, RecordImage(*this)); }

int Game::InsertHighScore(int32_t s) {
    const int base = Player.ShipType * 30 + GameMode * 15 + Difficulty * 5;
    for (int r = 0; r < 5; ++r) {
        if (HighScores[base + r] < s) {
            for (int k = 3; k >= r; --k) {
                HighScores[base + k + 1] = HighScores[base + k];
                for (int letter = 0; letter < 3; ++letter)
                    HighScoreNames[(base + k + 1) * 3 + letter] = HighScoreNames[(base + k) * 3 + letter];
            }
            HighScores[base + r] = s;
            return r;
        }
    }
    return -1;
}
