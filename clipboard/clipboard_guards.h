#pragma once

#include "clipboard/clipboard_platform.h"

// Scoped owners of the clipboard's resources: whatever path leaves a scope,
// the clipboard is closed, a lock released and a block that was not handed
// over freed.

// The clipboard, open for one window while the guard lives (when opening worked).
class OpenedClipboard {
public:
    OpenedClipboard(ClipboardPlatform& platform, WindowHandle owner)
        : platform_(platform), open_(platform.Open(owner)) {}
    ~OpenedClipboard() {
        if (open_) platform_.Close();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    explicit operator bool() const { return open_; }

private:
    ClipboardPlatform& platform_;
    bool open_;
};

// A block this program allocated: freed at the end of the scope unless the
// platform took it over.
class OwnedBlock {
public:
    OwnedBlock(ClipboardPlatform& platform, MemoryBlock block) : platform_(platform), block_(block) {}
    ~OwnedBlock() {
        if (block_) platform_.Free(block_);
    }
    OwnedBlock(const OwnedBlock&) = delete;
    OwnedBlock& operator=(const OwnedBlock&) = delete;

    MemoryBlock Get() const { return block_; }
    explicit operator bool() const { return block_ != nullptr; }
    // The platform owns the block from now on.
    void HandedOver() { block_ = nullptr; }

private:
    ClipboardPlatform& platform_;
    MemoryBlock block_;
};

// A block's bytes, addressable while the guard lives (when locking worked).
class BlockLock {
public:
    BlockLock(ClipboardPlatform& platform, MemoryBlock block)
        : platform_(platform), block_(block), bytes_(platform.Lock(block)) {}
    ~BlockLock() {
        if (bytes_) platform_.Unlock(block_);
    }
    BlockLock(const BlockLock&) = delete;
    BlockLock& operator=(const BlockLock&) = delete;

    char* Bytes() const { return static_cast<char*>(bytes_); }
    explicit operator bool() const { return bytes_ != nullptr; }

private:
    ClipboardPlatform& platform_;
    MemoryBlock block_;
    void* bytes_;
};
