#pragma once

#include <functional>
#include <string>
#include <string_view>

// Part-list conversion: each PRO100 part line (TAB-separated fields) becomes one
// Cutting 3 line of 13 TAB-separated columns.

// Receives each output line, CR LF included, as soon as it is made; the view is
// valid during the call only.
using LineSink = std::function<void(std::string_view line)>;

// The rotation flag: "1" when parts may be rotated, "0" otherwise.
std::string_view RotationFlag(bool rotate);

// The Cutting 3 line for one part line, without a line break: material, fields
// 2, 4 and 7, rotation, an empty column, "False" five times, field 1 and "D".
std::string ConvertLine(std::string_view line, std::string_view material, std::string_view rotation);

// Converts every line of a text, in order. Lines end with CR LF or a bare LF; a
// CR not followed by LF is a byte of its line. A final empty piece is no line,
// and an empty line gives no output line.
void ConvertPartList(std::string_view text, std::string_view material, std::string_view rotation,
                     LineSink sink);

// The same conversion over a text that arrives in pieces, for input of any size:
// Feed each piece in order, then Finish once.
class PartListConverter {
public:
    PartListConverter(std::string_view material, std::string_view rotation, LineSink sink);

    void Feed(std::string_view piece);
    void Finish();

private:
    void ConvertTerminatedLine(std::string_view line);
    void Convert(std::string_view line);

    std::string material_;
    std::string rotation_;
    LineSink sink_;
    std::string pending_;  // the start of a line whose break has not arrived yet
    std::string output_;   // room for the output line being made
};
