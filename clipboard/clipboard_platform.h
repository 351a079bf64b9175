#pragma once

#include <cstddef>
#include <optional>

// The clipboard and global-memory operations the text transfer needs, so that
// the transfer can run over Win32 or over an in-memory clipboard in tests.
// Handles are opaque: a window handle (HWND) and a global memory block (HGLOBAL).
using WindowHandle = void*;
using MemoryBlock = void*;

class ClipboardPlatform {
public:
    // OpenClipboard(owner): false while another window holds it open.
    virtual bool Open(WindowHandle owner) = 0;
    // GetClipboardData(CF_TEXT): the text block, or nullptr when there is none.
    virtual MemoryBlock TextBlock() = 0;
    // GlobalSize(block): its size in bytes, nothing when the size cannot be had.
    virtual std::optional<std::size_t> Size(MemoryBlock block) = 0;
    // GlobalLock(block): its bytes, or nullptr.
    virtual void* Lock(MemoryBlock block) = 0;
    // GlobalUnlock(block).
    virtual void Unlock(MemoryBlock block) = 0;
    // GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size): a new block, or nullptr.
    virtual MemoryBlock Allocate(std::size_t size) = 0;
    // EmptyClipboard(): drops every format and makes the opening window the owner.
    virtual bool Empty() = 0;
    // SetClipboardData(CF_TEXT, block): true when the platform took the block over.
    virtual bool PlaceText(MemoryBlock block) = 0;
    // GlobalFree(block), for a block that was not handed over.
    virtual void Free(MemoryBlock block) = 0;
    // CloseClipboard().
    virtual void Close() = 0;

protected:
    ~ClipboardPlatform() = default;
};
