#include "platform/win32/popup_menu.h"

#include <windowsx.h>

#include "platform/win32/message_pump.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"

namespace quelbrin::win32 {

int ShowPopupMenu(HWND owner, POINT at, std::span<const MenuCommand> commands) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return -1;
    // Command ids start at 1: TrackPopupMenuEx returns 0 for "no choice".
    UINT_PTR id = 0;
    for (const MenuCommand& command : commands) {
        ++id;
        const BOOL added = command.text ? AppendMenuW(menu.get(), MF_STRING | (command.enabled ? MF_ENABLED : MF_GRAYED),
                                                      id, Widen(command.text).c_str())
                                        : AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        if (!added) return -1;
    }
    const BOOL chosen = TrackPopupMenuEx(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                         at.x, at.y, owner, nullptr);
    return chosen > 0 ? chosen - 1 : -1;
}

bool IsKeyboardMenuRequest(LPARAM lParam, UINT dispatching) {
    const bool mouse = (dispatching >= WM_MOUSEFIRST && dispatching <= WM_MOUSELAST) ||
                       (dispatching >= WM_NCMOUSEMOVE && dispatching <= WM_NCXBUTTONDBLCLK);
    return !mouse && GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1;
}

ListMenuRequest ListMenuRequestFor(HWND listBox, LPARAM lParam) {
    ListMenuRequest request;
    RECT client{};
    GetClientRect(listBox, &client);
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);

    if (IsKeyboardMenuRequest(lParam, DispatchingMessage())) {
        const LRESULT selected = SendMessageW(listBox, LB_GETCURSEL, 0, 0);
        request.index = selected == LB_ERR ? -1 : static_cast<int>(selected);
        // Below the entry while it is in view, else at the list's corner.
        RECT item{};
        POINT at{client.left, client.top};
        if (request.index >= 0 &&
            SendMessageW(listBox, LB_GETITEMRECT, static_cast<WPARAM>(request.index),
                         reinterpret_cast<LPARAM>(&item)) != LB_ERR &&
            item.top >= client.top && item.bottom <= client.bottom)
            at = POINT{item.left, item.bottom};
        ClientToScreen(listBox, &at);
        request.at = at;
        return request;
    }

    request.at = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    POINT inList = request.at;
    ScreenToClient(listBox, &inList);
    if (!PtInRect(&client, inList)) return request;  // the scroll bar or the border
    // From the top entry and the item height rather than LB_ITEMFROMPOINT,
    // whose answer holds only 16 bits of index.
    const LRESULT top = SendMessageW(listBox, LB_GETTOPINDEX, 0, 0);
    const LRESULT height = SendMessageW(listBox, LB_GETITEMHEIGHT, 0, 0);
    if (top == LB_ERR || height == LB_ERR || height <= 0 || count == LB_ERR) return request;
    const LRESULT index = top + (inList.y - client.top) / height;
    if (index < count) request.index = static_cast<int>(index);
    return request;
}

}  // namespace quelbrin::win32
