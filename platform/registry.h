#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/noncopyable.h"

namespace quelbrin {

namespace reg {
// The predefined roots. HKEY_CLASSES_ROOT is a view: HKEY_CURRENT_USER's
// Software\Classes merged over HKEY_LOCAL_MACHINE's, the user's entries winning.
constexpr std::uint32_t ClassesRoot = 0x80000000u;
constexpr std::uint32_t CurrentUser = 0x80000001u;
constexpr std::uint32_t LocalMachine = 0x80000002u;
constexpr std::uint32_t KeyRead = 0x20019u;
constexpr std::uint32_t None = 0, Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7;
}  // namespace reg

// An open registry key; closed when dropped.
class RegKey : public Interface {};

struct RegValue {
    std::uint32_t type = reg::None;
    std::vector<unsigned char> data;  // as stored; strings are UTF-8 here
};

class Registry : public Interface {
public:
    // Null when the key can't be opened with this access.
    virtual std::unique_ptr<RegKey> Open(std::uint32_t root, const std::string& subkey,
                                         std::uint32_t access) = 0;
    // The whole value, however long; false when it can't be read. String
    // values come as UTF-8 without any terminating NUL added.
    virtual bool Query(RegKey& key, const std::string& valueName, RegValue& value) = 0;
    // Expands %NAME% environment references.
    virtual std::string ExpandEnvironment(const std::string& text) = 0;
};

}  // namespace quelbrin
