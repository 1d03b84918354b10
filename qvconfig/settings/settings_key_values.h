// The settings key's values: one row each, with the facts that reading, writing and the fallback derive from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "qvconfig/settings/disk_settings.h"

namespace qv {

// How a value is stored: a text (REG_SZ) or a 32-bit number (REG_DWORD).
enum class StoredType { Text, Number };

using TextField = std::optional<std::string> DiskSettings::*;
using NumberField = std::optional<std::int32_t> DiskSettings::*;

// What the window of a fresh installation shows for a value: a box's text, or the
// value of a check box or of the disk type list.
struct FreshValue {
    const char* text;  // null when the value is a check box's or the list's
    int value;
};
constexpr FreshValue ShowsText(const char* text) { return {text, 0}; }
constexpr FreshValue ShowsValue(int value) { return {nullptr, value}; }
constexpr FreshValue ShowsCleared = ShowsValue(0);  // a check box's cleared value

// One value of the key. Exactly one of `text` and `number` is set, as `type` says.
struct SettingsKeyValue {
    const char* name;  // spelled as in the key
    StoredType type;
    TextField text;
    NumberField number;
    FreshValue fresh;
    bool written;  // false: the installation's, read but never written by the program
};

constexpr bool Written = true;
constexpr bool ReadOnly = false;

constexpr SettingsKeyValue StoredText(const char* name, TextField field, FreshValue fresh, bool written) {
    return {name, StoredType::Text, field, nullptr, fresh, written};
}
constexpr SettingsKeyValue StoredNumber(const char* name, NumberField field, FreshValue fresh, bool written) {
    return {name, StoredType::Number, nullptr, field, fresh, written};
}

// In the order the program saves them. A fresh installation's window shows numbers as
// they are typed ("10", not " 10"), and the disk type as the list's first kind.
inline constexpr SettingsKeyValue SettingsKeyValues[] = {
    StoredText("DiskType", &DiskSettings::DiskType, ShowsValue(ListIndexOf(DiskType::HDC)), Written),
    StoredNumber("LoadImageOnStart", &DiskSettings::LoadImageOnStart, ShowsCleared, Written),
    StoredText("LoadImageFile", &DiskSettings::LoadImageFile, ShowsText("c:\\qvdriver.img"), Written),
    StoredNumber("SaveImageOnExit", &DiskSettings::SaveImageOnExit, ShowsCleared, Written),
    StoredText("SaveImageFile", &DiskSettings::SaveImageFile, ShowsText("c:\\qvdriver.img"), Written),
    StoredNumber("SizeIn4kPages", &DiskSettings::SizeIn4kPages, ShowsText("10"), Written),  // megabytes
    StoredNumber("AutoSaveEnabled", &DiskSettings::AutoSaveEnabled, ShowsCleared, Written),
    StoredNumber("DiskFormatFAT32", &DiskSettings::DiskFormatFAT32, ShowsCleared, Written),
    StoredNumber("AutoSaveTrigger", &DiskSettings::AutoSaveTrigger, ShowsText("600"), Written),  // seconds
    StoredNumber("UserDriveLetter", &DiskSettings::UserDriveLetter, ShowsText("Z"), Written),
    StoredNumber("MakeTempDir", &DiskSettings::MakeTempDir, ShowsCleared, Written),
    StoredNumber("UseDiskLabel", &DiskSettings::UseDiskLabel, ShowsCleared, Written),
    StoredText("DiskLabel", &DiskSettings::DiskLabel, ShowsText("QVDRIVER"), Written),
    StoredNumber("BootEnable", &DiskSettings::BootEnable, ShowsCleared, Written),
    StoredText("InstallDir", &DiskSettings::InstallDir, ShowsText("C:\\Program Files\\Quorvel"), ReadOnly),
};

constexpr bool SameName(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) ++a, ++b;
    return *a == *b;
}
constexpr bool EachNameHasOneRow() {
    for (const SettingsKeyValue& row : SettingsKeyValues) {
        int rows = 0;
        for (const SettingsKeyValue& other : SettingsKeyValues) rows += SameName(row.name, other.name) ? 1 : 0;
        if (rows != 1) return false;
    }
    return true;
}
static_assert(EachNameHasOneRow(), "one row per value of the key");

// The row of a field; a field without one is a fault of the table.
constexpr const SettingsKeyValue& RowOf(TextField field) {
    for (const SettingsKeyValue& row : SettingsKeyValues) {
        if (row.text == field) return row;
    }
    throw "a DiskSettings field without a row";
}
constexpr const SettingsKeyValue& RowOf(NumberField field) {
    for (const SettingsKeyValue& row : SettingsKeyValues) {
        if (row.number == field) return row;
    }
    throw "a DiskSettings field without a row";
}

// A fresh installation's text for a box, and value for a check box or the list.
constexpr const char* FreshText(TextField field) { return RowOf(field).fresh.text; }
constexpr const char* FreshText(NumberField field) { return RowOf(field).fresh.text; }
constexpr int FreshValueOf(TextField field) { return RowOf(field).fresh.value; }
constexpr int FreshValueOf(NumberField field) { return RowOf(field).fresh.value; }

// Writes each present field of `s`, in the table's order, through writeText(name, text)
// and writeNumber(name, number), each returning its success: every field, or only
// those of the values the program writes. A failed write does not stop the ones after
// it. True when every write succeeded.
enum class Which { WrittenByTheProgram, Every };
template <class WriteText, class WriteNumber>
bool WritePresentFields(const DiskSettings& s, Which which, WriteText writeText, WriteNumber writeNumber) {
    bool allWritten = true;
    for (const SettingsKeyValue& value : SettingsKeyValues) {
        if (which == Which::WrittenByTheProgram && !value.written) continue;
        if (value.type == StoredType::Text) {
            if (const std::optional<std::string>& text = s.*value.text) {
                allWritten = writeText(value.name, *text) && allWritten;
            }
        } else if (const std::optional<std::int32_t>& number = s.*value.number) {
            allWritten = writeNumber(value.name, *number) && allWritten;
        }
    }
    return allWritten;
}

}  // namespace qv
