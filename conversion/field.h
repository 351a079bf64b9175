#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Field access: the fields of a separated line, numbered from 1. A single
// separator at the very end of a line closes its last field instead of opening
// an empty one; empty fields are kept; nothing is trimmed.

// Field `number` of `line`: the empty text when number is 0 or less, beyond the
// last field, or the line is empty.
std::string GetField(std::string_view separator, std::string_view line, std::int32_t number);

// Reads the fields of a line one after another without copying them: the
// fields that GetField numbers when the separator is one character. The views
// point into the line. Inline, because the conversion reads seven fields of
// every line of reports that may be large.
class FieldReader {
public:
    FieldReader(std::string_view line, std::string_view separator)
        : line_(line), separator_(separator), closed_(line.ends_with(separator)) {}

    // The next field; false once the line has no more fields.
    bool Next(std::string_view& field) {
        if (position_ > line_.size()) return false;
        std::size_t end = separator_.size() == 1 ? FindByte(separator_[0]) : line_.find(separator_, position_);
        if (end == std::string_view::npos) {
            if (closed_) {
                position_ = end;
                return false;
            }
            end = line_.size();  // the separator that closes the last field
        }
        field = line_.substr(position_, end - position_);
        position_ = end + 1;
        return true;
    }

private:
    // The first `byte` from position_ on, or npos. Fields are short, so instead
    // of a call of memchr each, eight bytes at a time are looked at in a word.
    std::size_t FindByte(char byte) const {
        constexpr std::uint64_t kOnes = 0x0101010101010101;
        constexpr std::uint64_t kLow = 0x7F * kOnes;
        const std::uint64_t pattern = kOnes * static_cast<unsigned char>(byte);
        std::size_t at = position_;
        for (; line_.size() - at >= 8; at += 8) {
            std::uint64_t word;
            std::memcpy(&word, line_.data() + at, 8);
            word ^= pattern;  // zero in each byte that is `byte`
            const std::uint64_t zeros = ~(((word & kLow) + kLow) | word | kLow);
            if (zeros != 0) {
                const int bit = std::endian::native == std::endian::little ? std::countr_zero(zeros)
                                                                           : std::countl_zero(zeros);
                return at + bit / 8;
            }
        }
        for (; at < line_.size(); ++at) {
            if (line_[at] == byte) return at;
        }
        return std::string_view::npos;
    }

    std::string_view line_;
    std::string_view separator_;
    std::size_t position_ = 0;
    bool closed_;  // the line ends with the separator: none is put at its end
};
