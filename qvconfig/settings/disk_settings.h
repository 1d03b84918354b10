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

// One field per value that the program reads, in the stored encoding; the values'
// names and facts are in settings_key_values.h. Loaded, a field that could not be
// read is absent (std::nullopt); saved, every written field is present.
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
