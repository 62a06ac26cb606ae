// Keystroke notation: any text either parses or reports an error, and the
// repeat counts can't blow up into an unbounded number of keys.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/key_notation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const quelbrin::ParsedKeys parsed = quelbrin::ParseKeyNotation(text);
    if (!parsed.ok() && !parsed.keys.empty()) std::abort();
    for (const auto& key : parsed.keys) {
        // A key is either a named key or a character, never both or neither.
        if ((key.virtualKey == 0) == (key.character == 0)) std::abort();
    }
    return 0;
}
