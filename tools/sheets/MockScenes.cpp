#include "MockScenes.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "Preview.h"
#include "platform/Surface.h"

namespace kvx::sheets {
namespace {

std::vector<uint8_t> ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Scene {
  public:
    Scene(const LoadedSheets& s, int w, int h) : sheets_(s), screen_(w, h) {
        for (const auto& [name, pic] : s.Pictures) {
            Surface surf;
            surf.LoadPicture(pic, true);
            surfaces_.emplace(name, std::move(surf));
        }
    }
    Surface& Screen() { return screen_; }

    const Cell& Find(const std::string& sheet, const std::string& cell) const {
        for (const Cell& c : sheets_.Map.FindSheet(sheet)->Cells)
            if (c.Name == cell) return c;
        throw std::runtime_error("no cell " + cell);
    }
    // Mask AND, picture OR, top-left at (x, y); the width cut at clipX like the play field's edge.
    void Sprite(const std::string& sheet, const std::string& cell, int x, int y, int clipX = 100000) {
        const Cell& c = Find(sheet, cell);
        const int w = std::min(c.Image.W, clipX - x);
        if (w <= 0) return;
        const Surface& src = surfaces_.at(sheet);
        if (c.Mask) BitBlt(screen_, x, y, w, c.Image.H, src, c.Mask->X, c.Mask->Y, RasterOp::SrcAnd);
        BitBlt(screen_, x, y, w, c.Image.H, src, c.Image.X, c.Image.Y,
               c.Mask ? RasterOp::SrcPaint : RasterOp::SrcCopy);
    }
    void Centred(const std::string& sheet, const std::string& cell, int cx, int cy) {
        const Cell& c = Find(sheet, cell);
        Sprite(sheet, cell, cx - c.Image.W / 2, cy - c.Image.H / 2, 320);
    }
    void Copy(const std::string& sheet, const std::string& cell, int x, int y) {
        const Cell& c = Find(sheet, cell);
        BitBlt(screen_, x, y, c.Image.W, c.Image.H, surfaces_.at(sheet), c.Image.X, c.Image.Y,
               RasterOp::SrcCopy);
    }
    // The bitmap font: position is the centre of the first character, 24 pixels per character.
    void Text(int x, int y, const std::string& text) {
        for (size_t k = 0; k < text.size(); ++k) {
            const char ch = text[k];
            std::string name = ch == ' ' ? "space" : std::string(1, ch);
            Sprite("G3", "font." + name, x - 12 + 24 * int(k), y - 12);
        }
    }
    void Stars(unsigned seed, int count = 16) {
        for (int i = 0; i < count; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int x = int((seed >> 8) % 320);
            seed = seed * 1103515245u + 12345u;
            const int y = int((seed >> 8) % 480);
            Sprite("G1", "star", x - 4, y - 4, 320);
        }
    }
    void Hud(const std::string& shipCell) {
        Surface& s = screen_;
        s.Line(320, 0, 320, 480, RGB(100, 100, 250));
        Text(388, 20, "HI");
        Text(350, 96, "SCORE");
        Copy("G1", shipCell, 340, 160);
        Text(372, 176, " 2");
        Text(350, 220, "POWER");
        for (int i = 0; i < 10; ++i) {
            s.SetFillColour(RGB(50 + 10 * (i % 14), 50 + 10 * (i % 14), 50));
            s.OutlineBoxSized(340 + 8 * i, 238, 8, 20, 0);
        }
        Text(338, 280, "ENERGY");
        for (int i = 0; i < 14; ++i) {
            s.SetFillColour(RGB(50, 50 + 10 * (i % 19), 50 + 10 * (i % 19)));
            s.OutlineBoxSized(340 + 5 * i, 300, 5, 32, 0);
        }
        Text(360, 355, "BOSS");
        Text(350, 420, "STAGE");
        Text(370, 450, " 3");
    }

  private:
    const LoadedSheets& sheets_;
    Surface screen_;
    std::map<std::string, Surface> surfaces_;
};

std::vector<uint32_t> Pixels(const Surface& s) {
    return s.Pixels();
}

std::string Save(const Surface& s, int scale, const std::filesystem::path& file) {
    return WritePng(Pixels(s), s.Width(), s.Height(), scale, file);
}

void PlayField(Scene& sc) {
    sc.Stars(7, 16);
    // scenery drifting by
    const char* scenery[] = {"scenery0", "scenery1", "scenery2", "scenery3", "scenery4",
                             "scenery5", "scenery6", "scenery7", "scenery8", "scenery9"};
    for (int i = 0; i < 10; ++i) sc.Centred("G2", scenery[i], 20 + 31 * i, 300 + (i % 3) * 12);
    // small enemies
    const char* small[] = {"diver", "looper", "weaver", "orb",    "mine",     "stopper",
                           "riser", "chaser", "slower", "gunpod", "escapepod"};
    for (int i = 0; i < 11; ++i) sc.Centred("G2", small[i], 22 + 28 * i, 30 + (i % 2) * 30);
    sc.Centred("G2", "turret", 40, 130);
    sc.Centred("G2", "gunship", 110, 130);
    sc.Centred("G2", "itemcarrier", 170, 130);
    sc.Centred("G2", "hunter", 250, 115);
    sc.Centred("G2", "platform", 250, 155);
    sc.Centred("G2", "carrier", 70, 205);
    sc.Centred("G2", "obstacle", 210, 205);
    sc.Centred("G2", "escort", 295, 205);
    // enemy shots of every kind, explosion frames
    const char* shots[] = {"eshot.straight", "eshot.homing", "eshot.fast", "eshot.slowhoming",
                           "eshot.wanderer"};
    for (int i = 0; i < 10; ++i) sc.Centred("G2", shots[i % 5], 30 + 28 * i, 252 + (i / 5) * 14);
    for (int k = 0; k < 4; ++k) sc.Centred("G2", "blast" + std::to_string(k), 200 + 34 * k, 345);
    // items
    sc.Centred("G1", "item.power", 40, 350);
    sc.Centred("G1", "item.large", 70, 350);
    sc.Centred("G1", "item.small", 100, 350);
    // the four ships with their shots
    const int xs[] = {40, 115, 190, 265};
    for (int s = 0; s < 4; ++s) {
        const std::string ship = "ship" + std::to_string(s);
        sc.Centred("G1", ship + ".level", xs[s], 440);
        if (s == 0)
            for (int k = 0; k < 5; ++k)
                sc.Centred("G1", "shot0.k" + std::to_string(k), xs[s] - 16 + 8 * k,
                           410 - 8 * std::abs(k - 2));
        if (s == 1)
            for (int k = 0; k < 4; ++k) sc.Centred("G1", "shot1", xs[s], 416 - 12 * k);
        if (s == 2)
            for (int k = 0; k < 4; ++k) sc.Centred("G1", "shot2", xs[s] - 12 + 8 * k, 410 - 6 * (k % 2));
        if (s == 3)
            for (int k = 0; k < 3; ++k)
                sc.Centred("G2", "blast" + std::to_string(k), xs[s] - 14 + 14 * k, 408 - 10 * k);
    }
    sc.Hud("ship1.level");
}

void Frames(Scene& sc) {
    // every ship frame over the play field's black, in a row per ship
    const char* frames[] = {"left", "level", "right"};
    for (int s = 0; s < 4; ++s)
        for (int f = 0; f < 3; ++f)
            sc.Sprite("G1", "ship" + std::to_string(s) + "." + frames[f], 8 + 40 * f, 8 + 40 * s);
    sc.Sprite("G1", "ship2.shift", 136, 88);
    for (int f = 0; f < 3; ++f) sc.Sprite("G1", std::string("ship2.aura.") + frames[f], 176 + 40 * f, 88);
    sc.Sprite("G1", "arrow.left", 136, 8);
    sc.Sprite("G1", "cursor", 176, 8);
}

struct BossShot {
    std::string Sheet, Cell;
    int X, Y;
};

void Bosses(const LoadedSheets& sheets, const std::filesystem::path& outDir, std::string& error) {
    const BossShot bosses[] = {
        {"G5", "spider", 160, 136}, {"G5", "eye", 155, 120},       {"G5", "tentacles", 155, 120},
        {"G5", "death", 155, 140},  {"G5", "renoir", 155, 150},    {"G2", "escort", 160, 120},
        {"G6", "kai", 160, 120},    {"G6", "mk2", 160, 120},       {"G6", "mk3", 160, 120},
        {"G6", "mk4", 160, 130},    {"G6", "battleship", 160, 110}};
    const int n = int(std::size(bosses));
    Scene all(sheets, 320 * 6, 480 * 2);
    for (int i = 0; i < n; ++i) {
        Scene sc(sheets, 320, 480);
        sc.Stars(100 + unsigned(i), 16);
        const BossShot& b = bosses[i];
        sc.Centred(b.Sheet, b.Cell, b.X, b.Y);
        if (b.Cell == "escort") { // the core with its four pods
            const int px[] = {100, 220, 40, 280};
            for (int p = 0; p < 4; ++p) sc.Centred("G2", "escort", px[p], 260 + (p % 2) * 40);
        }
        sc.Centred("G1", "ship1.level", 160, 420);
        BitBlt(all.Screen(), 320 * (i % 6), 480 * (i / 6), 320, 480, sc.Screen(), 0, 0, RasterOp::SrcCopy);
        if (error.empty()) error = Save(sc.Screen(), 2, outDir / ("boss-" + b.Cell + ".png"));
    }
    if (error.empty()) error = Save(all.Screen(), 1, outDir / "bosses.png");
}

} // namespace

static std::string WriteScenes(const LoadedSheets& sheets, const std::filesystem::path& outDir);

LoadedSheets LoadBuiltSheets(const std::filesystem::path& artDir, const std::filesystem::path& gameDir,
                             std::string& error) {
    LoadedSheets out;
    std::ifstream in(artDir / "layout.txt");
    std::stringstream text;
    text << in.rdbuf();
    Parsed<Layout> layout = ParseLayout(text.str());
    if (!layout.Ok()) {
        error = "layout.txt " + layout.Error;
        return out;
    }
    out.Map = layout.Value;
    for (const SheetLayout& s : out.Map.Sheets) {
        const std::vector<uint8_t> bytes = ReadBytes(gameDir / (s.Name + ".kvx"));
        const Parsed<std::vector<uint8_t>> bmp = SheetToBmp(bytes);
        if (!bmp.Ok()) {
            error = s.Name + ".kvx: " + bmp.Error;
            return out;
        }
        Parsed<Bitmap8> pic = ParseBmp(bmp.Value);
        if (!pic.Ok()) {
            error = s.Name + ".kvx: " + pic.Error;
            return out;
        }
        out.Pictures.emplace(s.Name, std::move(pic.Value));
    }
    return out;
}

std::string WriteMockScenes(const LoadedSheets& sheets, const std::filesystem::path& outDir) {
    try {
        return WriteScenes(sheets, outDir);
    } catch (const std::exception& e) {
        return std::string("mock scenes: ") + e.what();
    }
}

static std::string WriteScenes(const LoadedSheets& sheets, const std::filesystem::path& outDir) {
    std::string error;
    {
        Scene sc(sheets, 480, 480);
        PlayField(sc);
        error = Save(sc.Screen(), 1, outDir / "mock-play-1x.png");
        if (error.empty()) error = Save(sc.Screen(), 2, outDir / "mock-play-2x.png");
    }
    if (error.empty()) {
        Scene sc(sheets, 300, 168);
        Frames(sc);
        error = Save(sc.Screen(), 3, outDir / "mock-ships-3x.png");
    }
    if (error.empty()) Bosses(sheets, outDir, error);
    if (error.empty()) {
        Scene sc(sheets, 480, 480);
        sc.Copy("G7", "title", 0, 0);
        sc.Sprite("G1", "cursor", 60, 364);
        sc.Text(110, 380, "GAME START");
        sc.Text(110, 410, "OPTION");
        sc.Text(110, 440, "BOSS MODE");
        error = Save(sc.Screen(), 2, outDir / "mock-title.png");
    }
    if (error.empty()) {
        Scene sc(sheets, 480, 480);
        sc.Copy("G8", "option", 0, 0);
        const struct {
            const char* Label;
            int X, Y, CursorX;
        } entries[] = {{"WAVE", 372, 50, 324},          {"MIDI", 372, 100, 324},
                       {"DIFFICULTY", 228, 150, 180},   {"HI SCORE", 272, 200, 224},
                       {"WAIT CONTROL", 180, 250, 132}, {"OTANOSHIMI", 228, 300, 180},
                       {"BACK OFF", 272, 350, 224},     {"EXIT", 372, 400, 324}};
        for (const auto& e : entries) sc.Text(e.X, e.Y, e.Label);
        sc.Sprite("G1", "cursor", entries[2].CursorX, 34 + 50 * 2);
        sc.Text(192, 440, "NORMAL");
        error = Save(sc.Screen(), 2, outDir / "mock-option.png");
    }
    if (error.empty()) {
        Scene sc(sheets, 480, 480);
        const std::string caption = "SELECT CHARACTER";
        for (size_t i = 0; i < caption.size(); ++i)
            sc.Text(50 + 25 * int(i), int(std::lround(60 + 25 * std::sin((1 + 10 + int(i)) * 3.1415 / 36))),
                    std::string(1, caption[i]));
        sc.Screen().SetFillColour(0);
        sc.Screen().OutlineBoxSized(199, 149, 82, 82, RGB(255, 255, 255));
        sc.Copy("G4", "face1", 200, 150);
        sc.Copy("G4", "panel1", 88, 240);
        sc.Copy("G1", "arrow.left", 138, 174);
        sc.Copy("G1", "cursor", 310, 174);
        sc.Sprite("G1", "ship1.level", 240, 380);
        for (int k = 0; k < 15; ++k) {
            sc.Screen().SetFillColour(RGB(50, ((8 * k) % 200) + 50, 50));
            sc.Screen().OutlineBoxSized(0, 32 * k, 32, 32, 0);
            sc.Screen().OutlineBoxSized(448, 32 * k, 32, 32, 0);
        }
        error = Save(sc.Screen(), 2, outDir / "mock-select.png");
    }
    if (error.empty()) {
        // faces and panels side by side, as the selection screen shows them
        Scene sc(sheets, 4 * 320, 240);
        for (int n = 0; n < 4; ++n) {
            sc.Copy("G4", "face" + std::to_string(n), 320 * n + 120, 4);
            sc.Copy("G4", "panel" + std::to_string(n), 320 * n + 8, 100);
        }
        error = Save(sc.Screen(), 2, outDir / "mock-pilots.png");
    }
    if (error.empty()) {
        Scene sc(sheets, 320, 300);
        sc.Stars(3, 16);
        sc.Sprite("G3", "banner", 4, 100);
        sc.Text(20, 160, "THE SPIDER");
        sc.Text(60, 190, "IS");
        sc.Text(20, 220, "APPROACHING");
        sc.Text(80, 40, "STAGE 1");
        sc.Text(20, 270, "0123456789");
        error = Save(sc.Screen(), 2, outDir / "mock-warning.png");
    }
    return error;
}

} // namespace kvx::sheets
