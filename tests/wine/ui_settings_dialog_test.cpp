// The About and settings dialog under Wine, driven with messages from timers
// that run inside its modal loop.
#include <gtest/gtest.h>

#include "platform/win32/windows_wrapper.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "main_window/main_form_layout.h"
#include "platform/win32/main_window.h"
#include "platform/win32/screen_scale.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_classes.h"
#include "tests/support/ui_stubs.h"
#include "tests/support/window_text.h"
#include "tests/wine/dpi_change.h"
#include "tests/wine/main_window_fixture.h"
#include "tests/wine/modal_driver.h"

namespace quelbrin::win32 {
namespace {

using test::PostKey;
using test::TextOf;

// Loads a path like the program's Dialog does and records OK.
class DialogRecorder : public DialogEvents {
public:
    void Form_Load(DialogView& dialog) override {
        ++loads;
        dialog.TxPathInst().SetText(initialPath);
    }
    void OKButton_Click(DialogView& dialog) override {
        okTexts.push_back(dialog.TxPathInst().Text());
        dialog.Unload();
    }
    std::string initialPath = "C:\\HFX\\InstallHFZ.exe";
    int loads = 0;
    std::vector<std::string> okTexts;
};

// The steps that the next Show() runs inside the dialog's modal loop.
std::vector<std::function<void()>> g_steps;

// Whether the owner was enabled when the dialog got WM_DESTROY.
bool g_ownerEnabledAtDestroy = false;
WNDPROC g_dialogProc = nullptr;

LRESULT CALLBACK WatchDestroy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) g_ownerEnabledAtDestroy = IsWindowEnabled(GetWindow(hwnd, GW_OWNER)) != FALSE;
    return CallWindowProcW(g_dialogProc, hwnd, message, wParam, lParam);
}

class SettingsDialogTest : public MainWindowFixture<test::FixedFolders> {
protected:
    void SetUp() override {
        g_steps.clear();
        g_ownerEnabledAtDestroy = false;
        MainWindowFixture::SetUp();
        view->Show();
    }
    void TearDown() override {
        g_steps.clear();
        MainWindowFixture::TearDown();
    }

    void Show() {
        std::vector<test::ModalDriver::Step> steps;
        for (std::function<void()>& step : g_steps) steps.push_back(test::ModalDriver::Once(std::move(step)));
        g_steps.clear();
        test::ModalDriver driver(std::move(steps), kDialogWindowClass);
        ui->ShowDialog(dialogEvents, layout::kDialog);
    }
    static HWND Dialog() { return FindWindowW(kDialogWindowClass, nullptr); }
    static HWND Item(int id) { return GetDlgItem(Dialog(), id); }

    DialogRecorder dialogEvents;
};

// The dialog as designed, written out here and not taken from the program's
// own table, so that a wrong entry there fails. Caption nullptr: not checked.
struct Designed {
    int id;
    const char* caption;
    int left, top, width, height;
    int tabIndex;
};
constexpr Designed kDesign[] = {
    {layout::IdPicture1, nullptr, 120, 120, 780, 765, 5},
    {layout::IdTxPathInst, nullptr, 120, 960, 5655, 285, 1},
    {layout::IdOKButton, "OK", 5040, 120, 735, 375, 0},
    {layout::IdLabel3, "files by the Quelbrin authors, free to use and share", 1080, 360, 3855, 255, 4},
    {layout::IdLabel2, "Batch installer program for Pinnacle Hollywood FX .hfz", 1080, 120, 3975, 255, 3},
    {layout::IdLabel1, "Installer for .hfz files (usually InstallHFZ.exe or ClubInstall.exe):", 1080, 720, 4695, 255, 2},
};
constexpr const char* kPathTooltip =
    "Paste here the full path with the filename of your .hfz installer program, if you don't want to use the "
    "default one from the registry.";

TEST_F(SettingsDialogTest, LooksAsLaidOutAndBelongsToTheMainWindow) {
    g_steps.push_back([&] {
        const HWND d = Dialog();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(TextOf(d), "'bout 'n settings");
        EXPECT_EQ(GetWindow(d, GW_OWNER), main);
        EXPECT_FALSE(IsWindowEnabled(main)) << "modal: the main window takes no input";
        const LONG_PTR style = GetWindowLongPtrW(d, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(d, GWL_EXSTYLE);
        EXPECT_TRUE(style & WS_SYSMENU) << "close box";
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
        EXPECT_FALSE(exStyle & WS_EX_APPWINDOW) << "no taskbar button";
        EXPECT_NE(SendMessageW(d, WM_GETICON, ICON_BIG, 0), 0);

        RECT client{};
        GetClientRect(d, &client);
        EXPECT_EQ(client.right, layout::TwipsToPixels(5880, WindowDpi(d)));
        EXPECT_EQ(client.bottom, layout::TwipsToPixels(1335, WindowDpi(d)));

        for (const Designed& spec : kDesign) {
            SCOPED_TRACE(spec.id);
            const HWND c = Item(spec.id);
            ASSERT_NE(c, nullptr);
            dpi_test::ExpectControlAt(c, spec.left, spec.top, spec.width, spec.height, WindowDpi(d));
            if (spec.caption) { EXPECT_EQ(TextOf(c), spec.caption); }
        }
        EXPECT_EQ(TextOf(Item(layout::IdTxPathInst)), "C:\\HFX\\InstallHFZ.exe") << "loaded";
        EXPECT_NE(SendMessageW(Item(layout::IdPicture1), STM_GETICON, 0, 0), 0) << "the icon";

        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(layout::IdOKButton), WM_GETFONT, 0, 0)),
                   sizeof lf, &lf);
        EXPECT_EQ(std::wstring(lf.lfFaceName), L"MS Sans Serif");
        EXPECT_GE(lf.lfWeight, FW_BOLD);

        // Each label's whole text fits on its one line, whatever face the
        // system put in for the layout's.
        for (int id : {layout::IdLabel1, layout::IdLabel2, layout::IdLabel3}) {
            const HWND label = Item(id);
            RECT r{};
            GetClientRect(label, &r);
            EXPECT_LE(test::TextWidth(label), r.right) << TextOf(label);
        }

        // Z order, and so Tab, by tab index.
        std::vector<Designed> byTab(std::begin(kDesign), std::end(kDesign));
        std::sort(byTab.begin(), byTab.end(), [](auto& a, auto& b) { return a.tabIndex < b.tabIndex; });
        HWND child = GetWindow(d, GW_CHILD);
        for (const auto& spec : byTab) {
            EXPECT_EQ(GetDlgCtrlID(child), spec.id);
            child = GetWindow(child, GW_HWNDNEXT);
        }

        // The path box carries the tooltip.
        const HWND tip = test::TooltipOwnedBy(d);
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(test::TipText(tip, d, Item(layout::IdTxPathInst)), kPathTooltip);
    });
    g_steps.push_back([&] { SendMessageW(Item(layout::IdOKButton), BM_CLICK, 0, 0); });
    Show();
    EXPECT_EQ(dialogEvents.loads, 1);
    EXPECT_EQ(dialogEvents.okTexts.size(), 1u);
    EXPECT_EQ(Dialog(), nullptr) << "destroyed once unloaded";
    EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(SettingsDialogTest, ANewDpiLaysEveryControlOutAgainFromTheTwips) {
    g_steps.push_back([&] {
        const HWND d = Dialog();
        ASSERT_NE(d, nullptr);
        const HFONT oldFont = dpi_test::FontOf(Item(layout::IdLabel1));
        const RECT suggested = dpi_test::SendDpiChanged(d, WindowDpi(d), 144);
        dpi_test::ExpectWindowAt(d, suggested, 5880, 1335, 144);
        for (const Designed& spec : kDesign) {
            SCOPED_TRACE(spec.id);
            dpi_test::ExpectControlAt(Item(spec.id), spec.left, spec.top, spec.width, spec.height, 144);
            if (spec.id != layout::IdPicture1) {
                EXPECT_EQ(dpi_test::FontHeightOf(Item(spec.id)), 17);
            }
        }
        EXPECT_EQ(GetObjectType(oldFont), 0u) << "the fonts made for the old DPI are freed";
        // 48 pixels at 96 DPI: 72 at 144, inside the 78 x 77 picture box.
        EXPECT_EQ(dpi_test::IconWidth(reinterpret_cast<HICON>(SendMessageW(Item(layout::IdPicture1), STM_GETICON, 0, 0))), 72);
        EXPECT_EQ(dpi_test::IconWidth(reinterpret_cast<HICON>(SendMessageW(d, WM_GETICON, ICON_SMALL, 0))), 24)
            << "the caption's icon: 16 pixels at 96 DPI";
    });
    g_steps.push_back([&] { SendMessageW(Item(layout::IdOKButton), BM_CLICK, 0, 0); });
    Show();
    EXPECT_EQ(dialogEvents.okTexts.size(), 1u) << "the dialog still works";
}

TEST_F(SettingsDialogTest, OkHandsOverTheTextExactlyAsTyped) {
    g_steps.push_back([&] { SetWindowTextW(Item(layout::IdTxPathInst), L"  D:\\Ы\\Club Install.exe "); });
    g_steps.push_back([&] { SendMessageW(Item(layout::IdOKButton), BM_CLICK, 0, 0); });
    Show();
    ASSERT_EQ(dialogEvents.okTexts.size(), 1u);
    EXPECT_EQ(dialogEvents.okTexts[0], "  D:\\Ы\\Club Install.exe ");
}

TEST_F(SettingsDialogTest, EscAndEnterInThePathBoxDoNothingTheCloseBoxDiscards) {
    bool stillUp = false;
    g_steps.push_back([&] {
        SetFocus(Item(layout::IdTxPathInst));
        SetWindowTextW(Item(layout::IdTxPathInst), L"typed");
        PostKey(Item(layout::IdTxPathInst), VK_ESCAPE);
        PostKey(Item(layout::IdTxPathInst), VK_RETURN);
        PostKey(Dialog(), VK_ESCAPE);
        PostKey(Dialog(), VK_RETURN);
    });
    g_steps.push_back([&] {
        stillUp = Dialog() != nullptr && IsWindowVisible(Dialog());
        g_dialogProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(Dialog(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchDestroy)));
        PostMessageW(Dialog(), WM_CLOSE, 0, 0);
    });
    Show();
    EXPECT_TRUE(stillUp);
    EXPECT_TRUE(dialogEvents.okTexts.empty()) << "nothing stored";
    EXPECT_TRUE(g_ownerEnabledAtDestroy) << "the owner is enabled before the dialog goes";
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(SettingsDialogTest, EachShowingLoadsAfresh) {
    g_steps.push_back([&] { PostMessageW(Dialog(), WM_CLOSE, 0, 0); });
    Show();
    dialogEvents.initialPath = "E:\\Other.exe";
    std::string loaded;
    g_steps = {[&] {
        loaded = TextOf(Item(layout::IdTxPathInst));
        PostMessageW(Dialog(), WM_CLOSE, 0, 0);
    }};
    Show();
    EXPECT_EQ(dialogEvents.loads, 2);
    EXPECT_EQ(loaded, "E:\\Other.exe");
}

}  // namespace
}  // namespace quelbrin::win32
