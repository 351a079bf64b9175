#include "clipboard/win32_clipboard.h"

#include <windows.h>

namespace {

class Win32ClipboardPlatform final : public ClipboardPlatform {
public:
    bool Open(WindowHandle owner) override { return ::OpenClipboard(static_cast<HWND>(owner)) != FALSE; }

    MemoryBlock TextBlock() override { return ::GetClipboardData(CF_TEXT); }

    std::optional<std::size_t> Size(MemoryBlock block) override {
        // GlobalSize gives 0 both for an empty block and on failure; only the
        // error code tells them apart.
        ::SetLastError(ERROR_SUCCESS);
        const SIZE_T size = ::GlobalSize(block);
        if (size == 0 && ::GetLastError() != ERROR_SUCCESS) return std::nullopt;
        return size;
    }

    void* Lock(MemoryBlock block) override { return ::GlobalLock(block); }

    void Unlock(MemoryBlock block) override { ::GlobalUnlock(block); }

    MemoryBlock Allocate(std::size_t size) override { return ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size); }

    bool Empty() override { return ::EmptyClipboard() != FALSE; }

    bool PlaceText(MemoryBlock block) override { return ::SetClipboardData(CF_TEXT, block) != nullptr; }

    void Free(MemoryBlock block) override { ::GlobalFree(block); }

    void Close() override { ::CloseClipboard(); }
};

}  // namespace

ClipboardPlatform& Win32Clipboard() {
    static Win32ClipboardPlatform platform;
    return platform;
}
