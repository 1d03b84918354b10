// The conversions between stored values and the window's check marks, list positions and texts.
#include "qvconfig/settings/encodings.h"

#include <limits>

#include "qvconfig/settings/disk_settings.h"
#include "qvconfig/settings/numbers.h"

namespace qv {
namespace {

constexpr int UncheckedBox = 0;
constexpr double BytesPerMegabyte = 1048576.0;
constexpr double BytesPerPage = 4096.0;
constexpr std::int64_t SecondsPerTriggerUnit = 4;
constexpr int CodeOfA = 65;
constexpr int HighestCharacterCode = 255;

std::int32_t SaturateToInt32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

// A number typed into a control, as the window holds it: single precision.
double SingleFromText(const std::string& text) { return ToSingle(TextToNumber(text)); }

}  // namespace

bool CheckBoxTickedFromStored(std::int32_t stored) { return stored == 1; }

// A grayed box stores 1 as a ticked one does.
std::int32_t CheckBoxToStored(int checkBoxValue) { return checkBoxValue == UncheckedBox ? 0 : 1; }

// An empty text counts as the hard disk.
std::optional<int> DiskTypeListIndexFromStored(const std::string& stored) {
    if (stored.empty()) return ListIndexOf(DiskType::HDC);
    for (const DiskKind& kind : DiskKinds) {
        if (stored == kind.stored) return ListIndexOf(kind.type);
    }
    return std::nullopt;
}

// Nothing selected (-1), or any position past the list, stores the hard disk.
std::string DiskTypeToStored(int listIndex) {
    if (listIndex < 0 || listIndex >= DiskKindCount) return KindOf(DiskType::HDC).stored;
    return DiskKinds[listIndex].stored;
}

float SizeMegabytesFromPages(std::int32_t pages) {
    return ToSingle(static_cast<double>(pages) * BytesPerPage / BytesPerMegabyte);
}

// The single-precision megabytes times 256 are exact in double precision; only the
// final step to whole pages rounds.
std::int32_t SizePagesFromText(const std::string& sizeText) {
    const double megabytes = SingleFromText(sizeText);
    return RoundToInt32(megabytes * 1024.0 * 1024.0 / BytesPerPage);
}

float AutoSaveSecondsFromStored(std::int32_t stored) {
    const std::int32_t seconds = SaturateToInt32(static_cast<std::int64_t>(stored) * SecondsPerTriggerUnit);
    return ToSingle(static_cast<double>(seconds));
}

std::int32_t AutoSaveTriggerFromText(const std::string& intervalText) {
    return RoundToInt32(SingleFromText(intervalText) / static_cast<double>(SecondsPerTriggerUnit));
}

// Low 8 bits of 191 or more take the code past 255; such a letter stays above "Z"
// as the highest character code.
std::string DriveLetterFromStored(std::int32_t stored) {
    const int code = static_cast<int>(static_cast<std::uint32_t>(stored) & 0xFFu) + CodeOfA;
    const int shown = code > HighestCharacterCode ? HighestCharacterCode : code;
    return std::string(1, static_cast<char>(static_cast<unsigned char>(shown)));
}

// Characters are bytes of the ANSI code page, so codes above 127 count as 128 to 255.
std::optional<std::int32_t> DriveLetterToStored(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const auto offset = static_cast<std::int16_t>(static_cast<unsigned char>(text[0]) - CodeOfA);
    return static_cast<std::int32_t>(offset);
}

std::string InstallDirFromStored(const std::string& stored) {
    const auto first = stored.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const auto last = stored.find_last_not_of(' ');
    return stored.substr(first, last - first + 1);
}

}  // namespace qv
