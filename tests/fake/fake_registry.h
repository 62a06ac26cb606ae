#pragma once
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace quelbrin::fake {

// Keys and values in memory. HKEY_CLASSES_ROOT is Windows' merged view:
// HKEY_CURRENT_USER\Software\Classes over HKEY_LOCAL_MACHINE\Software\Classes,
// the user's values winning; a value set through it goes to the user's key
// when there is one, else to the machine's.
// Like HKEY_CLASSES_ROOT for a user who may not change the machine's classes,
// it refuses write access when told to.
class FakeRegistry : public Registry {
public:
    std::unique_ptr<RegKey> Open(std::uint32_t root, const std::string& subkey,
                                 std::uint32_t access) override;
    bool Query(RegKey& key, const std::string& valueName, RegValue& value) override;
    std::string ExpandEnvironment(const std::string& text) override;

    void SetString(std::uint32_t root, const std::string& subkey, const std::string& name,
                   const std::string& text, std::uint32_t type = reg::Sz);
    void SetValue(std::uint32_t root, const std::string& subkey, const std::string& name,
                  RegValue value);

    bool refuseWriteAccess = true;
    std::map<std::string, std::string> environment;
    std::vector<std::uint32_t> openAccess;  // access mask of every open attempt
    int openKeys = 0;                         // keys opened and not yet closed

private:
    using Path = std::pair<std::uint32_t, std::string>;
    std::map<Path, std::map<std::string, RegValue>> keys_;
};

}  // namespace quelbrin::fake
