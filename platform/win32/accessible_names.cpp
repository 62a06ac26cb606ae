#include "platform/win32/accessible_names.h"

#include <algorithm>

#include "platform/win32/com_library.h"
#include "platform/win32/utf.h"

namespace quelbrin::win32 {

namespace {

// The annotation service's class and interface, the MSAA name property, and
// UI Automation's LiveSetting property with its "polite" value; defined here
// so that no import library's data is linked in.
constexpr GUID kAccPropServicesClass{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID kAccPropServicesInterface{0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNameProperty{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID kLiveSettingProperty{0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

}  // namespace

AccessibleNames::AccessibleNames(HWND window, const layout::MainWindowDesign& design) {
    IAccPropServices* made = nullptr;
    if (FAILED(com::CreateInProcess(kAccPropServicesClass, kAccPropServicesInterface,
                                    reinterpret_cast<void**>(&made))) ||
        !made)
        return;
    services_.reset(made);
    for (const layout::AccessibleName& named : design.accessibleNames) {
        const HWND control = GetDlgItem(window, named.id);
        if (control && SUCCEEDED(services_.get()->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                                                 CHILDID_SELF, kNameProperty,
                                                                 Widen(named.name).c_str())))
            Remember(control, kNameProperty);
    }
    for (layout::ControlId id : design.liveRegions) {
        const HWND control = GetDlgItem(window, id);
        VARIANT polite{};
        polite.vt = VT_I4;
        polite.lVal = kPolite;
        if (control && SUCCEEDED(services_.get()->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT),
                                                              CHILDID_SELF, kLiveSettingProperty, polite)))
            Remember(control, kLiveSettingProperty);
    }
}

void AccessibleNames::Remember(HWND control, const MSAAPROPID& property) {
    if (count_ < annotated_.size()) annotated_[count_++] = {control, property};
}

void AccessibleNames::NameListEntries(HWND listBox, const std::vector<std::wstring>& names) {
    if (!services_) return;
    // Only the entries whose name changed: a long batch renames one or two
    // at each file.
    const std::size_t count = std::max(names.size(), entryNames_.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::wstring& name = i < names.size() ? names[i] : std::wstring();
        const std::wstring& before = i < entryNames_.size() ? entryNames_[i] : std::wstring();
        if (name == before && listBox == namedList_) continue;
        const DWORD child = static_cast<DWORD>(i + 1);  // a list box's entries count from 1
        if (!before.empty())
            services_.get()->ClearHwndProps(namedList_, static_cast<DWORD>(OBJID_CLIENT), child, &kNameProperty, 1);
        if (!name.empty())
            services_.get()->SetHwndPropStr(listBox, static_cast<DWORD>(OBJID_CLIENT), child, kNameProperty,
                                            name.c_str());
    }
    namedList_ = listBox;
    entryNames_ = names;
}

void AccessibleNames::Clear() {
    if (!services_) return;
    NameListEntries(namedList_, {});
    for (std::size_t i = 0; i < count_; ++i)
        services_.get()->ClearHwndProps(annotated_[i].control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                        &annotated_[i].property, 1);
    count_ = 0;
    services_.reset();
}

}  // namespace quelbrin::win32
