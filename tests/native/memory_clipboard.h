#pragma once

#include <list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "clipboard/clipboard_platform.h"

// An in-memory clipboard for tests. Blocks are byte arrays; any operation can
// be made to fail; it records what was done to it, and every misuse (a block
// freed after the clipboard took it, an unbalanced lock, work on a clipboard
// that is not open) as a line in Misuses().
class MemoryClipboard final : public ClipboardPlatform {
public:
    enum class Operation { Open, TextBlock, Size, Lock, Unlock, Allocate, Empty, PlaceText, Free, Close };
    static constexpr unsigned kText = 1;    // CF_TEXT
    static constexpr unsigned kBitmap = 2;  // CF_BITMAP

    // Setting up, as other programs would leave the clipboard.
    void Fail(Operation operation) { failing_.insert(operation); }
    void PutText(std::string_view bytes);  // a text block of exactly these bytes
    void PutPicture();
    void HoldOpen(WindowHandle other);  // another window has it open

    // What the clipboard holds now.
    std::vector<unsigned> Formats() const;
    std::optional<std::string> TextBytes() const;  // all bytes of the text block
    WindowHandle Owner() const { return owner_; }
    WindowHandle OpenedBy() const { return opened_by_; }

    // What was done to it.
    int Opens() const { return opens_; }
    int Closes() const { return closes_; }
    int Frees() const { return frees_; }
    const std::vector<std::size_t>& Allocations() const { return allocations_; }
    int LockedBlocks() const;
    const std::vector<std::string>& Misuses() const { return misuses_; }

    bool Open(WindowHandle owner) override;
    MemoryBlock TextBlock() override;
    std::optional<std::size_t> Size(MemoryBlock block) override;
    void* Lock(MemoryBlock block) override;
    void Unlock(MemoryBlock block) override;
    MemoryBlock Allocate(std::size_t size) override;
    bool Empty() override;
    bool PlaceText(MemoryBlock block) override;
    void Free(MemoryBlock block) override;
    void Close() override;

private:
    enum class Holder { Program, Clipboard, Nobody };
    struct Block {
        std::vector<char> bytes;
        int locks = 0;
        Holder holder = Holder::Program;
    };

    bool Failing(Operation operation) const { return failing_.count(operation) != 0; }
    Block* Find(MemoryBlock block, const char* operation);
    void RequireOpen(const char* operation);
    void Misuse(std::string what) { misuses_.push_back(std::move(what)); }
    Block& NewBlock(std::vector<char> bytes, Holder holder);
    void Drop(unsigned format);

    std::list<Block> blocks_;  // stable addresses: a block's handle is its address
    std::map<unsigned, Block*> formats_;
    std::set<Operation> failing_;
    WindowHandle owner_ = nullptr;
    WindowHandle opened_by_ = nullptr;
    bool open_ = false;
    int opens_ = 0;
    int closes_ = 0;
    int frees_ = 0;
    std::vector<std::size_t> allocations_;
    std::vector<std::string> misuses_;
};
