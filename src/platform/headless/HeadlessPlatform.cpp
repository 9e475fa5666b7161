#include "platform/headless/HeadlessPlatform.h"

HeadlessPlatform::HeadlessPlatform(const std::string& fontPath) {
    if (!fontPath.empty()) text_.Open(fontPath);
}

void HeadlessPlatform::HoldKeys(const std::set<int>& keys) {
    for (int vk = 0; vk < 256; ++vk) {
        const bool hold = keys.count(vk) != 0;
        if (hold && !keys_.Held(vk)) {
            keys_.Press(vk);
            keyDowns_.push_back(vk);
        } else if (!hold) {
            keys_.Release(vk);
        }
    }
}

void HeadlessPlatform::TapKey(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return;
    keys_.Press(virtualKey);
    keys_.Release(virtualKey);
    keyDowns_.push_back(virtualKey);
}

void HeadlessPlatform::Delay(uint32_t ms) {
    const uint32_t step = ms == 0 ? 1 : ms; // time always moves, so every wait ends
    now_ += step;
    SleptMs += step;
    Audio.Advance(step);
}

bool HeadlessPlatform::PumpEvents() {
    while (!keyDowns_.empty()) {
        const int vk = keyDowns_.front();
        keyDowns_.pop_front();
        if (listener_) listener_->OnKeyDown(vk);
    }
    return !closed_;
}

bool HeadlessPlatform::ReadJoystick(int id, JoystickReading& reading) {
    if (id < 0 || id >= JoyDevices || id > 1 || !JoyReadable[id]) return false;
    reading = Joy;
    return true;
}

void HeadlessPlatform::Present(const Surface&) { ++Presents; }

void HeadlessPlatform::DrawText(Surface& target, int x, int y, int sizePoints, uint32_t colour,
                                std::string_view utf8) {
    text_.Draw(target, x, y, sizePoints, colour, utf8);
}
