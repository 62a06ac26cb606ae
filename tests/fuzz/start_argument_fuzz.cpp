// The command line is outside text: whatever it holds, the first argument
// is quote-free and no longer than the line, and the start place taken from
// it names a folder, never crashing on the way.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "main_window/start_place.h"
#include "platform/command_line.h"
#include "tests/fake/fake_file_system.h"

namespace {
// A folder with a package, and a package in a drive's root.
const quelbrin::fake::FakeFileSystem& Files() {
    static quelbrin::fake::FakeFileSystem files;
    if (files.folders.empty()) {
        files.AddFolder("D:\\Effects");
        files.AddFile("D:\\Effects", "Fire.hfz");
        files.AddFolder("D:\\");
        files.AddFile("D:\\", "Root.hfz");
    }
    return files;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> argument = quelbrin::FirstArgument(line);
    if (argument) {
        if (argument->size() > line.size()) std::abort();
        if (argument->find('"') != std::string::npos) std::abort();
    }

    const quelbrin::fake::FakeFileSystem& files = Files();
    const quelbrin::StartPlace place = quelbrin::ChooseStartPlace(files, argument);
    if (place.folder.empty()) std::abort();
    if (!place.file.empty() && files.Dir(place.folder + (place.folder.back() == '\\' ? "" : "\\") + place.file).empty() &&
        files.Dir(place.folder + "/" + place.file).empty())
        std::abort();
    return 0;
}
