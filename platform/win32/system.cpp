#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

namespace {

// Per desktop session: keystrokes from two Quelbrins would only meet there.
constexpr wchar_t kInstallingMutex[] = L"Local\\Quelbrin.Installing";

class AwakeHold : public Hold {
public:
    // The display too: one that goes off can put a modern machine into standby.
    AwakeHold() : previous_(SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED)) {}
    // Gives back a lasting request it found (held holds nest); else clears it.
    ~AwakeHold() override { SetThreadExecutionState((previous_ & ES_CONTINUOUS) ? previous_ : ES_CONTINUOUS); }

private:
    EXECUTION_STATE previous_;
};

class MutexHold : public Hold {
public:
    explicit MutexHold(UniqueKernelHandle mutex) : mutex_(std::move(mutex)) {}
    ~MutexHold() override { ReleaseMutex(mutex_.get()); }

private:
    UniqueKernelHandle mutex_;
};

class Win32System : public System {
public:
    std::unique_ptr<Hold> KeepAwake() override { return std::make_unique<AwakeHold>(); }

    std::unique_ptr<Hold> TryLockInstalling() override {
        UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, kInstallingMutex));
        if (!mutex) ThrowLastError("CreateMutexW");
        switch (WaitForSingleObject(mutex.get(), 0)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // its last owner ended without letting go
            return std::make_unique<MutexHold>(std::move(mutex));
        case WAIT_TIMEOUT:
            return nullptr;
        default:
            ThrowLastError("WaitForSingleObject");
        }
    }
};

}  // namespace

std::unique_ptr<System> MakeSystem() { return std::make_unique<Win32System>(); }

}  // namespace quelbrin::win32
