// Conversions between the stored values and what the window's controls show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Check boxes: a stored 1 ticks the box, anything else clears it; a cleared box
// stores 0, a ticked or grayed one 1.
bool CheckBoxTickedFromStored(std::int32_t stored);
std::int32_t CheckBoxToStored(int checkBoxValue);

// Disk kind: "" or "HDC" is list position 0, "FDC14" 1, "FDC28" 2 (case counts);
// any other text gives no position (the list stays as it was). Position -1 or 0
// stores "HDC", 1 "FDC14", 2 "FDC28".
std::optional<int> DiskTypeListIndexFromStored(const std::string& stored);
std::string DiskTypeToStored(int listIndex);

// Disk size: pages of 4096 bytes to single-precision megabytes, and a size text to
// pages (TextToNumber, single precision, times 256, to nearest; saturated to 32 bits).
float SizeMegabytesFromPages(std::int32_t pages);
std::int32_t SizePagesFromText(const std::string& sizeText);

// AutoSave interval: stored units of 4 seconds to single-precision seconds (the
// product saturates to the 32-bit range), and an interval text to units (TextToNumber,
// single precision, divided by 4, to nearest; saturated to 32 bits).
float AutoSaveSecondsFromStored(std::int32_t stored);
std::int32_t AutoSaveTriggerFromText(const std::string& intervalText);

// Drive letter: the stored offset's low 8 bits plus the code of "A" give the
// character; a code above 255 counts as a character above "Z" (it gives the
// character with code 255). A text's first character's code minus 65 is stored;
// an empty text has nothing to store.
std::string DriveLetterFromStored(std::int32_t stored);
std::optional<std::int32_t> DriveLetterToStored(const std::string& text);

// Install directory: the stored text without leading and trailing blanks.
std::string InstallDirFromStored(const std::string& stored);

}  // namespace qv
