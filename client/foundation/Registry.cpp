#include "Registry.h"

#include <algorithm>

#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr char kModule[] = "modAPIRegistry";
constexpr int32_t kUnknownRoot = 99;

// An open key, closed on every path.
class OpenKey {
public:
    explicit OpenKey(HKEY key) : key_(key) {}
    ~OpenKey() { Close(); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return key_; }
    LONG Close() {
        if (!key_) return ERROR_SUCCESS;
        const LONG r = RegCloseKey(key_);
        key_ = nullptr;
        return r;
    }

private:
    HKEY key_;
};

// The type letter, upper-cased; 0 for anything that is not one of the three.
char TypeLetter(std::string_view type) {
    if (type.size() != 1) return 0;
    const char c = UpperChar(type[0]);
    return (c == 'S' || c == 'B' || c == 'D') ? c : 0;
}

LONG ReadText(HKEY key, const std::string& name, RegistryValue& result) {
    DWORD size = 0;
    LONG r = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, &size);
    // The value may grow between asking its size and reading it.
    for (int attempt = 0; attempt < 4 && (r == ERROR_SUCCESS || r == ERROR_MORE_DATA); ++attempt) {
        if (size == 0) {
            result = std::string();
            return ERROR_SUCCESS;
        }
        std::string text(size, '\0');
        DWORD got = size;
        r = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &got);
        if (r == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (r != ERROR_SUCCESS) return r;
        text.resize(std::min(got, size));
        if (!text.empty() && text.back() == '\0') text.pop_back();  // the terminator only
        result = std::move(text);
        return ERROR_SUCCESS;
    }
    return r;
}

template <class T>
LONG ReadFixed(HKEY key, const std::string& name, T& out) {
    T value{};
    DWORD size = sizeof value;
    const LONG r = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    if (r == ERROR_SUCCESS) out = value;
    return r;
}

std::string TextOf(const RegistryValue& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* b = std::get_if<bool>(&v)) return BoolText(*b);
    return CStr(std::get<int32_t>(v));
}

bool BooleanOf(const RegistryValue& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return CBool(*s);
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    return std::get<int32_t>(v) != 0;
}

int16_t IntegerOf(const RegistryValue& v) {  // raises 6 outside -32768..32767, 13 for other text
    if (const auto* s = std::get_if<std::string>(&v)) return CInt(std::string_view(*s));
    if (const auto* b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    return CInt(static_cast<double>(std::get<int32_t>(v)));
}

}  // namespace

HKEY fTopKey(std::string_view RootName) {
    const std::string name = UCase(RootName);
    if (name == "HKCU") return HKEY_CURRENT_USER;
    if (name == "HKLM") return HKEY_LOCAL_MACHINE;
    if (name == "HKU") return HKEY_USERS;
    if (name == "HKDD") return HKEY_DYN_DATA;
    if (name == "HKCC") return HKEY_CURRENT_CONFIG;
    if (name == "HKCR") return HKEY_CLASSES_ROOT;
    return nullptr;
}

int32_t fReadValue(std::string_view RootName, const std::string& KeyPath, const std::string& ValueName,
                   std::string_view ValueType, const RegistryValue& Default, RegistryValue& Result) {
    int32_t rc = kUnknownRoot;
    Guard(kModule, "fReadValue", [&] {
        Result = Default;
        const HKEY root = fTopKey(RootName);
        if (!root) return;
        HKEY raw = nullptr;
        LONG r = RegOpenKeyExA(root, KeyPath.c_str(), 0, KEY_QUERY_VALUE, &raw);
        rc = r;
        if (r != ERROR_SUCCESS) return;
        OpenKey key(raw);
        switch (TypeLetter(ValueType)) {
            case 'S': {
                RegistryValue text;
                r = ReadText(key.Get(), ValueName, text);
                if (r == ERROR_SUCCESS) Result = std::move(text);
                break;
            }
            case 'B': {
                int16_t flag = 0;
                r = ReadFixed(key.Get(), ValueName, flag);
                if (r == ERROR_SUCCESS) Result = flag != 0;
                break;
            }
            case 'D': {
                int32_t number = 0;
                r = ReadFixed(key.Get(), ValueName, number);
                if (r == ERROR_SUCCESS) Result = number;
                break;
            }
            default:
                break;  // nothing to read
        }
        rc = r;
        if (r != ERROR_SUCCESS) return;
        rc = key.Close();
    });
    return rc;
}

int32_t fWriteValue(std::string_view RootName, const std::string& KeyPath, const std::string& ValueName,
                    std::string_view ValueType, const RegistryValue& Value) {
    int32_t rc = kUnknownRoot;
    Guard(kModule, "fWriteValue", [&] {
        const HKEY root = fTopKey(RootName);
        if (!root) return;
        // The value in its stored form first: one that cannot take it touches nothing.
        rc = ERROR_INVALID_PARAMETER;
        const char type = TypeLetter(ValueType);
        std::string bytes;
        DWORD kind = REG_NONE;
        if (type == 'S') {
            bytes = TextOf(Value);
            bytes.push_back('\0');
            kind = REG_SZ;
        } else if (type == 'B') {
            const int16_t flag = BooleanOf(Value) ? -1 : 0;
            bytes.assign(reinterpret_cast<const char*>(&flag), sizeof flag);
            kind = REG_BINARY;
        } else if (type == 'D') {
            const int32_t number = IntegerOf(Value);  // sign-extended
            bytes.assign(reinterpret_cast<const char*>(&number), sizeof number);
            kind = REG_DWORD;
        }
        HKEY raw = nullptr;
        LONG r = RegCreateKeyExA(root, KeyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_SET_VALUE | KEY_CREATE_SUB_KEY, nullptr, &raw, nullptr);
        rc = r;
        if (r != ERROR_SUCCESS) return;
        OpenKey key(raw);
        if (type) {
            r = RegSetValueExA(key.Get(), ValueName.c_str(), 0, kind, reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()));
            rc = r;
            if (r != ERROR_SUCCESS) return;
        }
        rc = key.Close();
    });
    return rc;
}

std::string ClientRegistryKey(int64_t accessCode) {
    // In 64 bits: the serial 0x80000000 has no 32-bit absolute value.
    const uint64_t magnitude = accessCode < 0 ? 0 - static_cast<uint64_t>(accessCode) : static_cast<uint64_t>(accessCode);
    return "SOFTWARE\\Microsoft\\Compatibility\\" + std::to_string(magnitude);
}

}  // namespace skx
