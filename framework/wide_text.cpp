#include "framework/wide_text.h"

#include <windows.h>

std::wstring Widen(std::u8string_view text)
{
    if (text.empty())
        return {};
    const auto* bytes = reinterpret_cast<const char*>(text.data());
    const int size = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, bytes, size, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes, size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string ToAnsi(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    std::string ansi(WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
    return ansi;
}
