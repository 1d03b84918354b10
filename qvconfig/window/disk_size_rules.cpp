// Disk type and size rules: what each disk type allows, when FAT32 may be chosen, and the size grid.
#include <cmath>
#include <cstddef>
#include <optional>

#include "qvconfig/settings/disk_settings.h"
#include "qvconfig/settings/numbers.h"
#include "qvconfig/window/editor.h"
#include "qvconfig/window/size_group.h"
#include "qvconfig/window/steppers.h"

namespace qv {

namespace {

constexpr double MinimumSize = 5;
constexpr const char* MinimumSizeText = "5";
// A shrink step from below this would pass the minimum.
constexpr double SmallestShrinkable = 6;

// Which sizes s a row applies to.
enum class When { Below, AtMost, Equal, Above, Always };
// What a row makes of s: s + operand, the operand itself, s rounded down to a
// multiple of the operand, or no write at all.
enum class Make { Plus, Exactly, DownToMultiple, NoWrite };

struct SizeRow {
    When when;
    double bound;
    Make make;
    double operand;
};

struct SizeTable {
    const SizeRow* begin;
    const SizeRow* end;
};

template <std::size_t N>
constexpr SizeTable TableOf(const SizeRow (&rows)[N]) {
    return SizeTable{rows, rows + N};
}

// Without FAT32 the grid is whole megabytes below 1024 and even ones up to 2048.
constexpr SizeRow GrowWithoutFat32[] = {
    {When::Below, 1024, Make::Plus, 1},
    {When::Below, 2048, Make::Plus, 2},
    {When::Always, 0, Make::NoWrite, 0},
};
constexpr SizeRow ShrinkWithoutFat32[] = {
    {When::AtMost, 1024, Make::Plus, -1},
    {When::Always, 0, Make::Plus, -2},
};
// Below 1024 normalising keeps the (already whole) size and only rewrites its form.
constexpr SizeRow NormaliseWithoutFat32[] = {
    {When::Below, 1024, Make::Plus, 0},
    {When::AtMost, 2048, Make::DownToMultiple, 2},
    {When::Always, 0, Make::NoWrite, 0},
};

// FAT32 goes on in steps of 3 up to 3072 and of 4.5 up to 4095; the stepper can
// reach 4099.5, one step beyond, which leaving the box brings back to 4095.
constexpr SizeRow GrowWithFat32[] = {
    {When::Below, 1024, Make::Plus, 1},
    {When::Below, 2048, Make::Plus, 2},
    {When::Equal, 2048, Make::Exactly, 2049},
    {When::Below, 3072, Make::Plus, 3},
    {When::Equal, 3072, Make::Exactly, 3073.5},
    {When::Below, 4095.5, Make::Plus, 4.5},
    {When::Always, 0, Make::NoWrite, 0},
};
constexpr SizeRow ShrinkWithFat32[] = {
    {When::Above, 3073.5, Make::Plus, -4.5},
    {When::Equal, 3073.5, Make::Exactly, 3072},
    {When::Above, 2049, Make::Plus, -3},
    {When::Equal, 2049, Make::Exactly, 2048},
    {When::Above, 1024, Make::Plus, -2},
    {When::Always, 0, Make::Plus, -1},
};
constexpr SizeRow NormaliseWithFat32[] = {
    {When::Below, 1024, Make::Plus, 0},
    {When::AtMost, 2048, Make::DownToMultiple, 2},
    {When::AtMost, 3072, Make::DownToMultiple, 3},
    {When::Below, 4096, Make::DownToMultiple, 4.5},
    {When::Always, 0, Make::NoWrite, 0},
};

struct FileSystemRules {
    SizeTable grow;
    SizeTable shrink;
    SizeTable normalise;
    double maximum;
    const char* maximumText;  // written as it stands, without a leading blank
};

const FileSystemRules WithoutFat32{TableOf(GrowWithoutFat32), TableOf(ShrinkWithoutFat32),
                                   TableOf(NormaliseWithoutFat32), 2048, "2048"};
const FileSystemRules WithFat32{TableOf(GrowWithFat32), TableOf(ShrinkWithFat32),
                                TableOf(NormaliseWithFat32), 4095, "4095"};

bool Applies(const SizeRow& row, double s) {
    switch (row.when) {
        case When::Below: return s < row.bound;
        case When::AtMost: return s <= row.bound;
        case When::Equal: return s == row.bound;
        case When::Above: return s > row.bound;
        case When::Always: return true;
    }
    return false;
}

std::optional<double> Made(const SizeRow& row, double s) {
    switch (row.make) {
        case Make::Plus: return s + row.operand;
        case Make::Exactly: return row.operand;
        case Make::DownToMultiple: return std::floor(s / row.operand) * row.operand;
        case Make::NoWrite: return std::nullopt;
    }
    return std::nullopt;
}

// The new size that the first row applying to s gives; none when it writes nothing.
std::optional<double> FirstMatch(const SizeTable& table, double s) {
    for (const SizeRow* row = table.begin; row != table.end; ++row) {
        if (Applies(*row, s)) return Made(*row, s);
    }
    return std::nullopt;
}

// Normalising counts FAT32 as on only when the box is ticked.
const FileSystemRules& NormalisingRules(const CheckBox& fat32) {
    return fat32.Value() == CheckBox::Ticked ? WithFat32 : WithoutFat32;
}

// Stepping counts FAT32 as off only when the box is cleared.
const FileSystemRules& SteppingRules(const CheckBox& fat32) {
    return fat32.Value() == CheckBox::Cleared ? WithoutFat32 : WithFat32;
}

// The size is read anew from the box at every use, so each test sees the last write.
double SizeOf(const TextBox& box) { return TextToNumber(box.Text()); }

void WriteSize(TextBox& box, double size) { box.SetText(NumberToText(size)); }

void ShowFat32Availability(CheckBox& fat32, const TextBox& size) { fat32.SetEnabled(SizeAllowsFat32(size)); }

}  // namespace

// A floppy's capacity follows from its type: the size group is frozen, its values kept.
void Editor::ApplyDiskTypeRule() {
    EnableSizeGroup(*this);
    fat32Check.SetEnabled(Fat32Available(diskTypeList, diskSizeBox));
}

void Editor::OnDiskTypePicked() {
    ApplyDiskTypeRule();
    SettingsChanged = true;
}

// An edit of the type field that leaves no item selected selects "Hard Disk" again.
void Editor::OnDiskTypeEdited() {
    if (diskTypeList.ListIndex() >= DiskKindCount || diskTypeList.ListIndex() < 0) {
        diskTypeList.SetListIndex(ListIndexOf(DiskType::HDC));
        diskTypeList.Refresh();
    }
    ApplyDiskTypeRule();
    SettingsChanged = true;
}

// Any text is accepted while typing; only FAT32's availability follows it, whatever the type.
void Editor::OnDiskSizeChanged() {
    ShowFat32Availability(fat32Check, diskSizeBox);
    SettingsChanged = true;
}

// Leaving the size box brings the size onto the grid, within the range of the file
// system, and positions the stepper for it.
void Editor::OnDiskSizeLostFocus() {
    WriteSize(diskSizeBox, std::floor(SizeOf(diskSizeBox)));
    const FileSystemRules& rules = NormalisingRules(fat32Check);
    if (const auto onGrid = FirstMatch(rules.normalise, SizeOf(diskSizeBox))) WriteSize(diskSizeBox, *onGrid);
    if (SizeOf(diskSizeBox) > rules.maximum) diskSizeBox.SetText(rules.maximumText);
    if (SizeOf(diskSizeBox) < MinimumSize) diskSizeBox.SetText(MinimumSizeText);
    PositionStepper(diskSizeStepper, LastSizeScroll, SizeOf(diskSizeBox));
    // The box always ends in the written form, a literal maximum or minimum included.
    WriteSize(diskSizeBox, SizeOf(diskSizeBox));
    diskSizeBox.Refresh();
    SettingsChanged = true;
}

// The arrows walk the grid one step at a time, whatever the size of the movement.
// A floppy type freezes the size: every movement is undone.
void Editor::OnDiskSizeStepped() {
    const FileSystemRules& rules = SteppingRules(fat32Check);
    const auto grow = [&] {
        if (const auto grown = FirstMatch(rules.grow, SizeOf(diskSizeBox))) WriteSize(diskSizeBox, *grown);
        diskSizeBox.Refresh();
        return true;  // also at the top, so that the stepper follows the bar
    };
    const auto shrink = [&] {
        if (SizeOf(diskSizeBox) < SmallestShrinkable) return false;
        if (const auto shrunk = FirstMatch(rules.shrink, SizeOf(diskSizeBox))) WriteSize(diskSizeBox, *shrunk);
        diskSizeBox.Refresh();
        return true;
    };
    const bool frozen = !diskSizeBox.Enabled();
    if (TakeStep(diskSizeStepper, LastSizeScroll, frozen, grow, shrink) == StepOutcome::Stepped) {
        ShowFat32Availability(fat32Check, diskSizeBox);
    }
    SettingsChanged = true;
}

// Turning FAT32 off brings a larger size down to the FAT16 maximum; turning it on
// changes no size.
void Editor::OnFat32Clicked() {
    SettingsChanged = true;
    if (fat32Check.Value() == CheckBox::Cleared && SizeOf(diskSizeBox) > WithoutFat32.maximum) {
        diskSizeBox.SetText(WithoutFat32.maximumText);
    }
}

}  // namespace qv
