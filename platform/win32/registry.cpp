#include <vector>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

namespace {

// A value that keeps growing while it is read is given up after this many tries.
constexpr int kQueryAttempts = 8;

class Win32RegKey : public RegKey {
public:
    explicit Win32RegKey(UniqueRegKey key) : key_(std::move(key)) {}
    HKEY get() const { return key_.get(); }

private:
    UniqueRegKey key_;
};

// The predefined roots are 32-bit values that a 64-bit HKEY holds sign-extended.
HKEY RootKey(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// UTF-16 as stored, embedded NULs kept, nothing added; an odd last byte is dropped.
std::vector<unsigned char> TextToUtf8(const std::vector<unsigned char>& bytes) {
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    const std::string utf8 = Narrow(text);
    return {utf8.begin(), utf8.end()};
}

class Win32Registry : public Registry {
public:
    std::unique_ptr<RegKey> Open(std::uint32_t root, const std::string& subkey,
                                 std::uint32_t access) override {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(RootKey(root), Widen(subkey).c_str(), 0, access, &opened) != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<Win32RegKey>(UniqueRegKey(opened));
    }

    bool Query(RegKey& key, const std::string& valueName, RegValue& value) override {
        auto* own = dynamic_cast<Win32RegKey*>(&key);
        if (!own) return false;
        const std::wstring name = Widen(valueName);
        DWORD type = REG_NONE;
        DWORD size = 0;
        // Sized first; a value that grows in between is read again, larger.
        LONG rc = RegQueryValueExW(own->get(), name.c_str(), nullptr, &type, nullptr, &size);
        std::vector<unsigned char> data;
        for (int attempt = 0; attempt < kQueryAttempts; ++attempt) {
            if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return false;
            if (rc == ERROR_SUCCESS && size <= data.size()) {
                data.resize(size);
                value.type = type;
                value.data = IsText(type) ? TextToUtf8(data) : std::move(data);
                return true;
            }
            data.resize(size);
            rc = RegQueryValueExW(own->get(), name.c_str(), nullptr, &type, data.data(), &size);
        }
        return false;
    }

    std::string ExpandEnvironment(const std::string& text) override {
        const std::wstring source = Widen(text);
        std::wstring buffer(source.size() + 64, L'\0');
        for (;;) {
            const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), buffer.data(),
                                                           static_cast<DWORD>(buffer.size()));
            if (needed == 0) return text;  // left as it was
            if (needed <= buffer.size()) {
                buffer.resize(needed - 1);  // without the terminating NUL
                return Narrow(buffer);
            }
            buffer.assign(needed, L'\0');
        }
    }
};

}  // namespace

std::unique_ptr<Registry> MakeRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace quelbrin::win32
