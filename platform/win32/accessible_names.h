#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/window_design.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_wrapper.h"

#include <oleacc.h>

namespace quelbrin::win32 {

// Names for controls that no label names, and the polite live-region mark
// for the status lines, set through the system's annotation service. The
// service is made through COM, so oleacc.dll is loaded from where the
// system registered it and never imported by name (a DLL imported by name
// can be planted beside the program). Where it can't be made, the controls
// simply go without. The main window makes them after its first paint,
// which then needs neither COM nor ole32.
class AccessibleNames {
public:
    // Annotates the window's controls as the design says.
    AccessibleNames(HWND window, const layout::MainWindowDesign& design);
    // The names screen readers get for a list box's entries, by position
    // (an empty one leaves the entry's own text); replaces the last ones.
    void NameListEntries(HWND listBox, const std::vector<std::wstring>& names);
    // Takes the annotations off again; call while the controls still exist.
    void Clear();
    ~AccessibleNames() { Clear(); }
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

private:
    struct Annotated {
        HWND control;
        MSAAPROPID property;
    };
    void Remember(HWND control, const MSAAPROPID& property);

    UniqueCom<IAccPropServices> services_;
    // A fixed few: the design names two controls and marks two lines.
    std::array<Annotated, 8> annotated_{};
    std::size_t count_ = 0;
    HWND namedList_ = nullptr;
    std::vector<std::wstring> entryNames_;  // by position, empty where none
};

}  // namespace quelbrin::win32
