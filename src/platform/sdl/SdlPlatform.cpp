#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include <cstdio>

#include "platform/Surface.h"

namespace {

constexpr int kPictureSize = 480;

// SDL key -> Windows virtual-key code (0 when the game has no use for the key).
int VirtualKey(const SDL_Keysym& key) {
    switch (key.scancode) {
    case SDL_SCANCODE_KP_2: return 98;
    case SDL_SCANCODE_KP_4: return 100;
    case SDL_SCANCODE_KP_6: return 102;
    case SDL_SCANCODE_KP_8: return 104;
    case SDL_SCANCODE_KP_ENTER: return 13;
    default: break;
    }
    const SDL_Keycode k = key.sym;
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return 112 + (k - SDLK_F1);
    switch (k) {
    case SDLK_BACKSPACE: return 8;
    case SDLK_TAB: return 9;
    case SDLK_RETURN: return 13;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 16;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 17;
    case SDLK_LALT:
    case SDLK_RALT: return 18;
    case SDLK_ESCAPE: return 27;
    case SDLK_SPACE: return 32;
    case SDLK_LEFT: return 37;
    case SDLK_UP: return 38;
    case SDLK_RIGHT: return 39;
    case SDLK_DOWN: return 40;
    default: return 0;
    }
}

uint32_t ToAxis(int16_t v) { return static_cast<uint32_t>(static_cast<int32_t>(v) + 32768); }

} // namespace

SdlPlatform::~SdlPlatform() {
    audio_.Close();
    CloseControllers();
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

bool SdlPlatform::Open(const std::string& programDirectory) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "KORVAXION: cannot open a window: %s\n", SDL_GetError());
        return false;
    }
    // No pad is fine: check the result, not the error string (udev leaves a message there).
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) == 0) OpenControllers();

    // The largest whole-number scale that fits the screen, leaving room for the desktop.
    int scale = 1;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
        while (kPictureSize * (scale + 1) <= usable.w - 40 && kPictureSize * (scale + 1) <= usable.h - 80) ++scale;
    window_ = SDL_CreateWindow("KORVAXION", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kPictureSize * scale,
                               kPictureSize * scale, SDL_WINDOW_RESIZABLE);
    if (!window_) {
        std::fprintf(stderr, "KORVAXION: cannot open a window: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetWindowMinimumSize(window_, kPictureSize, kPictureSize);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        std::fprintf(stderr, "KORVAXION: cannot draw in the window: %s\n", SDL_GetError());
        return false;
    }
    SDL_RenderSetLogicalSize(renderer_, kPictureSize, kPictureSize);
    SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kPictureSize,
                                 kPictureSize);
    if (!texture_) return false;
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);

    std::string dir = programDirectory;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    if (!text_.Open(dir + "font.ttf")) std::fprintf(stderr, "KORVAXION: the font cannot be opened\n");
    audio_.Open(programDirectory);
    return true;
}

uint32_t SdlPlatform::GetTickCount() { return SDL_GetTicks(); }

void SdlPlatform::Delay(uint32_t ms) { SDL_Delay(ms); }

void SdlPlatform::ToggleFullScreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void SdlPlatform::OpenControllers() {
    CloseControllers();
    const int n = SDL_NumJoysticks();
    int next = 0;
    for (int i = 0; i < n && next < 2; ++i) {
        Pad pad;
        if (SDL_IsGameController(i)) {
            pad.controller = SDL_GameControllerOpen(i);
        } else {
            pad.joystick = SDL_JoystickOpen(i);
        }
        if (pad.controller || pad.joystick) pads_[next++] = pad;
    }
}

void SdlPlatform::CloseControllers() {
    for (Pad& pad : pads_) {
        if (pad.controller) SDL_GameControllerClose(pad.controller);
        if (pad.joystick) SDL_JoystickClose(pad.joystick);
        pad = Pad{};
    }
}

bool SdlPlatform::PumpEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT: closed_ = true; break;
        case SDL_KEYDOWN: {
            const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
            if (e.key.keysym.sym == SDLK_F11 || (alt && e.key.keysym.sym == SDLK_RETURN)) {
                if (!e.key.repeat) ToggleFullScreen();
                break;
            }
            const int vk = VirtualKey(e.key.keysym);
            if (vk == 0) break;
            if (!e.key.repeat) keys_.Press(vk);
            // Typed keys repeat while held, as the window system's key-down events do.
            if (listener_) listener_->OnKeyDown(vk);
            break;
        }
        case SDL_KEYUP: {
            const int vk = VirtualKey(e.key.keysym);
            if (vk != 0) keys_.Release(vk);
            break;
        }
        case SDL_WINDOWEVENT:
            // Keys released while the window was not looking must not stay down.
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) keys_.ReleaseAll();
            break;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_JOYDEVICEADDED:
        case SDL_JOYDEVICEREMOVED: OpenControllers(); break;
        default: break;
        }
    }
    return !closed_;
}

int SdlPlatform::JoystickCount() {
    int n = 0;
    for (const Pad& pad : pads_) n += (pad.controller || pad.joystick) ? 1 : 0;
    return n;
}

bool SdlPlatform::ReadJoystick(int id, JoystickReading& reading) {
    if (id < 0 || id > 1) return false;
    const Pad& pad = pads_[id];
    reading = JoystickReading{};
    if (pad.controller) {
        if (!SDL_GameControllerGetAttached(pad.controller)) return false;
        reading.X = ToAxis(SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX));
        reading.Y = ToAxis(SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY));
        // The d-pad pushes the stick to its ends.
        if (SDL_GameControllerGetButton(pad.controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) reading.X = 0;
        if (SDL_GameControllerGetButton(pad.controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) reading.X = 65535;
        if (SDL_GameControllerGetButton(pad.controller, SDL_CONTROLLER_BUTTON_DPAD_UP)) reading.Y = 0;
        if (SDL_GameControllerGetButton(pad.controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) reading.Y = 65535;
        reading.Button1 = SDL_GameControllerGetButton(pad.controller, SDL_CONTROLLER_BUTTON_A) != 0;
        reading.Button2 = SDL_GameControllerGetButton(pad.controller, SDL_CONTROLLER_BUTTON_B) != 0;
        return true;
    }
    if (pad.joystick) {
        if (!SDL_JoystickGetAttached(pad.joystick)) return false;
        if (SDL_JoystickNumAxes(pad.joystick) >= 2) {
            reading.X = ToAxis(SDL_JoystickGetAxis(pad.joystick, 0));
            reading.Y = ToAxis(SDL_JoystickGetAxis(pad.joystick, 1));
        }
        reading.Button1 = SDL_JoystickGetButton(pad.joystick, 0) != 0;
        reading.Button2 = SDL_JoystickGetButton(pad.joystick, 1) != 0;
        return true;
    }
    return false;
}

void SdlPlatform::SetCaption(std::string_view caption) {
    if (window_) SDL_SetWindowTitle(window_, std::string(caption).c_str());
}

void SdlPlatform::ShowError(std::string_view message) {
    const std::string text(message);
    std::fprintf(stderr, "KORVAXION: %s\n", text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "KORVAXION", text.c_str(), window_);
}

void SdlPlatform::Present(const Surface& picture) {
    if (!renderer_ || picture.Width() != kPictureSize || picture.Height() != kPictureSize) return;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) == 0) {
        for (int y = 0; y < kPictureSize; ++y) {
            auto* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch);
            const uint32_t* src = picture.Row(y);
            for (int x = 0; x < kPictureSize; ++x) dst[x] = 0xFF000000u | src[x];
        }
        SDL_UnlockTexture(texture_);
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

void SdlPlatform::DrawText(Surface& target, int x, int y, int sizePoints, uint32_t colour, std::string_view utf8) {
    text_.Draw(target, x, y, sizePoints, colour, utf8);
}
