#pragma once
// The real machine: an SDL2 window showing the play surface scaled by whole numbers, the
// keyboard by Windows virtual-key code, game controllers as the joystick, audio and text.
#include <array>
#include <string>

#include "platform/KeyStates.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/text/TtfText.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
typedef struct _SDL_GameController SDL_GameController;
typedef struct _SDL_Joystick SDL_Joystick;

class SdlPlatform final : public Platform {
public:
    SdlPlatform() = default;
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // Opens the window; false (with a message on stderr) when there is no display.
    bool Open(const std::string& programDirectory);

    uint32_t GetTickCount() override;
    void Delay(uint32_t ms) override;
    bool PumpEvents() override;
    void SetKeyDownListener(KeyDownListener* listener) override { listener_ = listener; }
    int16_t GetAsyncKeyState(int virtualKey) override { return keys_.Query(virtualKey); }
    int JoystickCount() override;
    bool ReadJoystick(int id, JoystickReading& reading) override;
    void SetCaption(std::string_view caption) override;
    void ShowError(std::string_view message) override;
    void Present(const Surface& picture) override;
    void DrawText(Surface& target, int x, int y, int sizePoints, uint32_t colour, std::string_view utf8) override;
    std::string MusicCommand(std::string_view command) override { return audio_.Command(command); }
    void PlaySound(std::span<const uint8_t> wav) override { audio_.PlaySound(wav); }

private:
    void ToggleFullScreen();
    void OpenControllers();
    void CloseControllers();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    KeyStates keys_;
    KeyDownListener* listener_ = nullptr;
    struct Pad {
        SDL_GameController* controller = nullptr;
        SDL_Joystick* joystick = nullptr;
    };
    std::array<Pad, 2> pads_{};
    bool closed_ = false;
    SdlAudio audio_;
    TtfText text_;
};
