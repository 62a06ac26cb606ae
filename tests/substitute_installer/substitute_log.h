#pragma once
#include <string>

namespace substitute {

// Appends one line per event to a file that several processes share:
//   <milliseconds since 1970-01-01 UTC> <process id> <event> <detail>
class Log {
public:
    explicit Log(std::string path);
    void Write(const std::string& event, const std::string& detail = {}) const;
    // The same, stamped with an earlier time (ms since 1970).
    void WriteAt(long long time, const std::string& event, const std::string& detail) const;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace substitute
