// The real main window under Wine: its controls, geometry, fonts, tab order,
// tooltips and the way messages become MainFormEvents.
#include <gtest/gtest.h>

#include "platform/win32/windows_wrapper.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "main_window/main_form.h"
#include "main_window/main_form_layout.h"
#include "platform/win32/main_window.h"
#include "platform/win32/screen_scale.h"
#include "platform/win32/utf.h"
#include "tests/fake/fake_platform.h"
#include "tests/support/reliability_case.h"
#include "platform/win32/win32_platform.h"
#include "tests/support/ui_stubs.h"
#include "tests/wine/main_window_fixture.h"
#include "tests/support/window_text.h"
#include "tests/wine/dpi_change.h"

namespace quelbrin::win32 {
namespace {

using test::EventRecorder;
using test::FixedFolders;
using test::PostKey;
using test::TextOf;

// Folders given by name, so the list has something to show.
struct ThreeFiles : FixedFolders {
    ThreeFiles() { folders = {{"C:\\Fx", {"c.hfz", "a.hfz", "b.hfz"}}}; }
};

// The main window as designed, written out here and not taken from the
// program's own table, so that a wrong entry there fails.
struct Designed {
    int id;
    const char* className;
    const char* caption;  // nullptr: the list, which has none
    const char* tooltip;  // nullptr: none
    int left, top, width, height;
    int tabIndex;
};
constexpr Designed kDesign[] = {
    {layout::IdBtExit, "Button", "Cancel / Exit", "Cancel installation batch and exit", 4320, 1200, 1815, 375, 8},
    {layout::IdBtAbout, "Button", "About...", "Information and settings", 2520, 1200, 1815, 375, 4},
    {layout::IdBtStart, "Button", "Install All Files", "Batch-install all .hfz files", 2520, 840, 3615, 375, 3},
    {layout::IdBtInst, "Button", "Install Selected File", "Install only the selected .hfz file", 4320, 480, 1815, 375, 7},
    {layout::IdBtBrowse, "Button", "Browse...", "Browse for a folder that contains .hfz files", 2520, 480, 1815, 375, 2},
    {layout::IdTxPath, "Edit", "", "Path for folder with .hfz files", 2520, 120, 3615, 285, 1},
    {layout::IdFileList, "ListBox", nullptr, nullptr, 120, 120, 2295, 1455, 0},
    {layout::IdStatus2, "Static", "Ready", nullptr, 0, 1680, 3135, 255, 6},
    {layout::IdStatus1, "Static", "", nullptr, 3120, 1680, 3135, 255, 5},
};
constexpr int kDesignedClientWidth = 6255, kDesignedClientHeight = 1935;

std::string ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return Narrow(name);
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW lf{};
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

class MainWindowTest : public MainWindowFixture<ThreeFiles> {
protected:
    int Px(int twips) const { return layout::TwipsToPixels(twips, WindowDpi(main)); }
};

TEST_F(MainWindowTest, WindowIsAFixedDialogStyleFrameHiddenUntilShown) {
    EXPECT_EQ(TextOf(main), "Quelbrin");
    const LONG_PTR style = GetWindowLongPtrW(main, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(main, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME) << "must not be resizable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << "taskbar button";
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
    EXPECT_NE(SendMessageW(main, WM_GETICON, ICON_SMALL, 0), 0);

    EXPECT_FALSE(IsWindowVisible(main));
    view->Show();
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(MainWindowTest, NineControlsWithTheirCaptionsAndKinds) {
    int children = 0;
    for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 9);
    for (const Designed& spec : kDesign) {
        SCOPED_TRACE(spec.id);
        const HWND control = Control(spec.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), spec.className);
        if (spec.caption) { EXPECT_EQ(TextOf(control), spec.caption); }
    }
    EXPECT_EQ(view->BtExit().Text(), "Cancel / Exit");
    EXPECT_EQ(view->Status2().Text(), "Ready");
    EXPECT_EQ(view->TxPath().Text(), "");
    EXPECT_EQ(Control(IDCANCEL), Control(layout::IdBtExit)) << "Esc presses Cancel / Exit";
}

TEST_F(MainWindowTest, ClientAreaAndControlRectanglesAreTheTwipsAtScreenDpi) {
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, Px(kDesignedClientWidth));
    EXPECT_EQ(client.bottom, Px(kDesignedClientHeight));
    if (WindowDpi(main) == 96) {
        EXPECT_EQ(client.right, 417);
        EXPECT_EQ(client.bottom, 129);
    }
    for (const Designed& spec : kDesign) {
        SCOPED_TRACE(spec.id);
        dpi_test::ExpectControlAt(Control(spec.id), spec.left, spec.top, spec.width, spec.height, WindowDpi(main));
        const RECT r = dpi_test::RectInParent(Control(spec.id));
        if (WindowDpi(main) == 96) {
            EXPECT_EQ(r.left * 15, spec.left);
            EXPECT_EQ((r.right - r.left) * 15, spec.width);
        }
    }
}

TEST_F(MainWindowTest, TabOrderFollowsTheTabIndexes) {
    std::vector<Designed> byTab(std::begin(kDesign), std::end(kDesign));
    std::sort(byTab.begin(), byTab.end(),
              [](const auto& a, const auto& b) { return a.tabIndex < b.tabIndex; });
    HWND child = GetWindow(main, GW_CHILD);
    for (const Designed& spec : byTab) {
        SCOPED_TRACE(spec.id);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), spec.id);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    // Tab walks the focusable ones in that order and wraps around.
    const int walk[] = {layout::IdFileList, layout::IdTxPath,  layout::IdBtBrowse, layout::IdBtStart,
                        layout::IdBtAbout,  layout::IdBtInst,  layout::IdBtExit,   layout::IdFileList};
    for (int i = 0; i + 1 < 8; ++i)
        EXPECT_EQ(GetNextDlgTabItem(main, Control(walk[i]), FALSE), Control(walk[i + 1]))
            << "after control " << walk[i];
}

TEST_F(MainWindowTest, InstallAllFilesIsBoldSansSerifTheRestUseTheWindowFont) {
    const LOGFONTW bold = FontOf(Control(layout::IdBtStart));
    EXPECT_EQ(std::wstring(bold.lfFaceName), L"MS Sans Serif");
    EXPECT_GE(bold.lfWeight, FW_BOLD);
    EXPECT_EQ(bold.lfHeight, -MulDiv(825, WindowDpi(main), 7200));
    const LOGFONTW window = FontOf(Control(layout::IdTxPath));
    EXPECT_EQ(std::wstring(window.lfFaceName), L"Microsoft Sans Serif");
    EXPECT_EQ(window.lfHeight, -MulDiv(825, WindowDpi(main), 7200));
    for (const Designed& spec : kDesign) {
        if (spec.id == layout::IdBtStart) continue;
        SCOPED_TRACE(spec.id);
        const LOGFONTW lf = FontOf(Control(spec.id));
        EXPECT_EQ(std::wstring(lf.lfFaceName), std::wstring(window.lfFaceName));
        EXPECT_EQ(lf.lfHeight, window.lfHeight);
        EXPECT_LT(lf.lfWeight, FW_BOLD);
    }
}

// Wider text than the control, measured with the font the control uses.
int Overflow(HWND control, int room) { return test::TextWidth(control) - room; }

TEST_F(MainWindowTest, EveryButtonCaptionFitsItsButton) {
    for (const Designed& spec : kDesign) {
        if (std::string(spec.className) != "Button") continue;
        SCOPED_TRACE(spec.caption);
        EXPECT_LE(Overflow(Control(spec.id), Px(spec.width) - MulDiv(8, WindowDpi(main), 96)), 0);
    }
}

TEST_F(MainWindowTest, ANewDpiLaysEveryControlOutAgainFromTheTwips) {
    view->Show();
    const int startDpi = WindowDpi(main);
    const HFONT oldFont = dpi_test::FontOf(Control(layout::IdTxPath));
    const HFONT oldBold = dpi_test::FontOf(Control(layout::IdBtStart));
    int fromDpi = startDpi;
    for (const int dpi : {144, startDpi}) {
        SCOPED_TRACE(dpi);
        const RECT suggested = dpi_test::SendDpiChanged(main, std::exchange(fromDpi, dpi), dpi);
        dpi_test::ExpectWindowAt(main, suggested, kDesignedClientWidth, kDesignedClientHeight, dpi);
        for (const Designed& spec : kDesign) {
            SCOPED_TRACE(spec.id);
            dpi_test::ExpectControlAt(Control(spec.id), spec.left, spec.top, spec.width, spec.height, dpi);
            EXPECT_EQ(dpi_test::FontHeightOf(Control(spec.id)), layout::TwipsToPixels(165, dpi));
            if (std::string(spec.className) == "Button") {
                const RECT r = dpi_test::RectInParent(Control(spec.id));
                EXPECT_LE(Overflow(Control(spec.id), r.right - r.left - layout::TwipsToPixels(120, dpi)), 0);
            }
        }
        EXPECT_EQ(std::wstring(FontOf(Control(layout::IdBtStart)).lfFaceName), L"MS Sans Serif");
        EXPECT_GE(FontOf(Control(layout::IdBtStart)).lfWeight, FW_BOLD);
        // The caption's and the taskbar's icons: 16 and 32 pixels at 96 DPI.
        const auto icon = [&](WPARAM which) { return reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, which, 0)); };
        EXPECT_EQ(dpi_test::IconWidth(icon(ICON_SMALL)), layout::TwipsToPixels(240, dpi));
        EXPECT_EQ(dpi_test::IconWidth(icon(ICON_BIG)), layout::TwipsToPixels(480, dpi));
    }
    EXPECT_EQ(GetObjectType(oldFont), 0u) << "the fonts made for 96 DPI are freed";
    EXPECT_EQ(GetObjectType(oldBold), 0u);
    EXPECT_EQ(GetDlgCtrlID(GetWindow(main, GW_CHILD)), layout::IdFileList) << "the tab order stays";
}

// The tooltips and the big icon come once the window has been shown and painted.
TEST_F(MainWindowTest, TooltipsCarryTheirTextsOnceShown) {
    view->Show();
    ui->DoEvents();
    EXPECT_NE(SendMessageW(main, WM_GETICON, ICON_BIG, 0), 0) << "taskbar icon";
    const HWND tooltip = dynamic_cast<MainWindow&>(*view).TooltipHandle();
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(GetWindow(tooltip, GW_OWNER), main);
    std::map<int, std::string> expected;
    for (const Designed& spec : kDesign)
        if (spec.tooltip) expected[spec.id] = spec.tooltip;
    // And the tips asked for when they show: the status lines and the list.
    ASSERT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), static_cast<LRESULT>(expected.size() + 3));
    for (const auto& [id, text] : expected) EXPECT_EQ(test::TipText(tooltip, main, Control(id)), text);
}

// A status line shows its whole text in a tip only where it does not fit;
// Status2's own tip comes with it. The marked list keeps its bare names, and
// Ctrl+C in it (not C alone) is the report's copy.
TEST_F(MainWindowTest, StatusTipsWhereTheTextIsCutAndTheMarkedListKeepsItsNames) {
    view->Show();
    ui->DoEvents();
    const HWND tooltip = dynamic_cast<MainWindow&>(*view).TooltipHandle();
    ASSERT_NE(tooltip, nullptr);
    const HWND status1 = Control(layout::IdStatus1), status2 = Control(layout::IdStatus2);
    const std::string cut = "Error: " + std::string(120, 'x');
    view->Status1().SetText("a.hfz");
    EXPECT_EQ(test::TipText(tooltip, main, status1), "");
    view->Status1().SetText(cut);
    EXPECT_EQ(test::TipText(tooltip, main, status1), cut);
    view->SetStatus2Tip("Type \\server\\share");
    view->Status2().SetText("Invalid path");
    EXPECT_EQ(test::TipText(tooltip, main, status2), "Type \\server\\share");
    view->Status2().SetText(cut);
    EXPECT_EQ(test::TipText(tooltip, main, status2), cut + "\r\nType \\server\\share");

    const HWND box = Control(layout::IdFileList);
    EXPECT_EQ(GetWindowLongPtrW(box, GWL_STYLE) & (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS),
              LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
    view->FileList().SetFileName("C:\\Fx");
    const FileMark marks[] = {{FileMarkShape::Installed, "installed in 1 round, 0.4 s"},
                              {FileMarkShape::Failed, "failed: no"}};
    view->ShowFileMarks(marks);
    UpdateWindow(box);  // drawn with them
    EXPECT_EQ(view->FileList().List(0), "a.hfz");

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    SendMessageW(box, WM_KEYDOWN, 'C', 0);
    EXPECT_EQ(events.counts["FileList_Copy"], 0);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(box, WM_KEYDOWN, 'C', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(events.counts["FileList_Copy"], 1);
}

TEST_F(MainWindowTest, StatusLinesShowTextsAsGiven) {
    const LONG_PTR style = GetWindowLongPtrW(Control(layout::IdStatus1), GWL_STYLE);
    EXPECT_TRUE(style & SS_NOPREFIX) << "a name with & must show as it is";
    view->Status1().SetText("Fire & Ice.hfz installed");
    EXPECT_EQ(view->Status1().Text(), "Fire & Ice.hfz installed");
    view->Status2().SetText("Invalid path");
    EXPECT_EQ(TextOf(Control(layout::IdStatus2)), "Invalid path");
    EXPECT_EQ(events.Total(), 0) << "labels raise nothing";
}

TEST_F(MainWindowTest, NoButtonIsTheDefaultButton) {
    EXPECT_NE(HIWORD(SendMessageW(main, DM_GETDEFID, 0, 0)), DC_HASDEFID);
    for (const Designed& spec : kDesign) {
        if (std::string(spec.className) != "Button") continue;
        SCOPED_TRACE(spec.caption);
        const LONG_PTR type = GetWindowLongPtrW(Control(spec.id), GWL_STYLE) & BS_TYPEMASK;
        EXPECT_EQ(type, BS_PUSHBUTTON);
    }
}

TEST_F(MainWindowTest, SettingThePathTextRaisesChangeExactlyOnce) {
    view->TxPath().SetText("C:\\Fx");
    EXPECT_EQ(events.counts["TxPath_Change"], 1);
    EXPECT_EQ(view->TxPath().Text(), "C:\\Fx");
    // The same text again is still an assignment.
    view->TxPath().SetText("C:\\Fx");
    EXPECT_EQ(events.counts["TxPath_Change"], 2);
    view->TxPath().SetText("D:\\Эффекты\\特效");
    EXPECT_EQ(events.counts["TxPath_Change"], 3);
    EXPECT_EQ(view->TxPath().Text(), "D:\\Эффекты\\特效");
    EXPECT_EQ(events.Total(), 3);
}

TEST_F(MainWindowTest, TypingIntoThePathRaisesChangePerKeystroke) {
    view->Show();
    SendMessageW(Control(layout::IdTxPath), WM_CHAR, 'C', 1);
    SendMessageW(Control(layout::IdTxPath), WM_CHAR, ':', 1);
    EXPECT_EQ(events.counts["TxPath_Change"], 2);
    EXPECT_EQ(view->TxPath().Text(), "C:");
}

TEST_F(MainWindowTest, ListSelectionRaisesClickFromCodeAndFromTheMouse) {
    view->Show();
    FileListBox& list = view->FileList();
    list.SetFileName("C:\\Fx");
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(events.Total(), 0) << "filling the list raises nothing";

    list.SetListIndex(0);
    EXPECT_EQ(events.counts["FileList_Click"], 1);
    EXPECT_EQ(list.FileName(), "a.hfz");

    // A click on the third entry, then a double click on it.
    RECT item{};
    const HWND box = Control(layout::IdFileList);
    ASSERT_NE(SendMessageW(box, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    const LPARAM at = MAKELPARAM(item.left + 3, (item.top + item.bottom) / 2);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(box, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(events.counts["FileList_Click"], 2);
    EXPECT_EQ(list.FileName(), "c.hfz");
    SendMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(box, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(events.counts["FileList_DblClick"], 1);
}

// A right click names the entry under the pointer, none below the last one;
// from the keyboard (lParam -1) the selected entry. The list box's own
// handling passes both up to the window. (The keys themselves, Shift+F10 and
// the menu key, reach it only as real input: the end-to-end tests press them.)
TEST_F(MainWindowTest, ContextMenuOnTheListNamesTheEntryUnderThePointerOrTheSelectedOne) {
    view->Show();
    FileListBox& list = view->FileList();
    list.SetFileName("C:\\Fx");
    const HWND box = Control(layout::IdFileList);
    RECT item{};
    ASSERT_NE(SendMessageW(box, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    auto rightClick = [&](int x, int y) {
        const LPARAM at = MAKELPARAM(x, y);
        SendMessageW(box, WM_RBUTTONDOWN, MK_RBUTTON, at);
        SendMessageW(box, WM_RBUTTONUP, 0, at);
    };
    rightClick(item.left + 3, (item.top + item.bottom) / 2);
    RECT client{};
    GetClientRect(box, &client);
    rightClick(client.left + 3, client.bottom - 3);  // three entries leave empty space below

    list.SetListIndex(2);
    SendMessageW(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), -1);
    EXPECT_EQ(events.menuIndexes, (std::vector<int>{1, -1, 2}));
    quelbrin::test::ReliabilityCase("File list", "WM_CONTEXTMENU with both coordinates -1 from the keyboard as a 64-bit program gets it (lParam 0xFFFFFFFF), and from a right click dispatched at the screen point (-1, -1)",
                                    "the keyboard's names the selected entry; the click names the entry under (-1, -1), none");
    SendMessageW(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box), static_cast<LPARAM>(0xFFFFFFFFu));
    POINT corner{-1, -1};
    ScreenToClient(box, &corner);
    PostMessageW(box, WM_RBUTTONUP, 0, MAKELPARAM(corner.x, corner.y));
    ui->DoEvents();  // through the program's pump, as a real click comes
    EXPECT_EQ(events.menuIndexes, (std::vector<int>{1, -1, 2, 2, -1}));
    EXPECT_EQ(list.ListIndex(), 2) << "the window selects nothing itself";

    // From another control: no event.
    SendMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control(layout::IdBtStart)), -1);
    EXPECT_EQ(events.counts["FileList_ContextMenu"], 5);
}

// What is done to the window, and the events it must raise: nothing else,
// nothing before the program's pump has run, and the window stays up (its
// close is Form_Unload's to decide).
enum class Act { Click, CloseBox, Key, IdOk };
struct EventCase {
    const char* name;
    Act act;
    int target;  // the button clicked, or the control focused for a key (0: the window)
    WPARAM key;
    std::vector<int> disabled;
    std::map<std::string, int> raised;
    bool asDefault = false;  // the target made the default push button, as the dialog manager does on focus
};
void PrintTo(const EventCase& c, std::ostream* out) { *out << c.name; }
using namespace layout;
const std::vector<int> kBusy = {IdBtInst, IdBtStart, IdBtAbout, IdBtBrowse, IdTxPath, IdFileList};
const EventCase kEventCases[] = {
    {"ClickCancelExit", Act::Click, IdBtExit, 0, {}, {{"BtExit_Click", 1}}},
    {"ClickAbout", Act::Click, IdBtAbout, 0, {}, {{"BtAbout_Click", 1}}},
    {"ClickInstallAll", Act::Click, IdBtStart, 0, {}, {{"BtStart_Click", 1}}},
    {"ClickInstallSelected", Act::Click, IdBtInst, 0, {}, {{"BtInst_Click", 1}}},
    {"ClickBrowse", Act::Click, IdBtBrowse, 0, {}, {{"BtBrowse_Click", 1}}},
    {"CloseBox", Act::CloseBox, 0, 0, {}, {{"Form_Unload", 1}}},
    {"ClickDisabledInstallSelected", Act::Click, IdBtInst, 0, {IdBtInst}, {}},
    {"EscWhileBusy", Act::Key, IdBtExit, VK_ESCAPE, kBusy, {{"BtExit_Click", 1}}},
    {"EnterInThePathBox", Act::Key, IdTxPath, VK_RETURN, {}, {}},
    {"EnterAtTheWindow", Act::Key, 0, VK_RETURN, {}, {}},
    {"IdOkCommand", Act::IdOk, 0, 0, {}, {}},
    {"EnterOnCancelExitMadeDefault", Act::Key, IdBtExit, VK_RETURN, {}, {}, true},
    {"EnterOnCancelExitWhileBusy", Act::Key, IdBtExit, VK_RETURN, kBusy, {}},
};

class MainWindowEventTest : public MainWindowFixture<ThreeFiles>, public ::testing::WithParamInterface<EventCase> {
protected:
    ::quelbrin::Control& ViewControl(int id) {
        switch (id) {
        case IdBtInst: return view->BtInst();
        case IdBtStart: return view->BtStart();
        case IdBtAbout: return view->BtAbout();
        case IdBtBrowse: return view->BtBrowse();
        case IdTxPath: return view->TxPath();
        default: return view->FileList();
        }
    }
};

TEST_P(MainWindowEventTest, RaisesItsEventsOnly) {
    const EventCase& c = GetParam();
    view->Show();
    for (const int id : c.disabled) {
        ViewControl(id).SetEnabled(false);
        EXPECT_FALSE(ViewControl(id).Enabled());
        EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
    }
    const HWND target = c.target ? Control(c.target) : main;
    switch (c.act) {
    case Act::Click: PostMessageW(target, BM_CLICK, 0, 0); break;
    case Act::CloseBox: PostMessageW(main, WM_CLOSE, 0, 0); break;
    case Act::IdOk: SendMessageW(main, WM_COMMAND, IDOK, 0); break;
    case Act::Key:
        if (c.target) SetFocus(target);
        if (c.asDefault) SendMessageW(target, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        PostKey(target, c.key);
        break;
    }
    EXPECT_EQ(events.Total(), 0) << "before the pump";
    ui->DoEvents();
    std::map<std::string, int> raised;
    for (const auto& [name, count] : events.counts)
        if (count) raised[name] = count;
    EXPECT_EQ(raised, c.raised);
    EXPECT_TRUE(IsWindow(main));
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, main, 0, 0, PM_NOREMOVE)) << "the queue is empty afterwards";
}

INSTANTIATE_TEST_SUITE_P(Events, MainWindowEventTest, ::testing::ValuesIn(kEventCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The program's MainForm on the real window, over the three files.
class MainFormOnWin32 : public ::testing::Test {
protected:
    ThreeFiles files;
    std::unique_ptr<Ui> ui = MakeUi(files);
    fake::FakePlatform rest;  // what the form needs besides the window and the files
    Platform platform{*ui, files, rest.desktop, rest.desktop, rest.system, rest.registry, rest.clock};
    MainForm form{platform};
    MainWindowView& view = form.View();
};

TEST_F(MainFormOnWin32, BusyStateLeavesOnlyCancelExitEnabled) {
    const HWND main = dynamic_cast<MainWindow&>(view).Handle();
    form.BusyState(true);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, layout::IdBtExit)));
    EXPECT_TRUE(IsWindowEnabled(main)) << "the close box stays available";
    for (int id : kBusy) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, id))) << id;

    form.BusyState(false);
    for (int id : kBusy) EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, id))) << id;
}

TEST_F(MainFormOnWin32, PathChangeListsTheFolderAndSelectsTheFirstFile) {
    view.TxPath().SetText("C:\\Fx");
    EXPECT_EQ(view.Status2().Text(), "3 .hfz files");
    EXPECT_EQ(view.Status1().Text(), "a.hfz");
    EXPECT_EQ(view.FileList().ListIndex(), 0);

    view.TxPath().SetText("C:\\Nowhere");
    EXPECT_EQ(view.Status2().Text(), "Invalid path");
    EXPECT_EQ(view.FileList().ListCount(), 3) << "the list keeps its entries";
}

}  // namespace
}  // namespace quelbrin::win32
