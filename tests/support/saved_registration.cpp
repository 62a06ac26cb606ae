#include "tests/support/saved_registration.h"

namespace quelbrin::test {

SavedHfzCommand::SavedHfzCommand() {
    HKEY key = nullptr;
    hadClass_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kHfzClassKeyW, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (key) RegCloseKey(key);
    key = nullptr;
    hadKey_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kHfzCommandKeyW, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (!key) return;
    DWORD size = 0;
    hadValue_ = RegQueryValueExW(key, L"", nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
    data_.resize(size);
    if (hadValue_ && size) RegQueryValueExW(key, L"", nullptr, &type_, data_.data(), &size);
    data_.resize(size);
    RegCloseKey(key);
}

SavedHfzCommand::~SavedHfzCommand() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kHfzCommandKeyW);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kHfzCommandKeyW);
    if (!hadClass_) {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kHfzClassKeyW);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kHfzClassKeyW);
        return;
    }
    if (!hadKey_) return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kHfzCommandKeyW, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (hadValue_)
        RegSetValueExW(key, L"", 0, type_, data_.empty() ? nullptr : data_.data(), static_cast<DWORD>(data_.size()));
    RegCloseKey(key);
}

}  // namespace quelbrin::test
