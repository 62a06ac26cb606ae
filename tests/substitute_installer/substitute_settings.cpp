#include "tests/substitute_installer/substitute_settings.h"

#include <cctype>
#include <sstream>

namespace substitute {

namespace {

constexpr int kLargestNumber = 3600000;  // an hour, in milliseconds

std::string Trim(const std::string& s) {
    std::size_t begin = 0, end = s.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(s[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1]))) --end;
    return s.substr(begin, end - begin);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool ParseNumber(const std::string& text, int lowest, int& out) {
    if (text.empty() || text.size() > 7) return false;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    if (n < lowest || n > kLargestNumber) return false;
    out = n;
    return true;
}

bool ParseMode(const std::string& text, Mode& out) {
    for (Mode m : {Mode::Normal, Mode::NoWindow, Mode::IgnoreKeys, Mode::Exit, Mode::Crash, Mode::Reopen, Mode::Launcher}) {
        if (SameIgnoringCase(text, ModeName(m))) {
            out = m;
            return true;
        }
    }
    return false;
}

// Applies one setting; false when the key is unknown or the value unusable.
bool Apply(Settings& s, const std::string& key, const std::string& value, std::string& why) {
    struct Number {
        const char* key;
        int Settings::*field;
        int lowest;
    };
    static const Number kNumbers[] = {
        {"passes", &Settings::passes, 1},           {"delay_ms", &Settings::delayMs, 0},
        {"crash_ms", &Settings::crashMs, 0},         {"reopen_delay_ms", &Settings::reopenDelayMs, 0},
        {"linger_ms", &Settings::lingerMs, 0},       {"timeout_ms", &Settings::timeoutMs, 0},
        {"busy_ms", &Settings::busyMs, 0},          {"closing_ms", &Settings::closingMs, 0},
    };
    if (key == "log") {
        if (value.empty()) {
            why = "an empty log path";
            return false;
        }
        s.log = value;
        return true;
    }
    if (key == "mode") {
        if (ParseMode(value, s.mode)) return true;
        why = "no such mode (normal, nowindow, ignorekeys, exit, crash, reopen, launcher)";
        return false;
    }
    for (const Number& n : kNumbers) {
        if (key != n.key) continue;
        if (ParseNumber(value, n.lowest, s.*n.field)) return true;
        why = "not a whole number from " + std::to_string(n.lowest) + " to " + std::to_string(kLargestNumber);
        return false;
    }
    why = "no such setting";
    return false;
}

}  // namespace

const char* ModeName(Mode mode) {
    switch (mode) {
    case Mode::Normal: return "normal";
    case Mode::NoWindow: return "nowindow";
    case Mode::IgnoreKeys: return "ignorekeys";
    case Mode::Exit: return "exit";
    case Mode::Crash: return "crash";
    case Mode::Reopen: return "reopen";
    case Mode::Launcher: return "launcher";
    }
    return "?";
}

Settings ReadSettings(const std::string& text, const std::string& packageFileName,
                      std::vector<std::string>& problems) {
    struct Line {
        int number;
        std::string key, value;
    };
    std::vector<Line> general, forPackage;
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            problems.push_back("line " + std::to_string(number) + ": no \"=\" in \"" + line + "\"");
            continue;
        }
        std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        const std::size_t at = key.find('@');
        if (at == std::string::npos) {
            general.push_back({number, key, value});
        } else if (SameIgnoringCase(key.substr(at + 1), packageFileName)) {
            forPackage.push_back({number, key.substr(0, at), value});
        }
    }
    Settings settings;
    for (const auto* lines : {&general, &forPackage}) {
        for (const Line& l : *lines) {
            std::string why;
            if (!Apply(settings, l.key, l.value, why))
                problems.push_back("line " + std::to_string(l.number) + ": " + l.key + "=" + l.value + ": " + why);
        }
    }
    return settings;
}

}  // namespace substitute
