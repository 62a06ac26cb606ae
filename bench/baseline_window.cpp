// The smallest program that does what Quelbrin's start-up does: list the
// folder it was started from, then show one window with the count in a label
// that has Quelbrin's status line id.
#include <string>

#include "bench/baseline_listing.h"
#include "bench/baseline_shell.h"

namespace {

constexpr int kStatusId = 107;
constexpr wchar_t kClassName[] = L"QuelbrinBenchBaseline";
constexpr wchar_t kTitle[] = L"Quelbrin baseline";

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const quelbrin::bench::BareListing listing = quelbrin::bench::ListHfzBare(quelbrin::bench::OwnFolder());
    const std::wstring status =
        listing.error == ERROR_SUCCESS ? std::to_wstring(listing.names.size()) + L" .hfz files"
                                       : L"Invalid path";

    HWND window = quelbrin::bench::CreateBaselineWindow(instance, kClassName, kTitle,
                                                        quelbrin::bench::DefaultBaselineProc);
    if (window == nullptr) return 1;
    CreateWindowExW(0, L"STATIC", status.c_str(), WS_CHILD | WS_VISIBLE, 0, 112, 209, 17, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)), instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);

    return quelbrin::bench::RunMessageLoop();
}
