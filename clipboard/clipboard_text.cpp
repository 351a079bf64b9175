#include "clipboard/clipboard_text.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "clipboard/clipboard_guards.h"

bool ReadClipboardText(ClipboardPlatform& platform, WindowHandle owner, std::string& text) {
    // No retry and no wait: a clipboard held by another program gives false at once.
    OpenedClipboard clipboard(platform, owner);
    if (!clipboard) return false;

    // The block belongs to the clipboard: locked, copied and unlocked, never freed.
    MemoryBlock block = platform.TextBlock();
    if (!block) return false;
    const std::optional<std::size_t> size = platform.Size(block);
    if (!size) return false;
    // A block of size 0 holds the empty text; the platform does not lock such a block.
    if (*size == 0) return true;
    BlockLock lock(platform, block);
    if (!lock) return false;

    // The block may be larger than its text: the text ends at the first NUL, or
    // with the block when it holds none.
    const char* bytes = lock.Bytes();
    text.assign(bytes, std::find(bytes, bytes + *size, '\0'));
    return true;
}

bool WriteClipboardText(ClipboardPlatform& platform, WindowHandle owner, std::string text) {
    OpenedClipboard clipboard(platform, owner);
    if (!clipboard) return false;

    // The block is filled before the clipboard is emptied, so that a failure up
    // to then leaves the earlier contents in place.
    const std::size_t size = text.size() + 1;
    OwnedBlock block(platform, platform.Allocate(size));
    if (!block) throw std::bad_alloc();
    BlockLock lock(platform, block.Get());
    if (!lock) throw std::bad_alloc();
    std::memcpy(lock.Bytes(), text.c_str(), size);

    // When emptying fails, placing the text would put it beside other programs'
    // stale formats (a reader asking for Unicode text would get the old text), so
    // nothing is placed. A refused block was not taken over: the guard frees it.
    if (!platform.Empty()) return false;
    if (!platform.PlaceText(block.Get())) return false;
    block.HandedOver();
    return true;
}
