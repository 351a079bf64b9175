#include "conversion/field.h"

// A line's fields are the pieces between separators of the line with one
// separator put at its end, unless its last character already is the
// separator. Reading field n means finding n separators, each search starting
// one character after the previous find; the reader keeps that position
// instead of cutting the line.

namespace {

// Reads the fields of a line one after another without copying them. The
// views point into the line.
class FieldReader {
public:
    FieldReader(std::string_view line, std::string_view separator)
        : line_(line), separator_(separator), closed_(line.ends_with(separator)) {}

    // The next field; false once the line has no more fields.
    bool Next(std::string_view& field) {
        if (position_ > line_.size()) return false;
        std::size_t end = line_.find(separator_, position_);
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
    std::string_view line_;
    std::string_view separator_;
    std::size_t position_ = 0;
    bool closed_;  // the line ends with the separator: none is put at its end
};

}  // namespace

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
