#include "conversion/field.h"

// A line's fields are the pieces between separators of the line with one
// separator put at its end, unless its last character already is the
// separator. Reading field n means finding n separators, each search starting
// one character after the previous find; the reader keeps that position
// instead of cutting the line.

std::string GetField(std::string_view separator, std::string_view line, std::int32_t number) {
    // A separator of several characters never equals the line's last character
    // alone, so it is always put at the end; a search then goes on from the
    // second character of the separator found, which may start the next one.
    std::string extended;
    if (separator.size() > 1) {
        extended.reserve(line.size() + separator.size());
        extended.append(line).append(separator);
        line = extended;
    }
    FieldReader fields(line, separator);
    std::string_view field;
    for (std::int32_t i = 0; i < number; ++i) {
        if (!fields.Next(field)) return {};
    }
    return std::string(field);
}
