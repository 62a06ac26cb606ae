#include "tests/support/top_level_window.h"

#include <memory>

namespace quelbrin::test {

namespace {

// The window's hold on its handler. A call in progress keeps its own, so a
// handler that destroys its window (WM_NCDESTROY frees the binding) is not
// freed while it runs.
struct Binding {
    std::shared_ptr<MessageHandler> handler;
};

// Handed through CreateWindowExW: the window takes the binding on WM_NCCREATE.
struct Creation {
    Binding* binding;
    bool taken = false;
};

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creation = static_cast<Creation*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->binding));
        creation->taken = true;
    }
    auto* binding = reinterpret_cast<Binding*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete binding;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        const std::shared_ptr<MessageHandler> handler = binding ? binding->handler : nullptr;
        if (handler && *handler)
            if (const std::optional<LRESULT> result = (*handler)(window, message, wParam, lParam)) return *result;
    } catch (...) {
        // nothing may leave a window procedure
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Registered(const TopLevelWindowDesign& design, HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(design.background + 1));
    wc.lpszClassName = design.className;
    // Registered by an earlier window of the process is as good.
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND CreateTopLevelWindow(const TopLevelWindowDesign& design, MessageHandler handler) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!Registered(design, instance)) return nullptr;
    auto owned = std::make_unique<Binding>(Binding{std::make_shared<MessageHandler>(std::move(handler))});
    Creation creation{owned.get()};
    HWND window = CreateWindowExW(0, design.className, design.title.c_str(), design.style, design.left, design.top,
                                  design.width, design.height, nullptr, nullptr, instance, &creation);
    // Once taken, the window frees the binding on WM_NCDESTROY, even when
    // the creation failed after that.
    if (creation.taken) owned.release();
    return window;
}

void RunMessageLoop(const std::function<void()>& afterEach) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (afterEach) afterEach();
    }
}

}  // namespace quelbrin::test
