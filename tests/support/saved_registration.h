#pragma once
// The installer command registered for ".hfz" files in the machine-wide
// classes (where Quelbrin reads it; under Wine HKEY_CLASSES_ROOT is that
// key), kept while a test changes it and put back as it was afterwards.
#include <vector>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::test {

constexpr wchar_t kHfzClassKeyW[] = L"Software\\Classes\\hfzfile";
constexpr wchar_t kHfzCommandKeyW[] = L"Software\\Classes\\hfzfile\\shell\\open\\command";

class SavedHfzCommand {
public:
    SavedHfzCommand();
    ~SavedHfzCommand();
    SavedHfzCommand(const SavedHfzCommand&) = delete;
    SavedHfzCommand& operator=(const SavedHfzCommand&) = delete;

private:
    bool hadClass_ = false, hadKey_ = false, hadValue_ = false;
    DWORD type_ = 0;
    std::vector<unsigned char> data_;
};

}  // namespace quelbrin::test
