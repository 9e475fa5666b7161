// Bitmap text from the font sheet, and system-font text.
#include "core/Game.h"
#include "score/NumberText.h"

namespace {

// Glyph of a character on the font sheet, or -1 for a character the font does not have.
int GlyphOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c == ' ') return 29;
    if (c >= '0' && c <= '9') return 30 + (c - '0');
    return -1;
}

constexpr int kCell = 24;
constexpr int kMaskOffset = 96; // the masks sit under the four glyph rows

} // namespace

void Game::DrawText(int X, int Y, bool Visible, std::string_view Text) {
    for (size_t k = 0; k < Text.size(); ++k) {
        const int g = GlyphOf(Text[k]);
        if (g < 0) return; // the first character without a glyph ends the text
        const int sx = kCell * (g % 10);
        const int sy = kCell * (g / 10);
        const int dx = X - kCell / 2 + kCell * static_cast<int>(k);
        const int dy = Y - kCell / 2;
        BitBlt(Picture1, dx, dy, kCell, kCell, PicStr, sx, sy + kMaskOffset, RasterOp::SrcAnd);
        if (Visible) BitBlt(Picture1, dx, dy, kCell, kCell, PicStr, sx, sy, RasterOp::SrcPaint);
    }
}

void Game::DrawText(int X, int Y, bool Visible, long long Number) {
    DrawText(X, Y, Visible, NumberText(Number));
}

void Game::PrintText(int X, int Y, int Size, uint32_t Colour, std::string_view Text) {
    Picture1.SetPenMode(PenMode::CopyPen);
    Host.DrawText(Picture1, X, Y, Size, Colour, Text);
}

// Numbers are laid out on a fixed pitch of 14 pixels per character at size 20 (scaled for other
// sizes), one character at a time, so a right-aligned number ends on the same edge whatever its
// length and whatever the face's own digit advance is.
void Game::PrintText(int X, int Y, int Size, uint32_t Colour, long long Number) {
    Picture1.SetPenMode(PenMode::CopyPen);
    const std::string text = NumberText(Number);
    const int pitch = (Size * 14 + 10) / 20;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == ' ') continue;
        Host.DrawText(Picture1, X + pitch * static_cast<int>(k), Y, Size, Colour,
                      std::string_view(&text[k], 1));
    }
}
