// RegistrySettingsStore: fixed-size reads (4 bytes for numbers, 255 for strings) whose type is not looked at.
#include "platform/win32/registry_settings_store.h"

#include <algorithm>

#include "platform/win32/late_calls.h"

namespace qv {
namespace {
constexpr const char* SettingsSubkey = "Software\\Quorvel";

// RegOpenKeyA asks for the most access the user has (MAXIMUM_ALLOWED): an administrator
// reads and writes, anyone else may still read. The 64-bit view asks for the same.
LONG OpenSettingsSubkey(SettingsKeyView view, HKEY* opened) {
    if (view == SettingsKeyView::SixtyFourBit) {
        return RegOpenKeyExA(HKEY_LOCAL_MACHINE, SettingsSubkey, 0, MAXIMUM_ALLOWED | KEY_WOW64_64KEY, opened);
    }
    return RegOpenKeyA(HKEY_LOCAL_MACHINE, SettingsSubkey, opened);
}

}  // namespace

Wow64Answer AskWow64() {
    using IsWow64ProcessCall = BOOL(WINAPI*)(HANDLE, BOOL*);
    const auto isWow64Process = FindLateCall<IsWow64ProcessCall>("kernel32.dll", "IsWow64Process");
    if (!isWow64Process) return Wow64Answer::NoSuchCall;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64)) return Wow64Answer::CallFailed;
    return wow64 ? Wow64Answer::Yes : Wow64Answer::No;
}

bool RegistrySettingsStore::OpenSettingsKey() {
    key_.reset();
    HKEY opened = nullptr;
    if (OpenSettingsSubkey(view_, &opened) != ERROR_SUCCESS) return false;
    key_.reset(opened);
    return true;
}

// A value of up to 4 bytes fills the low bytes of the number, which starts as 0.
std::optional<std::int32_t> RegistrySettingsStore::ReadDwordValue(const std::string& name) {
    if (!key_) return std::nullopt;
    DWORD type = 0;
    std::int32_t number = 0;
    DWORD size = sizeof number;
    const LONG result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(&number), &size);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return number;
}

// The bytes returned, every zero byte dropped wherever it stands.
std::optional<std::string> RegistrySettingsStore::ReadStringValue(const std::string& name) {
    if (!key_) return std::nullopt;
    DWORD type = 0;
    char buffer[StringBufferBytes] = {};
    DWORD size = sizeof buffer;
    const LONG result = RegQueryValueExA(key_.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer), &size);
    if (result != ERROR_SUCCESS) return std::nullopt;
    std::string text(buffer, std::min<std::size_t>(size, sizeof buffer));
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

bool RegistrySettingsStore::WriteDwordValue(const std::string& name, std::int32_t value) {
    if (!key_) return false;
    return RegSetValueExA(key_.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

// The text, cut to what the read buffer can take back, and its zero byte.
bool RegistrySettingsStore::WriteStringValue(const std::string& name, const std::string& text) {
    if (!key_) return false;
    const std::string kept = text.substr(0, MaxStringChars);
    return RegSetValueExA(key_.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(kept.c_str()),
                          static_cast<DWORD>(kept.size() + 1)) == ERROR_SUCCESS;
}

void RegistrySettingsStore::CloseSettingsKey() { key_.reset(); }

}  // namespace qv
