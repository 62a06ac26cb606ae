// The registered command is outside text: whatever it holds, the program
// path taken from it is a plain piece of it, never quotes, never a crash.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/installer_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string command(reinterpret_cast<const char*>(data), size);
    const std::string program = quelbrin::ProgramFromCommand(command);
    if (program.size() > command.size()) std::abort();
    if (!program.empty() && command.find(program) == std::string::npos) std::abort();
    if (program.find('"') != std::string::npos) std::abort();
    if (program == "%1") std::abort();
    return 0;
}
