// DiskSettings: the settings record that mirrors the settings key, and DiskType.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Disk kinds, as stored and as list positions of the disk type list.
enum class DiskType { HDC = 0, FDC14 = 1, FDC28 = 2 };

// Each disk kind's stored code and its entry in the disk type list, indexed by DiskType.
struct DiskKind {
    DiskType type;
    const char* stored;
    const char* listEntry;
};
constexpr DiskKind DiskKinds[] = {
    {DiskType::HDC, "HDC", "Hard Disk"},
    {DiskType::FDC14, "FDC14", "1.44MB Floppy"},
    {DiskType::FDC28, "FDC28", "2.88MB Floppy"},
};
constexpr int DiskKindCount = static_cast<int>(sizeof DiskKinds / sizeof DiskKinds[0]);

// A kind's list position is its DiskType.
constexpr int ListIndexOf(DiskType type) { return static_cast<int>(type); }
constexpr const DiskKind& KindOf(DiskType type) { return DiskKinds[ListIndexOf(type)]; }

constexpr bool DiskKindsFollowTheirTypes() {
    for (int index = 0; index < DiskKindCount; ++index) {
        if (ListIndexOf(DiskKinds[index].type) != index) return false;
    }
    return true;
}
static_assert(DiskKindsFollowTheirTypes(), "DiskKinds is indexed by DiskType");

// The names of the stored values, spelled as in the key.
namespace value_name {
constexpr const char* DiskType = "DiskType";
constexpr const char* LoadImageOnStart = "LoadImageOnStart";
constexpr const char* LoadImageFile = "LoadImageFile";
constexpr const char* SaveImageOnExit = "SaveImageOnExit";
constexpr const char* SaveImageFile = "SaveImageFile";
constexpr const char* SizeIn4kPages = "SizeIn4kPages";
constexpr const char* AutoSaveEnabled = "AutoSaveEnabled";
constexpr const char* DiskFormatFAT32 = "DiskFormatFAT32";
constexpr const char* AutoSaveTrigger = "AutoSaveTrigger";
constexpr const char* UserDriveLetter = "UserDriveLetter";
constexpr const char* MakeTempDir = "MakeTempDir";
constexpr const char* UseDiskLabel = "UseDiskLabel";
constexpr const char* DiskLabel = "DiskLabel";
constexpr const char* BootEnable = "BootEnable";
constexpr const char* InstallDir = "InstallDir";
constexpr const char* Executable = "Executable";
}  // namespace value_name

// One field per stored value, in the stored encoding. Loaded, a field that could not
// be read is absent (std::nullopt); saved, fields 1 to 14 are all present and
// InstallDir is never written.
struct DiskSettings {
    std::optional<std::string> DiskType;
    std::optional<std::int32_t> LoadImageOnStart;
    std::optional<std::string> LoadImageFile;
    std::optional<std::int32_t> SaveImageOnExit;
    std::optional<std::string> SaveImageFile;
    std::optional<std::int32_t> SizeIn4kPages;
    std::optional<std::int32_t> AutoSaveEnabled;
    std::optional<std::int32_t> DiskFormatFAT32;
    std::optional<std::int32_t> AutoSaveTrigger;
    std::optional<std::int32_t> UserDriveLetter;
    std::optional<std::int32_t> MakeTempDir;
    std::optional<std::int32_t> UseDiskLabel;
    std::optional<std::string> DiskLabel;
    std::optional<std::int32_t> BootEnable;
    std::optional<std::string> InstallDir;
};

}  // namespace qv
