// Whatever type and bytes a registry value holds, reading it as text gives
// text only for the string types and numbers, and closes the key.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/registry_reader.h"
#include "tests/fake/fake_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quelbrin;
    if (size < 1) return 0;
    fake::FakeRegistry registry;
    RegValue value;
    value.type = data[0] % 12;
    value.data.assign(data + 1, data + size);
    registry.SetValue(reg::ClassesRoot, "k", "", value);
    const RegText text = ReadRegText(registry, reg::ClassesRoot, "k", "");
    if (registry.openKeys != 0) std::abort();
    if (text.text.find('\0') != std::string::npos) std::abort();
    const bool stringType = value.type == reg::Sz || value.type == reg::ExpandSz;
    if (!stringType && value.type != reg::Dword && !text.text.empty()) std::abort();
    if (stringType && text.text.size() > value.data.size()) std::abort();
    return 0;
}
