#include "core/Game.h"
#include "screens/Screens.h"

namespace {
class Continuation final : public Screen {
public:
    explicit Continuation(std::function<void(Game&)> step) : step_(std::move(step)) {}
    const char* Name() const override { return "continuation"; }
    void Enter(Game& game) override {
        const uint64_t generation = game.Screens.Generation();
        step_(game);
        if (game.Screens.Generation() == generation) game.Screens.Return();
    }
    void Frame(Game&) override {}
    int PaceMs(const Game&) const override { return 0; }

private:
    std::function<void(Game&)> step_;
};
} // namespace

std::unique_ptr<Screen> MakeContinuation(std::function<void(Game&)> step) {
    return std::make_unique<Continuation>(std::move(step));
}
