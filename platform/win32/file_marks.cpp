#include "platform/win32/file_marks.h"

#include <algorithm>
#include <array>

#include "platform/win32/unique_handle.h"

namespace quelbrin::win32 {

namespace {

// The GDI object selected into a DC for the life of the scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() {
        if (old_) SelectObject(dc_, old_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The mark in the square `box`, in `colour`, its strokes `stroke` pixels wide.
void DrawMark(HDC dc, const RECT& box, FileMarkShape shape, COLORREF colour, int stroke) {
    if (shape == FileMarkShape::None) return;
    const int size = box.right - box.left;
    const int inset = std::max(2, size / 4);
    const RECT in{box.left + inset, box.top + inset, box.right - inset, box.bottom - inset};
    const int w = in.right - in.left, h = in.bottom - in.top;
    const int midY = in.top + h / 2;

    UniquePen pen(CreatePen(PS_SOLID, stroke, colour));
    if (!pen) return;
    Selected penIn(dc, pen.get());
    switch (shape) {
    case FileMarkShape::Installed: {  // a tick
        const std::array<POINT, 3> tick{{{in.left, midY}, {in.left + w * 2 / 5, in.bottom}, {in.right, in.top}}};
        Polyline(dc, tick.data(), static_cast<int>(tick.size()));
        break;
    }
    case FileMarkShape::EndedWithoutWindow: {  // a ring
        Selected hollow(dc, GetStockObject(NULL_BRUSH));
        Ellipse(dc, in.left, in.top, in.right + 1, in.bottom + 1);
        break;
    }
    case FileMarkShape::Failed:  // a cross
        MoveToEx(dc, in.left, in.top, nullptr);
        LineTo(dc, in.right, in.bottom);
        MoveToEx(dc, in.right, in.top, nullptr);
        LineTo(dc, in.left, in.bottom);
        break;
    case FileMarkShape::NotReached:  // a dash
        MoveToEx(dc, in.left, midY, nullptr);
        LineTo(dc, in.right, midY);
        break;
    case FileMarkShape::BeingInstalled: {  // a filled pointer to the name
        UniqueBrush brush(CreateSolidBrush(colour));
        if (!brush) break;
        Selected fill(dc, brush.get());
        const std::array<POINT, 3> pointer{{{in.left, in.top}, {in.right, midY}, {in.left, in.bottom}}};
        Polygon(dc, pointer.data(), static_cast<int>(pointer.size()));
        break;
    }
    case FileMarkShape::None: break;
    }
}

// A window's DC, released with the scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace

void DrawFileEntry(const DRAWITEMSTRUCT& item, FileMarkShape shape) {
    const HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    // The selection keeps its contrast while the list is disabled (during an
    // install it is the file being installed).
    const COLORREF text =
        GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : (disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));

    const HBRUSH backBrush = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRect(dc, &r, backBrush);
    if (item.itemID == static_cast<UINT>(-1)) {  // an empty list with the focus
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
        return;
    }
    const int height = r.bottom - r.top;
    const RECT box{r.left, r.top, r.left + height, r.bottom};
    DrawMark(dc, box, shape, text, std::max(1, height / 9));

    const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
    if (length > 0 && length != LB_ERR) {
        std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(name.data()));
        name.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
        RECT textRect{box.right + std::max(1, height / 8), r.top, r.right - 2, r.bottom};
        SetBkColor(dc, back);
        SetTextColor(dc, text);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &textRect,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

int FileEntryHeight(HWND listBox) {
    const WindowDc dc(listBox);
    if (!dc.get()) return 16;
    TEXTMETRICW metrics{};
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(listBox, WM_GETFONT, 0, 0));
    Selected fontIn(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsW(dc.get(), &metrics);
    return std::max<int>(1, metrics.tmHeight + std::max<int>(2, metrics.tmHeight / 6));
}

bool TextFits(HWND control) {
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return true;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    RECT client{};
    GetClientRect(control, &client);
    const WindowDc dc(control);
    if (!dc.get()) return true;
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    Selected fontIn(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    if (!GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent)) return true;
    return extent.cx <= client.right - client.left;
}

int FileEntryAt(HWND listBox, POINT inClient) {
    RECT client{};
    GetClientRect(listBox, &client);
    if (!PtInRect(&client, inClient)) return -1;
    const LRESULT top = SendMessageW(listBox, LB_GETTOPINDEX, 0, 0);
    const LRESULT height = SendMessageW(listBox, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    if (top == LB_ERR || height == LB_ERR || height <= 0 || count == LB_ERR) return -1;
    const LRESULT index = top + (inClient.y - client.top) / height;
    return index < count ? static_cast<int>(index) : -1;
}

}  // namespace quelbrin::win32
