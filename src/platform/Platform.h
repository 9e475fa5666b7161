#pragma once
// Everything the game needs from the machine. Game code talks only to this interface; the SDL
// backend (sdl/) drives a real window, the headless backend (headless/) drives tests and the
// simulator with a virtual clock.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class Surface;

// Receives the window's key-down events (Windows virtual-key codes) while events are pumped.
class KeyDownListener {
public:
    virtual ~KeyDownListener() = default;
    virtual void OnKeyDown(int virtualKey) = 0;
};

struct JoystickReading {
    uint32_t X = 32767; // 0..65535, centre 32767
    uint32_t Y = 32767;
    bool Button1 = false;
    bool Button2 = false;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Milliseconds, 32-bit, wraps: compare with unsigned subtraction.
    virtual uint32_t GetTickCount() = 0;
    // Sleeps about ms milliseconds (0 yields). The headless clock jumps forward instead.
    virtual void Delay(uint32_t ms) = 0;

    // Lets the window system work; key-down events go to the listener. Returns false once the
    // window has been closed.
    virtual bool PumpEvents() = 0;
    virtual void SetKeyDownListener(KeyDownListener* listener) = 0;

    // Bit 15: down now; bit 0: pressed since the previous query of this key. Clears bit 0's latch.
    virtual int16_t GetAsyncKeyState(int virtualKey) = 0;

    virtual int JoystickCount() = 0;
    // Reads device id; false when the device cannot be read.
    virtual bool ReadJoystick(int id, JoystickReading& reading) = 0;

    virtual void SetCaption(std::string_view caption) = 0;
    // Modal error message box with one OK button.
    virtual void ShowError(std::string_view message) = 0;
    // Shows the play surface. background, when given, is the window's own picture drawn under it
    // (the title screen's); the play surface covers it unless hidden.
    virtual void Present(const Surface& picture) = 0;

    // Text in the system font at (x, y) (top-left of the text box), size in points, no background.
    virtual void DrawText(Surface& target, int x, int y, int sizePoints, uint32_t colour, std::string_view utf8) = 0;

    // Music: a command-string interpreter ("open \"file\" alias Midi", "play Midi", "pause Midi",
    // "stop Midi", "seek Midi to Start", "close Midi", "status Midi mode"). Returns the reply
    // text ("playing", "paused", "stopped"; empty when there is nothing to say or on error).
    virtual std::string MusicCommand(std::string_view command) = 0;
    // Plays a complete WAV image held in memory; a new sound stops the one playing. The bytes
    // stay alive until the program ends. An empty or broken image plays nothing.
    virtual void PlaySound(std::span<const uint8_t> wav) = 0;
};
