#include "platform/text/TtfText.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include "platform/Surface.h"

TtfText::~TtfText() {
    for (auto& [size, font] : fonts_) TTF_CloseFont(font);
    if (initialised_) TTF_Quit();
}

bool TtfText::Open(const std::string& fontPath) {
    if (!initialised_) {
        if (TTF_Init() != 0) return false;
        initialised_ = true;
    }
    path_ = fontPath;
    return FontFor(20) != nullptr;
}

TTF_Font* TtfText::FontFor(int sizePoints) {
    if (!initialised_ || path_.empty() || sizePoints <= 0 || sizePoints > 400) return nullptr;
    auto it = fonts_.find(sizePoints);
    if (it != fonts_.end()) return it->second;
    TTF_Font* font = TTF_OpenFontDPI(path_.c_str(), sizePoints, 96, 96);
    if (font) TTF_SetFontHinting(font, TTF_HINTING_NORMAL);
    fonts_[sizePoints] = font;
    return font;
}

void TtfText::Draw(Surface& target, int x, int y, int sizePoints, uint32_t colour, std::string_view utf8) {
    if (utf8.empty()) return;
    TTF_Font* font = FontFor(sizePoints);
    if (!font) return;
    const std::string text(utf8);
    const SDL_Color c{uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour), 255};
    // Crisp, unblended glyphs: the game reprints numbers over themselves every frame, and blended
    // edges would thicken with each pass.
    SDL_Surface* rendered = TTF_RenderUTF8_Solid(font, text.c_str(), c);
    if (!rendered) return;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb) return;
    if (SDL_LockSurface(argb) == 0) {
        for (int j = 0; j < argb->h; ++j) {
            const int ty = y + j;
            if (ty < 0 || ty >= target.Height()) continue;
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                                static_cast<size_t>(j) * argb->pitch);
            uint32_t* dst = target.Row(ty);
            for (int i = 0; i < argb->w; ++i) {
                const int tx = x + i;
                if (tx < 0 || tx >= target.Width()) continue;
                const uint32_t p = row[i];
                if ((p >> 24) == 0) continue;
                dst[tx] = p & 0xFFFFFF;
            }
        }
        SDL_UnlockSurface(argb);
    }
    SDL_FreeSurface(argb);
}
