#include "framework/failure_text.h"

#include <cstdio>

std::string DisplayedMessage(std::string message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        message += '.';
    return message;
}

std::string StartupFailureText(std::string_view className, std::string_view module,
                               std::uintptr_t address, std::string_view message)
{
    char hex[2 * sizeof(unsigned long long) + 1];
    std::snprintf(hex, sizeof hex, "%08llX", static_cast<unsigned long long>(address));
    std::string text = "Exception ";
    text.append(className).append(" in module ").append(module).append(" at ").append(hex).append(".\n");
    text.append(message);
    if (!message.ends_with('.'))
        text += '.';
    return text;
}
