#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/output_line.h"

struct PartLine;

// Part-list conversion: each PRO100 part line (TAB-separated fields) becomes one
// Cutting 3 line of 13 TAB-separated columns.

// Receives output lines, each with its CR LF, in blocks of one or more whole
// lines, in order; the view is valid during the call only.
using OutputSink = std::function<void(std::string_view lines)>;

// The rotation flag: "1" when parts may be rotated, "0" otherwise.
std::string_view RotationFlag(bool rotate);

// The Cutting 3 line for one part line, without a line break: material, fields
// 2, 4 and 7, rotation, an empty column, "False" five times, field 1 and "D".
std::string ConvertLine(std::string_view line, std::string_view material, std::string_view rotation);

// Converts every line of a text, in order. Lines end with CR LF or a bare LF; a
// CR not followed by LF is a byte of its line. A final empty piece is no line,
// and an empty line gives no output line. The conversion can fail only for
// want of memory; every line made before such a failure has reached the sink.
void ConvertPartList(std::string_view text, std::string_view material, std::string_view rotation,
                     OutputSink sink);

// The same conversion over a text that arrives in pieces, for input of any size:
// Feed each piece in order, then Finish once. The lines that a piece completes
// reach the sink before Feed returns.
class PartListConverter {
public:
    PartListConverter(std::string_view material, std::string_view rotation, OutputSink sink);

    void Feed(std::string_view piece);
    void Finish();

private:
    const char* ConvertLines(const char* begin, const char* end, const char* readable_end);
    void ConvertPending();
    void Convert(const PartLine& line);
    void MakeRoom(std::size_t size);
    void Deliver();

    OutputLineFormat format_;
    OutputSink sink_;
    std::string pending_;  // text whose lines are not converted yet: the start of a line at least
    std::vector<char> output_;  // room for the output lines not yet delivered
    std::size_t output_size_ = 0;
};
