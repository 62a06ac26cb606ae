#include "settings/installer_path.h"

#include "main_window/main_form.h"
#include "main_window/main_form_layout.h"
#include "settings/registry_reader.h"

namespace quelbrin {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The placeholders the shell replaces, such as %1, %L or %*: no program.
bool IsPlaceholder(const std::string& token) {
    return token.size() == 2 && token[0] == '%';
}

// "PATH" %1, with no other quote: cut off the first and the last four characters.
bool IsDocumentedForm(const std::string& command) {
    return command.size() > 5 && command.front() == '"' && EndsWith(command, "\" %1") &&
           command.find('"', 1) == command.size() - 4;
}

std::size_t FindExe(const std::string& s, std::size_t from) {
    for (std::size_t i = from; i + 4 <= s.size(); ++i) {
        if (s[i] == '.' && (s[i + 1] | 0x20) == 'e' && (s[i + 2] | 0x20) == 'x' &&
            (s[i + 3] | 0x20) == 'e' && (i + 4 == s.size() || IsBlank(s[i + 4]) || s[i + 4] == '"'))
            return i;
    }
    return std::string::npos;
}

// The first token as Windows reads a command line: the quoted text, or,
// unquoted, up to and including ".exe" (else up to the first blank).
std::string FirstProgramToken(const std::string& command) {
    std::size_t start = 0;
    while (start < command.size() && IsBlank(command[start])) ++start;
    if (start == command.size()) return {};
    if (command[start] == '"') {
        const std::size_t close = command.find('"', start + 1);
        return command.substr(start + 1, close == std::string::npos ? std::string::npos
                                                                    : close - start - 1);
    }
    const std::size_t exe = FindExe(command, start);
    std::size_t end = exe != std::string::npos ? exe + 4 : command.size();
    for (std::size_t i = start; i < end; ++i) {
        if (exe == std::string::npos && IsBlank(command[i])) {
            end = i;
            break;
        }
    }
    return command.substr(start, end - start);
}

}  // namespace

std::string ProgramFromCommand(const std::string& command) {
    std::string program;
    if (IsDocumentedForm(command)) {
        program = command.substr(1, command.size() - 5);
    } else {
        program = FirstProgramToken(command);
        while (!program.empty() && IsBlank(program.back())) program.pop_back();
    }
    if (IsPlaceholder(program) || program.find_first_not_of(" \t") == std::string::npos ||
        program.find('"') != std::string::npos)
        return {};
    return program;
}

void ResolveInstallerPath(MainForm& form) {
    Platform& platform = form.Env();
    std::string appPath = platform.files.AppPath();
    // A root folder already ends in "\": the candidate then holds "\\", as given.
    const std::string local = appPath + "\\" + kLocalInstallerName;
    if (!platform.files.Dir(local).empty()) {
        form.HfzInstPath = local;
        return;
    }
    RegText command = ReadRegText(platform.registry, reg::LocalMachine, kHfzCommandKey, "");
    if (command.type == reg::ExpandSz) command.text = platform.registry.ExpandEnvironment(command.text);
    std::string program = command.text.empty() ? std::string() : ProgramFromCommand(command.text);
    if (!program.empty()) {
        form.HfzInstPath = program;
        return;
    }
    platform.ui.MsgBox(kNoInstallerMessage, layout::kAppTitle, msgbox::OkOnly);
}

}  // namespace quelbrin
