#pragma once
// System-font text for both backends, through SDL2_ttf. Sizes are in points at 96 dots per inch,
// as the game's layout assumes (a digit at size 20 is about 14 pixels wide).
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

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
    TTF_Font* FontFor(int sizePoints);
    std::string path_;
    std::map<int, TTF_Font*> fonts_;
    bool initialised_ = false;
};
