// What the loading and saving tests share: the key as a whole, what the window shows, message boxes, a key that refuses writes.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "qvconfig/settings/settings_key_values.h"
#include "testbed/harness/registry.h"
#include "user_actions.h"

namespace qve2e {

using qvtest::AppWindow;

// ---- The key as a whole ------------------------------------------------------------

// One value as the registry holds it: its type and its bytes (a string's zero byte included).
struct Stored {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool operator==(const Stored& other) const { return type == other.type && bytes == other.bytes; }
};
using KeyContents = std::map<std::string, Stored>;

inline Stored Sz(const std::string& text) {
    Stored value{REG_SZ, std::vector<BYTE>(text.begin(), text.end())};
    value.bytes.push_back(0);
    return value;
}

inline Stored Dword(std::uint32_t number) {
    return Stored{REG_DWORD, {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8),
                              static_cast<BYTE>(number >> 16), static_cast<BYTE>(number >> 24)}};
}

inline std::string TextOf(const Stored& value) {
    std::string text(value.bytes.begin(), value.bytes.end());
    while (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

inline std::uint32_t NumberOf(const Stored& value) {
    std::uint32_t number = 0;
    for (std::size_t i = value.bytes.size(); i-- > 0;) number = number << 8 | value.bytes[i];
    return number;
}

inline void PrintTo(const Stored& value, std::ostream* out) {
    if (value.type == REG_SZ) {
        *out << "REG_SZ \"" << TextOf(value) << "\" (" << value.bytes.size() << " bytes)";
    } else if (value.type == REG_DWORD && value.bytes.size() == 4) {
        *out << "REG_DWORD " << NumberOf(value);
    } else {
        *out << "type " << value.type << ", " << value.bytes.size() << " bytes";
    }
}

// Every value of the settings key (or of another key under HKEY_LOCAL_MACHINE); nothing
// when the key is missing.
inline std::optional<KeyContents> ReadKey(const std::string& path = qvtest::kSettingsKeyPath) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    KeyContents contents;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameSize = sizeof name;
        Stored value;
        value.bytes.resize(4096);
        DWORD size = static_cast<DWORD>(value.bytes.size());
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &value.type, value.bytes.data(), &size) !=
            ERROR_SUCCESS) {
            break;
        }
        value.bytes.resize(size);
        contents[name] = value;
    }
    RegCloseKey(key);
    return contents;
}

// Replaces the key by one holding exactly these values.
inline void SeedKey(const KeyContents& contents) {
    ASSERT_TRUE(qvtest::DeleteSettingsKey());
    for (const auto& [name, value] : contents) {
        if (value.type == REG_SZ) {
            ASSERT_TRUE(qvtest::WriteString(name, TextOf(value))) << name;
        } else {
            ASSERT_TRUE(qvtest::WriteDword(name, NumberOf(value))) << name;
        }
    }
    ASSERT_EQ(ReadKey(), contents) << "the seed did not take";
}

inline KeyContents With(KeyContents contents, const KeyContents& changes) {
    for (const auto& [name, value] : changes) contents[name] = value;
    return contents;
}

// The key that holds a record's present fields, each under the name and type of its
// row in the program's table.
inline KeyContents KeyContentsOf(const qvtest::StoredSettings& settings) {
    KeyContents contents;
    qv::WritePresentFields(
        settings, qv::Which::Every,
        [&contents](const char* name, const std::string& text) { return contents.emplace(name, Sz(text)).second; },
        [&contents](const char* name, std::int32_t number) {
            return contents.emplace(name, Dword(static_cast<std::uint32_t>(number))).second;
        });
    return contents;
}

// The harness's settings away from the defaults, in the key of an installation.
inline const KeyContents kStored = With(KeyContentsOf(qvtest::SettingsAwayFromTheDefaults()),
                                        {{"Executable", Sz("C:\\Program Files\\Quorvel\\qvconfig.exe")}});

// ---- What the window shows -----------------------------------------------------------

constexpr int kNoCheck = -1;
constexpr const char* kCaptionFixed = nullptr;

struct Shown {
    const char* name;
    const char* text;  // kCaptionFixed for check boxes and buttons
    int check;         // kNoCheck for anything but a check box
    bool enabled;
};

struct ScrollShown {
    const char* name;
    int position;
};

constexpr int X = BST_CHECKED;
constexpr int O = BST_UNCHECKED;
constexpr const char* kFixed = kCaptionFixed;

// With no driver only "Enable" of the three driver buttons is usable.
inline const std::vector<Shown> kDriverButtonsWithoutDriver = {
    {"enableButton", kFixed, kNoCheck, true},
    {"disableButton", kFixed, kNoCheck, false},
    {"saveDiskImageButton", kFixed, kNoCheck, false},
};

inline const std::vector<Shown> kShownForStored = {
    {"version", "Version 1.5", kNoCheck, true},
    {"diskTypeList", "Hard Disk", kNoCheck, true},
    {"diskSizeLabel", kFixed, kNoCheck, true},
    {"diskSizeBox", " 4095", kNoCheck, true},
    {"megabytesLabel", kFixed, kNoCheck, true},
    {"fat32Check", kFixed, X, true},
    {"driveLetterBox", "D", kNoCheck, true},
    {"loadAtStartupCheck", kFixed, X, true},
    {"loadFileBox", "D:\\images\\load me.img", kNoCheck, true},
    {"saveOnShutdownCheck", kFixed, X, true},
    {"saveFileBox", "E:\\save.img", kNoCheck, true},
    {"autoSaveCheck", kFixed, X, true},
    {"autoSaveIntervalBox", " 608", kNoCheck, true},
    {"tempDirCheck", kFixed, O, true},
    {"diskLabelCheck", kFixed, O, true},
    {"diskLabelBox", "SCRATCH", kNoCheck, false},
    {"startAtBootCheck", kFixed, X, true},
};
inline const std::vector<ScrollShown> kScrollsForStored = {
    {"diskSizeStepper", 32767 - 4095}, {"driveLetterStepper", 16384}, {"autoSaveIntervalStepper", 32767 - 608}};

// With no key: the settings of a fresh installation, the size box's rule having
// disabled FAT32 for the 10 MB.
inline const std::vector<Shown> kShownForDefaults = {
    {"version", "Version 1.5", kNoCheck, true},
    {"diskTypeList", "Hard Disk", kNoCheck, true},
    {"diskSizeLabel", kFixed, kNoCheck, true},
    {"diskSizeBox", "10", kNoCheck, true},
    {"megabytesLabel", kFixed, kNoCheck, true},
    {"fat32Check", kFixed, O, false},
    {"driveLetterBox", "Z", kNoCheck, true},
    {"loadAtStartupCheck", kFixed, O, true},
    {"loadFileBox", "c:\\qvdriver.img", kNoCheck, false},
    {"saveOnShutdownCheck", kFixed, O, true},
    {"saveFileBox", "c:\\qvdriver.img", kNoCheck, true},
    {"autoSaveCheck", kFixed, O, true},
    {"autoSaveIntervalBox", "600", kNoCheck, false},
    {"tempDirCheck", kFixed, O, true},
    {"diskLabelCheck", kFixed, O, true},
    {"diskLabelBox", "QVDRIVER", kNoCheck, false},
    {"startAtBootCheck", kFixed, O, true},
};
inline const std::vector<ScrollShown> kScrollsForDefaults = {
    {"diskSizeStepper", 32757}, {"driveLetterStepper", 16384}, {"autoSaveIntervalStepper", 32167}};

inline void ExpectShown(const AppWindow& window, const std::vector<Shown>& rows) {
    for (const Shown& row : rows) {
        SCOPED_TRACE(row.name);
        HWND control = window.Control(row.name);
        ASSERT_NE(control, nullptr);
        if (row.text != kCaptionFixed) {
            EXPECT_EQ(qvtest::WindowText(control), row.text);
        }
        if (row.check != kNoCheck) {
            EXPECT_EQ(qvtest::CheckState(control), row.check);
        }
        EXPECT_EQ(qvtest::IsEnabled(control), row.enabled);
    }
}

inline void ExpectScrollPositions(const AppWindow& window, const std::vector<ScrollShown>& rows) {
    for (const ScrollShown& row : rows) {
        EXPECT_EQ(qvtest::ScrollPosition(window.Control(row.name)), row.position) << row.name;
    }
}

// ---- Message boxes and the driver ------------------------------------------------------

// A box as the user met it, with the captions of every window on the screen meanwhile
// (sorted, since the stacking order is not the point).
struct SeenBox {
    std::string caption;
    std::string text;
    std::vector<std::string> windowsMeanwhile;
    bool operator==(const SeenBox& other) const {
        return caption == other.caption && text == other.text && windowsMeanwhile == other.windowsMeanwhile;
    }
};

inline void PrintTo(const SeenBox& box, std::ostream* out) {
    *out << "\"" << box.caption << "\": \"" << box.text << "\" with windows {";
    for (const std::string& caption : box.windowsMeanwhile) *out << " \"" << caption << "\"";
    *out << " }";
}

inline SeenBox BoxAlone(const std::string& caption, const std::string& text) { return {caption, text, {caption}}; }

// Waits for the program's next message box, notes it and presses its OK; nothing when
// no box came (or the program ended first).
inline std::optional<SeenBox> AnswerNextBox(qvtest::Program& program) {
    HWND box = nullptr;
    qvtest::WaitUntil(
        [&] {
            const std::vector<HWND> boxes = qvtest::TopLevelWindows(program.Id(), "#32770");
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr || program.HasExited();
        },
        kOpenTimeoutMs);
    if (!box) return std::nullopt;
    SeenBox seen{qvtest::Caption(box), qvtest::MessageBoxText(box), qvtest::TopLevelCaptions(program.Id())};
    std::sort(seen.windowsMeanwhile.begin(), seen.windowsMeanwhile.end());
    qvtest::PressMessageBoxButton(box, IDOK);
    qvtest::WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kReactTimeoutMs);
    return seen;
}

// Every box the program shows until it ends, each answered with OK.
inline std::vector<SeenBox> AnswerBoxesUntilEnd(qvtest::Program& program) {
    std::vector<SeenBox> seen;
    constexpr std::size_t kEnough = 5;  // a program that keeps asking fails instead of looping
    while (seen.size() < kEnough) {
        const std::optional<SeenBox> box = AnswerNextBox(program);
        if (!box) break;
        seen.push_back(*box);
    }
    return seen;
}

// These tests count on the stand-in driver not running; an earlier test that left it
// running would change the driver buttons and the `save` word's box.
inline bool DriverDevicePresent() {
    HANDLE device = CreateFileA("\\\\.\\QVDRIVER", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    CloseHandle(device);
    return true;
}

inline const std::string kCannotOpenDevice = "Cannot open the Quorvel device.";
inline const std::string kOpenDriverCaption = "Open Quorvel Driver";
inline const std::string kUnableToOpenKey = "Unable to open Quorvel registry key.";

// ---- A key that refuses writes ---------------------------------------------------------

// Sets the key's access list: everyone may do anything, or anything but write values.
inline bool AllowValueWrites(bool allowed) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, qvtest::kSettingsKeyPath, 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
        return false;
    }
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    alignas(DWORD) BYTE aclBytes[256];
    auto* acl = reinterpret_cast<ACL*>(aclBytes);
    SECURITY_DESCRIPTOR descriptor;
    const bool set = everyone && InitializeAcl(acl, sizeof aclBytes, ACL_REVISION) &&
                     (allowed || AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE, everyone)) &&
                     AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
                     InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                     SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
                     RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    if (everyone) FreeSid(everyone);
    RegCloseKey(key);
    return set;
}

// While it lives, the key can be read but no value written, as on a multi-user
// Windows for a user without write access to the machine's settings.
class ValueWritesRefused {
public:
    ValueWritesRefused() : applied_(AllowValueWrites(false)) {}
    ~ValueWritesRefused() { AllowValueWrites(true); }
    ValueWritesRefused(const ValueWritesRefused&) = delete;
    ValueWritesRefused& operator=(const ValueWritesRefused&) = delete;

    // True when a write through the key opened as the program opens it fails.
    bool Refuses() const {
        if (!applied_) return false;
        HKEY key = nullptr;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, qvtest::kSettingsKeyPath, &key) != ERROR_SUCCESS) return false;
        const DWORD unchanged = NumberOf(kStored.at("BootEnable"));
        const LONG result = RegSetValueExA(key, "BootEnable", 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&unchanged), sizeof unchanged);
        RegCloseKey(key);
        return result != ERROR_SUCCESS;
    }

private:
    bool applied_;
};

// ---- Input -----------------------------------------------------------------------------

// Replaces a text box's text by typing, as a user selects it all and types over it.
inline void TypeInto(HWND textBox, const std::string& text) {
    SelectAllOf(textBox);
    qvtest::TypeText(text);
}

}  // namespace qve2e
