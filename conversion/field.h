#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Field access: the fields of a separated line, numbered from 1. A single
// separator at the very end of a line closes its last field instead of opening
// an empty one; empty fields are kept; nothing is trimmed.

// Field `number` of `line`: the empty text when number is 0 or less, beyond the
// last field, or the line is empty.
std::string GetField(std::string_view separator, std::string_view line, std::int32_t number);
