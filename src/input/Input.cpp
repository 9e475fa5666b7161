#include "core/Game.h"

bool Game::Kof(int KeyCode) { return Host.GetAsyncKeyState(KeyCode) != 0; }

void Game::ReadJoystick(int32_t& X, int32_t& Y, bool& Button1, bool& Button2) {
    JoystickReading reading;
    // A failed read is a centred stick with no buttons (a zeroed record would read as up-left).
    if (!Host.ReadJoystick(JoystickId, reading)) reading = JoystickReading{};
    X = static_cast<int32_t>(reading.X);
    Y = static_cast<int32_t>(reading.Y);
    Button1 = reading.Button1;
    Button2 = reading.Button2;
}

bool Game::JoyState(int Code) {
    if (!JoystickEnabled) return false;
    int32_t x = 0, y = 0;
    bool b1 = false, b2 = false;
    ReadJoystick(x, y, b1, b2);
    switch (Code) {
    case 1: return b1;
    case 2: return b2;
    case 8: return y / 1000 < 10;
    case 22: return y / 1000 > 50;
    case 50: return x / 1000 < 10;
    case 100: return x / 1000 > 50;
    default: return false;
    }
}

bool Game::JoyPressed(int Code) {
    if (!JoystickEnabled) return false;
    const bool result = StagePhase == 0 && !JoyLatch && JoyState(Code);
    JoyLatch = JoyState(Code);
    return result;
}

bool Game::DetectJoystick() {
    if (Host.JoystickCount() == 0) return false;
    JoystickReading reading;
    if (Host.ReadJoystick(0, reading)) {
        JoystickId = 0;
        return true;
    }
    if (Host.ReadJoystick(1, reading)) {
        JoystickId = 1;
        return true;
    }
    return false;
}

void Game::RecordKey(int32_t KeyCode) {
    if (KeyCode < 13 || KeyCode > 121) return;
    for (int i = 0; i < 9; ++i) KeyHistory[i] = KeyHistory[i + 1];
    KeyHistory[9] = KeyCode;
}

int32_t Game::TakeKey() {
    const int32_t key = KeyHistory[9];
    KeyHistory[9] = 0;
    return key;
}

bool Game::InputLeft() { return Kof(37) || Kof(100) || JoyState(50); }
bool Game::InputRight() { return Kof(39) || Kof(102) || JoyState(100); }
bool Game::InputUp() { return Kof(38) || Kof(104) || JoyState(8); }
bool Game::InputDown() { return Kof(40) || Kof(98) || JoyState(22); }
bool Game::InputFire() { return Kof(90) || JoyState(1); }
bool Game::InputSpecial() { return Kof(88) || JoyState(2); }
