#pragma once
#include "platform/platform.h"
#include "tests/fake/fake_desktop.h"
#include "tests/fake/fake_file_system.h"
#include "tests/fake/fake_registry.h"
#include "tests/fake/fake_ui.h"

namespace quelbrin::fake {

class FakeSystem : public System {
public:
    std::unique_ptr<Hold> KeepAwake() override;
    std::unique_ptr<Hold> TryLockInstalling() override;

    bool otherInstanceInstalling = false;
    int awakeHolds = 0;       // held now
    int installingHolds = 0;  // held now
};

// The whole fake platform, wired together.
struct FakePlatform {
    FakeFileSystem files;
    FakeDesktop desktop;
    FakeRegistry registry;
    FakeSystem system;
    FakeClock clock;
    FakeUi ui{files, desktop, clock};
    Platform platform{ui, files, desktop, desktop, system, registry, clock};

    // Shell starts only the files that exist here.
    FakePlatform() { desktop.files = &files; }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;
};

}  // namespace quelbrin::fake
