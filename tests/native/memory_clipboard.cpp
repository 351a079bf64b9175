#include "memory_clipboard.h"

#include <algorithm>

namespace {

// A window of another program; only its identity matters.
int other_program_window;

}  // namespace

void MemoryClipboard::PutText(std::string_view bytes) {
    Drop(kText);
    formats_[kText] = &NewBlock({bytes.begin(), bytes.end()}, Holder::Clipboard);
    owner_ = &other_program_window;
}

void MemoryClipboard::PutPicture() {
    Drop(kBitmap);
    formats_[kBitmap] = &NewBlock({'B', 'M'}, Holder::Clipboard);
    owner_ = &other_program_window;
}

void MemoryClipboard::HoldOpen(WindowHandle other) {
    open_ = true;
    opened_by_ = other;
}

std::vector<unsigned> MemoryClipboard::Formats() const {
    std::vector<unsigned> formats;
    for (const auto& entry : formats_) formats.push_back(entry.first);
    return formats;
}

std::optional<std::string> MemoryClipboard::TextBytes() const {
    const auto found = formats_.find(kText);
    if (found == formats_.end()) return std::nullopt;
    const std::vector<char>& bytes = found->second->bytes;
    return std::string(bytes.begin(), bytes.end());
}

int MemoryClipboard::LockedBlocks() const {
    return static_cast<int>(std::count_if(blocks_.begin(), blocks_.end(), [](const Block& b) { return b.locks > 0; }));
}

bool MemoryClipboard::Open(WindowHandle owner) {
    if (Failing(Operation::Open) || open_) return false;
    open_ = true;
    opened_by_ = owner;
    ++opens_;
    return true;
}

MemoryBlock MemoryClipboard::TextBlock() {
    RequireOpen("TextBlock");
    if (Failing(Operation::TextBlock)) return nullptr;
    const auto found = formats_.find(kText);
    return found == formats_.end() ? nullptr : found->second;
}

std::optional<std::size_t> MemoryClipboard::Size(MemoryBlock block) {
    Block* found = Find(block, "Size");
    if (!found || Failing(Operation::Size)) return std::nullopt;
    return found->bytes.size();
}

void* MemoryClipboard::Lock(MemoryBlock block) {
    Block* found = Find(block, "Lock");
    // As on Windows, a block of size 0 cannot be locked.
    if (!found || Failing(Operation::Lock) || found->bytes.empty()) return nullptr;
    ++found->locks;
    return found->bytes.data();
}

void MemoryClipboard::Unlock(MemoryBlock block) {
    Block* found = Find(block, "Unlock");
    if (!found || Failing(Operation::Unlock)) return;
    if (found->locks == 0) {
        Misuse("Unlock of a block that is not locked");
        return;
    }
    --found->locks;
}

MemoryBlock MemoryClipboard::Allocate(std::size_t size) {
    allocations_.push_back(size);
    if (Failing(Operation::Allocate)) return nullptr;
    return &NewBlock(std::vector<char>(size, '\x5A'), Holder::Program);
}

bool MemoryClipboard::Empty() {
    RequireOpen("Empty");
    if (Failing(Operation::Empty)) return false;
    while (!formats_.empty()) Drop(formats_.begin()->first);
    owner_ = opened_by_;
    return true;
}

bool MemoryClipboard::PlaceText(MemoryBlock block) {
    RequireOpen("PlaceText");
    Block* found = Find(block, "PlaceText");
    if (!found || Failing(Operation::PlaceText)) return false;
    if (found->holder != Holder::Program) Misuse("PlaceText of a block the program does not own");
    Drop(kText);
    found->holder = Holder::Clipboard;
    formats_[kText] = found;
    return true;
}

void MemoryClipboard::Free(MemoryBlock block) {
    Block* found = Find(block, "Free");
    if (!found || Failing(Operation::Free)) return;
    if (found->holder != Holder::Program) Misuse("Free of a block the program does not own");
    if (found->locks != 0) Misuse("Free of a locked block");
    found->holder = Holder::Nobody;
    ++frees_;
}

void MemoryClipboard::Close() {
    if (!open_) Misuse("Close of a clipboard that is not open");
    if (Failing(Operation::Close)) return;
    open_ = false;
    opened_by_ = nullptr;
    ++closes_;
}

MemoryClipboard::Block* MemoryClipboard::Find(MemoryBlock block, const char* operation) {
    for (Block& candidate : blocks_) {
        if (&candidate != block) continue;
        if (candidate.holder == Holder::Nobody) break;
        return &candidate;
    }
    Misuse(std::string(operation) + " of a block that does not exist");
    return nullptr;
}

void MemoryClipboard::RequireOpen(const char* operation) {
    if (!open_) Misuse(std::string(operation) + " while the clipboard is not open");
}

MemoryClipboard::Block& MemoryClipboard::NewBlock(std::vector<char> bytes, Holder holder) {
    blocks_.push_back(Block{std::move(bytes), 0, holder});
    return blocks_.back();
}

void MemoryClipboard::Drop(unsigned format) {
    const auto found = formats_.find(format);
    if (found == formats_.end()) return;
    found->second->holder = Holder::Nobody;
    formats_.erase(found);
}
