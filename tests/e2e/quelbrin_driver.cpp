// A small command-line tool that looks at and drives a running Quelbrin from
// outside, for scripts (the demo run, the screenshot test):
//   quelbrin_driver wait-main MS          until the main window is visible
//   quelbrin_driver status                prints the folder and the two status lines
//   quelbrin_driver click ID              presses a button of the main window
//   quelbrin_driver wait-window TITLE MS  until a visible window with that title exists
//   quelbrin_driver wait-text ID TEXT MS  until a control of the main window reads TEXT
//   quelbrin_driver answer-box TITLE MS   presses OK on a message box, prints its text
//   quelbrin_driver close TITLE           posts WM_CLOSE to the window with that title
//   quelbrin_driver wait-gone TITLE MS    until no window with that title exists
//   quelbrin_driver pointer X Y           moves the mouse pointer (out of the way of a picture)
//   quelbrin_driver rect TITLE            prints "X Y WIDTH HEIGHT" of that visible window
//                                         ("#32768": the shortcut menu that is open)
//   quelbrin_driver right-click-entry N   right-clicks entry N of the file list, as the user would
//   quelbrin_driver wait-menu MS          until a shortcut menu is open
//   quelbrin_driver key VK                presses and releases a key, as the user would
//   quelbrin_driver set-text ID TEXT      sets a control's text (the folder box re-lists)
// It finds Quelbrin by its title, so it expects one Quelbrin on the desktop.
// Exit code 0 on success, 1 when the wait ran out, 2 on wrong usage.
#include <cstdio>
#include <string>

#include "main_window/main_form_layout.h"
#include "platform/win32/utf.h"
#include "tests/e2e/real_input.h"
#include "tests/support/wait_until.h"
#include "tests/e2e/window_query.h"

namespace {

using namespace quelbrin;
using namespace quelbrin::e2e;
using quelbrin::test::WaitUntil;

void Print(const std::wstring& line) { std::printf("%s\n", win32::Narrow(line).c_str()); }

std::chrono::milliseconds Millis(const wchar_t* text) {
    return std::chrono::milliseconds(std::wcstol(text, nullptr, 10));
}

HWND MainWindow() {
    const auto w = FindQuelbrinWindow(0);
    return (w && w->visible) ? w->hwnd : nullptr;
}

// The shortcut menu that is open, if any.
HWND OpenMenu() {
    for (const TopWindow& w : TopLevelWindows())
        if (w.className == L"#32768" && w.visible) return w.hwnd;
    return nullptr;
}

std::wstring Text(HWND main, int id) { return ControlText(main, id).value_or(L"<unreadable>"); }

int Status() {
    HWND main = MainWindow();
    if (main == nullptr) {
        Print(L"no Quelbrin window");
        return 1;
    }
    Print(L"Folder:  " + Text(main, layout::IdTxPath));
    Print(L"Status2: " + Text(main, layout::IdStatus2));
    Print(L"Status1: " + Text(main, layout::IdStatus1));
    return 0;
}

int Run(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"wait-main" && argc == 3) {
        if (WaitUntil([] { return MainWindow() != nullptr; }, Millis(argv[2]))) return 0;
        Print(L"the Quelbrin window did not show");
        return 1;
    }
    if (command == L"status" && argc == 2) return Status();
    if (command == L"click" && argc == 3) {
        HWND main = MainWindow();
        return main != nullptr && PostClick(main, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) ? 0 : 1;
    }
    if (command == L"wait-window" && argc == 4) {
        const std::wstring title = argv[2];
        if (WaitUntil([&] { const auto w = FindTopLevel(title); return w && w->visible; },
                      Millis(argv[3])))
            return 0;
        Print(L"no window \"" + title + L"\" showed");
        return 1;
    }
    if (command == L"wait-text" && argc == 5) {
        const int id = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
        const std::wstring expected = argv[3];
        std::wstring last;
        if (WaitUntil(
                [&] {
                    HWND main = MainWindow();
                    last = main ? Text(main, id) : L"<no window>";
                    return last == expected;
                },
                Millis(argv[4])))
            return 0;
        Print(L"control " + std::wstring(argv[2]) + L" reads \"" + last + L"\"");
        return 1;
    }
    if (command == L"answer-box" && argc == 4) {
        const std::wstring title = argv[2];
        std::optional<MessageBoxInfo> box;
        WaitUntil(
            [&] {
                for (MessageBoxInfo& b : MessageBoxesOf(0))
                    if (b.title == title) box = std::move(b);
                return box.has_value();
            },
            Millis(argv[3]));
        if (!box) {
            Print(L"no message box \"" + title + L"\"");
            return 1;
        }
        Print(box->text);
        return AnswerOk(box->hwnd) ? 0 : 1;
    }
    if (command == L"close" && argc == 3) {
        const std::wstring title = argv[2];
        const auto w = title == L"Quelbrin" ? FindQuelbrinWindow(0) : FindTopLevel(title);
        return w && PostMessageW(w->hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (command == L"wait-gone" && argc == 4) {
        const std::wstring title = argv[2];
        return WaitUntil([&] { return !FindTopLevel(title).has_value(); }, Millis(argv[3])) ? 0 : 1;
    }
    if (command == L"rect" && argc == 3) {
        const std::wstring title = argv[2];
        const auto w = title == L"Quelbrin" ? FindQuelbrinWindow(0) : FindTopLevel(title);
        const HWND window = title == L"#32768" ? OpenMenu() : (w && w->visible ? w->hwnd : nullptr);
        RECT r{};
        if (!window || !GetWindowRect(window, &r)) {
            Print(L"no window \"" + title + L"\"");
            return 1;
        }
        Print(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) +
              L" " + std::to_wstring(r.bottom - r.top));
        return 0;
    }
    if (command == L"right-click-entry" && argc == 3) {
        HWND main = MainWindow();
        const HWND list = main ? GetDlgItem(main, layout::IdFileList) : nullptr;
        if (!list) return 1;
        return RightClickListEntry(list, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) ? 0 : 1;
    }
    if (command == L"wait-menu" && argc == 3) {
        if (WaitUntil([] { return OpenMenu() != nullptr; }, Millis(argv[2]))) return 0;
        Print(L"no shortcut menu opened");
        return 1;
    }
    if (command == L"key" && argc == 3)
        return PressKey(static_cast<WORD>(std::wcstol(argv[2], nullptr, 10))) ? 0 : 1;
    if (command == L"set-text" && argc == 4) {
        HWND main = MainWindow();
        return main && SetControlText(main, static_cast<int>(std::wcstol(argv[2], nullptr, 10)), argv[3]) ? 0 : 1;
    }
    if (command == L"pointer" && argc == 4)
        return SetCursorPos(std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10)) ? 0 : 1;
    std::fprintf(stderr,
                 "usage: quelbrin_driver wait-main MS | status | click ID | wait-window TITLE MS |\n"
                 "       wait-text ID TEXT MS | answer-box TITLE MS | close TITLE | wait-gone TITLE MS |\n"
                 "       pointer X Y | rect TITLE | right-click-entry N | wait-menu MS | key VK |\n"
                 "       set-text ID TEXT\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quelbrin_driver: %s\n", e.what());
        return 2;
    }
}
