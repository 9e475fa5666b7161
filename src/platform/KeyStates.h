#pragma once
// Keys by Windows virtual-key code with the asynchronous-query meaning: "down now, or pressed
// since the last query of this key". Both backends keep their keyboard in one of these.
#include <array>
#include <cstdint>

class KeyStates {
public:
    void Press(int vk) {
        if (!Valid(vk)) return;
        held_[vk] = true;
        pressedSinceQuery_[vk] = true;
    }
    void Release(int vk) {
        if (Valid(vk)) held_[vk] = false;
    }
    void ReleaseAll() { held_.fill(false); }
    bool Held(int vk) const { return Valid(vk) && held_[vk]; }

    // Bit 15: down now; bit 0: pressed since the previous query. The query clears bit 0.
    int16_t Query(int vk) {
        if (!Valid(vk)) return 0;
        int result = held_[vk] ? 0x8000 : 0;
        if (pressedSinceQuery_[vk]) result |= 1;
        pressedSinceQuery_[vk] = false;
        return static_cast<int16_t>(static_cast<uint16_t>(result));
    }

private:
    static bool Valid(int vk) { return vk >= 0 && vk < 256; }
    std::array<bool, 256> held_{};
    std::array<bool, 256> pressedSinceQuery_{};
};
