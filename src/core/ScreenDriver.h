#pragma once
// Screens as states of the one loop. A screen either hands over (the stack is replaced) or calls
// another screen that returns to it later (push and pop). Every change of screen bumps the
// generation, which is how the play frame notices that it has been abandoned: once a routine
// hands over, no later routine of that frame runs.
#include <cstdint>
#include <memory>
#include <vector>

class Game;

class Screen {
public:
    virtual ~Screen() = default;
    virtual const char* Name() const = 0;
    // First frame of the screen, before its first Frame().
    virtual void Enter(Game&) {}
    // One frame, after the window system has processed its events.
    virtual void Frame(Game&) = 0;
    // After the frame wait (the music keep-alive of play).
    virtual void AfterWait(Game&) {}
    // A screen this one called has returned.
    virtual void Resume(Game&) {}
    // Frame time in ms: the next frame starts when strictly more than this has passed since the
    // top of the frame. Negative: no wait at all (a paused game polls its keys).
    virtual int PaceMs(const Game&) const = 0;
};

class ScreenDriver {
public:
    // Replaces every screen with these, run in order: each hands over to the next when it returns.
    void HandOver(std::unique_ptr<Screen> screen);
    void HandOverSequence(std::vector<std::unique_ptr<Screen>> screens);
    // Runs screen on top of the current one, which resumes when it returns.
    void Call(std::unique_ptr<Screen> screen);
    // Ends the current screen: its caller resumes, or the next of its sequence starts.
    void Return();
    // Ends everything (the program quits).
    void Clear();

    Screen* Current() const { return stack_.empty() ? nullptr : stack_.back().screen.get(); }
    bool Empty() const { return stack_.empty(); }
    uint64_t Generation() const { return generation_; }

    // Runs one frame of the current screen (entering or resuming it first as needed).
    void RunFrame(Game& game);

private:
    struct Entry {
        std::unique_ptr<Screen> screen;
        bool entered = false;
        bool resume = false;
    };
    std::vector<Entry> stack_; // back is current
    // Screens finished this frame stay alive until the frame has unwound.
    std::vector<std::unique_ptr<Screen>> retired_;
    uint64_t generation_ = 0;
};
