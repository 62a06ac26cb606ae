#include "tests/fake/fake_registry.h"

namespace quelbrin::fake {

namespace {
constexpr std::uint32_t kWriteRights = 0x0006;  // KEY_SET_VALUE | KEY_CREATE_SUB_KEY
constexpr const char* kClasses = "Software\\Classes\\";

using Values = std::map<std::string, RegValue>;

// One key, or under HKEY_CLASSES_ROOT the user's and the machine's keys of
// the same name, the user's first.
class FakeKey : public RegKey {
public:
    FakeKey(std::vector<Values*> layers, int& openKeys) : layers(std::move(layers)), openKeys_(openKeys) { ++openKeys_; }
    ~FakeKey() override { --openKeys_; }
    std::vector<Values*> layers;

private:
    int& openKeys_;
};
}  // namespace

std::unique_ptr<RegKey> FakeRegistry::Open(std::uint32_t root, const std::string& subkey, std::uint32_t access) {
    openAccess.push_back(access);
    if (refuseWriteAccess && (access & kWriteRights)) return nullptr;
    std::vector<Values*> layers;
    auto add = [&](std::uint32_t from, const std::string& path) {
        auto it = keys_.find({from, path});
        if (it != keys_.end()) layers.push_back(&it->second);
    };
    if (root == reg::ClassesRoot) {
        add(reg::CurrentUser, kClasses + subkey);
        add(reg::LocalMachine, kClasses + subkey);
    } else {
        add(root, subkey);
    }
    if (layers.empty()) return nullptr;
    return std::make_unique<FakeKey>(std::move(layers), openKeys);
}

bool FakeRegistry::Query(RegKey& key, const std::string& valueName, RegValue& value) {
    for (Values* values : static_cast<FakeKey&>(key).layers) {
        auto it = values->find(valueName);
        if (it == values->end()) continue;
        value = it->second;
        return true;
    }
    return false;
}

std::string FakeRegistry::ExpandEnvironment(const std::string& text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t open = text.find('%', i);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            out += text.substr(i);
            break;
        }
        out += text.substr(i, open - i);
        auto var = environment.find(text.substr(open + 1, close - open - 1));
        if (var != environment.end()) {
            out += var->second;
            i = close + 1;
        } else {  // unknown names stay as they are
            out += text.substr(open, close - open);
            i = close;
        }
    }
    return out;
}

void FakeRegistry::SetString(std::uint32_t root, const std::string& subkey, const std::string& name,
                             const std::string& text, std::uint32_t type) {
    const char* bytes = text.c_str();  // with its NUL
    SetValue(root, subkey, name, RegValue{type, std::vector<unsigned char>(bytes, bytes + text.size() + 1)});
}

void FakeRegistry::SetValue(std::uint32_t root, const std::string& subkey, const std::string& name, RegValue value) {
    // Written through HKEY_CLASSES_ROOT: into the user's key if there is one, else among the machine's classes.
    if (root == reg::ClassesRoot) {
        const Path user{reg::CurrentUser, kClasses + subkey};
        keys_[keys_.count(user) ? user : Path{reg::LocalMachine, kClasses + subkey}][name] = std::move(value);
        return;
    }
    keys_[{root, subkey}][name] = std::move(value);
}

}  // namespace quelbrin::fake
