#pragma once
#include <memory>
#include <vector>

#include "platform/main_window_view.h"
#include "platform/window_design.h"
#include "platform/win32/dpi_layout.h"
#include "platform/win32/focus_memory.h"
#include "platform/win32/text_control.h"
#include "platform/win32/tooltips.h"
#include "platform/win32/app_icon.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"

namespace quelbrin::win32 {

// "'bout 'n settings": owned by the main window, no taskbar button, the
// program's icon in Picture1. OK and the close box are its only ways out;
// Enter in the path box and Esc do nothing.
class SettingsDialog final : public WindowBase, public DialogView {
public:
    // Created hidden. Throws ErrorInfo.
    SettingsDialog(HWND owner, DialogEvents& events, const layout::DialogDesign& design);
    ~SettingsDialog() override;

    TextControl& TxPathInst() override { return *txPathInst_; }
    void Unload() override { closed_ = true; }

    bool Closed() const { return closed_; }
    void Show();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls(const layout::DialogDesign& design);
    // Icons, tooltips and the picture remade for a new DPI, once the controls are laid out.
    void AfterDpiChange(int dpi);
    void ShowPictureIcon();

    DialogEvents& events_;
    DpiLayout layout_;  // the current DPI, with the fonts made for it
    WindowIcons icons_;
    HWND picture_ = nullptr;
    TwipsRect pictureRect_{};
    UniqueIcon pictureIcon_;  // sized for the current DPI
    std::unique_ptr<Tooltips> tooltips_;
    std::unique_ptr<EditControl> txPathInst_;
    FocusMemory focus_;
    bool closed_ = false;
};

// Shows the dialog modally over its owner: raises Load, disables the owner,
// runs a message loop of its own until the dialog is unloaded or closed.
void ShowSettingsDialog(HWND owner, DialogEvents& events, const layout::DialogDesign& design);

}  // namespace quelbrin::win32
