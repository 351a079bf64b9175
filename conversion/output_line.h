#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

// Fields 1, 2, 4 and 7 of a part line, the ones its output line takes; those
// the line lacks are empty.
struct PartFields {
    std::string_view field1, field2, field4, field7;
};

// The Cutting 3 line of a part line: the 23 pieces material, TAB, field 2, TAB,
// field 4, TAB, field 7, TAB, rotation, TAB, TAB, "False", TAB, "False", TAB,
// "False", TAB, "False", TAB, "False", TAB, field 1, TAB, "D", then CR LF.
class OutputLineFormat {
public:
    // Bytes that Write may read past a field and write past the line's end.
    static constexpr std::size_t kSlack = 32;
    static constexpr std::string_view kLineBreak = "\r\n";

    OutputLineFormat(std::string_view material, std::string_view rotation);

    // The size of the output line of `fields`, its line break included.
    std::size_t Size(const PartFields& fields) const {
        return fixed_size_ + fields.field1.size() + fields.field2.size() + fields.field4.size() +
               fields.field7.size();
    }

    // Writes the output line of `fields` at `out`, which has room for Size()
    // plus kSlack bytes, and returns its end. The fields may be read up to
    // kSlack bytes past the end of their line.
    char* Write(char* out, const PartFields& fields) const {
        out = Copy(out, {texts_.data(), head_size_});
        out = Copy(out, fields.field2);
        *out++ = '\t';
        out = Copy(out, fields.field4);
        *out++ = '\t';
        out = Copy(out, fields.field7);
        out = Copy(out, {texts_.data() + head_size_, middle_size_});
        out = Copy(out, fields.field1);
        std::memcpy(out, kEnd.data(), kEnd.size());
        return out + kEnd.size();
    }

private:
    static constexpr std::string_view kEnd = "\tD\r\n";

    // Copies in whole blocks of kSlack bytes, at least one. Pieces mostly fit
    // in one: then a piece is copied without a call and with the same turns
    // through the code every time.
    static char* Copy(char* out, std::string_view piece) {
        std::memcpy(out, piece.data(), kSlack);
        for (std::size_t at = kSlack; at < piece.size(); at += kSlack) {
            std::memcpy(out + at, piece.data() + at, kSlack);
        }
        return out + piece.size();
    }

    // The material and a TAB, then TAB, rotation, TAB, TAB, "False" and TAB
    // five times, then kSlack bytes for Copy to read over.
    std::string texts_;
    std::size_t head_size_;
    std::size_t middle_size_;
    std::size_t fixed_size_;  // the line's size without its fields
};
