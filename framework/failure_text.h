#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts in which failures are shown.

// The message as the failure display shows it: "." is appended when the message
// is not empty and its last byte, unsigned, is greater than '.' (0x2E).
std::string DisplayedMessage(std::string message);

// The text of the last-resort box for a failure while the windows are created:
// "Exception <class> in module <module> at <address>.\n<message>", the address
// in at least 8 hex digits and a period after the message unless it already
// ends in one.
std::string StartupFailureText(std::string_view className, std::string_view module,
                               std::uintptr_t address, std::string_view message);
