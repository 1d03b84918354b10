// What the disk type and the size leave available of the size group, for the rules and for loading.
#pragma once

#include "qvconfig/window/controls.h"

namespace qv {

class Editor;

// The size box, its labels and FAT32 are for a hard disk only.
bool IsHardDisk(const ComboBox& diskType);
// FAT32 cannot format a disk of 32 MB or less.
bool SizeAllowsFat32(const TextBox& size);

// The size box and its two labels: available for a hard disk, frozen (values kept) for a floppy.
void EnableSizeGroup(Editor& editor);
// FAT32 may be chosen for a hard disk above 32 MB only.
bool Fat32Available(const ComboBox& diskType, const TextBox& size);

}  // namespace qv
