#include "tests/fake/fake_registry.h"

namespace quelbrin::fake {

namespace {
constexpr std::uint32_t kWriteRights = 0x0006;  // KEY_SET_VALUE | KEY_CREATE_SUB_KEY

class FakeKey : public RegKey {
public:
    FakeKey(std::map<std::string, RegValue>& values, int& openKeys)
        : values(values), openKeys_(openKeys) {
        ++openKeys_;
    }
    ~FakeKey() override { --openKeys_; }
    std::map<std::string, RegValue>& values;

private:
    int& openKeys_;
};
}  // namespace

std::unique_ptr<RegKey> FakeRegistry::Open(std::uint32_t root, const std::string& subkey,
                                           std::uint32_t access) {
    openAccess.push_back(access);
    if (refuseWriteAccess && (access & kWriteRights)) return nullptr;
    auto it = keys_.find({root, subkey});
    if (it == keys_.end()) return nullptr;
    return std::make_unique<FakeKey>(it->second, openKeys);
}

bool FakeRegistry::Query(RegKey& key, const std::string& valueName, RegValue& value) {
    auto& values = static_cast<FakeKey&>(key).values;
    auto it = values.find(valueName);
    if (it == values.end()) return false;
    value = it->second;
    return true;
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

void FakeRegistry::SetString(std::uint32_t root, const std::string& subkey,
                             const std::string& name, const std::string& text,
                             std::uint32_t type) {
    RegValue v;
    v.type = type;
    v.data.assign(text.begin(), text.end());
    v.data.push_back(0);
    SetValue(root, subkey, name, std::move(v));
}

void FakeRegistry::SetValue(std::uint32_t root, const std::string& subkey,
                            const std::string& name, RegValue value) {
    keys_[{root, subkey}][name] = std::move(value);
}

}  // namespace quelbrin::fake
