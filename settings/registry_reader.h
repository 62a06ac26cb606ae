#pragma once
#include <cstdint>
#include <string>

#include "platform/registry.h"

namespace quelbrin {

struct RegText {
    std::uint32_t type = reg::None;
    std::string text;
};

// A registry value as text, with its type: REG_SZ and REG_EXPAND_SZ cut
// before their first NUL (references left unexpanded), REG_DWORD in
// decimal, anything else (or a value that can't be read) empty.
RegText ReadRegText(Registry& registry, std::uint32_t root, const std::string& subkey,
                    const std::string& valueName);

std::string ReadRegString(Registry& registry, std::uint32_t root, const std::string& subkey,
                          const std::string& valueName);

}  // namespace quelbrin
