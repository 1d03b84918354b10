// What the disk type and the size leave available of the size group.
#include "qvconfig/window/size_group.h"

#include "qvconfig/settings/disk_settings.h"
#include "qvconfig/settings/numbers.h"
#include "qvconfig/window/editor.h"

namespace qv {

namespace {
constexpr double Fat32Threshold = 32;
}  // namespace

bool IsHardDisk(const ComboBox& diskType) { return diskType.ListIndex() == ListIndexOf(DiskType::HDC); }

bool SizeAllowsFat32(const TextBox& size) { return TextToNumber(size.Text()) > Fat32Threshold; }

void EnableSizeGroup(Editor& editor) {
    const bool hardDisk = IsHardDisk(editor.diskTypeList);
    editor.diskSizeBox.SetEnabled(hardDisk);
    editor.diskSizeLabel.SetEnabled(hardDisk);
    editor.megabytesLabel.SetEnabled(hardDisk);
}

bool Fat32Available(const ComboBox& diskType, const TextBox& size) {
    return IsHardDisk(diskType) && SizeAllowsFat32(size);
}

}  // namespace qv
