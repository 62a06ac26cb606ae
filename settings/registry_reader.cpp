#include "settings/registry_reader.h"

namespace quelbrin {

RegText ReadRegText(Registry& registry, std::uint32_t root, const std::string& subkey,
                    const std::string& valueName) {
    // Read rights only: asking for write rights is refused under
    // HKEY_CLASSES_ROOT to anyone who may not change the machine's classes.
    std::unique_ptr<RegKey> key = registry.Open(root, subkey, reg::KeyRead);
    if (!key) return {};
    RegValue value;
    if (!registry.Query(*key, valueName, value)) return {};

    RegText result{value.type, {}};
    switch (value.type) {
    case reg::Sz:
    case reg::ExpandSz: {
        std::string text(value.data.begin(), value.data.end());
        result.text = text.substr(0, text.find('\0'));
        break;
    }
    case reg::Dword:
        if (value.data.size() >= 4) {
            std::uint32_t n = 0;
            for (int i = 3; i >= 0; --i) n = (n << 8) | value.data[static_cast<std::size_t>(i)];
            result.text = std::to_string(n);
        }
        break;
    default:
        break;
    }
    return result;
}

std::string ReadRegString(Registry& registry, std::uint32_t root, const std::string& subkey,
                          const std::string& valueName) {
    return ReadRegText(registry, root, subkey, valueName).text;
}

}  // namespace quelbrin
