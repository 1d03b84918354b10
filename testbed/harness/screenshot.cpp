// Screenshots of a program's window, saved as PNG files for people to look at.
#include "testbed/harness/screenshot.h"

#include <memory>
#include <type_traits>

#include "testbed/harness/input.h"

namespace qvtest {

namespace {

// Time for the program to finish painting after it came to the front.
constexpr DWORD kSettleMs = 300;

struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

template <class Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, std::integral_constant<decltype(Release), Release>>;

using MemoryDc = Owned<HDC, &DeleteDC>;
using Bitmap = Owned<HBITMAP, &DeleteObject>;

// The bitmap's pixels, 32-bit blue-green-red-unused from the top row, as RGB.
Image ToImage(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> bgrx(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bgrx.data(), &info, DIB_RGB_COLORS);

    Image image{width, height, {}};
    image.rgb.reserve(bgrx.size() / 4 * 3);
    for (std::size_t i = 0; i < bgrx.size(); i += 4) {
        image.rgb.insert(image.rgb.end(), {bgrx[i + 2], bgrx[i + 1], bgrx[i]});
    }
    return image;
}

}  // namespace

Image CaptureWindow(HWND top) {
    BringToFront(top);
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(kSettleMs);

    RECT rect{};
    GetWindowRect(top, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return Image{};

    ScreenDc screen;
    MemoryDc memory(CreateCompatibleDC(screen.dc));
    Bitmap bitmap(CreateCompatibleBitmap(screen.dc, width, height));
    HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.dc, rect.left, rect.top, SRCCOPY);
    SelectObject(memory.get(), previous);
    return ToImage(memory.get(), bitmap.get(), width, height);
}

bool DrawTitleBarsUnderWine() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const char no[] = "N";
    const bool written =
        RegSetValueExA(key, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>(no), sizeof no) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written;
}

std::string SaveScreenshot(HWND top, const std::string& directory, const std::string& name) {
    CreateDirectoryA(directory.c_str(), nullptr);
    const Image image = CaptureWindow(top);
    const std::string path = directory + "\\" + name + ".png";
    return image.width > 0 && WritePng(path, image) ? path : "";
}

}  // namespace qvtest
