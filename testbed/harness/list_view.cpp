// Reading another process's list view through memory allocated in that process.
#include "testbed/harness/list_view.h"

#include <commctrl.h>

#include "testbed/harness/windows.h"

namespace qvtest {
namespace {

// Memory in the list view's process for one message's structure and text, freed again.
class LentMemory {
public:
    LentMemory(HWND window, SIZE_T size) : size_(size) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~LentMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    LentMemory(const LentMemory&) = delete;
    LentMemory& operator=(const LentMemory&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    BYTE* Address(SIZE_T offset = 0) const { return static_cast<BYTE*>(address_) + offset; }
    bool Write(const void* data, SIZE_T size, SIZE_T offset = 0) const {
        return offset + size <= size_ && WriteProcessMemory(process_, Address(offset), data, size, nullptr);
    }
    bool Read(void* data, SIZE_T size, SIZE_T offset = 0) const {
        return offset + size <= size_ && ReadProcessMemory(process_, Address(offset), data, size, nullptr);
    }

private:
    SIZE_T size_;
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) return 0;
    return static_cast<LRESULT>(result);
}

}  // namespace

std::vector<std::string> ListViewItems(HWND listView) {
    std::vector<std::string> items;
    constexpr SIZE_T kTextSize = 260;
    LentMemory memory(listView, sizeof(LVITEMA) + kTextSize);
    if (!memory) return items;
    const int count = static_cast<int>(Send(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        LVITEMA item{};
        item.iSubItem = 0;
        item.pszText = reinterpret_cast<char*>(memory.Address(sizeof item));
        item.cchTextMax = kTextSize;
        char text[kTextSize] = "";
        if (!memory.Write(&item, sizeof item)) break;
        const LRESULT length = Send(listView, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(memory.Address()));
        if (length > 0 && !memory.Read(text, kTextSize, sizeof item)) break;
        items.emplace_back(text, static_cast<std::size_t>(length));
    }
    return items;
}

std::optional<RECT> ListViewItemRect(HWND listView, int index) {
    LentMemory memory(listView, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    if (!memory || !memory.Write(&rect, sizeof rect)) return std::nullopt;
    if (!Send(listView, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(memory.Address()))) return std::nullopt;
    if (!memory.Read(&rect, sizeof rect)) return std::nullopt;
    return rect;
}

}  // namespace qvtest
