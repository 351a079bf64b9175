#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "conversion/output_line.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Where the fields of a part line lie: one pass over the line finds the TABs
// that close its fields 1 to 7 and its end together, 64 bytes at a time.

// The TABs and the LFs among 64 bytes, as bit masks: bit i for byte i.
struct BlockMatches {
    std::uint64_t tabs;
    std::uint64_t line_feeds;
};

// A block of 64 bytes holds the first seven fields of most part lines, so that
// finding their TABs mostly takes the same turns through the code.
constexpr std::size_t kBlockBytes = 64;

#if defined(__SSE2__)

// Bit i for each byte i of `sixteen` that is `byte`.
inline std::uint64_t EqualBytes(__m128i sixteen, char byte) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, _mm_set1_epi8(byte))));
}

inline BlockMatches MatchBlock(const char* bytes) {
    BlockMatches found{0, 0};
    for (std::size_t at = 0; at < kBlockBytes; at += 16) {
        const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at));
        found.tabs |= EqualBytes(sixteen, '\t') << at;
        found.line_feeds |= EqualBytes(sixteen, '\n') << at;
    }
    return found;
}

#else

// For processors without SSE2: a byte at a time, the last first.
inline BlockMatches MatchBlock(const char* bytes) {
    BlockMatches found{0, 0};
    for (std::size_t at = kBlockBytes; at-- > 0;) {
        found.tabs = found.tabs << 1 | (bytes[at] == '\t');
        found.line_feeds = found.line_feeds << 1 | (bytes[at] == '\n');
    }
    return found;
}

#endif

// A part line as found by ScanPartLine.
struct PartLine {
    static constexpr std::size_t kTabs = 7;

    const char* begin;
    const char* end;          // the end of its bytes, before its line break
    const char* line_feed;    // the LF that ends it; null when the text ends first
    const char* tabs[kTabs];  // the TABs that close fields 1 to 7; `end` for those it lacks

    // A single TAB at the very end closes the last field and opens none, so
    // the field after it is empty either way.
    std::string_view Field(std::size_t number) const {
        const char* const from = number == 1 ? begin : tabs[number - 2] + (tabs[number - 2] != end);
        return {from, static_cast<std::size_t>(tabs[number - 1] - from)};
    }

    PartFields Fields() const { return {Field(1), Field(2), Field(4), Field(7)}; }
};

// Takes the TABs marked in `tabs`, lowest first, into line.tabs from tab_count
// on, as long as it has room.
inline void TakeTabs(std::uint64_t tabs, const char* block, PartLine& line, std::size_t& tab_count) {
    if (tab_count == 0) {
        // Most part lines have their first seven TABs in their first block:
        // all seven are then taken without a test for each. With no bit left,
        // countr_zero gives 64, past the block.
        unsigned at[PartLine::kTabs];
        std::uint64_t rest = tabs;
        for (unsigned& offset : at) {
            offset = static_cast<unsigned>(std::countr_zero(rest));
            rest &= rest - 1;
        }
        if (at[PartLine::kTabs - 1] < kBlockBytes) {
            for (std::size_t i = 0; i < PartLine::kTabs; ++i) line.tabs[i] = block + at[i];
            tab_count = PartLine::kTabs;
            return;
        }
    }
    for (; tabs != 0 && tab_count < PartLine::kTabs; tabs &= tabs - 1) {
        line.tabs[tab_count++] = block + static_cast<unsigned>(std::countr_zero(tabs));
    }
}

// The line that starts at `begin`. With `to_line_feed` it ends at the first LF,
// and a CR just before that LF is part of the line break; otherwise every byte
// up to `end` is a byte of the line, an LF too. Reads no byte outside
// [begin, end): a last, partial block is matched from a copy.
inline PartLine ScanPartLine(const char* begin, const char* end, bool to_line_feed) {
    PartLine line;
    line.begin = begin;
    std::size_t tab_count = 0;
    for (const char* block = begin;; block += kBlockBytes) {
        const auto left = static_cast<std::size_t>(end - block);
        BlockMatches found;
        if (left >= kBlockBytes) {
            found = MatchBlock(block);
        } else {
            char padded[kBlockBytes] = {};  // neither TAB nor LF
            std::copy_n(block, left, padded);
            found = MatchBlock(padded);
        }
        if (!to_line_feed) found.line_feeds = 0;
        // TABs after the LF belong to the next line. Subtracting one clears the
        // lowest bit of the LFs and sets all below it; the bits of later LFs
        // that stay are no TABs.
        if (tab_count < PartLine::kTabs) {
            TakeTabs(found.tabs & (found.line_feeds - 1), block, line, tab_count);
        }
        if (found.line_feeds != 0) {
            line.line_feed = block + static_cast<unsigned>(std::countr_zero(found.line_feeds));
            const bool cr = line.line_feed != begin && line.line_feed[-1] == '\r';
            line.end = line.line_feed - cr;
            break;
        }
        if (left <= kBlockBytes) {
            line.line_feed = nullptr;
            line.end = end;
            break;
        }
    }
    std::fill(line.tabs + tab_count, line.tabs + PartLine::kTabs, line.end);
    return line;
}
