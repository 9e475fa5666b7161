#pragma once
// The machine for tests and the simulator: a virtual clock that jumps forward whenever the game
// waits, keys and a stick that a script holds, and a record of captions, errors, music commands
// and sounds. Text is rendered for real, so pictures match the game's.
#include <array>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/KeyStates.h"
#include "platform/Platform.h"
#include "platform/Surface.h"
#include "platform/headless/HeadlessAudio.h"
#include "platform/text/TtfText.h"

class HeadlessPlatform final : public Platform {
public:
    // fontPath may be empty: text then draws nothing.
    explicit HeadlessPlatform(const std::string& fontPath = {});

    // ---- script
    // From now on exactly these keys are held. A key that becomes held counts as pressed since
    // the last query and produces a key-down event at the next PumpEvents.
    void HoldKeys(const std::set<int>& keys);
    // Pressed and released before the next poll: seen once, with a key-down event.
    void TapKey(int virtualKey);
    void CloseWindow() { closed_ = true; }

    // ---- Platform
    uint32_t GetTickCount() override { return now_; }
    void Delay(uint32_t ms) override;
    bool PumpEvents() override;
    void SetKeyDownListener(KeyDownListener* listener) override { listener_ = listener; }
    int16_t GetAsyncKeyState(int virtualKey) override { return keys_.Query(virtualKey); }
    int JoystickCount() override { return JoyDevices; }
    bool ReadJoystick(int id, JoystickReading& reading) override;
    void SetCaption(std::string_view caption) override { Captions.emplace_back(caption); }
    void ShowError(std::string_view message) override { Errors.emplace_back(message); }
    void Present(const Surface& picture) override;
    void DrawText(Surface& target, int x, int y, int sizePoints, uint32_t colour, std::string_view utf8) override;
    std::string MusicCommand(std::string_view command) override { return Audio.Command(command); }
    void PlaySound(std::span<const uint8_t> wav) override { Audio.PlaySound(wav); }

    // ---- what happened
    std::vector<std::string> Captions;
    std::vector<std::string> Errors;
    HeadlessAudio Audio;
    long long Presents = 0;
    uint64_t SleptMs = 0;

    // ---- the stick: devices present, which ids read, and the reading
    int JoyDevices = 0;
    std::array<bool, 2> JoyReadable{true, true};
    JoystickReading Joy;

private:
    uint32_t now_ = 1000;
    KeyStates keys_;
    std::deque<int> keyDowns_;
    KeyDownListener* listener_ = nullptr;
    bool closed_ = false;
    TtfText text_;
};
