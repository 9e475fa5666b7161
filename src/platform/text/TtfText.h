#pragma once
// System-font text for both backends, through SDL2_ttf. Sizes are in points at 96 dots per inch,
// as the game's layout assumes (a digit at size 20 is about 14 pixels wide).
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class Surface;
typedef struct _TTF_Font TTF_Font;

class TtfText {
public:
    TtfText() = default;
    ~TtfText();
    TtfText(const TtfText&) = delete;
    TtfText& operator=(const TtfText&) = delete;

    // False when the font cannot be opened; text then draws nothing.
    bool Open(const std::string& fontPath);
    // Draws text with its top-left at (x, y), no background.
    void Draw(Surface& target, int x, int y, int sizePoints, uint32_t colour, std::string_view utf8);

private:
    struct Shape {
        int Width = 0, Height = 0;
        std::vector<uint8_t> Ink; // 1 where the text has ink
    };
    TTF_Font* FontFor(int sizePoints);
    const Shape* ShapeOf(int sizePoints, std::string_view utf8);
    std::string path_;
    std::map<int, TTF_Font*> fonts_;
    std::unordered_map<std::string, Shape> shapes_;
    bool initialised_ = false;
};
