// RegistrySettingsStore: the settings key HKLM\Software\Quorvel through advapi32's ANSI calls, in the 64-bit view under WOW64.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/settings_key_view.h"
#include "platform/settings_store.h"

namespace qv {

// Asks the system whether this process runs under WOW64, through IsWow64Process looked up
// at run time: Windows 95 lacks it, and a program that imported it would not load there.
Wow64Answer AskWow64();

// Keeps the SettingsStore contract on the real key. The key is only opened, never
// created; a key still open when the store is destroyed is closed then.
class RegistrySettingsStore : public SettingsStore {
public:
    // The key in the view this process should use: the 64-bit one under WOW64.
    RegistrySettingsStore() : RegistrySettingsStore(SettingsKeyViewFor(AskWow64())) {}
    explicit RegistrySettingsStore(SettingsKeyView view) : view_(view) {}
    RegistrySettingsStore(const RegistrySettingsStore&) = delete;
    RegistrySettingsStore& operator=(const RegistrySettingsStore&) = delete;

    bool OpenSettingsKey() override;
    std::optional<std::int32_t> ReadDwordValue(const std::string& name) override;
    std::optional<std::string> ReadStringValue(const std::string& name) override;
    bool WriteDwordValue(const std::string& name, std::int32_t value) override;
    bool WriteStringValue(const std::string& name, const std::string& text) override;
    void CloseSettingsKey() override;

private:
    struct KeyCloser {
        void operator()(HKEY key) const { RegCloseKey(key); }
    };
    SettingsKeyView view_;
    std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser> key_;
};

}  // namespace qv
