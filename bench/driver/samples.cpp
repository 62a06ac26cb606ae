#include "bench/driver/samples.h"

namespace quelbrin::bench {

namespace {

// Tabs and line breaks would break the line format.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace

Samples::Samples(const std::wstring& path) : file_(_wfopen(path.c_str(), L"ab")) {}

Samples::~Samples() {
    if (file_ != nullptr) std::fclose(file_);
}

void Samples::Add(const std::string& key, double value) {
    if (file_ == nullptr) return;
    std::fprintf(file_, "%s\t%.3f\n", OneLine(key).c_str(), value);
    std::fflush(file_);
    std::printf("  %s = %.3f\n", key.c_str(), value);
    std::fflush(stdout);
}

void Samples::Note(const std::string& key, const std::string& text) {
    if (file_ == nullptr) return;
    std::fprintf(file_, "%s\t%s\n", OneLine(key).c_str(), OneLine(text).c_str());
    std::fflush(file_);
    std::printf("  %s: %s\n", key.c_str(), text.c_str());
    std::fflush(stdout);
}

void Samples::Error(const std::string& section, const std::string& text) {
    ++errors_;
    Note("error." + section, text);
}

}  // namespace quelbrin::bench
