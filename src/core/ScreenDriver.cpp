#include "core/ScreenDriver.h"

void ScreenDriver::HandOver(std::unique_ptr<Screen> screen) {
    std::vector<std::unique_ptr<Screen>> one;
    one.push_back(std::move(screen));
    HandOverSequence(std::move(one));
}

void ScreenDriver::HandOverSequence(std::vector<std::unique_ptr<Screen>> screens) {
    Clear();
    // Stored in reverse, so the first of the sequence is on top.
    for (auto it = screens.rbegin(); it != screens.rend(); ++it) stack_.push_back(Entry{std::move(*it), false, false});
}

void ScreenDriver::Call(std::unique_ptr<Screen> screen) {
    ++generation_;
    stack_.push_back(Entry{std::move(screen), false, false});
}

void ScreenDriver::Return() {
    ++generation_;
    if (stack_.empty()) return;
    retired_.push_back(std::move(stack_.back().screen));
    stack_.pop_back();
    if (!stack_.empty() && stack_.back().entered) stack_.back().resume = true;
}

void ScreenDriver::Clear() {
    ++generation_;
    for (auto& e : stack_) retired_.push_back(std::move(e.screen));
    stack_.clear();
}

void ScreenDriver::RunFrame(Game& game) {
    retired_.clear();
    if (stack_.empty()) return;
    const uint64_t before = generation_;
    Entry& top = stack_.back();
    Screen* screen = top.screen.get();
    if (!top.entered) {
        top.entered = true;
        screen->Enter(game);
    } else if (top.resume) {
        top.resume = false;
        screen->Resume(game);
    }
    if (generation_ != before) return; // entering already moved on
    screen->Frame(game);
}
