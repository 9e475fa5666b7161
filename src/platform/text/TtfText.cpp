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

const TtfText::Shape* TtfText::ShapeOf(int sizePoints, std::string_view utf8) {
    std::string key = std::to_string(sizePoints) + '\x1f' + std::string(utf8);
    auto found = shapes_.find(key);
    if (found != shapes_.end()) return &found->second;
    TTF_Font* font = FontFor(sizePoints);
    if (!font) return nullptr;
    // Crisp, unblended glyphs: the game reprints numbers over themselves every frame, and blended
    // edges would thicken with each pass.
    SDL_Surface* rendered = TTF_RenderUTF8_Solid(font, std::string(utf8).c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return nullptr;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!argb) return nullptr;
    Shape shape;
    if (SDL_LockSurface(argb) == 0) {
        shape.Width = argb->w;
        shape.Height = argb->h;
        shape.Ink.resize(static_cast<size_t>(argb->w) * argb->h);
        for (int j = 0; j < argb->h; ++j) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                                static_cast<size_t>(j) * argb->pitch);
            for (int i = 0; i < argb->w; ++i) shape.Ink[static_cast<size_t>(j) * argb->w + i] = (row[i] >> 24) != 0;
        }
        SDL_UnlockSurface(argb);
    }
    SDL_FreeSurface(argb);
    // The game prints a small, fixed set of texts (digits, labels, help lines): a bounded cache
    // keeps the panel from rasterising the same numbers every frame.
    if (shapes_.size() >= 1024) shapes_.clear();
    return &shapes_.emplace(std::move(key), std::move(shape)).first->second;
}

void TtfText::Draw(Surface& target, int x, int y, int sizePoints, uint32_t colour, std::string_view utf8) {
    if (utf8.empty()) return;
    const Shape* shape = ShapeOf(sizePoints, utf8);
    if (!shape) return;
    const uint32_t ink = colour & 0xFFFFFF;
    for (int j = 0; j < shape->Height; ++j) {
        const int ty = y + j;
        if (ty < 0 || ty >= target.Height()) continue;
        uint32_t* dst = target.Row(ty);
        const uint8_t* row = shape->Ink.data() + static_cast<size_t>(j) * shape->Width;
        for (int i = 0; i < shape->Width; ++i) {
            const int tx = x + i;
            if (row[i] && tx >= 0 && tx < target.Width()) dst[tx] = ink;
        }
    }
}
