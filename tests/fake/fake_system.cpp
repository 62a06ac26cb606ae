#include "tests/fake/fake_platform.h"

namespace quelbrin::fake {

namespace {
class CountedHold : public Hold {
public:
    explicit CountedHold(int& count) : count_(count) { ++count_; }
    ~CountedHold() override { --count_; }

private:
    int& count_;
};
}  // namespace

std::unique_ptr<Hold> FakeSystem::KeepAwake() { return std::make_unique<CountedHold>(awakeHolds); }

std::unique_ptr<Hold> FakeSystem::TryLockInstalling() {
    return otherInstanceInstalling ? nullptr : std::make_unique<CountedHold>(installingHolds);
}

}  // namespace quelbrin::fake
