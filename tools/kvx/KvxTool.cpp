// kvx: packs an ordinary 8-bit bitmap into a sheet file and unpacks a sheet file into an ordinary
// bitmap. Also writes the plain placeholder sheets the game runs on before its art exists.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resources/Bitmap8.h"

namespace {

bool ReadFile(const char* path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool WriteFile(const char* path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "kvx: %s\n", message.c_str());
    return 1;
}

// A placeholder: plain black, with a white mask for each sprite named on the command line (x y
// w h mask-offset) and a small white cross in its image, so the game runs and shows where its
// sprites are before the art exists.
kvx::Bitmap8 Placeholder(int width, int height, const std::vector<int>& sprites) {
    kvx::Bitmap8 bm;
    bm.Width = width;
    bm.Height = height;
    bm.Palette[1] = 0xFFFFFF;
    bm.Pixels.assign(static_cast<size_t>(width) * height, 0);
    auto set = [&](int x, int y, uint8_t v) {
        if (x >= 0 && y >= 0 && x < width && y < height) bm.At(x, y) = v;
    };
    for (size_t i = 0; i + 4 < sprites.size(); i += 5) {
        const int x = sprites[i], y = sprites[i + 1], w = sprites[i + 2], h = sprites[i + 3], dy = sprites[i + 4];
        for (int j = 0; j < h; ++j)
            for (int k = 0; k < w; ++k) {
                const bool cross = k == w / 2 || j == h / 2;
                set(x + k, y + j, cross ? 1 : 0);
                set(x + k, y + dy + j, cross ? 0 : 1);
            }
    }
    return bm;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && (std::strcmp(argv[1], "pack") == 0 || std::strcmp(argv[1], "unpack") == 0)) {
        std::vector<uint8_t> in;
        if (!ReadFile(argv[2], in)) return Fail(std::string("cannot read ") + argv[2]);
        const bool pack = std::strcmp(argv[1], "pack") == 0;
        auto out = pack ? kvx::BmpToSheet(in) : kvx::SheetToBmp(in);
        if (!out.Ok()) return Fail(std::string(argv[2]) + ": " + out.Error);
        if (!pack) {
            auto check = kvx::ParseBmp(out.Value);
            if (!check.Ok()) return Fail(std::string(argv[2]) + ": " + check.Error);
        }
        if (!WriteFile(argv[3], out.Value)) return Fail(std::string("cannot write ") + argv[3]);
        return 0;
    }
    if (argc >= 5 && (argc - 5) % 5 == 0 && std::strcmp(argv[1], "placeholder") == 0) {
        const int w = std::atoi(argv[2]), h = std::atoi(argv[3]);
        if (w <= 0 || h <= 0 || w > 4096 || h > 4096) return Fail("bad size");
        std::vector<int> sprites;
        for (int i = 5; i < argc; ++i) sprites.push_back(std::atoi(argv[i]));
        auto sheet = kvx::BmpToSheet(kvx::EncodeBmp(Placeholder(w, h, sprites)));
        if (!sheet.Ok()) return Fail(sheet.Error);
        if (!WriteFile(argv[4], sheet.Value)) return Fail(std::string("cannot write ") + argv[4]);
        return 0;
    }
    std::fprintf(stderr, "usage: kvx pack IN.bmp OUT.kvx\n"
                         "       kvx unpack IN.kvx OUT.bmp\n"
                         "       kvx placeholder WIDTH HEIGHT OUT.kvx [X Y W H MASK-DY]...\n");
    return 2;
}
