#pragma once
#include <cstdio>
#include <string>

namespace quelbrin::bench {

// The raw figures of a run, one "key<TAB>value" line each, written as they
// come so that a run that fails half-way still leaves what it measured.
// Notes carry text (what was checked, what went wrong).
class Samples {
public:
    explicit Samples(const std::wstring& path);
    ~Samples();
    Samples(const Samples&) = delete;
    Samples& operator=(const Samples&) = delete;

    bool ok() const { return file_ != nullptr; }
    void Add(const std::string& key, double value);
    void Note(const std::string& key, const std::string& text);
    // A failure of a measurement: counted, and shown in the report.
    void Error(const std::string& section, const std::string& text);
    int errors() const { return errors_; }

private:
    std::FILE* file_ = nullptr;
    int errors_ = 0;
};

}  // namespace quelbrin::bench
